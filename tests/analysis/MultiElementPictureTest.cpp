// The multi element picture of a logger of spectra: rows on records and
// between them, the records read, the level range, and short grids.

#include "analysis/spectra/MultiElementPicture.h"
#include "document/MissingValue.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace orlu {
namespace {

// A logger whose record r holds r + 10 x c in column c; it counts the records read.
struct RampLogger {
    std::set<std::uint32_t> read;
    int reads = 0;
    SpectrumRowReader Reader()
    {
        return [this](std::uint32_t r, std::span<double> out) {
            read.insert(r);
            ++reads;
            for (std::size_t c = 0; c < out.size(); ++c)
                out[c] = r + 10.0 * c;
            return true;
        };
    }
};

TEST(MultiElementPicture, RowsFallOnRecordsOrHalfwayBetween)
{
    RampLogger logger;
    MultiElementGrid grid;
    grid.TimeStep = 1.0;
    grid.FirstRecord = 1;
    grid.LastRecord = 100;
    grid.Rows = 199;
    FillMultiElementGrid(grid, 3, 100, logger.Reader());
    ASSERT_EQ(grid.Values.size(), 199u * 3);
    EXPECT_EQ(grid.Columns, 3);
    EXPECT_EQ(grid.FirstTime, 0.0);
    EXPECT_EQ(grid.LastTime, 99.0);
    for (int k = 0; k < 199; ++k)
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(grid.Values[static_cast<std::size_t>(k * 3 + c)], k / 2.0f + 10.0f * c) << k << " " << c;
    // Each record once: neighbouring rows share the records they fall between.
    EXPECT_EQ(logger.reads, 100);
}

TEST(MultiElementPicture, ReadsOnlyTheRecordsTheRowsNeed)
{
    RampLogger logger;
    MultiElementGrid grid;
    grid.TimeStep = 0.5;
    grid.FirstRecord = 1;
    grid.LastRecord = 10000;
    grid.Rows = 60;
    FillMultiElementGrid(grid, 36, 10000, logger.Reader());
    EXPECT_LE(logger.reads, 120);
    EXPECT_TRUE(logger.read.count(0) && logger.read.count(9999));
}

TEST(MultiElementPicture, LevelRangeFollowsEveryCellOfAFallingPicture)
{
    // Values falling from 90 to 40 dB over the records.
    MultiElementGrid grid;
    grid.FirstRecord = 1;
    grid.LastRecord = 6;
    grid.Rows = 6;
    FillMultiElementGrid(grid, 2, 6, [](std::uint32_t r, std::span<double> out) {
        for (double& v : out)
            v = 90.0 - 10.0 * r;
        return true;
    });
    EXPECT_EQ(grid.LevelRangeLow, 40.0);
    EXPECT_EQ(grid.LevelRangeHigh, 90.0);
}

TEST(MultiElementPicture, ShortGridsAndUnreadableRecords)
{
    RampLogger logger;
    MultiElementGrid grid;
    grid.FirstRecord = 5;
    grid.LastRecord = 50;
    grid.Rows = 1;
    FillMultiElementGrid(grid, 2, 100, logger.Reader());
    // One row, at the first record (index 4).
    ASSERT_EQ(grid.Values.size(), 2u);
    EXPECT_FLOAT_EQ(grid.Values[0], 4.0f);

    // Records past the logger are kept inside it; a record that cannot be read stays
    // missing and takes no part in the range.
    grid.Rows = 3;
    grid.FirstRecord = 1;
    grid.LastRecord = 500;
    FillMultiElementGrid(grid, 1, 3, [](std::uint32_t r, std::span<double> out) {
        out[0] = 50.0 + r;
        return r != 1;
    });
    ASSERT_EQ(grid.Values.size(), 3u);
    EXPECT_FLOAT_EQ(grid.Values[0], 50.0f);
    EXPECT_FLOAT_EQ(grid.Values[1], static_cast<float>(kMissingValue));
    EXPECT_FLOAT_EQ(grid.Values[2], 52.0f);
    EXPECT_EQ(grid.LevelRangeLow, 50.0);
    EXPECT_EQ(grid.LevelRangeHigh, 52.0);
}

} // namespace
} // namespace orlu
