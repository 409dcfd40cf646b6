#pragma once
// The command "ORLU files": reads the instrument's directory when it is
// stale, shows the unit-files dialog and runs the action the user chose on
// the files chosen (open as documents, download, delete), then shows the
// dialog again until it is closed. The link, the directory and the choices
// live as long as the application, so that the next run starts where the
// user left off.

#include "app/GuiThreadInteraction.h"
#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitFileOpen.h"
#include "link/UnitLink.h"
#include "platform/Clock.h"
#include "presentation/UnitFilesDialogModel.h"

#include <filesystem>
#include <functional>
#include <memory>

class QDialog;

namespace orlu {

class CTmApp;

class UnitFilesCommand {
public:
    /// run: shows a modal dialog (the application's runner, so tests can drive it).
    UnitFilesCommand(CTmApp& app, std::function<int(QDialog&)> run);

    void OnUnitFiles();

    UnitLink& Link() { return m_Link; }
    CUnitDirectory& Directory() { return m_Directory; }
    TransferProgress& Progress() { return m_Progress; }
    /// The choices the dialog starts with, kept between runs.
    UnitFilesChoices& Choices() { return m_Choices; }

private:
    /// Copies the profile's choices in, and back out after a run.
    void TakeChoices();
    void KeepChoices();
    std::filesystem::path DownloadFolder() const;
    /// Runs a link operation on a worker thread with the progress window; its result.
    bool OnWorker(const std::function<bool()>& operation);

    CTmApp& m_App;
    std::function<int(QDialog&)> m_Run;
    SystemClock m_Clock;
    GuiThreadInteraction m_LinkUi;
    UnitLink m_Link;
    CUnitDirectory m_Directory;
    TransferProgress m_Progress;
    UnitFileOpener m_Opener;
    UnitFilesChoices m_Choices;
};

} // namespace orlu
