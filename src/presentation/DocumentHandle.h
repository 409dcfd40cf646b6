#pragma once
// A program document (DocumentBase) as the document manager holds it.

#include "platform/DocumentBase.h"
#include "presentation/ManagedDocument.h"

#include <memory>

namespace orlu {

class DocumentHandle : public ManagedDocument {
public:
    explicit DocumentHandle(std::unique_ptr<DocumentBase> document) : m_Document(std::move(document)) {}

    DocumentBase& Document() const { return *m_Document; }

    std::string Title() const override { return m_Document->Title(); }
    void SetTitle(const std::string& title) override { m_Document->SetTitle(title); }
    std::string PathName() const override { return m_Document->PathName().string(); }
    bool IsModified() const override { return m_Document->IsModified(); }
    bool NewDocument() override { return m_Document->OnNewDocument(); }
    bool OpenDocument(const std::string& path) override
    {
        if (!m_Document->OnOpenDocument(path))
            return false;
        m_Document->SetPathName(path);
        return true;
    }
    bool SaveModified() override { return m_Document->SaveModified(); }
    void CloseDocument() override { m_Document->OnCloseDocument(); }

private:
    std::unique_ptr<DocumentBase> m_Document;
};

} // namespace orlu
