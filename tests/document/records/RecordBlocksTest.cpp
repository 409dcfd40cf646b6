// The blocks of a four-channel histogram record: the block of an id, and
// damage (a count past the blocks, a block of length 0, one past the
// sub-file) ending the walk without a read past the words it may read.

#include "WordImage.h"

#include "document/records/RecordBlocks.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::Head;
using test::WordImage;

// Word 0 the file header; the record at word 1: a head of 3 words announcing
// `blocks` blocks, then blocks of channels 0 (2 data words) and 2 (1 data word).
std::vector<std::uint16_t> TwoBlocks(int blocks, std::uint16_t firstLength = 5)
{
    return {0, Head(18, 3), static_cast<std::uint16_t>(0x03 | blocks << 8), 0, 0x12, firstLength, 0, 7, 8,
            0x12, 4, 2, 9, 0xFFFF};
}

TEST(FindRecordBlock, FindsTheBlockOfAnIdOrStopsAtDamage)
{
    struct Case {
        const char* what;
        std::vector<std::uint16_t> words;
        std::uint16_t id;
        std::uint32_t end;
        RecordBlock expected;
    };
    const Case cases[] = {
        {"first block", TwoBlocks(2), 0, 14, {7, 2}},
        {"second block", TwoBlocks(2), 2, 14, {12, 1}},
        {"an id no block has", TwoBlocks(2), 1, 14, {}},
        {"no blocks announced", TwoBlocks(0), 0, 14, {}},
        {"more blocks announced than held", TwoBlocks(9), 1, 14, {}},
        {"a block of length 0", TwoBlocks(2, 0), 2, 14, {}},
        {"a block past the sub-file", TwoBlocks(2, 0xFFFF), 2, 14, {}},
        {"the sub-file ends inside the second block", TwoBlocks(2), 2, 12, {}},
        {"no record", TwoBlocks(2), 0, 14, {}},
    };
    for (const Case& c : cases) {
        const WordImage f(c.words);
        const std::uint32_t record = std::string_view(c.what) == "no record" ? 0 : 1;
        const RecordBlock found = FindRecordBlock(f.reader, record, c.id, c.end);
        EXPECT_EQ(found.data, c.expected.data) << c.what;
        EXPECT_EQ(found.words, c.expected.words) << c.what;
    }
}

} // namespace
} // namespace orlu
