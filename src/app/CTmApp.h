#pragma once
// The application object: start-up in its fixed order, the settings read at
// start and written back at exit, the document templates, the application's
// own commands (Open, Close All, About, Exit, the recent files, Start with
// MRU file) and the shutdown, also on SIGTERM or SIGINT.

#include "document/AppContext.h"
#include "platform/IniProfile.h"
#include "link/SerialLinkSettings.h"
#include "link/remote/CControlSett.h"
#include "platform/UserInteraction.h"
#include "presentation/AppSettings.h"
#include "presentation/CommandTarget.h"
#include "presentation/DocumentManager.h"
#include "presentation/TextDocument.h"
#include "presentation/view/FormRenderers.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace orlu {

class CMainFrame;
class PictureCommands;
class QtUserInteraction;
class ShutdownSignals;
class UnitFilesCommand;

class CTmApp : public QObject, public CommandTarget {
    Q_OBJECT
public:
    using ViewFactory = std::function<QWidget*(ManagedDocument&)>;

    /// What the application asks the user outside the question port: the
    /// files of the Open dialog, and the choice between opening several files
    /// separately (1) or merging them (2), 0 to cancel. Tests replace them.
    struct FilePrompts {
        std::function<std::vector<std::string>(CTmApp&)> openFiles;
        std::function<int(CTmApp&, int count)> multiOpenChoice;
        /// The Save As dialog: the chosen path, empty when cancelled.
        std::function<std::string(CTmApp&, const std::string& proposedName)> saveFile;
    };

    /// The port answers every question; with none the desktop's dialogs do.
    explicit CTmApp(UserInteraction* ui = nullptr);
    ~CTmApp() override;
    CTmApp(const CTmApp&) = delete;
    CTmApp& operator=(const CTmApp&) = delete;

    /// Makes a template's document and view classes known (replacing earlier
    /// ones of the template); registered at start-up in template order.
    void AddDocumentClass(int templateId, DocumentManager::Factory document, ViewFactory view);
    void SetFilePrompts(FilePrompts prompts) { m_Prompts = std::move(prompts); }
    /// Runs a modal dialog; tests replace it so that no dialog blocks.
    void SetDialogRunner(std::function<int(QDialog&)> runner) { m_RunDialog = std::move(runner); }
    /// Runs a modal dialog through the runner; its result.
    int RunDialog(QDialog& dialog) { return m_RunDialog(dialog); }

    /// The whole program: start-up, the event loop, the exit; the exit status.
    int Run(const std::vector<std::string>& args);
    /// Start-up with the arguments after the program's name; false ends the program.
    bool InitInstance(const std::vector<std::string>& args);
    /// Shutdown: writes every setting and the recent files back; runs once.
    int ExitInstance();
    /// The save questions before the main window closes; false keeps the program running.
    bool SaveAllModified();
    /// The end of a session (SIGTERM, SIGINT): every open dialog is answered
    /// as cancelled, dialogs opened later close at once, and the program
    /// leaves its event loops for the exit of Run. Nothing is asked, modified
    /// documents stay as they are on disk, the settings are written.
    void RequestShutdown();
    /// True once the program has been asked to end.
    bool QuitRequested() const { return m_QuitRequested; }

    void OnFileOpen();
    void OnCloseAll();
    void OnAppAbout();
    /// Opens a file through the template that matches its name.
    ManagedDocument* OpenDocumentFile(const std::string& path);
    /// A visible new measurement document from the pending fields, counted as
    /// unsaved; the pending fields are cleared after every use. Null when none was made.
    ManagedDocument* NewUnitDocument();
    /// A measurement document from the pending fields that is stored without
    /// a question and closed at once.
    void NewHiddenUnitDocument();
    /// Save As of a measurement document: the Save As dialog, then the
    /// document stores itself; the earlier file stays intact when that fails.
    bool DoSave(CTmDoc& document, const std::filesystem::path& pathName, const std::string& title);
    /// A text document whose Save As asks for the file with the Save As prompt.
    std::unique_ptr<TextDocument> NewTextDocument(TextDocOrigin origin);
    /// A visible new text document of an instrument's printed output; null when none was made.
    ManagedDocument* NewPrintedOutputDocument(std::string bytes);
    /// A visible new text document holding a copy of a view's lines (File New); null when none was made.
    ManagedDocument* NewViewCopyDocument(const LineSource& lines);

    AppSettings& Settings() { return m_Settings; }
    /// The RS-232 parameters of the instrument link.
    SerialLinkSettings& SerialSettings() { return m_Serial; }
    IniProfile& Profile() { return m_Profile; }
    DocumentManager& Documents() { return *m_Documents; }
    CMainFrame* MainFrame() const { return m_MainFrame.get(); }
    UserInteraction& Ui() { return *m_Ui; }
    AppContext& Context() { return m_Context; }
    /// The renderers of the measurement views' forms.
    FormRendererRegistry& FormRenderers() { return m_FormRenderers; }
    /// The picture documents, Save As of byte documents and the folder and pitch commands.
    PictureCommands& Pictures() { return *m_Pictures; }
    /// The command "ORLU files" with the instrument's link and directory.
    UnitFilesCommand& UnitFiles() { return *m_UnitFiles; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    /// "RS Default Settings", read and written with the other settings.
    ForeignSettingsSection SerialSection();
    void RegisterTemplates();
    void CreateMainFrame();

    std::unique_ptr<QtUserInteraction> m_OwnUi;
    UserInteraction* m_Ui;
    AppContext m_Context;
    AppSettings m_Settings;
    SerialLinkSettings m_Serial;
    FormRendererRegistry m_FormRenderers;
    IniProfile m_Profile;
    std::unique_ptr<DocumentManager> m_Documents;
    std::unique_ptr<CMainFrame> m_MainFrame;
    std::unique_ptr<ShutdownSignals> m_Signals;
    std::unique_ptr<PictureCommands> m_Pictures;
    std::unique_ptr<UnitFilesCommand> m_UnitFiles;
    struct DocumentClass {
        int templateId;
        DocumentManager::Factory document;
        ViewFactory view;
    };
    std::vector<DocumentClass> m_DocumentClasses;
    FilePrompts m_Prompts;
    std::function<int(QDialog&)> m_RunDialog;
    /// The remote-control settings the sheet edits, and those last accepted with OK or Apply.
    CControlSett m_WorkingSettings;
    CControlSett m_CommittedSettings;
    bool m_Started = false;
    bool m_Exited = false;
    bool m_QuitRequested = false;
    bool m_InEventLoop = false;
    /// The printed output the next text document takes.
    std::optional<std::string> m_PrintedOutput;
    /// The lines of a view the next text document copies.
    const LineSource* m_HandOverLines = nullptr;
};

} // namespace orlu
