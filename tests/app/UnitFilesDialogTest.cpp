// The "ORLU files" command of the program, offscreen, against the simulated
// instrument in the same process: the dialog is driven by its own buttons
// (download, Target path, ASCII download, open, merge), the files land on
// disk or in documents, and a unit that does not answer gets the connection
// error dialog instead of nothing. The view's Upload goes through the same link.

#include "AppFixture.h"
#include "app/CAsciiContentsDlg.h"
#include "app/CChildFrame.h"
#include "app/CTransferProgressDlg.h"
#include "app/CUnitFilesDlg.h"
#include "app/CUploadNameDlg.h"
#include "app/UnitFilesCommand.h"
#include "app/dialogs/CTargetPathDlg.h"
#include "app/views/CTmView.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/MeasurementDocument.h"
#include "presentation/view/ToolsCommands.h"
#include "support/FixtureBuilder.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

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

    /// Runs each dialog with the handler of its kind; a unit-files dialog after the scripted ones is cancelled.
    void Dialogs(std::vector<std::function<void(CUnitFilesDlg&)>> unitFiles, std::function<void(QDialog&)> other = {})
    {
        m_App->SetDialogRunner([this, unitFiles = std::move(unitFiles), other = std::move(other)](QDialog& dialog) {
            m_DialogsRun.push_back(dialog.windowTitle());
            dialog.show();
            if (auto* files = dynamic_cast<CUnitFilesDlg*>(&dialog)) {
                if (m_UnitFilesRuns < unitFiles.size())
                    unitFiles[m_UnitFilesRuns](*files);
                else
                    dialog.findChild<QPushButton*>("cancel")->click();
                ++m_UnitFilesRuns;
            } else if (other) {
                other(dialog);
            } else {
                ADD_FAILURE() << dialog.windowTitle().toStdString();
            }
            return dialog.result();
        });
    }
    static void Select(QDialog& dialog, std::initializer_list<int> rows)
    {
        auto* list = dialog.findChild<QListWidget*>("files");
        list->clearSelection(); // whatever the last run left selected
        for (int row : rows)
            list->item(row)->setSelected(true);
    }
    static void Click(QDialog& dialog, const char* name) { dialog.findChild<QPushButton*>(name)->click(); }

    std::unique_ptr<sim::InstrumentModel> m_Model;
    std::unique_ptr<sim::PtyInstrument> m_Pty;
    std::size_t m_UnitFilesRuns = 0;
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

TEST_F(UnitFilesDialog, TheTargetPathButtonChoosesTheFolderTheDownloadWritesTo)
{
    const std::filesystem::path dl = m_Dir / "dl";
    std::filesystem::create_directories(dl);
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n[Default Paths]\r\nDownloadPath=" + dl.string() + "\r\n");
    ASSERT_TRUE(Start());
    m_App->Settings().SubfolderNaming = 3;
    m_App->Settings().DefaultSubfolderName = "Unit";
    const Bytes data = Pattern(700);
    Instrument("--model 525", {{"ALPHA", 1, 0, data}});
    const std::filesystem::path chosen = dl / "Unit";

    std::string buttonBefore, buttonAfter;
    Dialogs({[&](CUnitFilesDlg& files) {
                auto* target = files.findChild<QPushButton*>("targetPath");
                buttonBefore = target->text().toStdString();
                target->click();
                buttonAfter = target->text().toStdString();
                Select(files, {0});
                EXPECT_TRUE(files.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-unit-files-target.png"));
                Click(files, "download");
            }},
            [](QDialog& dialog) {
                auto* folders = dynamic_cast<CTargetPathDlg*>(&dialog);
                ASSERT_NE(folders, nullptr);
                folders->CreateButton()->click(); // a new folder "Unit", selected
                dialog.accept();
            });
    Frame().RouteCommand(kIdUnitFiles);

    // The button shows a long folder by its first 3 and last 54 characters.
    const auto shown = [](const std::string& p) {
        return p.size() <= 60 ? p : p.substr(0, 3) + "..." + p.substr(p.size() - 54);
    };
    EXPECT_EQ(buttonBefore, shown(dl.string()));
    EXPECT_EQ(buttonAfter, shown(chosen.string()));
    EXPECT_EQ(m_App->Settings().DownloadPath, chosen.string());
    const Bytes stored = fixture::ReadFileBytes(chosen / "ALPHA.orl");
    ASSERT_EQ(stored.size(), 32u + data.size());
    EXPECT_EQ(Bytes(stored.begin() + 32, stored.end()), data);
    EXPECT_FALSE(std::filesystem::exists(dl / "ALPHA.orl"));
    EXPECT_EQ(m_DialogsRun, (std::vector<QString>{"Access  ORLU unit  file(s)", "Select TARGET PATH for Download",
                                                  "Access  ORLU unit  file(s)"}));
}

TEST_F(UnitFilesDialog, TheAsciiButtonAsksTheContentsThenWritesTheTextFiles)
{
    const std::filesystem::path dl = m_Dir / "dl";
    std::filesystem::create_directories(dl);
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n[Default Paths]\r\nDownloadPath=" + dl.string() + "\r\n");
    ASSERT_TRUE(Start());
    Instrument("--model 525", {{"S1", 1, 0, fixture::PlausibleSampleFile()}, {"S2", 1, 0, Pattern(10)}});

    int contentsRuns = 0;
    Dialogs(
        {// Cancel in the contents dialog: the files dialog stays and nothing is written.
         [&](CUnitFilesDlg& files) {
             Select(files, {0});
             Click(files, "ascii");
             EXPECT_TRUE(files.isVisible());
             EXPECT_TRUE(std::filesystem::is_empty(dl));
             Click(files, "ascii");
         }},
        [&](QDialog& dialog) {
            ASSERT_NE(dynamic_cast<CAsciiContentsDlg*>(&dialog), nullptr);
            if (contentsRuns++ == 0) {
                dialog.reject();
                return;
            }
            dialog.findChild<QRadioButton*>("content2")->click(); // main results as a table
            dialog.accept();
        });
    Frame().RouteCommand(kIdUnitFiles);

    EXPECT_EQ(contentsRuns, 2);
    EXPECT_EQ(m_UnitFilesRuns, 2u);
    const std::string text = ReadFileText(dl / "S1.txt");
    EXPECT_NE(text.find("81.5"), std::string::npos) << text;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dl), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Download operation completed O.K.\n1 file(s) stored\n0 file(s) omitted"});
    EXPECT_EQ(m_App->Settings().AsciiFunDefault, 2);
}

/// Watches, on the GUI thread, the progress window a worker's transfer shows.
struct ProgressWatch {
    QTimer timer;
    std::vector<std::string> titles;
    bool allModal = true;
    std::map<std::string, QImage> shots; ///< the first look of each window
    /// Called once, on the first sight of a window of that title.
    std::map<std::string, std::function<void(CTransferProgressDlg&)>> onFirstSight;

    ProgressWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = dynamic_cast<CTransferProgressDlg*>(w);
                if (!dialog || !dialog->isVisible())
                    continue;
                const std::string title = dialog->windowTitle().toStdString();
                if (titles.empty() || titles.back() != title)
                    titles.push_back(title);
                allModal = allModal && dialog->windowModality() == Qt::ApplicationModal;
                if (shots.count(title))
                    continue;
                shots[title] = dialog->grab().toImage();
                if (auto act = onFirstSight.find(title); act != onFirstSight.end())
                    act->second(*dialog);
            }
        });
        timer.start(2);
    }
};

bool Contains(const std::vector<std::string>& titles, const std::string& title)
{
    return std::find(titles.begin(), titles.end(), title) != titles.end();
}

/// Slows every step of a transfer so that its window is surely seen.
void Slow(TransferProgress& progress)
{
    progress.onProgress = [](TransferProgress&, int, int) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    };
}

TEST_F(UnitFilesOpen, TheOpenButtonReadsTheFilesBehindTheProgressWindow)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes file = fixture::SampleCurrentFamilyFile();
    Instrument("--model 525", {{"L0001", 1, 0, file}, {"L0002", 1, 0, file}});
    Slow(m_App->UnitFiles().Progress());
    ProgressWatch watch;
    Dialogs({[&](CUnitFilesDlg& files) {
        Select(files, {0, 1});
        Click(files, "open");
    }});
    Frame().RouteCommand(kIdUnitFiles);

    // The window came while the files were read: the GUI thread was not held by the reading.
    EXPECT_TRUE(Contains(watch.titles, "Reading file from the ORLU unit"));
    EXPECT_TRUE(watch.allModal);
    EXPECT_TRUE(
        watch.shots["Reading file from the ORLU unit"].save(QString(ORLU_BINARY_DIR) + "/orlupc-open-progress.png"));
    EXPECT_EQ(m_UnitFilesRuns, 1u);
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 2u);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Open operation completed O.K.\n2 file(s) opened\n0 file(s) omitted"});
}

std::vector<std::string> SubfileNames(const CTmDoc& doc)
{
    std::vector<std::string> names;
    for (const MultifileEntry& e : doc.Subfiles())
        names.push_back(e.NameText());
    return names;
}

TEST_F(UnitFilesOpen, TheMergeButtonOpensOneMultifileAndComesBackForFilesLeftOut)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes file = fixture::SampleCurrentFamilyFile();
    Instrument("--model 525", {{"RUN10", 1, 0, file}, {"RUN2", 1, 0, file}, {"SET", 0, 2, Pattern(40)}});
    Slow(m_App->UnitFiles().Progress());
    ProgressWatch watch;
    // All three (the setup file is refused), then the two that merge.
    Dialogs({[&](CUnitFilesDlg& files) {
                 Select(files, {0, 1, 2});
                 Click(files, "merge");
             },
             [&](CUnitFilesDlg& files) {
                 Select(files, {0, 1});
                 Click(files, "merge");
             }});
    Frame().RouteCommand(kIdUnitFiles);

    // The file left out brought the dialog back; the clean merge ended the command.
    EXPECT_EQ(m_UnitFilesRuns, 2u);
    EXPECT_TRUE(Contains(watch.titles, "Merging files from the ORLU unit"));
    EXPECT_TRUE(watch.allModal);
    const std::vector<ManagedDocument*> documents = m_App->Documents().AllDocuments();
    ASSERT_EQ(documents.size(), 2u);
    for (ManagedDocument* d : documents) {
        const CTmDoc& doc = static_cast<MeasurementDocument*>(d)->Doc();
        EXPECT_EQ(SubfileNames(doc), (std::vector<std::string>{"RUN2", "RUN10"}));
        EXPECT_EQ(doc.ByteCount(), 2 * file.size());
    }
    EXPECT_EQ(m_Ui.Messages(),
              (std::vector<std::string>{
                  "Only the regular files (excluding 'Buffer'/'Logger')\nof the same structure can be merged!",
                  "Merge operation completed O.K.\n2 file(s) used\n1 file(s) ignored",
                  "Merge operation completed O.K.\n2 file(s) used\n0 file(s) ignored"}));
}

TEST_F(UnitFilesOpen, CancelInTheProgressWindowKeepsTheFileInTransferAndStops)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes file = fixture::SampleCurrentFamilyFile();
    Instrument("--model 525", {{"L0001", 1, 0, file}, {"L0002", 1, 0, file}, {"L0003", 1, 0, file}});
    Slow(m_App->UnitFiles().Progress());
    ProgressWatch watch;
    watch.onFirstSight["Reading file from the ORLU unit"] = [](CTransferProgressDlg& dialog) {
        dialog.findChild<QPushButton*>()->click();
    };
    Dialogs({[&](CUnitFilesDlg& files) {
        Select(files, {0, 1, 2});
        Click(files, "open");
    }});
    Frame().RouteCommand(kIdUnitFiles);

    // On RS-232 the file in transfer completes and opens; the two left stay selected for the next run.
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 1u);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Open operation stopped.\n1 file(s) opened\n2 file(s) omitted"});
    EXPECT_EQ(m_UnitFilesRuns, 2u);
    EXPECT_EQ(m_App->UnitFiles().Directory().GetSelectionFlags(), (Bytes{0, 1, 1}));
}

TEST_F(UnitFilesOpen, AMergeWhoseReplyBreaksOffMakesNoDocument)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes file = fixture::SampleCurrentFamilyFile();
    Instrument("--model 525 --fault stall-after:100@RUN2", {{"RUN1", 1, 0, file}, {"RUN2", 1, 0, file}});
    Dialogs({[&](CUnitFilesDlg& files) {
        Select(files, {0, 1});
        Click(files, "merge");
    }});
    Frame().RouteCommand(kIdUnitFiles);

    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
    EXPECT_EQ(m_Ui.Messages(),
              (std::vector<std::string>{"ORLU unit  -  Unknown mode \nConnection or transmission error !!!",
                                        "Merge operation failed. Sorry!"}));
    // The title number of the document not made is given back.
    EXPECT_EQ(m_App->Context().MultifileTitleCounter, 0);
}

TEST_F(UnitFilesOpen, AnUploadThatEndsBeforeSendingSaysWhyOrNothing)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    const Bytes data = fixture::CurrentMeasurementFile(fixture::PlausibleMeasurementSpec(2, 600));
    const std::filesystem::path path = m_Dir / "meas.orl";
    fixture::FixtureBuilder().ContainerHeader(45).Bytes(data).WriteTo(path);
    ASSERT_NE(m_App->OpenDocumentFile(path.string()), nullptr);
    auto* view = dynamic_cast<CTmView*>(Frame().ActiveChild()->widget());
    ASSERT_NE(view, nullptr);

    // Cancel in the name dialog: nothing sent, nothing said.
    Instrument("--model 525", {{"OLD", 1, 0, Pattern(64)}});
    Dialogs({}, [](QDialog& dialog) { dialog.reject(); });
    view->Execute(kUploadCommand);
    EXPECT_TRUE(m_Ui.Messages().empty());
    EXPECT_EQ(m_Model->Files().size(), 1u);
    EXPECT_EQ(m_DialogsRun, std::vector<QString>{"Choice the name for the file being uploaded to the ORLU unit ..."});

    // A unit that does not answer: the connection error dialog, and no name asked.
    m_Pty.reset();
    m_App->UnitFiles().Directory().ClearEntries();
    Instrument("--model 525 --fault silent", {});
    m_DialogsRun.clear();
    view->Execute(kUploadCommand);
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"ORLU unit  -  Unknown mode \nConnection or transmission error !!!"});
    EXPECT_TRUE(m_DialogsRun.empty());
}

TEST_F(UnitFilesOpen, UploadFromTheViewUnderTheChosenName)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    Instrument("--model 525", {{"OLD", 1, 0, Pattern(64)}});
    const struct {
        std::uint16_t firmware;
        bool enabled;
    } cases[] = {{300, false}, {600, true}};
    for (const auto& c : cases) {
        const Bytes data = fixture::CurrentMeasurementFile(fixture::PlausibleMeasurementSpec(2, c.firmware));
        const std::filesystem::path path = m_Dir / ("meas" + std::to_string(c.firmware) + ".orl");
        fixture::FixtureBuilder().ContainerHeader(45).Bytes(data).WriteTo(path);
        ASSERT_NE(m_App->OpenDocumentFile(path.string()), nullptr);
        auto* view = dynamic_cast<CTmView*>(Frame().ActiveChild()->widget());
        ASSERT_NE(view, nullptr);
        CommandUi state;
        ASSERT_TRUE(view->Update(kUploadCommand, state));
        EXPECT_EQ(state.enabled, c.enabled) << c.firmware;
        if (!c.enabled)
            continue;

        std::string proposed;
        Dialogs({}, [&](QDialog& dialog) {
            ASSERT_NE(dynamic_cast<CUploadNameDlg*>(&dialog), nullptr);
            auto* name = dialog.findChild<QLineEdit*>("name");
            proposed = name->text().toStdString();
            name->clear();
            QTest::keyClicks(name, "run5");
            EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-upload-name.png"));
            dialog.accept();
        });
        Slow(m_App->UnitFiles().Progress());
        ProgressWatch watch;
        EXPECT_TRUE(view->Execute(kUploadCommand));

        EXPECT_EQ(proposed, "MEAS600");
        EXPECT_EQ(m_Ui.Messages(), std::vector<std::string>{"RUN5  -  Upload completed O.K."});
        EXPECT_TRUE(Contains(watch.titles, "Upload to the ORLU unit"));
        EXPECT_TRUE(watch.allModal);
        // The instrument keeps the image with the name in words 1 to 4.
        const CTmDoc& doc = view->Doc();
        const sim::UnitFile* stored = nullptr;
        for (const sim::UnitFile& f : m_Model->Files())
            if (f.name == "RUN5")
                stored = &f;
        ASSERT_NE(stored, nullptr);
        ASSERT_EQ(stored->bytes.size(), doc.ByteCount());
        EXPECT_EQ(Bytes(stored->bytes.begin() + 2, stored->bytes.begin() + 10),
                  (Bytes{'R', 'U', 'N', '5', 0, 0, 0, 0}));
        // The application's one directory knows the new file without reading it again.
        EXPECT_GE(m_App->UnitFiles().Directory().FindEntry("RUN5", doc.Header().function), 0);
    }
}

} // namespace
} // namespace orlu::test
