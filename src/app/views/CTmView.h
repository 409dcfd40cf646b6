#pragma once
// The measurement view: one per measurement document window. It keeps its
// state in a MeasurementViewState, builds its forms through the FormBuilder,
// and here only turns Qt events into those calls and paints the visible lines
// of the text, table, hex and ASCII forms. Long forms are built on a worker
// thread behind a progress dialog (QtLongFormRunner).

#include "app/views/GraphPane.h"
#include "app/views/QtLongFormRunner.h"
#include "presentation/AppSettings.h"
#include "presentation/CommandTarget.h"
#include "presentation/MeasurementDocument.h"
#include "presentation/view/BufferBlockCommands.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewController.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QTimer>

#include <memory>

namespace orlu {

class CTmView : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    CTmView(MeasurementDocument& document, const FormRendererRegistry& renderers, AppSettings& settings,
            QWidget* parent = nullptr);

    MeasurementViewState& State() { return m_State; }
    const MeasurementViewState& State() const { return m_State; }
    CTmDoc& Doc() const { return m_Document.Doc(); }
    /// The dialogs the view's controllers open; they answer Cancel until the program gives its own.
    ViewDialogs& Dialogs() { return *m_Dialogs; }
    void SetDialogs(std::unique_ptr<ViewDialogs> dialogs)
    {
        m_Dialogs = std::move(dialogs);
        m_Graph->SetDialogs(m_Dialogs.get());
    }

    /// The first form of a new view: the header information, or by the
    /// document's kind the settings text or the hex dump.
    void OnInitialUpdate();
    /// Builds the form shown again, after the document changed.
    Q_INVOKABLE void RebuildForm();
    /// Scroll bars and repaint after the state changed.
    void UpdateTextScrollBars();
    /// The builder the view's controllers build its forms with.
    const FormBuilder& Builder() const { return m_Builder; }
    /// Shows the form a controller built or changed.
    void ShowBuiltForm() { AfterBuild(); }
    /// The graph form: its image, controllers and held-button timer.
    GraphPane& Graph() { return *m_Graph; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RegisterCommands();
    void CreateScreenFont();
    void Scroll(bool vertical, ScrollCode code);
    ViewPoint DocumentPoint(QPoint pos) const;
    void AfterBuild();
    /// A tick of the drag past the window's edge: the lines scroll a step and the block follows the mouse.
    void DragScrollTick();
    /// Carries out what a command left the view to do.
    void Refresh(ViewRefresh refresh);

    MeasurementDocument& m_Document;
    AppSettings& m_Settings;
    QtLongFormRunner m_LongForms; ///< before the builder, which uses it
    FormBuilder m_Builder;
    MeasurementViewState m_State;
    GraphPane* m_Graph = nullptr; ///< a child of the view
    QFont m_ScreenFont;
    bool m_SyncingBars = false;
    std::unique_ptr<ViewDialogs> m_Dialogs = std::make_unique<CancelDialogs>();
    QTimer m_DragScroll; ///< scrolls while a block is dragged past the window's edge
    QPoint m_DragPoint;
};

} // namespace orlu
