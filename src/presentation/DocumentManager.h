#pragma once
// The documents of the program and the templates that make them: opening a
// file through the template that matches its name, new documents, closing
// with the save questions, and the recent-file list. Frames and views are made
// by the window system layer through DocumentFrameHost.

#include "platform/UserInteraction.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/ManagedDocument.h"
#include "presentation/RecentFileList.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// What the window system does for the document manager.
class DocumentFrameHost {
public:
    virtual ~DocumentFrameHost() = default;
    /// Makes the child frame and the view of a new visible document.
    virtual void ShowDocument(ManagedDocument& document, int templateId) = 0;
    /// Brings a document's frame to the front.
    virtual void ActivateDocument(ManagedDocument& document) = 0;
    /// Destroys the frames of a document that is being closed.
    virtual void RemoveDocument(ManagedDocument& document) = 0;
};

class DocumentManager {
public:
    using Factory = std::function<std::unique_ptr<ManagedDocument>()>;

    explicit DocumentManager(UserInteraction& ui) : m_Ui(ui) {}
    ~DocumentManager();
    DocumentManager(const DocumentManager&) = delete;
    DocumentManager& operator=(const DocumentManager&) = delete;

    void SetFrameHost(DocumentFrameHost* host) { m_Host = host; }

    /// Registers the document class of a template (its row in DocTemplateTable).
    void RegisterTemplate(int templateId, Factory factory);

    /// The registered template whose filter matches the file's name, else the
    /// first registered template (an unknown file still opens, as raw data).
    int TemplateForFile(const std::string& path) const;

    /// Opens a file as a document: a file already open is activated; a file
    /// that cannot be read is reported ("name\n\nFile could not be opened !!!")
    /// and leaves the recent-file list. Null when nothing was opened.
    ManagedDocument* OpenDocumentFile(const std::string& path);
    /// A new document without a file, titled after its template ("Binary1",
    /// "Old2"); hidden documents get no frame. Null when it refused.
    ManagedDocument* NewDocument(int templateId, bool visible);

    /// Asks the document's save questions, then closes it; false when it stays open.
    bool CloseDocument(ManagedDocument& document);
    /// Closes a document without a question, leaving its file as it is.
    void DiscardDocument(ManagedDocument& document);
    /// Closes the documents of the templates in the given order, each through
    /// CloseDocument; stops at the first document that stays open (its save
    /// question was cancelled). False when it stopped.
    bool CloseDocuments(std::span<const int> templateOrder);

    std::vector<ManagedDocument*> Documents(int templateId) const;
    std::vector<ManagedDocument*> AllDocuments() const;

    RecentFileList& RecentFiles() { return m_Recent; }
    const RecentFileList& RecentFiles() const { return m_Recent; }

private:
    struct Entry {
        int templateId;
        std::unique_ptr<ManagedDocument> document;
        bool visible;
    };
    struct TemplateEntry {
        int id;
        Factory factory;
        int untitledCount = 0;
    };
    const TemplateEntry* FindTemplate(int id) const;
    TemplateEntry* FindTemplate(int id);
    ManagedDocument* FindOpen(const std::string& path) const;
    std::unique_ptr<ManagedDocument> Remove(ManagedDocument& document);

    UserInteraction& m_Ui;
    DocumentFrameHost* m_Host = nullptr;
    std::vector<TemplateEntry> m_Templates;
    std::vector<Entry> m_Documents;
    RecentFileList m_Recent;
};

} // namespace orlu
