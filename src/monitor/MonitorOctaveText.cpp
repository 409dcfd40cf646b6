#include "monitor/MonitorOctaveText.h"

#include "analysis/spectra/OctaveColumns.h"
#include "document/CTmDoc.h"
#include "document/MissingValue.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/CrossTableSource.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr std::size_t kColumns = 3;
constexpr std::uint16_t kSpectrumTotals = 3; // TOT_A, TOT_C, TOT_Lin
constexpr std::uint16_t kDbUnit = 0;
constexpr std::uint16_t kPascalUnit = 2;
constexpr int kBandKindOctave = 3;
constexpr int kBandKindThird = 4;
const std::string kRule(68, '-');

std::uint16_t UnitOf(const MonitorOctaveChoice& c) { return c.linear ? kPascalUnit : kDbUnit; }

// The entries a form shows: the marked ones, else every band and total.
struct Shown {
    std::size_t first = 0;
    std::size_t count = 0;
};

// The totals among the shown entries: they come last, and keep their names also in a
// block, where a centre frequency of 0 would stand for them otherwise.
std::uint16_t ShownTotals(const Shown& shown, std::size_t bands)
{
    const std::size_t end = shown.first + shown.count;
    return static_cast<std::uint16_t>(end > bands ? std::min(end - bands, shown.count) : 0);
}

Shown ShownEntries(const MonitorOctaveChoice& c, std::size_t entries)
{
    if (!c.block)
        return {0, entries};
    const auto first = static_cast<std::size_t>(std::max(c.first, 0));
    const auto last = std::min(static_cast<std::size_t>(std::max(c.last, 0)), entries - 1);
    return first > last ? Shown{first, 0} : Shown{first, last - first + 1};
}

std::string Entry(const MonitorOctaveChoice& c, std::size_t bands, const std::vector<double>& values, std::size_t i)
{
    std::string cell;
    if (i >= bands) {
        const std::string name(NameAt(kMonitorTotalNames, static_cast<long>(i - bands)));
        cell = c.linear ? StrPrintf("%7s%11.2e", name.c_str(), values[i]) : StrPrintf("%7s%10.1f", name.c_str(), values[i]);
    } else {
        const double centre = MonitorBandCentre(c.third, i);
        cell = c.linear ? StrPrintf("%7.1f%11.2e", centre, values[i]) : StrPrintf("%7.1f%10.1f", centre, values[i]);
    }
    // Two exponent digits: the linear cell is 17 characters wide, as a level's is.
    DropExponentDigit(cell);
    return cell;
}

std::string Title(const MonitorOctaveChoice& c, const MonitorDocument& m, std::uint32_t n, bool table)
{
    const CivilTime when = MonitorRecordCivil(m, n);
    const std::string stamp = table ? FormatRecordStampTable(static_cast<int>(n), when)
                                    : FormatRecordStamp(static_cast<int>(n), when);
    const char* band = c.third ? "1/3" : "1/1";
    return std::string(c.block ? (table ? "Block_of_the_" : "Block of the ") : "") +
           StrPrintf(table ? "Octave_%s__No.%s:" : "Octave %s  No.%s:", band, stamp.c_str());
}

const std::vector<std::string>& TotalNames()
{
    static const std::vector<std::string> names(std::begin(kMonitorTotalNames), std::end(kMonitorTotalNames));
    return names;
}

bool AllRecordsTable(CTmDoc& doc, LineList& lines, int* widest, const MonitorDocument& m, const MonitorStream& s,
                     const MonitorOctaveChoice& c, const TableOutputOptions& options)
{
    const std::size_t bands = MonitorFormBands(m, c.third);
    const Shown shown = ShownEntries(c, bands + kSpectrumTotals);
    if (shown.count == 0)
        return false;
    MultiSpectrumMatrix matrix(shown.count);
    std::vector<double> column(shown.count);
    for (std::uint32_t t = 1; t <= static_cast<std::uint32_t>(m.OctaveRecordCount); ++t) {
        const std::optional<MonitorSpectrum> spectrum = ReadMonitorSpectrum(s, m, c, t);
        // A record cut short keeps its column, empty.
        std::fill(column.begin(), column.end(), kMissingValue);
        if (spectrum)
            std::copy_n(spectrum->values.begin() + static_cast<std::ptrdiff_t>(shown.first), shown.count,
                        column.begin());
        if (!matrix.AppendColumn(column))
            return false;
    }
    std::vector<double> frequencies(shown.count, 0.0);
    for (std::size_t i = 0; i < shown.count && shown.first + i < bands; ++i)
        frequencies[i] = MonitorBandCentre(c.third, shown.first + i);
    CrossTableSource source;
    source.Monitor = true;
    source.TimeHistory = true;
    // A block's totals are named from the first one it shows.
    const std::size_t firstTotal = shown.first > bands ? shown.first - bands : 0;
    source.TotalNameList = std::span<const std::string>(TotalNames()).subspan(std::min(firstTotal, TotalNames().size()));
    source.Ui = &doc.Ui();
    SpectraCrossTable table;
    table.Kind = c.third ? kBandKindThird : kBandKindOctave;
    table.UnitText = OctaveBracketedUnit(UnitOf(c));
    table.Frequencies = frequencies;
    table.TailCount = ShownTotals(shown, bands);
    table.ValueFormat = c.linear ? "%-10.2e" : "%-10.1f";
    // The block's rows are its bands and totals as they are, without the block-total rows of
    // other files' block tables: only the caption says it is a block.
    const std::string caption = std::string("Blocks_of_Octaves_") + (c.third ? "1/3:" : "1/1:");
    if (c.block)
        table.CaptionOverride = caption;
    return WriteSpectraCrossTable(lines, widest, source, table, options, matrix) == 1;
}

} // namespace

bool FormatMonitorOctaveText(CTmDoc& doc, LineList& lines, int* widest, const MonitorOctaveChoice& choice,
                             bool allRecords, int record)
{
    ClearLineList(&lines);
    *widest = 0;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    if (!HasMonitorSpectra(m, choice.third))
        return false;
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const std::size_t bands = MonitorFormBands(m, choice.third);
    const int first = allRecords ? 1 : record;
    const int last = allRecords ? m.OctaveRecordCount : record;
    const auto add = [&](std::string line) { AddLine(lines, line, widest); };
    for (int t = std::max(first, 1); t <= std::min(last, static_cast<int>(m.OctaveRecordCount)); ++t) {
        const std::optional<MonitorSpectrum> spectrum = ReadMonitorSpectrum(s, m, choice, static_cast<std::uint32_t>(t));
        if (!spectrum)
            continue;
        add("");
        add(Title(choice, m, spectrum->number, false));
        if (choice.block) {
            const std::string total = spectrum->blockTotal == kMissingValue ? std::string("----")
                                      : choice.linear ? StrPrintf("%.2e", spectrum->blockTotal)
                                                      : StrPrintf("%.1f", spectrum->blockTotal);
            std::string line = "Block RMS = " + total + " " + std::string(OctaveUnitName(UnitOf(choice)));
            DropExponentDigit(line);
            add(line);
        }
        add(kRule);
        add(std::string(OctaveColumnHeader(UnitOf(choice))));
        add(kRule);
        const Shown shown = ShownEntries(choice, spectrum->values.size());
        const std::size_t rows = (shown.count + kColumns - 1) / kColumns;
        for (std::size_t row = 0; row < rows; ++row) {
            std::string line;
            for (std::size_t col = 0; col < kColumns && row + col * rows < shown.count; ++col)
                line += (col > 0 ? "       " : "") + Entry(choice, bands, spectrum->values, shown.first + row + col * rows);
            add(line);
        }
        add(kRule);
    }
    return true;
}

bool FormatMonitorOctaveTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                              const MonitorOctaveChoice& choice, bool allRecords, int record,
                              const TableOutputOptions& options)
{
    tableKind = 2;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    if (!HasMonitorSpectra(m, choice.third))
        return false;
    const MonitorStream s(doc.Image(), doc.ByteCount());
    if (allRecords)
        return AllRecordsTable(doc, lines, widest, m, s, choice, options);
    if (record < 1)
        return false;
    const std::optional<MonitorSpectrum> spectrum =
        ReadMonitorSpectrum(s, m, choice, static_cast<std::uint32_t>(record));
    if (!spectrum)
        return false;
    const std::size_t bands = MonitorFormBands(m, choice.third);
    const Shown shown = ShownEntries(choice, spectrum->values.size());
    if (shown.count == 0)
        return false;
    std::vector<double> centres(shown.count, 0.0);
    for (std::size_t i = 0; i < shown.count && shown.first + i < bands; ++i)
        centres[i] = MonitorBandCentre(choice.third, shown.first + i);
    const std::span<const double> values(spectrum->values.data() + shown.first, shown.count);
    const std::string caption = Title(choice, m, spectrum->number, true);
    ColumnTableSource source;
    source.BandKind = choice.third ? kBandKindThird : kBandKindOctave;
    source.Family525 = true;
    source.FirmwareVersion = m.Setup.SoftwareVersion;
    source.InputKind = 2;
    source.TotalNameList = TotalNames();
    source.Ui = &doc.Ui();
    ColumnTableFormat format;
    format.Pairs = 3;
    format.Caption = caption;
    format.HeaderWords = choice.linear ? "f[Hz] Lev[Pa] f[Hz] Lev[Pa] f[Hz] Lev[Pa]"
                                       : "f[Hz] Lev[dB] f[Hz] Lev[dB] f[Hz] Lev[dB]";
    format.RowFormat = choice.linear ? "%-10.1f%-10.2e" : "%-10.1f%-10.1f";
    format.NameFormat = choice.linear ? "%-10s%-10.2e" : "%-10s%-10.1f";
    return WriteColumnTable(lines, widest, source, centres, values, ShownTotals(shown, bands), options, format) == 1;
}

} // namespace orlu
