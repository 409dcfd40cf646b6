// The Orlu menu's settings command in the window: the unit's identify reply
// over a pseudo-terminal becomes a settings document shown with its settings
// form first, the family the reply names becomes the menu's; the mode and
// settings items are offered by family.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/views/CTmView.h"
#include "document/CTmDoc.h"
#include "presentation/CommandTable.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/InstrumentOutputCommands.h"
#include "presentation/MeasurementDocument.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

#include <filesystem>

namespace orlu {
namespace {

namespace fs = std::filesystem;

// The ORLU 505 simulator in ANALYZER mode: its identify reply lists the
// settings between the mode and the serial number.
constexpr std::string_view kReply = "#1,X2,Q1,V1,P1,S1,M1,L1,K1,I2,C1,D2,E1,H1,F1,G1,R1,A1,B0,T0,Y2,Z2,c1,d1,e1,f1,"
                                    "g1,k2,m1,r1,u2,xC1,N1234,W1.05;";

class UnitSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-settings-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([](QDialog&) { return 0; });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        m_App->MainFrame()->resize(900, 650);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    CMainFrame& Frame() { return *m_App->MainFrame(); }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
};

TEST_F(UnitSettingsWindow, TheCommandOpensTheUnitsSettingsAsADocument)
{
    sim::SimOptions options;
    options.model = "505";
    options.mode = 2;
    sim::InstrumentModel model(options);
    sim::PtyInstrument pty(model);
    ASSERT_TRUE(pty.Start());
    SerialLinkSettings& serial = m_App->SerialSettings();

    struct Case {
        int familyCommand;
        const char* title;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {32858, "Settings1 - text (ORLU unit file)", {}},
        // A family other than the one connected: the reply's family is taken.
        {32868, "Settings2 - text (ORLU unit file)", {"Unit type on ORLU menu is changed !"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Frame().RouteCommand(c.familyCommand);
        // The family's constraints may have changed the port; the simulator's line is kept.
        serial.portPaths[static_cast<std::size_t>(serial.current.port)] = pty.SlavePath();
        const std::size_t before = m_App->Documents().Documents(kBinaryDocTemplate).size();
        const std::size_t messagesBefore = m_Ui.Messages().size();
        Frame().UpdateCommandUi();
        ASSERT_TRUE(Frame().Action(kIdUnitSettings)->isEnabled());
        Frame().RouteCommand(kIdUnitSettings);

        std::vector<std::string> messages = m_Ui.Messages();
        messages.erase(messages.begin(), messages.begin() + static_cast<long>(messagesBefore));
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(m_App->Settings().DeviceSelector, 1);
        EXPECT_TRUE(Frame().Action(32858)->isChecked());
        const auto documents = m_App->Documents().Documents(kBinaryDocTemplate);
        ASSERT_EQ(documents.size(), before + 1);
        CTmDoc& doc = static_cast<MeasurementDocument*>(documents.back())->Doc();
        EXPECT_EQ(doc.Title(), c.title);
        EXPECT_EQ(doc.FileKind(), 2);
        std::string text(doc.ByteCount(), '\0');
        for (std::uint32_t i = 0; i < doc.ByteCount(); ++i)
            text[i] = static_cast<char>(ImageGetByte(doc.Image(), i));
        EXPECT_EQ(text, kReply);
        EXPECT_TRUE(doc.HoldsUnsavedData());

        // The window shows the settings five items to a line, the last one up to the end of the reply.
        CChildFrame* child = Frame().ActiveChild();
        ASSERT_NE(child, nullptr);
        auto* view = dynamic_cast<CTmView*>(child->widget());
        ASSERT_NE(view, nullptr);
        const MeasurementViewState& state = view->State();
        ASSERT_EQ(state.Lines.Size(), 7u);
        EXPECT_EQ(LineText(state.Lines[0]), "#1, X2, Q1, V1, P1,");
        EXPECT_EQ(LineText(state.Lines[1]), "S1, M1, L1, K1, I2,");
        EXPECT_EQ(LineText(state.Lines[6]), "u2, xC1, N1234, W1.05;");
        child->resize(500, 300);
        QApplication::processEvents();
        child->grab().save(QString(ORLU_BINARY_DIR) + "/orlupc-unit-settings.png");
    }
}

TEST_F(UnitSettingsWindow, ModeAndSettingsItemsAreOfferedByFamily)
{
    struct Case {
        int familyCommand;
        bool meter, analyzer, settings;
    };
    // ORLU 505, ORLU 525, MONITOR, ORLU 550.
    const Case cases[] = {
        {32858, true, true, true}, {32868, false, false, true}, {32886, false, false, false}, {32901, false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.familyCommand);
        Frame().RouteCommand(c.familyCommand);
        Frame().UpdateCommandUi();
        EXPECT_EQ(Frame().Action(kIdMeterMode)->isEnabled(), c.meter);
        EXPECT_EQ(Frame().Action(kIdAnalyzerMode)->isEnabled(), c.analyzer);
        EXPECT_EQ(Frame().Action(kIdUnitSettings)->isEnabled(), c.settings);
        for (int id : {kIdMeterMode, kIdAnalyzerMode, kIdUnitSettings})
            EXPECT_FALSE(Frame().Action(id)->isChecked()) << id;
    }
}

} // namespace
} // namespace orlu
