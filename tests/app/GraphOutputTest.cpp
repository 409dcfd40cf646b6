// What leaves the graph form of the measurement window: Copy puts the
// painted graph on the clipboard, Print and Print preview give one page with
// the footer naming the file, File New opens a bitmap or metafile window,
// Save current view writes the picture without a window (the cursor in it
// once), and a cancelled format choice makes nothing. The preview page is
// kept as a screenshot in the build folder for a person to look at.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/PictureCommands.h"
#include "app/views/CTmView.h"
#include "app/views/PictureViews.h"
#include "app/views/ViewPrinting.h"
#include "document/ViewComputations.h"
#include "platform/FileIo.h"
#include "presentation/CommandTable.h"
#include "presentation/pictures/BitmapDocument.h"
#include "presentation/pictures/MetafileDocument.h"
#include "presentation/view/ViewKinds.h"
#include "support/CommandRun.h"
#include "support/FixtureBuilder.h"
#include "support/MixedMultifile.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orlu {
namespace {

namespace fs = std::filesystem;

constexpr int kPlotCommand = 32801;
constexpr int kSaveCurrentViewCommand = 32833;

// The records of an enhanced metafile that switch the raster operation to XOR
// (EMR_SETROP2 = 20 with R2_XORPEN = 7), read record by record from the file.
int XorSwitches(const std::vector<std::uint8_t>& emf)
{
    const auto le32 = [&emf](std::size_t at) {
        return std::uint32_t(emf[at]) | std::uint32_t(emf[at + 1]) << 8 | std::uint32_t(emf[at + 2]) << 16 |
               std::uint32_t(emf[at + 3]) << 24;
    };
    int count = 0;
    for (std::size_t at = 0; at + 8 <= emf.size();) {
        const std::uint32_t type = le32(at), size = le32(at + 4);
        if (size < 8 || at + size > emf.size())
            break;
        if (type == 20 && size >= 12 && le32(at + 8) == 7)
            ++count;
        at += size;
    }
    return count;
}

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return true;
    return false;
}

class GraphOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("orlu-graphout-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_App = std::make_unique<CTmApp>(&m_Ui);
        m_App->SetDialogRunner([this](QDialog& dialog) {
            m_Dialogs.push_back(dialog.windowTitle().toStdString());
            return m_Runner ? m_Runner(dialog) : 0;
        });
        ASSERT_TRUE(m_App->InitInstance({"--ini", (m_Dir / "OrluPC.INI").string()}));
        // A logger of a sound level meter: its level graph has a panel for each profile.
        const auto members = fixture::ParseMemberList("level:525:300:40");
        ASSERT_TRUE(members);
        m_File = m_Dir / "logger.orl";
        fixture::Multifile(fixture::MixedMultifileKind(*members), fixture::MixedMultifileMembers(*members))
            .WriteTo(m_File);
        ASSERT_NE(m_App->OpenDocumentFile(m_File.string()), nullptr);
        m_View = dynamic_cast<CTmView*>(m_App->MainFrame()->ActiveChild()->widget());
        ASSERT_NE(m_View, nullptr);
        for (const ViewCommand& command : ViewCommands())
            if (command.kind == kViewBufferLogger) {
                ASSERT_TRUE(m_View->Execute(command.id));
                break;
            }
        ASSERT_TRUE(m_View->Execute(kPlotCommand));
        ASSERT_TRUE(m_View->State().GraphShown());
        ASSERT_TRUE(m_View->State().GraphForm.Available);
    }
    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        fs::remove_all(m_Dir);
    }

    bool Enabled(int id) const
    {
        CommandUi ui;
        ui.enabled = false;
        return m_View->Update(id, ui) && ui.enabled;
    }
    // The format choice answered by its button.
    void ChooseFormat(const char* button)
    {
        m_Runner = [button](QDialog& dialog) {
            for (QPushButton* b : dialog.findChildren<QPushButton*>())
                if (b->text() == button) {
                    b->click();
                    return dialog.result();
                }
            return 0;
        };
    }
    std::size_t Windows() const { return m_App->MainFrame()->ChildFrames().size(); }
    int PageWidth() const
    {
        const GraphViewState& v = m_View->State().GraphForm.Plot;
        return ComputeGraphPageSize(v.GraphScale, v.MultiElement != 0, v.RtMode != 0, v.GraphSizeIndex != 0,
                                    v.Geometry)
            .width;
    }
    template <class Document>
    std::vector<Document*> Documents() const
    {
        std::vector<Document*> found;
        for (ManagedDocument* d : m_App->Documents().AllDocuments())
            if (auto* picture = dynamic_cast<Document*>(d))
                found.push_back(picture);
        return found;
    }

    fs::path m_Dir;
    fs::path m_File;
    ScriptedInteraction m_Ui;
    std::unique_ptr<CTmApp> m_App;
    CTmView* m_View = nullptr;
    std::vector<std::string> m_Dialogs;
    std::function<int(QDialog&)> m_Runner;
};

TEST_F(GraphOutput, CopyPutsThePaintedGraphOnTheClipboardWithoutAMarkedBlock)
{
    ASSERT_FALSE(m_View->State().BlockMarked);
    ASSERT_TRUE(Enabled(kIdEditCopy));
    QApplication::clipboard()->clear();
    ASSERT_TRUE(m_View->Execute(kIdEditCopy));
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    // As wide as the graph's page at screen scale; as high as the panels drawn.
    EXPECT_EQ(copied.width(), PageWidth());
    const int panels = m_View->State().Graph.PanelCount;
    ASSERT_GT(panels, 1);
    EXPECT_GT(copied.height(), 50 * panels);
    EXPECT_EQ(copied.height() % panels, 0);
    EXPECT_TRUE(HasInk(copied));

    // Back in the table form Copy is the text copy again: off without a block.
    ASSERT_TRUE(m_View->Execute(32789));
    EXPECT_FALSE(Enabled(kIdEditCopy));
}

TEST_F(GraphOutput, PrintGivesOnePageWithTheFileFooter)
{
    const fs::path pdf = m_Dir / "graph.pdf";
    m_Runner = [&pdf](QDialog& dialog) {
        auto* print = dynamic_cast<QPrintDialog*>(&dialog);
        if (!print)
            return 0;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(QString::fromStdString(pdf.string()));
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(Enabled(kIdFilePrint));
    ASSERT_TRUE(m_View->Execute(kIdFilePrint));
    ASSERT_TRUE(fs::exists(pdf));
    const auto info = fixture::RunCommand("pdfinfo " + pdf.string() + " 2>/dev/null");
    if (info.status != 0)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    const auto text = fixture::RunCommand("pdftotext -layout " + pdf.string() + " - 2>/dev/null");
    if (text.status == 0) {
        EXPECT_NE(text.out.find("*** File " + m_File.string() + " ***"), std::string::npos) << text.out;
    }
    const auto drawn = fixture::RunCommand("pdftoppm -r 30 -png " + pdf.string() + " " + (m_Dir / "page").string());
    if (drawn.status == 0) {
        QImage page(QString::fromStdString((m_Dir / "page-1.png").string()));
        ASSERT_FALSE(page.isNull());
        EXPECT_TRUE(HasInk(page));
    }
}

// The lowest row with ink above the footer of a page drawn at 30 dpi, as a share of the page.
double GraphBottom(const fs::path& pdf, const fs::path& stem)
{
    if (fixture::RunCommand("pdftoppm -r 30 -png " + pdf.string() + " " + stem.string()).status != 0)
        return -1;
    QImage page(QString::fromStdString(stem.string() + "-1.png"));
    const int footer = page.height() * 9 / 10;
    int bottom = 0;
    for (int y = 0; y < footer; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y).lightness() < 128)
                bottom = y;
    return double(bottom) / page.height();
}

TEST_F(GraphOutput, TheGraphPrintsAtTheViewsPrintZoomWhichStartsAtTheProgramDefault)
{
    std::vector<fs::path> pdfs;
    m_Runner = [&pdfs](QDialog& dialog) {
        auto* print = dynamic_cast<QPrintDialog*>(&dialog);
        if (!print)
            return 0;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(QString::fromStdString(pdfs.back().string()));
        return int(QDialog::Accepted);
    };
    ASSERT_EQ(m_App->Settings().PrintGraphZoom, 8);
    pdfs.push_back(m_Dir / "zoom-default.pdf");
    ASSERT_TRUE(m_View->Execute(kIdFilePrint));
    m_View->State().Tools.PrintZoom = 2;
    pdfs.push_back(m_Dir / "zoom-2.pdf");
    ASSERT_TRUE(m_View->Execute(kIdFilePrint));
    const double large = GraphBottom(pdfs[0], m_Dir / "large"), small = GraphBottom(pdfs[1], m_Dir / "small");
    if (large < 0 || small < 0)
        GTEST_SKIP() << "pdftoppm is not installed";
    // At zoom 8 the panels reach far down the page; at zoom 2 they take a quarter of that.
    EXPECT_GT(large, 0.4);
    EXPECT_LT(small, large / 2);
}

TEST_F(GraphOutput, PreviewShowsOnePageAndKeepsTheFacingPagesChoice)
{
    PreviewPages() = 1;
    int pages = -1;
    m_Runner = [&pages](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        if (!preview)
            return 0;
        dialog.resize(700, 900);
        preview->updatePreview();
        pages = preview->pageCount();
        EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-graph-preview.png"));
        // The user turns to two pages side by side.
        preview->setViewMode(QPrintPreviewWidget::FacingPagesView);
        return 0;
    };
    ASSERT_TRUE(Enabled(kIdFilePrintPreview));
    ASSERT_TRUE(m_View->Execute(kIdFilePrintPreview));
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(PreviewPages(), 2);
    // The choice outlives the program.
    m_App.reset();
    const auto profile = ReadWholeFile(m_Dir / "OrluPC.INI");
    ASSERT_TRUE(profile);
    EXPECT_NE(std::string(profile->begin(), profile->end()).find("PreviewPages=2"), std::string::npos);
    PreviewPages() = 1;
}

TEST_F(GraphOutput, FileNewOpensThePictureOfTheChosenFormat)
{
    struct Case {
        const char* button;
        bool bitmap;
    };
    for (const Case c : {Case{"Bitmap (BMP) format", true}, Case{"MetaFile (EMF) format", false}}) {
        SCOPED_TRACE(c.button);
        const std::size_t before = Windows();
        ChooseFormat(c.button);
        ASSERT_TRUE(Enabled(kIdFileNew));
        ASSERT_TRUE(m_View->Execute(kIdFileNew));
        ASSERT_EQ(Windows(), before + 1);
        QWidget* made = m_App->MainFrame()->ActiveChild()->widget();
        if (c.bitmap) {
            EXPECT_NE(dynamic_cast<CTmView4*>(made), nullptr);
            const auto bitmaps = Documents<BitmapDocument>();
            ASSERT_EQ(bitmaps.size(), 1u);
            ASSERT_TRUE(bitmaps[0]->Image());
            EXPECT_EQ(bitmaps[0]->Image()->width, PageWidth());
            EXPECT_EQ(bitmaps[0]->Image()->height % m_View->State().Graph.PanelCount, 0);
        } else {
            EXPECT_NE(dynamic_cast<CTmView2*>(made), nullptr);
            const auto metafiles = Documents<MetafileDocument>();
            ASSERT_EQ(metafiles.size(), 1u);
            EXPECT_GT(XorSwitches(metafiles[0]->Bytes()), 0) << "the cursor is on";
        }
    }
}

TEST_F(GraphOutput, SaveCurrentViewWritesTheGraphWithItsCursorOnce)
{
    m_View->State().CursorOn = 1;
    m_View->State().GraphForm.Plot.CursorOn = 1;
    int prompts = 0;
    m_App->Pictures().SetSaveAsPrompt([&](const SaveAsPrompt&) {
        ++prompts;
        return (m_Dir / "view").string();
    });
    const std::size_t windows = Windows();
    ChooseFormat("MetaFile (EMF) format");
    ASSERT_TRUE(m_View->Execute(kSaveCurrentViewCommand));
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Windows(), windows);
    const auto emf = ReadWholeFile(m_Dir / "view.emf");
    ASSERT_TRUE(emf);
    const int withCursor = XorSwitches(*emf);
    // The cursor and its read-outs are drawn in one XOR pass; a second pass would wipe the line out.
    EXPECT_EQ(withCursor, 1);

    m_View->State().GraphForm.Plot.CursorOn = 0;
    ASSERT_TRUE(m_View->Execute(kSaveCurrentViewCommand));
    const auto plain = ReadWholeFile(m_Dir / "view.emf");
    ASSERT_TRUE(plain);
    EXPECT_EQ(XorSwitches(*plain), 0);

    ChooseFormat("Bitmap (BMP) format");
    ASSERT_TRUE(m_View->Execute(kSaveCurrentViewCommand));
    const auto bmp = ReadWholeFile(m_Dir / "view.bmp");
    ASSERT_TRUE(bmp);
    ASSERT_GT(bmp->size(), 54u);
    EXPECT_EQ((*bmp)[0], 'B');
    EXPECT_EQ((*bmp)[1], 'M');
}

TEST_F(GraphOutput, ACancelledFormatChoiceMakesNothing)
{
    int prompts = 0;
    m_App->Pictures().SetSaveAsPrompt([&](const SaveAsPrompt&) {
        ++prompts;
        return (m_Dir / "never").string();
    });
    const std::size_t windows = Windows();
    for (int id : {int(kIdFileNew), kSaveCurrentViewCommand}) {
        ChooseFormat("Cancel");
        ASSERT_TRUE(m_View->Execute(id));
    }
    EXPECT_EQ(m_Dialogs, (std::vector<std::string>{"Created format choice", "Created format choice"}));
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(Windows(), windows);
    for (const auto& entry : fs::directory_iterator(m_Dir))
        EXPECT_NE(entry.path().stem(), "never");
}

TEST(PreviewPagesSetting, TwoPagesSideBySideOrOne)
{
    for (const auto& [stored, pages] : {std::pair{2, 2}, std::pair{1, 1}, std::pair{0, 1}, std::pair{3, 1}, std::pair{-2, 1}}) {
        IniProfile profile;
        profile.WriteInt("Settings", "PreviewPages", stored);
        ReadPreviewPages(profile);
        EXPECT_EQ(PreviewPages(), pages) << stored;
    }
    ReadPreviewPages(IniProfile());
    EXPECT_EQ(PreviewPages(), 1) << "no entry";
}

} // namespace
} // namespace orlu
