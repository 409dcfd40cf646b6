#include "reports/text/TonalityText.h"

#include "document/records/RecordChain.h"
#include "document/records/RecordTypeCodes.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint32_t kFirstToneWord = 13;
constexpr std::uint32_t kMaxTonesShown = 10;

} // namespace

bool FormatTonalityText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex)
{
    std::string line;
    AddLine(lines, line, widest);
    line = ReportCaptionTable[kCaptionTonalityResults];
    if (fromFile) {
        const std::string name = doc.GetSubfileName(fileIndex);
        doc.DecodeFileHeader(fileIndex);
        line += StrPrintf(ReportCaptionTable[kCaptionFromFile].data(), static_cast<int>(fileIndex), name.c_str());
    }
    line += ":";
    AddLine(lines, line, widest);

    const std::string rule(59, '-');
    line = rule;
    AddLine(lines, line, widest);
    const std::uint32_t start = doc.FindRecordInHeader(fileIndex, kRecordTonality);
    const ImageReader image = doc.Reader();
    std::optional<RecordView> record;
    if (start != 0)
        record = RecordChain(image, start).Next();
    // A record that is missing, too short or cut off by the end of the file shows no values.
    if (record && record->length >= kFirstToneWord && image.HasWords(start, record->length)) {
        const std::uint32_t length = record->length;
        auto word = [&](std::uint32_t i) { return image.Word(start + i); };
        auto level = [&](std::uint32_t i) { return image.SignedWord(start + i) / 10.0; };
        const double df = word(6) / 1000.0;
        const std::string lines1[] = {
            StrPrintf(" Max. tone bandwidth rel. to crit. bandwidth ...  %d %%", static_cast<int>(word(2))),
            StrPrintf(" Tone seek criterion ...........................  %.1f dB", word(3) / 10.0),
            StrPrintf(" Regression range ..............................  %d %%", static_cast<int>(word(4))),
            StrPrintf(" Tone band criterion ...........................  %.1f dB", word(5) / 10.0),
            StrPrintf(" Spectrum frequency step .......................  %.3f Hz", df),
            std::string(),
            StrPrintf(" PENALTY VALUE   Kt = %.1f dB", word(7) / 10.0),
        };
        for (const std::string& text : lines1) {
            line = text;
            AddLine(lines, line, widest);
        }
        if (word(7) != 0) {
            const std::string lines2[] = {
                std::string(),
                StrPrintf(" Tone(s) level in critical band ...  Lpt = %.1f dB", level(8)),
                StrPrintf(" Noise level in critical band .....  Lpn = %.1f dB", level(9)),
                StrPrintf(" Tonal audibility .................  Lta = %.1f dB re MT", level(10)),
                StrPrintf(" Critical band center frequency ...  Ftc = %.0f Hz", word(11) * df),
            };
            for (const std::string& text : lines2) {
                line = text;
                AddLine(lines, line, widest);
            }
            // Tones beyond the record's end are not read, whatever the count says.
            const std::uint32_t stored = length > kFirstToneWord ? length - kFirstToneWord : 0;
            const std::uint32_t tones = std::min({kMaxTonesShown, static_cast<std::uint32_t>(word(12)), stored});
            if (tones != 0) {
                line = " Tones frequencies list:  ";
                for (std::uint32_t i = 0; i < tones; ++i) {
                    if (i != 0)
                        line += ",  ";
                    line += StrPrintf("%.0f Hz", word(kFirstToneWord + i) * df);
                }
                std::string empty;
                AddLine(lines, empty, widest);
                AddLine(lines, line, widest);
            }
        }
    }
    line = rule;
    AddLine(lines, line, widest);
    AddLine(lines, line, widest); // AddLine emptied it: the closing empty line
    return true;
}

} // namespace orlu
