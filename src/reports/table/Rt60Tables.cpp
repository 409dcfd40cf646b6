#include "reports/table/Rt60Tables.h"

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

} // namespace

int TableFormRT60(CTmDoc& doc, MainTableRequest& request, int allFiles, int subfile)
{
    request.TableKind = kTableKindMainResults;
    int widest = 0;
    LineList& lines = request.Lines;
    const TableOutputOptions& options = request.Options;
    AddEmpty(lines, &widest);

    std::string caption;
    std::string from;
    if (allFiles != 0) {
        const std::string name = doc.GetSubfileName(subfile);
        doc.DecodeFileHeader(static_cast<std::uint16_t>(subfile));
        from = StrPrintf(ReportCaptionTable[kCaptionFromFile].data(), subfile, name.c_str());
    }
    const CurrentHeader& h = doc.Header();
    const bool results = h.rt60Settings[0] == kSaveModeResults;
    caption = std::string(ReportCaptionTable[results ? kCaptionRt60Results : kCaptionAveragedRt60Results]) + from + ":";
    EmitUnderscoredLine(lines, caption, options, false, &widest);
    AddEmpty(lines, &widest);
    std::string header = kRtHeader, units = kRtUnits;
    EmitHeaderRow(lines, header, options, &widest);
    EmitHeaderRow(lines, units, options, &widest);

    const RecordTypeCodes& codes = RecordTypesOf(false);
    const std::uint32_t record = doc.FindRecordInHeader(subfile, results ? codes.rt60Results : codes.rt60Averaged);
    if (record != 0) {
        const ImageReader image = doc.Reader();
        const std::uint32_t recordWords = RecordWords(image, record);
        const bool octaves = h.rt60Spectrum == kSpectrumOctaves;
        // Octave band n is the n-th octave centre, not the n-th third-octave centre.
        const std::span<const double> centres =
            octaves ? OctaveCentres() : ThirdOctaveCentres().first(kRtThirdOctaveBands);
        const long first = h.rt60Words[2], last = h.rt60Words[3];
        // A band range the table cannot name, or reversed, gives no band rows.
        const long bands = first <= last && static_cast<std::size_t>(last) < centres.size() ? last - first + 1 : 0;
        const long totals = std::min<long>(h.rt60Words[1], h.totalNames.Count);
        for (long i = 0; i < bands + totals; ++i) {
            const std::uint32_t at = kFirstBandRowWord + static_cast<std::uint32_t>(i) * kWordsPerBandRow;
            if (at + kWordsPerBandRow > recordWords)
                break; // the rows stop at the end of the record
            std::string row = i < bands ? StrPrintf("%-10.1f", centres[static_cast<std::size_t>(first + i)])
                                        : StrPrintf("%-10s", h.totalNames.At(i - bands));
            for (std::uint32_t k = 1; k <= 4; ++k) {
                const auto w = static_cast<std::int16_t>(image.Word(record + at + k));
                row += w == kNoValidTime ? std::string("*.**      ") : StrPrintf("%-10.2f", w / 1000.0);
            }
            EmitFieldRow(lines, row, options, &widest);
        }
    }
    AddEmpty(lines, &widest);
    request.Width = widest;
    return 1;
}

} // namespace orlu
