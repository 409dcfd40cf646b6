// Repainting a 1600-line FFT spectrum panel onto the screen bitmap, as the
// view does after every cursor step: axes, bars (peaks and tones in colour),
// the masking-noise line, the marker band and the read-out. The reference in
// the same run draws the same 1601 bars with a plain QPainter loop; the
// engine must stay within 3x of it. Runs offscreen; figures come from a
// Release build:
//   ORLU_BUILD_DIR=build-release scripts/build -DCMAKE_BUILD_TYPE=Release -DORLU_BUILD_TESTS=OFF
//   build-release/bench/SpectrumRepaintBench

#include "app/canvas/QtPainterCanvas.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

using namespace orlu;

constexpr int kLines = 1600;

struct Scene {
    PlotState state;
    int width = 0;
    int height = 0;
};

// Every line of the spectrum a pixel apart, peaks and tonality shown, a block marked.
Scene& TheScene()
{
    static Scene scene = [] {
        PlotFixtureOptions o;
        o.plotKind = 9;
        o.panels = 1;
        o.points = kLines + 1;
        o.peaks = true;
        o.tonality = true;
        o.markers = std::array<int, 2>{400, 700};
        o.cursor = 500;
        Scene s{MakePlotFixture(o), 0, 0};
        GraphViewState& v = s.state.view;
        v.Geometry.pointCount = kLines + 1;
        v.Geometry.pixelsPerPoint = 1;
        v.Geometry.plotWidth = kLines + 1;
        RecordingCanvas canvas(CanvasTarget::Screen);
        EngineRoutines routines;
        s.height = PaintGraph(canvas, v, s.state.doc, s.state.settings, routines).height;
        s.width = v.Geometry.leftMargin + v.Geometry.plotWidth + 100;
        return s;
    }();
    return scene;
}

double g_PlainSeconds = 0.0;

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_SpectrumRepaint(benchmark::State& state)
{
    Scene& scene = TheScene();
    GraphViewState& v = scene.state.view;
    QImage image(scene.width, scene.height, QImage::Format_RGB32);
    EngineRoutines routines;
    int direction = 1;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QtPainterCanvas canvas(image);
        PaintGraph(canvas, v, scene.state.doc, scene.state.settings, routines);
        if (v.CursorIndex + direction < 0 || v.CursorIndex + direction >= v.WindowSize)
            direction = -direction;
        v.CursorIndex += direction;
        benchmark::DoNotOptimize(image.bits());
    }
    const double seconds = Since(start) / static_cast<double>(state.iterations());
    state.counters["bars"] = v.WindowSize;
    if (g_PlainSeconds > 0.0)
        state.counters["x_plain"] = seconds / g_PlainSeconds; // at most 3
}

// The same bars, outlined and filled, with QPainter's own rectangles.
void BM_PlainQPainterBars(benchmark::State& state)
{
    Scene& scene = TheScene();
    const GraphViewState& v = scene.state.view;
    QImage image(scene.width, scene.height, QImage::Format_RGB32);
    const int left = v.Geometry.leftMargin;
    const int height = v.Geometry.plotHeight;
    const int bottom = v.Geometry.topMargin + height;
    const PlotSeries& values = v.PlotValues;
    const double low = values.Minimum() - 5.0;
    const double span = values.Maximum() + 5.0 - low;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.setBrush(QColor(0, 255, 0));
        for (int j = 0; j <= kLines; ++j) {
            const int h = std::max(1, static_cast<int>((values[static_cast<std::size_t>(j)] - low) / span * height));
            painter.drawRect(left + j, bottom - h, 1, h);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    g_PlainSeconds = Since(start) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_PlainQPainterBars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectrumRepaint)->Unit(benchmark::kMillisecond);

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
