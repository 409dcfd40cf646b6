// The reverberation time of every line of a file of numbered FFT spectra:
// N spectra of 1,600 lines (ORLU 505 ANALYZER mode) opened once, then each
// iteration reads the spectra and evaluates all 1,600 decays from the
// reference interval.
//
// The evaluation reads each record once for all lines, so the time should
// grow linearly with the number of spectra; 2,000 spectra stay under 2 s.

#include "BenchSupport.h"

#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTime.h"
#include "document/AppContext.h"
#include "support/Analyzer505Fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace orlu;

constexpr std::uint16_t kLines = 1600;

std::filesystem::path DecayFile(std::uint16_t spectra)
{
    fixture::Analyzer505Spec spec;
    spec.function = 2;
    spec.values = kLines;
    spec.spectra = spectra;
    spec.timeHistory = true;
    // 80 dB for three records, then each line falls by its own rate.
    spec.value = [](std::uint32_t r, std::uint32_t, std::uint32_t i) {
        const std::int32_t fall = r <= 2 ? 0 : static_cast<std::int32_t>((r - 2) * (1 + i % 7));
        return static_cast<std::int16_t>(800 - std::min<std::int32_t>(fall, 700));
    };
    const auto path = std::filesystem::temp_directory_path() /
                      ("orlu-reverb-bench-" + std::to_string(::getpid()) + "-" + std::to_string(spectra) + ".orl");
    fixture::Analyzer505Container(spec).WriteTo(path);
    return path;
}

void BM_ComputeReverbTime(benchmark::State& state)
{
    const auto spectra = static_cast<std::uint16_t>(state.range(0));
    const std::filesystem::path path = DecayFile(spectra);
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    const bool opened = doc.OnOpenDocument(path);
    std::filesystem::remove(path);
    // Spectra of 1,600 lines have more line records than the document keeps:
    // the evaluation runs into records of its own.
    const std::optional<ReverbSource> source = opened ? DecaySourceOf(doc, kReverbFftLines, 0) : std::nullopt;
    if (!source) {
        state.SkipWithError("the file has no numbered FFT spectra");
        return;
    }
    std::vector<std::uint8_t> records(source->bands * kRtBandRecordSize);
    ClearRtBandRecords(records, 0.01);
    for (auto _ : state) {
        SetReferenceInterval(records, 0, 2);
        if (ComputeReverbTime(doc.Reader(), *source, records, false) != 1) {
            state.SkipWithError("not computed");
            return;
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * spectra);
    state.counters["lines"] = static_cast<double>(source->bands);
}

BENCHMARK(BM_ComputeReverbTime)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
