// Long runs split into chunks: every index is covered exactly once, whatever the
// count and the smallest chunk; a chunk's exception reaches the caller.

#include "platform/ParallelChunks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace orlu {
namespace {

TEST(ParallelChunks, CoversEveryIndexOnce)
{
    struct Case {
        std::size_t count;
        std::size_t minChunk;
    };
    const Case cases[] = {{0, 1}, {1, 1}, {5, 0}, {1000, 1}, {1000, 999}, {100003, 7}, {64, 100}};
    for (const Case& c : cases) {
        std::vector<std::atomic<int>> hits(c.count);
        std::atomic<int> calls{0};
        RunInChunks(c.count, c.minChunk, [&](std::size_t from, std::size_t to) {
            ASSERT_LT(from, to);
            ASSERT_LE(to, c.count);
            ++calls;
            for (std::size_t i = from; i < to; ++i)
                ++hits[i];
        });
        for (std::size_t i = 0; i < c.count; ++i)
            ASSERT_EQ(hits[i].load(), 1) << c.count << "/" << c.minChunk << " index " << i;
        EXPECT_EQ(calls.load() == 0, c.count == 0) << c.count;
        if (c.count < 2 * std::max<std::size_t>(c.minChunk, 1)) {
            EXPECT_LE(calls.load(), 1) << "a run shorter than two chunks is not split: " << c.count;
        }
    }
}

TEST(ParallelChunks, ExceptionOfAChunkReachesTheCaller)
{
    // The index past the middle lies in a chunk of another thread when there are several.
    for (const std::size_t bad : {std::size_t{0}, std::size_t{1} << 19, (std::size_t{1} << 20) - 1})
        EXPECT_THROW(RunInChunks(std::size_t{1} << 20, 1,
                                 [&](std::size_t from, std::size_t to) {
                                     if (from <= bad && bad < to)
                                         throw std::runtime_error("cut");
                                 }),
                     std::runtime_error)
            << bad;
}

} // namespace
} // namespace orlu
