// The text form of a current-family logger of 1,000,000 records (about
// 25 MB of lines): bytes of text made per second, to be no less than 50 MB/s.

#include "BenchSupport.h"
#include "analysis/statistics/LoggerForms.h"
#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace orlu;

constexpr std::uint32_t kRecords = 1000000;

struct LoggerFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("orlu-logger-text-bench-" + std::to_string(::getpid()) + ".orl");
    LoggerFile() { bench::WriteContainer(path, 45, fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kRecords))); }
    ~LoggerFile() { std::filesystem::remove(path); }
};

void BM_LoggerTextForm(benchmark::State& state)
{
    static const LoggerFile file;
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(file.path)) {
        state.SkipWithError("the logger did not load");
        return;
    }
    BufferChoices choices;
    choices.channelMask = 0x1; // one profile: a value per record
    choices.units = static_cast<std::uint8_t>(state.range(0)); // 0 dB, 1 pascal
    std::size_t bytes = 0;
    for (auto _ : state) {
        LineList lines;
        int widest = 0;
        TextLogger(doc, lines, &widest, choices);
        state.PauseTiming();
        bytes = 0;
        for (std::size_t i = 0; i < lines.Size(); ++i)
            bytes += lines[i].size() + 2; // CR LF
        state.ResumeTiming();
        benchmark::DoNotOptimize(widest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

BENCHMARK(BM_LoggerTextForm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
