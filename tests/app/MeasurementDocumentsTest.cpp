// The program with its real measurement documents: opening containers and
// DOS files, refused files, the recent files, and the save questions across
// documents at exit.

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "document/CTmDoc.h"
#include "presentation/CommandTable.h"
#include "presentation/MeasurementDocument.h"
#include "support/FixtureBuilder.h"
#include "support/LegacyFixture.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

#include <filesystem>

namespace orlu {
namespace {

namespace fs = std::filesystem;
using fixture::FixtureBuilder;

class MeasurementDocuments : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-measure-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        NewApp();
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    void NewApp()
    {
        m_App.reset();
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetFilePrompts({[this](CTmApp&) { return m_FilesToOpen; }, [this](CTmApp&, int) { return m_Choice; },
                               [this](CTmApp&, const std::string& proposed) {
                                   m_Proposals.push_back(proposed);
                                   return (m_Dir / ("saved" + std::to_string(m_Proposals.size()) + ".orl")).string();
                               }});
        m_App->SetDialogRunner([](QDialog&) { return 0; });
    }

    bool Start(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args{"--ini", (m_Dir / "OrluPC.INI").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return m_App->InitInstance(args);
    }

    std::string Write(const std::string& name, const FixtureBuilder& f)
    {
        fs::path p = m_Dir / name;
        f.WriteTo(p);
        return p.string();
    }
    std::string Container(const std::string& name)
    {
        return Write(name, FixtureBuilder().ContainerHeader(45).Bytes(fixture::SampleCurrentFamilyFile()));
    }
    std::string DosFile(const std::string& name)
    {
        return Write(name, fixture::LegacyDosFile(fixture::PlausibleLegacySpec(), 7));
    }

    CTmDoc& Doc(ManagedDocument* d) { return static_cast<MeasurementDocument*>(d)->Doc(); }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    std::vector<std::string> m_FilesToOpen;
    std::vector<std::string> m_Proposals;
    int m_Choice = 1; ///< open several files separately (1) or merge them (2)
};

TEST_F(MeasurementDocuments, ContainerAndDosFilesOpenThroughTheirTemplates)
{
    std::string orl = Container("meter.orl");
    std::string dos = DosFile("OLD.M");
    ASSERT_TRUE(Start({orl}));
    m_FilesToOpen = {dos, Container("second.ORL")};
    m_App->MainFrame()->RouteCommand(kIdFileOpen);

    DocumentManager& docs = m_App->Documents();
    ASSERT_EQ(docs.Documents(kBinaryDocTemplate).size(), 2u);
    ASSERT_EQ(docs.Documents(kDosBinaryDocTemplate).size(), 1u);
    CTmDoc& first = Doc(docs.Documents(kBinaryDocTemplate)[0]);
    EXPECT_EQ(first.FileKind(), 45);
    EXPECT_EQ(first.Title(), "meter.orl - binary (disk file)");
    EXPECT_EQ(Doc(docs.Documents(kDosBinaryDocTemplate)[0]).FileKind(), 3);
    EXPECT_EQ(m_App->MainFrame()->windowTitle(), "OrluPC - second.ORL - binary (disk file)");
    EXPECT_EQ(docs.RecentFiles().Entries(),
              (std::vector<std::string>{(m_Dir / "second.ORL").string(), dos, orl}));
    EXPECT_TRUE(m_Ui.Messages().empty());
}

TEST_F(MeasurementDocuments, OpenMergesDiskFilesIntoAMultifile)
{
    ASSERT_TRUE(Start());
    FixtureBuilder legacy;
    legacy.ContainerHeader(3).Bytes(fixture::LegacyMeasurementFile(fixture::PlausibleLegacySpec()));
    m_Choice = 2;
    m_FilesToOpen = {Write("RUN10.orl", legacy), Write("RUN2.orl", legacy), DosFile("OLD.M")};
    m_App->MainFrame()->RouteCommand(kIdFileOpen);
    DocumentManager& docs = m_App->Documents();
    ASSERT_EQ(docs.AllDocuments().size(), 1u);
    CTmDoc& merged = Doc(docs.AllDocuments().front());
    EXPECT_EQ(merged.Title(), "Multifile1 - binary (disk files)");
    EXPECT_EQ(merged.FileKind(), 23);
    ASSERT_EQ(merged.SubfileCount(), 3);
    EXPECT_EQ(merged.GetSubfileName(1), "OLD");
    EXPECT_EQ(merged.GetSubfileName(2), "RUN2");
    EXPECT_EQ(merged.GetSubfileName(3), "RUN10");
    EXPECT_EQ(m_Ui.Messages(),
              std::vector<std::string>{"Merge operation completed O.K.\n3 file(s) used\n0 file(s) ignored"});
}

TEST_F(MeasurementDocuments, UnreadableFilesAreReportedAndTheProgramGoesOn)
{
    std::string strange = Write("strange.orl", FixtureBuilder().Text("not a measurement at all"));
    std::string missing = (m_Dir / "missing.orl").string();
    fs::create_directories(m_Dir / "folder.orl");
    ASSERT_TRUE(Start());
    m_FilesToOpen = {missing, (m_Dir / "folder.orl").string(), strange};
    m_App->MainFrame()->RouteCommand(kIdFileOpen);

    // Contents no decoder knows are reported and stay open for the hex dump.
    ASSERT_EQ(m_App->Documents().AllDocuments().size(), 1u);
    EXPECT_EQ(Doc(m_App->Documents().AllDocuments()[0]).FileKind(), 100);
    ASSERT_EQ(m_Ui.Messages().size(), 3u);
    EXPECT_EQ(m_Ui.Messages()[0], missing + "\n\nFile could not be opened !!!");
    EXPECT_NE(m_Ui.Messages()[1].find("folder.orl"), std::string::npos);
    EXPECT_NE(m_Ui.Messages()[2].find("strange.orl"), std::string::npos);
    EXPECT_TRUE(m_App->MainFrame()->isVisible());
}

TEST_F(MeasurementDocuments, MergeChoiceHandsTheFilesToANewDocumentAndClearsTheRequest)
{
    ASSERT_TRUE(Start());
    m_FilesToOpen = {Container("m1.orl"), Container("m2.orl")};
    m_Choice = 2;
    m_App->MainFrame()->RouteCommand(kIdFileOpen);
    // The merge itself is the document's; whatever it made, nothing stays pending.
    const AppContext& context = m_App->Context();
    EXPECT_EQ(context.PendingDocSource, kPendingNone);
    EXPECT_EQ(context.PendingFileKind, 0);
    EXPECT_TRUE(context.DiskFileItems.empty());
    EXPECT_EQ(context.UnsavedDocumentCount, static_cast<int>(m_App->Documents().AllDocuments().size()));
}

TEST_F(MeasurementDocuments, YesForAllSavesEveryNewDocumentWithOnlyTheSaveAsDialogs)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> titles;
    for (int i = 0; i < 3; ++i) {
        ManagedDocument* made = m_App->NewUnitDocument();
        ASSERT_NE(made, nullptr);
        titles.push_back(made->Title());
    }
    EXPECT_EQ(titles[0], "Binary1 - binary (disk file)");
    EXPECT_EQ(m_App->Context().UnsavedDocumentCount, 3);
    m_Ui.ExpectQuestionAll("Save " + titles[0] + "?", QuestionAnswer::YesForAll);

    EXPECT_TRUE(m_App->MainFrame()->close());
    m_Ui.Verify();
    EXPECT_EQ(m_Proposals, (std::vector<std::string>{"Binary1.orl", "Binary2.orl", "Binary3.orl"}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(fs::exists(m_Dir / ("saved" + std::to_string(i) + ".orl"))) << i;
    EXPECT_EQ(m_App->Context().UnsavedDocumentCount, 0);
    EXPECT_FALSE(m_App->Context().CloseAll.ClosingAll);
    EXPECT_FALSE(m_App->Context().CloseAll.YesToAll);
    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
}

TEST_F(MeasurementDocuments, NoForAllClosesTheRestAndCancelStopsTheExit)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> titles;
    for (int i = 0; i < 3; ++i)
        titles.push_back(m_App->NewUnitDocument()->Title());

    // Cancel on the second question: the exit stops, the second and third stay open.
    m_Ui.ExpectQuestionAll("Save " + titles[0] + "?", QuestionAnswer::No);
    m_Ui.ExpectQuestionAll("Save " + titles[1] + "?", QuestionAnswer::Cancel);
    EXPECT_FALSE(m_App->MainFrame()->close());
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 2u);
    EXPECT_FALSE(m_App->Context().CloseAll.ClosingAll);

    // Two left: "No for all" answers for both.
    m_Ui.ExpectQuestionAll("Save " + titles[1] + "?", QuestionAnswer::NoForAll);
    EXPECT_TRUE(m_App->MainFrame()->close());
    m_Ui.Verify();
    EXPECT_TRUE(m_Proposals.empty());
    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
    EXPECT_EQ(m_App->Context().UnsavedDocumentCount, 0);
}

TEST_F(MeasurementDocuments, HiddenDocumentStoresWithoutAQuestionAndAFailedStoreKeepsTheEarlierFile)
{
    ASSERT_TRUE(Start());
    fs::path target = m_Dir / "block.orl";
    FixtureBuilder().Text("earlier").WriteTo(target);
    m_App->SetFilePrompts({nullptr, nullptr, [&](CTmApp&, const std::string& proposed) {
                               m_Proposals.push_back(proposed);
                               return target.string();
                           }});
    // A held block shorter than its record index cannot be stored.
    m_App->Context().HeldBlockImage = {1, 2};
    m_App->Context().HeldRecordCount = 5;
    m_App->Context().HeldFileKind = 50;
    m_App->NewHiddenUnitDocument();

    EXPECT_EQ(m_Proposals, std::vector<std::string>{"BuffSeg.orl"});
    EXPECT_TRUE(m_Ui.Questions().empty());
    EXPECT_EQ(m_Ui.Messages().size(), 1u); // the store failure
    EXPECT_EQ(fixture::ReadFileBytes(target), FixtureBuilder().Text("earlier").Data());
    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
    EXPECT_TRUE(m_App->Documents().RecentFiles().Entries().empty());
}

TEST_F(MeasurementDocuments, ExtractSingleFileOpensTheShownFileInAWindowOfItsOwn)
{
    const auto members = fixture::LegacyMultifileMembers(3);
    ASSERT_TRUE(Start({Write("multi.orl", fixture::Multifile(23, members))}));
    CMainFrame& frame = *m_App->MainFrame();
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(32904)->isEnabled()); // the view opens on the first file
    EXPECT_FALSE(frame.Action(32903)->isEnabled()); // no MONITOR Buffer here
    ASSERT_TRUE(frame.RouteCommand(32904));

    const std::vector<ManagedDocument*> docs = m_App->Documents().Documents(kBinaryDocTemplate);
    ASSERT_EQ(docs.size(), 2u);
    CTmDoc& extracted = Doc(docs[1]);
    EXPECT_EQ(extracted.FileKind(), 3);
    EXPECT_EQ(extracted.ByteCount(), members[0].bytes.size());
    EXPECT_EQ(extracted.Title(), "FILE1 - binary (extracted from Multifile)");
    EXPECT_TRUE(extracted.HoldsUnsavedData());
    EXPECT_EQ(m_App->Context().UnsavedDocumentCount, 1);
    EXPECT_EQ(m_App->Context().PendingDocSource, kPendingNone);
    EXPECT_TRUE(m_Ui.Messages().empty());
    EXPECT_EQ(frame.windowTitle(), "OrluPC - FILE1 - binary (extracted from Multifile)");
    // Closing asks to save it, as any document made from held data does.
    m_Ui.ExpectQuestion("Save FILE1 - binary (extracted from Multifile)?", QuestionAnswer::No);
    EXPECT_TRUE(m_App->Documents().CloseDocument(*docs[1]));
}

} // namespace
} // namespace orlu
