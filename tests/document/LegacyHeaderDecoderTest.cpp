// The legacy header decoder over literal words: prefix variants, the results
// block's statistics, the time-step rules and blocks that end too soon.

#include "document/headers/LegacyHeaderDecoder.h"

#include "records/WordImage.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::WordImage;
using Words = std::vector<std::uint16_t>;

/// A single-channel header of 10 words (flags in word 9) and a results block of r words.
Words SingleChannel(std::uint16_t input, std::uint16_t flags, std::uint16_t r)
{
    Words w = {10, 100, 200, input, 3, 2, 2, 3, 0, flags};
    Words results(r, 0);
    results[0] = r;
    for (std::uint16_t i = 12; i + 1 < r; i += 2) {
        results[i] = static_cast<std::uint16_t>(i);          // percentage
        results[i + 1] = static_cast<std::uint16_t>(800 + i); // level, 0.1 dB
    }
    w.insert(w.end(), results.begin(), results.end());
    return w;
}

TEST(LegacyHeaderDecoder, PrefixWordsNameTheVariant)
{
    struct Case {
        std::uint16_t first;
        LegacyDecodeStatus status;
        int variant;
    } cases[] = {
        {0x4010, LegacyDecodeStatus::Decoded, 1},
        {0x4011, LegacyDecodeStatus::Decoded, 2},
        {0x4021, LegacyDecodeStatus::Decoded, 3},
        {0x4012, LegacyDecodeStatus::UnknownPrefix, 0},
        {0x4000, LegacyDecodeStatus::UnknownPrefix, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        // Prefix, a 15-word header (one channel for variants 1 and 2), a channel block, a results block.
        Words w = {c.first, 15, 1, 2, 2, 1, 0, 0, 7, 8, 1200, 1000, 800, 40, 50, 60};
        Words channel = {9, 2, 3, 2, 2, 3, 0, 0, 0};
        w.insert(w.end(), channel.begin(), channel.end());
        w.insert(w.end(), {3, 0, 0});
        WordImage f(w);
        LegacyHeader h;
        ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 3, h), c.status);
        EXPECT_EQ(h.prefixVariant, c.variant);
        if (c.status != LegacyDecodeStatus::Decoded)
            continue;
        EXPECT_EQ(h.headerStart, 1u);
        EXPECT_EQ(h.headerLength, 15);
        if (c.variant == 2) { // references at words 9 to 11
            EXPECT_EQ(h.accelerationReference, 1200);
        }
        if (c.variant == 3) { // the extra words and references at 11 to 13; the single-channel way
            EXPECT_EQ(h.extraWords, (std::array<std::uint16_t, 2>{7, 8}));
            EXPECT_EQ(h.displacementReference, 50);
            EXPECT_TRUE(h.singleChannel);
        }
    }

    // Without bit 14 the first word is the header length of a variant-0 file.
    WordImage plain(SingleChannel(2, 0, 12));
    LegacyHeader h;
    ASSERT_EQ(DecodeLegacyHeaderWords(plain.reader, 0, 3, h), LegacyDecodeStatus::Decoded);
    EXPECT_EQ(h.prefixVariant, 0);
    EXPECT_EQ(h.headerLength, 10);
    EXPECT_EQ(h.channels[0].function, 3);
}

TEST(LegacyHeaderDecoder, StatisticsNeedTheWholeTableInsideTheResultsBlock)
{
    // The ten pairs lie at words 12 to 31: a results block of 32 words holds them, a
    // shorter one none (its words 12 on belong to the next block).
    struct Case {
        std::uint16_t input, r;
        bool statistics;
    } cases[] = {{2, 11, false}, {2, 12, false}, {2, 31, false}, {2, 32, true},
                 {3, 32, true},  {5, 32, false}, {2, 40, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " R " << c.r);
        Words w = SingleChannel(c.input, 0, c.r);
        WordImage f(w);
        LegacyHeader h;
        ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 3, h), LegacyDecodeStatus::Decoded);
        EXPECT_EQ(h.statisticsFlag, c.statistics);
        EXPECT_EQ(h.statistics.count, c.statistics ? 10 : 0);
        if (c.statistics) {
            EXPECT_EQ(h.statistics.percentages[0], 12);
            EXPECT_DOUBLE_EQ(h.statistics.levels[9], (800 + 30) / 10.0);
        }
    }
}

TEST(LegacyHeaderDecoder, HistogramCountsAndTheBufferAfterThem)
{
    // Histogram: 4 layout words (word 0 is not used for its length), 3 classes of
    // 32-bit counts; then an old buffer description of 21 words with 2 records.
    Words w = SingleChannel(2, 0x4 | 0x8, 12);
    Words histogram = {99, 3, 300, 10, 5, 0, 0, 1, 7, 0};
    w.insert(w.end(), histogram.begin(), histogram.end());
    Words buffer(21, 0);
    buffer[0] = 21;
    buffer[5] = 2;
    buffer[11] = 0x4000;
    w.insert(w.end(), buffer.begin(), buffer.end());
    w.insert(w.end(), {1600, 1700, 0});
    WordImage f(w);
    LegacyHeader h;
    ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 3, h), LegacyDecodeStatus::Decoded);
    EXPECT_EQ(h.histogram.classes, 3);
    EXPECT_EQ(h.histogram.lowest, 300);
    EXPECT_EQ(h.histogram.totalCount, 5u + 65536u + 7u);
    EXPECT_EQ(h.bufferStart, 22u + 10u);
    EXPECT_EQ(h.bufferDataStart, h.bufferStart + 21);
    EXPECT_EQ(h.declaredCount, 2u);
    EXPECT_DOUBLE_EQ(h.timeStep, 0.25);
    EXPECT_TRUE(h.histogramsAvailable);

    // Counts that run past the file are a load error, never a read outside it.
    Words cut = SingleChannel(2, 0x4, 12);
    cut.insert(cut.end(), {99, 400, 300, 10, 5, 0});
    WordImage g(cut);
    EXPECT_THROW(DecodeLegacyHeaderWords(g.reader, 0, 3, h), ImageRangeError);
}

TEST(LegacyHeaderDecoder, BufferFilesAlwaysHaveATimeHistoryAndNothingElse)
{
    // Kind 10: header, then at once the buffer description; the flags say histogram.
    Words w = {10, 1, 2, 2, 3, 2, 2, 3, 0, 0x4};
    Words buffer(21, 0);
    buffer[0] = 21;
    buffer[5] = 1;
    buffer[12] = 2;
    w.insert(w.end(), buffer.begin(), buffer.end());
    w.insert(w.end(), {1600, 0});
    WordImage f(w);
    LegacyHeader h;
    ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 10, h), LegacyDecodeStatus::Decoded);
    EXPECT_TRUE(h.timeHistory);
    EXPECT_FALSE(h.histogramFlag);
    EXPECT_FALSE(h.statisticsFlag);
    EXPECT_EQ(h.bufferStart, 10u);
    EXPECT_DOUBLE_EQ(h.timeStep, 2.0);
}

TEST(LegacyHeaderDecoder, ASingleChannelDescriptionOfTheNewFormatHasItsStepWhereItsVersionSaysSo)
{
    // Kind 10 files: the header, then the buffer description (its version is its length) and one record.
    struct Case {
        const char* name;
        std::uint16_t version;
        std::uint16_t at;      ///< first of the step words c, d, b
        std::uint16_t countHigh; ///< word 6
        double seconds;
        std::uint32_t count;
    } cases[] = {
        {"old format: words 11 to 13, a 16-bit count", 21, 11, 1, 2.0, 3},
        {"new format: words 17 to 19, a 32-bit count", 40, 17, 1, 2.0, 65536 + 3},
        {"new format with its step left at 11 to 13", 40, 11, 0, 2.0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Words w = {10, 1, 2, 2, 3, 2, 2, 3, 0, 0};
        Words buffer(c.version, 0);
        buffer[0] = c.version;
        buffer[5] = 3;
        buffer[6] = c.countHigh;
        buffer[c.at + 1u] = 2; // d: 2 s
        w.insert(w.end(), buffer.begin(), buffer.end());
        w.insert(w.end(), {800, 0});
        WordImage f(w);
        LegacyHeader h;
        ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 10, h), LegacyDecodeStatus::Decoded);
        EXPECT_DOUBLE_EQ(h.timeStep, c.seconds);
        EXPECT_EQ(h.declaredCount, c.count);
    }
}

TEST(LegacyHeaderDecoder, ChannelCountsOutsideOneToFiveAreRefused)
{
    for (std::uint16_t count : {0, 6, 0xFFFF}) {
        SCOPED_TRACE(count);
        WordImage f({0x4010, 13, 1, 2, 2, count, 0, 0, 0, 0, 0, 0, 0, 0});
        LegacyHeader h;
        EXPECT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 3, h), LegacyDecodeStatus::BadChannels);
    }
}

TEST(LegacyHeaderDecoder, ShortChannelBlocksLeaveTheirMissingWordsOut)
{
    // A channel block of 3 words: the words past it are the next block's, not this channel's.
    WordImage f({0x4010, 7, 1, 2, 2, 2, 0, 0, /*ch 0*/ 3, 5, 8, /*ch 1*/ 10, 0, 9, 3, 24, 10, 15, 0x10, 1, 140, /*R*/ 2, 0,
                 2, 0, 0});
    LegacyHeader h;
    ASSERT_EQ(DecodeLegacyHeaderWords(f.reader, 0, 3, h), LegacyDecodeStatus::Decoded);
    EXPECT_EQ(h.channels[0].function, 8);
    EXPECT_EQ(h.channels[0].range, 0);
    EXPECT_EQ(h.channels[0].furtherWord, -1);
    EXPECT_EQ(h.channels[1].function, 9);
    EXPECT_EQ(h.channels[1].vectorCoefficient, 140);
    EXPECT_EQ(h.profileMask, 0b11);
    EXPECT_TRUE(h.hasVibration);
}

TEST(LegacyHeaderDecoder, TimeStepOfTheBufferWords)
{
    struct Case {
        std::uint16_t c, d, b;
        double seconds;
        int decimals;
    } cases[] = {
        {0, 2, 0, 2.0, 0},        {0x4000, 0, 0, 0.25, 2}, {3, 1, 0, 1.0 / 3, 1}, {0, 0, 125, 0.125, 3},
        {0, 0, 500, 0.5, 1},      {0, 0, 2000, 2.0, 0},    {0, 0, 10, 0.01, 2},   {0x0800, 0, 0, 0.03125, 5},
        {100, 1, 0, 0.01, 2},     {1, 1, 0, 1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.c << "," << c.d << "," << c.b);
        const LegacyTimeStep step = TimeStepOfWords(c.c, c.d, c.b);
        EXPECT_DOUBLE_EQ(step.seconds, c.seconds);
        EXPECT_EQ(step.decimals, c.decimals);
    }
    EXPECT_EQ(TimeStepOfCode(2)->decimals, 3);
    EXPECT_DOUBLE_EQ(TimeStepOfCode(1)->seconds, 0.03125);
    EXPECT_FALSE(TimeStepOfCode(11));
}

TEST(LegacyHeaderDecoder, CountDecimalsOfG)
{
    EXPECT_EQ(CountDecimalsOfG(0.03125), 5);
    EXPECT_EQ(CountDecimalsOfG(2.0), 0);
    EXPECT_EQ(CountDecimalsOfG(1.0e-7), 0); // "1e-07": no point
    EXPECT_EQ(CountDecimalsOfG(0.1234567), 6); // "%g" keeps six significant digits
    EXPECT_EQ(CountDecimalsOfG(1.5e-7), 1); // the exponent's digits are not decimals
}

} // namespace
} // namespace orlu
