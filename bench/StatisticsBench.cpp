// The statistics forms of a current-family logger of 1,000,000 records, whose
// histograms are built from the time history: every text, table and graph
// form of the Histograms, Statistical levels and Densities views, built once
// per iteration, should take under 0.2 s together. And the histogram build of
// one column against a plain pass over the same column's words in the same
// run: the build should cost at most twice the pass ("build/pass" counter).

#include "BenchSupport.h"
#include "analysis/statistics/DensityForms.h"
#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "document/CTmDoc.h"
#include "document/buffer/BufferColumns.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace orlu;

constexpr std::uint32_t kRecords = 1000000;

struct Logger {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("orlu-stats-bench-" + std::to_string(::getpid()) + ".orl");
    bench::SilentInteraction ui;
    AppContext app{ui};
    std::unique_ptr<CTmDoc> doc;
    Logger()
    {
        bench::WriteContainer(path, 45, fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kRecords)));
        doc = std::make_unique<CTmDoc>(app);
        if (!doc->OnOpenDocument(path))
            doc.reset();
    }
    ~Logger() { std::filesystem::remove(path); }
};

Logger& TheLogger()
{
    static Logger logger;
    return logger;
}

void BM_EveryStatisticsForm(benchmark::State& state)
{
    CTmDoc* doc = TheLogger().doc.get();
    if (!doc) {
        state.SkipWithError("the logger did not open");
        return;
    }
    StatisticsChoices choices;
    choices.channelMask = 0b1;
    choices.markers = {2, {60, 80}};
    const TableOutputOptions options{0, 1, 2};
    for (auto _ : state) {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        PlotData data;
        bool ok = TextHistogram(*doc, lines, &widest, choices);
        ok = TableHistogram(*doc, lines, &widest, content, choices, options) && ok;
        ok = GraphHistogram(*doc, choices, 0, data) && ok;
        ok = TextLevels(*doc, lines, &widest, choices) && ok;
        ok = TableLevels(*doc, lines, &widest, content, choices, options) && ok;
        ok = TextDensity(*doc, lines, &widest, choices) && ok;
        ok = TableDensity(*doc, lines, &widest, content, choices, options) && ok;
        PlotData densities;
        ok = GraphDensity(*doc, choices, 0, densities) && ok;
        if (!ok)
            state.SkipWithError("a form was not built");
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_EveryStatisticsForm)->Unit(benchmark::kMillisecond);

// The geometry and layout the forms build profile 1's histogram with.
ProfileBufferGeometry GeometryOf(CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    ProfileBufferGeometry g;
    g.dataStart = doc.FindBufferData(0);
    g.wordsPerRecord = h.rowLength;
    g.recordCount = h.shownRecordCount;
    g.columns = ColumnLayout::ProfileMask;
    g.profilesWithBuffer = h.profilesWithBuffer;
    return g;
}

double g_Seconds[2] = {0.0, 0.0}; // the mean pass, the mean build

void BM_ColumnPassAndHistogramBuild(benchmark::State& state)
{
    CTmDoc* doc = TheLogger().doc.get();
    if (!doc) {
        state.SkipWithError("the logger did not open");
        return;
    }
    const bool build = state.range(0) != 0;
    doc->SelectChannelProfile(0, 0);
    const ProfileBufferGeometry g = GeometryOf(*doc);
    const CurrentChannel& ch = doc->Channel();
    const HistogramLayout layout{0, ch.histClasses, ch.histLowest, ch.histWidth};
    const ImageReader image = doc->Reader();
    HistogramBuffers buffers;
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (build) {
            benchmark::DoNotOptimize(BuildProfileHistogram(buffers, image, g, layout, 0, 0));
        } else {
            // The same words the build reads: profile 1's column of every row.
            std::uint64_t sum = 0;
            for (std::uint32_t r = 0; r < g.recordCount; ++r)
                sum += image.Word(g.dataStart + r * g.wordsPerRecord);
            benchmark::DoNotOptimize(sum);
        }
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    g_Seconds[build ? 1 : 0] = seconds / static_cast<double>(state.iterations());
    if (build && g_Seconds[0] > 0.0)
        state.counters["build/pass"] = g_Seconds[1] / g_Seconds[0];
}
BENCHMARK(BM_ColumnPassAndHistogramBuild)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
