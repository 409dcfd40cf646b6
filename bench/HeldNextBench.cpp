// Holding Next on a Multifile of 200 files: every step builds the form of
// the next file. The repetition runs on a clock that moves by the timer's
// ticks and by the real time each build takes, so a slow build shows as
// dropped ticks, never as steps queued behind it. Counters: steps made,
// timer ticks, the most steps one tick made (1 when nothing queues) and the
// mean build of a step.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/ViewController.h"
#include "presentation/view/ViewSelection.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace orlu;
namespace fs = std::filesystem;

constexpr int kFiles = 200;
constexpr std::chrono::milliseconds kTick{10};

fs::path MultifilePath()
{
    const fs::path path = fs::temp_directory_path() / ("orlu-bench-held-next-" + std::to_string(::getpid()) + ".orl");
    if (!fs::exists(path))
        fixture::Multifile(55, fixture::GeneratedMultifileMembers(kFiles)).WriteTo(path);
    return path;
}

void BM_HeldNextOverAMultifile(benchmark::State& state)
{
    bench::SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    const fs::path path = MultifilePath();
    if (!doc.OnOpenDocument(path)) {
        state.SkipWithError("the Multifile did not open");
        return;
    }
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    AppSettings settings;
    const FormBuilder builder(renderers, settings);
    CancelDialogs dialogs;
    double steps = 0, ticks = 0, mostPerTick = 0, buildSeconds = 0;
    for (auto _ : state) {
        MeasurementViewState view;
        OpenView(view, doc);
        builder.OpenFirstForm(view, doc);
        ViewController controller(view, doc, builder, settings, dialogs);
        auto now = RepeatSchedule::Clock::time_point{};
        controller.Repeat() = RepeatSchedule([&now] { return now; });
        while (view.SubFileNumber < view.LastRecord) {
            const int before = view.SubFileNumber;
            const auto start = std::chrono::steady_clock::now();
            controller.RepeatTick(false, true);
            const auto took = std::chrono::steady_clock::now() - start;
            const int made = view.SubFileNumber - before;
            if (made > 0)
                buildSeconds += std::chrono::duration<double>(took).count();
            steps += made;
            mostPerTick = std::max(mostPerTick, static_cast<double>(made));
            ++ticks;
            // The build held the program; the next tick comes after it.
            now += kTick + std::chrono::duration_cast<RepeatSchedule::Clock::duration>(took);
        }
        benchmark::DoNotOptimize(view.SubFileNumber);
    }
    std::error_code ignored;
    fs::remove(path, ignored);
    const double runs = static_cast<double>(state.iterations());
    state.counters["steps"] = steps / runs;
    state.counters["ticks"] = ticks / runs;
    state.counters["mostStepsPerTick"] = mostPerTick;
    state.counters["msPerStep"] = steps > 0 ? 1000.0 * buildSeconds / steps : 0.0;
}
BENCHMARK(BM_HeldNextOverAMultifile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
