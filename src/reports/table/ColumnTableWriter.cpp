#include "reports/table/ColumnTableWriter.h"

#include "platform/ValueFormat.h"
#include "reports/table/TableWriter.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>

namespace orlu {
namespace {

constexpr std::size_t kFieldWidth = 10;
constexpr unsigned kLayoutCount = 3;
// Blanks written after each pair but the last of a side-by-side row, so that
// pairs stay apart even when a field fills its 10 characters.
constexpr int kPairGap = 6;
// Total rows of 1/3-octave spectra below this index are named "TOTAL" for
// the families that do not name them from the list.
constexpr unsigned kFirstListedThirdOctaveTotal = 20;
constexpr int kListedTotalsFirmware = 302;
constexpr int kMicrophoneInput = 2;
constexpr int kBandKindFft = 2;
constexpr int kBandKindThirdOctave = 4;
constexpr char kTotalName[] = "TOTAL";
// A total whose name the list does not hold.
constexpr char kUndefinedName[] = "UNDF";

// One printf format of a pair, split into the part that prints the first
// value and the part that prints the second. printf of the whole format
// gives the two parts one after the other, so each value can be printed,
// localised and repaired on its own.
struct PairFormat {
    std::string First;
    std::string Second;
};

// The index just past the conversion that starts at format[at] ('%'), or
// std::string::npos when there is none; conversion gets its letter.
std::size_t ConversionEnd(const std::string_view format, std::size_t at, char& conversion)
{
    std::size_t i = at + 1;
    while (i < format.size() && std::strchr("-+ #0", format[i]))
        ++i;
    while (i < format.size() && (std::isdigit(static_cast<unsigned char>(format[i])) || format[i] == '.'))
        ++i;
    while (i < format.size() && std::strchr("hlLqjzt", format[i]))
        ++i;
    if (i >= format.size())
        return std::string::npos;
    conversion = format[i];
    return i + 1;
}

// Splits a format of two conversions; the caller's formats are fixed texts,
// so a format whose conversions do not take the values given is a
// programming error, refused before it reaches printf.
PairFormat SplitPairFormat(const char* format, const char* firstKinds)
{
    std::string_view text(format ? format : "");
    std::size_t found[2] = {std::string::npos, std::string::npos};
    char conversions[2] = {0, 0};
    int n = 0;
    for (std::size_t i = 0; i < text.size() && n < 2;) {
        if (text[i] != '%') {
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            i += 2;
            continue;
        }
        std::size_t end = ConversionEnd(text, i, conversions[n]);
        if (end == std::string::npos)
            break;
        found[n++] = i;
        i = end;
    }
    if (n != 2 || !std::strchr(firstKinds, conversions[0]) || !std::strchr("eEfFgGaA", conversions[1]))
        throw std::invalid_argument(std::string("column table format does not fit its values: ") +
                                    std::string(text));
    return {std::string(text.substr(0, found[1])), std::string(text.substr(found[1]))};
}

// The two texts of one cell: the x value or row name, and the y value.
struct Cell {
    std::string First;
    std::string Second;
    bool FirstIsNumber = true;
};

void ReplaceFirstPoint(std::string& text, char decimal)
{
    std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = decimal;
}

// The title words: each word with its points made '_', padded to a field.
std::string HeaderFields(std::string_view words, unsigned wordCount)
{
    std::string fields;
    std::size_t at = 0;
    for (unsigned w = 0; w < wordCount; ++w) {
        at = std::min(words.find_first_not_of(' ', at), words.size());
        std::size_t end = std::min(words.find(' ', at), words.size());
        std::string word(words.substr(at, end - at));
        std::replace(word.begin(), word.end(), '.', '_');
        fields += word;
        AppendBlanks(fields, static_cast<int>(kFieldWidth) - static_cast<int>(word.size()));
        at = end;
    }
    return fields;
}

class ColumnTable {
public:
    ColumnTable(LineList& lines, const ColumnTableSource& doc, std::span<const double> x,
                std::span<const double> y, std::uint16_t namedTail, const TableOutputOptions& options,
                const ColumnTableFormat& format)
        : m_Lines(lines), m_Doc(doc), m_X(x), m_Y(y), m_Count(std::min(x.size(), y.size())),
          m_NamedTail(std::min<std::size_t>(namedTail, m_Count)), m_Format(format),
          m_Pairs(std::max(format.Pairs, 1u)), m_Separator(SeparatorChar(options.SeparatorIndex)),
          m_Doubled(SeparatorDoubled(options.SeparatorIndex)), m_Decimal(DecimalChar(options.DecimalIndex)),
          m_Layout(options.FormatFlag % kLayoutCount),
          m_RowFormat(SplitPairFormat(format.RowFormat, "eEfFgGaA"))
    {
        if (format.NameFormat)
            m_NameFormat = SplitPairFormat(format.NameFormat, "s");
        std::size_t length = std::strlen(format.RowFormat);
        m_RepairExponent = length > 0 && format.RowFormat[length - 1] == 'e';
    }

    int Write(int* widthOut)
    {
        std::string caption(m_Format.Caption);
        AddLine(m_Lines, caption, &m_Widest);
        try {
            m_Row.reserve(kRowBufferSize);
            switch (m_Layout) {
            case 0:
                WriteSideBySide();
                break;
            case 1:
                WriteOnePairPerRow();
                break;
            default:
                WriteTransposed(true);
                WriteTransposed(false);
                break;
            }
        } catch (const std::bad_alloc&) {
            return 0;
        }
        if (widthOut)
            *widthOut = m_Widest;
        return 1;
    }

private:
    bool NoSeparator() const { return m_Separator == kNoSeparator; }

    void EndRow() { EmitRowEnd(m_Lines, m_Row, 0, m_Separator, m_Doubled, m_RowStart, &m_Widest); }

    void WriteSideBySide()
    {
        m_Row = HeaderFields(m_Format.HeaderWords, 2 * m_Pairs);
        EndRow();
        std::size_t rows = (m_Count + m_Pairs - 1) / m_Pairs;
        for (std::size_t u = 0; u < rows; ++u) {
            for (unsigned m = 0; m < m_Pairs; ++m) {
                std::size_t index = m * rows + u;
                if (index < m_Count)
                    AppendCell(index);
                if (m + 1 < m_Pairs && !NoSeparator())
                    AppendBlanks(m_Row, kPairGap);
            }
            EndRow();
        }
    }

    void WriteOnePairPerRow()
    {
        m_Row = HeaderFields(m_Format.HeaderWords, 2);
        EndRow();
        for (std::size_t index = 0; index < m_Count; ++index) {
            AppendCell(index);
            EndRow();
        }
    }

    // One line of the transposed layout: the x values after the first title
    // (first = true) or the y values after the second. Each value is
    // separated here, so the pieces of a long line are stored as they are.
    void WriteTransposed(bool first)
    {
        std::string label = HeaderFields(m_Format.HeaderWords, 2).substr(first ? 0 : kFieldWidth, kFieldWidth);
        if (!NoSeparator()) {
            label.erase(label.find_last_not_of(' ') + 1);
            label += m_Separator;
        }
        m_Row = label;
        for (std::size_t index = 0; index < m_Count; ++index) {
            Cell cell = PrintCell(index);
            std::string& value = first ? cell.First : cell.Second;
            ApplyColumnSeparator(value, m_Separator, m_Doubled);
            m_Row += value;
            if (index + 1 < m_Count && !NoSeparator()) {
                m_Row += m_Separator;
                if (m_Doubled)
                    m_Row += m_Separator;
            }
            if (m_Row.size() > kRowPieceLength)
                EmitRowChunk(m_Lines, m_Row, m_Row.size(), m_Separator, m_Doubled, m_RowStart, &m_Widest);
        }
        EmitRowEnd(m_Lines, m_Row, m_Row.size(), m_Separator, m_Doubled, m_RowStart, &m_Widest);
    }

    void AppendCell(std::size_t index)
    {
        Cell cell = PrintCell(index);
        m_Row += cell.First;
        m_Row += cell.Second;
    }

    Cell PrintCell(std::size_t index) const
    {
        Cell cell;
        if (IsFftTotal(index)) {
            cell = NamedCell(kTotalName, m_Y[index]);
        } else if (index < m_Count - m_NamedTail || !m_NameFormat) {
            cell.First = StrPrintf(m_RowFormat.First.c_str(), m_X[index]);
            cell.Second = StrPrintf(m_RowFormat.Second.c_str(), m_Y[index]);
        } else {
            cell = NamedCell(TotalRowName(index), m_Y[index]);
        }
        if (m_Decimal != '.') {
            if (cell.FirstIsNumber)
                ReplaceFirstPoint(cell.First, m_Decimal);
            ReplaceFirstPoint(cell.Second, m_Decimal);
        }
        if (m_RepairExponent)
            RepairExponent(cell.Second, 0);
        return cell;
    }

    Cell NamedCell(const std::string& name, double value) const
    {
        return {StrPrintf(m_NameFormat->First.c_str(), name.c_str()),
                StrPrintf(m_NameFormat->Second.c_str(), value), false};
    }

    // The spectrum's own total line: first or last, by the document's total
    // position. A marked block (caption "Block of the ...") has none.
    bool IsFftTotal(std::size_t index) const
    {
        if (m_Format.Caption.starts_with('B') || m_Doc.BandKind != kBandKindFft || !m_NameFormat)
            return false;
        return (index == 0 && m_Doc.FftTotalPosition == 1) ||
               (index + 1 == m_Count && m_Doc.FftTotalPosition == 2);
    }

    std::string TotalRowName(std::size_t index) const
    {
        if (m_Doc.Family515Text)
            return kTotalName;
        bool listed = m_Doc.Family515 || m_Doc.Family525 ||
                      (m_Doc.Family535 && m_Doc.FirmwareVersion >= kListedTotalsFirmware &&
                       m_Doc.InputKind == kMicrophoneInput) ||
                      m_Doc.BandKind != kBandKindThirdOctave || index >= kFirstListedThirdOctaveTotal;
        if (!listed)
            return kTotalName;
        std::size_t entry = index - (m_Count - m_NamedTail);
        return entry < m_Doc.TotalNameList.size() ? m_Doc.TotalNameList[entry] : kUndefinedName;
    }

    LineList& m_Lines;
    const ColumnTableSource& m_Doc;
    std::span<const double> m_X;
    std::span<const double> m_Y;
    std::size_t m_Count;
    std::size_t m_NamedTail;
    const ColumnTableFormat& m_Format;
    unsigned m_Pairs;
    char m_Separator;
    bool m_Doubled;
    char m_Decimal;
    unsigned m_Layout;
    PairFormat m_RowFormat;
    std::optional<PairFormat> m_NameFormat;
    bool m_RepairExponent = false;
    std::string m_Row;
    bool m_RowStart = true;
    int m_Widest = 0;
};

} // namespace

int WriteColumnTable(LineList& lines, int* widthOut, const ColumnTableSource& doc, std::span<const double> x,
                     std::span<const double> y, std::uint16_t namedTail, const TableOutputOptions& options,
                     const ColumnTableFormat& format)
{
    std::optional<WaitCursor> wait;
    if (doc.Ui)
        wait.emplace(*doc.Ui);
    return ColumnTable(lines, doc, x, y, namedTail, options, format).Write(widthOut);
}

} // namespace orlu
