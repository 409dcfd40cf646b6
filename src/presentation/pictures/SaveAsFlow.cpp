#include "presentation/pictures/SaveAsFlow.h"

#include "presentation/AppSettings.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/RecentFileList.h"

#include <algorithm>
#include <cctype>

namespace orlu {
namespace {

std::string TemplateExtension(int templateId)
{
    const DocTemplateInfo* info = FindDocTemplate(templateId);
    return info ? std::string(DocStringPart(info->docString, DocStringField::FilterExt)) : std::string();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

SaveAsPrompt MakeSaveAsPrompt(int templateId, const std::filesystem::path& pathName, const std::string& title,
                              const std::string& outputFolder)
{
    SaveAsPrompt prompt;
    prompt.folder = outputFolder;
    const std::string ext = TemplateExtension(templateId);
    if (!pathName.empty()) {
        prompt.proposedName = pathName.filename().string();
        if (pathName.has_parent_path())
            prompt.folder = pathName.parent_path().string();
    } else {
        prompt.proposedName = title.substr(0, title.find_first_of(" #%;/\\")) + Lower(ext);
    }
    // The Open dialog's filter of the template (its row in template order), so that both cases of the extension show.
    const auto templates = DocTemplates();
    const std::vector<std::string> filters = OpenDialogFilters();
    for (std::size_t i = 0; i < templates.size() && i < filters.size(); ++i)
        if (templates[i].id == templateId)
            prompt.filter = filters[i];
    if (!ext.empty() && ext.front() == '.' && ext.find(';') == std::string::npos)
        prompt.defaultSuffix = Lower(ext.substr(1));
    return prompt;
}

std::string CompleteSaveName(int templateId, const std::string& chosen)
{
    const DocTemplateInfo* info = FindDocTemplate(templateId);
    if (chosen.empty() || !info)
        return chosen;
    std::filesystem::path path(chosen);
    if (TemplateMatchesFile(*info, path.filename().string()) || path.has_extension())
        return chosen;
    const std::string ext = TemplateExtension(templateId);
    return ext.find(';') == std::string::npos ? chosen + Lower(ext) : chosen;
}

std::filesystem::path SaveAsFlow::SaveAs(int templateId, const std::filesystem::path& pathName,
                                         const std::string& title, const Writer& write)
{
    if (!m_Prompt)
        return {};
    std::string chosen = CompleteSaveName(
        templateId, m_Prompt(MakeSaveAsPrompt(templateId, pathName, title, m_Settings.OutputPath)));
    if (chosen.empty())
        return {};
    std::string error;
    bool written = false;
    {
        WaitCursor wait(m_Ui);
        written = write(chosen, &error);
    }
    if (!written) {
        m_Ui.ShowMessage("Failed to save document.\n" + error, kMessageCaption, MessageButtons::Ok,
                         MessageIcon::Warning);
        return {};
    }
    if (m_Recent)
        m_Recent->Add(chosen);
    std::filesystem::path folder = std::filesystem::path(chosen).parent_path();
    if (!m_Settings.KeepOutputPath && !folder.empty())
        m_Settings.OutputPath = folder.string();
    return chosen;
}

} // namespace orlu
