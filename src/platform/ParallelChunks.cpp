#include "platform/ParallelChunks.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace orlu {
namespace {

// More threads than this gain nothing on a reduction bound by memory reads.
constexpr std::size_t kMostChunks = 8;

} // namespace

void RunInChunks(std::size_t count, std::size_t minChunk, const std::function<void(std::size_t, std::size_t)>& run)
{
    if (count == 0)
        return;
    // Asked once: the library reads it from the system's files at every call.
    static const std::size_t cores = std::max<std::size_t>(1, std::thread::hardware_concurrency());
    const std::size_t chunks =
        std::clamp<std::size_t>(count / std::max<std::size_t>(minChunk, 1), 1, std::min(cores, kMostChunks));
    if (chunks == 1) {
        run(0, count);
        return;
    }
    const std::size_t step = (count + chunks - 1) / chunks;
    std::vector<std::exception_ptr> errors(chunks);
    std::vector<std::thread> workers;
    workers.reserve(chunks - 1);
    const auto chunk = [&](std::size_t k) {
        try {
            run(k * step, std::min(count, (k + 1) * step));
        } catch (...) {
            errors[k] = std::current_exception();
        }
    };
    try {
        for (std::size_t k = 1; k < chunks && k * step < count; ++k)
            workers.emplace_back(chunk, k);
    } catch (...) {
        // No thread could be started: the chunks left run here.
        for (std::size_t k = workers.size() + 1; k < chunks && k * step < count; ++k)
            chunk(k);
    }
    chunk(0);
    for (std::thread& w : workers)
        w.join();
    for (const std::exception_ptr& e : errors)
        if (e)
            std::rethrow_exception(e);
}

} // namespace orlu
