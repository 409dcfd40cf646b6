// The spectra functions and block operation dialogs on screen: the widgets
// follow their models' rules click by click, Esc and Cancel end them as the
// view expects, and in the window the view's controllers open them through
// the program's dialog runner.

#include "AppFixture.h"
#include "app/CChildFrame.h"
#include "app/dialogs/CBlockOperationsDlg.h"
#include "app/dialogs/CDrawInBlockDlg.h"
#include "app/dialogs/CSpectraFunctionsDlg.h"
#include "app/views/CTmView.h"
#include "app/views/QtViewDialogs.h"
#include "presentation/view/BufferBlockCommands.h"
#include "presentation/view/ViewController.h"
#include "support/FixtureBuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <deque>
#include <functional>

namespace orlu::test {
namespace {

QPushButton* Button(const QDialog& dialog, const QString& name)
{
    auto* button = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name.toStdString();
    return button;
}

QPushButton* BoxButton(const QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

void SaveShot(QWidget& widget, const char* name)
{
    widget.resize(widget.sizeHint());
    EXPECT_TRUE(widget.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/" + name));
}

SpectraFunctionsModel OpenedSpectra(std::uint16_t channels, std::uint8_t timeSamples, std::uint16_t a = 1,
                                    std::uint16_t b = 2)
{
    SpectraFunctionsModel m;
    m.ChannelCount = channels;
    m.TimeSamples = timeSamples;
    m.DlgChannelA = a;
    m.DlgChannelB = b;
    m.Open();
    return m;
}

using ViewDialogs = AppFixture;

TEST_F(ViewDialogs, SpectraFunctionsOfferOnlyWhatTheChannelsAndSpectraAllow)
{
    struct Case {
        std::uint16_t channels;
        std::uint8_t timeSamples;
        std::uint16_t functions;  ///< bit f - 1: function f enabled
        std::uint8_t channelsA;   ///< bit k - 1: A button k enabled
        std::uint8_t channelsB;
        bool pairBox;
    };
    const Case cases[] = {
        {1, 1, 0b0000000101, 0b00000, 0b00000, false}, // one channel: spectrum and autospectrum A
        {1, 0, 0b0000000001, 0b00000, 0b00000, false},
        {3, 0, 0b0000000001, 0b00111, 0b00000, false}, // no time samples: no function of a pair
        {3, 1, 0b1111111111, 0b00111, 0b00111, true},
        {5, 1, 0b1111111111, 0b11111, 0b11111, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, time samples " << int(c.timeSamples));
        SpectraFunctionsModel model = OpenedSpectra(c.channels, c.timeSamples);
        CSpectraFunctionsDlg dialog(model);
        for (int f = 1; f <= 10; ++f)
            EXPECT_EQ(Button(dialog, QString("function%1").arg(f))->isEnabled(), ((c.functions >> (f - 1)) & 1) != 0)
                << f;
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(Button(dialog, QString("channelA%1").arg(k))->isEnabled(), ((c.channelsA >> (k - 1)) & 1) != 0)
                << k;
            EXPECT_EQ(Button(dialog, QString("channelB%1").arg(k))->isEnabled(), ((c.channelsB >> (k - 1)) & 1) != 0)
                << k;
        }
        EXPECT_EQ(dialog.findChild<QCheckBox*>("oneSpectrum")->isEnabled(), c.pairBox);
        for (int form = 0; form < 4; ++form)
            EXPECT_EQ(dialog.findChild<QRadioButton*>(QString("form%1").arg(form))->isEnabled(), c.timeSamples != 0);
    }
}

TEST_F(ViewDialogs, SpectraFunctionsPairWithOneChannelFallsBackToTheSpectrum)
{
    SpectraFunctionsModel model = OpenedSpectra(4, 1, 1, 2);
    CSpectraFunctionsDlg dialog(model);
    dialog.show();
    Button(dialog, "function5")->click();
    EXPECT_TRUE(Button(dialog, "function5")->isChecked());
    EXPECT_FALSE(Button(dialog, "function1")->isChecked());
    dialog.findChild<QRadioButton*>("form1")->click();
    SaveShot(dialog, "orlupc-dialog-231.png");

    Button(dialog, "channelB1")->click(); // A = B = 1
    EXPECT_TRUE(Button(dialog, "channelB1")->isChecked());
    EXPECT_FALSE(Button(dialog, "channelB2")->isChecked());
    EXPECT_TRUE(Button(dialog, "function1")->isChecked());
    EXPECT_FALSE(Button(dialog, "function5")->isChecked());
    EXPECT_FALSE(Button(dialog, "function5")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("form1")->isChecked());
    EXPECT_FALSE(dialog.findChild<QRadioButton*>("form0")->isChecked());

    BoxButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(model.Ended);
    EXPECT_EQ(model.DlgFunction, 1);
    EXPECT_EQ(model.DlgForm, 1);
    EXPECT_EQ(model.DlgChannelB, 1);
}

TEST_F(ViewDialogs, SpectraFunctionsAcceptAtOnceClosesWithTheFunctionEscCancels)
{
    SpectraFunctionsModel model = OpenedSpectra(2, 1, 1, 2);
    CSpectraFunctionsDlg dialog(model);
    dialog.show();
    dialog.findChild<QCheckBox*>("acceptAtOnce")->click();
    EXPECT_EQ(model.AcceptAtOnce, 1);
    EXPECT_TRUE(dialog.isVisible());
    Button(dialog, "function4")->click(); // autospectrum of channel B alone
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.DlgFunction, 4);
    EXPECT_EQ(model.DlgChannelMask, 0b10);

    SpectraFunctionsModel cancelled = OpenedSpectra(2, 1, 1, 2);
    CSpectraFunctionsDlg second(cancelled);
    second.show();
    second.findChild<QCheckBox*>("acceptAtOnce")->click();
    QTest::keyClick(&second, Qt::Key_Escape);
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(cancelled.DlgFunction, 0);
    EXPECT_EQ(cancelled.AcceptAtOnce, 1); // the setting survives Cancel
}

TEST_F(ViewDialogs, SpectraFunctionsSeveralChannelsNarrowToTheLowestWhenLeft)
{
    SpectraFunctionsModel model;
    model.ChannelCount = 5;
    model.TimeSamples = 1;
    model.OneSpectrumOnly = 1;
    model.DlgChannelMask = 0b00100;
    model.DlgFunction = 5; // not a one-spectrum function: the exchange makes it the spectrum
    model.Open();
    CSpectraFunctionsDlg dialog(model);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("oneSpectrum")->isChecked());
    EXPECT_TRUE(Button(dialog, "function1")->isChecked());
    EXPECT_FALSE(Button(dialog, "channelB2")->isEnabled()); // several channels: no B
    Button(dialog, "channelA4")->click();
    Button(dialog, "channelA2")->click();
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(Button(dialog, QString("channelA%1").arg(k))->isChecked(), k == 2 || k == 3 || k == 4) << k;
    Button(dialog, "channelA3")->click(); // off again
    EXPECT_FALSE(Button(dialog, "channelA3")->isChecked());

    dialog.findChild<QCheckBox*>("oneSpectrum")->click();
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(Button(dialog, QString("channelA%1").arg(k))->isChecked(), k == 2) << k;
    EXPECT_EQ(model.DlgChannelMask, 0b00010);
    EXPECT_EQ(model.DlgChannelA, 2);
    EXPECT_TRUE(Button(dialog, "channelB2")->isEnabled());
}

BlockOperationsModel OpenedBlock(bool editable, std::int32_t showNow)
{
    BlockOperationsModel m;
    m.m_DeleteEnabled = m.m_DeleteOutsideEnabled = m.m_SaveEnabled = editable ? 1 : 0;
    m.m_RmsSelShown = 1;
    m.m_DrawOffered = {0, 1, 1, 1};
    m.m_DrawChosen = {1, 1, 0, 1};
    m.m_ShowNowCheck = showNow;
    m.Open();
    return m;
}

TEST_F(ViewDialogs, BlockOperationsEndWithTheActionAndReadTheBoxEscKeepsIt)
{
    struct Case {
        bool editable;
        std::uint8_t action;
        int result; ///< the model's action after the click; 0: the dialog stays
    };
    const Case cases[] = {
        {true, kBlockRemoveMarkers, kBlockRemoveMarkers}, {true, kBlockDelete, kBlockDelete},
        {true, kBlockDeleteOutside, kBlockDeleteOutside}, {true, kBlockDoNothing, kBlockDoNothing},
        {true, kBlockSave, kBlockSave},                   {false, kBlockDelete, 0},
        {false, kBlockDeleteOutside, 0},                  {false, kBlockSave, 0},
        {false, kBlockDoNothing, kBlockDoNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << int(c.action) << (c.editable ? "" : " of a Multifile"));
        BlockOperationsModel model = OpenedBlock(c.editable, 0);
        CBlockOperationsDlg dialog(model);
        dialog.show();
        for (std::uint8_t a = kBlockRemoveMarkers; a <= kBlockDraw; ++a)
            EXPECT_EQ(dialog.ActionButton(a)->isEnabled(),
                      c.editable || !(a == kBlockDelete || a == kBlockDeleteOutside || a == kBlockSave))
                << int(a);
        dialog.findChild<QCheckBox*>("showNow")->click();
        dialog.ActionButton(c.action)->click();
        EXPECT_EQ(dialog.isVisible(), c.result == 0);
        EXPECT_EQ(model.m_Action, c.result);
        EXPECT_EQ(model.m_ShowNowCheck, c.result ? 1 : 0);
        if (c.result) {
            EXPECT_EQ(dialog.result(), c.result);
        }
    }

    BlockOperationsModel model = OpenedBlock(true, 1);
    CBlockOperationsDlg dialog(model);
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("showNow")->isChecked());
    SaveShot(dialog, "orlupc-dialog-264.png");
    dialog.findChild<QCheckBox*>("showNow")->click();
    QTest::keyClick(&dialog, Qt::Key_Return); // no button answers Enter
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(model.m_Action, kBlockNoAction);
    EXPECT_EQ(model.m_ShowNowCheck, 1); // the unticked box is not read
}

TEST_F(ViewDialogs, DrawInBlockCancelledReturnsToTheBlockDialogConfirmedEndsIt)
{
    BlockOperationsModel model = OpenedBlock(true, 0);
    std::deque<std::function<int(CDrawInBlockDlg&)>> answers;
    answers.push_back([](CDrawInBlockDlg& draw) {
        draw.findChild<QCheckBox*>("draw2")->click();
        BoxButton(draw, QDialogButtonBox::Cancel)->click();
        return draw.result();
    });
    answers.push_back([](CDrawInBlockDlg& draw) {
        auto box = [&draw](int i) { return draw.findChild<QCheckBox*>(QString("draw%1").arg(i)); };
        // RMS / LEQ is not offered: disabled and unticked though it was chosen before.
        EXPECT_FALSE(box(0)->isEnabled());
        EXPECT_FALSE(box(0)->isChecked());
        EXPECT_TRUE(box(1)->isChecked());
        EXPECT_FALSE(box(2)->isChecked()); // the Cancel before left nothing behind
        EXPECT_TRUE(box(3)->isChecked());
        box(2)->click();
        box(3)->click();
        SaveShot(draw, "orlupc-dialog-266.png");
        BoxButton(draw, QDialogButtonBox::Ok)->click();
        return draw.result();
    });
    int runs = 0;
    CBlockOperationsDlg dialog(model, [&](QDialog& d) {
        ++runs;
        auto* draw = qobject_cast<CDrawInBlockDlg*>(&d);
        EXPECT_NE(draw, nullptr);
        if (!draw || answers.empty())
            return 0;
        draw->show();
        const int result = answers.front()(*draw);
        answers.pop_front();
        return result;
    });
    dialog.show();
    dialog.ActionButton(kBlockDraw)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(model.m_Action, kBlockNoAction);
    EXPECT_EQ(model.m_DrawChosen, (DrawSwitches{1, 1, 0, 1}));

    dialog.ActionButton(kBlockDraw)->click();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), kBlockDraw);
    EXPECT_EQ(model.m_Action, kBlockDraw);
    EXPECT_EQ(model.m_DrawChosen, (DrawSwitches{0, 1, 1, 0}));
}

TEST_F(ViewDialogs, DrawInBlockWithoutRmsAndSelHidesThem)
{
    DrawInBlockModel model;
    model.m_DrawEnabled = {0, 0, 1, 0};
    CDrawInBlockDlg dialog(model);
    dialog.show();
    for (int i = 0; i < 4; ++i) {
        auto* box = dialog.findChild<QCheckBox*>(QString("draw%1").arg(i));
        EXPECT_EQ(box->isVisible(), i == 1 || i == 2) << i;
        // Without those boxes the enable states are left as made: Lmax can be clicked though not offered.
        if (i == 1 || i == 2) {
            EXPECT_TRUE(box->isEnabled()) << i;
        }
    }
    dialog.findChild<QCheckBox*>("draw1")->click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(model.m_Accepted, 0);
    EXPECT_EQ(model.m_DrawChecks, (DrawSwitches{0, 1, 0, 0}));
}

// The program with measurement documents, whose dialog runner answers each
// dialog with the next scripted click sequence.
class ViewDialogsWindow : public ::testing::Test {
protected:
    using Answer = std::function<void(QDialog&)>;

    void SetUp() override
    {
        m_Dir = std::filesystem::temp_directory_path() /
                ("orlu-view-dialogs-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_Dir);
        std::filesystem::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([this](QDialog& dialog) {
            m_Titles.push_back(dialog.windowTitle());
            if (m_Answers.empty())
                return 0;
            Answer answer = std::move(m_Answers.front());
            m_Answers.pop_front();
            dialog.show();
            answer(dialog);
            return dialog.result();
        });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        std::filesystem::remove_all(m_Dir);
        EXPECT_TRUE(m_Answers.empty()) << "answers left for dialogs that never opened";
    }

    // A logger of ten records, its Buffer/Logger graph ready for the cursor.
    CTmView* OpenLoggerGraph()
    {
        const std::filesystem::path p = m_Dir / "logger.orl";
        fixture::FixtureBuilder().ContainerHeader(45).Bytes(
            fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(10))).WriteTo(p);
        if (!m_App->OpenDocumentFile(p.string()))
            return nullptr;
        auto* view = dynamic_cast<CTmView*>(m_App->MainFrame()->ActiveChild()->widget());
        if (!view || !m_App->MainFrame()->RouteCommand(32783)) // Buffer/Logger
            return nullptr;
        MeasurementViewState& s = view->State();
        s.FormKind = kFormGraph;
        view->Builder().UpdateForm(s, view->Doc());
        s.FormFlags = (s.FormFlags & ~form_flags::kFormBits) | form_flags::kGraph;
        s.Graph.PointCount = 10;
        s.Graph.WindowSize = 10;
        return view;
    }

    std::unique_ptr<ViewController> ControllerOf(CTmView& view)
    {
        return std::make_unique<ViewController>(view.State(), view.Doc(), view.Builder(), m_App->Settings(),
                                                view.Dialogs());
    }

    static void MarkBetween(ViewController& c, int first, int last)
    {
        for (int at : {first, last}) {
            c.Key(ViewKey::Home, {false, true, false});
            for (int i = 0; i < at; ++i)
                c.Key(ViewKey::Right, {});
            c.Key(ViewKey::Enter, {});
        }
    }

    static void Click(QDialog& dialog, const char* name) { Button(dialog, name)->click(); }

    std::filesystem::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    std::deque<Answer> m_Answers;
    std::vector<QString> m_Titles;
};

TEST_F(ViewDialogsWindow, EnterOnAMarkedBlockOpensTheBlockDialogDeletingAllIsRefused)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    auto controller = ControllerOf(*view);
    MarkBetween(*controller, 0, 9);
    ASSERT_EQ(view->State().MarkState, 2);
    EXPECT_TRUE(m_Titles.empty()); // "show this immidietly" is off

    // Draw in the block, cancelled there, then Delete the block from the same dialog.
    m_Answers.push_back([](QDialog& d) {
        Click(d, "action6");
        EXPECT_TRUE(d.isVisible()) << "Cancel in Draw in the block ended the block dialog";
        Click(d, "action2");
    });
    m_Answers.push_back([](QDialog& d) { BoxButton(d, QDialogButtonBox::Cancel)->click(); });
    controller->Key(ViewKey::Enter, {});
    EXPECT_EQ(m_Titles, (std::vector<QString>{"Buffer block operations", "Draw in the block"}));
    ASSERT_FALSE(m_Ui.Messages().empty());
    EXPECT_EQ(m_Ui.Messages().back(), std::string(kCannotDeleteAll));
    EXPECT_EQ(view->Doc().EditableRecordCount(), 10u);
    EXPECT_EQ(view->State().MarkState, 2);

    // Esc: action 0, the block and the setting stay; the box ticked before Esc is not kept.
    m_Answers.push_back([](QDialog& d) {
        d.findChild<QCheckBox*>("showNow")->click();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    controller->Key(ViewKey::Enter, {});
    EXPECT_EQ(view->State().MarkState, 2);
    EXPECT_EQ(m_App->Settings().ImmShowBO, 0);
    EXPECT_EQ(view->Doc().EditableRecordCount(), 10u);

    // Remove block marker(s) with the box ticked: the setting is taken and the block goes.
    m_Answers.push_back([](QDialog& d) {
        d.findChild<QCheckBox*>("showNow")->click();
        Click(d, "action1");
    });
    controller->Key(ViewKey::Enter, {});
    EXPECT_EQ(view->State().MarkState, 0);
    EXPECT_EQ(m_App->Settings().ImmShowBO, 1);
}

TEST_F(ViewDialogsWindow, DeletingOutsideDownToOneRecordShowsItsText)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    auto controller = ControllerOf(*view);
    MarkBetween(*controller, 4, 4);
    m_Answers.push_back([](QDialog& d) { Click(d, "action3"); });
    controller->Key(ViewKey::Enter, {});
    EXPECT_EQ(view->Doc().EditableRecordCount(), 1u);
    EXPECT_TRUE(view->State().TextShown());
    EXPECT_TRUE(view->Doc().IsModified());
}

TEST_F(ViewDialogsWindow, TheSpectraFunctionsCommandOpensTheDialogOfTheSpectraView)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = *m_App->MainFrame();
    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Action(kSpectraFunctionsCommand)->isEnabled());

    constexpr std::uint8_t kNotBuilt = 77; // no view kind: a build writes its own
    MeasurementViewState& s = view->State();
    s.ViewKind = kViewSpectra;
    s.Spectra.Function = 1;
    s.Spectra.ChannelA = 1;
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(kSpectraFunctionsCommand)->isEnabled());

    // No spectra from time samples: the spectrum alone. Cancel keeps the view but the setting.
    m_Answers.push_back([](QDialog& d) {
        for (int f = 2; f <= 10; ++f)
            EXPECT_FALSE(Button(d, QString("function%1").arg(f))->isEnabled()) << f;
        d.findChild<QCheckBox*>("acceptAtOnce")->click();
        BoxButton(d, QDialogButtonBox::Cancel)->click();
    });
    s.ShownViewKind = kNotBuilt;
    ASSERT_TRUE(frame.RouteCommand(kSpectraFunctionsCommand));
    EXPECT_EQ(m_Titles.back(), "SPECTRA FUNCTIONS");
    EXPECT_EQ(m_App->Settings().Imm2SpFunAccept, 1);
    EXPECT_EQ(s.ShownViewKind, kNotBuilt);

    // With the setting on, one click on the spectrum closes the dialog and the view is built again.
    m_Answers.push_back([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QCheckBox*>("acceptAtOnce")->isChecked());
        Click(d, "function1");
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(frame.RouteCommand(kSpectraFunctionsCommand));
    EXPECT_EQ(s.Spectra.Function, 1);
    EXPECT_EQ(s.ChannelNumber, 1);
    EXPECT_EQ(s.ShownViewKind, kViewSpectra); // the form was built again

    // A dialog the runner leaves open counts as Cancel.
    m_Answers.push_back([](QDialog&) {});
    s.ShownViewKind = kNotBuilt;
    s.Spectra.Function = 3;
    ASSERT_TRUE(frame.RouteCommand(kSpectraFunctionsCommand));
    EXPECT_EQ(s.ShownViewKind, kNotBuilt);
    EXPECT_EQ(s.Spectra.Function, 3);
}

TEST_F(ViewDialogsWindow, TheChannelsOfATableComeFromItsDialogOkOnly)
{
    CTmView* view = OpenLoggerGraph();
    ASSERT_NE(view, nullptr);
    QtViewDialogs dialogs(view->Doc(), view, [this](QDialog& d) { return m_App->RunDialog(d); });
    m_Answers.push_back([](QDialog& d) {
        EXPECT_TRUE(Button(d, "channel1")->isChecked());
        EXPECT_FALSE(Button(d, "channel2")->isEnabled()); // not offered
        BoxButton(d, QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(dialogs.RunTableChannels(0b00001, 0b00001), std::optional<std::uint16_t>(0b00001));
    EXPECT_EQ(m_Titles.back(), "Channels for Table View");
    m_Answers.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.RunTableChannels(0b00001, 0b00001), std::nullopt);
}

} // namespace
} // namespace orlu::test
