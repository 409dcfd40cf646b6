// The controllers on opened documents: keys, commands and dialog answers as
// the window would pass them, with the forms built again after each change.

#include "presentation/view/ViewController.h"

#include "analysis/PlotData.h"
#include "document/DocumentTestSupport.h"
#include "presentation/view/BufferBlockCommands.h"
#include "presentation/view/GraphNavigation.h"
#include "presentation/view/TextFormLayout.h"
#include "support/Analyzer505Fixture.h"
#include "support/JoinedLines.h"
#include "support/MixedMultifile.h"
#include "presentation/view/ViewSelection.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kKindMerged525 = 55;
constexpr std::uint8_t kKindMerged530 = 56; // its files may hold FFT spectra
constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kCtrl{false, true, false};

// Answers the block dialog with the given actions, the spectra functions with a
// function and OK (or Cancel when none is given), the others with Cancel.
class AnsweringDialogs : public CancelDialogs {
public:
    std::deque<int> blockActions;
    int blockDialogs = 0;
    int spectraFunction = 0;
    int spectraChannelB = 0; ///< pressed before the function when set
    bool acceptAtOnceClicked = false;
    std::optional<SpectraFunctionsModel> spectraOpened; ///< the last dialog as it opened
    void RunSpectraFunctions(SpectraFunctionsModel& dialog) override
    {
        spectraOpened = dialog;
        if (spectraChannelB)
            dialog.PressChannelB(spectraChannelB);
        if (acceptAtOnceClicked)
            dialog.ClickAcceptAtOnce();
        if (spectraFunction == 0) {
            dialog.Cancel();
            return;
        }
        dialog.PressFunction(spectraFunction);
        dialog.Ok();
    }
    void RunBlockOperations(BlockOperationsModel& dialog) override
    {
        ++blockDialogs;
        if (blockActions.empty()) {
            dialog.Escape();
            return;
        }
        dialog.Press(static_cast<std::uint8_t>(blockActions.front()));
        blockActions.pop_front();
    }
};

class ViewControllerTest : public DocumentTest {
protected:
    void OpenLogger(std::uint32_t rows)
    {
        fixture::FixtureBuilder b;
        b.ContainerHeader(45).Bytes(fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(rows)));
        Start(Open(Write("logger.orl", b)));
    }
    void Start(std::unique_ptr<CTmDoc> opened)
    {
        doc = std::move(opened);
        RegisterReportRenderers(renderers);
        builder = std::make_unique<FormBuilder>(renderers, settings);
        OpenView(view, *doc);
        builder->OpenFirstForm(view, *doc);
        controller = std::make_unique<ViewController>(view, *doc, *builder, settings, dialogs);
    }
    // A tonality file of 4 lines in the full band and 8 in the short band, its spectra shown
    // (they open on their graph).
    void OpenTonalitySpectra()
    {
        fixture::CurrentFileSpec spec;
        spec.function = 7;
        spec.spectrum = fixture::CurrentFileSpec::Spectrum::Fft;
        spec.bands = 4;
        spec.fftLevels = {200, 300, 200, 200};
        spec.shortBandLevels = {100, 100, 100, 100, 100, 400, 100, 100};
        fixture::FixtureBuilder b;
        b.ContainerHeader(45).Bytes(fixture::CurrentMeasurementFile(spec));
        Start(Open(Write("tonality.orl", b)));
        ASSERT_TRUE(controller->Command(32785, kPlain));
        ASSERT_TRUE(view.GraphShown());
    }
    // The Buffer/Logger graph of `points` points, as the graph builder leaves it.
    void ShowLoggerGraph(int points)
    {
        ASSERT_TRUE(controller->Command(32783, kPlain));
        view.FormKind = kFormGraph;
        builder->UpdateForm(view, *doc);
        view.FormFlags = (view.FormFlags & ~form_flags::kFormBits) | form_flags::kGraph;
        view.Graph.PointCount = points;
        view.Graph.WindowSize = points;
    }
    void MarkBetween(int first, int last)
    {
        controller->Key(ViewKey::Home, kCtrl);
        for (int i = 0; i < first; ++i)
            controller->Key(ViewKey::Right, kPlain);
        controller->Key(ViewKey::Enter, kPlain);
        controller->Key(ViewKey::Home, kCtrl);
        for (int i = 0; i < last; ++i)
            controller->Key(ViewKey::Right, kPlain);
        controller->Key(ViewKey::Enter, kPlain);
    }

    std::unique_ptr<CTmDoc> doc;
    FormRendererRegistry renderers;
    AppSettings settings;
    std::unique_ptr<FormBuilder> builder;
    MeasurementViewState view;
    AnsweringDialogs dialogs;
    std::unique_ptr<ViewController> controller;
};

TEST_F(ViewControllerTest, ChoosingTheTextOnlyKindShownDoesNotBuildItAgain)
{
    OpenLogger(300);
    struct Case {
        int command;
        bool rebuilt;
    };
    const Case cases[] = {{32781, false}, {32783, true}, {32778, false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(controller->Command(c.command, kPlain)) << c.command;
        view.FirstLine = 5; // a build starts at the top again
        // The same command again, on the kind it shows.
        ASSERT_TRUE(controller->Command(c.command, kPlain)) << c.command;
        EXPECT_EQ(view.FirstLine == 0, c.rebuilt) << c.command;
    }
}

TEST_F(ViewControllerTest, EnterMarksBackwardsAscendingAndEscStepsBack)
{
    OpenLogger(10);
    ShowLoggerGraph(10);
    MarkBetween(7, 2);
    EXPECT_EQ(view.MarkState, 2);
    EXPECT_EQ(view.MarkedRange, (std::array<std::int32_t, 2>{2, 7}));
    controller->Key(ViewKey::Esc, kPlain);
    EXPECT_EQ(view.MarkState, 1);
    controller->Key(ViewKey::Esc, kPlain);
    EXPECT_EQ(view.MarkState, 0);
    EXPECT_EQ(dialogs.blockDialogs, 0);
}

TEST_F(ViewControllerTest, TheBlockDialogDeletesDownToOneRecordIntoTheTextForm)
{
    OpenLogger(10);
    ShowLoggerGraph(10);
    MarkBetween(4, 4);
    dialogs.blockActions = {kBlockDeleteOutside};
    controller->Key(ViewKey::Enter, kPlain);
    EXPECT_EQ(dialogs.blockDialogs, 1);
    EXPECT_EQ(doc->EditableRecordCount(), 1u);
    EXPECT_TRUE(view.TextShown());
    EXPECT_EQ(view.MarkState, 0);
}

TEST_F(ViewControllerTest, DeletingEveryRecordIsRefusedWithAMessage)
{
    OpenLogger(10);
    ShowLoggerGraph(10);
    MarkBetween(0, 9);
    dialogs.blockActions = {kBlockDelete};
    controller->Key(ViewKey::Enter, kPlain);
    EXPECT_EQ(ui.Messages().back(), std::string(kCannotDeleteAll));
    EXPECT_EQ(doc->EditableRecordCount(), 10u);
    EXPECT_EQ(view.MarkState, 2);
}

TEST_F(ViewControllerTest, EscInTheBlockDialogKeepsTheBlockAndTheSetting)
{
    OpenLogger(10);
    ShowLoggerGraph(10);
    settings.ImmShowBO = 1;
    MarkBetween(1, 3); // the setting offers the dialog with the second end
    EXPECT_EQ(dialogs.blockDialogs, 1);
    EXPECT_EQ(view.MarkState, 2);
    EXPECT_EQ(settings.ImmShowBO, 1);
    EXPECT_EQ(doc->EditableRecordCount(), 10u);
}

TEST_F(ViewControllerTest, KeysScrollTheTextForms)
{
    OpenLogger(300);
    ASSERT_TRUE(controller->Command(32783, kPlain));
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    controller->SetClientSize(10, 200); // the view measures characters of one pixel
    const TextScrollInfo info = TextScrollRanges(view, 10, 200);
    ASSERT_GT(info.vMax, info.vPage);
    controller->Key(ViewKey::End, kPlain);
    const int last = view.FirstLine;
    EXPECT_GE(last, info.vMax - info.vPage);
    controller->Key(ViewKey::Up, kPlain);
    EXPECT_EQ(view.FirstLine, last - 1);
    controller->Key(ViewKey::Home, kPlain);
    EXPECT_EQ(view.FirstLine, 0);
    controller->Key(ViewKey::Right, kPlain);
    EXPECT_EQ(view.FirstColumn, 1);
    EXPECT_EQ(view.MarkState, 0); // Enter and the arrows never mark in a text form
}

TEST_F(ViewControllerTest, TheMouseMovesTheCursorInThePanelItHits)
{
    OpenLogger(40);
    ShowLoggerGraph(40);
    GraphGeometry g;
    g.leftMargin = 50;
    g.topMargin = 20;
    g.plotHeight = 100;
    g.pixelsPerPoint = 2;
    g.pointCount = 40;
    controller->SetGeometry(&g);
    view.Graph.PanelCount = 2;
    view.Control.GraphHeight = 150;
    struct Case {
        int x;
        int y;
        int cursor;
    };
    const Case cases[] = {
        {50 + 2 * 4, 20 + 150 + 10, 4}, // second panel
        {50 + 2 * 9, 20, 9},            // top edge of the first
        {50 + 2 * 30, 140, 9},          // between the panels: no move
        {50 + 2 * 30, 20 + 300 + 1, 9}, // below the last panel
    };
    for (const Case& c : cases) {
        controller->Click(c.x, c.y);
        EXPECT_EQ(view.CursorIndex, c.cursor) << c.x << "," << c.y;
    }
    // A double click inside the plot's width marks as Enter does; beside it nothing.
    controller->DoubleClick(50 + 2 * 40 + 1, 30);
    EXPECT_EQ(view.MarkState, 0);
    controller->DoubleClick(60, 30);
    EXPECT_EQ(view.MarkState, 1);
    // A geometry of no point width (a dialog confirmed with 0) makes the mouse do nothing.
    g.pixelsPerPoint = 0;
    controller->Click(60, 30);
    EXPECT_EQ(view.CursorIndex, 9);
}

TEST_F(ViewControllerTest, SpectraFunctionsDialogOkAppliesCancelKeepsTheViewButTheSetting)
{
    OpenLogger(10);
    view.ViewKind = kViewSpectra;
    view.Spectra.Function = 1;
    view.Spectra.ChannelA = 1;
    const std::uint16_t selected = view.SelectedChannels;
    dialogs.acceptAtOnceClicked = true;
    ASSERT_TRUE(controller->Command(kSpectraFunctionsCommand, kPlain));
    EXPECT_EQ(view.Spectra.Function, 1);
    EXPECT_EQ(view.SelectedChannels, selected);
    EXPECT_EQ(settings.Imm2SpFunAccept, 1);

    dialogs.acceptAtOnceClicked = false;
    dialogs.spectraFunction = 1;
    view.SelectedChannels = 0b110;
    view.Control.OneChannelFunctions = 0; // the buttons choose channel A
    ASSERT_TRUE(controller->Command(kSpectraFunctionsCommand, kPlain));
    EXPECT_EQ(view.SelectedChannels, 0b001); // one channel A
    EXPECT_EQ(view.ChannelNumber, 1);
    EXPECT_EQ(view.ShownViewKind, kViewSpectra); // rebuilt

    view.ViewKind = kViewOctaves;
    EXPECT_FALSE(controller->Command(kSpectraFunctionsCommand, kPlain));
}

TEST_F(ViewControllerTest, SpectraFunctionsOfATimeFileOfferThePairsOfItsChannels)
{
    fixture::Analyzer505Spec spec;
    spec.function = 1; // Time
    spec.fourChannel = true;
    spec.waveformBlocks = true;
    spec.tones = {{10, 1000.0, -1}};
    Start(Open(Write("time.orl", fixture::Analyzer505Container(spec))));
    view.ViewKind = kViewSpectra;
    view.Control.OneChannelFunctions = 0; // the buttons choose channels A and B
    dialogs.spectraChannelB = 3;
    dialogs.spectraFunction = 5; // cross spectrum A,B
    ASSERT_TRUE(controller->Command(kSpectraFunctionsCommand, kPlain));
    ASSERT_TRUE(dialogs.spectraOpened);
    EXPECT_EQ(dialogs.spectraOpened->TimeSamples, 1);
    EXPECT_EQ(dialogs.spectraOpened->ChannelCount, 4);
    EXPECT_EQ(view.Spectra.Function, 5);
    EXPECT_EQ(view.Spectra.ChannelB, 3);
    EXPECT_EQ(view.ChannelNumber, 3);
}

TEST_F(ViewControllerTest, PlotStepsThePaintedSizeAndBuildsAgainAfterAnotherForm)
{
    OpenLogger(300);
    ASSERT_TRUE(controller->Command(32783, kPlain));
    ASSERT_TRUE(controller->Command(kPlotCommand, kPlain));
    ASSERT_TRUE(view.GraphShown());
    const std::uint32_t builds = view.GraphForm.Builds;
    const int opened = view.Graph.GraphSizeIndex;
    // On the shown graph Plot steps the size the engine paints at, without a build.
    const KeyModifiers shift{true, false, false};
    struct Press {
        KeyModifiers keys;
        int size;
    };
    const Press presses[] = {{kPlain, (opened + 1) % 5}, {kPlain, (opened + 2) % 5}, {shift, (opened + 1) % 5}};
    for (const Press& p : presses) {
        ASSERT_TRUE(controller->Command(kPlotCommand, p.keys));
        EXPECT_EQ(view.Graph.GraphSizeIndex, p.size);
        EXPECT_EQ(view.GraphForm.Plot.GraphSizeIndex, p.size);
    }
    EXPECT_EQ(view.GraphForm.Builds, builds);
    // After the text form Plot shows the graph again, at the size it was left.
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    ASSERT_FALSE(view.GraphShown());
    ASSERT_TRUE(controller->Command(kPlotCommand, kPlain));
    EXPECT_TRUE(view.GraphShown());
    EXPECT_EQ(view.GraphForm.Builds, builds + 1u);
    EXPECT_EQ(view.GraphForm.Plot.GraphSizeIndex, (opened + 1) % 5);
}

TEST_F(ViewControllerTest, CtrlPageUpJumpsToTheLastRecord)
{
    OpenLogger(10);
    ShowLoggerGraph(10);
    // A graph whose records step (the builder sets this up for spectra of many records;
    // a logger's own graph does not step, so the range is set anew before each key).
    const auto stepping = [&](int record) {
        view.RecordStepping = 1;
        view.CurrentRecordPtr = &view.GraphRecord;
        view.FirstRecord = 1;
        view.LastRecord = 40;
        view.GraphRecord = record;
    };
    stepping(3);
    controller->Key(ViewKey::PgUp, kPlain);
    EXPECT_EQ(view.GraphRecord, 8);
    stepping(8);
    controller->Key(ViewKey::PgUp, kCtrl);
    EXPECT_EQ(view.GraphRecord, 40);
    stepping(40);
    controller->Key(ViewKey::PgDn, kCtrl);
    EXPECT_EQ(view.GraphRecord, 1);
}

TEST_F(ViewControllerTest, NextOnAMultifilesSpectraStaysInTheSubfilesWithSpectra)
{
    // Files 2 and 7 of ten hold FFT spectra.
    Start(Open(Write("multi.orl", fixture::Multifile(kKindMerged530, fixture::GeneratedMultifileMembers(10)))));
    ASSERT_TRUE(controller->Command(32785, kPlain));
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    std::vector<int> visited{view.SubFileNumber};
    for (int i = 0; i < 4; ++i) {
        controller->Key(ViewKey::N, kPlain);
        visited.push_back(view.SubFileNumber);
    }
    EXPECT_EQ(visited, (std::vector<int>{2, 7, 7, 7, 7}));
    EXPECT_FALSE(view.Control.NextEnabled);
    controller->Key(ViewKey::P, kPlain);
    EXPECT_EQ(view.SubFileNumber, 2);
    EXPECT_FALSE(UpdatePrevious(view, StepFactsOf(*doc), kPlain));
}

// A tonality file holds a full band of 4 lines and a short band of 8: Next goes from the
// one to the other (the short band in a geometry of its own), Previous back, and neither
// beyond; the text form then shows the band the graph reached.
TEST_F(ViewControllerTest, PreviousAndNextStepATonalityFileBetweenItsTwoBands)
{
    OpenTonalitySpectra();

    struct Case {
        std::optional<ViewKey> key;
        int record;
        int points;
        GeometryRecord geometry;
        bool previous, next;
        const char* band;
    };
    const Case cases[] = {
        {std::nullopt, 1, 4, GeometryRecord::Spectrum, false, true, "in full band"},
        {ViewKey::N, 2, 8, GeometryRecord::ShortBand, true, false, "in short band"},
        {ViewKey::N, 2, 8, GeometryRecord::ShortBand, true, false, "in short band"},
        {ViewKey::P, 1, 4, GeometryRecord::Spectrum, false, true, "in full band"},
        {ViewKey::P, 1, 4, GeometryRecord::Spectrum, false, true, "in full band"},
        {ViewKey::N, 2, 8, GeometryRecord::ShortBand, true, false, "in short band"},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        if (c.key)
            controller->Key(*c.key, kPlain);
        EXPECT_EQ(view.GraphRecord, c.record);
        EXPECT_EQ(view.Spectra.Band, c.record);
        EXPECT_EQ(view.Graph.PointCount, c.points);
        EXPECT_EQ(view.PageGeometry, view.GraphForm.Records.Find(c.geometry));
        const StepFacts facts = StepFactsOf(*doc);
        EXPECT_EQ(UpdatePrevious(view, facts, kPlain), c.previous);
        EXPECT_EQ(UpdateNext(view, facts, kPlain), c.next);
        EXPECT_NE(view.GraphForm.Plot.GraphTitle.find(c.band), std::string::npos) << view.GraphForm.Plot.GraphTitle;
    }
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    const std::string text = test::JoinedLines(view.ShownLines());
    EXPECT_NE(text.find("Spectrum (power) in short band"), std::string::npos) << text;
}

// Each band keeps its own cursor: the full band's last line (3) is no line of the
// short band's eight, whose cursor starts at 0 and is found again after a step back.
TEST_F(ViewControllerTest, EachBandOfATonalityFileKeepsItsCursor)
{
    OpenTonalitySpectra();
    controller->Key(ViewKey::End, kCtrl);
    ASSERT_EQ(view.CursorIndex, 3);
    controller->Key(ViewKey::N, kPlain);
    ASSERT_EQ(view.GraphRecord, 2);
    EXPECT_EQ(view.CursorIndex, 0);
    controller->Key(ViewKey::Right, kPlain);
    controller->Key(ViewKey::Right, kPlain);
    EXPECT_EQ(view.CursorIndex, 2);
    controller->Key(ViewKey::P, kPlain);
    EXPECT_EQ(view.CursorIndex, 3);
    controller->Key(ViewKey::N, kPlain);
    EXPECT_EQ(view.CursorIndex, 2);
}

TEST_F(ViewControllerTest, AMultifilesLoggerOffersEveryProfileByTheViewCommandAndAsAShownKind)
{
    // The same three-profile logger alone and inside a Multifile, through the View command
    // (the window) and shown directly in a form (orlu-dump): every profile is selected.
    fixture::MemberSpec logger{"level", 525, 300};
    logger.loggerRows = 40;
    const fixture::MemberSpec members[] = {logger};
    const auto multifile = fixture::Multifile(kKindMerged525, fixture::MixedMultifileMembers(members));
    fixture::FixtureBuilder single;
    single.ContainerHeader(45).Bytes(fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(40)));
    for (const fixture::FixtureBuilder* file : {&multifile, static_cast<const fixture::FixtureBuilder*>(&single)}) {
        SCOPED_TRACE(file == &multifile ? "multifile" : "single file");
        Start(Open(Write("log.orl", *file)));
        ASSERT_TRUE(controller->Command(32783, kPlain));
        EXPECT_EQ(view.SelectedChannels, 0b111);
        MeasurementViewState shown;
        OpenView(shown, *doc);
        builder->ShowKindInForm(shown, *doc, kViewBufferLogger, FormChoice::Text);
        EXPECT_EQ(shown.AvailableChannels, view.AvailableChannels);
        EXPECT_EQ(shown.SelectedChannels, view.SelectedChannels);
        EXPECT_EQ(shown.Profile, view.Profile);
    }
}

TEST_F(ViewControllerTest, SteppingBetweenShortAndLongLoggersRebuildsEachFromItsOwnRows)
{
    // Sub-files logging 10, 1000 and 10 rows: each step's form and graph data are made
    // for the file shown, so the long file's rows never land in arrays made for the short one.
    fixture::MemberSpec shortLogger{"level", 525, 300};
    shortLogger.loggerRows = 10;
    fixture::MemberSpec longLogger = shortLogger;
    longLogger.loggerRows = 1000;
    const fixture::MemberSpec members[] = {shortLogger, longLogger, shortLogger};
    Start(Open(Write("loggers.orl", fixture::Multifile(kKindMerged525, fixture::MixedMultifileMembers(members)))));
    ASSERT_TRUE(controller->Command(32783, kPlain));
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    PlotData data; // kept between the steps, as the view keeps its arrays
    std::vector<int> visited;
    std::vector<std::size_t> lines;
    for (const ViewKey key : {ViewKey::N, ViewKey::N, ViewKey::P, ViewKey::P}) {
        controller->Key(key, kPlain);
        visited.push_back(view.SubFileNumber);
        lines.push_back(view.ShownLines().LineCount());
        EXPECT_NE(builder->BuildGraphData(view, *doc, data), 0) << view.SubFileNumber;
    }
    EXPECT_EQ(visited, (std::vector<int>{2, 3, 2, 1}));
    EXPECT_GT(lines[0], 10 * lines[1]); // the long file shows its own rows
    EXPECT_EQ(lines[1], lines[3]);
}

TEST_F(ViewControllerTest, ShiftWithTheNextButtonStepsAsShiftWithN)
{
    // File 3 of the Multifile holds 1/3-octave band statistics: with Shift,
    // Next steps its level record, without it the sub-file.
    Start(Open(Write("multi.orl", fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(10)))));
    ASSERT_TRUE(controller->Command(32891, kPlain)); // statistical levels of the 1/3 octaves
    ASSERT_TRUE(controller->Command(kTextCommand, kPlain));
    const int subfile = view.SubFileNumber;
    ASSERT_EQ(view.LevelsRecord, 1);
    const KeyModifiers shift{true, false, false};
    ASSERT_TRUE(controller->Command(kNextCommand, shift));
    EXPECT_EQ(view.SubFileNumber, subfile);
    EXPECT_EQ(view.LevelsRecord, 2);
    controller->Key(ViewKey::N, shift);
    EXPECT_EQ(view.LevelsRecord, 3);
    ASSERT_TRUE(controller->Command(kPreviousCommand, shift));
    EXPECT_EQ(view.LevelsRecord, 2);
    ASSERT_TRUE(controller->Command(kNextCommand, kPlain));
    EXPECT_GT(view.SubFileNumber, subfile);
}

TEST_F(ViewControllerTest, HoldingNextStepsOnItsScheduleAndReleasingStops)
{
    Start(Open(Write("multi.orl", fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(12)))));
    ASSERT_TRUE(controller->Command(32781 /* Header info */, kPlain) || view.ViewKind == kViewHeaderInfo);
    // The test's clock drives the repetition of a controller of its own.
    auto now = RepeatSchedule::Clock::time_point{};
    ViewController held(view, *doc, *builder, settings, dialogs);
    held.Repeat() = RepeatSchedule([&now] { return now; });
    std::vector<int> stepTimes;
    for (int t = 0; t <= 1000; t += 10) {
        now = RepeatSchedule::Clock::time_point{} + std::chrono::milliseconds(t);
        if (held.RepeatTick(false, true))
            stepTimes.push_back(t);
    }
    EXPECT_EQ(stepTimes, (std::vector<int>{0, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(view.SubFileNumber, 8);
    EXPECT_FALSE(held.RepeatTick(false, false));
    EXPECT_EQ(view.SubFileNumber, 8);
}

} // namespace
} // namespace orlu
