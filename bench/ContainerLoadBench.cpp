// Loading a 100 MB container: throughput with the file in the page cache, and
// the peak memory of one load measured in a fresh child process.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace orlu;

constexpr std::uint32_t kDataBytes = 100u * 1024 * 1024;

const std::filesystem::path& BigContainer()
{
    static const std::filesystem::path path = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("orlu-bench-" + std::to_string(::getpid()) + ".orl");
        fixture::FixtureBuilder f;
        f.ContainerHeader(5, 0, 0, kDataBytes).Pattern(kDataBytes);
        f.WriteTo(p);
        std::atexit([] { std::filesystem::remove(BigContainer()); });
        return p;
    }();
    return path;
}

bool LoadOnce(const std::filesystem::path& path)
{
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    return doc.OnOpenDocument(path) && doc.ByteCount() == kDataBytes;
}

void BM_LoadContainer100MB(benchmark::State& state)
{
    const std::filesystem::path& path = BigContainer();
    LoadOnce(path); // brings the file into the page cache
    for (auto _ : state) {
        bool ok = LoadOnce(path);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the container did not load");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataBytes);
    const double peak = bench::PeakMemoryOf([&] { return LoadOnce(path); });
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    state.counters["peak_MB"] = peak / 1048576.0;
    state.counters["limit_MB"] = (1.2 * fileSize + 20.0 * 1048576.0) / 1048576.0;
}
BENCHMARK(BM_LoadContainer100MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
