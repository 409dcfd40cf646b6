// The text form of an ORLU 505 buffer of 1,000,000 levels (about 25 MB of
// lines): built at no less than 50 MB/s. The counter "bytes_per_second" is the
// rate of the lines made.

#include "BenchSupport.h"
#include "analysis/statistics/BufferForms.h"
#include "document/CTmDoc.h"
#include "support/LegacyFixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace orlu;

constexpr std::uint32_t kRecords = 1000000;

struct BufferFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("orlu-buffer-bench-" + std::to_string(::getpid()) + ".orl");
    BufferFile()
    {
        // The new description: a 32-bit count of levels in 0.1 dB.
        fixture::LegacyFileSpec spec = fixture::LegacyHistorySpec(kRecords);
        spec.formatVersion = 40;
        fixture::LegacyContainer(3, spec).WriteTo(path);
    }
    ~BufferFile() { std::filesystem::remove(path); }
};

void BM_BufferText(benchmark::State& state)
{
    static const BufferFile file;
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(file.path)) {
        state.SkipWithError("the buffer file does not open");
        return;
    }
    BufferChoices choices;
    choices.units = static_cast<std::uint8_t>(state.range(0)); // 0 dB, 1 pascal
    // The bytes of the lines, from one build outside the timed loop.
    std::size_t bytes = 0;
    {
        LineList lines;
        int widest = 0;
        if (!TextBuffer(doc, lines, &widest, choices) || lines.LineCount() < kRecords / 3) {
            state.SkipWithError("the text form is not built");
            return;
        }
        bytes = lines.Join().size();
    }
    for (auto _ : state) {
        LineList lines;
        int widest = 0;
        benchmark::DoNotOptimize(TextBuffer(doc, lines, &widest, choices));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

BENCHMARK(BM_BufferText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
