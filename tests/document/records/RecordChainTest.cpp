#include "document/records/RecordChain.h"

#include "WordImage.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::WordImage;

struct Seen {
    std::uint8_t type;
    std::uint32_t start;
    std::uint32_t length;
};

std::vector<Seen> Walk(RecordChain& chain)
{
    std::vector<Seen> seen;
    for (const RecordView& r : chain)
        seen.push_back({r.Type(), r.start, r.length});
    return seen;
}

bool operator==(const Seen& a, const Seen& b)
{
    return a.type == b.type && a.start == b.start && a.length == b.length;
}

TEST(RecordChain, WalksRecordsOfBothLengthFormsToTheEndWord)
{
    WordImage f({
        0x0401, 0x1111, 0x2222, 0x3333, // type 1, four words by the high byte
        0x0002, 0x0004, 0x4444, 0x5555, // type 2, four words by word 1
        0x0203, 0x6666,                 // type 3, two words
        0xFFFF,                         // end
        0x0905,                         // after the end: never read
    });
    RecordChain chain(f.reader, 0);
    std::vector<Seen> expected = {{1, 0, 4}, {2, 4, 4}, {3, 8, 2}};
    EXPECT_EQ(Walk(chain), expected);
    EXPECT_EQ(chain.EndReason(), ChainEnd::EndMark);
    EXPECT_EQ(chain.Position(), 10u);
    EXPECT_FALSE(chain.Broken());
    EXPECT_NO_THROW(chain.ThrowIfBroken());

    // Payload access and the length form of each record.
    RecordChain again(f.reader, 4);
    auto r = again.Next();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->lengthInWord1);
    EXPECT_EQ(r->Word(2), 0x4444);
    EXPECT_EQ(r->Int32AtWord(2), 0x55554444u);
    EXPECT_EQ(r->End(), 8u);
}

TEST(RecordChain, LongRecordAcrossPagesHasItsLengthInWord1)
{
    std::vector<std::uint16_t> words = {0x0301, 0x0001, 0x0002};
    words.push_back(0x0017); // type 23 with high byte 0: 400 words follow in word 1
    words.push_back(400);
    words.resize(3 + 400, 0x0101);
    words.push_back(0x0207);
    words.push_back(0x7777);
    words.push_back(0xFFFF);
    WordImage f(words);
    RecordChain chain(f.reader, 0);
    std::vector<Seen> expected = {{1, 0, 3}, {23, 3, 400}, {7, 403, 2}};
    EXPECT_EQ(Walk(chain), expected);
    EXPECT_EQ(chain.EndReason(), ChainEnd::EndMark);
    EXPECT_EQ(chain.Position(), 405u);
}

TEST(RecordChain, BrokenChainsEndWithoutReadingPastTheImage)
{
    struct Case {
        const char* name;
        std::vector<std::uint16_t> words;
        ChainEnd reason;
        std::size_t records;
        std::uint32_t position;
    };
    const Case cases[] = {
        {"length past the image", {0x0201, 0x0000, 0x0A02, 0x0001}, ChainEnd::Overrun, 2, 2},
        {"word-1 length past the image", {0x0201, 0x0000, 0x0005, 0x0030}, ChainEnd::Overrun, 2, 2},
        {"word 1 itself past the image", {0x0201, 0x0000, 0x0005}, ChainEnd::Overrun, 2, 2},
        {"zero length in word 1", {0x0201, 0x0000, 0x0005, 0x0000, 0x0107}, ChainEnd::ZeroLength, 2, 2},
        {"zero length first", {0x0004, 0x0000, 0xFFFF}, ChainEnd::ZeroLength, 1, 0},
        {"missing end", {0x0201, 0x0000, 0x0302, 0x0000, 0x0000}, ChainEnd::Bound, 2, 5},
        {"empty image", {}, ChainEnd::Bound, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WordImage f(c.words);
        RecordChain chain(f.reader, 0);
        std::size_t records = 0;
        for (const RecordView& r : chain) {
            (void)r;
            ASSERT_LT(++records, 10u) << "the walk does not end";
        }
        EXPECT_EQ(records, c.records);
        EXPECT_EQ(chain.EndReason(), c.reason);
        EXPECT_EQ(chain.Position(), c.position);
        bool broken = c.reason == ChainEnd::Overrun || c.reason == ChainEnd::ZeroLength;
        EXPECT_EQ(chain.Broken(), broken);
        if (broken) {
            EXPECT_THROW(chain.ThrowIfBroken(), RecordChainError);
            // Decoders that turn a read past the file into their load error catch it the same way.
            EXPECT_THROW(chain.ThrowIfBroken(), ImageRangeError);
        }
        EXPECT_FALSE(chain.Next()); // an ended walk stays ended
    }
}

TEST(RecordChain, BoundsAndRules)
{
    WordImage f({0x0201, 0x0000, 0x0212, 0x0005, 0x01FF, 0x0000, 0x0000, 0x0107, 0xFFFF});
    RecordChain bounded(f.reader, 0, 5); // the sub-file ends before the zero words
    EXPECT_EQ(Walk(bounded).size(), 3u); // 1, 18 (two words by the high byte), then a type-255 record
    EXPECT_EQ(bounded.EndReason(), ChainEnd::Bound);

    // A rule that reads type 18's length from word 1 steps over the type-255 record.
    RecordChain word1For18(f.reader, 0, LengthRule{true, {18}});
    std::vector<Seen> expected = {{1, 0, 2}, {18, 2, 5}, {7, 7, 1}};
    EXPECT_EQ(Walk(word1For18), expected);
    EXPECT_EQ(word1For18.EndReason(), ChainEnd::EndMark);

    // Without word-1 lengths a high byte 0 is a zero length.
    WordImage g({0x0201, 0x0000, 0x0004, 0x0003, 0x0000, 0xFFFF});
    RecordChain highByteOnly(g.reader, 0, kHighByteOnly);
    EXPECT_EQ(Walk(highByteOnly).size(), 2u);
    EXPECT_EQ(highByteOnly.EndReason(), ChainEnd::ZeroLength);

    // A stop word ends the walk where buffer data begin.
    RecordChain stopped(f.reader, 0);
    stopped.StopAt(2);
    EXPECT_EQ(Walk(stopped).size(), 1u);
    EXPECT_EQ(stopped.EndReason(), ChainEnd::DataMark);
}

} // namespace
} // namespace orlu
