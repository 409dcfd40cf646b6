#pragma once
// The graph form in the measurement window. Keys, the mouse and the graph
// commands go to the view's controllers (as orlu-dump runs them headless),
// with the Shift/Ctrl/Alt state of the event. The graph engine paints the
// panels into a cached image only when the data were built anew or what the
// panels show changed (size, window, markers, the window's size); a cursor
// move copies that image and paints only the cursor and its read-outs over
// it, in XOR, so neither a renderer nor the panels run again. A left button
// held on a plot repeats through a timer on the controller's schedule; a
// tick that comes while a step is still being built is dropped.

#include "graph/PlotStateDocument.h"
#include "presentation/AppSettings.h"
#include "presentation/CommandTarget.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/ViewController.h"

#include <QImage>
#include <QObject>
#include <QTimer>

#include <array>
#include <span>
#include <cstdint>

class QAbstractScrollArea;
class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace orlu {

class CTmDoc;

class GraphPane : public QObject {
    Q_OBJECT
public:
    GraphPane(QAbstractScrollArea& window, MeasurementViewState& view, CTmDoc& doc, const FormBuilder& builder,
              AppSettings& settings);

    ViewController& Controller() { return m_Controller; }
    /// The dialogs the graph commands open; without them every dialog is cancelled.
    void SetDialogs(ViewDialogs* dialogs);

    /// Shift, Ctrl and Alt as the keyboard holds them now (for commands, which carry none).
    static KeyModifiers KeysNow();
    /// A command of the controller with the keyboard's Shift/Ctrl/Alt now.
    /// False when it is not the controller's, is disabled, or came while a
    /// step was still being built (dropped, never queued).
    bool Command(int id);
    /// The channel buttons, Units change and the zoom: the commands that go
    /// to the controller with the update of their buttons here.
    static std::span<const int> Commands();
    /// Enabled and checked state of one of Commands().
    CommandUi CommandState(int id);
    /// A key; false when the graph does not take it.
    bool Key(const QKeyEvent& event);
    void MousePress(const QMouseEvent& event);
    void MouseMove(const QMouseEvent& event);
    void MouseRelease(const QMouseEvent& event);
    void MouseDoubleClick(const QMouseEvent& event);

    /// After a build, a controller's call, a scroll or a resize: brings the
    /// image up to date (the panels only when needed) and asks for a repaint.
    void Refresh();
    /// Blits the image at the scroll position.
    void Paint(QPainter& painter) const;

    /// True while a controller's call (and the build it asked for) runs.
    bool Busy() const { return m_Busy; }
    /// A tick of the held-button timer on a plot.
    void HoldTick();
    const QTimer& HoldTimer() const { return m_HoldTimer; }

    const QImage& Image() const { return m_Shown; }
    /// The height the panels drawn take, device pixels.
    int GraphHeight() const { return m_PaintedHeight; }
    /// Paints of the panels, and of the cursor alone, since the pane was made.
    int PanelPaints() const { return m_PanelPaints; }
    int CursorPaints() const { return m_CursorPaints; }

signals:
    /// A call of the controller left the view in another form or kind: the window builds its lines again.
    void FormChanged();

private:
    /// What the cached panels were painted with.
    struct PanelsKey {
        std::uint32_t builds = 0;
        std::int32_t sizeIndex = 0;
        std::int32_t windowStart = 0;
        std::uint8_t markState = 0;
        std::array<std::int32_t, 2> marked{};
        std::int32_t cursorOn = 0;
        int width = 0;
        int height = 0;
        bool operator==(const PanelsKey&) const = default;
    };

    /// The dialogs given by SetDialogs, else Cancel.
    class DialogsPort : public ViewDialogs {
    public:
        ViewDialogs* target = nullptr;
        void RunSpectraFunctions(SpectraFunctionsModel& dialog) override { Target().RunSpectraFunctions(dialog); }
        void RunBlockOperations(BlockOperationsModel& dialog) override { Target().RunBlockOperations(dialog); }
        std::optional<std::uint16_t> RunTableChannels(std::uint16_t offered, std::uint16_t selected) override
        {
            return Target().RunTableChannels(offered, selected);
        }
        void RunMoreOptions() override { Target().RunMoreOptions(); }

    private:
        ViewDialogs& Target() { return target ? *target : m_Cancel; }
        CancelDialogs m_Cancel;
    };

    template <typename Call> bool Run(Call call);
    void UseShownGeometry();
    static KeyModifiers Modifiers(Qt::KeyboardModifiers keys);
    void SyncPlot();
    void PaintPanels(const PanelsKey& key);
    void PaintCursor();
    void ArmHoldTimer();

    QAbstractScrollArea& m_Window;
    MeasurementViewState& m_View;
    CTmDoc& m_Doc;
    AppSettings& m_Settings;
    DialogsPort m_Dialogs;
    ViewController m_Controller;
    PlotStateDocument m_GraphDoc;
    QImage m_Panels; ///< the panels without cursor and read-outs
    QImage m_Shown;  ///< the panels with them: what the window shows
    PanelsKey m_Painted;
    bool m_PanelsValid = false;
    int m_PaintedHeight = 0;
    int m_PanelPaints = 0;
    int m_CursorPaints = 0;
    bool m_Busy = false;
    QTimer m_HoldTimer;
};

} // namespace orlu
