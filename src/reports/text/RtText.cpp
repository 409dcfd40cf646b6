#include "reports/text/RtText.h"

#include "document/records/RecordChain.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/text/RtTextTable.h"

namespace orlu {
namespace {

constexpr std::uint8_t kRecordRtSingle = 27;
constexpr std::uint8_t kRecordRtAveraged = 28;
// Other files: the type word, a word not shown, then the band setup.
constexpr std::uint32_t kBandSetupWord = 2;

} // namespace

bool FormatRtText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex,
                  std::uint16_t /*channelMask*/)
{
    ClearLineList(&lines);
    *widest = 0;
    std::string line;
    AddLine(lines, line, widest);
    // The sub-file is decoded before its settings are read, so that its own
    // measurement count names the table.
    std::string name;
    if (fromFile) {
        name = doc.GetSubfileName(fileIndex);
        doc.DecodeFileHeader(fileIndex);
    }
    const CurrentHeader& h = doc.Header();
    const bool single = h.rt60Settings[0] == 1;
    line = ReportCaptionTable[single ? kCaptionRt60Results : kCaptionAveragedRt60Results];
    if (fromFile)
        line += StrPrintf(ReportCaptionTable[kCaptionFromFile].data(), static_cast<int>(fileIndex), name.c_str());
    line += ":";
    AddLine(lines, line, widest);
    AddLine(lines, line, widest);

    const std::uint32_t record =
        doc.FindRecordInHeader(fromFile ? fileIndex : 0, single ? kRecordRtSingle : kRecordRtAveraged);
    AddRtTable(doc.Reader(), record, kBandSetupWord, h.rt60Spectrum == 1, h.totalNames, lines, widest);
    return true;
}

} // namespace orlu
