#pragma once
// The text view: a text document's lines or hex dump in the fixed font, with
// block marking, Copy, Select All, scrolling and printing. Its state and
// rules live in the TextViewModel; here Qt events become calls on it.

#include "presentation/AppSettings.h"
#include "presentation/CommandTarget.h"
#include "presentation/TextDocument.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/TextViewModel.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QTimer>

namespace orlu {

class CTmView1 : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    /// View menu commands of the text view.
    static constexpr int kTextModeCommand = 32877;
    static constexpr int kHexaCommand = 32778;
    static constexpr int kSelectAllCommand = 32863;

    CTmView1(TextDocument& document, const AppSettings& settings, QWidget* parent = nullptr);

    TextViewModel& Model() { return m_Model; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RegisterCommands();
    void CreateScreenFont();
    void UpdateTextScrollBars();
    void Scroll(bool vertical, ScrollCode code);
    ViewPoint DocumentPoint(QPoint pos) const;
    /// After the form changed: scroll bars and repaint.
    void AfterSwitch();
    /// One step of a drag held near or past an edge; the timer repeats it.
    void DragStep();

    TextDocument& m_Document;
    TextViewModel m_Model;
    QFont m_ScreenFont;
    bool m_SyncingBars = false;
    bool m_ClipboardHasText = false; ///< kept by the clipboard's change signal for Paste's enabling
    QTimer m_DragTimer;              ///< scrolls a held drag every 100 ms until the mouse moves again
    QPoint m_DragPosition;           ///< where the held button is, in the viewport
};

} // namespace orlu
