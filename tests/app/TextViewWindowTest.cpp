// The text document in the desktop program: a .txt file opens in the text
// view through its template, Select All and Copy put UTF-8 text with CR LF
// on the clipboard, Hexa shows the dump, a file from disk closes unasked, and
// the print loop lays 130 lines out on three PDF pages with their footers.

#include "app/CChildFrame.h"
#include "app/canvas/GraphPagePrinter.h"
#include "app/canvas/TextPagePrinter.h"
#include "app/views/CTmView1.h"
#include "presentation/CommandTable.h"
#include "presentation/view/PrintPages.h"
#include "AppFixture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace orlu::test {
namespace {

class TextViewWindow : public AppFixture {
protected:
    CTmView1* OpenText(const std::string& name, const std::string& bytes)
    {
        const std::string path = MakeFile(name, bytes);
        if (!m_App->OpenDocumentFile(path))
            return nullptr;
        CChildFrame* child = Frame().ActiveChild();
        auto* view = child ? dynamic_cast<CTmView1*>(child->widget()) : nullptr;
        if (view) {
            child->resize(600, 300);
            QApplication::processEvents();
        }
        return view;
    }
};

TEST_F(TextViewWindow, OpensCopiesAndShowsTheDump)
{
    ASSERT_TRUE(Start());
    CTmView1* view = OpenText("notes.TXT", "Level 81.5 dB\r\nAcceleration 2.0 m/s\xB2\r\nend");
    ASSERT_NE(view, nullptr) << "the text template opens .txt files, whatever the case of the extension";
    EXPECT_EQ(Frame().ActiveChild()->Document().Title(), "notes.TXT - text (disk file)");
    ASSERT_EQ(view->Model().State().ShownLines().LineCount(), 3u);

    ASSERT_TRUE(Frame().RouteCommand(CTmView1::kSelectAllCommand));
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().Action(kIdEditCopy)->isEnabled());
    ASSERT_TRUE(Frame().RouteCommand(kIdEditCopy));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("Level 81.5 dB\r\nAcceleration 2.0 m/s\u00B2\r\nend\r\n"));
    EXPECT_FALSE(data->data("text/plain;charset=utf-8").contains('\0'));

    const QString shot = QString(ORLU_BINARY_DIR) + "/orlupc-text-view.png";
    EXPECT_TRUE(Frame().grab().toImage().save(shot));

    ASSERT_TRUE(Frame().RouteCommand(CTmView1::kHexaCommand));
    EXPECT_TRUE(view->Model().ShowHexa());
    EXPECT_EQ(view->Model().State().ShownLines().LineCount(), 2u + 3u) << "41 bytes: three dump lines";
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().Action(CTmView1::kHexaCommand)->isChecked());
    EXPECT_FALSE(Frame().Action(kIdEditCopy)->isEnabled()) << "the switch emptied the block";
    EXPECT_TRUE(Frame().grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-text-view-hexa.png"));
}

TEST_F(TextViewWindow, DraggingBelowTheWindowKeepsScrolling)
{
    ASSERT_TRUE(Start());
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    CTmView1* view = OpenText("long.txt", text);
    ASSERT_NE(view, nullptr);
    QWidget* port = view->viewport();
    const QPointF top(10, 5);
    const QPointF below(10, port->height() + 20);
    QMouseEvent press(QEvent::MouseButtonPress, top, port->mapToGlobal(top), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(port, &press);
    QMouseEvent move(QEvent::MouseMove, below, port->mapToGlobal(below), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    EXPECT_EQ(view->Model().State().FirstLine, 1) << "the move itself scrolls one line";
    // The timer's pace depends on the machine's load: wait for it, up to a limit.
    for (int waited = 0; waited < 5000 && view->Model().State().FirstLine < 3; waited += 50)
        QTest::qWait(50);
    const int scrolled = view->Model().State().FirstLine;
    EXPECT_GE(scrolled, 3) << "one more line every 100 ms while the button is held there";
    QMouseEvent release(QEvent::MouseButtonRelease, below, port->mapToGlobal(below), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(port, &release);
    QTest::qWait(250);
    EXPECT_LE(view->Model().State().FirstLine, scrolled + 1) << "the release stops it";
    EXPECT_TRUE(view->Model().CanCopy());
}

TEST_F(TextViewWindow, AFileNamedReadmeClosesUnasked)
{
    ASSERT_TRUE(Start());
    const std::string path = MakeFile("README", "plain notes\n");
    // Not a .txt: opened as text through the text template, as File Open does with its filter chosen.
    ManagedDocument* document = m_App->Documents().NewDocument(kTextDocTemplate, false);
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->OpenDocument(path));
    EXPECT_TRUE(m_App->Documents().CloseDocument(*document));
    EXPECT_TRUE(m_Ui.Questions().empty());
}

TEST(TextPagePrinterTest, OneHundredThirtyLinesOnThreePages)
{
    LineList lines;
    int widest = 0;
    for (int i = 1; i <= 130; ++i) {
        std::string line = "line " + std::to_string(i);
        AddLine(lines, line, &widest);
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    TextPrintResult result;
    std::int32_t firstLine = 42;
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(kPrintDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        TextPrintJob job;
        job.lines = &lines;
        job.fileName = "/data/long.txt";
        // A pitch whose lines fit 60 times on the page, whatever the font's exact height.
        job.printPitch = 12;
        result = PrintTextPages(writer, firstLine, job);
        // The lines' height decides the lines per page: at least one, and the page count follows.
        EXPECT_EQ(result.linesPerPage, std::max(1, (writer.height() - kPrintTopMargin) / result.lineHeight));
    }
    EXPECT_EQ(firstLine, 42) << "the screen's first line comes back";
    const int perPage = result.linesPerPage;
    EXPECT_EQ(result.pageCount, (130 + perPage - 1) / perPage);
    EXPECT_EQ(result.pagesPrinted, result.pageCount);
    const QByteArray bytes = pdf.data();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>") +
                  bytes.count("/Type /Page "),
              result.pageCount);
}

TEST(PrintPreviewTest, LinesPreviewPageByPageAndAGraphOnOnePage)
{
    LineList lines;
    int widest = 0;
    for (int i = 1; i <= 130; ++i) {
        std::string line = "line " + std::to_string(i);
        AddLine(lines, line, &widest);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintDpi);
    std::int32_t firstLine = 0;
    TextPrintResult result;
    {
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            TextPrintJob job;
            job.lines = &lines;
            job.fileName = "long.txt";
            job.printPitch = 22;
            result = PrintTextPages(*target, firstLine, job);
        });
        preview.resize(500, 700);
        preview.updatePreview();
        EXPECT_EQ(preview.pageCount(), result.pageCount);
        EXPECT_GT(result.pageCount, 1);
        EXPECT_TRUE(preview.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-print-preview.png"));
    }
    {
        QPrintPreviewWidget preview(&printer);
        int painted = 0;
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            PrintGraphPage(*target, "graph.orl", [&](Canvas& canvas) {
                ++painted;
                canvas.Rectangle(100, 100, 2000, 1000);
            });
        });
        preview.updatePreview();
        EXPECT_EQ(preview.pageCount(), 1);
        EXPECT_EQ(painted, 1);
    }
}

} // namespace
} // namespace orlu::test
