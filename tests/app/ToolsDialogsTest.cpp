// The tools dialogs on screen: the widgets follow their models, refuse what
// the exchange refuses, and the View options and More options commands take
// the answers the user gives in the real dialogs.

#include "AppFixture.h"
#include "app/CRtGraphOptionsDlg.h"
#include "app/CTableChannelsDlg.h"
#include "app/dialogs/CBarDisplayOptionsDlg.h"
#include "app/dialogs/CGraphFormOptionsDlg.h"
#include "app/dialogs/CPictureZoomDlg.h"
#include "app/dialogs/CStepDisplayOptionsDlg.h"
#include "app/dialogs/CTableFormOptionsDlg.h"
#include "app/dialogs/DisplayBudgetBoxes.h"
#include "app/dialogs/QtOptionDialogs.h"
#include "app/CChildFrame.h"
#include "app/views/CTmView.h"
#include "app/views/PictureViews.h"
#include "support/BmpFixture.h"
#include "presentation/view/ToolsCommands.h"
#include "presentation/view/ViewController.h"
#include "support/FixtureBuilder.h"
#include "support/JoinedLines.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace orlu::test {
namespace {

using ToolsDialogs = AppFixture;

template <typename T = QWidget>
T* Child(const QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(const QWidget& dialog, const char* name)
{
    if (auto* button = Child<QAbstractButton>(dialog, name))
        button->click();
}

void Type(const QWidget& dialog, const char* box, const char* text)
{
    if (auto* edit = Child<QLineEdit>(dialog, box))
        edit->setText(text);
}

// A box left with this text, as when the focus moves on.
void Leave(QLineEdit* box, const char* text)
{
    box->setText(text);
    emit box->editingFinished();
}

int DecimalOf(const MeasurementViewState& view)
{
    return static_cast<int>(form_flags::Field(view.FormFlags, form_flags::kDecimalShift, 1));
}

void Screenshot(QWidget& dialog, const char* name)
{
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-" + name + ".png")) << name;
}

// The View options command over a view without a window, its dialogs on
// screen and answered by the test through the dialog runner.
struct OptionsRun {
    OptionsRun(ScriptedInteraction& ui, std::uint32_t form, std::uint8_t kind)
        : dialogs(
              [this](QDialog& d) {
                  ++runs;
                  answer(d);
                  return d.result();
              },
              ui, settings)
    {
        view.FormFlags = form;
        view.ViewKind = kind;
        doc.levels = &levels;
        doc.bounds = {12.5, 401, 30};
    }
    ViewOptionsOutcome Run() { return RunViewOptions(view, doc, settings, dialogs); }

    MeasurementViewState view;
    StatLevels levels = kDefaultStatLevels;
    ViewOptionsFacts doc;
    AppSettings settings;
    std::function<void(QDialog&)> answer = [](QDialog&) {};
    int runs = 0;
    QtOptionDialogs dialogs;
};

TEST_F(ToolsDialogs, TableChannelsKeepOkDisabledWhileTheInputsMix)
{
    TableChannelsModel model({2, 1, 2, 2, 1}, 0b01111, 0b00001);
    CTableChannelsDlg dialog(model);
    auto* second = dialog.findChild<QPushButton*>("channel2");
    auto* fifth = dialog.findChild<QPushButton*>("channel5");
    QPushButton* ok = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "OK" || b->text() == "&OK")
            ok = b;
    ASSERT_TRUE(second && fifth && ok);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(fifth->isEnabled());
    second->click();
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(ok->isEnabled());
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-table-channels.png"));
    second->click();
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(model.Accept(), 0b00001);
}

TEST_F(ToolsDialogs, ReverberationOptionsShowOneMethod)
{
    RtGraphOptionsModel model;
    model.ChooseMethod(1);
    CRtGraphOptionsDlg dialog(model);
    auto* rt30 = dialog.findChild<QRadioButton*>("method3");
    auto* edt = dialog.findChild<QRadioButton*>("method1");
    ASSERT_TRUE(rt30 && edt);
    EXPECT_TRUE(edt->isChecked());
    rt30->click();
    EXPECT_FALSE(edt->isChecked());
    EXPECT_EQ(model.VisualAid(), 3);
    dialog.findChild<QPushButton*>("defaults")->click();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("method4")->isChecked());
    EXPECT_EQ(model.StartWithTotalCheck, 1);
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-rt-graph-options.png"));
}

TEST_F(ToolsDialogs, TableCancelAfterDefaultsStoresTheDefaults)
{
    OptionsRun o(m_Ui, form_flags::kTable, kViewBufferLogger);
    o.view.FormFlags = form_flags::WithField(o.view.FormFlags, form_flags::kDecimalShift, 1, 1);
    o.view.FormFlags = form_flags::WithField(o.view.FormFlags, form_flags::kSeparatorShift, 3, 2);
    o.view.DispPitch = 20;
    o.settings.DispPitchSize = 14;
    o.answer = [](QDialog& d) {
        ASSERT_NE(dynamic_cast<CTableFormOptionsDlg*>(&d), nullptr);
        EXPECT_EQ(Child<QComboBox>(d, "decimal")->currentIndex(), 1);
        EXPECT_EQ(Child<QComboBox>(d, "separator")->currentIndex(), 2);
        Screenshot(d, "table-form-options");
        Click(d, "defaults");
        EXPECT_EQ(Child<QLineEdit>(d, "1049")->text(), "14");
        Click(d, "cancel");
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildTable);
    EXPECT_EQ(DecimalOf(o.view), 0);
    EXPECT_EQ(o.view.TableSeparatorIndex(), 0);
    EXPECT_EQ(o.view.DispPitch, 14);
}

TEST_F(ToolsDialogs, TableDialogComesBackUntilDecimalAndSeparatorDiffer)
{
    OptionsRun o(m_Ui, form_flags::kTable, kViewBufferLogger);
    o.answer = [&o](QDialog& d) {
        auto* separator = Child<QComboBox>(d, "separator");
        if (o.runs == 1) {
            Child<QComboBox>(d, "decimal")->setCurrentIndex(1);
            separator->setCurrentIndex(1);
        } else {
            EXPECT_EQ(separator->currentIndex(), 1); // the dialog shows what it held
            separator->setCurrentIndex(2);
        }
        Click(d, "ok");
    };
    o.Run();
    EXPECT_EQ(o.runs, 2);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed."});
    EXPECT_EQ(DecimalOf(o.view), 1);
    EXPECT_EQ(o.view.TableSeparatorIndex(), 2);
}

TEST_F(ToolsDialogs, BadPitchKeepsTheTableDialogOpen)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"0", "Please enter an integer between 1 and 48."},
        {"49", "Please enter an integer between 1 and 48."},
        {"abc", "Please enter an integer between 0 and 255."},
        {"300", "Please enter an integer between 0 and 255."},
    };
    for (const Case& c : cases) {
        TableOptionsModel model;
        model.DecimalIndex = model.SeparatorIndex = 0;
        model.DisplayPitch = 16;
        CTableFormOptionsDlg dialog(model, m_Ui, 16, 16);
        Type(dialog, "1049", c.text);
        Click(dialog, "ok");
        EXPECT_NE(dialog.result(), QDialog::Accepted) << c.text;
        ASSERT_FALSE(m_Ui.Messages().empty());
        EXPECT_EQ(m_Ui.Messages().back(), c.message) << c.text;
        EXPECT_EQ(model.DisplayPitch, 16) << c.text;
    }
}

TEST_F(ToolsDialogs, TableLevelsPanelSortsAndFollowsUseAll)
{
    OptionsRun o(m_Ui, form_flags::kTable, kViewStatisticalLevels);
    o.doc.fileKind = 24;
    o.doc.levelsInViewMask = true;
    o.view.StatOctave1 = 1;
    o.view.Control.UseAllStatLevels = 1;
    o.view.LevelsRecord = 27;
    o.answer = [](QDialog& d) {
        auto* useAll = Child<QCheckBox>(d, "useall");
        auto* first = Child<QLineEdit>(d, "1079");
        EXPECT_TRUE(useAll->isChecked());
        EXPECT_FALSE(first->isEnabled());
        useAll->click();
        EXPECT_TRUE(first->isEnabled());
        const char* typed[] = {"50", "1", "99", "10", "20", "30", "40", "60", "70", "80"};
        for (std::size_t i = 0; i < 10; ++i)
            Child<QLineEdit>(d, std::to_string(LevelPanel::kLevelIds[i]).c_str())->setText(typed[i]);
        Click(d, "ascending");
        EXPECT_EQ(first->text(), "1");
        EXPECT_EQ(Child<QLineEdit>(d, "1090")->text(), "99");
        Screenshot(d, "table-levels-options");
        Click(d, "ok");
    };
    o.Run();
    EXPECT_EQ(o.view.Control.UseAllStatLevels, 0);
    EXPECT_EQ(o.view.LevelsRecord, 4); // L27 is nearest the fourth level, 30
    EXPECT_EQ(o.levels, (StatLevels{1, 10, 20, 30, 40, 50, 60, 70, 80, 99}));
}

TEST_F(ToolsDialogs, GraphMultiElementClearsAndRestoresCursorAndSolidBarsAndCancelChangesNothing)
{
    OptionsRun o(m_Ui, form_flags::kGraph, kViewSpectra);
    o.view.CursorOn = 1;
    o.view.Tools.SolidBars = 1;
    o.view.RecordStepping = 1;
    o.answer = [](QDialog& d) {
        auto* cursor = Child<QCheckBox>(d, "cursor");
        auto* solid = Child<QCheckBox>(d, "solid");
        EXPECT_TRUE(cursor->isChecked() && cursor->isEnabled());
        EXPECT_TRUE(solid->isChecked() && solid->isEnabled());
        EXPECT_FALSE(Child<QLineEdit>(d, "begin")->isEnabled());
        Click(d, "multi");
        EXPECT_FALSE(cursor->isChecked() || cursor->isEnabled());
        EXPECT_FALSE(solid->isChecked() || solid->isEnabled());
        EXPECT_TRUE(Child<QLineEdit>(d, "begin")->isEnabled());
        Screenshot(d, "graph-form-options");
        Click(d, "single");
        EXPECT_TRUE(cursor->isChecked() && cursor->isEnabled());
        EXPECT_TRUE(solid->isChecked());
        Click(d, "multi");
        Type(d, "1049", "9");
        Click(d, "cancel");
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::Nothing);
    EXPECT_EQ(o.view.MultiElement, 0);
    EXPECT_EQ(o.view.CursorOn, 1);
    EXPECT_EQ(o.view.Tools.SolidBars, 1);
    EXPECT_EQ(o.view.Tools.PrintZoom, 1);
}

TEST_F(ToolsDialogs, GraphListsAreEnabledForHistoriesAndEmptyForSpectra)
{
    for (const auto& [kind, offered] : {std::pair{kViewBufferLogger, true}, std::pair{kViewSpectra, false}}) {
        OptionsRun o(m_Ui, form_flags::kGraph, kind);
        o.settings.CursorRelTimeFormat = 1;
        o.settings.TimeAxisFormat = 1;
        o.answer = [offered = offered](QDialog& d) {
            for (const char* name : {"cursorformat", "timedomain"}) {
                auto* list = Child<QComboBox>(d, name);
                EXPECT_EQ(list->isEnabled(), offered) << name;
                EXPECT_EQ(list->currentIndex(), offered ? 1 : -1) << name;
            }
            EXPECT_EQ(Child<QCheckBox>(d, "date")->isEnabled(), offered);
            if (offered)
                Child<QComboBox>(d, "cursorformat")->setCurrentIndex(0);
            Click(d, "ok");
        };
        o.Run();
        EXPECT_EQ(o.settings.CursorRelTimeFormat, offered ? 0 : 1) << int(kind);
    }
}

TEST_F(ToolsDialogs, MultiElementFrequenciesTypedAreLimitedToTheSpectrum)
{
    OptionsRun o(m_Ui, form_flags::kGraph, kViewSpectra);
    o.view.RecordStepping = 1;
    o.answer = [](QDialog& d) {
        Click(d, "multi");
        Type(d, "begin", "5000");
        Type(d, "end", "100");
        Type(d, "first", "3");
        Type(d, "last", "99");
        Click(d, "ok");
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildGraph);
    EXPECT_EQ(o.view.MultiElement, 1);
    EXPECT_EQ(o.view.Tools.MultiOptions.freqBegin, 4987.5); // (401 - 2) lines of 12.5 Hz
    EXPECT_EQ(o.view.Tools.MultiOptions.freqEnd, 5000.0);
    EXPECT_EQ(o.view.Tools.MultiOptions.firstSpectrum, 3u);
    EXPECT_EQ(o.view.Tools.MultiOptions.lastSpectrum, 30u);
}

TEST_F(ToolsDialogs, BadGraphBoxesKeepTheDialogOpen)
{
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"1049", "17", "Please enter an integer between 1 and 16."},
        {"1049", "x", "Please enter an integer between 0 and 255."},
        {"1113", "300", "Please enter an integer between 0 and 255."},
        {"begin", "12a", "Please enter a number."},
        {"end", "", "Please enter a number."},
        {"first", "1.5", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        GraphOptionsModel model;
        model.ChooseMulti();
        model.Cancelled = 1;
        CGraphFormOptionsDlg dialog(model, m_Ui);
        Type(dialog, c.box, c.text);
        Click(dialog, "ok");
        EXPECT_NE(dialog.result(), QDialog::Accepted) << c.box << " " << c.text;
        EXPECT_EQ(model.Cancelled, 1);
        ASSERT_FALSE(m_Ui.Messages().empty());
        EXPECT_EQ(m_Ui.Messages().back(), c.message) << c.box << " " << c.text;
    }
}

TEST_F(ToolsDialogs, LevelGraphUseAllSwitchMovesTheLevelsRecord)
{
    struct Case {
        std::int32_t useAll;
        std::int32_t record;
        bool cancel;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, 27, false, 4},  // L27 -> level 30, the fourth
        {1, 25, false, 3},  // 20 and 30 equally near: the first
        {0, 4, false, 30},  // the fourth entry -> L30
        {1, 27, true, 27},  // Cancel changes nothing
    };
    for (const Case& c : cases) {
        OptionsRun o(m_Ui, form_flags::kGraph, kViewStatisticalLevels);
        o.view.Control.UseAllStatLevels = c.useAll;
        o.view.LevelsRecord = c.record;
        o.answer = [&c](QDialog& d) {
            ASSERT_NE(dynamic_cast<CGraphFormOptionsDlg*>(&d), nullptr);
            Click(d, "useall");
            Type(d, "1079", "2");
            if (!c.cancel && c.record == 27)
                Screenshot(d, "graph-levels-options");
            Click(d, c.cancel ? "cancel" : "ok");
        };
        o.Run();
        EXPECT_EQ(o.view.LevelsRecord, c.expected) << c.record;
        EXPECT_EQ(o.view.Control.UseAllStatLevels, c.cancel ? c.useAll : !c.useAll) << c.record;
        EXPECT_EQ(o.levels[0], c.cancel ? 1 : 2) << c.record;
    }
}

TEST_F(ToolsDialogs, BarWidthLeavesRoomForFewerBars)
{
    MoreOptionsModel model(false, DisplayBudget(8, 100, 1, 100, 20));
    model.AggregationOffered = 1;
    CBarDisplayOptionsDlg dialog(model, m_Ui);
    DisplayBudgetBoxes& boxes = *dialog.Budget();
    Leave(boxes.WidthBox()->Edit(), "16");
    EXPECT_EQ(boxes.CountBox()->Text(), "50");
    Leave(boxes.AggregationBox()->Edit(), "25");
    EXPECT_EQ(boxes.AggregationBox()->Text(), "20");
    EXPECT_EQ(boxes.CountBox()->Text(), "5"); // 100 bars by 20
    Screenshot(dialog, "bar-display-options");
    Leave(boxes.AggregationBox()->Edit(), "many");
    EXPECT_EQ(m_Ui.Messages().back(), "Please enter an integer.");
    // Nothing typed since: OK holds every box to its bounds, none reaches the graph as 0.
    boxes.AggregationBox()->SetText("1");
    boxes.CountBox()->SetText("0");
    boxes.WidthBox()->SetText("0");
    Click(dialog, "ok");
    EXPECT_EQ(model.Accepted, 1);
    EXPECT_EQ(model.Budget.Width(), 1);
    EXPECT_EQ(model.Budget.Count(), 1);
    EXPECT_EQ(model.Budget.Aggregation(), 1);
}

TEST_F(ToolsDialogs, CountIsFixedForBandsAndAggregationOnlyWhereOffered)
{
    MoreOptionsModel model(false, DisplayBudget(8, 31, 1, 31, 20));
    model.CountFixed = 1;
    CBarDisplayOptionsDlg dialog(model, m_Ui);
    EXPECT_FALSE(dialog.Budget()->CountBox()->isEnabled());
    EXPECT_FALSE(dialog.Budget()->AggregationBox()->isEnabled());
    Click(dialog, "solid");
    Click(dialog, "cancel");
    EXPECT_EQ(model.Accepted, 0);
}

TEST_F(ToolsDialogs, StepDialogChecksTheCircleStep)
{
    struct Case {
        const char* text;
        const char* message; ///< none: taken
    };
    const Case cases[] = {
        {"-1", "Please enter a positive integer."},
        {"101", "Please enter an integer between 0 and 100."},
        {"40", nullptr},
    };
    for (const Case& c : cases) {
        MoreOptionsModel model(true, DisplayBudget(4, 100, 1, 1000, 50));
        model.MarkersOffered = 1;
        CStepDisplayOptionsDlg dialog(model, m_Ui);
        Click(dialog, "circles");
        dialog.CircleStepBox()->SetText(c.text);
        const std::size_t shown = m_Ui.Messages().size();
        Click(dialog, "ok");
        EXPECT_EQ(model.Accepted, c.message ? 0 : 1) << c.text;
        if (c.message) {
            ASSERT_EQ(m_Ui.Messages().size(), shown + 1);
            EXPECT_EQ(m_Ui.Messages().back(), c.message);
            continue;
        }
        EXPECT_EQ(model.CirclesCheck, 1);
        EXPECT_EQ(model.CircleMinStep, 40);
        EXPECT_EQ(model.Budget.Width(), 4);
        EXPECT_FALSE(Child<QCheckBox>(dialog, "breaks")->isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "markers")->isEnabled());
        Screenshot(dialog, "step-display-options");
    }
}

TEST_F(ToolsDialogs, PictureZoomShowsHowThePictureScales)
{
    for (const auto& [kind, shown] : {std::pair{kMetafilePicture, "AUTO"}, std::pair{kBitmapPicture, "1"}}) {
        PictureZoomModel model{kind, 8};
        CPictureZoomDlg dialog(model, m_Ui);
        EXPECT_EQ(dialog.DisplayZoom()->text(), shown);
        EXPECT_FALSE(dialog.DisplayZoom()->isEnabled());
        dialog.PrintZoom()->SetText("17");
        Click(dialog, "ok");
        EXPECT_EQ(m_Ui.Messages().back(), "Please enter an integer between 1 and 16.");
        EXPECT_EQ(model.PrintZoom, 8);
        dialog.PrintZoom()->SetText("12");
        Click(dialog, "cancel");
        EXPECT_EQ(model.PrintZoom, 8);
        if (kind == kMetafilePicture)
            Screenshot(dialog, "picture-zoom");
        Click(dialog, "ok");
        EXPECT_EQ(model.PrintZoom, 12);
    }
}

TEST_F(ToolsDialogs, PictureViewOptionsSetThePrintingZoom)
{
    ASSERT_TRUE(Start());
    const std::vector<std::uint8_t> bmp = fixture::BuildBmp({.width = 30, .height = 20});
    ManagedDocument* doc = m_App->OpenDocumentFile(MakeFile("p.bmp", std::string(bmp.begin(), bmp.end())));
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<CTmView4*>(Frame().ActiveChild()->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->PrintZoom(), m_App->Settings().PrintGraphZoom);
    const char* close = "ok";
    m_App->SetDialogRunner([&close](QDialog& d) {
        auto* zoom = dynamic_cast<CPictureZoomDlg*>(&d);
        EXPECT_NE(zoom, nullptr);
        if (zoom) {
            EXPECT_EQ(zoom->DisplayZoom()->text(), "1"); // a bitmap shows 1:1
            zoom->PrintZoom()->SetText(close == std::string("ok") ? "12" : "3");
        }
        Click(d, close);
        return d.result();
    });
    ASSERT_TRUE(view->Execute(kViewOptionsCommand));
    EXPECT_EQ(view->PrintZoom(), 12);
    close = "cancel";
    ASSERT_TRUE(view->Execute(kViewOptionsCommand));
    EXPECT_EQ(view->PrintZoom(), 12);
}

// The program with a three-profile logger open, its dialogs answered by the test.
class ToolsDialogsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = std::filesystem::temp_directory_path() /
                ("orlu-tools-window-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_Dir);
        std::filesystem::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([this](QDialog& d) {
            m_Shown.push_back(&typeid(d));
            answer(d);
            return d.result();
        });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        const std::filesystem::path file = m_Dir / "logger.orl";
        fixture::FixtureBuilder()
            .ContainerHeader(45)
            .Bytes(fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(10)))
            .WriteTo(file);
        ASSERT_TRUE(m_App->OpenDocumentFile(file.string()));
        m_View = dynamic_cast<CTmView*>(m_App->MainFrame()->ActiveChild()->widget());
        ASSERT_NE(m_View, nullptr);
        Frame().RouteCommand(kBufferLoggerCommand);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        std::filesystem::remove_all(m_Dir);
    }
    CMainFrame& Frame() { return *m_App->MainFrame(); }

    static constexpr int kBufferLoggerCommand = 32783;
    std::filesystem::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    CTmView* m_View = nullptr;
    std::function<void(QDialog&)> answer = [](QDialog& d) { Click(d, "cancel"); };
    std::vector<const std::type_info*> m_Shown;
};

TEST_F(ToolsDialogsWindow, ViewOptionsOfTheTableTakeTheSeparatorChosen)
{
    Frame().RouteCommand(kTableCommand);
    ASSERT_EQ(test::JoinedLines(m_View->State().ShownLines()).find(';'), std::string::npos);
    answer = [](QDialog& d) {
        Child<QComboBox>(d, "separator")->setCurrentIndex(2);
        Click(d, "ok");
    };
    ASSERT_TRUE(Frame().RouteCommand(kViewOptionsCommand));
    ASSERT_EQ(m_Shown.size(), 1u);
    EXPECT_EQ(*m_Shown[0], typeid(CTableFormOptionsDlg));
    EXPECT_NE(test::JoinedLines(m_View->State().ShownLines()).find(';'), std::string::npos);
}

TEST_F(ToolsDialogsWindow, GraphCommandsOpenTheGraphDialogs)
{
    Frame().RouteCommand(kPlotCommand);
    ASSERT_TRUE(m_View->State().GraphShown());
    answer = [](QDialog& d) {
        EXPECT_TRUE(Child<QComboBox>(d, "cursorformat")->isEnabled()); // a time history
        Click(d, "cancel");
    };
    ASSERT_TRUE(Frame().RouteCommand(kViewOptionsMenuCommand));
    answer = [](QDialog& d) { Click(d, "cancel"); };
    Frame().UpdateCommandUi();
    ASSERT_TRUE(Frame().Action(kMoreOptionsCommand)->isEnabled());
    ASSERT_TRUE(Frame().RouteCommand(kMoreOptionsCommand));
    ASSERT_EQ(m_Shown.size(), 2u);
    EXPECT_EQ(*m_Shown[0], typeid(CGraphFormOptionsDlg));
    EXPECT_EQ(*m_Shown[1], typeid(CStepDisplayOptionsDlg));

    // A Tools switch of the graph: the application's autoscaling.
    const std::uint8_t autoScale = m_App->Settings().GraphAutoScale;
    Frame().UpdateCommandUi();
    ASSERT_TRUE(Frame().Action(kGraphAutoScaleCommand)->isEnabled());
    ASSERT_TRUE(Frame().RouteCommand(kGraphAutoScaleCommand));
    EXPECT_NE(m_App->Settings().GraphAutoScale, autoScale);
}

} // namespace
} // namespace orlu::test
