#include "document/records/RecordLocators.h"

#include "WordImage.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::AddLongRecord;
using test::AddRecord;
using test::WordImage;

constexpr ChainFlags kOther{};
constexpr ChainFlags kFour{.fourChannel = true, .firmware = 230};

// The four leading records every current-family header has.
std::vector<std::uint16_t> Header()
{
    std::vector<std::uint16_t> w;
    AddRecord(w, 1, {0x4241, 0x0043}); // words 0..2
    AddRecord(w, 2, {1234, 545, 230}); // words 3..6
    AddRecord(w, 3, {0x2020});         // words 7..8
    AddRecord(w, 4, {1, 2, 3});        // words 9..12
    return w;
}

SubfileSpan Whole(const WordImage& f)
{
    return {0, f.Words()};
}

TEST(RecordLocators, HeaderSetupsStopWhereTheirFamilySays)
{
    std::vector<std::uint16_t> w = Header();
    AddRecord(w, 15, {0, 0, 0});  // buffer header before the 1/1-octave setup
    AddRecord(w, 14, {7});
    w.push_back(0xFFFF);
    WordImage f(w);
    EXPECT_EQ(FindRecord14(f.reader, Whole(f), kOther), 0u); // 15 stops this walk
    EXPECT_TRUE(HasRecord15(f.reader, Whole(f)));
    EXPECT_EQ(FindRecord(f.reader, 0, 14, kOther), 17u); // the generic walk goes on
    EXPECT_EQ(FindRecordInHeader(f.reader, Whole(f), kOther, 14), 0u);
    EXPECT_EQ(FindRecordInHeader(f.reader, Whole(f), kFour, 14), 17u);
    EXPECT_EQ(FindRecord(f.reader, 0, 99, kOther), 0u);
}

TEST(RecordLocators, ZeroLengthFirstIsNotFoundAtOnce)
{
    WordImage f({0x0004, 0x0000, 0x0107, 0xFFFF});
    SubfileSpan sub = Whole(f);
    EXPECT_EQ(FindRecord(f.reader, 0, 7, kOther), 0u);
    EXPECT_EQ(FindResultsRecord(f.reader, sub, kOther), 0u);
    EXPECT_EQ(FindRecordInHeader(f.reader, sub, kOther, 7), 0u);
    EXPECT_FALSE(IsComplete(f.reader, sub));
    EXPECT_FALSE(HasValidEnd(f.reader, sub, kFour));
    EXPECT_EQ(FindNextRecord(f.reader, 0, 7, kOther), 0u);
}

TEST(RecordLocators, LengthRulesPerLocator)
{
    // Record 18 holds 2 in its high byte and 5 in word 1. A walk by the high
    // byte lands on a stop record; a walk that reads 18 from word 1 steps over it.
    std::vector<std::uint16_t> w = Header();  // words 0..12
    w.insert(w.end(), {0x0212, 0x0005});      // 13: type 18
    w.insert(w.end(), {0x01FF, 0x0000, 0x0000}); // 15: type 255 of one word
    AddRecord(w, 16, {1});                    // 18: 1/3-octave setup
    AddRecord(w, 24, {0});                    // 20: user filters
    w.push_back(0xFFFF);
    WordImage f(w);
    SubfileSpan sub = Whole(f);
    EXPECT_EQ(FindRecord16(f.reader, sub, kOther), 18u);
    EXPECT_EQ(FindRecord24(f.reader, sub), 20u);
    EXPECT_EQ(FindRecord(f.reader, 0, 16, kOther), 0u); // reads 18 by its high byte and stops at 255

    // The results locator advances by the high byte only: a word-1 record ends it.
    std::vector<std::uint16_t> r = Header();
    AddLongRecord(r, 5, {1, 2});
    AddRecord(r, 7, {100, 200});
    r.push_back(0xFFFF);
    WordImage g(r);
    EXPECT_EQ(FindResultsRecord(g.reader, Whole(g), kOther), 0u);
    EXPECT_EQ(FindRecord(g.reader, 0, 7, kOther), 17u);
}

TEST(RecordLocators, Record23LengthByFamily)
{
    // Other files: the statistics definition 23 holds its length (7) in the high
    // byte and g = 3 in the high byte of word 1 (0x0300, 768 as a length).
    std::vector<std::uint16_t> w = Header();        // words 0..12
    AddRecord(w, 23, {0x0300, 1, 50, 600, 610, 620}); // 13..19
    AddRecord(w, 33, {1});                          // 20..21
    AddRecord(w, 24, {0});                          // 22..23
    w.push_back(0xFFFF);
    WordImage f(w);
    EXPECT_EQ(FindRecord(f.reader, 0, 33, kOther), 20u);
    EXPECT_EQ(FindNextRecord(f.reader, 13, 33, kOther), 20u);
    EXPECT_TRUE(HasBufferRecord(f.reader, Whole(f), kOther));
    EXPECT_TRUE(FindStatisticsDef(f.reader, Whole(f), kOther));
    auto levels = ReadStatisticalLevels(f.reader, Whole(f), kOther, 2, 0);
    ASSERT_TRUE(levels);
    EXPECT_DOUBLE_EQ(levels->levels[9], 62.0);
    // Four-channel files read 23 from word 1 (a data record there): 768 words runs past the image.
    EXPECT_EQ(FindRecord(f.reader, 0, 33, kFour), 0u);
    EXPECT_FALSE(HasBufferRecord(f.reader, Whole(f), kFour));

    // A four-channel 23 whose high byte is not its length: word 1 (4) is.
    std::vector<std::uint16_t> d = Header();
    d.insert(d.end(), {0x0217, 4, 0x00FF, 0x00FF}); // 13..16: type 23, 4 words by word 1
    AddRecord(d, 33, {1});                           // 17..18
    d.push_back(0xFFFF);
    WordImage g(d);
    EXPECT_EQ(FindRecord(g.reader, 0, 33, kFour), 17u);
    EXPECT_EQ(FindRecord(g.reader, 0, 33, kOther), 0u); // by the high byte it lands on an end type
}

TEST(RecordLocators, RecordCountBounds)
{
    for (int fillers : {19, 20}) {
        std::vector<std::uint16_t> w;
        for (int i = 0; i < fillers; ++i)
            AddRecord(w, 40, {static_cast<std::uint16_t>(i)});
        AddRecord(w, 16, {});
        w.push_back(0xFFFF);
        WordImage f(w);
        // At most 20 records: the 20th may be the wanted one, the 21st is not looked at.
        EXPECT_EQ(FindRecord16(f.reader, Whole(f), kOther), fillers == 19 ? 38u : 0u) << fillers;
    }
}

TEST(RecordLocators, FamiliesUseTheirOwnTypes)
{
    std::vector<std::uint16_t> w = Header();
    AddRecord(w, 9, {0x0005});        // 13: four-channel octave setup / other files' histogram
    AddRecord(w, 13, {1, 2});         // 15: four-channel results
    AddRecord(w, 7, {1, 2});          // 18
    AddRecord(w, 25, {0x0305, 3});    // 21: four-channel statistics, mask 5
    AddRecord(w, 11, {0x0010, 0, 0}); // 24: four-channel FFT setup
    w.push_back(0xFFFF);
    WordImage f(w);
    SubfileSpan sub = Whole(f);
    EXPECT_EQ(FindResultsRecord(f.reader, sub, kFour), 15u);
    EXPECT_EQ(FindResultsRecord(f.reader, sub, kOther), 0u); // 9 stops it in other files
    EXPECT_EQ(FindRecord14(f.reader, sub, kFour), 13u);
    EXPECT_EQ(FindRecord16(f.reader, sub, kFour), 13u);
    EXPECT_EQ(FindRecord9(f.reader, sub, kOther), 13u);
    ChainFlags history = kOther;
    history.timeHistory = true;
    EXPECT_EQ(FindRecord9(f.reader, sub, history), 0u);
    EXPECT_EQ(FindStatisticsDef(f.reader, sub, kFour), std::optional<std::uint16_t>(5));
    EXPECT_EQ(FindStatisticsDef(f.reader, sub, kOther), std::nullopt);
    EXPECT_EQ(FindRecord17or21(f.reader, sub, kFour), 24u);
    EXPECT_EQ(GetRecord17Data(f.reader, sub, kFour), 24u + 4 + 2);
}

TEST(RecordLocators, ChannelRecordsFollowTheChannelMask)
{
    std::vector<std::uint16_t> w = Header();
    AddRecord(w, 16, {0xAAAA}); // 13: first channel of mask 0b101: channel 0
    AddRecord(w, 15, {0x1111}); // 15: another type in between
    AddRecord(w, 16, {0xCCCC}); // 17: second: channel 2
    w.push_back(0xFFFF);
    WordImage f(w);
    SubfileSpan sub = Whole(f);
    EXPECT_EQ(FindChannelRecord(f.reader, sub, 16, 0, 0b101, 3), 13u);
    EXPECT_EQ(FindChannelRecord(f.reader, sub, 16, 2, 0b101, 3), 17u);
    EXPECT_EQ(FindChannelRecord(f.reader, sub, 16, 1, 0b101, 3), 0u);
    EXPECT_EQ(FindChannelRecord(f.reader, sub, 15, 0, 0b101, 3), 15u);
    EXPECT_EQ(FindChannelRecord(f.reader, sub, 16, 2, 0b101, 2), 0u); // channel 2 is not a channel of the file
}

TEST(RecordLocators, WalksInASubfileAndPastIt)
{
    std::vector<std::uint16_t> w = Header(); // sub-file 1: words 0..13
    w.push_back(0xFFFF);
    std::vector<std::uint16_t> second = Header(); // sub-file 2 from word 14
    AddRecord(second, 7, {5});
    second.push_back(0xFFFF);
    w.insert(w.end(), second.begin(), second.end());
    WordImage f(w);
    SubfileSpan first{0, 14};
    SubfileSpan next{14, f.Words()};
    EXPECT_TRUE(IsComplete(f.reader, first));
    EXPECT_TRUE(IsComplete(f.reader, next));
    EXPECT_EQ(FindResultsRecord(f.reader, next, kOther), 27u);
    EXPECT_EQ(FindResultsRecord(f.reader, first, kOther), 0u);
    // The generic walk from a later word runs to the end of the image, not of a sub-file.
    EXPECT_EQ(FindRecord(f.reader, 3, 7, kOther), 0u); // the end word of sub-file 1 stops it
    EXPECT_EQ(FindRecord(f.reader, 14, 7, kOther), 27u);
    EXPECT_EQ(FindNextRecord(f.reader, 14, 4, kOther), 23u);
    EXPECT_FALSE(IsComplete(f.reader, SubfileSpan{0, 15})); // the end word one before the end
}

TEST(RecordLocators, FindNextSkipsAWord1RecordByItsLength)
{
    std::vector<std::uint16_t> w;
    AddLongRecord(w, 34, {1, 2, 3}); // words 0..4
    AddLongRecord(w, 34, {4});       // words 5..7
    w.push_back(0xFFFF);
    WordImage f(w);
    EXPECT_EQ(FindNextRecord(f.reader, 0, 34, kOther), 5u);
    EXPECT_EQ(FindNextRecord(f.reader, 5, 34, kOther), 0u);
}

TEST(RecordLocators, BufferRecordsAndData)
{
    // Other files: the buffer data follow record 15.
    std::vector<std::uint16_t> w = Header();
    AddRecord(w, 15, {0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}); // 13..24
    w.insert(w.end(), {0x0107, 0x0107, 0x0107, 0x0107});  // data that look like records
    WordImage f(w);
    ChainFlags history = kOther;
    history.timeHistory = true;
    EXPECT_EQ(FindBufferRecord(f.reader, Whole(f), history), 13u);
    EXPECT_EQ(FindBufferData(f.reader, Whole(f), history), 25u);
    EXPECT_EQ(GetBufferRowAddress(f.reader, Whole(f), history, 2, 4, 1), 28u);
    EXPECT_EQ(GetBufferRowAddress(f.reader, Whole(f), history, 2, 4, 3), 36u);
    EXPECT_TRUE(IsComplete(f.reader, Whole(f)));

    // Four-channel logger: word 1 is the byte offset of the data; the walk stops there.
    std::vector<std::uint16_t> l = Header();
    AddRecord(l, 24, {2 * 21, 0, 0, 8, 0}); // 13..18, data at word 21, 8 bytes
    AddRecord(l, 34, {0});                   // 19..20: describes the logger
    l.insert(l.end(), {0x0107, 0x0107, 0x0107, 0x0107, 0xFFFF}); // 21..24: data, then the end
    WordImage g(l);
    SubfileSpan sub = Whole(g);
    EXPECT_EQ(FindRecord(g.reader, 0, 34, kFour), 19u);
    EXPECT_EQ(FindRecord(g.reader, 0, 7, kFour), 0u); // data are not records
    EXPECT_EQ(FindBufferRecord(g.reader, sub, kFour), 13u);
    EXPECT_EQ(FindBufferData(g.reader, sub, kFour), 21u);
    EXPECT_TRUE(HasBufferRecord(g.reader, sub, kFour));
    EXPECT_TRUE(HasValidEnd(g.reader, sub, kFour));

    // The same with a wrong data size: the end word is not where the size says.
    std::vector<std::uint16_t> bad = l;
    bad[17] = 6;
    WordImage h(bad);
    EXPECT_FALSE(HasValidEnd(h.reader, Whole(h), kFour));
    // A data size past the image is no read outside it.
    bad[17] = 0xFFF0;
    bad[18] = 0x7FFF;
    WordImage k(bad);
    EXPECT_FALSE(HasValidEnd(k.reader, Whole(k), kFour));
}

TEST(RecordLocators, WaveformRecordings)
{
    std::vector<std::uint16_t> w = Header();
    AddRecord(w, 43, {0, 0, 4, 0}); // 13..17: 4 bytes of samples follow
    w.insert(w.end(), {0x0107, 0x0107, 0xFFFF});
    WordImage f(w);
    ChainFlags flags = kFour;
    flags.waveformRecord = true;
    EXPECT_EQ(FindBufferRecord(f.reader, Whole(f), flags), 13u);
    EXPECT_EQ(FindBufferData(f.reader, Whole(f), flags), 18u);
    EXPECT_EQ(FindRecord(f.reader, 0, 7, kFour), 0u);
    EXPECT_TRUE(HasValidEnd(f.reader, Whole(f), flags));
    ChainFlags old = kFour;
    old.firmware = 219;
    EXPECT_FALSE(HasBufferRecord(f.reader, Whole(f), old)); // recordings begin with firmware 2.20
    EXPECT_TRUE(HasBufferRecord(f.reader, Whole(f), kFour));

    // A recording that was never closed is a valid end whatever follows.
    std::vector<std::uint16_t> open = Header();
    AddRecord(open, 43, {0, 0, 0xFFFF, 0xFFFF});
    open.insert(open.end(), {0x1234, 0x5678});
    WordImage g(open);
    EXPECT_TRUE(HasValidEnd(g.reader, Whole(g), kFour));

    // Below firmware 2.20 record 26 ends the header.
    std::vector<std::uint16_t> early = Header();
    AddRecord(early, 26, {0});
    early.push_back(0x1234);
    WordImage e(early);
    EXPECT_TRUE(HasValidEnd(e.reader, Whole(e), old));
    EXPECT_FALSE(HasValidEnd(e.reader, Whole(e), kFour));
}

TEST(RecordLocators, HasBufferRecordPassesOverWord1Records)
{
    std::vector<std::uint16_t> w = Header();
    AddLongRecord(w, 24, {0, 0, 0, 0});
    w.push_back(0xFFFF);
    WordImage f(w);
    EXPECT_FALSE(HasBufferRecord(f.reader, Whole(f), kFour));
}

TEST(RecordLocators, StatisticalLevelsOfOtherFiles)
{
    auto build = [](std::int16_t count) {
        std::vector<std::uint16_t> w = Header();
        std::vector<std::uint16_t> data = {0x0100, static_cast<std::uint16_t>(count)};
        for (int m = 0; m < 12; ++m) // percentage, then profiles 1 to 3 in 0.1 dB
            data.insert(data.end(), {static_cast<std::uint16_t>(0x0A00 | (m + 1)), static_cast<std::uint16_t>(600 + m),
                                     static_cast<std::uint16_t>(700 + m), static_cast<std::uint16_t>(800 + m)});
        AddRecord(w, 23, data); // word 1: g in the high byte
        w.push_back(0xFFFF);
        return w;
    };
    WordImage three(build(3));
    auto levels = ReadStatisticalLevels(three.reader, Whole(three), kOther, 1, 0);
    ASSERT_TRUE(levels);
    EXPECT_EQ(levels->count, 10);
    EXPECT_EQ(levels->percentages[0], 1);
    EXPECT_DOUBLE_EQ(levels->levels[0], 70.0);
    EXPECT_DOUBLE_EQ(levels->levels[2], 70.2);
    for (int m = 3; m < 10; ++m) { // entries past the count repeat the last
        EXPECT_EQ(levels->percentages[static_cast<std::size_t>(m)], 3);
        EXPECT_DOUBLE_EQ(levels->levels[static_cast<std::size_t>(m)], 70.2);
    }

    WordImage twelve(build(12));
    levels = ReadStatisticalLevels(twelve.reader, Whole(twelve), kOther, 2, 0);
    ASSERT_TRUE(levels);
    EXPECT_DOUBLE_EQ(levels->levels[9], 80.9); // cut to 10 entries
    EXPECT_EQ(levels->percentages[9], 10);

    WordImage none(build(0));
    EXPECT_FALSE(ReadStatisticalLevels(none.reader, Whole(none), kOther, 0, 0));
    EXPECT_FALSE(ReadStatisticalLevels(three.reader, Whole(three), kOther, 3, 0)); // three profiles only

    std::vector<std::uint16_t> noG = build(3);
    noG[14] = 0x0005; // word 1 of record 23 with a high byte 0
    WordImage h(noG);
    EXPECT_FALSE(ReadStatisticalLevels(h.reader, Whole(h), kOther, 0, 0));

    std::vector<std::uint16_t> cut = build(3);
    cut.resize(13 + 2 + 2 + 6); // the record's entries cut off by the end of the file
    WordImage c(cut);
    EXPECT_FALSE(ReadStatisticalLevels(c.reader, Whole(c), kOther, 2, 0));
}

TEST(RecordLocators, StatisticalLevelsOfFourChannelFiles)
{
    // Channels 0 and 2 carry statistics (mask 0b101, g = 2); two entries.
    std::vector<std::uint16_t> groups = Header();
    AddRecord(groups, 25, {0x0205, 2, /*entry 0*/ 10, 500, 520, /*entry 1*/ 90, 400, 420});
    groups.push_back(0xFFFF);
    WordImage a(groups);
    ChainFlags before217 = kFour;
    before217.firmware = 216;
    auto levels = ReadStatisticalLevels(a.reader, Whole(a), before217, 2, 0b101);
    ASSERT_TRUE(levels);
    EXPECT_EQ(levels->percentages[0], 10);
    EXPECT_EQ(levels->percentages[1], 90);
    EXPECT_DOUBLE_EQ(levels->levels[0], 52.0);
    EXPECT_DOUBLE_EQ(levels->levels[1], 42.0);
    EXPECT_DOUBLE_EQ(levels->levels[9], 42.0);
    EXPECT_FALSE(ReadStatisticalLevels(a.reader, Whole(a), before217, 1, 0b101)); // no statistics on channel 1

    std::vector<std::uint16_t> blocks = Header();
    AddRecord(blocks, 25, {0x0205, 2, /*percentages*/ 10, 90, /*channel 0*/ 500, 400, /*channel 2*/ 520, 420});
    blocks.push_back(0xFFFF);
    WordImage b(blocks);
    levels = ReadStatisticalLevels(b.reader, Whole(b), kFour, 2, 0b101);
    ASSERT_TRUE(levels);
    EXPECT_EQ(levels->percentages[1], 90);
    EXPECT_DOUBLE_EQ(levels->levels[0], 52.0);
    EXPECT_DOUBLE_EQ(levels->levels[1], 42.0);
    levels = ReadStatisticalLevels(b.reader, Whole(b), kFour, 0, 0b101);
    ASSERT_TRUE(levels);
    EXPECT_DOUBLE_EQ(levels->levels[1], 40.0);
}

TEST(RecordLocators, LegacyHeaderBlocks)
{
    // Prefix word (bit 14), a block of 3, then per channel (2) blocks of 2, twice.
    std::vector<std::uint16_t> w = {0x4000, 3, 0, 0, 2, 0, 2, 0, 2, 0, 2, 0, /*histogram x y z*/ 1, 2, 3};
    w.resize(w.size() + 1 + 2 * 2 * 3, 0);
    WordImage f(w);
    LegacyLayout layout{.channelMode = 0, .channelCount = 2, .fileKind = 3};
    EXPECT_EQ(SkipHeaderBlocks(f.reader, 0, layout), 12u);
    EXPECT_EQ(GetDataBlockEnd(f.reader, 0, layout), 12u); // no histogram
    layout.histogram = true;
    layout.prefixVariant = 1; // histogram of x + y x 2 x z words
    EXPECT_EQ(GetDataBlockEnd(f.reader, 0, layout), 12u + 2 * 2 * 3 + 1);
    LegacyLayout reduced{.channelMode = 0, .channelCount = 2, .fileKind = 10, .histogram = true};
    EXPECT_EQ(SkipHeaderBlocks(f.reader, 0, reduced), 8u);
    EXPECT_EQ(GetDataBlockEnd(f.reader, 0, reduced), 8u);

    // Without a prefix or channel mode: the first word is the header length. The
    // histogram ends after its four layout words and a 32-bit count per class (word 1),
    // whatever its word 0 says.
    WordImage g({5, 0, 0, 0, 0, /*block*/ 3, 0, 0, /*histogram block*/ 99, 2, 300, 10, 1, 0, 2, 0});
    LegacyLayout plain{.channelCount = 1, .fileKind = 3, .histogram = true};
    EXPECT_EQ(SkipHeaderBlocks(g.reader, 0, plain), 8u);
    EXPECT_EQ(GetDataBlockEnd(g.reader, 0, plain), 16u);
    // A one-channel file after a prefix word has the same blocks.
    WordImage p({0x4021, 5, 0, 0, 0, 0, /*block*/ 3, 0, 0, /*histogram block*/ 99, 2, 300, 10, 1, 0, 2, 0});
    LegacyLayout prefixed{.channelCount = 1, .fileKind = 3, .histogram = true, .prefixVariant = 3, .singleChannel = true};
    EXPECT_EQ(GetDataBlockEnd(p.reader, 0, prefixed), 17u);

    // Blocks that run past the file are a load error, never a read outside it.
    WordImage h({0x4000, 3, 0, 0, 200});
    EXPECT_THROW(SkipHeaderBlocks(h.reader, 0, layout), ImageRangeError);
}

TEST(RecordLocators, SpectrumRowsOf505Files)
{
    WordImage f({0, 0, 6, 0, 0, 0, 0, 0});
    EXPECT_EQ(GetSpectrumDataStart(f.reader, 2, 10), 2u + 6 + 10);
    EXPECT_EQ(GetSpectrumRowAddress(100, 20, 1, 30, 1), 121u);
    EXPECT_EQ(GetSpectrumRowAddress(100, 20, 1, 30, 3), 121u + 2 * 31);
}

} // namespace
} // namespace orlu
