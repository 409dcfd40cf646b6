#include "reports/table/SpectraCrossTable.h"

#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/ReportColumnTitles.h"
#include "reports/table/CrossTableRows.h"
#include "reports/table/CrossTableText.h"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

namespace orlu {
namespace {

// Caption rows of the level tables: a base row plus the octave kind.
constexpr int kRowLevelsBase = 125;
constexpr int kRowMergedLevelsBase = 127;
constexpr int kRowFileName = 93; // " (file: %s) ", written without its last blank

constexpr int kKindFft = 2;
constexpr int kKindOctave = 3;
constexpr int kKindThirdOctave = 4;
constexpr int kKindPhase = 5;
constexpr int kLevelModeOffset = 10;
constexpr int kStatisticalLevelsOffset = 20;
constexpr int kPartPhase = 1;
constexpr int kFirstTwoChannelFunction = 5;
constexpr int kFunctionReversedPair = 6;
constexpr std::uint8_t kBlockMode = 2;

// Content bits of a sub-file holding spectra of a kind.
constexpr std::uint16_t kContentFft = 0x20;
constexpr std::uint16_t kContentOctave = 0x08;
constexpr std::uint16_t kContentThirdOctave = 0x10;

constexpr std::string_view kDefaultFrequencyFormat = "%-10.1f";
constexpr std::string_view kTotalName = "TOTAL";
constexpr std::string_view kBlockTotalName = "Blk_RMS";

// Values read at once: a block of whole columns, or of lines of every column; 8 MB at
// most, so that a matrix in a scratch file is read in few calls.
constexpr std::size_t kBlockValues = 1 << 20;

class SpectraTable {
public:
    SpectraTable(LineList& lines, const CrossTableSource& doc, const SpectraCrossTable& table,
                 const TableOutputOptions& options, const MultiSpectrumMatrix& matrix,
                 const MultiSpectrumMatrix* frequencyMatrix)
        : m_Doc(doc), m_Table(table), m_Matrix(matrix), m_Rows(lines, options),
          m_Layout(options.FormatFlag % 2), m_Lines(matrix.LineCount()), m_Columns(matrix.ColumnCount()),
          m_Kind(table.Kind), m_FrequencyAxes(frequencyMatrix && doc.FourChannel ? frequencyMatrix : nullptr)
    {
        m_Named = std::min<std::size_t>(table.TailCount, m_Lines);
    }

    int Write(int* widthOut)
    {
        m_Rows.Caption(Caption());
        PrepareColumns();
        if (m_Layout == 0)
            WriteRowPerColumn();
        else
            WriteRowPerLine();
        if (widthOut)
            *widthOut = m_Rows.Widest();
        return 1;
    }

private:
    bool Mask() const { return m_Table.ChannelMask != 0; }
    bool Inputs() const { return !m_Table.InputNames.empty(); }
    bool MergedAny() const { return m_Doc.Merged || m_Doc.Merged505; }

    std::string FileName() const { return m_Doc.SubfileName(m_Table.FileIndex); }

    // The caption; it also settles the kind the rest of the table is written as.
    std::string Caption()
    {
        std::string caption;
        if (m_Table.BlockMode == kBlockMode)
            caption += CaptionRow(kCaptionBlocksOf);
        if (m_Kind > kStatisticalLevelsOffset) {
            m_Kind -= kStatisticalLevelsOffset;
            caption += FormatCaptionRow(kRowLevelsBase + m_Kind, m_Table.N);
        } else if (m_Kind > kLevelModeOffset) {
            m_Kind -= kLevelModeOffset;
            m_LevelMode = true;
            if (m_Doc.Merged)
                caption += FormatCaptionRow(kRowMergedLevelsBase + m_Kind, m_Table.N, FileName());
            else
                caption += FormatCaptionRow(kRowLevelsBase + m_Kind, m_Table.N);
        } else if (m_Kind == kKindFft) {
            caption += CaptionRow(kCaptionSpectraFunctionBase + m_Table.FunctionCode);
            caption += CaptionRow(kCaptionSpectrumPartBase + m_Table.PartCode);
            if (m_Doc.Merged && m_Doc.FourChannel && m_FrequencyAxes)
                caption += FileNameText();
            if (m_Table.PartCode == kPartPhase)
                m_Kind = kKindPhase;
        } else if (!m_Table.CaptionOverride.empty()) {
            caption += m_Table.CaptionOverride;
        } else {
            std::string_view row = CaptionRow(kCaptionCrossTableBase + m_Kind);
            if (m_Table.RecordNumber != 0 && !row.empty()) {
                // The number takes the place of the row's closing colon.
                row.remove_suffix(1);
                caption += row;
                caption += FormatCaptionRow(kCaptionNumber, m_Table.RecordNumber);
            } else {
                caption += row;
            }
            if (m_Doc.Merged && m_Doc.FourChannel)
                caption += FileNameText();
        }
        if ((m_Doc.ChannelMode || m_Doc.FourChannel) && !Mask())
            caption += FormatCaptionRow(kCaptionChannelNumber, m_Table.ChannelA + 1);
        if (m_Table.AggregationDegree > 1)
            caption += FormatCaptionRow(kCaptionAggregationDegree, m_Table.AggregationDegree);
        if (!m_Table.PeakMarks.empty())
            caption += FormatCaptionRow(kCaptionGreatestPeaks, m_Table.N);
        return caption;
    }

    std::string FileNameText() const
    {
        std::string text = FormatCaptionRow(kRowFileName, FileName());
        text.pop_back();
        return text;
    }

    // Per column: its value format, its label cells and where its frequencies come from.
    void PrepareColumns()
    {
        m_ValueFormats.resize(m_Columns);
        m_AxisStarts.assign(m_Columns, false);
        m_AxisFormats.resize(m_Columns);
        const std::string_view frequencyFormat =
            m_Table.FrequencyFormat.empty() ? kDefaultFrequencyFormat : m_Table.FrequencyFormat;
        m_FrequencyFormat = &m_Rows.FormatOf(frequencyFormat);
        for (std::size_t c = 0; c < m_Columns; ++c) {
            m_ValueFormats[c] = &m_Rows.FormatOf(ListEntry(m_Table.ValueFormats, c, m_Table.ValueFormat));
            if (m_FrequencyAxes) {
                const std::string_view own = ListEntry(m_Table.FrequencyFormats, c, {});
                m_AxisStarts[c] = c == 0 || !own.empty();
                m_AxisFormats[c] = m_AxisStarts[c] ? &m_Rows.FormatOf(own.empty() ? frequencyFormat : own)
                                                   : m_AxisFormats[c - 1];
            }
        }
    }

    static std::string_view ListEntry(std::span<const std::string> list, std::size_t c, std::string_view otherwise)
    {
        return c < list.size() ? std::string_view(list[c]) : otherwise;
    }

    // The label of column c, with its input name after it when withInput is set.
    void Label(std::size_t c, bool withInput)
    {
        if (m_LevelMode) {
            if (Mask())
                ChannelLabel(c, withInput);
            else
                m_Rows.Cell(StrPrintf("L%-9d", m_Table.N));
        } else if (m_Doc.NamedCurrentFamily || m_Doc.Monitor || (m_Doc.FourChannel && !m_FrequencyAxes)) {
            if (m_Doc.TimeHistory || m_Doc.Monitor)
                m_Rows.Integer(static_cast<long long>(c + 1));
            else if (m_Doc.Merged && m_Doc.FourChannel && m_Table.ColumnNames.empty() && Inputs())
                ChannelLabel(c, withInput);
            else if (m_Doc.Merged)
                m_Rows.Text(NameOfSubfileWithKind(c));
            else if (m_Doc.FourChannel && m_Table.ColumnNames.empty())
                ChannelLabel(c, withInput);
            else if (c < m_Table.ColumnNames.size())
                m_Rows.Text(m_Table.ColumnNames[c]);
            else
                m_Rows.Integer(static_cast<long long>(c + 1)); // no name given: the column's number
        } else if (m_Doc.Merged505) {
            m_Rows.Text(m_Doc.SubfileName(c + 1));
        } else if (m_Table.FunctionCode >= kFirstTwoChannelFunction) {
            TwoChannelLabel(c);
        } else if (Mask()) {
            ChannelLabel(c, withInput);
        } else if (c < m_Table.ColumnNames.size()) {
            m_Rows.Text(m_Table.ColumnNames[c]);
        } else {
            m_Rows.Integer(static_cast<long long>(c + 1));
        }
    }

    void ChannelLabel(std::size_t c, bool withInput)
    {
        m_Rows.Cell(StrPrintf("#%-9d", MaskChannel(m_Table.ChannelMask, c) + 1));
        if (withInput && Inputs())
            m_Rows.Text(ListEntry(m_Table.InputNames, c, {}));
    }

    void TwoChannelLabel(std::size_t c)
    {
        const int a = m_Table.ChannelA + 1;
        const int b = m_Table.ChannelB + 1;
        if (c == 0)
            m_Rows.Cell(StrPrintf("#%-9d", a));
        else if (c == 1)
            m_Rows.Cell(StrPrintf("#%-9d", b));
        else if (m_Table.FunctionCode == kFunctionReversedPair)
            m_Rows.Cell(StrPrintf("#%1d/#%-6d", b, a));
        else
            m_Rows.Cell(StrPrintf("#%1d/#%-6d", a, b));
    }

    // The (c + 1)-th sub-file holding the kind of spectra shown. A kind no sub-file
    // flag names (phase spectra) counts every sub-file.
    std::string NameOfSubfileWithKind(std::size_t c) const
    {
        const std::uint16_t bit = m_Kind == kKindFft           ? kContentFft
                                  : m_Kind == kKindOctave      ? kContentOctave
                                  : m_Kind == kKindThirdOctave ? kContentThirdOctave
                                                               : 0;
        if (bit == 0)
            return m_Doc.SubfileName(c + 1);
        std::size_t seen = 0;
        for (std::size_t n = 0; n < m_Doc.SubfileContents.size(); ++n)
            if ((m_Doc.SubfileContents[n] & bit) && seen++ == c)
                return m_Doc.SubfileName(n + 1);
        return {};
    }

    bool IsFftTotalLine(std::size_t k) const
    {
        if (m_Table.BlockMode == kBlockMode || m_Kind != kKindFft)
            return false;
        return (k == 0 && m_Doc.FftTotalPosition == 1) || (k + 1 == m_Lines && m_Doc.FftTotalPosition == 2);
    }

    // The frequency cell of line k; frequency is the line's frequency from the
    // column's axis, or the shared list.
    void FrequencyCell(std::size_t k, double frequency, const CrossTableRows::NumberFormat& format)
    {
        if (IsFftTotalLine(k)) {
            m_Rows.Text(kTotalName);
        } else if (k < m_Lines - m_Named) {
            m_Rows.Number(frequency, format);
        } else if (m_Table.BlockMode == kBlockMode) {
            m_Rows.Text(kBlockTotalName);
        } else {
            const std::size_t entry = k - (m_Lines - m_Named);
            m_Rows.Text(entry < m_Doc.TotalNameList.size() ? std::string_view(m_Doc.TotalNameList[entry]) : "");
        }
    }

    double SharedFrequency(std::size_t k) const
    {
        return k < m_Table.Frequencies.size() ? m_Table.Frequencies[k] : kMissingValue;
    }

    // Whether line k of column c is shown: the peak marks hide every line that is not a peak.
    bool Shown(std::size_t c, std::size_t k) const
    {
        if (m_Table.PeakMarks.empty())
            return true;
        const std::size_t channel = Mask() ? static_cast<std::size_t>(MaskChannel(m_Table.ChannelMask, c)) : 0;
        const std::size_t at = m_Table.PeakOffset + m_Doc.ValuesPerSpectrum * channel + k;
        return at < m_Table.PeakMarks.size() && m_Table.PeakMarks[at] != 0;
    }

    void ValueCell(std::size_t c, std::size_t k, double value)
    {
        if (Shown(c, k))
            m_Rows.Number(value, *m_ValueFormats[c]);
        else
            m_Rows.Missing();
    }

    void UnitCell(std::size_t c)
    {
        if (!m_Table.UnitNames.empty())
            m_Rows.Text(ListEntry(m_Table.UnitNames, c, {}));
        else
            m_Rows.Cell(m_Table.UnitText);
    }

    void DateAndTimeCells(std::size_t c)
    {
        if (!m_Table.Dates.empty())
            m_Rows.Date(c < m_Table.Dates.size() ? m_Table.Dates[c] : 0);
        if (!m_Table.Times.empty())
            m_Rows.Time(c < m_Table.Times.size() ? m_Table.Times[c] : 0);
    }

    // The first cells of a row of frequencies: what the rows below are, then the unit.
    std::string_view FrequencyRowHead() const
    {
        if (Mask() && Inputs())
            return "chan      inp\\f->   ";
        if (Mask())
            return "chan\\f->  ";
        if (m_LevelMode)
            return "freq      ";
        if (MergedAny())
            return "file\\f->  ";
        return "spct\\f->  ";
    }

    void WriteRowPerColumn()
    {
        if (!m_Table.Dates.empty())
            m_Rows.Cell(ReportColumnTitles[kTitleCrossDate]);
        if (!m_Table.Times.empty())
            m_Rows.Cell(ReportColumnTitles[kTitleCrossHour]);
        m_Rows.Cell(Mask() && Inputs() ? "___       no_->     []        " : "no_       []        ");
        for (std::size_t k = 0; k < m_Lines; ++k)
            m_Rows.Integer(static_cast<long long>(k + 1));
        m_Rows.EndRow();

        // The matrix is read a block of whole columns at a time.
        const std::size_t perBlock = std::max<std::size_t>(1, kBlockValues / std::max<std::size_t>(m_Lines, 1));
        std::vector<double> block(std::min(perBlock, m_Columns) * m_Lines), frequencies(m_Lines);
        for (std::size_t c = 0; c < m_Columns; ++c) {
            if (c % perBlock == 0)
                m_Matrix.ReadColumns(c, std::min(perBlock, m_Columns - c), block);
            const std::span<const double> values(block.data() + (c % perBlock) * m_Lines, m_Lines);
            if (c == 0 || (m_FrequencyAxes && m_AxisStarts[c])) {
                if (!m_Table.Dates.empty())
                    m_Rows.Cell(ReportColumnTitles[kTitleCrossDateUnits]);
                if (!m_Table.Times.empty())
                    m_Rows.Cell(ReportColumnTitles[kTitleCrossHourUnits]);
                m_Rows.Cell(FrequencyRowHead());
                m_Rows.Cell("[Hz]      ");
                if (m_FrequencyAxes)
                    m_FrequencyAxes->ReadColumn(c, 0, frequencies);
                const auto& format = m_FrequencyAxes ? *m_AxisFormats[c] : *m_FrequencyFormat;
                for (std::size_t k = 0; k < m_Lines; ++k)
                    FrequencyCell(k, m_FrequencyAxes ? frequencies[k] : SharedFrequency(k), format);
                m_Rows.EndRow();
            }
            DateAndTimeCells(c);
            Label(c, true);
            UnitCell(c);
            for (std::size_t k = 0; k < m_Lines; ++k)
                ValueCell(c, k, values[k]);
            m_Rows.EndRow();
        }
    }

    // Layout 1, the heading of a column that starts a frequency axis.
    std::string_view AxisHeading() const
    {
        if (Mask())
            return Inputs() ? "chan->    " : "f\\chan->  ";
        if (m_LevelMode)
            return "freq      ";
        return MergedAny() ? "f\\file->  " : "f\\spct->  ";
    }

    bool StartsAxis(std::size_t c) const { return m_FrequencyAxes && m_AxisStarts[c]; }

    void WriteRowPerLine()
    {
        if (!m_Table.Dates.empty()) {
            m_Rows.Cell(ReportColumnTitles[kTitleCrossDate]);
            m_Rows.Cell(ReportColumnTitles[kTitleCrossDateUnits]);
            for (std::size_t c = 0; c < m_Columns; ++c)
                m_Rows.Date(c < m_Table.Dates.size() ? m_Table.Dates[c] : 0);
            m_Rows.EndRow();
        }
        if (!m_Table.Times.empty()) {
            m_Rows.Cell(ReportColumnTitles[kTitleCrossHour]);
            m_Rows.Cell(ReportColumnTitles[kTitleCrossHourUnits]);
            for (std::size_t c = 0; c < m_Columns; ++c)
                m_Rows.Time(c < m_Table.Times.size() ? m_Table.Times[c] : 0);
            m_Rows.EndRow();
        }

        // Label row.
        if (m_FrequencyAxes)
            m_Rows.Cell(Mask() && Inputs() ? "___       " : "no_       ");
        else if (Mask())
            m_Rows.Cell(Inputs() ? "___       chan->    " : "no_       f\\chan->  ");
        else
            m_Rows.Cell(m_LevelMode ? "no_       freq      " : MergedAny() ? "no_       f\\file->  " : "no_       f\\spct->  ");
        for (std::size_t c = 0; c < m_Columns; ++c) {
            if (StartsAxis(c))
                m_Rows.Cell(AxisHeading());
            Label(c, false);
        }
        m_Rows.EndRow();

        if (Mask() && Inputs()) {
            m_Rows.Cell(m_FrequencyAxes ? "no_       " : "no_       f\\inp->   ");
            for (std::size_t c = 0; c < m_Columns; ++c) {
                if (StartsAxis(c))
                    m_Rows.Cell("f\\inp->   ");
                m_Rows.Text(ListEntry(m_Table.InputNames, c, {}));
            }
            m_Rows.EndRow();
        }

        m_Rows.Cell(m_FrequencyAxes ? "[]        " : "[]        [Hz]      ");
        for (std::size_t c = 0; c < m_Columns; ++c) {
            if (StartsAxis(c))
                m_Rows.Cell("[Hz]      ");
            UnitCell(c);
        }
        m_Rows.EndRow();

        // The matrices are read a block of lines at a time: every column's part of it in one call.
        const std::size_t block = std::max<std::size_t>(1, std::min(m_Lines, kBlockValues / std::max<std::size_t>(m_Columns, 1)));
        std::vector<double> values(block * m_Columns);
        std::vector<double> frequencies(m_FrequencyAxes ? values.size() : 0);
        for (std::size_t first = 0; first < m_Lines; first += block) {
            const std::size_t count = std::min(block, m_Lines - first);
            m_Matrix.ReadLines(first, count, m_Columns, values);
            if (m_FrequencyAxes)
                m_FrequencyAxes->ReadLines(first, count, m_Columns, frequencies);
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t k = first + i;
                m_Rows.Integer(static_cast<long long>(k + 1));
                if (!m_FrequencyAxes)
                    FrequencyCell(k, SharedFrequency(k), *m_FrequencyFormat);
                for (std::size_t c = 0; c < m_Columns; ++c) {
                    if (StartsAxis(c))
                        FrequencyCell(k, frequencies[c * count + i], *m_AxisFormats[c]);
                    ValueCell(c, k, values[c * count + i]);
                }
                m_Rows.EndRow();
            }
        }
    }

    const CrossTableSource& m_Doc;
    const SpectraCrossTable& m_Table;
    const MultiSpectrumMatrix& m_Matrix;
    CrossTableRows m_Rows;
    unsigned m_Layout;
    std::size_t m_Lines;
    std::size_t m_Columns;
    std::size_t m_Named = 0;
    int m_Kind;
    bool m_LevelMode = false;
    const MultiSpectrumMatrix* m_FrequencyAxes;
    const CrossTableRows::NumberFormat* m_FrequencyFormat = nullptr;
    std::vector<const CrossTableRows::NumberFormat*> m_ValueFormats;
    std::vector<bool> m_AxisStarts;
    std::vector<const CrossTableRows::NumberFormat*> m_AxisFormats;
};

} // namespace

int WriteSpectraCrossTable(LineList& lines, int* widthOut, const CrossTableSource& doc,
                           const SpectraCrossTable& table, const TableOutputOptions& options,
                           const MultiSpectrumMatrix& matrix, const MultiSpectrumMatrix* frequencyMatrix)
{
    std::optional<WaitCursor> wait;
    if (doc.Ui)
        wait.emplace(*doc.Ui);
    try {
        return SpectraTable(lines, doc, table, options, matrix, frequencyMatrix).Write(widthOut);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace orlu
