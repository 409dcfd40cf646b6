#include "app/views/GraphPane.h"

#include "app/canvas/QtPainterCanvas.h"
#include "document/CTmDoc.h"
#include "document/ViewComputations.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/GraphWindow.h"
#include "graph/PlotDispatch.h"
#include "presentation/view/ChannelSelection.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/GraphPaintSettings.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <chrono>

namespace orlu {
namespace {

// One pass of a paint: the panels, or the cursor and read-outs alone. Both
// passes plan the same panels, so the read-outs stand where the panels are.
class PassRoutines : public PlotRoutines {
public:
    explicit PassRoutines(bool panels) : m_Panels(panels) {}
    // A decay panel's cursor request is consumed once, by the panels' pass.
    int CursorRequest(const PanelArgs& args) override { return m_Panels ? m_Engine.CursorRequest(args) : 0; }
    void Plot(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) override
    {
        if (m_Panels)
            m_Engine.Plot(head, args, settings);
    }
    void Readout(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) override
    {
        if (!m_Panels)
            m_Engine.Readout(head, args, settings);
    }

private:
    bool m_Panels;
    EngineRoutines m_Engine;
};

struct NamedQtKey {
    int qt;
    ViewKey key;
};

constexpr NamedQtKey kKeys[] = {
    {Qt::Key_N, ViewKey::N},         {Qt::Key_P, ViewKey::P},         {Qt::Key_Return, ViewKey::Enter},
    {Qt::Key_Enter, ViewKey::Enter}, {Qt::Key_Escape, ViewKey::Esc},  {Qt::Key_Plus, ViewKey::Plus},
    {Qt::Key_Minus, ViewKey::Minus}, {Qt::Key_Asterisk, ViewKey::Star}, {Qt::Key_Up, ViewKey::Up},
    {Qt::Key_Down, ViewKey::Down},   {Qt::Key_Left, ViewKey::Left},   {Qt::Key_Right, ViewKey::Right},
    {Qt::Key_Home, ViewKey::Home},   {Qt::Key_End, ViewKey::End},     {Qt::Key_PageUp, ViewKey::PgUp},
    {Qt::Key_PageDown, ViewKey::PgDn},
};

} // namespace

GraphPane::GraphPane(QAbstractScrollArea& window, MeasurementViewState& view, CTmDoc& doc, const FormBuilder& builder,
                     AppSettings& settings)
    : QObject(&window), m_Window(window), m_View(view), m_Doc(doc), m_Settings(settings),
      m_Controller(view, doc, builder, settings, m_Dialogs)
{
    m_HoldTimer.setSingleShot(true);
    m_HoldTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_HoldTimer, &QTimer::timeout, this, &GraphPane::HoldTick);
}

void GraphPane::SetDialogs(ViewDialogs* dialogs) { m_Dialogs.target = dialogs; }

void GraphPane::UseShownGeometry()
{
    // The page's geometry is the record the view keeps in its own graph form
    // (GraphForm.Records), which the zoom and More options change.
    m_Controller.SetGeometry(const_cast<GraphGeometry*>(m_View.PageGeometry));
}

KeyModifiers GraphPane::Modifiers(Qt::KeyboardModifiers keys)
{
    return {(keys & Qt::ShiftModifier) != 0, (keys & Qt::ControlModifier) != 0, (keys & Qt::AltModifier) != 0};
}

KeyModifiers GraphPane::KeysNow() { return Modifiers(QGuiApplication::keyboardModifiers()); }

template <typename Call> bool GraphPane::Run(Call call)
{
    // A step's build may run an event loop (a long form's progress): what
    // comes meanwhile is dropped, so steps never pile up behind a slow build.
    if (m_Busy)
        return false;
    m_Busy = true;
    const std::uint8_t kind = m_View.ViewKind;
    const bool graph = m_View.GraphShown();
    UseShownGeometry();
    m_Controller.SetClientSize(m_Window.viewport()->width(), m_Window.viewport()->height());
    const bool result = call();
    m_Busy = false;
    if (!result)
        return false; // nothing acted
    if (m_View.GraphShown() && graph && kind == m_View.ViewKind)
        Refresh();
    else
        emit FormChanged();
    return result;
}

bool GraphPane::Command(int id)
{
    const KeyModifiers keys = KeysNow();
    return Run([&] { return m_Controller.Command(id, keys); });
}

std::span<const int> GraphPane::Commands()
{
    static constexpr int kCommands[] = {kChannelCommands[0], kChannelCommands[1], kChannelCommands[2],
                                        kChannelCommands[3], kChannelCommands[4], kUnitsChangeCommand,
                                        kZoomPlusCommand,    kZoomMinusCommand};
    return kCommands;
}

CommandUi GraphPane::CommandState(int id)
{
    CommandUi ui{false, false};
    if (id == kZoomPlusCommand || id == kZoomMinusCommand) {
        UseShownGeometry();
        ui.enabled = m_View.GraphShown() && m_Controller.ZoomEnabled(id == kZoomMinusCommand);
        return ui;
    }
    const ChannelFacts facts = ChannelFactsOf(m_Doc);
    if (id == kUnitsChangeCommand) {
        ui.enabled = UnitsChangeEnabled(m_View, facts);
        return ui;
    }
    for (int n = 1; n <= 5; ++n)
        if (id == kChannelCommands[n - 1])
            return UpdateSelectChannel(m_View, facts, n, KeysNow());
    return ui;
}

bool GraphPane::Key(const QKeyEvent& event)
{
    const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const NamedQtKey& k) { return k.qt == event.key(); });
    if (found == std::end(kKeys))
        return false;
    const KeyModifiers keys = Modifiers(event.modifiers());
    Run([&] {
        m_Controller.Key(found->key, keys);
        return true;
    });
    return true;
}

void GraphPane::MousePress(const QMouseEvent& event)
{
    const QPoint p = event.position().toPoint();
    if (event.button() == Qt::RightButton) {
        Run([&] {
            m_Controller.RightButton();
            return true;
        });
        return;
    }
    if (event.button() != Qt::LeftButton)
        return;
    Run([&] {
        m_Controller.LeftButton(true, p.x(), p.y());
        // The first step of the held button acts at once.
        m_Controller.Repeat().Tick(false);
        m_Controller.RepeatTick(false, false);
        return true;
    });
    ArmHoldTimer();
}

void GraphPane::MouseMove(const QMouseEvent& event)
{
    if (!(event.buttons() & Qt::LeftButton) || !m_View.Control.LeftButtonHeld)
        return;
    const QPoint p = event.position().toPoint();
    Run([&] {
        m_Controller.LeftButton(true, p.x(), p.y());
        return true;
    });
}

void GraphPane::MouseRelease(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    m_HoldTimer.stop();
    const QPoint p = event.position().toPoint();
    m_Controller.LeftButton(false, p.x(), p.y());
    m_Controller.Repeat().Tick(false);
}

void GraphPane::MouseDoubleClick(const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    const QPoint p = event.position().toPoint();
    Run([&] {
        m_Controller.DoubleClick(p.x(), p.y());
        return true;
    });
}

void GraphPane::HoldTick()
{
    if (!m_View.Control.LeftButtonHeld)
        return;
    // Ticks during a build are dropped by Run; the timer is armed again after it.
    Run([&] { return m_Controller.RepeatTick(false, false); });
    ArmHoldTimer();
}

void GraphPane::ArmHoldTimer()
{
    // Only a press that stepped on a plot repeats.
    if (!m_View.Control.LeftButtonHeld || !m_View.GraphShown() || m_Controller.Repeat().Count() == 0)
        return;
    const std::chrono::milliseconds due = m_Controller.Repeat().UntilDue();
    m_HoldTimer.start(std::max<int>(1, static_cast<int>(due.count())));
}

void GraphPane::SyncPlot()
{
    // What the controllers change without a build.
    GraphViewState& g = m_View.GraphForm.Plot;
    g.GraphSizeIndex = m_View.Graph.GraphSizeIndex;
    g.CursorOn = m_View.CursorOn;
    g.CursorIndex = m_View.CursorIndex;
    g.WindowStart = m_View.WindowStart;
    g.MarkState = m_View.MarkState;
    g.MarkedRange = {std::min(m_View.MarkedRange[0], m_View.MarkedRange[1]),
                     std::max(m_View.MarkedRange[0], m_View.MarkedRange[1])};
    const int scale = std::max(1, static_cast<int>(g.GraphScale));
    m_View.GraphScroll = {-m_Window.horizontalScrollBar()->value() / scale,
                          -m_Window.verticalScrollBar()->value() / scale};
    // The window follows a cursor moved past its edge before the panels are
    // compared with those painted.
    ClampGraphWindow(g);
}

void GraphPane::Refresh()
{
    if (!m_View.GraphShown() || !m_View.GraphForm.Available || m_View.Graph.PanelCount == 0) {
        m_Shown = QImage();
        m_PanelsValid = false;
        m_Window.viewport()->update();
        return;
    }
    SyncPlot();
    GraphViewState& g = m_View.GraphForm.Plot;
    const QSize port = m_Window.viewport()->size();
    const PanelsKey key{m_View.GraphForm.Builds, g.GraphSizeIndex, g.WindowStart, g.MarkState, g.MarkedRange,
                        g.CursorOn, port.width(), port.height()};
    if (!m_PanelsValid || !(key == m_Painted))
        PaintPanels(key);
    PaintCursor();
    m_View.CursorIndex = g.CursorIndex;
    m_View.WindowStart = g.WindowStart;
    m_Window.viewport()->update();
}

void GraphPane::PaintPanels(const PanelsKey& key)
{
    GraphViewState& g = m_View.GraphForm.Plot;
    if (!m_PanelsValid || key.builds != m_Painted.builds)
        m_GraphDoc = GraphDocumentOf(m_Doc, m_View);
    const GraphSettings settings = GraphSettingsOf(m_Settings, m_Doc.App().NonMetric != 0);
    const int scale = std::max(1, static_cast<int>(g.GraphScale));
    GraphGeometry geometry = g.Geometry;
    // Room for every panel and a date line; what is left over stays background.
    const int panelHeight = GetPlotMargins(geometry, g.GraphSizeIndex, false, g.RtMode != 0) + 40;
    const int panels = std::max<int>(1, m_View.Graph.PanelCount);
    const int pageWidth = ComputeGraphPageSize(g.GraphScale, false, false, g.GraphSizeIndex != 0, g.Geometry).width;
    const QSize port = m_Window.viewport()->size();
    QImage image(std::max({port.width(), pageWidth, kGraphBitmapWidth}),
                 std::max(port.height(), panels * panelHeight * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    PassRoutines routines(true);
    GraphPaintResult result;
    {
        QtPainterCanvas canvas(image);
        result = PaintGraph(canvas, g, m_GraphDoc, settings, routines);
    }
    m_Panels = std::move(image);
    m_PaintedHeight = result.height;
    m_Painted = key;
    m_Painted.windowStart = g.WindowStart; // a decay cursor request may have moved the window
    m_PanelsValid = true;
    ++m_PanelPaints;

    // The scroll bars reach the ends of what the panels take.
    QScrollBar* h = m_Window.horizontalScrollBar();
    QScrollBar* v = m_Window.verticalScrollBar();
    const QSignalBlocker blockH(h);
    const QSignalBlocker blockV(v);
    h->setRange(0, std::max(0, m_Panels.width() - port.width()));
    h->setPageStep(port.width());
    v->setRange(0, std::max(0, result.height - port.height()));
    v->setPageStep(port.height());
}

void GraphPane::PaintCursor()
{
    m_Shown = m_Panels.copy();
    ++m_CursorPaints;
    GraphViewState& g = m_View.GraphForm.Plot;
    if (g.CursorOn == 0)
        return;
    PassRoutines routines(false);
    QtPainterCanvas canvas(m_Shown);
    PaintGraph(canvas, g, m_GraphDoc, GraphSettingsOf(m_Settings, m_Doc.App().NonMetric != 0), routines);
}

void GraphPane::Paint(QPainter& painter) const
{
    if (m_Shown.isNull())
        return;
    painter.drawImage(QPoint(-m_Window.horizontalScrollBar()->value(), -m_Window.verticalScrollBar()->value()),
                      m_Shown);
}

} // namespace orlu
