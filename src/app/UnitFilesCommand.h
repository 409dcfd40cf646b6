#pragma once
// The command "ORLU files": reads the instrument's directory when it is
// stale, shows the unit-files dialog and runs the action the user chose on
// the files chosen (open as documents, download, ASCII download, merge,
// delete), then shows the dialog again until it is closed. It also sends a
// document back to the instrument (the view's Upload command). The link, the
// directory and the choices live as long as the application, so that the
// next run starts where the user left off.
//
// Every exchange with the instrument runs on a worker thread behind the
// progress window; the documents it fills answer the user through the GUI
// thread meanwhile, and the windows they get are made on the GUI thread.

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
#include <string>

class QDialog;
class QWidget;

namespace orlu {

class CTmApp;
class CTmDoc;

class UnitFilesCommand {
public:
    /// run: shows a modal dialog (the application's runner, so tests can drive it).
    UnitFilesCommand(CTmApp& app, std::function<int(QDialog&)> run);

    void OnUnitFiles();
    /// Uploads the document under the name chosen in the upload-name dialog;
    /// true when the instrument confirmed it.
    bool Upload(CTmDoc& doc, QWidget* parent);

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
    /// The same for an operation that fills a document: the program's
    /// documents answer through the GUI thread while it runs.
    bool OnWorkerWithDocuments(const std::function<bool()>& operation);
    /// Makes new documents fill from this link: opened files and merges run on the worker.
    void InstallFillers(AppContext& context);
    /// The chosen files as text files in the download folder.
    void DownloadAsText();
    /// The name the user gives an upload (empty: abandoned), asked on the GUI thread.
    std::string ChooseUploadName(int requestKind, char letter, const std::string& proposed, QWidget* parent);

    CTmApp& m_App;
    std::function<int(QDialog&)> m_Run;
    SystemClock m_Clock;
    GuiThreadInteraction m_LinkUi;
    UnitLink m_Link;
    CUnitDirectory m_Directory;
    TransferProgress m_Progress;
    UnitFileOpener m_Opener;
    UnitFilesChoices m_Choices;
    /// The application's merge of disk files, which the merge filler hands on.
    std::function<bool(CTmDoc&, bool)> m_DiskMerge;
    /// Files the last merge over the link left out (the dialog comes back when not 0).
    std::uint32_t m_MergeLeft = 0;
};

} // namespace orlu
