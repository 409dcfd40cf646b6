#include "app/views/CTmView1.h"

#include "app/canvas/QtFontMeasure.h"
#include "app/views/ViewClipboard.h"
#include "app/views/ViewLinesPainter.h"
#include "app/views/ViewPrinting.h"
#include "presentation/CommandTable.h"
#include "presentation/view/PrintPages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kPasteMessage =
    "Can't paste into the ORLU file !\n\n'Paste' icon is activated only to show\nthat the Clipboard buffer may be nonempty.";

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

} // namespace

CTmView1::CTmView1(TextDocument& document, const AppSettings& settings, QWidget* parent)
    : QAbstractScrollArea(parent), m_Document(document), m_Model(document.Doc(), settings)
{
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    m_ClipboardHasText = ClipboardHasText();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { m_ClipboardHasText = ClipboardHasText(); });
    m_DragTimer.setInterval(100);
    connect(&m_DragTimer, &QTimer::timeout, this, [this] { DragStep(); });
    CreateScreenFont();
    RegisterCommands();
    m_Model.OnInitialUpdate();
    AfterSwitch();
}

void CTmView1::CreateScreenFont()
{
    MeasurementViewState& state = m_Model.State();
    const QtFontMeasure measure(viewport());
    const Font font{std::string(kFixedFace), state.DispPitch, 400};
    m_ScreenFont = measure.QtFont(font);
    const FontMetrics metrics = measure.Metrics(font);
    state.LineHeight = std::max(1, metrics.height + metrics.externalLeading);
    state.CharWidth = std::max(1, measure.FixedAdvance(font));
}

void CTmView1::RegisterCommands()
{
    OnCommand(kTextModeCommand, [this] {
        m_Model.OnTextMode();
        AfterSwitch();
    });
    OnUpdate(kTextModeCommand, [this](CommandUi& ui) {
        ui.enabled = m_Model.TextModeEnabled();
        ui.checked = !m_Model.ShowHexa();
    });
    OnCommand(kHexaCommand, [this] {
        m_Model.OnHexa();
        AfterSwitch();
    });
    OnUpdate(kHexaCommand, [this](CommandUi& ui) {
        ui.enabled = m_Model.HexaEnabled();
        ui.checked = m_Model.ShowHexa();
    });
    OnCommand(kSelectAllCommand, [this] {
        m_Model.SelectAll();
        viewport()->update();
    });
    OnUpdate(kSelectAllCommand, [](CommandUi& ui) { ui.enabled = true; });
    // Nothing to copy leaves the clipboard as it was.
    OnCommand(kIdEditCopy, [this] {
        if (const std::string text = m_Model.Copy(); !text.empty())
            PutTextOnClipboard(text);
    });
    OnUpdate(kIdEditCopy, [this](CommandUi& ui) { ui.enabled = m_Model.CanCopy(); });
    // The view never pastes: Paste only tells so.
    OnCommand(kIdEditPaste, [this] {
        m_Model.Doc().Ui().ShowMessage(kPasteMessage, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    });
    OnUpdate(kIdEditPaste, [this](CommandUi& ui) { ui.enabled = m_ClipboardHasText; });
    const auto printRequest = [this] {
        const CTmDoc1& doc = m_Model.Doc();
        return ViewPrintRequest{&m_Model.State().ShownLines(), &m_Model.State().FirstLine,
                                PrintedFileName(doc.PathName().string(), doc.Title()), m_Model.PrintPitch};
    };
    OnCommand(kIdFilePrint, [this, printRequest] {
        PrintViewLines(this, printRequest());
        viewport()->update();
    });
    OnCommand(kIdFilePrintPreview, [this, printRequest] {
        PreviewViewLines(this, printRequest());
        viewport()->update();
    });
    for (int id : {kIdFilePrint, kIdFilePrintPreview})
        OnUpdate(id, [](CommandUi& ui) { ui.enabled = true; });
}

void CTmView1::AfterSwitch()
{
    UpdateTextScrollBars();
    viewport()->update();
}

void CTmView1::UpdateTextScrollBars()
{
    MeasurementViewState& state = m_Model.State();
    const TextScrollInfo info = TextScrollRanges(state, viewport()->width(), viewport()->height());
    ClampTextScroll(state, info);
    m_SyncingBars = true;
    verticalScrollBar()->setRange(0, std::max(0, info.vMax - info.vPage + 1));
    verticalScrollBar()->setPageStep(info.vPage);
    verticalScrollBar()->setValue(state.FirstLine);
    horizontalScrollBar()->setRange(0, std::max(0, info.hMax - info.hPage + 1));
    horizontalScrollBar()->setPageStep(info.hPage);
    horizontalScrollBar()->setValue(state.FirstColumn);
    m_SyncingBars = false;
}

void CTmView1::scrollContentsBy(int, int)
{
    if (m_SyncingBars)
        return;
    m_Model.State().FirstLine = verticalScrollBar()->value();
    m_Model.State().FirstColumn = horizontalScrollBar()->value();
    viewport()->update();
}

void CTmView1::Scroll(bool vertical, ScrollCode code)
{
    MeasurementViewState& state = m_Model.State();
    ScrollText(state, vertical, code, 0, TextScrollRanges(state, viewport()->width(), viewport()->height()));
    AfterSwitch();
}

void CTmView1::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: Scroll(true, ScrollCode::LineUp); break;
    case Qt::Key_Down: Scroll(true, ScrollCode::LineDown); break;
    case Qt::Key_PageUp: Scroll(true, ScrollCode::PageUp); break;
    case Qt::Key_PageDown: Scroll(true, ScrollCode::PageDown); break;
    case Qt::Key_Home: Scroll(true, ScrollCode::Top); break;
    case Qt::Key_End: Scroll(true, ScrollCode::Bottom); break;
    case Qt::Key_Left: Scroll(false, ScrollCode::LineUp); break;
    case Qt::Key_Right: Scroll(false, ScrollCode::LineDown); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void CTmView1::wheelEvent(QWheelEvent* event)
{
    const MeasurementViewState& state = m_Model.State();
    const TextScrollInfo info = TextScrollRanges(state, viewport()->width(), viewport()->height());
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (info.vMax > info.vPage)
        Scroll(true, delta < 0 ? ScrollCode::LineDown : ScrollCode::LineUp);
    else if (info.hMax > info.hPage)
        Scroll(false, delta <= 0 ? ScrollCode::LineDown : ScrollCode::LineUp);
    event->accept();
}

ViewPoint CTmView1::DocumentPoint(QPoint pos) const
{
    const MeasurementViewState& state = m_Model.State();
    const int column = pos.x() / state.CharWidth + state.FirstColumn - state.TextMargin;
    return {std::max(0, column) * state.CharWidth + pos.x() % state.CharWidth,
            pos.y() + state.FirstLine * state.LineHeight};
}

void CTmView1::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    MeasurementViewState& state = m_Model.State();
    state.BlockAnchor = DocumentPoint(event->position().toPoint());
    state.BlockEnd = state.BlockAnchor;
    viewport()->update();
}

void CTmView1::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    m_DragPosition = event->position().toPoint();
    m_DragTimer.stop();
    DragStep();
}

void CTmView1::mouseReleaseEvent(QMouseEvent* event)
{
    m_DragTimer.stop();
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CTmView1::DragStep()
{
    m_Model.State().BlockEnd = DocumentPoint(m_DragPosition);
    const bool scrolled = m_Model.DragScroll(m_DragPosition.x(), m_DragPosition.y(), viewport()->width(),
                                             viewport()->height());
    if (scrolled) {
        // The block's end follows the text under the mouse.
        m_Model.State().BlockEnd = DocumentPoint(m_DragPosition);
        UpdateTextScrollBars();
        if (!m_DragTimer.isActive())
            m_DragTimer.start();
    } else {
        m_DragTimer.stop();
    }
    viewport()->update();
}

void CTmView1::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateTextScrollBars();
}

void CTmView1::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(m_ScreenFont);
    PaintViewLines(painter, m_Model.State(), viewport()->size());
}

} // namespace orlu
