#include "document/headers/HeaderRecord.h"

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

} // namespace orlu
