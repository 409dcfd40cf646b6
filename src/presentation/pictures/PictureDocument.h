#pragma once
// What the metafile and bitmap documents share: the title with its suffix,
// the save question and the file commands. A document without a file path
// counts as not saved ("View1 - graph (EMF view copy)"); one from disk
// ("pic.emf - graph (disk file)") never asks. A hidden document made by
// Save current view saves itself without a question as it closes.

#include "document/AppContext.h"
#include "presentation/ManagedDocument.h"
#include "presentation/pictures/PictureHandOver.h"
#include "presentation/pictures/SaveAsFlow.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// Everything a picture document reaches of the application.
struct PictureServices {
    AppContext& context;
    SaveAsFlow& saveAs;
    PictureHandOver& handOver;
};

class PictureDocument : public ManagedDocument {
public:
    /// The longest title a frame shows, suffix included.
    static constexpr std::size_t kMaxTitle = 59;

    std::string Title() const override { return m_Title; }
    void SetTitle(const std::string& title) override;
    std::string PathName() const override { return m_Path.string(); }
    bool IsModified() const override { return false; }
    bool OpenDocument(const std::string& path) override;
    bool SaveModified() override;
    void CloseDocument() override {}

    /// Set by the application for a visible new document: closing it asks the save question.
    void SetNewDocFlag() { m_NewDocFlag = true; }
    /// Set by the application for a hidden document: it saves without a question as it closes.
    void SetSaveOnClose() { m_SaveOnClose = true; }
    bool NotFromDisk() const { return m_Path.empty(); }
    /// True when the last Save As wrote the file.
    bool LastSaveOk() const { return m_LastSaveOk; }

    void OnFileSaveAs();
    void OnFileSave();

    /// The template the document belongs to.
    virtual int TemplateId() const = 0;
    /// The file's contents.
    virtual std::vector<std::uint8_t> Encode() const = 0;

protected:
    PictureDocument(PictureServices services, std::string viewCopySuffix);
    /// Takes the picture from the file's bytes; false with the reason.
    virtual bool Decode(std::span<const std::uint8_t> bytes, std::string* error) = 0;
    PictureServices& Services() { return m_Services; }

private:
    void ComposeTitle();

    PictureServices m_Services;
    std::string m_ViewCopySuffix;
    std::string m_BaseTitle;
    std::string m_Title;
    std::filesystem::path m_Path;
    bool m_NewDocFlag = false;
    bool m_SaveOnClose = false;
    bool m_LastSaveOk = false;
};

} // namespace orlu
