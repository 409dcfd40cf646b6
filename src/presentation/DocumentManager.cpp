#include "presentation/DocumentManager.h"

#include "presentation/FindById.h"

#include "platform/Archive.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

namespace orlu {
namespace {

std::string ComparablePath(const std::string& path)
{
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : canonical.string();
}

} // namespace

DocumentManager::~DocumentManager()
{
    // Documents still open at destruction go without questions.
    while (!m_Documents.empty())
        DiscardDocument(*m_Documents.back().document);
}

void DocumentManager::RegisterTemplate(int templateId, Factory factory)
{
    m_Templates.push_back({templateId, std::move(factory)});
}

const DocumentManager::TemplateEntry* DocumentManager::FindTemplate(int id) const
{
    return FindById(std::span<const TemplateEntry>(m_Templates), id);
}

DocumentManager::TemplateEntry* DocumentManager::FindTemplate(int id)
{
    return FindById(std::span<TemplateEntry>(m_Templates), id);
}

int DocumentManager::TemplateForFile(const std::string& path) const
{
    if (m_Templates.empty())
        return 0;
    std::string name = std::filesystem::path(path).filename().string();
    for (const TemplateEntry& t : m_Templates) {
        const DocTemplateInfo* info = FindDocTemplate(t.id);
        if (info && TemplateMatchesFile(*info, name))
            return t.id;
    }
    return m_Templates.front().id;
}

ManagedDocument* DocumentManager::FindOpen(const std::string& path) const
{
    std::string wanted = ComparablePath(path);
    for (const Entry& e : m_Documents)
        if (!e.document->PathName().empty() && ComparablePath(e.document->PathName()) == wanted)
            return e.document.get();
    return nullptr;
}

ManagedDocument* DocumentManager::OpenDocumentFile(const std::string& name)
{
    // Documents and the recent-file list keep full paths, whatever folder the program runs in.
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(name, ec);
    const std::string path = ec ? name : full.lexically_normal().string();
    if (ManagedDocument* open = FindOpen(path)) {
        if (m_Host)
            m_Host->ActivateDocument(*open);
        return open;
    }
    const TemplateEntry* t = std::as_const(*this).FindTemplate(TemplateForFile(path));
    // Only a regular file is opened to try it: a named pipe would keep the open waiting for a writer.
    if (!t || !Archive::WhyNotLoadable(path).empty() || !std::ifstream(path, std::ios::binary)) {
        m_Ui.ShowMessage(path + "\n\nFile could not be opened !!!", kMessageCaption, MessageButtons::Ok,
                         MessageIcon::Warning);
        m_Recent.Remove(path);
        return nullptr;
    }
    std::unique_ptr<ManagedDocument> document = t->factory();
    if (!document->OpenDocument(path)) {
        document->CloseDocument();
        m_Recent.Remove(path);
        return nullptr;
    }
    m_Recent.Add(document->PathName().empty() ? path : document->PathName());
    ManagedDocument* result = document.get();
    m_Documents.push_back({t->id, std::move(document), true});
    if (m_Host)
        m_Host->ShowDocument(*result, t->id);
    return result;
}

ManagedDocument* DocumentManager::NewDocument(int templateId, bool visible)
{
    TemplateEntry* t = FindTemplate(templateId);
    if (!t)
        return nullptr;
    std::unique_ptr<ManagedDocument> document = t->factory();
    // The title comes first: the document builds it from what is pending for it.
    const DocTemplateInfo* info = FindDocTemplate(templateId);
    std::string docName = info ? std::string(DocStringPart(info->docString, DocStringField::DocName)) : "Untitled";
    document->SetTitle(docName + std::to_string(++t->untitledCount));
    if (!document->NewDocument()) {
        document->CloseDocument();
        return nullptr;
    }
    ManagedDocument* result = document.get();
    m_Documents.push_back({templateId, std::move(document), visible});
    if (visible && m_Host)
        m_Host->ShowDocument(*result, templateId);
    return result;
}

std::unique_ptr<ManagedDocument> DocumentManager::Remove(ManagedDocument& document)
{
    auto it = std::find_if(m_Documents.begin(), m_Documents.end(),
                           [&](const Entry& e) { return e.document.get() == &document; });
    if (it == m_Documents.end())
        return nullptr;
    std::unique_ptr<ManagedDocument> owned = std::move(it->document);
    bool visible = it->visible;
    m_Documents.erase(it);
    if (visible && m_Host)
        m_Host->RemoveDocument(*owned);
    return owned;
}

bool DocumentManager::CloseDocument(ManagedDocument& document)
{
    if (!document.SaveModified())
        return false;
    DiscardDocument(document);
    return true;
}

void DocumentManager::DiscardDocument(ManagedDocument& document)
{
    if (std::unique_ptr<ManagedDocument> owned = Remove(document))
        owned->CloseDocument();
}

bool DocumentManager::CloseDocuments(std::span<const int> templateOrder)
{
    for (int templateId : templateOrder) {
        for (ManagedDocument* document : Documents(templateId)) {
            if (!CloseDocument(*document))
                return false;
        }
    }
    return true;
}

std::vector<ManagedDocument*> DocumentManager::Documents(int templateId) const
{
    std::vector<ManagedDocument*> list;
    for (const Entry& e : m_Documents)
        if (e.templateId == templateId)
            list.push_back(e.document.get());
    return list;
}

std::vector<ManagedDocument*> DocumentManager::AllDocuments() const
{
    std::vector<ManagedDocument*> list;
    for (const Entry& e : m_Documents)
        list.push_back(e.document.get());
    return list;
}

} // namespace orlu
