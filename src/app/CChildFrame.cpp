#include "app/CChildFrame.h"

#include "app/QtText.h"
#include "presentation/ManagedDocument.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace orlu {

CChildFrame::CChildFrame(ManagedDocument& document, QWidget* view, std::function<void(CChildFrame&)> closeRequest)
    : m_Document(document), m_CloseRequest(std::move(closeRequest))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowTitle(DisplayText(document.Title()));
}

CommandTarget* CChildFrame::ViewTarget() const { return dynamic_cast<CommandTarget*>(widget()); }

void CChildFrame::ActivateFrame(bool maximized)
{
    if (maximized)
        showMaximized();
    else
        show();
    if (mdiArea())
        mdiArea()->setActiveSubWindow(this);
}

void CChildFrame::CloseForDocument()
{
    m_DocumentClosing = true;
    close();
}

void CChildFrame::UpdateView()
{
    // Views that cannot rebuild (a plain label) are left alone, without Qt's warning.
    if (widget() && widget()->metaObject()->indexOfMethod("RebuildForm()") >= 0)
        QMetaObject::invokeMethod(widget(), "RebuildForm", Qt::DirectConnection);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_DocumentClosing || !m_CloseRequest) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    // The document decides (its save questions) and closes this frame itself
    // when it goes; that close must not nest inside this one.
    event->ignore();
    QMetaObject::invokeMethod(this, [this] { m_CloseRequest(*this); }, Qt::QueuedConnection);
}

} // namespace orlu
