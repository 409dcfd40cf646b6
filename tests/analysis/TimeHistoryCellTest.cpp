// The cells of the time-history text forms: a position of six columns, the
// value, the overload mark. Linear values keep two exponent digits and are one
// character narrower than their field; every cell is the text the general
// format gives for it.

#include "analysis/statistics/TimeHistoryText.h"
#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orlu {
namespace {

std::string Cell(std::size_t position, double value, bool linear, char mark)
{
    std::string row;
    AppendLevelCell(row, position, value, linear, mark);
    return row;
}

// The cell as the program's printf writes it (three exponent digits), the first exponent
// digit then removed.
std::string GeneralCell(std::size_t position, double value, bool linear, char mark)
{
    if (!linear)
        return StrPrintf("%6ld%13.1f%c", static_cast<long>(position), value, mark);
    std::string text = StrPrintf("%6ld%14.2e%c", static_cast<long>(position), value, mark);
    text.erase(17, 1);
    return text;
}

TEST(TimeHistoryCell, WrittenFromTheLayout)
{
    struct Case {
        std::size_t position;
        double value;
        bool linear;
        char mark;
        const char* text;
    };
    const Case cases[] = {
        {1, 1.5e-3, true, ' ', "     1     1.50e-03 "},
        {12, 1.0024, true, '*', "    12     1.00e+00*"},
        {7, -2.5e-120, true, ' ', "     7    -2.50e-20 "},
        {3, 9.995e-3, true, ' ', "     3     1.00e-02 "}, // rounds into the next decade
        {1234567, 20.0, false, '*', "1234567         20.0*"},
        {4, -999.9, false, ' ', "     4       -999.9 "},
        {5, 87.35, false, ' ', "     5         87.3 "}, // 87.35 lies below the tie
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cell(c.position, c.value, c.linear, c.mark), c.text) << c.value;
}

TEST(TimeHistoryCell, EveryValueGivesTheGeneralFormatsText)
{
    // Levels and their linear values over the range the forms show, with rounding ties,
    // zero and exponents of three digits; the last ones are left to the general format.
    const double special[] = {0.0,         -0.0,  1e-300, 5e-324, 1e300,
                              -1.005,      0.125, 99.95,  9.995,  std::numeric_limits<double>::infinity(),
                              std::nan("")};
    for (bool linear : {false, true}) {
        for (double v : special)
            EXPECT_EQ(Cell(42, v, linear, ' '), GeneralCell(42, v, linear, ' ')) << v;
        for (int tenth = -1000; tenth <= 1600; tenth += 7) {
            const double db = tenth / 10.0;
            const double value = linear ? std::pow(10.0, db / 20.0 - 5.0) * 2.0 : db;
            EXPECT_EQ(Cell(static_cast<std::size_t>(tenth + 1001), value, linear, '*'),
                      GeneralCell(static_cast<std::size_t>(tenth + 1001), value, linear, '*'))
                << value;
        }
    }
    EXPECT_EQ(Cell(4000000000u, 1.0, true, ' '), GeneralCell(4000000000u, 1.0, true, ' '));
}

} // namespace
} // namespace orlu
