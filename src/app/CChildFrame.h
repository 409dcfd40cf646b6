#pragma once
// The frame of one view inside the main frame's MDI area. It routes commands
// (the third stop, after the view and the document) and decides at
// activation whether it shows maximized.

#include "presentation/CommandTarget.h"

#include <QMdiSubWindow>

#include <functional>

namespace orlu {

class ManagedDocument;

class CChildFrame : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT
public:
    /// The frame takes the view; closeRequest runs when the user closes the frame.
    CChildFrame(ManagedDocument& document, QWidget* view, std::function<void(CChildFrame&)> closeRequest);

    ManagedDocument& Document() const { return m_Document; }
    /// The view's command target, null when the view handles no commands.
    CommandTarget* ViewTarget() const;

    /// Shows the frame maximized when maximized is set, else normally.
    void ActivateFrame(bool maximized);
    /// Closes the frame without asking anything (the document is going).
    void CloseForDocument();
    /// Has the view build its form again from the document (views that can, through their RebuildForm).
    void UpdateView();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ManagedDocument& m_Document;
    std::function<void(CChildFrame&)> m_CloseRequest;
    bool m_DocumentClosing = false;
};

} // namespace orlu
