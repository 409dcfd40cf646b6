#include "analysis/spectra/FftCrossTable.h"

#include "analysis/spectra/OctaveColumns.h"
#include "analysis/spectra/SpectraFunction.h"
#include "document/MissingValue.h"
#include "document/Subfiles.h"
#include "reports/common/NameTables.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orlu {
namespace {

constexpr std::array<std::string_view, 3> kPhaseUnits{"[rad]     ", "[deg]     ", "[grad]    "};

// The lines of a column: the block's groups, or every group and the TOTAL.
std::pair<std::size_t, std::size_t> StagedRange(const FftSpectrumForm& f)
{
    if (f.block && !f.phase)
        return {static_cast<std::size_t>(f.g1), static_cast<std::size_t>(f.g2) + 1};
    return {0, f.y.size()};
}

std::string ValueFormat(const FftSpectrumForm& f)
{
    if (f.phase)
        return f.phaseUnit == 0 ? "%-10.2f" : "%-10.1f";
    return f.linear() ? "%-10.2e" : "%-10.1f";
}

} // namespace

int AppendFftCrossTable(LineList& lines, int* widest, CTmDoc& doc, const FftTableSetup& setup,
                        std::span<const FftTableColumn> columns, const TableOutputOptions& options)
{
    const auto firstColumn = std::find_if(columns.begin(), columns.end(),
                                          [](const FftTableColumn& c) { return c.form.groups > 0; });
    if (firstColumn == columns.end())
        return 0;
    const FftSpectrumForm& first = firstColumn->form;
    const auto [from, to] = StagedRange(first);
    const std::size_t lineCount = to - from;

    const CurrentHeader& h = doc.Header();
    // The channels of a four-channel file may differ in resolution: each column keeps its
    // frequencies, and names its format where they change.
    const bool fourChannel = !doc.AnalyzerDecoded() && doc.HeaderDecoded() && h.model.FourChannel;
    MultiSpectrumMatrix matrix(lineCount), axes(lineCount);
    std::vector<std::string> inputs, units, formats, axisFormats;
    std::vector<double> axis(lineCount), previousAxis;
    std::vector<double> column(lineCount);
    // Peak marks per channel, the first column's standing for a table of records or files.
    const bool marked = setup.peaksNum > 0 && !first.phase;
    std::vector<std::uint8_t> marks;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const FftSpectrumForm& f = columns[c].form;
        std::fill(column.begin(), column.end(), kMissingValue);
        // A spectrum that cannot be read, or holds fewer lines, keeps its column empty.
        if (f.groups == first.groups && f.y.size() == first.y.size())
            std::copy(f.y.begin() + static_cast<std::ptrdiff_t>(from), f.y.begin() + static_cast<std::ptrdiff_t>(to),
                      column.begin());
        if (!matrix.AppendColumn(column))
            return 0;
        if (fourChannel) {
            std::fill(axis.begin(), axis.end(), kMissingValue);
            if (f.groups == first.groups && f.x.size() >= to)
                std::copy(f.x.begin() + static_cast<std::ptrdiff_t>(from), f.x.begin() + static_cast<std::ptrdiff_t>(to),
                          axis.begin());
            if (!axes.AppendColumn(axis))
                return 0;
            axisFormats.emplace_back(c == 0 || axis != previousAxis ? (f.twoDecimals ? "%-10.2f" : "%-10.1f") : "");
            previousAxis = axis;
        }
        const std::uint16_t kind = columns[c].inputKind;
        inputs.emplace_back(kind < InputShortNames.size() ? InputShortNames[kind] : std::string_view{});
        units.emplace_back(f.phase ? kPhaseUnits[static_cast<std::size_t>(std::clamp(f.phaseUnit, 0, 2))]
                                   : OctaveBracketedUnit(static_cast<std::uint16_t>(f.unitIndex)));
        formats.push_back(ValueFormat(f));
        const std::size_t channel = setup.channelMask != 0 ? static_cast<std::size_t>(columns[c].channel) : 0;
        if (marked && (setup.channelMask != 0 || c == 0)) {
            marks.resize(std::max(marks.size(), (channel + 1) * lineCount), 0);
            for (std::size_t k = from; k < to && k < f.marks.size(); ++k)
                marks[channel * lineCount + (k - from)] = f.marks[k];
        }
    }
    const std::vector<double> frequencies(first.x.begin() + static_cast<std::ptrdiff_t>(from),
                                          first.x.begin() + static_cast<std::ptrdiff_t>(to));

    const bool merged = IsCurrentMultifileKind(doc.FileKind());
    std::vector<std::string> subfileNames;
    std::vector<std::uint16_t> contents;
    for (int n = 1; n <= doc.SubfileCount(); ++n) {
        subfileNames.push_back(doc.GetSubfileName(n));
        contents.push_back(doc.GetSubfileContents().BitsOf(n));
    }
    CrossTableSource source;
    source.ChannelMode = doc.AnalyzerDecoded() && doc.Analyzer().channelCount > 1;
    source.NamedCurrentFamily = !doc.AnalyzerDecoded() && doc.HeaderDecoded() &&
                                (h.model.Family515Text || h.model.Family515 || h.model.Family525 ||
                                 h.model.Family530 || h.model.Family535);
    source.FourChannel = fourChannel;
    source.Merged = merged;
    source.TimeHistory = !merged && !doc.AnalyzerDecoded() && doc.HeaderDecoded() && h.timeHistory;
    source.FftTotalPosition = first.phase || first.block ? 0 : first.totalPosition;
    source.ValuesPerSpectrum = lineCount;
    source.SubfileNames = subfileNames;
    source.SubfileContents = contents;
    source.Ui = doc.App().Ui;

    SpectraCrossTable table;
    table.Kind = 2;
    table.AggregationDegree = first.phase ? 1 : setup.degree;
    table.FunctionCode = setup.function;
    table.PartCode = setup.form;
    table.ChannelA = static_cast<std::uint16_t>(setup.channelA);
    table.ChannelB = static_cast<std::uint16_t>(setup.channelB);
    table.ChannelMask = setup.channelMask;
    table.Frequencies = frequencies;
    table.FrequencyFormat = first.twoDecimals ? "%-10.2f" : "%-10.1f";
    table.FrequencyFormats = axisFormats;
    table.BlockMode = first.block && !first.phase ? 2 : 0;
    table.InputNames = inputs;
    table.UnitNames = units;
    table.ValueFormats = formats;
    table.PeakMarks = marks;
    table.N = static_cast<std::uint8_t>(std::clamp(setup.peaksNum, 0, 255));
    return WriteSpectraCrossTable(lines, widest, source, table, options, matrix, fourChannel ? &axes : nullptr);
}

} // namespace orlu
