#include "analysis/statistics/LoggerForms.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/statistics/LoggerColumns.h"
#include "analysis/statistics/TimeHistoryText.h"
#include "document/MissingValue.h"
#include "document/headers/CurrentHeader.h"
#include "document/texts/NumberTexts.h"
#include "platform/CompiledFormat.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/BufferCrossTable.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr std::string_view kRpmHeader = " Res.No.        RPM       Res.No.        RPM       Res.No.        RPM  ";

bool LinearDisplay(const CTmDoc& doc, std::uint8_t units)
{
    return doc.Channel().inputKind == kInputMicrophone ? units == 1 : units == 0;
}

// The quantity of a linear value: accelerometers by their filter, every other input 1.
int DisplayedQuantity(const CurrentChannel& ch)
{
    if (ch.inputKind != kInputAccelerometer)
        return 1;
    if (ch.filter >= 8 && ch.filter <= 10)
        return 3;
    if (ch.filter >= 4 && ch.filter <= 7)
        return 2;
    return ch.filter == 15 ? 4 : 1;
}

// Unit index of a column's values; samples are in pascal or m/s2 whatever the option.
int UnitIndexOf(const CTmDoc& doc, const LoggerColumn& c, bool linear)
{
    const CurrentChannel& ch = doc.Channel();
    if (c.content == LoggerContent::Samples)
        return ch.inputKind == kInputMicrophone ? 2 : 3;
    if (!linear)
        return 0;
    const int q = DisplayedQuantity(ch);
    // The KB value (filter KB) has no unit: its heading is the same in either unit system.
    if (q == 4)
        return 6;
    return GetUnitIndex(q, ch.inputKind, doc.Levels().nonMetric);
}

struct Shown {
    LoggerColumn column;
    bool totals = false;  ///< the running total in place of the values
    bool linear = false;  ///< values written as linear numbers
    int unit = 0;
    LoggerValues values;
};

Shown ShowColumn(CTmDoc& doc, const LoggerPlace& place, const BufferChoices& choices, int row, int degree)
{
    Shown s;
    s.column = DescribeLoggerColumn(doc, place, row, choices.resultIndex[static_cast<std::size_t>(std::min(row, 4))]);
    s.totals = choices.totals && s.column.total != TotalKind::None && s.column.content != LoggerContent::Samples;
    const bool linear = LinearDisplay(doc, choices.units) && s.column.content != LoggerContent::Rotation;
    s.unit = UnitIndexOf(doc, s.column, linear);
    s.linear = linear || s.column.content == LoggerContent::Samples;
    s.values = ReadLoggerValues(doc, place, s.column, s.totals, linear, degree);
    return s;
}

std::string ContentsWord(const LoggerPlace& place)
{
    std::string word = place.layout == LoggerLayout::Slots ? "Logger contents" : "Buffer contents";
    // A Multifile's logger names the file it belongs to.
    if (!place.multifileName.empty())
        word += StrPrintf(" (file: %s)", place.multifileName.c_str());
    return word;
}

// "Block of the ", the total's words, and the contents word.
std::string CaptionStart(const LoggerPlace& place, const BufferChoices& choices, const Shown& s)
{
    std::string caption = choices.block ? "Block of the " : "";
    if (s.totals)
        caption += s.column.total == TotalKind::TotalLeq ? "Total LEQ for " : "Total RMS for ";
    return caption + ContentsWord(place);
}

// The weighting, and the detector of maxima and minima, closed by ')'.
std::string WeightingPart(const CTmDoc& doc, const LoggerPlace& place, const std::string& name)
{
    std::string part = StrPrintf(" (%s", LoggerWeightingName(doc, place).c_str());
    if (CaptionNamesDetector(name))
        part += StrPrintf(",%s", LoggerDetectorName(doc).c_str());
    return part + ")";
}

std::string ResultPart(const CTmDoc& doc, const LoggerPlace& place, const LoggerColumn& c)
{
    switch (c.content) {
    case LoggerContent::Samples:
        return StrPrintf("  %s #%d  -  %s ", "Channel", c.row + 1, "TIME");
    case LoggerContent::Vector:
        return "  RMS Vector";
    case LoggerContent::Rotation:
        return StrPrintf("%s  -  %s", "  Rotation", "RPM");
    case LoggerContent::Levels:
        break;
    }
    const std::string weighting = WeightingPart(doc, place, c.name);
    if (place.layout == LoggerLayout::FourChannel)
        return StrPrintf("  %s #%d:P%d  -  %s", "Channel", c.row + 1, c.profile + 1, c.name.c_str()) + weighting;
    return StrPrintf("  %s #%d  -  %s", "Profile", c.row + 1, c.name.c_str()) + weighting;
}

std::string CountLine(const char* format, std::size_t count, int degree)
{
    std::string line = StrPrintf(format, static_cast<unsigned long>(count));
    if (degree > 1)
        line += StrPrintf(" [aggreg.degree=%d]", degree);
    return line;
}

// The step line of the rotation: the results' step in the file's time unit.
std::string RotationStepLine(const LoggerPlace& place)
{
    switch (place.timeUnit) {
    case 1:
        return StrPrintf("   results DELTA_INT = %g %s", place.timeStep / 60.0, "m");
    case 2:
        return StrPrintf("   results DELTA_INT = %g %s", place.timeStep / 3600.0, "h");
    default:
        return StrPrintf("   results DELTA_INT = %g %s", place.timeStep, "s");
    }
}

class TextWriter {
public:
    TextWriter(LineList& lines, int widest) : m_Lines(lines), m_Widest(widest) {}
    void Add(std::string line) { AddLine(m_Lines, line, &m_Widest); }
    LineList& Lines() { return m_Lines; }
    int* Widest() { return &m_Widest; }
    int WidestLine() const { return m_Widest; }

private:
    LineList& m_Lines;
    int m_Widest;
};

void TextHead(TextWriter& out, const std::string& caption, std::size_t records, const PositionRange& range,
              const BufferChoices& choices, int degree)
{
    out.Add("");
    out.Add(caption);
    out.Add(CountLine("   total number of results = %lu", records / static_cast<std::size_t>(degree), degree));
    if (choices.block)
        out.Add(StrPrintf("   number of results in the block = %lu", static_cast<unsigned long>(range.count)));
}

void TextColumn(TextWriter& out, const CTmDoc& doc, const LoggerPlace& place, const BufferChoices& choices,
                const Shown& s, int degree)
{
    const std::string rule(kTimeHistoryRuleLength, '-');
    const PositionRange range = ShownPositions(choices.block, choices.markers, degree, s.values.values.size());
    TextHead(out, CaptionStart(place, choices, s) + ResultPart(doc, place, s.column), place.records, range, choices,
             degree);
    out.Add(StrPrintf("   results time step = %g s", degree * place.timeStep));
    out.Add(rule);
    out.Add(LevelHeaderRow(LevelHeading(s.unit)));
    out.Add(rule);
    AppendColumnRows(out.Lines(), out.Widest(), range.count, [&](std::size_t i, std::string& row) {
        const std::size_t at = range.first + i;
        const char mark = !s.totals && s.values.overload[at] ? '*' : ' ';
        AppendLevelCell(row, at + 1, s.values.values[at], s.linear, mark);
    });
    out.Add(rule);
}

void TextRotation(TextWriter& out, const LoggerPlace& place, const BufferChoices& choices, const Shown& s, int degree)
{
    const std::string rule(kTimeHistoryRuleLength, '-');
    const PositionRange range = ShownPositions(choices.block, choices.markers, degree, s.values.values.size());
    std::string caption = choices.block ? "Block of the " : "";
    TextHead(out, caption + ContentsWord(place) + StrPrintf("%s  -  %s", "  Rotation", "RPM"), place.records, range,
             choices, degree);
    out.Add(RotationStepLine(place));
    out.Add(rule);
    out.Add(std::string(kRpmHeader));
    out.Add(rule);
    static const CompiledFormat kRpmCell("%6ld%13.3f%c");
    AppendColumnRows(out.Lines(), out.Widest(), range.count, [&](std::size_t i, std::string& row) {
        const std::size_t at = range.first + i;
        kRpmCell.Append(row, static_cast<long>(at + 1), s.values.values[at], ' ');
    });
    out.Add(rule);
}

} // namespace

bool TextLogger(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices)
{
    ClearLineList(&lines);
    const std::optional<LoggerPlace> place = LocateLogger(doc);
    if (!place)
        return false;
    // The renderer selects each row it shows; the view keeps its own.
    const SubfileSelectionKeeper keeper(doc);
    const int degree = std::max(choices.degree, 1);
    TextWriter out(lines, widest ? *widest : 0);
    const LoggerRows shown = ShownLoggerRows(*place, choices.channelMask, choices.resultIndex);
    for (int row : shown.rows)
        TextColumn(out, doc, *place, choices, ShowColumn(doc, *place, choices, row, degree), degree);
    if (shown.rotation) {
        BufferChoices rotation = choices;
        rotation.resultIndex[kLoggerPseudoRow] = place->vector ? 1 : 0;
        TextRotation(out, *place, choices, ShowColumn(doc, *place, rotation, kLoggerPseudoRow, degree), degree);
    }
    if (widest)
        *widest = out.WidestLine();
    return true;
}

namespace {

// The unit word of a cross-table column.
std::string UnitWord(const CTmDoc& doc, const Shown& s)
{
    const CurrentChannel& ch = doc.Channel();
    if (s.column.content == LoggerContent::Samples)
        return ch.inputKind == kInputMicrophone ? "[Pa]      " : "[m/s\xB2]    ";
    if (!s.linear)
        return "[dB]      ";
    switch (DisplayedQuantity(ch)) {
    case 2:
        return "[m/s]     ";
    case 3:
        return "[m]       ";
    case 4:
        return "[KB]      ";
    default:
        break;
    }
    if (ch.inputKind == kInputReference || ch.inputKind == kInputDirect)
        return "[V]       ";
    return ch.inputKind == kInputMicrophone ? "[Pa]      " : "[m/s\xB2]    ";
}

void TableSingle(CTmDoc& doc, LineList& lines, int* widest, const LoggerPlace& place, const BufferChoices& choices,
                 const TableOutputOptions& options, int degree)
{
    // The first row shown, or the first profile when the mask shows none.
    const std::vector<int> rows = ShownLoggerRows(place, choices.channelMask, choices.resultIndex).rows;
    const int row = rows.empty() ? 0 : rows.front();
    const Shown s = ShowColumn(doc, place, choices, row, degree);
    const PositionRange range = ShownPositions(choices.block, choices.markers, degree, s.values.values.size());
    std::string caption = (choices.block ? "Block of the " : "");
    if (s.totals)
        caption += s.column.total == TotalKind::TotalLeq ? "Total LEQ for " : "Total RMS for ";
    caption += ContentsWord(place) + ":";
    caption += StrPrintf("  %s #%d  -  %s ", "Profile", row + 1, s.column.name.c_str());
    if (degree > 1)
        caption += StrPrintf("  [aggreg.degree=%d] ", degree);
    SpacesToUnderscores(caption);
    const int unit = !s.linear ? 0
                     : doc.Channel().inputKind == kInputReference || doc.Channel().inputKind == kInputDirect ? 1
                     : doc.Channel().inputKind == kInputMicrophone                                        ? 2
                                                                                                           : 3;
    std::string header;
    for (int k = 0; k < 3; ++k)
        header += (k ? " Res.No. " : "Res.No. ") + std::string(LevelHeading(unit));
    std::vector<double> x(range.count);
    for (std::size_t i = 0; i < range.count; ++i)
        x[i] = static_cast<double>(range.first + i + 1);
    ColumnTableSource source;
    source.InputKind = doc.Channel().inputKind;
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = s.linear ? "%-10.0f%-10.2e" : "%-10.0f%-10.1f",
                                   .NameFormat = nullptr};
    WriteColumnTable(lines, widest, source, x, std::span(s.values.values).subspan(range.first, range.count), 0,
                     options, format);
}

void TableColumns(CTmDoc& doc, LineList& lines, int* widest, const LoggerPlace& place, const BufferChoices& choices,
                  const TableOutputOptions& options, int degree)
{
    const LoggerRows shown = ShownLoggerRows(place, choices.channelMask, choices.resultIndex);
    const bool fourChannel = place.layout == LoggerLayout::FourChannel;
    BufferCrossTable table;
    table.LaterModel = place.layout == LoggerLayout::Slots;
    table.BlockShown = choices.block;
    table.ColumnKind = fourChannel ? CrossElementKind::Channel : CrossElementKind::Profile;
    std::vector<LoggerValues> columns;
    std::size_t values = 0;
    auto add = [&](Shown s) {
        const LoggerColumn& c = s.column;
        const bool pseudo = c.row >= place.channels;
        table.Labels.push_back(BufferChannelLabel(c.row + 1, fourChannel && !pseudo && !place.samples
                                                                 ? std::optional<int>(c.profile + 1)
                                                                 : std::nullopt));
        if (c.content == LoggerContent::Rotation) {
            table.FunctionNames.push_back("RPM");
            table.FilterNames.push_back("----");
            table.DetectorNames.push_back("----");
            table.UnitNames.push_back("[rpm]     ");
            table.ValueFormats.push_back("%-10.3f");
        } else {
            table.FunctionNames.push_back(c.content == LoggerContent::Samples ? "TIME"
                                          : s.totals ? (c.total == TotalKind::TotalLeq ? "totLEQ" : "totRMS")
                                                     : c.name);
            table.FilterNames.push_back(pseudo ? "MODULE" : LoggerWeightingName(doc, place));
            table.DetectorNames.push_back(c.content != LoggerContent::Vector && CaptionNamesDetector(c.name)
                                              ? LoggerDetectorName(doc)
                                              : "----");
            table.UnitNames.push_back(UnitWord(doc, s));
            table.ValueFormats.push_back(s.linear ? "%-10.2e" : "%-10.1f");
        }
        values = std::max(values, s.values.values.size());
        columns.push_back(std::move(s.values));
    };
    for (int row : shown.rows)
        add(ShowColumn(doc, place, choices, row, degree));
    if (shown.rotation) {
        BufferChoices rotation = choices;
        rotation.resultIndex[kLoggerPseudoRow] = place.vector ? 1 : 0;
        add(ShowColumn(doc, place, rotation, kLoggerPseudoRow, degree));
    }
    // Recordings name neither profiles, weightings nor detectors.
    if (place.samples) {
        table.FilterNames.clear();
        table.DetectorNames.clear();
    }
    const PositionRange range = ShownPositions(choices.block, choices.markers, degree, values);
    for (std::size_t i = 0; i < range.count; ++i)
        table.ResultNumbers.push_back(static_cast<double>(range.first + i + 1));
    table.ExtraLine1 = choices.block ? CountLine("number of results in the block = %lu", range.count, degree)
                                     : CountLine("total number of results = %lu",
                                                 place.records / static_cast<std::size_t>(degree), degree);
    table.ExtraLine2 = StrPrintf("results time step = %g s", degree * place.timeStep);
    MultiSpectrumMatrix matrix(range.count);
    StageBufferColumns(matrix, columns, range.first, range.count);
    WriteBufferCrossTable(lines, widest, table, matrix, options);
}

} // namespace

bool TableLogger(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const BufferChoices& choices,
                 const TableOutputOptions& options)
{
    content = 2;
    const std::optional<LoggerPlace> place = LocateLogger(doc);
    if (!place)
        return false;
    const SubfileSelectionKeeper keeper(doc);
    const int degree = std::max(choices.degree, 1);
    int wide = widest ? *widest : 0;
    if (doc.Header().statisticsMask == 0)
        TableSingle(doc, lines, &wide, *place, choices, options, degree);
    else
        TableColumns(doc, lines, &wide, *place, choices, options, degree);
    if (widest)
        *widest = std::max(*widest, wide);
    return true;
}

} // namespace orlu
