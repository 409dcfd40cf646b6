#include "presentation/view/ClipboardCopy.h"

#include "presentation/view/TextFormLayout.h"
#include "reports/table/TableOutputOptions.h"

#include <algorithm>
#include <climits>

namespace orlu {
namespace {

constexpr unsigned char kSuperscriptTwo = 0xB2;
constexpr std::uint8_t kFixedColumns = 6;  ///< separator index: no separator, fields padded to 10
constexpr std::uint8_t kDoubleBlank = 5;   ///< separator index: two blanks
constexpr int kFixedColumnWidth = 10;

/// The conversions of one table copy, fixed from the view's and the clipboard's settings.
struct TableConversion {
    bool decimal = false;
    bool separator = false;
    bool date = false;
    char viewDecimal = '.';
    char clipDecimal = '.';
    char viewSeparator = '\t';
    char clipSeparator = '\t';
    std::uint8_t clipSeparatorIndex = 0;
    std::array<std::uint8_t, 8> dateTarget{}; ///< where each character of a view date goes

    explicit TableConversion(std::uint32_t flags)
    {
        using namespace form_flags;
        const auto viewDecimalIndex = static_cast<std::uint8_t>(Field(flags, kDecimalShift, 1));
        const auto clipDecimalIndex = static_cast<std::uint8_t>(Field(flags, kClipDecimalShift, 1));
        const auto viewSeparatorIndex = static_cast<std::uint8_t>(Field(flags, kSeparatorShift, 3));
        clipSeparatorIndex = static_cast<std::uint8_t>(Field(flags, kClipSeparatorShift, 3));
        const auto viewDate = static_cast<std::uint8_t>(Field(flags, kDateLayoutShift, 3));
        const auto clipDate = static_cast<std::uint8_t>(Field(flags, kClipDateShift, 3));
        decimal = viewDecimalIndex != clipDecimalIndex;
        separator = viewSeparatorIndex != clipSeparatorIndex;
        // Rows 6 and 7 of the three bits name no layout: dates are left as they are.
        date = viewDate != clipDate && viewDate < DateLayoutTable.size() && clipDate < DateLayoutTable.size();
        viewDecimal = DecimalChar(viewDecimalIndex);
        clipDecimal = DecimalChar(clipDecimalIndex);
        // Fixed columns have no separator character: their fields end at blanks.
        viewSeparator = separator && viewSeparatorIndex == kFixedColumns ? ' ' : SeparatorChar(viewSeparatorIndex);
        clipSeparator = SeparatorChar(clipSeparatorIndex);
        if (date) {
            const auto& from = DateLayoutTable[viewDate];
            const auto& to = DateLayoutTable[clipDate];
            for (std::size_t i = 0; i < 8; ++i)
                dateTarget[i] = static_cast<std::uint8_t>(std::find(to.begin(), to.end(), from[i]) - to.begin());
        }
    }
};

/// A date at position i: eight characters with '/' at their places 2 and 5,
/// all of them before `end` (a date cut by the line's or the block's end is
/// copied as plain characters, never completed from beyond it).
bool DateAt(std::string_view text, int i, int end)
{
    return i + 8 <= end && text[static_cast<std::size_t>(i + 2)] == '/' && text[static_cast<std::size_t>(i + 5)] == '/';
}

/// Copies positions [from, to) of one table line with the conversions.
void ConvertTablePart(std::string& out, std::string_view text, int from, int to, const TableConversion& conv)
{
    int field = 0;
    bool dateArmed = conv.date;
    for (int i = from; i < to; ++i) {
        const char original = text[static_cast<std::size_t>(i)];
        if (dateArmed && original != conv.viewSeparator && DateAt(text, i, to)) {
            char date[8];
            for (std::size_t k = 0; k < 8; ++k)
                date[conv.dateTarget[k]] = text[static_cast<std::size_t>(i) + k];
            out.append(date, 8);
            i += 7;
            dateArmed = false;
            field = 8;
            continue;
        }
        const bool isSeparator = original == conv.viewSeparator;
        if (isSeparator && conv.date)
            dateArmed = true;
        char c = original;
        if (conv.decimal && c == conv.viewDecimal)
            c = conv.clipDecimal;
        // The separator test looks at the character as the view wrote it: a
        // decimal point turned into the view's separator character stays a decimal point.
        if (conv.separator) {
            if (isSeparator) {
                if (field == 0)
                    continue; // a run of separators gives one; a leading one none
                if (conv.clipSeparatorIndex == kFixedColumns) {
                    for (; field < kFixedColumnWidth; ++field)
                        out += ' ';
                    c = ' ';
                } else if (conv.clipSeparatorIndex == kDoubleBlank) {
                    out += ' ';
                    c = ' ';
                } else {
                    c = conv.clipSeparator;
                }
                field = 0;
            } else {
                ++field;
            }
        }
        if (static_cast<unsigned char>(c) == kSuperscriptTwo)
            c = '2';
        out += c;
    }
}

int LineLength(std::string_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)); }

} // namespace

void ReplaceSuperscriptTwo(std::string& text)
{
    std::replace(text.begin(), text.end(), static_cast<char>(kSuperscriptTwo), '2');
}

std::string CopyTableBlock(const MeasurementViewState& view)
{
    std::string out;
    const LineSource& lines = view.ShownLines();
    const std::size_t count = lines.LineCount();
    if (count == 0)
        return out;
    const TableConversion conv(view.FormFlags);
    const std::uint8_t mode = view.BlockMode();
    const bool everyLine = mode == kBlockFullColumns;
    const std::size_t first = everyLine ? 0 : static_cast<std::size_t>(std::max(0, view.BlockStart.y));
    const std::size_t last = everyLine ? count - 1 : std::min<std::size_t>(std::max(0, view.BlockStop.y), count - 1);
    std::string buffer;
    for (std::size_t y = first; y <= last; ++y) {
        const std::string_view text = LineText(lines.Line(y, buffer));
        const int n = LineLength(text);
        // The block's columns on this line; in a table the part ends with the
        // separator that closes its last field (none at the line's end).
        const ColumnSpan span = GetBlockColumns(view, text);
        int from = 0;
        int through = n - 1;
        const bool oneLine = first == last;
        if (mode == kBlockBox || mode == kBlockFullColumns || (mode == kBlockStream && oneLine)) {
            from = span.start;
            through = span.end;
        } else if (mode == kBlockStream && y == first) {
            from = span.start;
        } else if (mode == kBlockStream && y == last) {
            through = span.end;
        }
        ConvertTablePart(out, text, std::max(0, from), std::min(through, n - 1) + 1, conv);
        out += "\r\n";
    }
    return out;
}

std::string CopyTextBlock(const LineSource& lines, const PlainBlock& block)
{
    std::string out;
    const std::size_t count = lines.LineCount();
    if (count == 0)
        return out;
    const bool everyLine = block.mode == kBlockFullColumns;
    const std::size_t first = everyLine ? 0 : static_cast<std::size_t>(std::max(0, block.start.y));
    const std::size_t last = everyLine ? count - 1 : std::min<std::size_t>(std::max(0, block.stop.y), count - 1);
    const std::size_t a0 = static_cast<std::size_t>(std::max(0, block.start.x));
    const std::size_t a1 = static_cast<std::size_t>(std::max(0, block.stop.x));
    const std::size_t width = a1 > a0 ? a1 - a0 : 0;
    std::string buffer;
    for (std::size_t y = first; y <= last; ++y) {
        const std::string_view text = LineText(lines.Line(y, buffer));
        const auto part = [&](std::size_t from, std::size_t n) {
            return from < text.size() ? text.substr(from, n) : std::string_view{};
        };
        switch (block.mode) {
        case kBlockBox:
        case kBlockFullColumns: {
            const std::string_view cut = part(a0, width);
            out += cut;
            out.append(width - cut.size(), ' ');
            break;
        }
        case kBlockFullLines: out += text; break;
        default:
            if (first == last)
                out += part(a0, width);
            else if (y == first)
                out += part(a0, std::string_view::npos);
            else if (y == last)
                out += part(0, a1);
            else
                out += text;
            break;
        }
        out += "\r\n";
    }
    return out;
}

std::string CopyMeasurementViewBlock(const MeasurementViewState& view)
{
    if (!view.BlockMarked)
        return {};
    if (view.TableShown())
        return CopyTableBlock(view);
    std::string text = CopyTextBlock(view.ShownLines(), {view.BlockStart, view.BlockStop, view.BlockMode()});
    ReplaceSuperscriptTwo(text);
    return text;
}

} // namespace orlu
