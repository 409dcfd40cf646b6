#include "analysis/statistics/TimeHistoryText.h"

#include "platform/CompiledFormat.h"
#include "platform/FieldSpec.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>

namespace orlu {
namespace {

constexpr std::string_view kLevelHeadings[] = {"Lev[dB]",  "Lev[V]",  "Lev[Pa]",   "Lev[m/s\xB2]", "Lev[m/s]",
                                               "Lev[m]",   "Lev[KB]", "Lev[m/sx]", "RPM",          "Lev[g]",
                                               "Lev[in/s]", "Lev[in]", "Lev[KB]",  "Lev[in/sx]"};

constexpr std::size_t kPositionWidth = 6;
constexpr std::size_t kMostQuickPosition = 999999999;
constexpr std::size_t kShortExponentWidth = 13;

// "%6ld" of a position of up to nine digits.
char* WritePosition(char* to, std::size_t position)
{
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, position);
    const auto length = static_cast<std::size_t>(end - digits);
    if (length < kPositionWidth)
        to = std::fill_n(to, kPositionWidth - length, ' ');
    return std::copy(digits, end, to);
}

// "%14.2e" of the program's printf (three exponent digits) with the first exponent digit
// removed: the mantissa, then the exponent's last two digits, right-aligned in 13.
// Null for a value that is not finite.
char* WriteShortExponent(char* to, double value)
{
    if (!std::isfinite(value))
        return nullptr;
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 2);
    if (ec != std::errc{})
        return nullptr;
    char* e = std::find(text, end, 'e');
    if (e == end || end - e < 3)
        return nullptr;
    int exponent = 0;
    for (const char* d = e + 2; d < end; ++d)
        exponent = exponent * 10 + (*d - '0');
    exponent %= 100;
    char* cut = e + 2;
    *cut++ = static_cast<char>('0' + exponent / 10);
    *cut++ = static_cast<char>('0' + exponent % 10);
    const auto length = static_cast<std::size_t>(cut - text);
    if (length < kShortExponentWidth)
        to = std::fill_n(to, kShortExponentWidth - length, ' ');
    return std::copy(text, cut, to);
}

// "%13.1f" of the dB cells.
const FieldSpec& LevelField()
{
    static const FieldSpec spec = [] {
        FieldSpec s;
        const char* format = "13.1f";
        ParseFieldSpec(format, s);
        return s;
    }();
    return spec;
}

} // namespace

std::string_view LevelHeading(int unitIndex)
{
    if (unitIndex < 0 || unitIndex >= static_cast<int>(std::size(kLevelHeadings)))
        return kLevelHeadings[0];
    return kLevelHeadings[static_cast<std::size_t>(unitIndex)];
}

std::string LevelHeaderRow(std::string_view heading)
{
    // Each heading starts 25 columns after the one before, as the cells do.
    const std::string pair = StrPrintf(" Res.No.     %-12s", std::string(heading).c_str());
    return pair + pair + " Res.No.     " + std::string(heading) + " ";
}

PositionRange ShownPositions(bool block, const std::array<std::uint32_t, 2>& markers, int degree, std::size_t values)
{
    if (!block)
        return {0, values};
    const auto d = static_cast<std::size_t>(std::max(degree, 1));
    const std::size_t first = std::min<std::size_t>(markers[0] / d, values);
    const std::size_t last = std::min<std::size_t>(markers[1] / d + 1, values);
    return {first, last > first ? last - first : 0};
}

void AppendLevelCell(std::string& row, std::size_t position, double value, bool linear, char mark)
{
    // A long history writes a cell per record: the cell is made in one buffer and appended
    // once. Values the quick writers do not take go through the general format.
    char cell[kQuickFieldRoom + 32];
    char* end = position <= kMostQuickPosition ? WritePosition(cell, position) : nullptr;
    if (end)
        end = linear ? WriteShortExponent(end, value) : WriteQuickFixed(end, LevelField(), value);
    if (end) {
        *end++ = mark;
        row.append(cell, end);
        return;
    }
    static const CompiledFormat kLevel("%6ld%13.1f%c");
    static const CompiledFormat kLinear("%6ld%14.2e%c");
    const std::size_t start = row.size();
    (linear ? kLinear : kLevel).Append(row, static_cast<long>(position), value, mark);
    // The program's printf writes three exponent digits; the cell keeps two of them.
    if (linear)
        row.erase(start + 17, 1);
}

void AppendColumnRows(LineList& lines, int* widest, std::size_t count,
                      const std::function<void(std::size_t, std::string&)>& cell)
{
    const std::size_t rows = (count + 2) / 3;
    // A hint only: a long history would otherwise grow the list many times over.
    lines.Reserve(lines.Size() + rows + 1);
    std::string row;
    for (std::size_t r = 0; r < rows; ++r) {
        row.clear();
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = k * rows + r;
            if (i >= count)
                break;
            if (k > 0)
                row += "     ";
            cell(i, row);
        }
        AddLine(lines, row, widest);
    }
}

} // namespace orlu
