// The buffer block commands in the desktop program: deleting the marked
// block from the Tools menu rebuilds the logger's view from the edited
// records and leaves the document modified; a block that would take every
// record is refused with the message, and nothing changes.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/views/CTmView.h"
#include "presentation/view/BufferBlockCommands.h"
#include "support/FixtureBuilder.h"
#include "support/JoinedLines.h"
#include "support/MixedMultifile.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

#include <filesystem>

namespace orlu {
namespace {

namespace fs = std::filesystem;

constexpr int kBufferLoggerCommand = 32783;
constexpr int kTextCommand = 32790;

class BufferBlockWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-block-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([](QDialog&) { return 0; });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    // A three-profile logger of ten records in its Buffer/Logger text form.
    CTmView* OpenLogger()
    {
        return OpenInBufferView(fixture::FixtureBuilder().ContainerHeader(45).Bytes(
            fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(10))));
    }

    CTmView* OpenInBufferView(const fixture::FixtureBuilder& file)
    {
        const fs::path p = m_Dir / "logger.orl";
        file.WriteTo(p);
        if (!m_App->OpenDocumentFile(p.string()))
            return nullptr;
        auto* view = dynamic_cast<CTmView*>(m_App->MainFrame()->ActiveChild()->widget());
        if (!view)
            return nullptr;
        CMainFrame& frame = *m_App->MainFrame();
        frame.RouteCommand(kBufferLoggerCommand);
        frame.RouteCommand(kTextCommand);
        return view;
    }

    static std::string Text(const CTmView& view) { return test::JoinedLines(view.State().ShownLines()); }

    fs::path m_Dir;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
};

TEST_F(BufferBlockWindow, DeleteFromTheMenuRebuildsTheViewAndModifiesTheDocument)
{
    CTmView* view = OpenLogger();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(Text(*view).find("total number of results = 10"), std::string::npos) << Text(*view);
    CMainFrame& frame = *m_App->MainFrame();

    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Action(kDeleteBlockCommand)->isEnabled()); // no block marked yet
    view->State().MarkState = 2;
    view->State().MarkedRange = {1, 3};
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(kDeleteBlockCommand)->isEnabled());

    ASSERT_TRUE(frame.RouteCommand(kDeleteBlockCommand));
    const std::string text = Text(*view);
    EXPECT_NE(text.find("total number of results = 7"), std::string::npos) << text;
    EXPECT_TRUE(view->Doc().IsModified());
    EXPECT_EQ(view->Doc().GetRecordIndex(), (std::vector<std::uint32_t>{1, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(view->State().MarkState, 0);
    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Action(kDeleteBlockCommand)->isEnabled()); // the markers went with the records
}

TEST_F(BufferBlockWindow, DeletingEveryRecordIsRefusedWithTheMessage)
{
    CTmView* view = OpenLogger();
    ASSERT_NE(view, nullptr);
    const std::string before = Text(*view);
    view->State().MarkState = 2;
    view->State().MarkedRange = {0, 9};
    ASSERT_TRUE(m_App->MainFrame()->RouteCommand(kDeleteBlockCommand));

    ASSERT_FALSE(m_Ui.Messages().empty());
    EXPECT_EQ(m_Ui.Messages().back(), std::string(kCannotDeleteAll));
    EXPECT_FALSE(view->Doc().IsModified());
    EXPECT_EQ(view->Doc().EditableRecordCount(), 10u);
    EXPECT_EQ(Text(*view), before);
    EXPECT_EQ(view->State().MarkState, 2);
}

TEST_F(BufferBlockWindow, AMultifileShowsItsFilesLoggerButKeepsItsRecords)
{
    // A sound file without a logger, then one with a logger of seven rows.
    fixture::MemberSpec logger{"level", 525, 300};
    logger.loggerRows = 7;
    const fixture::MemberSpec members[] = {{"level", 525, 300}, logger};
    CTmView* view = OpenInBufferView(fixture::Multifile(55, fixture::MixedMultifileMembers(members)));
    ASSERT_NE(view, nullptr);
    const std::string text = Text(*view);
    EXPECT_NE(text.find("Buffer contents (file: FILE2)"), std::string::npos) << text;
    EXPECT_NE(text.find("total number of results = 7"), std::string::npos) << text;

    view->State().MarkState = 2;
    view->State().MarkedRange = {1, 3};
    CMainFrame& frame = *m_App->MainFrame();
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(kRemoveBlockMarkersCommand)->isEnabled());
    for (int id : {kDeleteBlockCommand, kDeleteOutsideBlockCommand, kSaveBlockCommand})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    frame.RouteCommand(kDeleteBlockCommand);
    EXPECT_FALSE(view->Doc().IsModified());
    EXPECT_EQ(Text(*view), text);
}

} // namespace
} // namespace orlu
