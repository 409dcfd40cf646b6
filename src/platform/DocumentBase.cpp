#include "platform/DocumentBase.h"

#include "platform/FileIo.h"

namespace orlu {

void DocumentBase::SetPathName(const std::filesystem::path& path, bool setTitle)
{
    m_PathName = path;
    if (setTitle)
        SetTitle(path.filename().string());
}

bool DocumentBase::OnNewDocument()
{
    m_PathName.clear();
    m_Modified = false;
    return true;
}

bool DocumentBase::OnOpenDocument(const std::filesystem::path& path)
{
    try {
        Archive archive = Archive::ForLoading(path);
        Serialize(archive);
    } catch (const std::exception& e) {
        // The loader has already shown what it knows; this is the file system's word.
        Ui().ShowMessage(std::string("Failed to open document.\n") + e.what(), kMessageCaption, MessageButtons::Ok,
                         MessageIcon::Warning);
        return false;
    }
    m_Modified = false;
    return true;
}

bool DocumentBase::OnSaveDocument(const std::filesystem::path& path)
{
    std::string error;
    try {
        Archive archive = Archive::ForStoring(path);
        Serialize(archive);
        if (WriteFileAtomically(path, archive.StoredBytes(), &error)) {
            m_Modified = false;
            return true;
        }
    } catch (const std::exception& e) {
        error = e.what();
    }
    Ui().ShowMessage("Failed to save document.\n" + error, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

bool DocumentBase::DoFileSave()
{
    return !m_PathName.empty() && OnSaveDocument(m_PathName);
}

bool DocumentBase::SaveModified()
{
    if (!m_Modified)
        return true;
    switch (Ui().AskQuestion("Save " + m_Title + "?")) {
    case QuestionAnswer::Cancel:
        return false;
    case QuestionAnswer::Yes:
    case QuestionAnswer::YesForAll:
        return DoFileSave();
    default:
        return true;
    }
}

void DocumentBase::Serialize(Archive&) {}

void DocumentBase::OnCloseDocument()
{
    if (m_CloseHandler)
        m_CloseHandler(*this);
}

bool DocumentBase::CloseDocument()
{
    if (!SaveModified())
        return false;
    OnCloseDocument();
    return true;
}

} // namespace orlu
