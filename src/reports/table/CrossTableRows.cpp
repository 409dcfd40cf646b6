#include "reports/table/CrossTableRows.h"

#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/TableWriter.h"

#include <charconv>

namespace orlu {
namespace {

constexpr int kCellWidth = 10;
constexpr std::string_view kMissingCell = "----      ";
constexpr int kSecondsPerTimeUnit = 2;

} // namespace

CrossTableRows::NumberFormat::NumberFormat(std::string_view format)
    : m_Format(format), m_RepairExponent(!format.empty() && format.back() == 'e')
{
}

CrossTableRows::CrossTableRows(LineList& lines, const TableOutputOptions& options)
    : m_Lines(lines), m_Separator(SeparatorChar(options.SeparatorIndex)),
      m_Doubled(SeparatorDoubled(options.SeparatorIndex)), m_Decimal(DecimalChar(options.DecimalIndex)),
      m_FieldRowOptions{0, 0, options.SeparatorIndex}
{
    m_Row.reserve(kRowBufferSize);
}

void CrossTableRows::Caption(std::string text)
{
    SpacesToUnderscores(text);
    AddLine(m_Lines, text, &m_Widest);
}

void CrossTableRows::AfterCell()
{
    if (m_Row.size() > kRowPieceLength)
        EmitRowChunk(m_Lines, m_Row, 0, m_Separator, m_Doubled, m_RowStart, &m_Widest);
}

void CrossTableRows::Cell(std::string_view text)
{
    m_Row += text;
    AfterCell();
}

void CrossTableRows::Text(std::string_view text)
{
    m_Row += text;
    AppendBlanks(m_Row, kCellWidth - static_cast<int>(text.size()));
    AfterCell();
}

void CrossTableRows::Integer(long long value)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    Text(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void CrossTableRows::Number(double value, const NumberFormat& format)
{
    if (value == MultiSpectrumMatrix::kMissingValue) {
        Missing();
        return;
    }
    const std::size_t start = m_Row.size();
    format.m_Format.Append(m_Row, value);
    if (m_Decimal != DecimalPointChars[0]) {
        const std::size_t point = m_Row.find('.', start);
        if (point != std::string::npos)
            m_Row[point] = m_Decimal;
    }
    if (format.m_RepairExponent)
        RepairExponent(m_Row, start);
    AfterCell();
}

void CrossTableRows::Missing()
{
    Cell(kMissingCell);
}

void CrossTableRows::Date(std::uint16_t word)
{
    AppendPrintf(m_Row, "%02d/%02d/%02d  ", (word >> 9) & 127, (word >> 5) & 15, word & 31);
    AfterCell();
}

void CrossTableRows::Time(std::uint16_t word)
{
    const int seconds = word * kSecondsPerTimeUnit;
    AppendPrintf(m_Row, "%02d:%02d'%02d  ", seconds / 3600, seconds / 60 % 60, seconds % 60);
    AfterCell();
}

void CrossTableRows::EndRow()
{
    if (m_RowStart && m_Separator != kNoSeparator && !m_Doubled) {
        // A row that was never cut goes straight into the list; its numbers
        // already carry their decimal character.
        EmitFieldRow(m_Lines, m_Row, m_FieldRowOptions, &m_Widest);
        return;
    }
    EmitRowEnd(m_Lines, m_Row, 0, m_Separator, m_Doubled, m_RowStart, &m_Widest);
}

const CrossTableRows::NumberFormat& CrossTableRows::FormatOf(std::string_view format)
{
    for (const auto& [text, parsed] : m_Formats)
        if (text == format)
            return *parsed;
    m_Formats.emplace_back(std::string(format), std::make_unique<NumberFormat>(format));
    return *m_Formats.back().second;
}

} // namespace orlu
