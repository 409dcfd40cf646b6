#include "document/headers/HeaderRecord.h"

#include "document/headers/CurrentHeader.h"

#include <cstdlib>
#include <iterator>

namespace orlu {
namespace {

constexpr const char* kThresholdNames[] = {"75 dB", "80 dB", "85 dB", "90 dB"};

} // namespace

Rec RecordAt(const ImageReader& image, std::uint32_t start, std::uint32_t end)
{
    RecordView view = ReadRecordAt(image, start);
    if (view.length == 0 || std::uint64_t{start} + view.length > end || !image.HasWords(start, view.length))
        throw RecordChainError("a header record runs past its file");
    return Rec{&image, start, view.length};
}

Rec Located(const ImageReader& image, std::uint32_t position)
{
    if (position == 0)
        return Rec{};
    RecordView view = ReadRecordAt(image, position);
    std::uint32_t length = view.length;
    if (!image.HasWords(position, length))
        length = image.WordCount() > position ? image.WordCount() - position : 0;
    return Rec{&image, position, length};
}

std::string WordText(const Rec& r, std::uint32_t from, std::uint32_t to)
{
    std::string text;
    for (std::uint32_t i = from; i < to; ++i) {
        std::uint16_t w = r.W(i);
        text.push_back(static_cast<char>(w & 0xFF));
        text.push_back(static_cast<char>(w >> 8));
    }
    return text;
}

std::string TrimTrailing(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

std::uint16_t TimeUnitOf(std::uint32_t seconds)
{
    return seconds > 3599 ? 2 : seconds > 59 ? 1 : 0;
}

std::uint16_t ThresholdIndex(std::uint16_t threshold, std::uint16_t divisor)
{
    if (threshold == 0)
        return 0;
    for (std::uint16_t k = 0; k < std::size(kThresholdNames); ++k)
        if (std::atoi(kThresholdNames[k]) == threshold / divisor)
            return static_cast<std::uint16_t>(k + 1);
    return 5;
}

Rec ReadMeasurementStart(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    const Rec r1 = RecordAt(image, sub.start, sub.end);
    const Rec r2 = RecordAt(image, r1.End(), sub.end);
    const Rec r3 = RecordAt(image, r2.End(), sub.end);
    h.title = TrimTrailing(WordText(r3, 1, r3.length));
    const Rec r4 = RecordAt(image, r3.End(), sub.end);
    h.date = r4.W(1);
    h.time = r4.W(2);
    h.function = r4.W(3);
    h.rt60 = h.function == kFunctionRt60;
    return r4;
}

void ReadRt60Settings(const Rec& settings, CurrentHeader& h)
{
    for (std::uint32_t i = 0; i < h.rt60Settings.size(); ++i)
        h.rt60Settings[i] = settings.W(i + 1);
    h.rt60Method = h.rt60Settings[1];
    h.rt60Spectrum = h.rt60Settings[2];
}

void ReadRt60Bands(const Rec& results, std::uint32_t skip, CurrentHeader& h)
{
    if (results) {
        auto word = [&](std::uint32_t i) { return results.W(i + skip); };
        h.lowestBandWord = word(2);
        h.rt60Words = {word(2), word(4), word(5), word(6)};
        h.thirdTotal = word(3);
        h.bandExtras = word(4);
    }
    const bool octaves = h.rt60Spectrum == 1;
    h.bandCount = static_cast<std::uint16_t>((octaves ? 15 : 45) + h.bandExtras);
    if (octaves)
        h.octaveTotal = 15;
    else
        h.thirdTotal = 45;
    h.bandsShown = static_cast<std::uint16_t>(h.bandCount - h.bandExtras);
    h.bandKind = octaves ? kBandOctave11 : kBandOctave13;
    h.bandTableIndex = octaves ? 45 - 3 * h.bandsShown : 45 - h.bandsShown;
}

} // namespace orlu
