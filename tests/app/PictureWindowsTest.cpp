// The picture documents in the program's windows, their views, and the
// pitch and folder dialogs. Screenshots land in the build folder
// (orlupc-*.png) for a person to look at.

#include "AppFixture.h"

#include "app/PictureCommands.h"
#include "app/CChildFrame.h"
#include "app/dialogs/CPitchZoomDefaultsDlg.h"
#include "app/dialogs/CTargetPathDlg.h"
#include "app/views/PictureViews.h"
#include "presentation/CommandTable.h"
#include "platform/canvas/EmfWriter.h"
#include "support/BmpFixture.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QPushButton>
#include <QTreeWidget>

namespace orlu::test {
namespace {

namespace fs = std::filesystem;

std::string Shot(const char* name) { return std::string(ORLU_BINARY_DIR) + "/orlupc-" + name + ".png"; }

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

class PictureWindows : public AppFixture {
protected:
    template <class View>
    View* ViewOf(ManagedDocument* document)
    {
        for (CChildFrame* child : Frame().ChildFrames())
            if (&child->Document() == document)
                return dynamic_cast<View*>(child->widget());
        return nullptr;
    }
    // Runs the next dialog with the action instead of the scripted runner.
    void RunNextDialog(std::function<int(QDialog&)> action)
    {
        m_App->SetDialogRunner([this, action](QDialog& dialog) {
            m_DialogsRun.push_back(dialog.windowTitle());
            dialog.show();
            return action(dialog);
        });
    }
};

TEST_F(PictureWindows, BitmapsOpenInAScrollingViewAndFileNewCopiesThem)
{
    ASSERT_TRUE(Start());
    const std::string path = MakeFile("tall.BMP", Bytes(fixture::BuildBmp({.width = 300, .height = 1000})));
    ManagedDocument* doc = m_App->OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Title(), "tall.BMP - graph (disk file)");
    auto* view = ViewOf<CTmView4>(doc);
    ASSERT_NE(view, nullptr);
    view->resize(400, 400);
    view->show();
    QApplication::processEvents();
    EXPECT_TRUE(view->grab().toImage().save(QString::fromStdString(Shot("bitmap-view"))));
    EXPECT_EQ(view->Scroller().ClientHeight(), view->viewport()->height());
    // The scroll bar's end is the picture's last row at the window's bottom.
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    EXPECT_EQ(view->Scroller().OffsetY(), view->viewport()->height() - 1000);
    view->verticalScrollBar()->setValue(0);
    EXPECT_EQ(view->Scroller().OffsetY(), 0);

    view->Execute(kIdFileNew);
    ASSERT_EQ(m_App->Documents().Documents(kBitmapDocTemplate).size(), 2u);
    ManagedDocument* copy = m_App->Documents().Documents(kBitmapDocTemplate)[1];
    EXPECT_EQ(copy->Title(), "View1 - graph (BMP view copy)");
    EXPECT_EQ(static_cast<BitmapDocument*>(copy)->Picture(), static_cast<BitmapDocument*>(doc)->Picture());
    EXPECT_FALSE(m_App->Pictures().HandOver().bitmap);
}

TEST_F(PictureWindows, AMetafileIsStretchedIntoMostOfTheWindow)
{
    ASSERT_TRUE(Start());
    // A metafile of one filled rectangle over its whole picture.
    EmfWriter writer;
    writer.FillRect(0, 0, 100, 50, Rgb{0, 0, 255});
    const std::string path = MakeFile("box.emf", Bytes(writer.Bytes()));
    ManagedDocument* doc = m_App->OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    auto* view = ViewOf<CTmView2>(doc);
    ASSERT_NE(view, nullptr);
    view->resize(800, 600);
    const QImage picture = view->Picture();
    EXPECT_TRUE(picture.save(QString::fromStdString(Shot("metafile-view"))));
    EXPECT_EQ(picture.pixel(30, 40) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(picture.pixel(700, 580) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(picture.pixel(20, 40) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(720, 300) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(300, 595) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PictureWindows, DamagedPicturesOpenNoWindow)
{
    ASSERT_TRUE(Start());
    const std::string bmp = MakeFile("cut.bmp", Bytes(fixture::BuildBmp({.width = 30, .height = 30})).substr(0, 90));
    const std::string emf = MakeFile("junk.emf", std::string(64, 'j'));
    EXPECT_EQ(m_App->OpenDocumentFile(bmp), nullptr);
    EXPECT_EQ(m_App->OpenDocumentFile(emf), nullptr);
    EXPECT_TRUE(Frame().ChildFrames().empty());
    ASSERT_EQ(m_Ui.Messages().size(), 2u);
    EXPECT_TRUE(m_Ui.Messages()[0].starts_with(bmp + "\n\n"));
}

TEST_F(PictureWindows, ProgramDefaultsThenCancelStoreThem)
{
    ASSERT_TRUE(Start());
    RunNextDialog([](QDialog& dialog) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == "Prog. defaults")
                b->click();
        EXPECT_TRUE(dialog.grab().toImage().save(QString::fromStdString(Shot("pitch-zoom-defaults"))));
        dialog.reject();
        return 0;
    });
    m_App->Execute(kIdViewPitchZoomDefaults);
    EXPECT_EQ(m_App->Settings().DispPitchSize, 16);
    EXPECT_EQ(m_App->Settings().PrintPitchSize, 24);
    EXPECT_EQ(m_App->Settings().PrintGraphZoom, 4);
    EXPECT_EQ(m_App->Settings().DispTextMargin, 0);
}

TEST_F(PictureWindows, AWrongPitchKeepsTheDialogOpenOnItsBox)
{
    ASSERT_TRUE(Start());
    RunNextDialog([](QDialog& dialog) {
        auto& pitch = static_cast<CPitchZoomDefaultsDlg&>(dialog);
        pitch.Boxes()[0]->SetText("49");
        pitch.accept();
        EXPECT_FALSE(dialog.result() == QDialog::Accepted);
        EXPECT_TRUE(pitch.Boxes()[0]->Edit()->hasFocus() || !dialog.isActiveWindow());
        pitch.Boxes()[0]->SetText("12");
        pitch.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.result();
    });
    m_App->Execute(kIdViewPitchZoomDefaults);
    EXPECT_EQ(m_Ui.Messages(), std::vector<std::string>{"Please enter an integer between 1 and 48."});
    EXPECT_EQ(m_App->Settings().DispPitchSize, 12);
}

TEST_F(PictureWindows, TheFolderDialogCreatesFoldersAndCancelKeepsTheOldPath)
{
    ASSERT_TRUE(Start());
    fs::create_directories(m_Dir / "out" / "NewFolder");
    m_App->Settings().OutputPath = (m_Dir / "out").string();
    m_App->Settings().DefaultSubfolderName = "NewFolder";
    m_App->Settings().SubfolderNaming = 3;
    RunNextDialog([](QDialog& dialog) {
        auto& folders = static_cast<CTargetPathDlg&>(dialog);
        folders.CreateButton()->click();
        EXPECT_TRUE(dialog.grab().toImage().save(QString::fromStdString(Shot("target-path"))));
        dialog.reject();
        return 0;
    });
    m_App->Execute(kIdPathForSaveAs);
    EXPECT_TRUE(fs::is_directory(m_Dir / "out" / "NewFolder(2)"));
    EXPECT_EQ(m_App->Settings().OutputPath, (m_Dir / "out").string());
    EXPECT_EQ(m_DialogsRun.back(), "Select TARGET PATH for Save As");

    RunNextDialog([](QDialog& dialog) {
        auto& folders = static_cast<CTargetPathDlg&>(dialog);
        folders.CreateButton()->click(); // NewFolder(3), selected
        dialog.accept();
        return dialog.result();
    });
    m_App->Execute(kIdPathForSaveAs);
    EXPECT_EQ(m_App->Settings().OutputPath, (m_Dir / "out" / "NewFolder(3)").string());
}

TEST_F(PictureWindows, AVanishedFolderIsReportedAndTheDialogOpensAtItsParent)
{
    ASSERT_TRUE(Start());
    fs::create_directories(m_Dir / "kept");
    const std::string gone = (m_Dir / "kept" / "gone").string();
    m_App->Settings().InputPath = gone;
    m_Ui.ExpectMessage("Specified path:\n   " + (gone.size() <= 40 ? gone : gone.substr(0, 3) + "..." +
                                                                        gone.substr(gone.size() - 34)) +
                           "\nis not valid.",
                       MessageResult::Cancel);
    std::string shown;
    RunNextDialog([&shown](QDialog& dialog) {
        shown = static_cast<CTargetPathDlg&>(dialog).Tree()->currentItem()->text(0).toStdString();
        dialog.accept();
        return dialog.result();
    });
    m_App->Execute(kIdPathForOpen);
    EXPECT_EQ(shown, "kept");
    EXPECT_EQ(m_App->Settings().InputPath, (m_Dir / "kept").string());
    EXPECT_EQ(m_DialogsRun.back(), "Select SOURCE PATH for Open");
}

} // namespace
} // namespace orlu::test
