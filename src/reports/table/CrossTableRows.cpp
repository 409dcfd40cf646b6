#include "reports/table/CrossTableRows.h"

#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/TableWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace orlu {
namespace {

constexpr int kCellWidth = 10;
constexpr std::string_view kMissingCell = "----      ";
constexpr int kSecondsPerTimeUnit = 2;
// The precision of "%e" without one.
constexpr int kDefaultPrecision = 6;

} // namespace

CrossTableRows::NumberFormat::NumberFormat(std::string_view format)
    : m_Format(format), m_RepairExponent(!format.empty() && format.back() == 'e')
{
    const std::string text(format); // the parser reads up to the terminating zero
    const char* p = text.c_str();
    FieldSpec spec;
    if (*p != '%' || !ParseFieldSpec(++p, spec) || *p != '\0')
        return;
    if (TakesQuickFixed(spec))
        m_Quick = spec;
    else if (spec.conversion == 'e' && spec.left && !spec.plus && !spec.space && !spec.alt && !spec.zero &&
             !spec.widthFromArgs && !spec.precisionFromArgs && spec.length == FieldSpec::Length::None &&
             spec.width <= kCellWidth * 4)
        m_QuickScientific = spec;
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

bool CrossTableRows::AppendQuick(double value, const NumberFormat& format)
{
    char text[kQuickFieldRoom];
    if (format.m_Quick) {
        const char* end = WriteQuickFixed(text, *format.m_Quick, value);
        if (!end)
            return false;
        m_Row.append(text, static_cast<std::size_t>(end - text));
        return true;
    }
    if (format.m_QuickScientific && std::isfinite(value)) {
        // The repaired exponent has two digits, or three from 100 on: exactly what
        // to_chars writes. The field keeps the length the three-digit form had: its
        // width, or one more than the shorter text when that filled it.
        const FieldSpec& spec = *format.m_QuickScientific;
        const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                                spec.precision < 0 ? kDefaultPrecision : spec.precision);
        if (error != std::errc())
            return false;
        const auto length = static_cast<int>(end - text);
        const bool twoDigits = length >= 4 && (end[-3] == '-' || end[-3] == '+') && end[-4] == 'e';
        m_Row.append(text, static_cast<std::size_t>(length));
        AppendBlanks(m_Row, std::max(spec.width, length + (twoDigits ? 1 : 0)) - length);
        return true;
    }
    return false;
}

void CrossTableRows::Number(double value, const NumberFormat& format)
{
    if (value == kMissingValue) {
        Missing();
        return;
    }
    const std::size_t start = m_Row.size();
    if (!AppendQuick(value, format)) {
        format.m_Format.Append(m_Row, value);
        if (format.m_RepairExponent)
            RepairExponent(m_Row, start);
    }
    if (m_Decimal != DecimalPointChars[0]) {
        // A cell is a few characters: a plain loop, not a library search per value.
        for (std::size_t i = start; i < m_Row.size(); ++i) {
            if (m_Row[i] == '.') {
                m_Row[i] = m_Decimal;
                break;
            }
        }
    }
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
