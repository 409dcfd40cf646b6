// Time-history columns: the level-word codings, 24-bit samples at odd bytes,
// rotation speeds, and columns that declare more rows than the image holds.

#include "document/buffer/ColumnReader.h"
#include "support/WordImage.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orlu {
namespace {

TEST(LevelWords, CodingByFormatVersion)
{
    struct Case {
        std::uint16_t word;
        std::uint16_t version;
        double db;
        bool overload;
    };
    const Case cases[] = {
        {0x0191, 32, 20.0, true},  // 401 >> 1 = 200, bit 0 set
        {0x0191, 33, 40.1, false}, // no flag from version 33 on
        {0x0190, 0, 20.0, false},
        {0xFFFF, 32, -0.1, true},  // the shift keeps the sign
        {0xFFF6, 40, -1.0, false},
    };
    for (const Case& c : cases) {
        const WordImage img(std::vector<std::uint16_t>{0, c.word});
        std::array<double, 1> value{};
        std::array<std::uint8_t, 1> overload{9};
        const TimeHistoryColumn column{1, 1, 0};
        ASSERT_EQ(ReadLevelRun(img.Reader(), column, LevelCodingForVersion(c.version), 0, value, overload), 1u);
        EXPECT_DOUBLE_EQ(value[0], c.db) << c.word << " v" << c.version;
        EXPECT_EQ(overload[0], c.overload ? 1 : 0) << c.word << " v" << c.version;
    }
}

TEST(ColumnReader, LevelColumnOfRowsFromAnyRow)
{
    // Rows of three words from word 2; the column is the row's second word.
    const WordImage img(std::vector<std::uint16_t>{7, 7, 1, 100, 1, 1, 201, 1, 1, 300, 1});
    const TimeHistoryColumn column{2, 3, 1};
    std::array<double, 3> values{-1, -1, -1};
    std::array<std::uint8_t, 3> overload{};
    EXPECT_EQ(ReadLevelRun(img.Reader(), column, LevelCoding::HalvedWithOverload, 0, values, overload), 3u);
    EXPECT_EQ(values, (std::array<double, 3>{5.0, 10.0, 15.0}));
    EXPECT_EQ(overload, (std::array<std::uint8_t, 3>{0, 1, 0}));

    std::array<double, 2> later{};
    EXPECT_EQ(ReadLevelRun(img.Reader(), column, LevelCoding::Tenths, 1, later), 2u);
    EXPECT_EQ(later, (std::array<double, 2>{20.1, 30.0}));
}

TEST(ColumnReader, SamplesOf24BitsAtAnOddByte)
{
    // Rows of two words; the sample starts at byte 1 of the row.
    const WordImage img = WordImage::OfBytes({0xAA, 0xFF, 0xFF, 0x7F, /**/ 0xAA, 0x00, 0x00, 0x80,
                                                  /**/ 0xAA, 0x01, 0x00, 0x00, /**/ 0xAA, 0xFF, 0xFF, 0xFF});
    std::array<double, 4> values{};
    EXPECT_EQ(ReadSampleRun(img.Reader(), TimeHistoryColumn{0, 2, 1}, 0, values), 4u);
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], -8388608.0 / 8388607.0);
    EXPECT_EQ(values[2], 1.0 / 8388607.0);
    EXPECT_EQ(values[3], -1.0 / 8388607.0);
}

TEST(ColumnReader, RotationSpeedsOfTwoWordValues)
{
    // Below firmware 5.05 a high word of 0x97nn gives exponent 0: rpm = 60 / mantissa.
    const WordImage img(std::vector<std::uint16_t>{0, 1, 0x9700, 0, 2, 0x9700, 0, 3, 0x9700});
    std::array<double, 3> rpm{};
    EXPECT_EQ(ReadRealRun(img.Reader(), TimeHistoryColumn{0, 3, 1}, 400, 0, rpm), 3u);
    EXPECT_EQ(rpm, (std::array<double, 3>{60.0, 30.0, 20.0}));
}

TEST(ColumnReader, ReadsStopAtTheLastRowInTheImage)
{
    // Five words: rows of two words from word 0, a logger cut short in its third row.
    const WordImage img(std::vector<std::uint16_t>{10, 20, 30, 40, 50});
    const ImageReader r = img.Reader();
    struct Case {
        const char* what;
        TimeHistoryColumn column;
        std::size_t firstRow;
        std::size_t expected;
    };
    const Case cases[] = {
        {"column 0 ends in row 2", {0, 2, 0}, 0, 3},
        {"column 1 ends in row 1", {0, 2, 1}, 0, 2},
        {"from a later row", {0, 2, 0}, 2, 1},
        {"first row past the image", {0, 2, 0}, 3, 0},
        {"first word past the image", {5, 1, 0}, 0, 0},
        {"rows walking back to word 0", {4, -2, 0}, 0, 3},
        {"offset before the image", {0, 1, -1}, 0, 0},
        {"a row length of 0 repeats the word", {1, 0, 0}, 0, 6},
        {"a huge row length", {0, 32767, 0}, 0, 1},
    };
    for (const Case& c : cases) {
        std::vector<double> values(6, -7.0);
        EXPECT_EQ(ReadLevelRun(r, c.column, LevelCoding::Tenths, c.firstRow, values), c.expected) << c.what;
        for (std::size_t i = c.expected; i < values.size(); ++i)
            EXPECT_EQ(values[i], -7.0) << c.what << ": row " << i << " written";
    }

    // A sample needs three bytes, a rotation speed two words.
    std::array<double, 3> values{};
    EXPECT_EQ(ReadSampleRun(r, TimeHistoryColumn{0, 2, 1}, 0, values), 2u); // row 2 has bytes 8, 9 only
    EXPECT_EQ(ReadSampleRun(r, TimeHistoryColumn{0, 2, 0}, 0, values), 2u);
    EXPECT_EQ(ReadRealRun(r, TimeHistoryColumn{0, 2, 0}, 400, 0, values), 2u);
    // Counts of rows a damaged header may declare.
    std::vector<double> many(1000);
    EXPECT_EQ(ReadLevelRun(r, TimeHistoryColumn{0, 1, 0}, LevelCoding::Tenths, 0, many), 5u);
    EXPECT_EQ(ReadLevelRun(r, TimeHistoryColumn{0, 1, 0}, LevelCoding::Tenths, std::size_t{1} << 40, many), 0u);
}

} // namespace
} // namespace orlu
