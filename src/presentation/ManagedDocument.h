#pragma once
// A document as the document manager holds it: the operations the manager
// runs on every kind of document, and a command target (the second stop of a
// command after the active view).

#include "presentation/CommandTarget.h"

#include <functional>
#include <string>

namespace orlu {

class ManagedDocument : public CommandTarget {
public:
    /// The title shown on frames (the file name for a document from disk).
    virtual std::string Title() const = 0;
    /// Proposes a title ("Binary1" for a new document); the document may build its own from it.
    virtual void SetTitle(const std::string& title) = 0;
    /// The full path of the document's file, empty for a new document.
    virtual std::string PathName() const = 0;
    virtual bool IsModified() const = 0;
    /// Builds a new document without a file; false discards it.
    virtual bool NewDocument() = 0;
    /// Reads the file; false discards the document (it has reported why).
    virtual bool OpenDocument(const std::string& path) = 0;
    /// Asks the save questions; false keeps the document open.
    virtual bool SaveModified() = 0;
    /// Releases the contents as the document is closed.
    virtual void CloseDocument() = 0;

    /// Who builds the document's views again (the window system, which knows them).
    void SetViewUpdater(std::function<void(ManagedDocument&)> updater) { m_ViewUpdater = std::move(updater); }
    /// Every view of the document builds its form again, after a change that alters what they show.
    void UpdateAllViews()
    {
        if (m_ViewUpdater)
            m_ViewUpdater(*this);
    }

private:
    std::function<void(ManagedDocument&)> m_ViewUpdater;
};

} // namespace orlu
