// Repainting the graph of a four-channel logger onto the screen bitmap, as
// the view does after every cursor step: the four panels with markers,
// breaks, the block and its series, the running total and the read-outs,
// for loggers of 10^4, 10^5 and 10^6 records. "Overview" shows the whole
// logger (points merged until 500 remain); "Zoomed" shows 500 points of one
// record each from the middle of the logger, so that the series hold every
// record. Both must stay flat over the record counts: a repaint reads only
// the points in the window. The reference in the same run draws the same
// visible series segments with a plain QPainter loop; the engine must stay
// within 3x of it and under 16 ms at 10^6 records. Runs offscreen; figures
// come from a Release build:
//   ORLU_BUILD_DIR=build-release scripts/build -DCMAKE_BUILD_TYPE=Release -DORLU_BUILD_TESTS=OFF
//   build-release/bench/GraphRepaintBench

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
#include <map>
#include <memory>
#include <utility>

namespace {

using namespace orlu;

constexpr int kPanels = 4;
constexpr int kZoomedWindow = 500;

struct Scene {
    PlotState state;
    int height = 0; ///< of the bitmap: the panels this state draws
};

// One logger per (records, zoomed), built once: building 10^6 points of four
// channels is not what is measured.
Scene& SceneOf(int records, bool zoomed)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Scene>> scenes;
    auto& scene = scenes[{records, zoomed}];
    if (!scene) {
        PlotFixtureOptions o;
        o.panels = kPanels;
        o.points = records;
        o.zoomStep = zoomed ? 1 : 0;
        // The block around the window's middle; the cursor inside it.
        const int points = zoomed ? records : std::min(records, 500);
        const int middle = points / 2;
        o.markers = std::array<int, 2>{middle - 100, middle + 100};
        o.cursor = zoomed ? kZoomedWindow / 2 : middle;
        scene = std::make_unique<Scene>(Scene{MakePlotFixture(o), 0});
        if (zoomed)
            scene->state.view.WindowStart = middle - kZoomedWindow / 2;
        // A first paint, as the view's, sizes the bitmap and settles the window.
        RecordingCanvas canvas(CanvasTarget::Screen);
        EngineRoutines routines;
        PlotState& s = scene->state;
        scene->height = PaintGraph(canvas, s.view, s.doc, s.settings, routines).height;
    }
    return *scene;
}

// Seconds per repaint of the plain loop, by (records, zoomed): the engine's
// runs, registered after it, report their time as a multiple of it.
std::map<std::pair<int, bool>, double> g_PlainSeconds;

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The cursor steps to and fro inside the window, one point per repaint.
void StepCursor(GraphViewState& v, int& direction)
{
    if (v.CursorIndex + direction < 0 || v.CursorIndex + direction >= v.WindowSize)
        direction = -direction;
    v.CursorIndex += direction;
}

void BM_GraphRepaint(benchmark::State& state, bool zoomed)
{
    const int records = static_cast<int>(state.range(0));
    Scene& scene = SceneOf(records, zoomed);
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
        StepCursor(v, direction);
        benchmark::DoNotOptimize(image.bits());
    }
    const double seconds = Since(start) / static_cast<double>(state.iterations());
    if (panels != kPanels)
        state.SkipWithError("the logger did not paint its four panels");
    state.counters["points"] = v.WindowSize;
    state.counters["limit_ms"] = 16.0;
    if (const auto plain = g_PlainSeconds.find({records, zoomed}); plain != g_PlainSeconds.end())
        state.counters["x_plain"] = seconds / plain->second; // at most 3
}

// The series segments of the engine's picture (main series and running
// total, each a pixel thick and doubled, and the block's Leq, SEL, Lmax and
// Lmin) drawn with QPainter's own aliased lines into the same plot rectangles.
void BM_PlainQPainterSegments(benchmark::State& state, bool zoomed)
{
    const int records = static_cast<int>(state.range(0));
    Scene& scene = SceneOf(records, zoomed);
    const GraphViewState& v = scene.state.view;
    QImage image(kGraphBitmapWidth, scene.height, QImage::Format_RGB32);
    const int first = v.WindowStart;
    const int visible = v.WindowSize;
    const int pitch = v.Geometry.pixelsPerPoint;
    const int left = v.Geometry.leftMargin;
    const int height = v.Geometry.plotHeight;
    const int m0 = v.MarkedRange[0] / std::max(1, v.Geometry.pointsPerColumn);
    const int m1 = v.MarkedRange[1] / std::max(1, v.Geometry.pointsPerColumn);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        for (int panel = 0; panel < kPanels; ++panel) {
            const auto i = static_cast<std::size_t>(panel);
            const int top = panel * v.GraphHeight + v.Geometry.topMargin;
            const int bottom = top + height;
            const PlotSeries& main = v.BufferValues[i];
            const double low = main.Minimum() - 5.0;
            const double span = main.Maximum() + 5.0 - low;
            const auto row = [&](double value) { return bottom - static_cast<int>((value - low) / span * height); };
            painter.setPen(Qt::black);
            painter.drawRect(left - 1, top, visible * pitch + 1, height);
            const auto series = [&](const PlotSeries& s, int from, int to, int offset, const QColor& colour, bool doubled) {
                painter.setPen(colour);
                for (int q = std::max(from, first) + 1; q < std::min(to, first + visible); ++q) {
                    const int x0 = left + (q - 1 - first) * pitch;
                    const int y0 = row(s[static_cast<std::size_t>(q - 1 - offset)]);
                    const int y1 = row(s[static_cast<std::size_t>(q - offset)]);
                    painter.drawLine(x0, y0, x0 + pitch, y1);
                    if (doubled)
                        painter.drawLine(x0, y0 + 1, x0 + pitch, y1 + 1);
                }
            };
            series(main, 0, static_cast<int>(main.Size()), 0, Qt::black, true);
            series(v.SeriesA[i], 0, static_cast<int>(v.SeriesA[i].Size()), 0, QColor(255, 0, 160), true);
            series(v.SeriesB[i], m0, m1 + 1, m0, Qt::red, false);
            series(v.SeriesC[i], m0, m1 + 1, m0, QColor(0, 160, 160), false);
            const int x0 = left + (std::max(m0, first) - first) * pitch;
            const int x1 = left + (std::min(m1, first + visible - 1) - first) * pitch;
            painter.setPen(Qt::blue);
            painter.drawLine(x0, row(v.BlockLmax[i]), x1, row(v.BlockLmax[i]));
            painter.setPen(QColor(0, 160, 0));
            painter.drawLine(x0, row(v.BlockLmin[i]), x1, row(v.BlockLmin[i]));
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    g_PlainSeconds[{records, zoomed}] = Since(start) / static_cast<double>(state.iterations());
}

BENCHMARK_CAPTURE(BM_PlainQPainterSegments, Overview, false)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GraphRepaint, Overview, false)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainQPainterSegments, Zoomed, true)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GraphRepaint, Zoomed, true)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

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
