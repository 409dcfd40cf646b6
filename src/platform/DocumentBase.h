#pragma once
// The program's document: what every kind of document window shows data of.
// It keeps the title, the path name and the modified flag, and runs the
// new, open, save and close steps over an Archive. Derived documents give
// Serialize and refine the hooks; the document manager of the application
// creates documents, sets their path names and removes them when closed.
//
// Open:  OnOpenDocument(path) loads through Serialize; the manager then calls
//        SetPathName(path), which also sets the title from the file name.
// Save:  OnSaveDocument(path) stores through Serialize and writes the file
//        atomically; the caller sets the new path name after a Save As.
// Close: CloseDocument() asks SaveModified() and, when it allows, runs
//        OnCloseDocument(), which tells the manager through the close handler.

#include "platform/Archive.h"
#include "platform/UserInteraction.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orlu {

class DocumentBase {
public:
    explicit DocumentBase(UserInteraction& ui) : m_Ui(&ui) {}
    virtual ~DocumentBase() = default;
    DocumentBase(const DocumentBase&) = delete;
    DocumentBase& operator=(const DocumentBase&) = delete;

    /// The window title.
    const std::string& Title() const { return m_Title; }
    /// Sets the window title; derived documents build their own from the proposal.
    virtual void SetTitle(std::string_view title) { m_Title = title; }

    /// The file the document was opened from or last saved to; empty when none.
    const std::filesystem::path& PathName() const { return m_PathName; }
    /// Sets the path name and, unless told otherwise, the title from its file name.
    void SetPathName(const std::filesystem::path& path, bool setTitle = true);

    bool IsModified() const { return m_Modified; }
    void SetModifiedFlag(bool modified = true) { m_Modified = modified; }

    /// Fills a new document without a file. The base clears the path and the modified flag.
    virtual bool OnNewDocument();
    /// Loads the file through Serialize; false (after a message) when it cannot be read.
    virtual bool OnOpenDocument(const std::filesystem::path& path);
    /// Stores through Serialize and writes the file atomically; false (after a
    /// message) when storing or writing failed, the earlier file left intact.
    virtual bool OnSaveDocument(const std::filesystem::path& path);
    /// Asked before the document closes; true lets it close. The base asks
    /// "Save <title>?" for a modified document and saves on Yes.
    virtual bool SaveModified();
    /// Loads from or stores into the archive.
    virtual void Serialize(Archive& archive);
    /// The document is closing: the close handler is told.
    virtual void OnCloseDocument();

    /// The close command: SaveModified, then OnCloseDocument. False when the close was refused.
    bool CloseDocument();

    /// Who is told when the document has closed (the document manager).
    void SetCloseHandler(std::function<void(DocumentBase&)> handler) { m_CloseHandler = std::move(handler); }

    UserInteraction& Ui() const { return *m_Ui; }

protected:
    /// The port the document's messages and questions go to from now on.
    void SetUi(UserInteraction& ui) { m_Ui = &ui; }
    /// Saves the document where it lives; the base needs a path name. True when stored.
    virtual bool DoFileSave();

private:
    UserInteraction* m_Ui;
    std::string m_Title;
    std::filesystem::path m_PathName;
    bool m_Modified = false;
    std::function<void(DocumentBase&)> m_CloseHandler;
};

} // namespace orlu
