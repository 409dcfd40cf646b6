// Painting a multi element picture of 60 x 60 FFT spectra onto the screen
// bitmap (under 16 ms) and at the print zooms 1 to 8, whose time must grow
// with the picture's pixel width only: the horizons cost one test per pixel
// column, whatever the zoom. Runs offscreen; figures come from a Release build:
//   ORLU_BUILD_DIR=build-release scripts/build -DCMAKE_BUILD_TYPE=Release -DORLU_BUILD_TESTS=OFF
//   build-release/bench/WaterfallRepaintBench

#include "app/canvas/QtPainterCanvas.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/WaterfallPaint.h"
#include "support/PlotFixture.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace orlu;

PlotState& TheState()
{
    static PlotState state = [] {
        PlotFixtureOptions o;
        o.plotKind = 9;
        o.waterfall = std::array<int, 2>{60, 60};
        return MakePlotFixture(o);
    }();
    return state;
}

// The whole paint of the view: the painting frame, the axes, the picture and the box.
void BM_WaterfallScreen(benchmark::State& state)
{
    PlotState& s = TheState();
    QImage image(kGraphBitmapWidth, 330, QImage::Format_RGB32);
    EngineRoutines routines;
    for (auto _ : state) {
        image.fill(Qt::white);
        QtPainterCanvas canvas(image);
        PaintGraph(canvas, s.view, s.doc, s.settings, routines);
        benchmark::DoNotOptimize(image.bits());
    }
}

// The picture at a zoom: its pixel width (W' + D' + the labels) grows with the zoom.
void BM_WaterfallZoom(benchmark::State& state)
{
    PlotState& s = TheState();
    const int zoom = static_cast<int>(state.range(0));
    QImage image(620 * zoom, 330 * zoom, QImage::Format_RGB32);
    for (auto _ : state) {
        // Clearing the bitmap grows with its area, not the picture's width: it is left out.
        state.PauseTiming();
        image.fill(Qt::white);
        state.ResumeTiming();
        QtPainterCanvas canvas(image);
        PaintMultiElementPicture(canvas, zoom, s.view, s.doc, s.settings);
        benchmark::DoNotOptimize(image.bits());
    }
    const double columns = 460.0 * zoom; // W' + D' at this zoom
    state.counters["columns"] = columns;
    state.counters["ns_per_column"] = benchmark::Counter(static_cast<double>(state.iterations()) * columns,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_WaterfallScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallZoom)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

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
