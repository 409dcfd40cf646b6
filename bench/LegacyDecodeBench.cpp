// Opening a 100 MB ORLU 505 METER-mode file with a time history (two channels,
// the newer buffer description: load, check word, header decode, RecordIndex)
// against loading a plain container of the same size, measured in the same
// run. Target: the ratio at most 2.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "support/LegacyFixture.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace orlu;

constexpr std::uint32_t kRecords = 26u * 1000 * 1000; // 2 words each: about 100 MB

struct Files {
    std::filesystem::path legacy, plain;
    std::uint32_t bytes = 0;
};

const Files& BigFiles()
{
    static const Files files = [] {
        const auto dir = std::filesystem::temp_directory_path();
        const std::string pid = std::to_string(::getpid());
        Files f{dir / ("orlu-bench-legacy-" + pid + ".orl"), dir / ("orlu-bench-plain-" + pid + ".orl")};
        fixture::LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
        spec.formatVersion = 40;
        spec.bufferRecords = kRecords;
        const std::vector<std::uint8_t> file = fixture::LegacyMeasurementFile(spec);
        f.bytes = static_cast<std::uint32_t>(file.size());
        bench::WriteContainer(f.legacy, 3, file);
        fixture::FixtureBuilder plain;
        plain.ContainerHeader(5, 0, 0, f.bytes).Pattern(f.bytes);
        plain.WriteTo(f.plain);
        std::atexit([] {
            std::filesystem::remove(BigFiles().legacy);
            std::filesystem::remove(BigFiles().plain);
        });
        return f;
    }();
    return files;
}

/// Seconds one open takes; negative when the file did not open as expected.
double TimedOpen(const std::filesystem::path& path, bool decoded)
{
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = doc.OnOpenDocument(path) && doc.LegacyDecoded() == decoded;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return ok && (!decoded || doc.GetRecordIndex().size() == kRecords) ? took.count() : -1.0;
}

void BM_LegacyHistory100MBVsPlainLoad(benchmark::State& state)
{
    const Files& files = BigFiles();
    TimedOpen(files.legacy, true); // both files into the page cache
    TimedOpen(files.plain, false);
    double legacy = 0.0, plain = 0.0;
    for (auto _ : state) {
        const double l = TimedOpen(files.legacy, true);
        const double p = TimedOpen(files.plain, false);
        if (l < 0 || p < 0) {
            state.SkipWithError("a file did not open as expected");
            break;
        }
        legacy += l;
        plain += p;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["legacy_ms"] = 1000.0 * legacy / n;
    state.counters["plain_ms"] = 1000.0 * plain / n;
    state.counters["ratio"] = plain > 0 ? legacy / plain : 0.0;
    state.counters["target_ratio"] = 2.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * files.bytes);
}
BENCHMARK(BM_LegacyHistory100MBVsPlainLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
