#include "reports/table/CrossTableRows.h"

#include "platform/ValueFormat.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/TableWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orlu {
namespace {

constexpr std::uint8_t kNoSeparator = 6;

// The quick writers of the value cells must give the text of the general
// printf with the exponent repaired, for every value: ties, the smallest and
// largest doubles, negative zero, exponents of one, two and three digits.
TEST(CrossTableRowsTest, ValueCellsAreThePrintedTextsWithTheirExponentsRepaired)
{
    const char* const formats[] = {"%-10.2e", "%-12.3e", "%-10e", "%-10.0e", "%-10.1f", "%-10.2f", "%-10.0f", "%10.2e"};
    const double values[] = {123456,
                             1.125,
                             2.5e-7,
                             0.5,
                             -0.0,
                             9.995,
                             1e100,
                             -1e-100,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             0.05,
                             0.15,
                             2.5,
                             1e15,
                             -123.456,
                             std::numeric_limits<double>::infinity(),
                             std::nan("")};
    for (const char* format : formats) {
        for (std::uint8_t decimal : {0, 1}) {
            LineList lines;
            CrossTableRows rows(lines, {0, decimal, kNoSeparator});
            const CrossTableRows::NumberFormat& parsed = rows.FormatOf(format);
            std::string expected;
            for (double value : values) {
                rows.Number(value, parsed);
                std::string cell = StrPrintf(format, value);
                if (std::string_view(format).ends_with('e'))
                    RepairExponent(cell, 0);
                if (decimal == 1 && cell.find('.') != std::string::npos)
                    cell[cell.find('.')] = ',';
                expected += cell;
            }
            rows.EndRow();
            ASSERT_EQ(lines.Size(), 1u);
            EXPECT_EQ(lines[0], expected + "\r\n") << format << " decimal " << int(decimal);
        }
    }
}

TEST(CrossTableRowsTest, MissingValueWhateverTheFormat)
{
    LineList lines;
    CrossTableRows rows(lines, {0, 0, kNoSeparator});
    rows.Number(kMissingValue, rows.FormatOf("%-10.2e"));
    rows.Number(-999.8, rows.FormatOf("%-10.1f"));
    rows.Number(kMissingValue, rows.FormatOf("%d")); // no number conversion at all
    rows.EndRow();
    EXPECT_EQ(lines[0], "----      -999.8    ----      \r\n");
}

} // namespace
} // namespace orlu
