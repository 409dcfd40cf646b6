#include "app/views/PictureViews.h"

#include "app/CTmApp.h"
#include "app/PictureCommands.h"
#include "app/dialogs/CPictureZoomDlg.h"
#include "app/canvas/ImageConversion.h"
#include "app/canvas/QtPainterCanvas.h"
#include "presentation/CommandTable.h"
#include "presentation/DocTemplateTable.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace orlu {
namespace {

constexpr int kViewOptionsToolbarCommand = 32803;

// The zoom dialog: whatever closed it, the view takes its printing zoom back (only OK changes it).
void RunPictureZoom(PictureCommands& pictures, std::int32_t kind, std::uint8_t& printZoom, QWidget* parent)
{
    CTmApp& app = pictures.App();
    PictureZoomModel model{kind, printZoom};
    CPictureZoomDlg dialog(model, app.Ui(), parent);
    app.RunDialog(dialog);
    printZoom = model.PrintZoom;
}

} // namespace

CTmView2::CTmView2(MetafileDocument& document, PictureCommands& pictures, QWidget* parent)
    : QWidget(parent), m_Document(document), m_Pictures(pictures), m_PrintZoom(pictures.App().Settings().PrintGraphZoom)
{
    setAutoFillBackground(false);
    OnCommand(kViewOptionsToolbarCommand, [this] { RunPictureZoom(m_Pictures, kMetafilePicture, m_PrintZoom, this); });
    OnCommand(kIdFileNew, [this] {
        m_Pictures.HandOver().metafile = m_Document.Bytes();
        m_Pictures.NewPictureDocument(kMetafileDocTemplate, false);
    });
}

QImage CTmView2::Picture() const
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtPainterCanvas canvas(image);
        m_Document.Player().Play(canvas, MetafileScreenRect(width(), height()));
    }
    return image;
}

void CTmView2::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

CTmView4::CTmView4(BitmapDocument& document, PictureCommands& pictures, QWidget* parent)
    : QAbstractScrollArea(parent), m_Document(document), m_Pictures(pictures),
      m_Scroller(document.Image() ? document.Image()->width : 0, document.Image() ? document.Image()->height : 0),
      m_PrintZoom(pictures.App().Settings().PrintGraphZoom)
{
    OnCommand(kViewOptionsToolbarCommand, [this] { RunPictureZoom(m_Pictures, kBitmapPicture, m_PrintZoom, this); });
    if (document.Image())
        m_Image = ToQImage(*document.Image());
    OnCommand(kIdFileNew, [this] {
        m_Pictures.HandOver().bitmap = m_Document.Picture();
        m_Pictures.NewPictureDocument(kBitmapDocTemplate, false);
    });
}

void CTmView4::UpdateBars()
{
    m_Syncing = true;
    const int cw = viewport()->width(), ch = viewport()->height();
    m_Scroller.Resize(cw, ch);
    horizontalScrollBar()->setRange(0, std::max(0, m_Image.width() - cw));
    horizontalScrollBar()->setPageStep(cw);
    horizontalScrollBar()->setSingleStep(4);
    horizontalScrollBar()->setValue(-m_Scroller.OffsetX());
    verticalScrollBar()->setRange(0, std::max(0, m_Image.height() - ch));
    verticalScrollBar()->setPageStep(ch);
    verticalScrollBar()->setSingleStep(4);
    verticalScrollBar()->setValue(-m_Scroller.OffsetY());
    m_Syncing = false;
}

void CTmView4::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
}

void CTmView4::scrollContentsBy(int, int)
{
    if (m_Syncing)
        return;
    m_Scroller.ScrollHorizontal(ScrollRequest::Thumb, horizontalScrollBar()->value());
    m_Scroller.ScrollVertical(ScrollRequest::Thumb, verticalScrollBar()->value());
    viewport()->update();
}

void CTmView4::wheelEvent(QWheelEvent* event)
{
    m_Scroller.Wheel(event->angleDelta().y());
    UpdateBars();
    viewport()->update();
    event->accept();
}

void CTmView4::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QColor grey(kBitmapBackground.r, kBitmapBackground.g, kBitmapBackground.b);
    painter.fillRect(viewport()->rect(), grey);
    // A document without a picture draws nothing but the background.
    if (!m_Image.isNull())
        painter.drawImage(m_Scroller.OffsetX(), m_Scroller.OffsetY(), m_Image);
}

} // namespace orlu
