// The one-pass reduction of a level column gives, value for value and flag for
// flag, what reading the whole column and aggregating it gives: for record
// counts that are no multiple of the degree, degree 1, the largest degree the
// view offers (half the records), a column longer than one thread's share,
// both level codings, dB and linear output, and a column cut short.

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/LevelColumnAggregation.h"
#include "document/buffer/ColumnReader.h"
#include "support/WordImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace orlu {
namespace {

// Rows of two words from word 3: the level column is word 1 of the row, word 0 a
// neighbour that must not be read. Levels wander over 40 to 140 dB with an
// overloaded record now and then, from a fixed seed.
std::vector<std::uint16_t> LoggerWords(std::size_t rows)
{
    std::vector<std::uint16_t> words{0x1111, 0x2222, 0x3333};
    std::uint32_t state = 12345;
    for (std::size_t r = 0; r < rows; ++r) {
        state = state * 1664525u + 1013904223u;
        const auto tenths = static_cast<std::uint16_t>(400 + (state >> 8) % 1000);
        const std::uint16_t overload = (state >> 28) == 0 ? 1 : 0;
        words.push_back(0x7FFF);
        words.push_back(static_cast<std::uint16_t>(tenths * 2 | overload));
    }
    return words;
}

constexpr TimeHistoryColumn kColumn{3, 2, 1};

struct Reduced {
    std::vector<double> values;
    std::vector<std::uint8_t> overload;
};

// What the column gives read whole and then aggregated.
Reduced ByDefinition(const ImageReader& image, std::size_t records, LevelCoding coding, AggregationKind kind,
                     bool linear, const LinearScale& scale, int degree)
{
    Reduced r;
    r.values.assign(records, 0.0);
    r.overload.assign(records, 0);
    const std::size_t n = ReadLevelRun(image, kColumn, coding, 0, r.values, r.overload);
    r.values.resize(n);
    r.overload.resize(n);
    const std::size_t left = Aggregate(kind, r.values, linear, scale, degree, r.overload);
    r.values.resize(left);
    r.overload.resize(left);
    return r;
}

void ExpectSame(const ImageReader& image, std::size_t records, int degree, const char* what)
{
    const LinearScale scale{.referenceExponent = 6, .offsetTenths = -35, .microphone = true, .factor = 1.0};
    for (const LevelCoding coding : {LevelCoding::HalvedWithOverload, LevelCoding::Tenths})
        for (const AggregationKind kind :
             {AggregationKind::EnergyMean, AggregationKind::Maximum, AggregationKind::Minimum})
            for (const bool linear : {false, true}) {
                const Reduced expected = ByDefinition(image, records, coding, kind, linear, scale, degree);
                Reduced fast;
                AggregateLevelColumn(image, kColumn, coding, records, kind, linear, scale, degree, fast.values,
                                     fast.overload);
                const auto label = ::testing::Message() << what << ": " << records << " records, degree " << degree
                                                        << ", kind " << static_cast<int>(kind) << ", linear "
                                                        << linear << ", coding " << static_cast<int>(coding);
                // Bit for bit: the graph shows the same numbers the text form prints.
                ASSERT_EQ(fast.values.size(), expected.values.size()) << label;
                for (std::size_t j = 0; j < expected.values.size(); ++j)
                    ASSERT_EQ(fast.values[j], expected.values[j]) << label << ", window " << j;
                ASSERT_EQ(fast.overload, expected.overload) << label;
            }
}

TEST(LevelColumnAggregation, GivesWhatReadingAndAggregatingGive)
{
    struct Case {
        std::size_t records;
        std::vector<int> degrees;
    };
    const Case cases[] = {
        {1, {1, 2}},                  // one record: no window of two
        {7, {1, 2, 3, 7, 8, 0}},      // 7 mod 2 and 7 mod 3 left over; degree 0 counts as 1
        {1001, {1, 2, 4, 10, 500}},   // 500 is the largest degree a view offers for 1001 records
        {300001, {1, 2, 4, 150000}},  // longer than one thread's share of the records
    };
    for (const Case& c : cases) {
        const WordImage img(LoggerWords(c.records));
        for (int degree : c.degrees)
            ExpectSame(img.Reader(), c.records, degree, "whole column");
    }
}

TEST(LevelColumnAggregation, ColumnCutShortGivesTheRowsItHolds)
{
    // 40 rows declared, 25 and a half in the image: the half row's level word is missing.
    std::vector<std::uint16_t> words = LoggerWords(26);
    words.pop_back();
    const WordImage img(words);
    for (int degree : {1, 2, 4, 25})
        ExpectSame(img.Reader(), 40, degree, "cut column");
    std::vector<double> values{1.0};
    std::vector<std::uint8_t> overload{1};
    AggregateLevelColumn(img.Reader(), kColumn, LevelCoding::HalvedWithOverload, 40, AggregationKind::EnergyMean,
                         false, {}, 2, values, overload);
    EXPECT_EQ(values.size(), 12u); // 25 rows make 12 windows of two
    EXPECT_EQ(overload.size(), 12u);
}

} // namespace
} // namespace orlu
