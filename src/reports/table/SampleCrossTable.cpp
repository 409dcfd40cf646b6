#include "reports/table/SampleCrossTable.h"

#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/table/CrossTableRows.h"
#include "reports/table/CrossTableText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kBlockMode = 2;
// Values read at once in the layout with a row per sample: a block of samples of every column.
constexpr std::size_t kBlockValues = 1 << 16;

class SampleTable {
public:
    SampleTable(LineList& lines, const CrossTableSource& doc, const SampleCrossTable& table,
                const TableOutputOptions& options, const MultiSpectrumMatrix& matrix)
        : m_Doc(doc), m_Table(table), m_Matrix(matrix), m_Rows(lines, options), m_Layout(options.FormatFlag % 2),
          m_Lines(matrix.LineCount()), m_Columns(matrix.ColumnCount())
    {
    }

    int Write(int* widthOut)
    {
        m_Rows.Caption(Caption());
        m_Formats.resize(m_Columns);
        for (std::size_t c = 0; c < m_Columns; ++c)
            m_Formats[c] = &m_Rows.FormatOf(c < m_Table.ValueFormats.size() ? std::string_view(m_Table.ValueFormats[c])
                                                                             : m_Table.ValueFormat);
        if (m_Layout == 0)
            WriteRowPerColumn();
        else
            WriteRowPerSample();
        if (widthOut)
            *widthOut = m_Rows.Widest();
        return 1;
    }

private:
    bool Mask() const { return m_Table.ChannelMask != 0; }
    bool Inputs() const { return !m_Table.InputNames.empty(); }

    std::string Caption() const
    {
        std::string caption;
        if (m_Table.BlockMode == kBlockMode)
            caption += CaptionRow(kCaptionBlocksOf);
        if (!m_Table.CaptionText.empty())
            caption += m_Table.CaptionText;
        else
            caption += CaptionRow(kCaptionCrossTableBase + m_Table.CaptionKind);
        if (m_Doc.ChannelMode && !Mask())
            caption += FormatCaptionRow(kCaptionChannelNumber, m_Table.Channel + 1);
        return caption;
    }

    void Label(std::size_t c, bool withInput)
    {
        if (m_Doc.Merged505) {
            m_Rows.Text(m_Doc.SubfileName(c + 1));
        } else if (Mask()) {
            m_Rows.Cell(StrPrintf("#%-9d", MaskChannel(m_Table.ChannelMask, c) + 1));
            if (withInput && Inputs())
                m_Rows.Text(c < m_Table.InputNames.size() ? std::string_view(m_Table.InputNames[c]) : "");
        } else {
            m_Rows.Integer(static_cast<long long>(c + 1));
        }
    }

    void UnitCell(std::size_t c)
    {
        if (!m_Table.UnitNames.empty())
            m_Rows.Text(c < m_Table.UnitNames.size() ? std::string_view(m_Table.UnitNames[c]) : "");
        else
            m_Rows.Cell(m_Table.UnitText);
    }

    void SampleNumber(std::size_t k)
    {
        const double number = k < m_Table.SampleNumbers.size() ? m_Table.SampleNumbers[k] : 0.0;
        // Truncated to a 32-bit integer, as "%d" prints it; a number beyond its range is held at the bound.
        const double truncated = std::isfinite(number) ? std::trunc(number) : 0.0;
        m_Rows.Integer(static_cast<long long>(std::clamp(truncated, double(INT32_MIN), double(INT32_MAX))));
    }

    void WriteRowPerColumn()
    {
        if (Mask())
            m_Rows.Cell(Inputs() ? "chn       inp\\sn->  []        " : "chn\\sn->  []        ");
        else
            m_Rows.Cell(m_Doc.Merged505 ? "fil\\sn->  []        " : "wav\\sn->  []        ");
        for (std::size_t k = 0; k < m_Lines; ++k)
            SampleNumber(k);
        m_Rows.EndRow();

        std::vector<double> values(m_Lines);
        for (std::size_t c = 0; c < m_Columns; ++c) {
            Label(c, true);
            UnitCell(c);
            m_Matrix.ReadColumn(c, 0, values);
            for (double value : values)
                m_Rows.Number(value, *m_Formats[c]);
            m_Rows.EndRow();
        }
    }

    void WriteRowPerSample()
    {
        if (Mask())
            m_Rows.Cell(Inputs() ? "___chn->  " : "sn\\chn->  ");
        else
            m_Rows.Cell(m_Doc.Merged505 ? "sn\\fil->  " : "sn\\wav->  ");
        for (std::size_t c = 0; c < m_Columns; ++c)
            Label(c, false);
        m_Rows.EndRow();
        if (Mask() && Inputs()) {
            m_Rows.Cell("sn\\inp->  ");
            for (std::size_t c = 0; c < m_Columns; ++c)
                m_Rows.Text(c < m_Table.InputNames.size() ? std::string_view(m_Table.InputNames[c]) : "");
            m_Rows.EndRow();
        }
        m_Rows.Cell("[]        ");
        for (std::size_t c = 0; c < m_Columns; ++c)
            UnitCell(c);
        m_Rows.EndRow();

        // The matrix is read a block of samples at a time: every column's part of it in one call.
        const std::size_t block =
            std::max<std::size_t>(1, std::min(m_Lines, kBlockValues / std::max<std::size_t>(m_Columns, 1)));
        std::vector<double> values(block * m_Columns);
        for (std::size_t first = 0; first < m_Lines; first += block) {
            const std::size_t count = std::min(block, m_Lines - first);
            m_Matrix.ReadLines(first, count, m_Columns, values);
            for (std::size_t i = 0; i < count; ++i) {
                SampleNumber(first + i);
                for (std::size_t c = 0; c < m_Columns; ++c)
                    m_Rows.Number(values[c * count + i], *m_Formats[c]);
                m_Rows.EndRow();
            }
        }
    }

    const CrossTableSource& m_Doc;
    const SampleCrossTable& m_Table;
    const MultiSpectrumMatrix& m_Matrix;
    CrossTableRows m_Rows;
    unsigned m_Layout;
    std::size_t m_Lines;
    std::size_t m_Columns;
    std::vector<const CrossTableRows::NumberFormat*> m_Formats;
};

} // namespace

int WriteSampleCrossTable(LineList& lines, int* widthOut, const CrossTableSource& doc,
                          const SampleCrossTable& table, const TableOutputOptions& options,
                          const MultiSpectrumMatrix& matrix)
{
    std::optional<WaitCursor> wait;
    if (doc.Ui)
        wait.emplace(*doc.Ui);
    try {
        return SampleTable(lines, doc, table, options, matrix).Write(widthOut);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace orlu
