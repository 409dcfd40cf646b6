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
    fixture::CurrentFileSpec spec;
    // Three profiles logging one result each: rows of 3 words; a marker and a break every 10000 rows.
    for (auto& profile : spec.profiles)
        profile.bufferWord = 3;
    spec.rowWords = 3;
    spec.rows = kRecords;
    spec.declaredCount = kRecords;
    for (std::uint32_t r = 10000; r < kRecords; r += 10000) {
        spec.events.push_back({r, false, r / 10000 % 256});
        spec.events.push_back({r, true, 5});
    }
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
    fixture::FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    f.WriteTo(p);
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

double SecondsPerLoad(const std::filesystem::path& path, bool decoded, int runs)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
        LoadOnce(path, decoded);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

void BM_LoadLoggerContainer(benchmark::State& state)
{
    const bool decoded = state.range(0) != 0;
    const std::filesystem::path& path = decoded ? TheFiles().decoded : TheFiles().plain;
    LoadOnce(path, decoded); // brings the file into the page cache
    for (auto _ : state) {
        bool ok = LoadOnce(path, decoded);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the logger did not load");
    }
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize));
    state.counters["file_MB"] = fileSize / 1048576.0;
    state.counters["peak_MB"] = bench::PeakMemoryOf([&] { return LoadOnce(path, decoded); }) / 1048576.0;
    state.counters["limit_MB"] = 2.2 * fileSize / 1048576.0;
    if (decoded) {
        // Decode and split time = decoded load - plain load, as a multiple of the plain load.
        const double plain = SecondsPerLoad(TheFiles().plain, false, 20);
        const double full = SecondsPerLoad(path, true, 20);
        state.counters["split_over_load"] = (full - plain) / plain;
    }
}
BENCHMARK(BM_LoadLoggerContainer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
