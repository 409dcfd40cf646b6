// Decoding a current-family file with a logger of 1,000,000 records: the
// header decode and logger split against loading the same container without
// decoding it (kind 5, Hexa only), and the peak memory of the decoded load
// against the file's size. The split should take no more than twice the time
// of the load itself, and the peak stay under 2.2 times the file size.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

using namespace orlu;

constexpr std::uint32_t kRecords = 1000000;

std::filesystem::path LoggerFile(std::uint8_t kind)
{
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("orlu-logger-bench-" + std::to_string(::getpid()) + "-" + std::to_string(kind) + ".orl");
    // A marker and a break every 10000 rows.
    fixture::CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(kRecords);
    for (std::uint32_t r = 10000; r < kRecords; r += 10000) {
        spec.events.push_back({r, false, r / 10000 % 256});
        spec.events.push_back({r, true, 5});
    }
    bench::WriteContainer(p, kind, fixture::CurrentMeasurementFile(spec));
    return p;
}

struct Files {
    std::filesystem::path plain = LoggerFile(5);
    std::filesystem::path decoded = LoggerFile(45);
    ~Files()
    {
        std::filesystem::remove(plain);
        std::filesystem::remove(decoded);
    }
};

const Files& TheFiles()
{
    static const Files files;
    return files;
}

bool LoadOnce(const std::filesystem::path& path, bool expectDecoded)
{
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(path))
        return false;
    return !expectDecoded || doc.GetRecordIndex().size() == kRecords;
}

// The mean time of one load of each file, as the benchmark's time column
// shows it: the split's counter is worked out from these very times.
double g_SecondsPerLoad[2] = {0.0, 0.0};

void BM_LoadLoggerContainer(benchmark::State& state)
{
    const bool decoded = state.range(0) != 0;
    const std::filesystem::path& path = decoded ? TheFiles().decoded : TheFiles().plain;
    LoadOnce(path, decoded); // brings the file into the page cache
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bool ok = LoadOnce(path, decoded);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the logger did not load");
    }
    g_SecondsPerLoad[decoded ? 1 : 0] = seconds / static_cast<double>(state.iterations());
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize));
    state.counters["file_MB"] = fileSize / 1048576.0;
    state.counters["peak_MB"] = bench::PeakMemoryOf([&] { return LoadOnce(path, decoded); }) / 1048576.0;
    state.counters["limit_MB"] = 2.2 * fileSize / 1048576.0;
    // Decode and split time = decoded load - plain load, as a multiple of the plain
    // load: (time of /1 - time of /0) / time of /0 from the time column. The plain
    // load runs first; without it (a filter that leaves it out) there is no counter.
    const double plain = g_SecondsPerLoad[0];
    if (decoded && plain > 0.0)
        state.counters["split_over_load"] = (g_SecondsPerLoad[1] - plain) / plain;
}
BENCHMARK(BM_LoadLoggerContainer)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
