#include "reports/table/Rt60Tables.h"

#include "document/channel/FourChannelSelection.h"
#include "document/records/RecordChain.h"
#include "document/records/RecordTypeCodes.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/table/TableWriter.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint16_t kSaveModeResults = 1;
constexpr std::uint16_t kSpectrumOctaves = 1;
// The bands of an RT60 measurement end at 20 kHz (1/3 octave) or 16 kHz (1/1 octave).
constexpr std::size_t kRtThirdOctaveBands = 45;
constexpr std::uint32_t kFirstBandRowWord = 7;
constexpr std::uint32_t kWordsPerBandRow = 9;
constexpr std::int16_t kNoValidTime = -1;
// Records of a four-channel file: the channel's number at word 2, then the band
// setup (lowest band, third-octave count, total rows, first band, last band); the
// record averaged over the channels has no channel word, so its setup begins at word 2.
constexpr std::uint32_t kChannelWord = 2;
constexpr std::uint32_t kChannelBandSetup = 3;
constexpr std::uint32_t kMeanBandSetup = 2;

const char* kRtHeader = "Freq      EDT       RT20      RT30      RTuser    ";
const char* kRtUnits = "[Hz]      [sec]     [sec]     [sec]     [sec]     ";

void AddEmpty(LineList& lines, int* widest)
{
    std::string empty;
    AddLine(lines, empty, widest);
}

// The words of a record found by a locator, by the record-chain rule for its length,
// and never past the end of the image.
std::uint32_t RecordWords(const ImageReader& image, std::uint32_t start)
{
    std::uint32_t length = image.Word(start) >> 8;
    if (length == 0 && image.HasWords(start + 1, 1))
        length = image.Word(start + 1);
    return std::min(length, image.WordCount() - start);
}

// Which bands and total rows a record holds, and where its rows begin.
struct BandRows {
    long first = 0;
    long last = -1;
    long totals = 0;
    std::uint32_t firstRowWord = kFirstBandRowWord;
};

// The empty line, the caption with '_' for its blanks, the empty line, the names and the units.
void AddBlockHead(LineList& lines, const std::string& caption, const TableOutputOptions& options, int* widest)
{
    AddEmpty(lines, widest);
    EmitUnderscoredLine(lines, caption, options, false, widest);
    AddEmpty(lines, widest);
    std::string header = kRtHeader, units = kRtUnits;
    EmitHeaderRow(lines, header, options, widest);
    EmitHeaderRow(lines, units, options, widest);
}

// One row per band and total of the record at `record` (0: none, no rows), then the
// empty line that ends the block.
void AddBlockRows(const ImageReader& image, std::uint32_t record, const BandRows& setup, bool octaves,
                  const NameTable& totalNames, LineList& lines, const TableOutputOptions& options, int* widest)
{
    if (record != 0) {
        const std::uint32_t recordWords = RecordWords(image, record);
        // Octave band n is the n-th octave centre, not the n-th third-octave centre.
        const std::span<const double> centres =
            octaves ? OctaveCentres() : ThirdOctaveCentres().first(kRtThirdOctaveBands);
        // A band range the table cannot name, or reversed, gives no band rows.
        const long bands = setup.first >= 0 && setup.first <= setup.last &&
                                   static_cast<std::size_t>(setup.last) < centres.size()
                               ? setup.last - setup.first + 1
                               : 0;
        const long totals = std::clamp<long>(setup.totals, 0, totalNames.Count);
        for (long i = 0; i < bands + totals; ++i) {
            const std::uint32_t at = setup.firstRowWord + static_cast<std::uint32_t>(i) * kWordsPerBandRow;
            if (at + kWordsPerBandRow > recordWords)
                break; // the rows stop at the end of the record
            std::string row = i < bands ? StrPrintf("%-10.1f", centres[static_cast<std::size_t>(setup.first + i)])
                                        : StrPrintf("%-10s", totalNames.At(i - bands));
            for (std::uint32_t k = 1; k <= 4; ++k) {
                const auto w = static_cast<std::int16_t>(image.Word(record + at + k));
                row += w == kNoValidTime ? std::string("*.**      ") : StrPrintf("%-10.2f", w / 1000.0);
            }
            EmitFieldRow(lines, row, options, widest); // "*.**" takes the decimal character too
        }
    }
    AddEmpty(lines, widest);
}

// The band setup a four-channel record stores at word `setupWord`; a record too short
// to hold it has no rows.
BandRows RecordBandRows(const ImageReader& image, std::uint32_t record, std::uint32_t setupWord)
{
    BandRows rows;
    if (RecordWords(image, record) < setupWord + 5)
        return rows;
    rows.totals = image.Word(record + setupWord + 2);
    rows.first = image.Word(record + setupWord + 3);
    rows.last = image.Word(record + setupWord + 4);
    rows.firstRowWord = setupWord + 5;
    return rows;
}

// " from file[n] NAME" for a sub-file of a merged document, whose header is decoded first.
std::string FromFile(CTmDoc& doc, int allFiles, int subfile)
{
    if (allFiles == 0)
        return std::string();
    const std::string name = doc.GetSubfileName(subfile);
    doc.DecodeFileHeader(static_cast<std::uint16_t>(subfile));
    return StrPrintf(ReportCaptionTable[kCaptionFromFile].data(), subfile, name.c_str());
}

} // namespace

int TableFormRT60(CTmDoc& doc, MainTableRequest& request, int allFiles, int subfile)
{
    request.TableKind = kTableKindMainResults;
    int widest = 0;
    const std::string from = FromFile(doc, allFiles, subfile);
    const CurrentHeader& h = doc.Header();
    const bool results = h.rt60Settings[0] == kSaveModeResults;
    const std::string caption =
        std::string(ReportCaptionTable[results ? kCaptionRt60Results : kCaptionAveragedRt60Results]) + from + ":";
    AddBlockHead(request.Lines, caption, request.Options, &widest);
    const RecordTypeCodes& codes = RecordTypesOf(false);
    const std::uint32_t record = doc.FindRecordInHeader(subfile, results ? codes.rt60Results : codes.rt60Averaged);
    // The decoder keeps the record's total rows, first and last band.
    const BandRows setup{h.rt60Words[2], h.rt60Words[3], h.rt60Words[1], kFirstBandRowWord};
    AddBlockRows(doc.Reader(), record, setup, h.rt60Spectrum == kSpectrumOctaves, h.totalNames, request.Lines,
                 request.Options, &widest);
    request.Width = widest;
    return 1;
}

int TableFormRT60ByChannel(CTmDoc& doc, MainTableRequest& request, int allFiles, int subfile)
{
    request.TableKind = kTableKindMainResults;
    int widest = 0;
    const std::string from = FromFile(doc, allFiles, subfile);
    const CurrentHeader& h = doc.Header();
    const bool results = h.rt60Settings[0] == kSaveModeResults;
    const bool octaves = h.rt60Spectrum == kSpectrumOctaves;
    const std::string title(ReportCaptionTable[results ? kCaptionRt60Results : kCaptionAveragedRt60Results]);
    const RecordTypeCodes& codes = RecordTypesOf(true);
    const std::uint8_t channelType = results ? codes.rt60Results : codes.rt60Averaged;
    const ImageReader image = doc.Reader();
    // The channel records in file order, at most one per channel of the file.
    std::uint32_t record = 0;
    for (int visited = 0; visited < h.channelCount; ++visited) {
        if (record == 0) {
            record = doc.FindRecord(subfile, channelType);
        } else {
            const std::uint32_t length = RecordWords(image, record);
            record = length == 0 ? 0 : doc.FindRecordFrom(record + length, channelType);
        }
        if (record == 0 || RecordWords(image, record) <= kChannelWord)
            break; // no further channel record: the table over the channels follows
        const std::uint16_t channel = image.Word(record + kChannelWord);
        if (channel >= 16 || !((request.ChannelMask >> channel) & 1u))
            continue;
        AddBlockHead(request.Lines, StrPrintf("Channel #%d: ", channel + 1) + title + from + ":", request.Options,
                     &widest);
        // Each block's total rows are named from the list of the channel whose values it holds.
        AddBlockRows(image, record, RecordBandRows(image, record, kChannelBandSetup), octaves,
                     FourChannelTotalNames(h, channel), request.Lines, request.Options, &widest);
    }
    // Without its record the table over the channels keeps its head and has no rows.
    const std::uint32_t mean = doc.FindRecord(subfile, results ? kRecordRt60MeanResults : kRecordRt60MeanAveraged);
    AddBlockHead(request.Lines, title + from + std::string(ReportCaptionTable[kCaptionAveragedByChannels]) + ":",
                 request.Options, &widest);
    AddBlockRows(image, mean, mean != 0 ? RecordBandRows(image, mean, kMeanBandSetup) : BandRows{}, octaves,
                 FourChannelTotalNames(h, 0), request.Lines, request.Options, &widest);
    request.Width = widest;
    return 1;
}

} // namespace orlu
