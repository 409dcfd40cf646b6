#include "presentation/DocumentManager.h"

#include "support/ScriptedInteraction.h"
#include "presentation/TestDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class HostLog : public DocumentFrameHost {
public:
    void ShowDocument(ManagedDocument& d, int templateId) override
    {
        shown.push_back(d.Title() + "@" + std::to_string(templateId));
    }
    void ActivateDocument(ManagedDocument& d) override { activated.push_back(d.Title()); }
    void RemoveDocument(ManagedDocument& d) override { removed.push_back(d.Title()); }
    std::vector<std::string> shown, activated, removed;
};

class DocumentManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-docmgr-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_Manager.SetFrameHost(&m_Host);
        for (int id : {kBinaryDocTemplate, kDosBinaryDocTemplate})
            m_Manager.RegisterTemplate(id, [this] { return std::make_unique<test::TestDocument>(m_Log); });
    }
    void TearDown() override { fs::remove_all(m_Dir); }

    std::string MakeFile(const std::string& name, const std::string& bytes = "data")
    {
        fs::path p = m_Dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    test::TestDocumentLog m_Log;
    HostLog m_Host;
    DocumentManager m_Manager{m_Ui};
};

TEST_F(DocumentManagerTest, TemplateByNameWithoutRegardToCase)
{
    struct Case {
        const char* name;
        int templateId;
    };
    for (const Case& c : {Case{"a.orl", 129}, Case{"B.ORL", 129}, Case{"m1.M", 132}, Case{"x.a", 132},
                          Case{"note.dat", 129}, Case{"picture.bmp", 129}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_Manager.TemplateForFile(std::string("/d/") + c.name), c.templateId);
    }
    const DocTemplateInfo* text = FindDocTemplate(kTextDocTemplate);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(TemplateMatchesFile(*text, "r.txt"));
    EXPECT_EQ(FilterPatterns(FindDocTemplate(kDosBinaryDocTemplate)->docString),
              (std::vector<std::string>{"*.M", "*.A"}));
    EXPECT_EQ(OpenDialogFilters().front(), "Binary Files (*.orl *.ORL)");
}

TEST_F(DocumentManagerTest, OpensFilesIntoTheRecentListAndActivatesAnOpenOne)
{
    std::string a = MakeFile("one.orl"), b = MakeFile("two.M");
    ManagedDocument* docA = m_Manager.OpenDocumentFile(a);
    ASSERT_NE(docA, nullptr);
    ASSERT_NE(m_Manager.OpenDocumentFile(b), nullptr);
    EXPECT_EQ(m_Host.shown, (std::vector<std::string>{"one.orl@129", "two.M@132"}));
    EXPECT_EQ(m_Manager.OpenDocumentFile((m_Dir / "." / "one.orl").string()), docA);
    // A name relative to the working folder is kept as a full path.
    MakeFile("three.orl");
    fs::path before = fs::current_path();
    fs::current_path(m_Dir);
    ManagedDocument* relative = m_Manager.OpenDocumentFile("three.orl");
    fs::current_path(before);
    ASSERT_NE(relative, nullptr);
    EXPECT_EQ(relative->PathName(), (m_Dir / "three.orl").string());
    m_Manager.DiscardDocument(*relative);
    m_Manager.RecentFiles().Remove((m_Dir / "three.orl").string());
    EXPECT_EQ(m_Host.activated, (std::vector<std::string>{"one.orl"}));
    EXPECT_EQ(m_Manager.AllDocuments().size(), 2u);
    EXPECT_EQ(m_Manager.RecentFiles().Entries(), (std::vector<std::string>{b, a}));
}

TEST_F(DocumentManagerTest, UnreadableOrRefusedFileIsReportedAndLeavesTheRecentList)
{
    std::string missing = (m_Dir / "gone.orl").string();
    std::string refused = MakeFile("bad.orl", "!");
    m_Manager.RecentFiles().Add(missing);
    m_Manager.RecentFiles().Add(refused);

    EXPECT_EQ(m_Manager.OpenDocumentFile(missing), nullptr);
    ASSERT_EQ(m_Ui.Messages().size(), 1u);
    EXPECT_EQ(m_Ui.Messages()[0], missing + "\n\nFile could not be opened !!!");
    // A named pipe is turned away unopened (an open would wait for a writer), as a folder is.
    const std::string pipe = (m_Dir / "pipe.orl").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(m_Manager.OpenDocumentFile(pipe), nullptr);
    EXPECT_EQ(m_Manager.OpenDocumentFile(m_Dir.string()), nullptr);
    EXPECT_EQ(m_Ui.Messages(), (std::vector<std::string>{missing + "\n\nFile could not be opened !!!",
                                                       pipe + "\n\nFile could not be opened !!!",
                                                       m_Dir.string() + "\n\nFile could not be opened !!!"}));
    // A file the document refuses is reported by the document itself.
    EXPECT_EQ(m_Manager.OpenDocumentFile(refused), nullptr);
    EXPECT_EQ(m_Ui.Messages().size(), 3u);
    EXPECT_TRUE(m_Manager.RecentFiles().Entries().empty());
    EXPECT_TRUE(m_Manager.AllDocuments().empty());
    EXPECT_TRUE(m_Host.shown.empty());
}

TEST_F(DocumentManagerTest, ClosingWalksTemplatesInOrderAndStopsWhenAsked)
{
    auto* n1 = m_Manager.NewDocument(kBinaryDocTemplate, true);
    auto* d1 = m_Manager.NewDocument(kDosBinaryDocTemplate, true);
    auto* n2 = m_Manager.NewDocument(kBinaryDocTemplate, true);
    ASSERT_TRUE(n1 && d1 && n2);
    std::string t1 = n1->Title(), t2 = n2->Title();

    // The first document refuses to close: the walk stops before the second.
    m_Log.saveModifiedAnswers = {false};
    const int order[] = {kBinaryDocTemplate};
    EXPECT_FALSE(m_Manager.CloseDocuments(order));
    EXPECT_EQ(m_Log.asked, (std::vector<std::string>{t1}));
    EXPECT_EQ(m_Manager.AllDocuments().size(), 3u);

    m_Log.asked.clear();
    EXPECT_TRUE(m_Manager.CloseDocuments(order));
    EXPECT_EQ(m_Log.asked, (std::vector<std::string>{t1, t2}));
    EXPECT_EQ(m_Log.closed, (std::vector<std::string>{t1, t2}));
    EXPECT_EQ(m_Manager.AllDocuments(), (std::vector<ManagedDocument*>{d1})); // template 132 not walked
}

TEST_F(DocumentManagerTest, HiddenDocumentsGetNoFrame)
{
    ManagedDocument* hidden = m_Manager.NewDocument(kBinaryDocTemplate, false);
    ASSERT_NE(hidden, nullptr);
    EXPECT_TRUE(m_Host.shown.empty());
    m_Manager.DiscardDocument(*hidden);
    EXPECT_TRUE(m_Host.removed.empty());
    EXPECT_EQ(m_Manager.NewDocument(kTextDocTemplate, true), nullptr); // not registered
}

} // namespace
} // namespace orlu
