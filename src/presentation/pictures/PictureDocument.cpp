#include "presentation/pictures/PictureDocument.h"

#include "platform/FileIo.h"
#include "presentation/CommandTable.h"

namespace orlu {

PictureDocument::PictureDocument(PictureServices services, std::string viewCopySuffix)
    : m_Services(services), m_ViewCopySuffix(std::move(viewCopySuffix))
{
    OnCommand(kIdFileSaveAs, [this] { OnFileSaveAs(); });
    OnCommand(kIdFileSave, [this] { OnFileSave(); });
}

void PictureDocument::SetTitle(const std::string& title)
{
    m_BaseTitle = title;
    ComposeTitle();
}

void PictureDocument::ComposeTitle()
{
    // "Not from disk" is having no file: a file name without '.' is still a file.
    const std::string suffix = NotFromDisk() ? m_ViewCopySuffix : std::string(" - graph (disk file)");
    std::string base = m_BaseTitle;
    if (base.size() + suffix.size() > kMaxTitle)
        base.resize(kMaxTitle > suffix.size() ? kMaxTitle - suffix.size() : 0);
    m_Title = base + suffix;
}

bool PictureDocument::OpenDocument(const std::string& path)
{
    std::string error;
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, &error);
    if (bytes && Decode(*bytes, &error)) {
        m_Path = path;
        SetTitle(m_Path.filename().string());
        return true;
    }
    m_Services.context.Ui->ShowMessage(path + "\n\n" + error, kMessageCaption, MessageButtons::Ok,
                                       MessageIcon::Warning);
    return false;
}

void PictureDocument::OnFileSaveAs()
{
    std::filesystem::path written = m_Services.saveAs.SaveAs(
        TemplateId(), m_Path, m_BaseTitle, [this](const std::filesystem::path& target, std::string* error) {
            return WriteFileAtomically(target, Encode(), error);
        });
    m_LastSaveOk = !written.empty();
    if (m_LastSaveOk) {
        m_Path = written;
        SetTitle(m_Path.filename().string());
    }
}

void PictureDocument::OnFileSave()
{
    if (m_NewDocFlag || NotFromDisk())
        OnFileSaveAs();
}

bool PictureDocument::SaveModified()
{
    if (!NotFromDisk())
        return true;
    CloseAllState& all = m_Services.context.CloseAll;
    const bool forced = m_SaveOnClose;
    m_SaveOnClose = false;
    for (;;) {
        QuestionAnswer answer = QuestionAnswer::Yes;
        if (!forced) {
            if (all.YesToAll)
                answer = QuestionAnswer::YesForAll;
            else if (all.NoToAll)
                answer = QuestionAnswer::NoForAll;
            else
                answer = all.ClosingAll ? m_Services.context.Ui->AskQuestionAll("Save " + m_Title + "?")
                                        : m_Services.context.Ui->AskQuestion("Save " + m_Title + "?");
        }
        if (answer == QuestionAnswer::Cancel) {
            all.Cancelled = true;
            return false;
        }
        if (answer == QuestionAnswer::YesForAll)
            all.YesToAll = true;
        if (answer == QuestionAnswer::NoForAll)
            all.NoToAll = true;
        if (answer == QuestionAnswer::No || answer == QuestionAnswer::NoForAll)
            break;
        OnFileSaveAs();
        // A hidden document's Save As ends it either way: its only window is the dialog.
        if (m_LastSaveOk || forced)
            break;
        all.YesToAll = false;
    }
    if (m_NewDocFlag) {
        m_NewDocFlag = false;
        --m_Services.context.UnsavedDocumentCount;
    }
    return true;
}

} // namespace orlu
