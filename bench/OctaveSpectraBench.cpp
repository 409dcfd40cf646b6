// Octave spectra of a logger: the 1/3-octave cross table of every record
// (33 bands and 3 totals a record) staged in a scratch file and written, in MB
// of table text per second (at least 50 MB/s) and in time per record (linear
// in the records: about the same ns_per_record at 1,000, 10,000 and 86,400);
// and the 60 x 60 multi element picture of a 10,000-record logger, to be
// filled in under 50 ms.

#include "BenchSupport.h"
#include "analysis/PlotData.h"
#include "analysis/spectra/OctaveForms.h"
#include "analysis/spectra/OctaveGraphData.h"
#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace orlu;

// A logger of `records` spectra of 33 third octaves (25 Hz to 20 kHz) and 3 totals.
std::filesystem::path SpectraLogger(std::uint32_t records)
{
    const std::filesystem::path p = std::filesystem::temp_directory_path() /
                                    ("orlu-octave-bench-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(records) + ".orl");
    fixture::CurrentFileSpec spec;
    spec.function = 3;
    spec.spectraInBuffer = 1;
    spec.bands = 33;
    spec.bandExtras = 3;
    spec.lowestBand = 125;
    spec.rowWords = 33 + 3 + 1;
    spec.rows = records;
    spec.declaredCount = records;
    spec.loggedSpectrumLevels = {612, 705, 811, 903, 478};
    bench::WriteContainer(p, 45, fixture::CurrentMeasurementFile(spec));
    return p;
}

struct OpenLogger {
    std::filesystem::path path;
    bench::SilentInteraction ui;
    AppContext app{ui};
    CTmDoc doc{app};

    explicit OpenLogger(std::uint32_t records) : path(SpectraLogger(records)) { doc.OnOpenDocument(path); }
    ~OpenLogger() { std::filesystem::remove(path); }
};

OpenLogger& Logger(std::uint32_t records)
{
    static std::map<std::uint32_t, std::unique_ptr<OpenLogger>> loggers;
    auto& slot = loggers[records];
    if (!slot)
        slot = std::make_unique<OpenLogger>(records);
    return *slot;
}

void BM_ThirdOctaveCrossTableOfAllRecords(benchmark::State& state)
{
    const auto records = static_cast<std::uint32_t>(state.range(0));
    OpenLogger& logger = Logger(records);
    OctaveChoices choices;
    choices.request.allRecords = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        const bool shown = TableOctave13(logger.doc, lines, &widest, content, choices,
                                         TableOutputOptions{.FormatFlag = static_cast<std::uint8_t>(state.range(1)), .DecimalIndex = 0, .SeparatorIndex = 2});
        if (!shown)
            state.SkipWithError("no table");
        bytes = 0;
        std::string scratch;
        for (std::size_t i = 0; i < lines.Size(); ++i)
            bytes += lines.Line(i, scratch).size();
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["table_MB"] = static_cast<double>(bytes) / 1048576.0;
    state.counters["ns_per_record"] = benchmark::Counter(static_cast<double>(records) * 1e-9,
                                                         benchmark::Counter::kIsIterationInvariantRate |
                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_ThirdOctaveCrossTableOfAllRecords)->ArgsProduct({{1000, 10000, 86400}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_MultiElementPictureOfALogger(benchmark::State& state)
{
    OpenLogger& logger = Logger(10000);
    for (auto _ : state) {
        PlotData data;
        data.Grid.FirstRecord = 1;
        data.Grid.LastRecord = 10000;
        data.Grid.Rows = 60;
        if (!GraphDataOctave13(logger.doc, data, 0, OctaveChoices{}, true))
            state.SkipWithError("no picture");
        benchmark::DoNotOptimize(data.Grid.Values.data());
    }
    state.counters["limit_ms"] = 50;
}
BENCHMARK(BM_MultiElementPictureOfALogger)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
