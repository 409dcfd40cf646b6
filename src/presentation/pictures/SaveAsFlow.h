#pragma once
// Save As for the documents that are written as one block of bytes (the
// picture documents): the Save As dialog with the document template's filter
// and extension, the write, the new path name, the recent-file list and the
// Save As folder. The write is atomic, so a target that cannot be written
// keeps its earlier contents.

#include "platform/UserInteraction.h"

#include <filesystem>
#include <functional>
#include <string>

namespace orlu {

struct AppSettings;
class RecentFileList;

/// What the Save As dialog shows.
struct SaveAsPrompt {
    std::string caption = "Save As";
    /// One filter: the template's filter name with its pattern in both cases, "Graphic Files (*.emf *.EMF)".
    std::string filter;
    /// Added by the dialog when the chosen name has no extension ("emf").
    std::string defaultSuffix;
    /// The file name offered (no folder).
    std::string proposedName;
    /// The folder the dialog opens in.
    std::string folder;
};

/// The prompt of a template's document: a document from disk offers its file
/// name; a new one its title cut at the first of " #%;/\" plus the template's extension.
SaveAsPrompt MakeSaveAsPrompt(int templateId, const std::filesystem::path& pathName, const std::string& title,
                              const std::string& outputFolder);

/// The chosen name completed with the template's extension when it has none;
/// an extension of the template in any case ("PIC.EMF") is kept as it is.
std::string CompleteSaveName(int templateId, const std::string& chosen);

class SaveAsFlow {
public:
    /// The Save As dialog: the chosen full path, empty when cancelled.
    using Prompt = std::function<std::string(const SaveAsPrompt&)>;
    /// Writes the document to the path; false with the reason.
    using Writer = std::function<bool(const std::filesystem::path&, std::string* error)>;

    SaveAsFlow(UserInteraction& ui, AppSettings& settings, RecentFileList* recent, Prompt prompt)
        : m_Ui(ui), m_Settings(settings), m_Recent(recent), m_Prompt(std::move(prompt))
    {
    }
    void SetPrompt(Prompt prompt) { m_Prompt = std::move(prompt); }

    /// Runs the dialog and writes; the path written, or empty when cancelled
    /// or when the write failed (reported, the earlier file intact).
    std::filesystem::path SaveAs(int templateId, const std::filesystem::path& pathName, const std::string& title,
                                 const Writer& write);

private:
    UserInteraction& m_Ui;
    AppSettings& m_Settings;
    RecentFileList* m_Recent;
    Prompt m_Prompt;
};

} // namespace orlu
