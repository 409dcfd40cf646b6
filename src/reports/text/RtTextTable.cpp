#include "reports/text/RtTextTable.h"

#include "document/records/RecordChain.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

constexpr std::uint32_t kBlockWords = 9;
constexpr std::uint16_t kNoValue = 0xFFFF;

// The band and total lines; none when the record is missing or its band range is impossible.
void AddRtLines(const ImageReader& image, std::uint32_t record, std::uint32_t bandSetup, bool octaves,
                const NameTable& totalNames, LineList& lines, int* widest)
{
    if (record == 0)
        return;
    const std::optional<RecordView> view = RecordChain(image, record).Next();
    if (!view || !image.HasWords(record, view->length) || view->length < bandSetup + 5)
        return;
    const std::uint32_t totals = view->Word(bandSetup + 2);
    const std::uint32_t first = view->Word(bandSetup + 3);
    const std::uint32_t last = view->Word(bandSetup + 4);
    const std::span<const double> centres = octaves ? OctaveCentres() : ThirdOctaveCentres();
    if (first > last || last >= centres.size())
        return;
    const std::uint32_t bands = last - first + 1;
    std::uint32_t block = bandSetup + 5;
    // Lines stop at the end of the record, whatever the counts say.
    for (std::uint32_t i = 0; i < bands + totals && block + kBlockWords <= view->length; ++i, block += kBlockWords) {
        std::string line = i < bands ? StrPrintf("%10.1f", centres[first + i])
                                     : StrPrintf("%10s", totalNames.At(static_cast<long>(i - bands)));
        for (std::uint32_t k = 1; k <= 4; ++k) {
            const std::uint16_t w = view->Word(block + k);
            line += w == kNoValue ? std::string("      *.**") : StrPrintf("%10.2f", static_cast<std::int16_t>(w) / 1000.0);
        }
        AddLine(lines, line, widest);
    }
}

} // namespace

void AddRtTable(const ImageReader& image, std::uint32_t record, std::uint32_t bandSetup, bool octaves,
                const NameTable& totalNames, LineList& lines, int* widest)
{
    const std::string rule(51, '-');
    std::string line = rule;
    AddLine(lines, line, widest);
    line = "      Freq       EDT      RT20      RT30    RTuser ";
    AddLine(lines, line, widest);
    line = "      [Hz]     [sec]     [sec]     [sec]     [sec] ";
    AddLine(lines, line, widest);
    line = rule;
    AddLine(lines, line, widest);
    AddRtLines(image, record, bandSetup, octaves, totalNames, lines, widest);
    line = rule;
    AddLine(lines, line, widest);
    AddLine(lines, line, widest); // AddLine emptied it: the closing empty line
}

} // namespace orlu
