#include "reports/text/RtText.h"

#include "document/channel/FourChannelSelection.h"
#include "document/records/RecordChain.h"
#include "document/records/RecordTypeCodes.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/text/RtTextTable.h"

namespace orlu {
namespace {

// Other files and the channel means: the type word, the length or a word not
// shown, then the band setup. Per-channel records hold the channel index first.
constexpr std::uint32_t kBandSetupWord = 2;
constexpr std::uint32_t kChannelIndexWord = 2;
constexpr std::uint32_t kChannelBandSetupWord = 3;

// The sub-file is decoded before its settings are read, so that its own
// measurement count names the tables.
std::string DecodeNamedSubfile(CTmDoc& doc, bool fromFile, std::uint16_t fileIndex)
{
    if (!fromFile)
        return std::string();
    std::string name = doc.GetSubfileName(fileIndex);
    doc.DecodeFileHeader(fileIndex);
    return name;
}

void AddCaption(LineList& lines, int* widest, std::string caption, bool fromFile, std::uint16_t fileIndex,
                const std::string& name)
{
    if (fromFile)
        caption += StrPrintf(ReportCaptionTable[kCaptionFromFile].data(), static_cast<int>(fileIndex), name.c_str());
    caption += ":";
    AddLine(lines, caption, widest);
    AddLine(lines, caption, widest); // AddLine emptied it: the empty line under the caption
}

std::uint32_t RecordLength(const ImageReader& image, std::uint32_t record)
{
    const std::optional<RecordView> view = RecordChain(image, record).Next();
    return view ? view->length : 0;
}

} // namespace

bool FormatRtText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex,
                  std::uint16_t /*channelMask*/)
{
    ClearLineList(&lines);
    *widest = 0;
    std::string line;
    AddLine(lines, line, widest);
    const std::string name = DecodeNamedSubfile(doc, fromFile, fileIndex);
    const CurrentHeader& h = doc.Header();
    const bool single = h.rt60Settings[0] == 1;
    AddCaption(lines, widest, std::string(ReportCaptionTable[single ? kCaptionRt60Results : kCaptionAveragedRt60Results]),
               fromFile, fileIndex, name);
    const RecordTypeCodes& codes = RecordTypesOf(false);
    const std::uint32_t record =
        doc.FindRecordInHeader(fromFile ? fileIndex : 0, single ? codes.rt60Results : codes.rt60Averaged);
    AddRtTable(doc.Reader(), record, kBandSetupWord, h.rt60Spectrum == 1, h.totalNames, lines, widest);
    return true;
}

bool FormatRtChannelsText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex,
                          std::uint16_t channelMask)
{
    ClearLineList(&lines);
    *widest = 0;
    const std::string name = DecodeNamedSubfile(doc, fromFile, fileIndex);
    const CurrentHeader& h = doc.Header();
    const bool single = h.rt60Settings[0] == 1;
    const bool octaves = h.rt60Spectrum == 1;
    const int subfile = fromFile ? fileIndex : 0;
    const std::string results(ReportCaptionTable[single ? kCaptionRt60Results : kCaptionAveragedRt60Results]);
    const ImageReader image = doc.Reader();
    const RecordTypeCodes& codes = RecordTypesOf(true);
    const std::uint8_t type = single ? codes.rt60Results : codes.rt60Averaged;
    std::uint32_t record = 0;
    for (int c = 0; c < h.channelCount; ++c) {
        if (record == 0) {
            record = doc.FindRecord(subfile, type);
        } else {
            const std::uint32_t length = RecordLength(image, record);
            record = length == 0 ? 0 : doc.FindRecordFrom(record + length, type);
        }
        // Fewer records than channels: the channel mean follows the last one found.
        if (record == 0 || !image.HasWords(record, kChannelIndexWord + 1))
            break;
        const std::uint16_t channel = image.Word(record + kChannelIndexWord);
        if (channel >= 16 || !((channelMask >> channel) & 1u))
            continue;
        std::string line;
        AddLine(lines, line, widest);
        AddCaption(lines, widest, StrPrintf("Channel #%d: ", channel + 1) + results, fromFile, fileIndex, name);
        // Each block's total rows are named from the list of the channel whose values it holds.
        AddRtTable(image, record, kChannelBandSetupWord, octaves, FourChannelTotalNames(h, channel), lines, widest);
    }
    // Without its record the channel mean is left out.
    const std::uint32_t mean = doc.FindRecord(subfile, single ? kRecordRt60MeanResults : kRecordRt60MeanAveraged);
    if (mean != 0) {
        std::string line;
        AddLine(lines, line, widest);
        AddCaption(lines, widest, results + std::string(ReportCaptionTable[kCaptionAveragedByChannels]), fromFile,
                   fileIndex, name);
        AddRtTable(image, mean, kBandSetupWord, octaves, FourChannelTotalNames(h, 0), lines, widest);
    }
    return true;
}

} // namespace orlu
