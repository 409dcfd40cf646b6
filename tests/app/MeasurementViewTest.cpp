// The measurement view in the desktop program: a file opens with its first
// lines on screen, the table form follows the separator and decimal settings,
// the keys scroll, the mouse marks a block; the end of the widest line and
// the last column of a TAB table can be scrolled to, are painted where the
// view counts them and can be marked; current-family and four-channel files
// show the program's reports, with screenshots of two documents and of the
// Main results scrolled to their ends.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/views/CTmView.h"
#include "platform/ValueFormat.h"
#include "presentation/CommandTable.h"
#include "support/Analyzer505Fixture.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/JoinedLines.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>

namespace orlu {
namespace {

namespace fs = std::filesystem;

constexpr int kLineCount = 300;

std::string NumberedLine(int i)
{
    return StrPrintf("%04d  first-view line of the test report, m/s\xB2", i);
}

// Lines of the first form, whatever kind a new view starts with.
void FirstFormLines(FormRequest& r)
{
    ClearLineList(&r.Lines);
    for (int i = 0; i < kLineCount; ++i) {
        std::string line = NumberedLine(i);
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

// A small table written with the options the view hands over.
void ResultsTable(FormRequest& r)
{
    const char sep = SeparatorChar(r.Options.SeparatorIndex);
    const char dec = DecimalChar(r.Options.DecimalIndex);
    for (const char* row : {"Time#LAeq#LAmax", "10:00:00#81.5#90.1", "10:00:01#80.2#88.0"}) {
        std::string line = row;
        for (char& c : line)
            c = c == '#' ? sep : c == '.' ? dec : c;
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

class MeasurementViewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-view-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([](QDialog&) { return 0; });
        RegisterTestReports();
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        m_App->MainFrame()->resize(900, 650);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    // Reports of a known number of lines in place of the program's, so that
    // the drawing and scrolling do not depend on what a report writes.
    virtual void RegisterTestReports()
    {
        for (std::uint8_t kind : {std::uint8_t(kViewHeaderInfo), std::uint8_t(kViewSettings)})
            m_App->FormRenderers().Register(kind, FormChoice::Text, FirstFormLines);
        m_App->FormRenderers().Register(kViewHexa, FormChoice::Hex, FirstFormLines);
        m_App->FormRenderers().Register(kViewMainResults, FormChoice::Table, ResultsTable);
    }

    CTmView* Open(const std::string& name)
    {
        return OpenFile(name, fixture::FixtureBuilder().ContainerHeader(45).Bytes(fixture::SampleCurrentFamilyFile()));
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
            child->resize(600, 400);
            QApplication::processEvents();
        }
        return view;
    }

    // Rows of the viewport whose pixels are not all the background.
    static int InkRows(const QImage& image, int top, int bottom, QRgb background)
    {
        int rows = 0;
        for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) {
                    ++rows;
                    break;
                }
        return rows;
    }

    // The rightmost pixel column with ink in the rows [top, bottom); -1 for none.
    static int RightmostInk(const QImage& image, int top, int bottom, QRgb background)
    {
        for (int x = image.width() - 1; x >= 0; --x)
            for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
                if (image.pixel(x, y) != background)
                    return x;
        return -1;
    }

    // The left edge of the rightmost run of ink in the rows [top, bottom):
    // ink that has no ink in the `gap` pixel columns before it; -1 for none.
    static int LastWordInk(const QImage& image, int top, int bottom, QRgb background, int gap)
    {
        int left = -1;
        for (int x = RightmostInk(image, top, bottom, background); x >= 0; --x) {
            if (RightmostInk(image.copy(x, 0, 1, image.height()), top, bottom, background) >= 0)
                left = x;
            else if (left - x >= gap)
                break;
        }
        return left;
    }

    static void Drag(QWidget* port, QPointF from, QPointF to)
    {
        QMouseEvent press(QEvent::MouseButtonPress, from, port->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(port, &press);
        QMouseEvent move(QEvent::MouseMove, to, port->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(port, &move);
    }

    static int GreenPixels(const QImage& image)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == qRgb(0, 255, 0);
        return n;
    }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
};

TEST_F(MeasurementViewWindow, FileOpensWithItsFirstLinesOnScreen)
{
    CTmView* view = Open("first.orl");
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    ASSERT_EQ(s.Lines.Size(), static_cast<std::size_t>(kLineCount));
    EXPECT_EQ(s.FirstLine, 0);
    EXPECT_EQ(LineText(s.Lines[0]), NumberedLine(0));
    EXPECT_TRUE(s.TextShown() || s.HexShown());

    const QImage image = view->viewport()->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    // Ink in the first line's band, and in every band the window shows.
    EXPECT_GT(InkRows(image, 0, s.LineHeight, background), 2);
    const int shown = view->viewport()->height() / s.LineHeight;
    EXPECT_GT(InkRows(image, 0, shown * s.LineHeight, background), shown * 2);
    EXPECT_EQ(view->verticalScrollBar()->maximum(), kLineCount - (view->viewport()->height() + 1) / s.LineHeight + 1);
    // The frame's Text and Table buttons follow the view.
    m_App->MainFrame()->UpdateCommandUi();
    EXPECT_TRUE(m_App->MainFrame()->Action(32790)->isChecked());
}

TEST_F(MeasurementViewWindow, TableFormWithSemicolonsAndDecimalComma)
{
    m_App->Settings().SeparatorChar = 2;
    m_App->Settings().DecyPoint = 1;
    CTmView* view = Open("table.orl");
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = *m_App->MainFrame();
    ASSERT_TRUE(frame.RouteCommand(32780)); // Main results
    // The view opens with the file's profiles chosen, so the sound level meter text shows them.
    ASSERT_FALSE(view->State().Lines.Empty());
    EXPECT_NE(view->State().Lines.Join().find("Main results:"), std::string::npos);
    ASSERT_TRUE(frame.RouteCommand(32789)); // Table
    const MeasurementViewState& s = view->State();
    ASSERT_TRUE(s.TableShown());
    ASSERT_EQ(s.Lines.Size(), 3u);
    EXPECT_EQ(LineText(s.Lines[0]), "Time;LAeq;LAmax");
    EXPECT_EQ(LineText(s.Lines[1]), "10:00:00;81,5;90,1");
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(32789)->isChecked());
    EXPECT_TRUE(frame.Action(32790)->isEnabled()); // back to text is offered
    EXPECT_FALSE(frame.Action(32789)->isEnabled()); // a Main results table cannot step its layout
}

TEST_F(MeasurementViewWindow, VibrationUnitsRebuildEveryViewOfTheDocument)
{
    m_App->FormRenderers().Register(kViewHeaderInfo, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        std::string line = r.Doc.NonMetric() ? "units in/s" : "units m/s";
        AddLine(r.Lines, line, &r.WidestLine);
    });
    m_App->Context().NonMetric = 0;
    CTmView* first = Open("units.orl");
    ASSERT_NE(first, nullptr);
    CMainFrame& frame = *m_App->MainFrame();
    ASSERT_TRUE(frame.RouteCommand(kIdWindowNew));
    auto* second = dynamic_cast<CTmView*>(frame.ActiveChild()->widget());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    ASSERT_EQ(LineText(first->State().Lines[0]), "units m/s");

    ASSERT_TRUE(frame.RouteCommand(32918)); // Nonmetric
    EXPECT_EQ(LineText(first->State().Lines[0]), "units in/s");
    EXPECT_EQ(LineText(second->State().Lines[0]), "units in/s");
    ASSERT_TRUE(frame.RouteCommand(32917)); // Metric
    EXPECT_EQ(LineText(first->State().Lines[0]), "units m/s");
    EXPECT_EQ(LineText(second->State().Lines[0]), "units m/s");
}

TEST_F(MeasurementViewWindow, KeysScrollTheLines)
{
    CTmView* view = Open("scroll.orl");
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    const int page = (view->viewport()->height() + 1) / s.LineHeight;
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(s.FirstLine, page);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(s.FirstLine, page + 1);
    EXPECT_EQ(view->verticalScrollBar()->value(), page + 1);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(s.FirstLine, kLineCount - page + 1);
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(s.FirstLine, 0);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(s.FirstColumn, view->horizontalScrollBar()->maximum() > 0 ? 1 : 0);
}

TEST_F(MeasurementViewWindow, MouseMarksABlockShownInGreen)
{
    CTmView* view = Open("block.orl");
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    QWidget* port = view->viewport();
    EXPECT_EQ(GreenPixels(port->grab().toImage()), 0);
    Drag(port, QPointF(2.5 * s.CharWidth, 1.5 * s.LineHeight), QPointF(10.5 * s.CharWidth, 3.5 * s.LineHeight));
    const QImage image = port->grab().toImage();
    EXPECT_EQ(s.BlockMarked, 1);
    EXPECT_EQ(s.BlockStart, (ViewPoint{2, 1}));
    EXPECT_EQ(s.BlockStop, (ViewPoint{10, 3}));
    // Stream mode over three lines: the rest of line 1, line 2 whole, line 3 through column 10.
    EXPECT_GT(GreenPixels(image), 0);
    EXPECT_EQ(image.pixel(s.CharWidth / 2, s.LineHeight / 2), image.pixel(image.width() - 1, image.height() - 1));
    // A rebuild collapses the block.
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32781));
    EXPECT_EQ(GreenPixels(port->grab().toImage()), 0);
}

// A text far wider than the window, its widest line (line 2) ending in 'J'.
constexpr int kWideLength = 240;

void WideText(FormRequest& r)
{
    ClearLineList(&r.Lines);
    for (int i = 0; i < 5; ++i) {
        std::string line = i == 2 ? std::string() : "short line";
        while (i == 2 && line.size() < kWideLength)
            line += "ABCDEFGHIJ";
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

TEST_F(MeasurementViewWindow, LastCharacterOfTheWidestLineIsPaintedWhereTheViewCountsIt)
{
    m_App->FormRenderers().Register(kViewHeaderInfo, FormChoice::Text, WideText);
    CTmView* view = Open("wide.orl");
    ASSERT_NE(view, nullptr);
    const MeasurementViewState& s = view->State();
    QWidget* port = view->viewport();
    QTest::keyClick(view, Qt::Key_End);
    ASSERT_GT(s.FirstColumn, 0);
    EXPECT_EQ(view->horizontalScrollBar()->value(), view->horizontalScrollBar()->maximum());

    // Scrolled to the end, the last character stands in its cell inside the window.
    const QImage image = port->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    const int top = 2 * s.LineHeight;
    const int ink = RightmostInk(image, top, top + s.LineHeight, background);
    const int lastCell = (kWideLength - 1 - s.FirstColumn) * s.CharWidth;
    EXPECT_GE(ink, lastCell);
    EXPECT_LT(ink, lastCell + s.CharWidth);
    EXPECT_LT(lastCell + s.CharWidth, port->width() + s.CharWidth / 2);

    // Pressing on it marks it.
    Drag(port, QPointF(ink, top + s.LineHeight / 2), QPointF(ink, top + 1.5 * s.LineHeight));
    port->grab();
    EXPECT_EQ(s.BlockMarked, 1);
    EXPECT_EQ(s.BlockStart, (ViewPoint{kWideLength - 1, 2}));
}

// A table of twelve TAB-separated fields of unlike widths, the last ones
// SEL, n and Ln; every cell of the last column begins with '7'.
void TabTable(FormRequest& r)
{
    ClearLineList(&r.Lines);
    std::string title = "Main_results:";
    AddLine(r.Lines, title, &r.WidestLine);
    for (const char* row : {
             "Date\tStart\tChan\tFilter\tDetector\tTime\tunits\tPeak\tLeq\tSEL\tn\t7Ln[dB]",
             "45/01/01\t13:39'12\t#1\tA\tFast\t00:10'00\tdB\t100.0\t80.0\t107.8\t000\t75.5",
             "45/01/01\t13:39'12\t#2\tW-Bxy\t125ms\t00:10'00\tkm/s\xB2\t112.2\t2.0\t35.5\t11\t7",
             "45/01/01\t13:49'12\t#3\tC\tImpulse\t01:10'00\tdB\t125.9\t2.2\t39.8\t12\t70.25",
         }) {
        std::string line = row;
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

TEST_F(MeasurementViewWindow, TabTableScrollsToItsLastColumnWithTheFieldsLinedUp)
{
    m_App->Settings().SeparatorChar = 0; // TAB
    m_App->FormRenderers().Register(kViewMainResults, FormChoice::Table, TabTable);
    CTmView* view = Open("tab-table.orl");
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32780));
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32789));
    const MeasurementViewState& s = view->State();
    ASSERT_TRUE(s.TableShown());
    ASSERT_EQ(s.Lines.Size(), 5u);
    EXPECT_EQ(LineText(s.Lines[3]).find('\t'), 8u); // the lines keep their TABs
    QWidget* port = view->viewport();
    QTest::keyClick(view, Qt::Key_End);
    ASSERT_GT(s.FirstColumn, 0);

    // Every row shows its last cell, at the same place, inside the window.
    const QImage image = port->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int lastColumn = -1;
    for (int row = 1; row <= 3; ++row) {
        const int top = row * s.LineHeight;
        SCOPED_TRACE(row);
        const int ink = LastWordInk(image, top, top + s.LineHeight, background, 2 * s.CharWidth);
        ASSERT_GE(ink, 0);
        if (lastColumn < 0)
            lastColumn = ink / s.CharWidth;
        EXPECT_EQ(ink / s.CharWidth, lastColumn);
        EXPECT_LT(RightmostInk(image, top, top + s.LineHeight, background), port->width() - 1);
        // Pressing on the last cell marks the last field.
        const QPointF at((lastColumn + 0.5) * s.CharWidth, top + s.LineHeight / 2);
        Drag(port, at, at + QPointF(0, s.LineHeight));
        port->grab();
        EXPECT_EQ(s.BlockStartField, 11);
    }
    // The widest row (the header's last cell is the widest) ends in the window.
    EXPECT_EQ(RightmostInk(image, s.LineHeight, 2 * s.LineHeight, background) / s.CharWidth, lastColumn + 6);
    EXPECT_EQ(lastColumn + 7, view->horizontalScrollBar()->pageStep());
}

// The program's own reports: nothing registered in their place.
// The ASCII form is a long form: built on a worker thread behind a progress
// dialog. Test forms stand in for it so that a build can be watched and held.
class LongFormWindow : public MeasurementViewWindow {
protected:
    static constexpr int kAsciiCommand = 32867;

    void RegisterLongForm(LongFormRenderer render)
    {
        m_App->FormRenderers().RegisterLongForm(kViewAscii, FormChoice::Ascii, std::move(render));
    }
};

TEST_F(LongFormWindow, BuiltOnAWorkerThreadAndShownWhenDone)
{
    std::thread::id builtOn;
    RegisterLongForm([&](const CTmDoc&, LineSink& out, UserInteraction& ui, ProgressState& progress) {
        builtOn = std::this_thread::get_id();
        progress.Start(kLineCount);
        for (int i = 0; i < kLineCount; ++i) {
            progress.Checkpoint(static_cast<std::uint64_t>(i));
            std::string line = NumberedLine(i);
            out.AddLine(line);
        }
        ui.ShowMessage("said while building", kMessageCaption);
    });
    CTmView* view = Open("long.orl");
    ASSERT_NE(view, nullptr);
    view->Execute(kAsciiCommand);
    EXPECT_NE(builtOn, std::thread::id());
    EXPECT_NE(builtOn, std::this_thread::get_id());
    const MeasurementViewState& s = view->State();
    EXPECT_TRUE(s.AsciiShown());
    ASSERT_EQ(s.ShownLines().LineCount(), static_cast<std::size_t>(kLineCount));
    std::string buffer;
    EXPECT_EQ(LineText(s.ShownLines().Line(kLineCount - 1, buffer)), NumberedLine(kLineCount - 1));
    EXPECT_EQ(s.WidestLine, static_cast<int>(NumberedLine(0).size()) + 2);
    EXPECT_EQ(s.FirstLine, 0);
    // The message waited for the build and was shown on this thread.
    EXPECT_EQ(m_Ui.Messages(), std::vector<std::string>{"said while building"});
    EXPECT_EQ(view->findChild<QProgressDialog*>(), nullptr); // the dialog is gone
}

TEST_F(LongFormWindow, CancelInTheProgressDialogStopsTheBuild)
{
    std::atomic<bool> running{false};
    bool stoppedByCancel = false;
    RegisterLongForm([&](const CTmDoc&, LineSink& out, UserInteraction&, ProgressState& progress) {
        running = true;
        progress.Start(100);
        std::string line = "written before the cancel";
        out.AddLine(line);
        // Runs until cancelled; the bound only keeps a broken Cancel from hanging the test.
        for (std::uint64_t i = 0; i < 2'000'000'000; ++i) {
            try {
                progress.Checkpoint(i % 100);
            } catch (const OperationCancelled&) {
                stoppedByCancel = true;
                running = false;
                throw;
            }
        }
        running = false;
    });
    CTmView* view = Open("long.orl");
    ASSERT_NE(view, nullptr);
    bool dialogFound = false;
    // Pressed once the dialog's event loop runs, as a user would.
    QTimer::singleShot(0, view, [&] {
        if (auto* dialog = view->findChild<QProgressDialog*>()) {
            dialogFound = true;
            EXPECT_TRUE(dialog->isModal());
            dialog->cancel();
        }
    });
    view->Execute(kAsciiCommand);
    EXPECT_TRUE(dialogFound);
    EXPECT_TRUE(stoppedByCancel);
    EXPECT_FALSE(running); // the worker ended before the command returned
    const MeasurementViewState& s = view->State();
    ASSERT_EQ(s.ShownLines().LineCount(), 1u);
    std::string buffer;
    EXPECT_EQ(LineText(s.ShownLines().Line(0, buffer)), kFormCancelledText);
    EXPECT_TRUE(m_Ui.Messages().empty());
}

class MeasurementViewReports : public MeasurementViewWindow {
protected:
    void RegisterTestReports() override {}

    CTmView* OpenFourChannelFile(const std::string& name)
    {
        const auto spec = fixture::MakeFourChannelSpec(545, 217, 4, 1);
        return OpenFile(name, fixture::FixtureBuilder().ContainerHeader(42).Bytes(fixture::FourChannelMeasurementFile(spec)));
    }
};

TEST_F(MeasurementViewReports, CurrentAndFourChannelFilesShowTheirReports)
{
    m_App->Settings().SeparatorChar = 2;
    m_App->Settings().DecyPoint = 1;
    CMainFrame& frame = *m_App->MainFrame();
    CTmView* results = Open("results.orl");
    ASSERT_NE(results, nullptr);
    // The view opens on the profiles the file holds and hands them to the table.
    EXPECT_EQ(results->State().SelectedChannels, 0x7);
    ASSERT_TRUE(frame.RouteCommand(32780));
    ASSERT_TRUE(frame.RouteCommand(32789));
    const MeasurementViewState& table = results->State();
    ASSERT_TRUE(table.TableShown());
    ASSERT_EQ(table.Lines.Size(), 5u);
    EXPECT_EQ(LineText(table.Lines[0]), "Main_results:");
    EXPECT_EQ(LineText(table.Lines[1]).substr(0, 28), "Date;Start;Prof;Filter;Detec");
    EXPECT_EQ(LineText(table.Lines[2]).substr(0, 47), "00/00/00;00:00'00;#1;A;Fast;00:10'00;dB;94,2;70");

    CTmView* four = OpenFourChannelFile("four.orl");
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->State().AvailableChannels, 0xF);
    ASSERT_TRUE(frame.RouteCommand(32778)); // Hexa
    const MeasurementViewState& hex = four->State();
    ASSERT_TRUE(hex.HexShown());
    ASSERT_GT(hex.ShownLines().LineCount(), 2u);
    EXPECT_EQ(test::JoinedLines(hex.ShownLines()).rfind(" Offset   0  1", 0), 0u);
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(32790)->isChecked()); // the hex dump counts as the text form
    EXPECT_FALSE(frame.Action(32789)->isEnabled()); // Hexa has no table
    EXPECT_TRUE(frame.Action(32780)->isEnabled());
    // Both windows show their lines.
    for (CTmView* view : {results, four}) {
        const QImage image = view->viewport()->grab().toImage();
        const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
        EXPECT_GT(InkRows(image, 0, 2 * view->State().LineHeight, background), 4);
    }
}

TEST_F(MeasurementViewReports, AFreshlyOpenedSampleShowsAReadableReport)
{
    // As the program's start with its sample: a new window over most of the
    // area, on a form that shows the measurement, not a placeholder.
    CMainFrame& frame = *m_App->MainFrame();
    frame.resize(1024, 700);
    QApplication::processEvents();
    const fs::path path = m_Dir / "sample.orl";
    fixture::FixtureBuilder().ContainerHeader(45).Bytes(fixture::PlausibleSampleFile()).WriteTo(path);
    ASSERT_TRUE(m_App->OpenDocumentFile(path.string()));
    CChildFrame* child = frame.ActiveChild();
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<CTmView*>(child->widget());
    ASSERT_NE(view, nullptr);
    QApplication::processEvents();

    // A current file opens on how the instrument was set up.
    const MeasurementViewState& s = view->State();
    EXPECT_EQ(s.ViewKind, kViewHeaderInfo);
    EXPECT_TRUE(s.TextShown());
    const std::string text = test::JoinedLines(s.ShownLines());
    EXPECT_EQ(text.find(kFormNotAvailableText), std::string::npos);
    EXPECT_NE(text.find("Header information:"), std::string::npos);
    EXPECT_NE(text.find("  Device type .................  ORLU 525"), std::string::npos);
    const QSize area = frame.MdiArea()->viewport()->size();
    EXPECT_GT(child->width() * child->height(), area.width() * area.height() / 2);
    const QImage image = view->viewport()->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    EXPECT_GT(InkRows(image, 0, 4 * s.LineHeight, background), 8);
    EXPECT_TRUE(frame.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-header-info.png"));

    // Its Main results are one command away.
    ASSERT_TRUE(frame.RouteCommand(32780));
    EXPECT_NE(test::JoinedLines(view->State().ShownLines()).find("Leq"), std::string::npos);
    EXPECT_TRUE(frame.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-sample.png"));
}

TEST_F(MeasurementViewReports, AnAnalyzerFileOpensInItsHeaderInformation)
{
    CMainFrame& frame = *m_App->MainFrame();
    frame.resize(1024, 700);
    QApplication::processEvents();
    const fs::path path = m_Dir / "analyzer.orl";
    fixture::Analyzer505Spec spec;
    spec.fourChannel = true;
    spec.headerLength = 52;
    spec.bands = 9;
    spec.values = 10;
    fixture::Analyzer505Container(spec).WriteTo(path);
    ASSERT_TRUE(m_App->OpenDocumentFile(path.string()));
    CChildFrame* child = frame.ActiveChild();
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<CTmView*>(child->widget());
    ASSERT_NE(view, nullptr);
    QApplication::processEvents();

    const MeasurementViewState& s = view->State();
    EXPECT_EQ(s.ViewKind, kViewHeaderInfo);
    const std::string text = test::JoinedLines(s.ShownLines());
    EXPECT_NE(text.find("Header information:"), std::string::npos);
    // Every channel of the file has its column.
    EXPECT_NE(text.find(" #1          #2          #3          #4"), std::string::npos);
    const QString shot = QString(ORLU_BINARY_DIR) + "/orlupc-505-header.png";
    EXPECT_TRUE(frame.grab().toImage().save(shot));
}

TEST_F(MeasurementViewReports, ScreenshotOfTwoDocumentsInTextAndTableForm)
{
    m_App->Settings().SeparatorChar = 2;
    m_App->Settings().DecyPoint = 1;
    CTmView* text = OpenFourChannelFile("four-channels.orl");
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32778));
    CTmView* table = Open("level-meter.orl");
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32780));
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(32789));
    m_App->MainFrame()->MdiArea()->tileSubWindows();
    QApplication::processEvents();
    EXPECT_TRUE(text->State().HexShown());
    EXPECT_TRUE(table->State().TableShown());
    EXPECT_EQ(LineText(table->State().Lines[0]), "Main_results:");
    const QString path = QString(ORLU_BINARY_DIR) + "/orlupc-measurement-views.png";
    ASSERT_TRUE(m_App->MainFrame()->grab().toImage().save(path));
    EXPECT_TRUE(QImage(path).width() > 0);
}

TEST_F(MeasurementViewReports, ScreenshotsOfTheMainResultsScrolledToTheirEnds)
{
    m_App->Settings().SeparatorChar = 0; // TAB
    CMainFrame& frame = *m_App->MainFrame();
    CTmView* view = Open("main-results.orl");
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(frame.RouteCommand(32780)); // Main results
    ASSERT_TRUE(frame.RouteCommand(32790)); // Text
    const MeasurementViewState& s = view->State();
    QWidget* port = view->viewport();
    const auto grabFrame = [&](const char* name) {
        const QString path = QString(ORLU_BINARY_DIR) + "/" + name;
        EXPECT_TRUE(frame.grab().toImage().save(path)) << name;
    };

    // Text: every line as wide as the widest ends in its last cell, inside the window.
    QApplication::processEvents(); // the scroll bars take their room
    QTest::keyClick(view, Qt::Key_End);
    ASSERT_GT(s.FirstColumn, 0);
    QImage image = port->grab().toImage();
    QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    const int widest = s.WidestLine - 2;
    const int lastCell = (widest - 1 - s.FirstColumn) * s.CharWidth;
    EXPECT_LE(lastCell + s.CharWidth, port->width() + s.CharWidth / 2);
    int fullLines = 0;
    for (int i = 0; i < static_cast<int>(s.Lines.Size()); ++i) {
        if (static_cast<int>(LineText(s.Lines[static_cast<std::size_t>(i)]).size()) != widest)
            continue;
        ++fullLines;
        const int ink = RightmostInk(image, i * s.LineHeight, (i + 1) * s.LineHeight, background);
        EXPECT_GE(ink, lastCell) << "line " << i;
        EXPECT_LT(ink, lastCell + s.CharWidth) << "line " << i;
    }
    EXPECT_GE(fullLines, 3);
    grabFrame("orlupc-text-scrolled-end.png");

    // Table: the header and every row show their last field in one column.
    ASSERT_TRUE(frame.RouteCommand(32789));
    ASSERT_TRUE(s.TableShown());
    ASSERT_EQ(LineText(s.Lines[1]).substr(LineText(s.Lines[1]).rfind('\t')), "\tLn[dB]");
    QApplication::processEvents();
    QTest::keyClick(view, Qt::Key_End);
    ASSERT_GT(s.FirstColumn, 0);
    image = port->grab().toImage();
    background = image.pixel(image.width() - 1, image.height() - 1);
    std::set<int> lastColumns;
    for (int i = 1; i < static_cast<int>(s.Lines.Size()); ++i) {
        const int top = i * s.LineHeight;
        const int ink = LastWordInk(image, top, top + s.LineHeight, background, 2 * s.CharWidth);
        ASSERT_GE(ink, 0) << "line " << i;
        lastColumns.insert(ink / s.CharWidth);
        EXPECT_LT(RightmostInk(image, top, top + s.LineHeight, background), port->width() - 1) << "line " << i;
    }
    EXPECT_EQ(lastColumns.size(), 1u);
    grabFrame("orlupc-tab-table-last-column.png");
}

} // namespace
} // namespace orlu
