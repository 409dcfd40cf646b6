// Cross tables of histograms, densities and statistical levels on small
// synthetic elements: the class rows shared by elements of one lowest class,
// blocks of classes over whole totals, all-zero elements, band totals and the
// decimal comma under ';'.

#include "reports/table/StatisticsCrossTables.h"

#include "reports/table/MultiSpectrumMatrix.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::JoinedLines;

constexpr TableOutputOptions kSemicolonComma{0, 1, 2};

TableOutputOptions Layout(std::uint8_t layout, TableOutputOptions options = kSemicolonComma)
{
    options.FormatFlag = layout;
    return options;
}

// Two elements of one lowest class, the second without counts, and a third
// whose classes start higher.
StatCrossTable ThreeChannels()
{
    StatCrossTable t;
    t.Caption = "Histograms:";
    t.Kind = CrossElementKind::Channel;
    t.ClassCount = 4;
    t.Width = 10;
    t.Elements = {
        {"#1", "", 300, {1, 1, 2, 0}},
        {"#2", "", 300, {0, 0, 0, 0}},
        {"#3", "", 350, {2, 0, 0, 2}},
    };
    return t;
}

TEST(HistogramsCrossTable, RowPerElementWithAClassRowPerLowestClass)
{
    LineList lines;
    int width = -1;
    ASSERT_EQ(WriteHistogramsCrossTable(lines, &width, ThreeChannels(), Layout(2)), 1); // 2 % 2: a row per element
    EXPECT_EQ(JoinedLines(lines), "Histograms:\r\n"
                                  "___;no_->;[];1;2;3;4\r\n"
                                  "hist;chan;[dB];30,0;31,0;32,0;33,0\r\n"
                                  "1;#1;[%];25,00;25,00;50,00;0,00\r\n"
                                  "2;#2;[%];0,00;0,00;0,00;0,00\r\n"
                                  "hist;chan;[dB];35,0;36,0;37,0;38,0\r\n"
                                  "3;#3;[%];50,00;0,00;0,00;50,00\r\n");
    EXPECT_EQ(width, 36); // the class row with its CR LF
}

TEST(HistogramsCrossTable, BlockOfClassesRowPerClassOverWholeTotals)
{
    StatCrossTable t = ThreeChannels();
    t.Block = {true, 1, 2};
    t.FunctionRow = true;
    t.Elements[0].Function = "LAF";
    t.Elements[1].Function = "LCF";
    t.Elements[2].Function = "LZF";
    LineList lines;
    ASSERT_EQ(WriteHistogramsCrossTable(lines, nullptr, t, Layout(1)), 1);
    EXPECT_EQ(JoinedLines(lines), "Blocks_of_Histograms:\r\n"
                                  "___;hist->;1;2;hist->;3\r\n"
                                  "___;chan->;#1;#2;chan->;#3\r\n"
                                  "no_;func->;LAF;LCF;func->;LZF\r\n"
                                  "[];[dB];[%];[%];[dB];[%]\r\n"
                                  "1;31,0;25,00;0,00;36,0;0,00\r\n"
                                  "2;32,0;50,00;0,00;37,0;0,00\r\n");
}

TEST(HistogramsCrossTable, SubfilesUnderFixedFieldsKeepTheirPoint)
{
    StatCrossTable t;
    t.Caption = "Histograms:  Profile 1:";
    t.Kind = CrossElementKind::File;
    t.ClassCount = 2;
    t.Width = 5;
    t.Elements = {{"S1.M", "", 200, {3, 1}}};
    LineList lines;
    ASSERT_EQ(WriteHistogramsCrossTable(lines, nullptr, t, {0, 1, 6}), 1); // '#': fields as they are
    EXPECT_EQ(JoinedLines(lines), "Histograms:__Profile_1:\r\n"
                                  "___       no_->     []        1         2         \r\n"
                                  "hist      file      [dB]      20,0      20,5      \r\n"
                                  "1         S1.M      [%]       75,00     25,00     \r\n");
}

TEST(DensitiesCrossTable, ValuesFromTheMatrixWithMissingCells)
{
    StatCrossTable t = ThreeChannels();
    t.Caption = "Statistical density for Histograms:";
    t.Block = {true, 2, 3};
    MultiSpectrumMatrix densities(2); // the shown classes of each element
    ASSERT_TRUE(densities.AppendColumn(std::vector<double>{50.0, 0.0}));
    ASSERT_TRUE(densities.AppendColumn(std::vector<double>{0.0, 0.0}));
    ASSERT_TRUE(densities.AppendColumn(std::vector<double>{kMissingValue, 50.0}));
    for (std::uint8_t layout : {0, 1}) {
        LineList lines;
        ASSERT_EQ(WriteDensitiesCrossTable(lines, nullptr, t, densities, Layout(layout, {0, 0, 2})), 1);
        const std::string expected =
            layout == 0 ? "Blocks_of_Statistical_density_for_Histograms:\r\n"
                          "___;no_->;[];1;2\r\n"
                          "dens;chan;[dB];32.0;33.0\r\n"
                          "1;#1;[%];50.00;0.00\r\n"
                          "2;#2;[%];0.00;0.00\r\n"
                          "dens;chan;[dB];37.0;38.0\r\n"
                          "3;#3;[%];----;50.00\r\n"
                        : "Blocks_of_Statistical_density_for_Histograms:\r\n"
                          "___;dens->;1;2;dens->;3\r\n"
                          "no_;chan->;#1;#2;chan->;#3\r\n"
                          "[];[dB];[%];[%];[dB];[%]\r\n"
                          "1;32.0;50.00;0.00;37.0;----\r\n"
                          "2;33.0;0.00;0.00;38.0;50.00\r\n";
        EXPECT_EQ(JoinedLines(lines), expected) << "layout " << int{layout};
    }
}

BandStatTable TwoBandsAndATotal()
{
    BandStatTable t;
    t.Caption = "Histograms:";
    t.ClassBounds = {40.0, 45.0, 50.0};
    t.Bands = {
        {31.5, "", {2, 1, 1}},
        {63.0, "", {0, 2, 0}},
        {0.0, "A", {0, 0, 0}},
    };
    return t;
}

TEST(HistogramTable, BandsOverTheFirstBandsTotal)
{
    const BandStatTable t = TwoBandsAndATotal();
    LineList row, column;
    ASSERT_EQ(WriteHistogramTable(row, nullptr, t, Layout(0, {0, 0, 2})), 1);
    EXPECT_EQ(JoinedLines(row), "Histograms:\r\n"
                                "___;no_;[];1;2;3\r\n"
                                "hist;[Hz]\\cl->;[dB];40.0;45.0;50.0\r\n"
                                "1;31.5;[%];50.00;25.00;25.00\r\n"
                                "2;63.0;[%];0.00;50.00;0.00\r\n"
                                "3;A;[%];0.00;0.00;0.00\r\n");
    ASSERT_EQ(WriteHistogramTable(column, nullptr, t, Layout(1, {0, 0, 6})), 1);
    EXPECT_EQ(JoinedLines(column), "Histograms:\r\n"
                                   "___       ___hist-> 1         2         3         \r\n"
                                   "no_       cl\\[Hz]-> 31.5      63.0      A     \r\n"
                                   "[]        [dB]      [%]       [%]       [%]       \r\n"
                                   "1         40.0      50.00     0.00      0.00      \r\n"
                                   "2         45.0      25.00     50.00     0.00      \r\n"
                                   "3         50.0      25.00     0.00      0.00      \r\n");
}

TEST(DensityTable, ABlockOfEachBandsDensitiesOverItsOwnTotal)
{
    BandStatTable t = TwoBandsAndATotal();
    t.Caption = "Statistical density for Histograms:";
    t.Block = {true, 1, 2};
    LineList lines;
    ASSERT_EQ(WriteDensityTable(lines, nullptr, t, Layout(1, {0, 0, 6})), 1);
    EXPECT_EQ(JoinedLines(lines), "Blocks_of_Statistical_density_for_Histograms:\r\n"
                                  "___       ___dens-> 1         2         3         \r\n"
                                  "no_       cl\\[Hz]-> 31.5      63.0      A         \r\n"
                                  "[]        [dB]      [%]       [%]       [%]       \r\n"
                                  "1         45.0      50.00     100.00    0.00      \r\n"
                                  "2         50.0      25.00     0.00      0.00      \r\n");
}

TEST(LevelsCrossTable, LnOfEachColumnFromItsCountsOrItsStoredLevels)
{
    LevelsCrossTable t;
    t.Caption = "Statistical levels for Histograms:";
    t.Kind = LevelColumnKind::Channel;
    t.Width = 10;
    t.Percentages = {10, 50, 100};
    // Counts 20, 40, 30, 10 of classes 30 to 33 dB: exceedances 100, 80, 40, 10.
    t.Columns = {
        {"#1", 0, "", 300, {20, 40, 30, 10}, {}},
        {"#2", 0, "", 300, {0, 0, 0, 0}, {}}, // no results: no level reached
        {"#3", 0, "", 300, {}, {61.2, 55.5, 40.0}},
    };
    LineList row, column;
    ASSERT_EQ(WriteLevelsCrossTable(row, nullptr, t, Layout(0)), 1);
    EXPECT_EQ(JoinedLines(row), "Statistical_levels_for_Histograms:\r\n"
                                "leve;chan;[%];10;50;100\r\n"
                                "1;#1;[dB];33,0;31,7;30,0\r\n"
                                "2;#2;[dB];0,0;0,0;0,0\r\n"
                                "3;#3;[dB];61,2;55,5;40,0\r\n");
    t.Kind = LevelColumnKind::Band;
    t.Columns = {{"", 1000.0, "", 300, {20, 40, 30, 10}, {}}, {"Lin", 0, "", 300, {10}, {}}};
    ASSERT_EQ(WriteLevelsCrossTable(column, nullptr, t, Layout(1)), 1);
    EXPECT_EQ(JoinedLines(column), "Statistical_levels_for_Histograms:\r\n"
                                   "___;leve->;1;2\r\n"
                                   "no_;[Hz]->;1000,0;Lin\r\n"
                                   "[];[%];[dB];[dB]\r\n"
                                   "1;10;33,0;30,9\r\n" // one class: 30 + (100 - 10) / 100
                                   "2;50;31,7;30,5\r\n"
                                   "3;100;30,0;30,0\r\n");
}

TEST(ExceedancePercents, ShareAtOrAboveEachClass)
{
    EXPECT_EQ(ExceedancePercents(std::vector<std::uint32_t>{20, 40, 30, 10}),
              (std::vector<double>{100, 80, 40, 10}));
    EXPECT_EQ(ExceedancePercents(std::vector<std::uint32_t>{0, 0}), (std::vector<double>{0, 0}));
    EXPECT_TRUE(ExceedancePercents({}).empty());
}

} // namespace
} // namespace orlu
