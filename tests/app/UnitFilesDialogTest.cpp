// The "ORLU files" command of the program, offscreen, against the simulated
// instrument in the same process: the dialog is driven by its own buttons, a
// download lands on disk, and a unit that does not answer gets the
// connection error dialog instead of nothing.

#include "AppFixture.h"
#include "app/CUnitFilesDlg.h"
#include "app/UnitFilesCommand.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/MeasurementDocument.h"
#include "support/FixtureBuilder.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace orlu::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class UnitFilesDialog : public AppFixture {
protected:
    /// The instrument in this process, with its files; the program's link goes to its port.
    void Instrument(const std::string& options, std::vector<sim::UnitFile> files)
    {
        sim::SimOptions o;
        std::string error;
        ASSERT_TRUE(sim::ParseSimOptions(options, o, error)) << error;
        m_Model = std::make_unique<sim::InstrumentModel>(o, std::move(files));
        m_Pty = std::make_unique<sim::PtyInstrument>(*m_Model);
        ASSERT_TRUE(m_Pty->Start());
        UnitLink& link = m_App->UnitFiles().Link();
        link.SetPortOverride(m_Pty->SlavePath());
        link.timing = LinkTiming::Fast();
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        m_Pty.reset();
    }

    std::unique_ptr<sim::InstrumentModel> m_Model;
    std::unique_ptr<sim::PtyInstrument> m_Pty;
};

Bytes Pattern(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + 1);
    return b;
}

TEST_F(UnitFilesDialog, ADownloadByTheDialogsButtons)
{
    const std::filesystem::path dl = m_Dir / "dl";
    std::filesystem::create_directories(dl);
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n[Default Paths]\r\nDownloadPath=" + dl.string() +
             "\r\n[Access ORLU Unit Files Defaults]\r\nDetails=1\r\nSortByNames=1\r\n");
    ASSERT_TRUE(Start());
    const Bytes data = Pattern(3000);
    Instrument("--model 525", {{"ZED", 1, 0, Pattern(10)}, {"ALPHA", 1, 0, data}});

    int runs = 0;
    std::vector<std::string> shown;
    m_App->SetDialogRunner([&](QDialog& dialog) {
        auto* files = dynamic_cast<CUnitFilesDlg*>(&dialog);
        EXPECT_NE(files, nullptr);
        if (!files)
            return 0;
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>("files");
        auto* download = dialog.findChild<QPushButton*>("download");
        if (runs++ > 0) {
            dialog.findChild<QPushButton*>("cancel")->click();
            return dialog.result();
        }
        for (int i = 0; i < list->count(); ++i)
            shown.push_back(list->item(i)->text().toStdString());
        EXPECT_FALSE(download->isEnabled());
        EXPECT_FALSE(dialog.findChild<QPushButton*>("merge")->isEnabled());
        list->item(0)->setSelected(true);
        EXPECT_TRUE(download->isEnabled());
        EXPECT_TRUE(dialog.findChild<QPushButton*>("merge")->isEnabled());
        QImage shot = dialog.grab().toImage();
        EXPECT_FALSE(shot.isNull());
        shot.save(QString(ORLU_BINARY_DIR) + "/orlupc-unit-files.png");
        download->click();
        return dialog.result();
    });
    Frame().RouteCommand(kIdUnitFiles);

    EXPECT_EQ(runs, 2);
    EXPECT_EQ(shown, (std::vector<std::string>{"ALPHA....<l>...3000", "ZED......<l>.....10"}));
    Bytes expected = {'O', 'r', 'l', 'u', 'P', 'C', 0x1A, 0, 32, 0, 45, 0};
    expected.resize(32, 0);
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(fixture::ReadFileBytes(dl / "ALPHA.orl"), expected);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Download operation completed O.K.\n1 file(s) stored\n0 file(s) omitted"});
    // The list's options are kept for the next run and the profile.
    EXPECT_EQ(m_App->Settings().Details, 1);
    EXPECT_EQ(m_App->Settings().SortByNames, 1);
}

/// The program with its own measurement documents and views.
class UnitFilesOpen : public UnitFilesDialog {
protected:
    void SetUp() override
    {
        UnitFilesDialog::SetUp();
        m_App.reset();
        m_App = std::make_unique<CTmApp>(&m_Ui);
    }
};

TEST_F(UnitFilesOpen, ADoubleClickOpensTheFileAsAMeasurementDocument)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes file = fixture::SampleCurrentFamilyFile();
    Instrument("--model 525", {{"L0001", 1, 0, file}});
    int runs = 0;
    m_App->SetDialogRunner([&](QDialog& dialog) {
        ++runs;
        auto* list = dialog.findChild<QListWidget*>("files");
        list->itemDoubleClicked(list->item(0));
        return dialog.result();
    });
    Frame().RouteCommand(kIdUnitFiles);

    // One file opened: no summary, and the dialog does not come back.
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(m_Ui.Messages().empty());
    const std::vector<ManagedDocument*> documents = m_App->Documents().AllDocuments();
    ASSERT_EQ(documents.size(), 1u);
    const CTmDoc& doc = static_cast<MeasurementDocument*>(documents[0])->Doc();
    EXPECT_EQ(doc.Title(), "L0001 - binary (ORLU unit file)");
    EXPECT_EQ(doc.FileKind(), 45);
    EXPECT_EQ(doc.ByteCount(), file.size());
    EXPECT_EQ(m_App->Context().UnsavedDocumentCount, 1);
}

TEST_F(UnitFilesDialog, AUnitThatDoesNotAnswerGetsTheConnectionDialog)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    Instrument("--model 525 --fault silent", {});
    Frame().RouteCommand(kIdUnitFiles);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"ORLU unit  -  Unknown mode \nConnection or transmission error !!!"});
    EXPECT_TRUE(m_DialogsRun.empty());
}

} // namespace
} // namespace orlu::test
