#pragma once
// The application's side of the picture documents and the option dialogs
// it owns: the metafile and bitmap templates with their views, the picture
// hand-over of File New, Save As with each template's filter, the pitch and
// zoom defaults and the three default-folder commands.

#include "presentation/dialogs/TargetPathModel.h"
#include "presentation/pictures/PictureHandOver.h"
#include "presentation/pictures/SaveAsFlow.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace orlu {

class CTmApp;
class ManagedDocument;

class PictureCommands {
public:
    explicit PictureCommands(CTmApp& app);

    /// Replaces the Save As dialog (tests).
    void SetSaveAsPrompt(SaveAsFlow::Prompt prompt) { m_SaveAs.SetPrompt(std::move(prompt)); }
    /// The picture given to the next picture document.
    PictureHandOver& HandOver() { return m_HandOver; }
    SaveAsFlow& SaveAs() { return m_SaveAs; }

    CTmApp& App() { return m_App; }

    /// A picture document of the template from the hand-over: visible, or hidden and saved at once.
    ManagedDocument* NewPictureDocument(int templateId, bool hidden);

    /// "Pitch and zoom defaults": dialog 160, its values taken whatever closed it.
    void OnPitchZoomDefaults();
    /// The default-folder commands: the TARGET PATH dialog on the folder setting.
    void OnPathForOpen();
    void OnPathForSaveAs();
    void OnPathForDownload();

private:
    void RunPathDialog(const char* caption, std::string& folder, std::uint8_t& keepUnchanged);

    CTmApp& m_App;
    SaveAsFlow m_SaveAs;
    PictureHandOver m_HandOver;
};

} // namespace orlu
