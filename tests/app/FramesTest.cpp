#include "AppFixture.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CSplashWindow.h"
#include "presentation/CommandTable.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QDropEvent>
#include <QTest>
#include <QToolBar>

namespace orlu::test {
namespace {

using Frames = AppFixture;

TEST_F(Frames, TitleFollowsTheActiveDocumentAndMenusFollowItsTemplate)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().windowTitle(), "OrluPC");
    auto menuTitles = [&] {
        QStringList titles;
        for (QAction* a : Frame().menuBar()->actions())
            titles << a->text();
        return titles;
    };
    EXPECT_EQ(menuTitles(), (QStringList{"&File", "&Orlu", "&View", "&Help"}));

    std::string one = MakeFile("one.orl"), dos = MakeFile("old.A");
    m_App->OpenDocumentFile(one);
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - one.orl");
    EXPECT_EQ(menuTitles(), (QStringList{"&File", "&Orlu", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
    m_App->OpenDocumentFile(dos);
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - old.A");
    EXPECT_EQ(menuTitles(), (QStringList{"&File", "&Orlu", "&View", "&Help"})); // DOS documents keep the main menu

    Frame().MdiArea()->activatePreviousSubWindow();
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - one.orl");
    Frame().RouteCommand(kIdCloseAll); // walks 129 but not 132
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - old.A");
    m_App->Documents().DiscardDocument(*m_App->Documents().AllDocuments().front());
    EXPECT_EQ(Frame().windowTitle(), "OrluPC");
    EXPECT_TRUE(Frame().ChildFrames().empty());
}

TEST_F(Frames, ChildFramesOpenMaximizedWhenTheToggleIsOn)
{
    ASSERT_TRUE(Start());
    m_App->OpenDocumentFile(MakeFile("a.orl"));
    EXPECT_FALSE(Frame().ActiveChild()->isMaximized());
    Frame().RouteCommand(kIdMaximizedViewWindow);
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().Action(kIdMaximizedViewWindow)->isChecked());
    EXPECT_FALSE(Frame().ActiveChild()->isMaximized()); // only frames activated afterwards
    m_App->OpenDocumentFile(MakeFile("b.orl"));
    EXPECT_TRUE(Frame().ActiveChild()->isMaximized());

    // "Start full screen" only changes the setting.
    bool wasMaximized = Frame().isMaximized();
    Frame().RouteCommand(kIdStartFullScreen);
    EXPECT_EQ(m_App->Settings().ShowMaximized, 1);
    EXPECT_EQ(Frame().isMaximized(), wasMaximized);
}

TEST_F(Frames, ChildFramesOpenAndCascadeOverMostOfTheArea)
{
    ASSERT_TRUE(Start());
    Frame().resize(1280, 800);
    QApplication::processEvents();
    const QRect area(QPoint(0, 0), Frame().MdiArea()->viewport()->size());
    ASSERT_GT(area.height(), 600);
    for (const char* name : {"a.orl", "b.orl", "c.orl"})
        m_App->OpenDocumentFile(MakeFile(name));

    // Each frame covers more than half of the area, inside it, one step down and right of the one before.
    auto expectCascade = [&](const std::vector<QRect>& frames) {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_GT(frames[i].width() * frames[i].height(), area.width() * area.height() / 2);
            EXPECT_TRUE(area.contains(frames[i]));
            if (i > 0) {
                EXPECT_GT(frames[i].top(), frames[i - 1].top());
                EXPECT_GT(frames[i].left(), frames[i - 1].left());
            }
        }
    };
    std::vector<QRect> opened;
    for (CChildFrame* frame : Frame().ChildFrames())
        opened.push_back(frame->geometry());
    expectCascade(opened);

    // Cascade after Tile: the same places, the active frame last and on top.
    Frame().RouteCommand(kIdWindowTile);
    Frame().MdiArea()->setActiveSubWindow(Frame().ChildFrames().front());
    Frame().RouteCommand(kIdWindowCascade);
    std::vector<QRect> cascaded;
    for (QMdiSubWindow* w : Frame().MdiArea()->subWindowList(QMdiArea::StackingOrder))
        cascaded.push_back(w->geometry());
    expectCascade(cascaded);
    EXPECT_EQ(cascaded.back(), Frame().ChildFrames().front()->geometry());
    EXPECT_EQ(Frame().ActiveChild(), Frame().ChildFrames().front());
}

TEST_F(Frames, CommandsAreEnabledByTheirHandlersOnTheRoute)
{
    ASSERT_TRUE(Start());
    Frame().UpdateCommandUi();
    // No document: New, the form and channel buttons, Close and Save have no handler.
    for (int id : {int(kIdFileNew), 32801, 32790, 32789, 32811, 32834, int(kIdFileClose), int(kIdFileSave),
                   int(kIdEditCut), int(kIdWindowSplit)}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Frame().Action(id)->isEnabled());
        EXPECT_FALSE(Frame().Action(id)->isChecked());
    }
    for (int id : {kIdFileOpen, kIdAppAbout, kIdStartSplash, kIdAppExit})
        EXPECT_TRUE(Frame().Action(id)->isEnabled()) << id;
    EXPECT_FALSE(Frame().Action(kIdWindowCascade)->isEnabled());
    EXPECT_TRUE(Frame().Action(kIdViewToolbar)->isChecked());

    Frame().RouteCommand(kIdViewToolbar);
    Frame().UpdateCommandUi();
    EXPECT_FALSE(Frame().ToolBar()->isVisible());
    EXPECT_FALSE(Frame().Action(kIdViewToolbar)->isChecked());

    // A document's own handlers come before the frame's and the application's.
    m_App->OpenDocumentFile(MakeFile("a.orl"));
    int documentSaves = 0;
    Frame().ActiveChild()->Document().OnCommand(kIdFileSave, [&] { ++documentSaves; });
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().Action(kIdFileSave)->isEnabled());
    EXPECT_TRUE(Frame().Action(kIdWindowCascade)->isEnabled());
    Frame().Action(kIdFileSave)->trigger();
    EXPECT_EQ(documentSaves, 1);
    Frame().RouteCommand(kIdWindowNew);
    EXPECT_EQ(Frame().ChildFrames().size(), 2u);
    Frame().RouteCommand(kIdWindowTile);
    EXPECT_FALSE(Frame().ActiveChild()->isMaximized());
}

TEST_F(Frames, ClosingAFrameAsksItsDocumentAndDroppedFilesOpen)
{
    ASSERT_TRUE(Start());
    std::string a = MakeFile("a.orl"), b = MakeFile("b.M");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)), QUrl::fromLocalFile(QString::fromStdString(b))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    ASSERT_EQ(m_App->Documents().AllDocuments().size(), 2u);

    // A second window on the active document (b.M): closing it leaves the document open.
    Frame().RouteCommand(kIdWindowNew);
    ASSERT_EQ(Frame().ChildFrames().size(), 3u);
    auto* dos = static_cast<TestDocument*>(&Frame().ActiveChild()->Document());
    ASSERT_EQ(dos->Title(), "b.M");
    dos->SetModified(true);
    auto framesOf = [&](ManagedDocument* d) {
        std::vector<CChildFrame*> frames;
        for (CChildFrame* f : Frame().ChildFrames())
            if (&f->Document() == d)
                frames.push_back(f);
        return frames;
    };
    framesOf(dos).back()->close();
    QApplication::processEvents();
    EXPECT_EQ(framesOf(dos).size(), 1u);
    EXPECT_TRUE(m_Log.asked.empty());

    // The last window asks the document; a refusal keeps it.
    m_Log.saveModifiedAnswers = {false};
    framesOf(dos).front()->close();
    QApplication::processEvents();
    EXPECT_EQ(m_Log.asked, std::vector<std::string>{"b.M"});
    EXPECT_EQ(framesOf(dos).size(), 1u);
    framesOf(dos).front()->close();
    QApplication::processEvents();
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 1u);
    EXPECT_EQ(Frame().ChildFrames().size(), 1u);
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - a.orl");
}

TEST_F(Frames, SplashShowsAtStartForFiveSecondsAndAPressHidesIt)
{
    WriteIni("[Settings]\nShowSplash=1\n");
    ASSERT_TRUE(Start());
    CSplashWindow* splash = CSplashWindow::SplashWindow();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->Timer().isActive());
    EXPECT_EQ(splash->Timer().interval(), 5000);
    EXPECT_EQ(splash->size(), CSplashWindow::SplashBitmap().size());

    // The click on the About button hides the splash and still runs About.
    QWidget* aboutButton = Frame().ToolBar()->widgetForAction(Frame().Action(kIdAppAbout));
    ASSERT_NE(aboutButton, nullptr);
    QTest::mouseClick(aboutButton, Qt::LeftButton);
    EXPECT_EQ(CSplashWindow::SplashWindow(), nullptr);
    EXPECT_EQ(m_DialogsRun, (std::vector<QString>{"About OrluPC"}));

    // "Start splash" turns the setting off; turning it on again shows the splash at once.
    Frame().RouteCommand(kIdStartSplash);
    EXPECT_EQ(m_App->Settings().ShowSplash, 0);
    EXPECT_EQ(CSplashWindow::SplashWindow(), nullptr);
    Frame().RouteCommand(kIdStartSplash);
    EXPECT_EQ(m_App->Settings().ShowSplash, 1);
    ASSERT_NE(CSplashWindow::SplashWindow(), nullptr);
    // Turned off again while it shows: the splash is left to its timer.
    Frame().RouteCommand(kIdStartSplash);
    EXPECT_EQ(m_App->Settings().ShowSplash, 0);
    ASSERT_NE(CSplashWindow::SplashWindow(), nullptr);
    EXPECT_TRUE(CSplashWindow::SplashWindow()->Timer().isActive());
    QTest::keyClick(&Frame(), Qt::Key_Shift);
    EXPECT_EQ(CSplashWindow::SplashWindow(), nullptr);
}

TEST_F(Frames, NoSplashWhenTheSettingIsOff)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(CSplashWindow::SplashWindow(), nullptr);
}

TEST_F(Frames, AboutBoxAndScreenshotOfTheMainWindow)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About OrluPC");
    auto* version = about.findChild<QLabel*>("versionText");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().startsWith("OrluPC Version "));

    ASSERT_TRUE(Start());
    Frame().resize(900, 600);
    m_App->OpenDocumentFile(MakeFile("Meter 1.orl"));
    m_App->OpenDocumentFile(MakeFile("Old.M"));
    Frame().RouteCommand(kIdWindowTile);
    QApplication::processEvents();
    QImage shot = Frame().grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString(ORLU_BINARY_DIR) + "/orlupc-main-window.png"));
    EXPECT_TRUE(CSplashWindow::SplashBitmap().save(QString(ORLU_BINARY_DIR) + "/orlupc-splash.png"));
}

} // namespace
} // namespace orlu::test
