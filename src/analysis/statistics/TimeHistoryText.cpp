#include "analysis/statistics/TimeHistoryText.h"

#include "platform/ValueFormat.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

constexpr std::string_view kLevelHeadings[] = {"Lev[dB]",  "Lev[V]",  "Lev[Pa]",   "Lev[m/s\xB2]", "Lev[m/s]",
                                               "Lev[m]",   "Lev[KB]", "Lev[m/sx]", "RPM",          "Lev[g]",
                                               "Lev[in/s]", "Lev[in]", "Lev[KB]",  "Lev[in/sx]"};

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

std::string LevelCell(std::size_t position, double value, bool linear, char mark)
{
    if (!linear)
        return StrPrintf("%6ld%13.1f%c", static_cast<long>(position), value, mark);
    // The program's printf writes three exponent digits; the cell keeps two of them.
    std::string cell = StrPrintf("%6ld%14.2e%c", static_cast<long>(position), value, mark);
    cell.erase(17, 1);
    return cell;
}

void AppendColumnRows(LineList& lines, int* widest, std::size_t count,
                      const std::function<std::string(std::size_t)>& cell)
{
    const std::size_t rows = (count + 2) / 3;
    std::string row;
    for (std::size_t r = 0; r < rows; ++r) {
        row.clear();
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = k * rows + r;
            if (i >= count)
                break;
            if (k > 0)
                row += "     ";
            row += cell(i);
        }
        AddLine(lines, row, widest);
    }
}

} // namespace orlu
