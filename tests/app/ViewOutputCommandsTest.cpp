// What leaves the measurement view through its own commands: Save current
// view of a text form, Edit options with the comma conflict, and the
// spectrum peaks options' enabling.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/PictureCommands.h"
#include "app/dialogs/OptionDialogs.h"
#include "app/views/CTmView.h"
#include "platform/FileIo.h"
#include "presentation/CommandTable.h"
#include "presentation/TextDocument.h"
#include "presentation/pictures/ViewExport.h"
#include "presentation/view/ViewKinds.h"
#include "support/FixtureBuilder.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QComboBox>
#include <gtest/gtest.h>

#include <filesystem>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class ViewOutputCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-viewout-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([this](QDialog& dialog) {
            m_Dialogs.push_back(dialog.windowTitle().toStdString());
            return m_Runner ? m_Runner(dialog) : 0;
        });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        const fs::path file = m_Dir / "sample.orl";
        fixture::FixtureBuilder().ContainerHeader(45).Bytes(fixture::SampleCurrentFamilyFile()).WriteTo(file);
        ASSERT_NE(m_App->OpenDocumentFile(file.string()), nullptr);
        m_View = dynamic_cast<CTmView*>(m_App->MainFrame()->ActiveChild()->widget());
        ASSERT_NE(m_View, nullptr);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    CTmView* m_View = nullptr;
    std::vector<std::string> m_Dialogs;
    std::function<int(QDialog&)> m_Runner;
};

TEST_F(ViewOutputCommands, SaveCurrentViewWritesTheTextFormWithoutAWindow)
{
    ASSERT_TRUE(m_View->State().LinesShown());
    std::vector<SaveAsPrompt> prompts;
    m_App->Pictures().SetSaveAsPrompt([&](const SaveAsPrompt& p) {
        prompts.push_back(p);
        return (m_Dir / "header").string();
    });
    const std::size_t windows = m_App->MainFrame()->ChildFrames().size();
    ASSERT_TRUE(m_View->Execute(32833));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].proposedName, "View.txt");
    EXPECT_EQ(prompts[0].filter, "Text Files (*.txt *.TXT)");
    const auto saved = ReadWholeFile(m_Dir / "header.txt");
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, EncodeFormLines(m_View->State().ShownLines()));
    EXPECT_GT(saved->size(), 10u);
    EXPECT_EQ(m_App->MainFrame()->ChildFrames().size(), windows);
}

TEST_F(ViewOutputCommands, FileNewOpensACopyOfTheLinesInATextWindow)
{
    ASSERT_TRUE(m_View->State().LinesShown());
    CommandUi ui;
    ASSERT_TRUE(m_View->Update(kIdFileNew, ui));
    EXPECT_TRUE(ui.enabled);
    const std::size_t windows = m_App->MainFrame()->ChildFrames().size();
    ASSERT_TRUE(m_View->Execute(kIdFileNew));
    ASSERT_EQ(m_App->MainFrame()->ChildFrames().size(), windows + 1);
    TextDocument* copy = nullptr;
    for (ManagedDocument* document : m_App->Documents().AllDocuments())
        if (auto* text = dynamic_cast<TextDocument*>(document))
            copy = text;
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->Doc().NotFromDisk());
    EXPECT_NE(copy->Doc().Title().find(" - text (TXT view copy)"), std::string::npos) << copy->Doc().Title();
    // The same lines, each ending in CR LF, as the view shows them.
    const LineSource& lines = m_View->State().ShownLines();
    std::string expected, buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        expected += lines.Line(i, buffer);
    ASSERT_GT(expected.size(), 10u);
    EXPECT_EQ(copy->Doc().Bytes(), expected);
    EXPECT_EQ(copy->Doc().Bytes().find('\xB2'), std::string::npos);
}

TEST_F(ViewOutputCommands, EditOptionsComeBackAfterTheCommaConflict)
{
    int runs = 0;
    m_Runner = [&runs](QDialog& dialog) {
        auto* edit = dynamic_cast<CEditOptionsDlg*>(&dialog);
        if (!edit)
            return 0; // the comma message
        auto lists = dialog.findChildren<QComboBox*>();
        lists[1]->setCurrentIndex(1);
        lists[3]->setCurrentIndex(++runs == 1 ? 1 : 2);
        dialog.accept();
        return 1;
    };
    ASSERT_TRUE(m_View->Execute(32860));
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(m_Dialogs.size(), 3u);
    EXPECT_EQ(m_Dialogs[0], "EDIT OPTIONS");
    EXPECT_EQ(m_Dialogs[2], "EDIT OPTIONS");
    EXPECT_EQ(form_flags::Field(m_View->State().FormFlags, form_flags::kClipDecimalShift, 1), 1u);
    EXPECT_EQ(form_flags::Field(m_View->State().FormFlags, form_flags::kClipSeparatorShift, 3), 2u);
    EXPECT_EQ(m_App->Settings().ClipDecyPoint, 1);
    EXPECT_EQ(m_App->Settings().ClipSeparatorChar, 2);
}

TEST_F(ViewOutputCommands, PeakOptionsBelongToTheSpectraView)
{
    CommandUi ui;
    ASSERT_TRUE(m_View->Update(32873, ui));
    EXPECT_FALSE(ui.enabled);
}

} // namespace
} // namespace orlu
