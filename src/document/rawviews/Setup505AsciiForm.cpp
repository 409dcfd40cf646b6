#include "document/rawviews/Setup505AsciiForm.h"

#include "document/rawviews/FieldCodeStrings.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <vector>

namespace orlu {
namespace {

// The setup header's field codes: length, time, date, words 3 to 7, the
// calibration in 0.1 dB, words 9 to 11, the flags word in hex, then by function.
constexpr std::uint8_t kCommonCodes[] = {1, 5, 6, 1, 1, 1, 1, 1, 4, 1, 1, 1, 3};
// Time and Spectrum: trigger, trigger level, window, zoom flag, zoom band, spectra,
// thirteen zoom shifts, then the channel table: at word 32 in a 52-word header
// (sixteen words, four calibrations), else behind the mode word at 32 (eighteen).
constexpr std::uint8_t kFftCodes[] = {1, 4, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
constexpr std::uint16_t kFftTableWords52 = 16;
constexpr std::uint16_t kFftTableWords = 18;
constexpr std::uint16_t kFftTrailingWords = 22;
// Octaves: bands, spectra, the time step; longer headers three unused words, the
// mode word, an unused word, sixteen table words and four calibrations.
constexpr std::uint8_t kOctaveCodes[] = {1, 1, 1, 1};
constexpr std::uint8_t kOctaveTableCodes[] = {7, 7, 7, 1, 7};
constexpr std::uint16_t kOctaveTableWords = 16;
constexpr std::uint8_t kHistogramCodes[] = {1, 1, 1, 4, 4};
constexpr std::uint8_t kCodeTenths = 4;

constexpr std::uint16_t kShortOctaveHeader = 17;
constexpr std::uint16_t kProbe6Header = 52;

std::vector<std::uint8_t> HeaderCodes(const Setup505& s)
{
    std::vector<std::uint8_t> codes(std::begin(kCommonCodes), std::end(kCommonCodes));
    auto repeat = [&codes](std::uint8_t code, std::size_t n) { codes.insert(codes.end(), n, code); };
    if (s.function == kFunction505Time || s.function == kFunction505Spectrum) {
        codes.insert(codes.end(), std::begin(kFftCodes), std::end(kFftCodes));
        repeat(kCodeUnsigned, s.headerLength == kProbe6Header ? kFftTableWords52 : kFftTableWords);
        repeat(kCodeTenths, 4);
        repeat(kCodeUnsigned, kFftTrailingWords);
    } else {
        codes.insert(codes.end(), std::begin(kOctaveCodes), std::end(kOctaveCodes));
        if (s.headerLength != kShortOctaveHeader) {
            codes.insert(codes.end(), std::begin(kOctaveTableCodes), std::end(kOctaveTableCodes));
            repeat(kCodeUnsigned, kOctaveTableWords);
            repeat(kCodeTenths, 4);
        }
    }
    return codes;
}

/// One list of items, "," between them and ";" after the last.
template <typename Write>
void ItemList(AsciiLineWriter& out, std::uint32_t count, Write write)
{
    for (std::uint32_t i = 0; i < count; ++i)
        out.Item(write(i));
    out.EndRecord(false);
}

} // namespace

bool WriteSetup505Form(const Setup505& s, const FieldWalkContext& ctx, AsciiLineWriter& out)
{
    const ImageReader& image = ctx.image;
    out.Line({});
    std::uint32_t pos = s.subfileStart;
    const std::vector<std::uint8_t> codes = HeaderCodes(s);
    FormatRecordFields(ctx, out, codes, pos, s.subfileStart + s.headerLength);

    const std::uint32_t t = s.timeHistory ? 1 : 0;
    const bool samples = s.function == kFunction505Time;
    std::uint32_t at = s.subfileStart + s.headerLength;
    for (std::int32_t r = 0; r < s.spectraCount; ++r) {
        for (std::uint32_t c = 0; c < s.channelCount; ++c) {
            if (!image.HasWords(at, s.bandEnd + t))
                return false;
            if (t)
                out.Item(StrPrintf("%d,", image.Word(at)));
            const std::uint32_t values = at + t;
            ItemList(out, s.bandEnd, [&](std::uint32_t i) {
                return samples ? StrPrintf("%d,", image.SignedWord(values + i))
                               : StrPrintf("%.1f,", image.SignedWord(values + i) / 10.0);
            });
            at += s.bandEnd + t;
        }
    }

    // The decoder kept the block only when its counts lie inside the file.
    if (!s.histogramFlag || s.histogram.count == 0)
        return true;
    const Histogram505& h = s.histogram;
    std::uint32_t block = h.position;
    FormatRecordFields(ctx, out, kHistogramCodes, block, h.position + h.countsOffset);
    for (std::uint32_t b = 0; b < h.count; ++b) {
        const std::uint32_t counts = h.CountsOf(b);
        if (!image.HasWords(counts, 2ull * h.classes))
            return false;
        ItemList(out, h.classes, [&](std::uint32_t i) {
            return StrPrintf("%ldL,", static_cast<long>(image.Int32AtWord(counts + 2 * i)));
        });
    }
    return true;
}

} // namespace orlu
