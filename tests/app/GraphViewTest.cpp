// The graph form in the measurement window: Plot paints the graph of a
// logger; a cursor key repaints the cursor over the kept panels without a
// renderer or the panels running again, and the result is the picture a whole
// paint makes; Plot cycles the size and a resize paints the panels again,
// neither building; Previous and Next step on the press of their buttons and
// repeat while held, the release adding nothing; a held button never queues
// steps behind a slow build; a left button held on a plot repeats on the
// schedule of its clock. With a screenshot of a logger graph with its cursor
// and a marked block.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/HeldStepButton.h"
#include "app/canvas/QtPainterCanvas.h"
#include "app/views/CTmView.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "presentation/view/ChannelSelection.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "support/FixtureBuilder.h"
#include "support/MixedMultifile.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace orlu {
namespace {

namespace fs = std::filesystem;

constexpr int kLoggerView = 32783;
constexpr int kHeaderInfoView = 32781;
constexpr int kLoggerRows = 3000;

class GraphViewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-graph-view-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([](QDialog&) { return 0; });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        m_App->MainFrame()->resize(1100, 800);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    CTmView* OpenFile(const std::string& name, const fixture::FixtureBuilder& file)
    {
        const fs::path p = m_Dir / name;
        file.WriteTo(p);
        if (!m_App->OpenDocumentFile(p.string()))
            return nullptr;
        CChildFrame* child = m_App->MainFrame()->ActiveChild();
        auto* view = child ? dynamic_cast<CTmView*>(child->widget()) : nullptr;
        if (view) {
            child->resize(1000, 700);
            QApplication::processEvents();
        }
        return view;
    }

    CTmView* OpenLoggerGraph()
    {
        CTmView* view = OpenFile("logger.orl", fixture::FixtureBuilder().ContainerHeader(45).Bytes(
                                                   fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kLoggerRows))));
        if (!view)
            return nullptr;
        // The logger's page opens in the graph form.
        if (!m_App->MainFrame()->RouteCommand(kLoggerView))
            return nullptr;
        m_Builds = m_LoggerBuilds;
        return view->State().GraphShown() ? view : nullptr;
    }

    // A Multifile of `count` level-meter files with short loggers: Next steps from file to file.
    CTmView* OpenMultifile(int count)
    {
        fixture::MemberSpec logger{"level", 525, 300};
        logger.loggerRows = 10;
        const std::vector<fixture::MemberSpec> members(static_cast<std::size_t>(count), logger);
        CTmView* view = OpenFile("multi.orl", fixture::Multifile(55, fixture::MixedMultifileMembers(members)));
        if (view)
            m_App->MainFrame()->RouteCommand(kHeaderInfoView);
        return view;
    }

    // Counts the runs of the logger's graph-data renderer; `extra` runs inside each.
    void CountLoggerBuilds(std::function<void()> extra = {})
    {
        FormRendererRegistry& registry = m_App->FormRenderers();
        const GraphDataRenderer* found = registry.FindGraphData(kViewBufferLogger);
        ASSERT_NE(found, nullptr);
        GraphDataRenderer real = *found;
        registry.RegisterGraphData(kViewBufferLogger, [this, real, extra](GraphDataRequest& r) {
            ++m_LoggerBuilds;
            if (extra)
                extra();
            return real(r);
        });
    }

    HeldStepButton* ToolbarButton(int id)
    {
        QAction* action = m_App->MainFrame()->Action(id);
        for (HeldStepButton* button : m_App->MainFrame()->ToolBar()->findChildren<HeldStepButton*>())
            if (button->toolTip() == action->toolTip())
                return button;
        return nullptr;
    }

    static void SendKey(CTmView& view, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view, &press);
    }

    static int InkPixels(const QImage& image)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    int m_LoggerBuilds = 0; ///< runs of the logger's graph-data renderer (one per panel and build)
    int m_Builds = 0;       ///< those when the logger graph was open
};

TEST_F(GraphViewWindow, PlotPaintsTheLoggerGraphAndACursorKeyRepaintsOnlyTheCursor)
{
    CountLoggerBuilds();
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    GraphPane& graph = view->Graph();
    const MeasurementViewState& s = view->State();
    ASSERT_GE(s.Graph.PanelCount, 1);
    // The window shows the graph: axes, series and read-outs, not a blank page.
    const QImage shown = view->viewport()->grab().toImage();
    EXPECT_GT(InkPixels(shown), 5000);
    EXPECT_GT(graph.GraphHeight(), 100);

    const int panels = graph.PanelPaints();
    const int cursorBefore = s.CursorIndex + s.WindowStart;
    const QImage before = graph.Image();
    SendKey(*view, Qt::Key_Right);
    EXPECT_EQ(s.CursorIndex + s.WindowStart, cursorBefore + 1);
    EXPECT_EQ(m_LoggerBuilds, m_Builds);              // no renderer ran
    EXPECT_EQ(graph.PanelPaints(), panels);    // nor the panels
    EXPECT_NE(graph.Image(), before);          // the cursor moved on screen

    // The cursor painted over the kept panels is the picture of a whole paint.
    MeasurementViewState& state = view->State();
    GraphViewState whole = state.GraphForm.Plot;
    PlotStateDocument doc = GraphDocumentOf(view->Doc(), state);
    GraphSettings settings;
    settings.NonMetricUnits = view->Doc().App().NonMetric != 0;
    QImage expected(graph.Image().size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QtPainterCanvas canvas(expected);
        EngineRoutines routines;
        PaintGraph(canvas, whole, doc, settings, routines);
    }
    EXPECT_EQ(graph.Image(), expected);

    // Home and End take the cursor to the window's ends, again without a build.
    SendKey(*view, Qt::Key_End);
    EXPECT_EQ(s.CursorIndex, s.GraphForm.Plot.WindowSize - 1);
    SendKey(*view, Qt::Key_Home);
    EXPECT_EQ(s.CursorIndex, 0);
    EXPECT_EQ(m_LoggerBuilds, m_Builds);
    EXPECT_EQ(graph.PanelPaints(), panels);
}

TEST_F(GraphViewWindow, PlotCyclesTheSizeAndAResizePaintsThePanelsWithoutABuild)
{
    CountLoggerBuilds();
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    GraphPane& graph = view->Graph();
    const MeasurementViewState& s = view->State();
    CMainFrame& frame = *m_App->MainFrame();
    ASSERT_EQ(s.Graph.GraphSizeIndex, 0);
    const int panelsBefore = graph.PanelPaints();
    std::vector<int> sizes;
    for (int press = 0; press < 5; ++press) {
        ASSERT_TRUE(frame.RouteCommand(kPlotCommand));
        sizes.push_back(s.Graph.GraphSizeIndex);
    }
    EXPECT_EQ(sizes, (std::vector<int>{1, 2, 3, 4, 0}));
    EXPECT_EQ(m_LoggerBuilds, m_Builds);
    EXPECT_EQ(graph.PanelPaints(), panelsBefore + 5); // each size painted anew
    const int panelPaints = graph.PanelPaints();

    const QSize before = graph.Image().size();
    view->parentWidget()->resize(1400, 1000);
    QApplication::processEvents();
    EXPECT_EQ(m_LoggerBuilds, m_Builds);
    EXPECT_GT(graph.PanelPaints(), panelPaints); // painted again at the new size
    EXPECT_GE(graph.Image().width(), view->viewport()->width());
    EXPECT_GE(graph.Image().height(), view->viewport()->height());
    EXPECT_NE(graph.Image().size(), before);
}

TEST_F(GraphViewWindow, TheGKeyStepsTheSizeAndWithShiftCtrlOrAltStepsItBack)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = *m_App->MainFrame();
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    view->setFocus();
    frame.UpdateCommandUi(); // as the menu choice that showed the graph leaves the toolbar
    const MeasurementViewState& s = view->State();
    ASSERT_EQ(s.Graph.GraphSizeIndex, 0);
    struct Press {
        Qt::KeyboardModifiers keys;
        int size;
    };
    // The keys reach Plot as the toolbar button does, with the modifier held.
    const Press presses[] = {{Qt::NoModifier, 1}, {Qt::NoModifier, 2}, {Qt::ShiftModifier, 1},
                             {Qt::ShiftModifier, 0}, {Qt::ControlModifier, 4}, {Qt::AltModifier, 3}};
    for (const Press& p : presses) {
        QTest::keyClick(view, Qt::Key_G, p.keys);
        EXPECT_EQ(s.Graph.GraphSizeIndex, p.size) << p.keys.toInt();
        EXPECT_EQ(s.GraphForm.Plot.GraphSizeIndex, p.size) << p.keys.toInt();
    }
}

TEST_F(GraphViewWindow, ChannelButtonsAndTheZoomGoToTheControllersAndBuild)
{
    CountLoggerBuilds();
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    CMainFrame& frame = *m_App->MainFrame();
    frame.UpdateCommandUi();
    ASSERT_EQ(s.Graph.PanelCount, 3);
    EXPECT_TRUE(frame.Action(kChannelCommands[1])->isEnabled());
    EXPECT_TRUE(frame.Action(kChannelCommands[1])->isChecked());
    EXPECT_FALSE(frame.Action(kChannelCommands[3])->isEnabled()); // the logger has three profiles

    // Channel 2 off: the graph is built again with two panels.
    ASSERT_TRUE(frame.RouteCommand(kChannelCommands[1]));
    EXPECT_EQ(s.Graph.PanelCount, 2);
    EXPECT_GT(m_LoggerBuilds, m_Builds);
    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Action(kChannelCommands[1])->isChecked());

    // The whole logger is shown: zoom minus has nothing more to show. Zoom
    // plus merges fewer records into a point and builds; minus takes it back.
    const int aggregation = s.Aggregation;
    EXPECT_FALSE(frame.Action(kZoomMinusCommand)->isEnabled());
    ASSERT_TRUE(frame.Action(kZoomPlusCommand)->isEnabled());
    const int builds = m_LoggerBuilds;
    ASSERT_TRUE(frame.RouteCommand(kZoomPlusCommand));
    EXPECT_LT(s.Aggregation, aggregation);
    EXPECT_GT(m_LoggerBuilds, builds);
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(kZoomMinusCommand)->isEnabled());
    ASSERT_TRUE(frame.RouteCommand(kZoomMinusCommand));
    EXPECT_EQ(s.Aggregation, aggregation);
}

TEST_F(GraphViewWindow, ScreenshotOfALoggerGraphWithCursorAndMarkedBlock)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    for (int i = 0; i < 60; ++i)
        SendKey(*view, Qt::Key_Right);
    SendKey(*view, Qt::Key_Return);
    EXPECT_EQ(s.MarkState, 1);
    for (int i = 0; i < 120; ++i)
        SendKey(*view, Qt::Key_Right);
    SendKey(*view, Qt::Key_Return); // the block dialog is cancelled: the block stays
    EXPECT_EQ(s.MarkState, 2);
    EXPECT_EQ(s.GraphForm.Plot.MarkState, 2);
    EXPECT_LT(s.GraphForm.Plot.MarkedRange[0], s.GraphForm.Plot.MarkedRange[1]);
    SendKey(*view, Qt::Key_Left, Qt::NoModifier);
    const QImage shot = m_App->MainFrame()->grab().toImage();
    EXPECT_GT(InkPixels(view->viewport()->grab().toImage()), 5000);
    EXPECT_TRUE(shot.save(QString(ORLU_BINARY_DIR) + "/orlupc-view-graph.png"));
    // Esc takes the markers back one by one.
    SendKey(*view, Qt::Key_Escape);
    EXPECT_EQ(s.MarkState, 1);
    SendKey(*view, Qt::Key_Escape);
    EXPECT_EQ(s.MarkState, 0);
}

TEST_F(GraphViewWindow, HoldingNextStepsOnThePressAndRepeatsAndTheReleaseAddsNothing)
{
    CTmView* view = OpenMultifile(40);
    ASSERT_NE(view, nullptr);
    HeldStepButton* next = ToolbarButton(kNextCommand);
    ASSERT_NE(next, nullptr);
    const MeasurementViewState& s = view->State();
    m_App->MainFrame()->UpdateCommandUi();
    ASSERT_TRUE(next->isEnabled());
    EXPECT_FALSE(ToolbarButton(kPreviousCommand)->isEnabled()); // on the first sub-file

    // A click: one step, on the press.
    QTest::mousePress(next, Qt::LeftButton);
    EXPECT_EQ(s.SubFileNumber, 2);
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_EQ(s.SubFileNumber, 2);

    // Held for a second: at once, after 497 ms and every 97 ms after (about 7 steps).
    const auto start = std::chrono::steady_clock::now();
    QTest::mousePress(next, Qt::LeftButton);
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1000))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const int held = s.SubFileNumber - 2;
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_EQ(s.SubFileNumber - 2, held); // the release adds no step
    // A starved test machine fires late ticks once rather than catching up, so
    // only the repetition itself is certain below; above, the schedule's 7.
    EXPECT_GE(held, 2);
    EXPECT_LE(held, 7);
    QTest::qWait(300);
    EXPECT_EQ(s.SubFileNumber - 2, held); // nothing was left queued
    EXPECT_TRUE(ToolbarButton(kPreviousCommand)->isEnabled());
}

TEST_F(GraphViewWindow, HeldNextOverTwoHundredFilesDropsTicksDuringASlowBuild)
{
    // Every build of a step takes 150 ms and runs the event loop meanwhile,
    // as a long build behind its progress dialog does: the repetition's ticks
    // come during it and must be dropped, not run as steps inside the build.
    int depth = 0;
    int deepest = 0;
    CountLoggerBuilds([&] {
        deepest = std::max(deepest, ++depth);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
        while (std::chrono::steady_clock::now() < until)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        --depth;
    });
    CTmView* view = OpenMultifile(200);
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = *m_App->MainFrame();
    ASSERT_TRUE(frame.RouteCommand(kLoggerView));
    ASSERT_TRUE(view->State().GraphShown());
    const MeasurementViewState& s = view->State();
    HeldStepButton* next = ToolbarButton(kNextCommand);
    ASSERT_NE(next, nullptr);
    frame.UpdateCommandUi();
    const int first = s.SubFileNumber;
    const int buildsBefore = m_LoggerBuilds;

    const auto start = std::chrono::steady_clock::now();
    QTest::mousePress(next, Qt::LeftButton);
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1500))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QTest::mouseRelease(next, Qt::LeftButton);
    const int steps = s.SubFileNumber - first;
    QTest::qWait(400);

    EXPECT_EQ(deepest, 1);                          // no step ran inside another's build
    EXPECT_EQ(s.SubFileNumber - first, steps);      // none was queued for after the release
    EXPECT_EQ(m_LoggerBuilds - buildsBefore, steps * s.Graph.PanelCount); // one build per step
    EXPECT_GE(steps, 2);
    EXPECT_LE(steps, 1 + 1500 / 150);
}

TEST_F(GraphViewWindow, LeftButtonHeldOnThePlotRepeatsOnTheScheduleOfItsClock)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    GraphPane& graph = view->Graph();
    auto now = RepeatSchedule::Clock::time_point{};
    graph.Controller().Repeat() = RepeatSchedule([&now] { return now; });
    const MeasurementViewState& s = view->State();
    const GraphGeometry& g = *s.PageGeometry;
    const QPoint inPlot(g.leftMargin + 10 * std::max(1, g.pixelsPerPoint), g.topMargin + g.plotHeight / 2);

    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, inPlot);
    EXPECT_EQ(s.CursorIndex, 10); // the press puts the cursor under the mouse at once
    EXPECT_TRUE(graph.HoldTimer().isActive());
    EXPECT_EQ(graph.HoldTimer().interval(), 497);
    // A tick before the step is due does nothing; the due ones step (each paints the cursor once).
    struct Tick {
        int ms;
        bool steps;
    };
    const Tick ticks[] = {{496, false}, {497, true}, {550, false}, {594, true}, {691, true}};
    for (const Tick& t : ticks) {
        now = RepeatSchedule::Clock::time_point{} + std::chrono::milliseconds(t.ms);
        const int paints = graph.CursorPaints();
        graph.HoldTick();
        EXPECT_EQ(graph.CursorPaints() - paints, t.steps ? 1 : 0) << t.ms;
    }
    EXPECT_EQ(graph.HoldTimer().interval(), 97);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, inPlot);
    EXPECT_FALSE(graph.HoldTimer().isActive());
    EXPECT_FALSE(s.Control.LeftButtonHeld);
}

TEST_F(GraphViewWindow, ALoggerCutShortShowsWhatItHoldsAndTheKeysStayInIt)
{
    std::vector<std::uint8_t> bytes = fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kLoggerRows));
    bytes.resize(bytes.size() * 3 / 5);
    CTmView* view = OpenFile("cut.orl", fixture::FixtureBuilder().ContainerHeader(45).Bytes(bytes));
    ASSERT_NE(view, nullptr);
    m_App->MainFrame()->RouteCommand(kLoggerView);
    m_App->MainFrame()->RouteCommand(kPlotCommand);
    const MeasurementViewState& s = view->State();
    for (const int key : {Qt::Key_End, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Left, Qt::Key_Return})
        SendKey(*view, key, key == Qt::Key_End ? Qt::ControlModifier : Qt::NoModifier);
    // The rows before the cut are drawn, and the cursor stays on them.
    ASSERT_TRUE(s.GraphShown());
    EXPECT_EQ(s.Graph.PanelCount, 3);
    EXPECT_GT(s.GraphForm.Plot.PointCount, 100);
    EXPECT_LT(s.WindowStart + s.CursorIndex, s.GraphForm.Plot.PointCount);
    EXPECT_GE(s.CursorIndex, 0);
    EXPECT_GT(InkPixels(view->Graph().Image()), 1000);
}

TEST_F(GraphViewWindow, DraggingABlockPastTheWindowsEdgeScrollsOnATimer)
{
    CTmView* view = OpenFile("logger.orl", fixture::FixtureBuilder().ContainerHeader(45).Bytes(
                                               fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kLoggerRows))));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(kLoggerView));
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(kTextCommand));
    const MeasurementViewState& s = view->State();
    ASSERT_TRUE(s.LinesShown());
    ASSERT_EQ(s.FirstLine, 0);
    QWidget* port = view->viewport();
    const QPointF inside(20, 20);
    const QPointF below(20, port->height() + 30);
    QMouseEvent press(QEvent::MouseButtonPress, inside, port->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(port, &press);
    QMouseEvent move(QEvent::MouseMove, below, port->mapToGlobal(below), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    EXPECT_EQ(s.FirstLine, 0); // the move alone does not scroll
    QTest::qWait(450);
    const int scrolled = s.FirstLine;
    EXPECT_GE(scrolled, 2); // a line every 100 ms
    EXPECT_LE(scrolled, 5);
    // The block's end follows the lines scrolled under the mouse.
    EXPECT_GE(s.BlockEnd.y, (scrolled + port->height() / s.LineHeight - 1) * s.LineHeight);
    QMouseEvent release(QEvent::MouseButtonRelease, below, port->mapToGlobal(below), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(port, &release);
    QTest::qWait(250);
    EXPECT_EQ(s.FirstLine, scrolled);
}

} // namespace
} // namespace orlu
