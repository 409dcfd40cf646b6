// Repainting a time waveform onto the screen bitmap, as the view does after
// every cursor step: the panel with its block, amplitude and time axes and
// the read-out, for waveforms of 10^4, 10^5 and 10^6 samples showing 500
// samples from the middle. The repaint must stay flat over the sample count:
// it reads only the samples in the window, and the autoscale takes the
// largest sample kept with the data. The reference in the same run draws the
// same visible segments with a plain QPainter loop; the engine must stay
// within 3x of it and under 16 ms at 10^6 samples. Runs offscreen; figures
// come from a Release build:
//   ORLU_BUILD_DIR=build-release scripts/build -DCMAKE_BUILD_TYPE=Release -DORLU_BUILD_TESTS=OFF
//   build-release/bench/WaveformRepaintBench

#include "app/canvas/QtPainterCanvas.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/WaveformGraph.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

using namespace orlu;

constexpr int kWindow = 500;

struct Scene {
    PlotState state;
    int height = 0;
};

// One waveform per sample count, built once.
Scene& SceneOf(int samples)
{
    static std::map<int, std::unique_ptr<Scene>> scenes;
    auto& scene = scenes[samples];
    if (!scene) {
        PlotFixtureOptions o;
        o.plotKind = 13;
        o.points = samples;
        const int middle = samples / 2;
        o.markers = std::array<int, 2>{middle - 100, middle + 100};
        o.cursor = kWindow / 2;
        scene = std::make_unique<Scene>(Scene{MakeWaveformPlotFixture(o), 0});
        scene->state.view.WindowStart = middle - kWindow / 2;
        RecordingCanvas canvas(CanvasTarget::Screen);
        EngineRoutines routines;
        PlotState& s = scene->state;
        scene->height = PaintGraph(canvas, s.view, s.doc, s.settings, routines).height;
    }
    return *scene;
}

std::map<int, double> g_PlainSeconds;

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_WaveformRepaint(benchmark::State& state)
{
    const int samples = static_cast<int>(state.range(0));
    Scene& scene = SceneOf(samples);
    GraphViewState& v = scene.state.view;
    QImage image(kGraphBitmapWidth, scene.height, QImage::Format_RGB32);
    EngineRoutines routines;
    int direction = 1;
    int panels = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QtPainterCanvas canvas(image);
        panels = PaintGraph(canvas, v, scene.state.doc, scene.state.settings, routines).panels;
        if (v.CursorIndex + direction < 0 || v.CursorIndex + direction >= v.WindowSize)
            direction = -direction;
        v.CursorIndex += direction;
        benchmark::DoNotOptimize(image.bits());
    }
    const double seconds = Since(start) / static_cast<double>(state.iterations());
    if (panels != 1 || v.WindowSize != kWindow)
        state.SkipWithError("the waveform did not paint its window");
    state.counters["points"] = v.WindowSize;
    state.counters["limit_ms"] = 16.0;
    if (const auto plain = g_PlainSeconds.find(samples); plain != g_PlainSeconds.end())
        state.counters["x_plain"] = seconds / plain->second; // at most 3
}

// The visible segments of the engine's picture (a pixel thick and doubled)
// and its zero line, drawn with QPainter's own aliased lines.
void BM_PlainQPainterSegments(benchmark::State& state)
{
    const int samples = static_cast<int>(state.range(0));
    Scene& scene = SceneOf(samples);
    const GraphViewState& v = scene.state.view;
    QImage image(kGraphBitmapWidth, scene.height, QImage::Format_RGB32);
    const std::span<const double> values = v.PlotValues.Values();
    const int first = v.WindowStart;
    const int left = v.Geometry.leftMargin;
    const int top = v.Geometry.topMargin;
    const int height = v.Geometry.plotHeight;
    const int zero = top + height / 2;
    const double factor =
        WaveformAmplitudeFactor(std::max(std::fabs(v.PlotValues.Minimum()), v.PlotValues.Maximum()), true, 0);
    const auto row = [&](double s) { return zero - static_cast<int>(height / 2 * s * factor); };
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.drawRect(left - 1, top - 1, kWindow + 2, height + 1);
        for (int q = first + 1; q < first + kWindow; ++q) {
            const int x0 = left + (q - 1 - first);
            const int y0 = row(values[static_cast<std::size_t>(q - 1)]);
            const int y1 = row(values[static_cast<std::size_t>(q)]);
            painter.drawLine(x0, y0, x0 + 1, y1);
            painter.drawLine(x0, y0 + 1, x0 + 1, y1 + 1);
        }
        painter.drawLine(left, zero, left + kWindow, zero);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    g_PlainSeconds[samples] = Since(start) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_PlainQPainterSegments)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaveformRepaint)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
