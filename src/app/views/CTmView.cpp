#include "app/views/CTmView.h"

#include "app/canvas/QtFontMeasure.h"
#include "app/views/ViewClipboard.h"
#include "app/views/ViewLinesPainter.h"
#include "app/views/ViewPrinting.h"
#include "presentation/CommandTable.h"
#include "presentation/view/BufferBlockCommands.h"
#include "presentation/view/ExtractCommands.h"
#include "presentation/view/GraphNavigation.h"
#include "presentation/view/ClipboardCopy.h"
#include "presentation/view/PrintPages.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewSelection.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace orlu {

CTmView::CTmView(MeasurementDocument& document, const FormRendererRegistry& renderers, AppSettings& settings,
                 QWidget* parent)
    : QAbstractScrollArea(parent), m_Document(document), m_Settings(settings), m_LongForms(this),
      m_Builder(renderers, settings, &m_LongForms)
{
    m_State.DispPitch = settings.DispPitchSize;
    m_State.TextMargin = settings.DispTextMargin;
    m_State.Tools.PrintZoom = settings.PrintGraphZoom;
    m_State.Lines.SetInteraction(Doc().App().Ui);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    CreateScreenFont();
    m_DragScroll.setInterval(100);
    connect(&m_DragScroll, &QTimer::timeout, this, &CTmView::DragScrollTick);
    m_Graph = new GraphPane(*this, m_State, Doc(), m_Builder, settings);
    m_Graph->SetDialogs(m_Dialogs.get());
    connect(m_Graph, &GraphPane::FormChanged, this, [this] { AfterBuild(); });
    RegisterCommands();
    OnInitialUpdate();
}

void CTmView::CreateScreenFont()
{
    const QtFontMeasure measure(viewport());
    const Font font{std::string(kFixedFace), m_State.DispPitch, 400};
    m_ScreenFont = measure.QtFont(font);
    const FontMetrics metrics = measure.Metrics(font);
    m_State.LineHeight = std::max(1, metrics.height + metrics.externalLeading);
    m_State.CharWidth = std::max(1, measure.FixedAdvance(font));
}

void CTmView::OnInitialUpdate()
{
    OpenView(m_State, Doc());
    m_Builder.OpenFirstForm(m_State, Doc());
    AfterBuild();
}

void CTmView::RebuildForm()
{
    // The document changed under the view: a block marked in the old records means nothing now.
    m_State.MarkState = 0;
    m_State.MarkedRange = {0, 0};
    m_Builder.UpdateForm(m_State, Doc());
    AfterBuild();
}

void CTmView::RegisterCommands()
{
    OnCommand(kTextCommand, [this] {
        m_Builder.BuildTextForm(m_State, Doc());
        AfterBuild();
    });
    OnCommand(kTableCommand, [this] {
        m_Builder.OnTableForm(m_State, Doc());
        AfterBuild();
    });
    // Plot builds the graph form, or on a shown graph steps its size.
    OnCommand(kPlotCommand, [this] { m_Graph->Command(kPlotCommand); });
    // Previous and Next step on the press of their buttons, and again while they are held.
    for (int id : {kPreviousCommand, kNextCommand})
        OnCommand(id, [this, id] { m_Graph->Command(id); });
    for (int id : GraphPane::Commands()) {
        OnCommand(id, [this, id] { m_Graph->Command(id); });
        OnUpdate(id, [this, id](CommandUi& ui) { ui = m_Graph->CommandState(id); });
    }
    OnUpdate(kPreviousCommand, [this](CommandUi& ui) {
        ui.enabled = UpdatePrevious(m_State, StepFactsOf(Doc()), GraphPane::KeysNow());
    });
    OnUpdate(kNextCommand, [this](CommandUi& ui) {
        ui.enabled = UpdateNext(m_State, StepFactsOf(Doc()), GraphPane::KeysNow());
    });
    for (const ViewCommand& command : ViewCommands()) {
        const ViewCommand* row = &command;
        OnCommand(command.id, [this, row] {
            m_Builder.SelectViewKind(m_State, Doc(), *row);
            AfterBuild();
        });
    }
    auto update = [this](int id, CommandUi& ui) {
        if (auto state = ViewCommandState(id, m_State, FactsOf(Doc())))
            ui = *state;
    };
    for (int id : {kTextCommand, kTableCommand, kPlotCommand})
        OnUpdate(id, [update, id](CommandUi& ui) { update(id, ui); });
    for (const ViewCommand& command : ViewCommands())
        OnUpdate(command.id, [update, id = command.id](CommandUi& ui) { update(id, ui); });
    OnCommand(kExtractSingleFileCommand, [this] { ExtractSingleFile(m_State, Doc()); });
    OnUpdate(kExtractSingleFileCommand, [this](CommandUi& ui) { ui.enabled = CanExtractSingleFile(m_State, Doc()); });
    OnCommand(kExtractBufferCommand, [this] { ExtractBuffer(Doc()); });
    OnUpdate(kExtractBufferCommand, [this](CommandUi& ui) { ui.enabled = CanExtractBuffer(Doc()); });
    for (int id : BufferToolCommands()) {
        OnCommand(id, [this, id] { Refresh(RunBufferTool(id, m_State, Doc())); });
        OnUpdate(id, [this, id](CommandUi& ui) {
            if (auto state = BufferToolState(id, m_State, Doc()))
                ui = *state;
        });
    }
    // Copy and printing of the forms of lines.
    // Nothing to copy leaves the clipboard as it was.
    OnCommand(kIdEditCopy, [this] {
        if (const std::string text = CopyMeasurementViewBlock(m_State); !text.empty())
            PutTextOnClipboard(text);
    });
    OnUpdate(kIdEditCopy, [this](CommandUi& ui) { ui.enabled = m_State.LinesShown() && m_State.BlockMarked; });
    const auto printRequest = [this] {
        return ViewPrintRequest{&m_State.ShownLines(), &m_State.FirstLine,
                                PrintedFileName(Doc().PathName().string(), Doc().Title()), m_Settings.PrintPitchSize};
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
        OnUpdate(id, [this](CommandUi& ui) { ui.enabled = m_State.LinesShown(); });
}

void CTmView::Refresh(ViewRefresh refresh)
{
    switch (refresh) {
    case ViewRefresh::None: return;
    case ViewRefresh::Repaint: viewport()->update(); return;
    case ViewRefresh::Rebuild: m_Builder.UpdateForm(m_State, Doc()); break;
    case ViewRefresh::TextForm: m_Builder.BuildTextForm(m_State, Doc()); break;
    }
    AfterBuild();
}

void CTmView::AfterBuild()
{
    if (m_State.GraphShown()) {
        m_Graph->Refresh();
        return;
    }
    LayOutTabColumns(m_State);
    UpdateTextScrollBars();
    viewport()->update();
}

void CTmView::UpdateTextScrollBars()
{
    const TextScrollInfo info = TextScrollRanges(m_State, viewport()->width(), viewport()->height());
    ClampTextScroll(m_State, info);
    m_SyncingBars = true;
    verticalScrollBar()->setRange(0, std::max(0, info.vMax - info.vPage + 1));
    verticalScrollBar()->setPageStep(info.vPage);
    verticalScrollBar()->setValue(m_State.FirstLine);
    horizontalScrollBar()->setRange(0, std::max(0, info.hMax - info.hPage + 1));
    horizontalScrollBar()->setPageStep(info.hPage);
    horizontalScrollBar()->setValue(m_State.FirstColumn);
    m_SyncingBars = false;
}

void CTmView::scrollContentsBy(int, int)
{
    if (m_SyncingBars)
        return;
    if (m_State.GraphShown()) {
        m_Graph->Refresh();
        return;
    }
    m_State.FirstLine = verticalScrollBar()->value();
    m_State.FirstColumn = horizontalScrollBar()->value();
    viewport()->update();
}

void CTmView::Scroll(bool vertical, ScrollCode code)
{
    const TextScrollInfo info = TextScrollRanges(m_State, viewport()->width(), viewport()->height());
    ScrollText(m_State, vertical, code, 0, info);
    UpdateTextScrollBars();
    viewport()->update();
}

void CTmView::keyPressEvent(QKeyEvent* event)
{
    // The graph takes its keys; N and P step in every form.
    const bool step = event->key() == Qt::Key_N || event->key() == Qt::Key_P;
    if ((m_State.GraphShown() || step) && m_Graph->Key(*event)) {
        event->accept();
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up: Scroll(true, ScrollCode::LineUp); break;
    case Qt::Key_Down: Scroll(true, ScrollCode::LineDown); break;
    case Qt::Key_PageUp: Scroll(true, ScrollCode::PageUp); break;
    case Qt::Key_PageDown: Scroll(true, ScrollCode::PageDown); break;
    case Qt::Key_Home: Scroll(ctrl, ScrollCode::Top); break;
    case Qt::Key_End: Scroll(ctrl, ScrollCode::Bottom); break;
    case Qt::Key_Left: Scroll(false, ScrollCode::LineUp); break;
    case Qt::Key_Right: Scroll(false, ScrollCode::LineDown); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

ViewPoint CTmView::DocumentPoint(QPoint pos) const
{
    const int column = pos.x() / m_State.CharWidth + m_State.FirstColumn - m_State.TextMargin;
    return {std::max(0, column) * m_State.CharWidth + pos.x() % m_State.CharWidth,
            pos.y() + m_State.FirstLine * m_State.LineHeight};
}

void CTmView::mousePressEvent(QMouseEvent* event)
{
    if (m_State.GraphShown())
        return m_Graph->MousePress(*event);
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    m_State.BlockAnchor = DocumentPoint(event->position().toPoint());
    m_State.BlockEnd = m_State.BlockAnchor;
    viewport()->update();
}

void CTmView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_State.GraphShown())
        return m_Graph->MouseMove(*event);
    if (!(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    m_DragPoint = event->position().toPoint();
    m_State.BlockEnd = DocumentPoint(m_DragPoint);
    // Past the window's edge the lines scroll on a timer, not on every move of the mouse.
    if (viewport()->rect().contains(m_DragPoint))
        m_DragScroll.stop();
    else if (!m_DragScroll.isActive())
        m_DragScroll.start();
    viewport()->update();
}

void CTmView::DragScrollTick()
{
    if (m_State.GraphShown()) {
        m_DragScroll.stop();
        return;
    }
    const QRect port = viewport()->rect();
    if (m_DragPoint.y() < port.top())
        Scroll(true, ScrollCode::LineUp);
    else if (m_DragPoint.y() > port.bottom())
        Scroll(true, ScrollCode::LineDown);
    if (m_DragPoint.x() < port.left())
        Scroll(false, ScrollCode::LineUp);
    else if (m_DragPoint.x() > port.right())
        Scroll(false, ScrollCode::LineDown);
    m_State.BlockEnd = DocumentPoint(QPoint(std::clamp(m_DragPoint.x(), port.left(), port.right()),
                                            std::clamp(m_DragPoint.y(), port.top(), port.bottom())));
    viewport()->update();
}

void CTmView::mouseReleaseEvent(QMouseEvent* event)
{
    m_DragScroll.stop();
    if (m_State.GraphShown())
        return m_Graph->MouseRelease(*event);
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CTmView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_State.GraphShown())
        return m_Graph->MouseDoubleClick(*event);
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CTmView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The graph is painted again at the new size.
    if (m_State.GraphShown())
        m_Graph->Refresh();
    else
        UpdateTextScrollBars();
}

void CTmView::paintEvent(QPaintEvent*)
{
    m_State.ShownViewKind = m_State.ViewKind;
    QPainter painter(viewport());
    if (m_State.GraphShown()) {
        m_Graph->Paint(painter);
        return;
    }
    painter.setFont(m_ScreenFont);
    PaintViewLines(painter, m_State, viewport()->size());
}

} // namespace orlu
