// The remote-control sheet on the offscreen platform: its pages show the
// page models, Load and Save go through setup files, Get and Send through
// the actions, and a page with a refused edit stays in front. Screenshots of
// the three pages are left in the build folder.

#include "AppFixture.h"
#include "app/CControlSheet.h"
#include "link/remote/SetupFile.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedInteraction.h"
#include "support/SetupFileFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <fstream>

namespace orlu {
namespace {

struct Sheet {
    CControlSett working;
    CControlSett committed;
    ScriptedInteraction ui;
    std::string path;
    std::vector<int> sentPages;
    int gets = 0;
    std::unique_ptr<CControlSheet> sheet;

    /// The sheet opens on a record that took the settings of the reply.
    explicit Sheet(const std::string& reply = {}, int band = 1)
    {
        if (!reply.empty())
            working.ParseUnitSettings(reply);
        EXPECT_TRUE(working.Set(Setting::Band, band));
        CControlSheet::Actions actions;
        actions.choosePath = [this](bool) { return path; };
        actions.get = [this](CControlSett& s) {
            ++gets;
            s.ParseUnitSettings("#1,X2,NE4321,W77,G4;");
            return true;
        };
        actions.send = [this](const CControlSett&, int page) { sentPages.push_back(page); };
        sheet = std::make_unique<CControlSheet>(working, committed, ui, true, std::move(actions));
        sheet->resize(sheet->sizeHint());
        sheet->show();
    }
    QComboBox* Combo(int page, int id) { return static_cast<QComboBox*>(sheet->Page(page).Control(id)); }
    QLineEdit* Edit(int page, int id) { return static_cast<QLineEdit*>(sheet->Page(page).Control(id)); }
    QPushButton* Button(const char* id) { return sheet->findChild<QPushButton*>(id); }
};

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

TEST(RemoteControlSheetTest, PagesShowTheirModelsAndScreenshots)
{
    Sheet s("#1,X1,NE1234,W321,g2,m3,f3,e5;", 16);
    const char* names[] = {"general", "meter", "analyzer"};
    for (int page = 0; page < 3; ++page) {
        s.sheet->SetActivePage(page);
        EXPECT_EQ(s.sheet->ActivePage(), page);
        QCoreApplication::processEvents();
        s.sheet->adjustSize();
        EXPECT_TRUE(s.sheet->grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-remote-" + names[page] +
                                                   ".png"));
    }
    EXPECT_EQ(s.Edit(0, 1022)->text(), "1234");
    EXPECT_EQ(s.Combo(0, 1029)->currentText(), "ORLU 505 E / AE");
    EXPECT_FALSE(s.Combo(0, 1027)->isEnabled());
    EXPECT_EQ(s.Combo(1, 1002)->currentText(), "Leq");
    EXPECT_EQ(s.Combo(1, 1013)->currentText(), "C");
    EXPECT_EQ(s.Combo(2, 1010)->currentText(), "45.3 kHz");
    EXPECT_EQ(Items(s.Combo(2, 1012)), (QStringList{"70 dB", "90 dB", "110 dB", "130 dB"}));
    EXPECT_TRUE(s.sheet->ApplyButton()->isEnabled());

    // A choice goes through the model: Direct makes the function Dsl.
    s.sheet->SetActivePage(1);
    s.Combo(1, 1011)->activated(2);
    EXPECT_EQ(Items(s.Combo(1, 1002)), (QStringList{"Dsl", "Dsa"}));
    EXPECT_EQ(s.working.Get(Setting::MetFunction), 6);
    EXPECT_TRUE(s.ui.Messages().empty());
}

TEST(RemoteControlSheetTest, ARefusedEditKeepsThePageInFront)
{
    Sheet s;
    s.sheet->SetActivePage(1);
    QLineEdit* time = s.Edit(1, 1000);
    time->setText("0");
    time->textEdited("0");
    s.sheet->SetActivePage(2);
    EXPECT_EQ(s.sheet->ActivePage(), 1);
    EXPECT_EQ(s.sheet->findChild<QTabWidget*>()->currentIndex(), 1);
    EXPECT_EQ(time->text(), "1");
    EXPECT_EQ(s.ui.Messages(), std::vector<std::string>{"You must type value between 1-59"});
}

TEST(RemoteControlSheetTest, LoadSaveGetAndSend)
{
    test::ScratchFolder folder;
    Sheet s;
    fixture::SetupFileFields fields;
    ASSERT_TRUE(fields.Assign("AnInput", "5"));
    ASSERT_TRUE(fields.Assign("SerialNumber", "808"));
    const std::filesystem::path file = folder.Path() / "in.ocf";
    {
        const std::vector<std::uint8_t> bytes = fixture::SetupFileBytes(fields);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    s.path = file.string();
    s.sheet->SetActivePage(2);
    s.Button("1200")->click();
    EXPECT_EQ(s.Combo(2, 1011)->currentText(), "Accelerometer");
    EXPECT_EQ(s.working.SerialNumber(), "808");
    EXPECT_EQ(s.committed, CControlSett()); // Load changes only the working record

    // Save applies first, and a name without extension gets ".ocf".
    s.path = (folder.Path() / "out").string();
    s.Button("1201")->click();
    EXPECT_EQ(s.committed, s.working);
    CControlSett saved;
    EXPECT_EQ(LoadSetupFile(folder.Path() / "out.ocf", saved), std::nullopt);
    EXPECT_EQ(saved, s.working);

    // A damaged file is refused with its message and changes nothing.
    std::ofstream(folder.Path() / "bad.ocf", std::ios::binary) << "abc";
    s.path = (folder.Path() / "bad.ocf").string();
    const CControlSett before = s.working;
    s.Button("1200")->click();
    EXPECT_EQ(s.working, before);
    ASSERT_EQ(s.ui.Messages().size(), 1u);
    EXPECT_EQ(s.ui.Messages()[0], "The setup file bad.ocf cannot be loaded.\nThe file ends early, at UnitVersion.");

    s.Button("1202")->click();
    EXPECT_EQ(s.gets, 1);
    EXPECT_EQ(s.Combo(2, 1011)->currentText(), "Charge");
    s.Button("1203")->click();
    s.sheet->SetActivePage(0);
    s.Button("1203")->click();
    EXPECT_EQ(s.sentPages, (std::vector<int>{2, 0}));
}

using RemoteControlCommand = test::AppFixture;

TEST_F(RemoteControlCommand, OpensTheSheetForTheOrlu505Only)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    Frame().UpdateCommandUi();
    EXPECT_FALSE(Frame().Action(32849)->isEnabled());
    Frame().RouteCommand(32858); // ORLU 505
    Frame().UpdateCommandUi();
    ASSERT_TRUE(Frame().Action(32849)->isEnabled());
    Frame().RouteCommand(32849);
    EXPECT_EQ(m_DialogsRun, std::vector<QString>{"REMOTE CONTROL"});
}

} // namespace
} // namespace orlu
