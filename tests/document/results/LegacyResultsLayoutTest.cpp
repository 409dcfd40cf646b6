// The walk to the result rows of legacy files: prefix word, header block,
// channel blocks and rows, and damaged lengths that must end the walk.

#include "document/results/LegacyResultsLayout.h"

#include "document/records/WordImage.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace orlu {
namespace {

using test::WordImage;

struct WalkCase {
    const char* Name;
    std::vector<std::uint16_t> Words;
    LegacyResultsLayout Layout;
    int Channel;
    std::optional<std::uint32_t> Row;
};

// Two rows of 4 and 5 words after a header block of 3 words.
const std::vector<std::uint16_t> kPlain = {3, 11, 12, /* rows */ 4, 60, 1, 2, 5, 61, 1, 2, 3};
// Prefix word, header block of 2, two channel blocks of 3 (only the first
// block's length word counts: the second says 99), then two rows.
const std::vector<std::uint16_t> kPrefixed = {7, 2, 11, /* channels */ 3, 1, 1, 99, 2, 2, /* rows */ 2, 60, 3, 61, 9};

const WalkCase kCases[] = {
    {"first row", kPlain, {0, 0, 2}, 0, 3},
    {"second row", kPlain, {0, 0, 2}, 1, 7},
    {"no row past the last", kPlain, {0, 0, 2}, 2, std::nullopt},
    {"negative channel", kPlain, {0, 0, 2}, -1, std::nullopt},
    {"prefix and channel blocks", kPrefixed, {1, 0, 2}, 0, 9},
    {"prefixed second row", kPrefixed, {3, 0, 2}, 1, 11},
    // A probe file without prefix word has channel blocks too.
    {"channel mode", {2, 11, /* channels */ 2, 1, 2, 1, /* rows */ 2, 60}, {0, 1, 2}, 0, 6},
    {"zero header length", {0, 11, 2, 60}, {0, 0, 1}, 0, std::nullopt},
    {"header past the end", {40, 11, 2, 60}, {0, 0, 1}, 0, std::nullopt},
    {"zero channel block length", {1, /* channels */ 0, 5, /* rows */ 2, 60}, {0, 1, 2}, 0, std::nullopt},
    {"channel blocks past the end", {1, /* channels */ 3, 1, 1, 2, 60}, {0, 1, 2}, 0, std::nullopt},
    {"huge channel blocks", {1, /* channels */ 0xFFFF, 2, 60}, {0, 1, 0xFFFF}, 0, std::nullopt},
    {"zero row length before the row", {1, /* rows */ 0, 2, 60}, {0, 0, 2}, 1, std::nullopt},
    {"zero length of the row", {1, /* rows */ 0, 2, 60}, {0, 0, 2}, 0, std::nullopt},
    {"row past the end", {1, /* rows */ 2, 60, 9, 61}, {0, 0, 2}, 1, std::nullopt},
    {"empty image", {}, {0, 0, 1}, 0, std::nullopt},
    {"prefix word alone", {7}, {2, 0, 1}, 0, std::nullopt},
    // Channel blocks of their own lengths (3 and 2): the rows start where the header decoder found them.
    {"rows from the decoder's start", {7, 2, 11, 3, 1, 1, 2, 2, /* rows */ 2, 60, 3, 61, 9}, {1, 0, 2, 8}, 1, 10},
    {"row past the end from the decoder's start", {2, 11, /* rows */ 2, 60, 3, 61}, {0, 0, 1, 2}, 1, std::nullopt},
};

TEST(LegacyResultsLayout, FindsTheRowOrStopsAtDamage)
{
    for (const WalkCase& c : kCases) {
        WordImage img(c.Words);
        EXPECT_EQ(FindLegacyResultRow(img.reader, c.Layout, c.Channel), c.Row) << c.Name;
    }
}

} // namespace
} // namespace orlu
