#include "monitor/MonitorOctaveText.h"

#include "document/CTmDoc.h"
#include "document/tables/BandTables.h"
#include "document/texts/TimeTexts.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorStream.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"

#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr std::size_t kColumns = 3;
const std::string kRule(68, '-');

// The levels of octave record at r ('['), in dB; empty when the record holds fewer than `values`.
std::vector<double> ReadSpectrum(const MonitorStream& s, std::uint32_t r, int values)
{
    const std::uint32_t length = s.U16At(r + kOctaveLengthOffset);
    if (length < 2u * static_cast<std::uint32_t>(values))
        return {};
    std::vector<double> levels(static_cast<std::size_t>(values));
    for (int i = 0; i < values; ++i)
        levels[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(s.U16At(r + kOctavePayloadOffset + 2 * static_cast<std::uint32_t>(i))) / 10.0;
    return levels;
}

// The centre of band i of the form's band set.
double Centre(bool third, std::size_t i)
{
    const std::span<const double> centres = third ? ThirdOctaveCentrePtr(45) : OctaveCentrePtr(15);
    const std::size_t at = third ? i : 3 * i + 1;
    return at < centres.size() ? centres[at] : 0.0;
}

std::string Entry(const MonitorDocument& m, bool third, const std::vector<double>& levels, std::size_t i)
{
    const auto bands = static_cast<std::size_t>(m.FrequencyBands);
    if (i >= bands)
        return StrPrintf("%7s%10.1f", std::string(NameAt(kMonitorTotalNames, static_cast<long>(i - bands))).c_str(),
                         levels[i]);
    return StrPrintf("%7.1f%10.1f", Centre(third, i), levels[i]);
}

} // namespace

// The spectra of the form's own analysis exist.
bool HasSpectra(const MonitorDocument& m, bool third)
{
    return m.OctaveRecordCount > 0 && m.Setup.Function == (third ? 3 : 2);
}

CivilTime RecordCivil(const MonitorDocument& m, std::uint32_t n)
{
    const MonitorClock c = MonitorClockAt(MonitorRecordTime(m, n, m.Station.SoundStep));
    return {c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second};
}

bool FormatMonitorOctaveText(CTmDoc& doc, LineList& lines, int* widest, bool third, bool allRecords, int record)
{
    ClearLineList(&lines);
    *widest = 0;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    // Each form shows the spectra of its own analysis.
    if (!HasSpectra(m, third))
        return false;
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const int first = allRecords ? 1 : record;
    const int last = allRecords ? m.OctaveRecordCount : record;
    const auto add = [&](std::string line) { AddLine(lines, line, widest); };
    for (int t = std::max(first, 1); t <= std::min(last, static_cast<int>(m.OctaveRecordCount)); ++t) {
        const std::uint32_t r = m.Record(kStreamOctave, static_cast<std::uint32_t>(t));
        const std::vector<double> levels = ReadSpectrum(s, r, m.SpectrumValues);
        if (levels.empty())
            continue; // a record cut short holds no spectrum
        const std::uint32_t n = MonitorRecordNumber(s, r);
        add("");
        add(StrPrintf("Octave %s  No.%s:", third ? "1/3" : "1/1",
                      FormatRecordStamp(static_cast<int>(n), RecordCivil(m, n)).c_str()));
        add(kRule);
        add("   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ");
        add(kRule);
        const std::size_t count = levels.size();
        const std::size_t rows = (count + kColumns - 1) / kColumns;
        for (std::size_t row = 0; row < rows; ++row) {
            std::string line;
            for (std::size_t col = 0; col < kColumns && row + col * rows < count; ++col)
                line += (col > 0 ? "       " : "") + Entry(m, third, levels, row + col * rows);
            add(line);
        }
        add(kRule);
    }
    return true;
}

bool FormatMonitorOctaveTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind, bool third,
                              int record, const TableOutputOptions& options)
{
    tableKind = 2;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    if (!HasSpectra(m, third) || record < 1 || record > m.OctaveRecordCount)
        return false;
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const std::uint32_t r = m.Record(kStreamOctave, static_cast<std::uint32_t>(record));
    const std::vector<double> levels = ReadSpectrum(s, r, m.SpectrumValues);
    if (levels.empty())
        return false;
    std::vector<double> centres(levels.size(), 0.0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(m.FrequencyBands); ++i)
        centres[i] = Centre(third, i);
    const std::uint32_t n = MonitorRecordNumber(s, r);
    const std::string caption = StrPrintf("Octave_%s__No.%s:", third ? "1/3" : "1/1",
                                          FormatRecordStampTable(static_cast<int>(n), RecordCivil(m, n)).c_str());
    static const std::vector<std::string> kTotals(std::begin(kMonitorTotalNames), std::end(kMonitorTotalNames));
    ColumnTableSource source;
    source.BandKind = third ? 4 : 3;
    source.Family525 = true;
    source.FirmwareVersion = m.Setup.SoftwareVersion;
    source.InputKind = 2;
    source.TotalNameList = kTotals;
    source.Ui = &doc.Ui();
    ColumnTableFormat format;
    format.Pairs = 3;
    format.Caption = caption;
    format.HeaderWords = "f[Hz] Lev[dB] f[Hz] Lev[dB] f[Hz] Lev[dB]";
    format.RowFormat = "%-10.1f%-10.1f";
    format.NameFormat = "%-10s%-10.1f";
    return WriteColumnTable(lines, widest, source, centres, levels, 3, options, format) == 1;
}

} // namespace orlu
