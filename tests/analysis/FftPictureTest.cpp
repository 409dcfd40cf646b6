// The multi element picture of FFT spectra: frequency points between lines,
// rows between records, the range asked for and records that cannot be read.

#include "analysis/spectra/FftPicture.h"
#include "document/MissingValue.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

// Four lines of 0.5 Hz; record r holds 10 r + 2 i dB on line i, record 1 cannot be read
// when `hole` is set.
FftRecordReader Ramp(bool hole = false)
{
    return [hole](std::uint32_t r) -> std::optional<std::vector<double>> {
        if (hole && r == 1)
            return std::nullopt;
        std::vector<double> v;
        for (int i = 0; i < 4; ++i)
            v.push_back(10.0 * r + 2.0 * i);
        return v;
    };
}

FftLines FourLines()
{
    FftLines lines;
    lines.lines = 4;
    lines.resolution = 0.5;
    return lines;
}

MultiElementGrid Grid(std::int32_t rows, std::int32_t columns, double begin, double end)
{
    MultiElementGrid grid;
    grid.TimeStep = 2.0;
    grid.FirstRecord = 1;
    grid.LastRecord = 3;
    grid.Rows = rows;
    grid.Columns = columns;
    grid.BeginFrequency = begin;
    grid.EndFrequency = end;
    return grid;
}

TEST(FftPicture, PointsBetweenLinesAndRowsBetweenRecords)
{
    // Columns at 0.25, 0.75 and 1.25 Hz lie halfway between lines; rows at 0, 1, 2, 3, 4 s
    // fall on records 0, 1, 2 and halfway between them.
    MultiElementGrid grid = Grid(5, 3, 0.25, 1.25);
    FillFftPicture(grid, FourLines(), 3, 30.0, 50.0, Ramp());
    const std::vector<float> expected{1, 3, 5, 6, 8, 10, 11, 13, 15, 16, 18, 20, 21, 23, 25};
    EXPECT_EQ(grid.Values, expected);
    EXPECT_EQ(grid.Columns, 3);
    EXPECT_DOUBLE_EQ(grid.FirstFrequency, 0.25);
    EXPECT_DOUBLE_EQ(grid.LastFrequency, 1.25);
    EXPECT_DOUBLE_EQ(grid.FirstTime, 0.0);
    EXPECT_DOUBLE_EQ(grid.LastTime, 4.0);
    EXPECT_DOUBLE_EQ(grid.LevelRangeLow, 1.0);
    EXPECT_DOUBLE_EQ(grid.LevelRangeHigh, 25.0);
    EXPECT_DOUBLE_EQ(grid.LevelBottom, 30.0);
    EXPECT_DOUBLE_EQ(grid.LevelTop, 60.0);
}

TEST(FftPicture, RangeOutsideTheSpectrumShowsItWholeAndTheLastLineStands)
{
    for (const auto& [begin, end] : {std::pair{0.0, 0.0}, std::pair{5.0, 9.0}, std::pair{1.0, 0.5}}) {
        MultiElementGrid grid = Grid(3, 4, begin, end);
        FillFftPicture(grid, FourLines(), 3, 0.0, 80.0, Ramp());
        ASSERT_EQ(grid.Values.size(), 12u) << begin;
        // 0, 0.5, 1 and 1.5 Hz: every line, the last one read alone.
        EXPECT_EQ(std::vector<float>(grid.Values.begin(), grid.Values.begin() + 4), (std::vector<float>{0, 2, 4, 6}))
            << begin;
        EXPECT_DOUBLE_EQ(grid.LastFrequency, 1.5) << begin;
    }
}

TEST(FftPicture, RecordThatCannotBeReadLeavesItsCellsMissing)
{
    MultiElementGrid grid = Grid(3, 2, 0.0, 1.5);
    FillFftPicture(grid, FourLines(), 3, 0.0, 80.0, Ramp(true));
    ASSERT_EQ(grid.Values.size(), 6u);
    EXPECT_EQ(grid.Values[0], 0.0f);
    EXPECT_EQ(grid.Values[2], static_cast<float>(kMissingValue));
    EXPECT_EQ(grid.Values[3], static_cast<float>(kMissingValue));
    EXPECT_EQ(grid.Values[5], 26.0f);
}

TEST(FftPicture, ColumnsStayBetweenTwoAndSixty)
{
    for (const auto& [asked, made] : {std::pair{1, 2}, std::pair{1000, 60}}) {
        MultiElementGrid grid = Grid(3, asked, 0.0, 0.0);
        FillFftPicture(grid, FourLines(), 3, 0.0, 80.0, Ramp());
        EXPECT_EQ(grid.Columns, made) << asked;
        EXPECT_EQ(grid.Values.size(), 3u * static_cast<std::size_t>(made)) << asked;
    }
}

TEST(FftPicture, ASpectrumOfOneLineMakesNoPicture)
{
    FftLines one = FourLines();
    one.lines = 1;
    MultiElementGrid grid = Grid(3, 3, 0.0, 0.0);
    FillFftPicture(grid, one, 3, 0.0, 80.0, Ramp());
    EXPECT_TRUE(grid.Values.empty());
}

} // namespace
} // namespace orlu
