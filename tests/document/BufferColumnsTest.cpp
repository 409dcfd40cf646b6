// Buffer columns of the three record layouts and the class histograms,
// including counts and class layouts that a damaged file can hold.

#include "document/buffer/BufferColumns.h"
#include "support/FixtureBuilder.h"
#include "support/WordImage.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orlu {
namespace {

TEST(BufferColumns, RankCountAndSumOfColumns)
{
    struct Rank {
        std::uint16_t mask;
        int index;
        int expected;
    };
    const Rank ranks[] = {
        {0b1011, 0, 1}, {0b1011, 1, 2}, {0b1011, 2, 0}, {0b1011, 3, 3},
        {0b1011, 4, 4},      // the column after every channel
        {0b11011, 4, 4},     // bit 4 set: its own rank
        {0, 4, 1}, {0, 0, 0}, {0x8000, 15, 1},
    };
    for (const Rank& r : ranks)
        EXPECT_EQ(ColumnIndexFromMask(r.mask, r.index), r.expected) << r.mask << " " << r.index;

    struct Count {
        std::uint16_t mask;
        int count;
        int expected;
    };
    const Count counts[] = {
        {0b0111, 4, 10}, // 9 rounded up to even
        {0b0111, 3, 9},  // only four channels round
        {0b1111, 4, 12}, {0b0001, 4, 4}, {0b1000, 3, 0}, {0xFFFF, 0, 0}, {0xFFFF, 40, 48},
    };
    for (const Count& c : counts)
        EXPECT_EQ(CountMaskedColumns(c.mask, c.count), c.expected) << c.mask << " " << c.count;

    const std::array<std::uint8_t, 4> bytes{2, 3, 250, 7};
    EXPECT_EQ(SumBytes(bytes, 0, 5), 5);
    EXPECT_EQ(SumBytes(bytes, 2, 1), 6);
    EXPECT_EQ(SumBytes(bytes, 4, 0), 262);
    EXPECT_EQ(SumBytes(bytes, 9, 0), 262); // never past the counts
}

TEST(BufferColumns, FourChannelColumnsByGroupThenChannel)
{
    // Three channels; counts by 3 x channel + group.
    const std::array<std::uint8_t, 9> counts{2, 1, 0, /**/ 3, 0, 1, /**/ 1, 2, 2};
    struct Case {
        int channel, group, slot;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0},  // the first column
        {1, 0, 0, 2},  // after channel 0's group 0
        {2, 0, 1, 6},  // after 2 + 3, second slot
        {0, 1, 2, 6},  // slot 2 counts channel 0's own group 0; + group 0 of channels 1 and 2 (3 + 1)
        {2, 1, 1, 7},  // 1 + group 0 of channels 0 and 1 (2 + 3) + group 1 of channels 0 and 1 (1 + 0)
        {1, 2, 3, 9},  // 3 + group 0 of 0 and 2 (2 + 1) + group 1 of 0 and 2 (1 + 2) + group 2 of channel 0 (0)
        {3, 0, 0, 12}, // the vector: after all 12 results
        {3, 0, 1, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetBufferColumnOffset(counts, c.channel, c.group, c.slot), c.expected)
            << c.channel << " " << c.group << " " << c.slot;

    struct Group {
        std::array<std::uint8_t, 3> masks;
        int n, expected;
    };
    const Group groups[] = {
        {{0b101, 0b1, 0b11}, 0, 0}, {{0b101, 0b1, 0b11}, 1, 0}, {{0b101, 0b1, 0b11}, 2, 1},
        {{0b101, 0b1, 0b11}, 3, 2}, {{0b101, 0b1, 0b11}, 4, 2}, {{0b101, 0b1, 0b11}, 5, 0}, // no such bit
        {{0, 0, 0x80}, 0, 2},
    };
    for (const Group& g : groups)
        EXPECT_EQ(GetResultGroup(g.masks, g.n), g.expected) << g.n;
}

// 0.05 dB words with the overload bit: level L (0.1 dB) is 2L, or 2L + 1 when overloaded.
std::uint16_t Logged(int tenths, bool overload = false)
{
    return static_cast<std::uint16_t>(2 * tenths + (overload ? 1 : 0));
}

TEST(ClassHistograms, CurrentFamilyColumnsClassesAndEdges)
{
    // Two words before the data, records of 3 words; the profile mask 0b101 puts
    // profile 2 in column 1. Classes of 1 dB from 60.0 dB.
    const std::vector<std::uint16_t> words{0xAAAA, 0xBBBB,
                                           Logged(700), Logged(605), Logged(500),
                                           Logged(700), Logged(619, true), Logged(500),
                                           Logged(700), Logged(550), Logged(500),  // below: first class
                                           Logged(700), Logged(640), Logged(500),  // at the top: last class
                                           Logged(700), Logged(9999), Logged(500)};
    const WordImage img(words);
    ProfileBufferGeometry g;
    g.dataStart = 2;
    g.wordsPerRecord = 3;
    g.recordCount = 5;
    g.columns = ColumnLayout::ProfileMask;
    g.profilesWithBuffer = 0b101;
    const HistogramLayout layout{0, 4, 600, 10};
    HistogramBuffers buffers;
    const std::vector<std::uint32_t>* h = BuildProfileHistogram(buffers, img.Reader(), g, layout, 2, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{2, 1, 0, 2}));
    EXPECT_EQ(h, buffers.Buffer(2));

    // Later models: the channel's column is the results of the channels before it.
    const std::array<std::uint8_t, 3> perChannel{1, 1, 1};
    g.columns = ColumnLayout::LaterModel;
    g.channelCounts = perChannel;
    h = BuildProfileHistogram(buffers, img.Reader(), g, layout, 1, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{2, 1, 0, 2}));

    // A record count beyond the image counts the records that are there.
    g.recordCount = 1000;
    h = BuildProfileHistogram(buffers, img.Reader(), g, layout, 1, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{2, 1, 0, 2}));
}

TEST(ClassHistograms, MalformedLayoutsAndCountsGiveNoHistogram)
{
    const WordImage img({Logged(700), Logged(650), Logged(600)});
    ProfileBufferGeometry g;
    g.wordsPerRecord = 3;
    g.recordCount = 1;
    g.profilesWithBuffer = 0b111;
    struct Case {
        const char* what;
        HistogramLayout layout;
        std::uint16_t profiles;
        int channel;
    };
    const Case cases[] = {
        {"no classes", {0, 0, 600, 10}, 0b111, 0},
        {"class width 0", {0, 4, 600, 0}, 0b111, 0},
        {"negative class width", {0, 4, 600, -10}, 0b111, 0},
        {"a profile that logs nothing", {0, 4, 600, 10}, 0b101, 1},
        {"a column past the record", {0, 4, 600, 10}, 0xFFFF, 5},
        {"a buffer number beyond the ten", {0, 4, 600, 10}, 0xFFFF, 12},
    };
    for (const Case& c : cases) {
        g.profilesWithBuffer = c.profiles;
        if (c.channel >= 5)
            g.wordsPerRecord = c.channel == 5 ? 3 : 16;
        HistogramBuffers buffers;
        EXPECT_EQ(BuildProfileHistogram(buffers, img.Reader(), g, c.layout, c.channel, 0), nullptr) << c.what;
    }
}

TEST(ClassHistograms, LegacyBuffersByMaskStepAndFormatVersion)
{
    // d = 1: word 1 holds e = 2, so the data start at word 3; records of 2 words,
    // channel 1's column after channel 0's one result.
    const std::vector<std::uint16_t> words{0, 2, 0xEEEE, 700, 610, 700, 625, 700, 9999};
    const WordImage img(words);
    const std::array<std::uint8_t, 2> perChannel{1, 1};
    LegacyBufferGeometry g;
    g.dataEnd = 1;
    g.channelMode = 1;
    g.loggerRowWords = 2;
    g.channelCounts = perChannel;
    g.formatVersion = 33;
    g.recordCount = 3;
    const HistogramLayout layout{0, 3, 600, 10};
    HistogramBuffers buffers;

    const std::vector<std::uint32_t>* h = BuildBufferHistogram(buffers, img.Reader(), g, layout, 0b10, 1, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h, buffers.Buffer(1)); // the buffer of the mask's lowest bit
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{0, 1, 2})); // 61.0, 62.5 and 999.9 dB

    // Format versions below 33 hold 0.05 dB words: halved, 610 is 30.5 dB and 625 is 31.2 dB, below every class.
    g.formatVersion = 32;
    h = BuildBufferHistogram(buffers, img.Reader(), g, layout, 0, 1, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h, buffers.Buffer(0));
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{2, 0, 1}));

    // No bit among 0 to 9: no buffer to count into.
    EXPECT_EQ(BuildBufferHistogram(buffers, img.Reader(), g, layout, 0x400, 1, 0), nullptr);
    EXPECT_EQ(BuildBufferHistogram(buffers, img.Reader(), g, HistogramLayout{0, 0, 600, 10}, 1, 1, 0), nullptr);
    EXPECT_EQ(BuildBufferHistogram(buffers, img.Reader(), g, HistogramLayout{0, 3, 600, 0}, 1, 1, 0), nullptr);

    // A damaged header: rows of no words and the largest record count. Nothing is
    // counted, rather than the same word once for every record.
    g.loggerRowWords = 0;
    g.recordCount = UINT32_MAX;
    h = BuildBufferHistogram(buffers, img.Reader(), g, layout, 0b10, 1, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h, (std::vector<std::uint32_t>{0, 0, 0}));
}

} // namespace
} // namespace orlu
