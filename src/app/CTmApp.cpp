#include "app/CTmApp.h"

#include "app/InstrumentCommands.h"
#include "app/CAboutDlg.h"
#include "app/CControlSheet.h"
#include "app/CMainFrame.h"
#include "app/CMultiOpenChoiceDlg.h"
#include "app/PictureCommands.h"
#include "app/CRs232SettingsDlg.h"
#include "app/UnitFilesCommand.h"
#include "app/views/UploadCommand.h"
#include "app/CSplashWindow.h"
#include "app/QtText.h"
#include "app/QtUserInteraction.h"
#include "app/ShutdownSignals.h"
#include "app/CChildFrame.h"
#include "app/views/CTmView.h"
#include "app/views/CTmView1.h"
#include "app/views/ViewPrinting.h"
#include "app/views/ViewOutputCommands.h"
#include "app/views/QtViewDialogs.h"
#include "app/views/ViewToolsCommands.h"
#include "link/MultifileMerge.h"
#include "monitor/MonitorLoader.h"
#include "platform/Archive.h"
#include "presentation/CommandTable.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/MeasurementDocument.h"
#include "presentation/StartupRules.h"
#include "presentation/TextDocument.h"
#include "presentation/view/PrintPages.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace orlu {
namespace {

namespace fs = std::filesystem;

// Close All walks these templates; DOS files (132) stay open and are asked
// about by the final save question of the exit.
// The request code of a new measurement document that merges the disk files
// chosen in the Open dialog (the document reads them from DiskFileItems).
constexpr std::uint8_t kRequestMergeDiskFiles = 21;

constexpr int kCloseAllOrder[] = {kBinaryDocTemplate, kTextDocTemplate, kMetafileDocTemplate, kBitmapDocTemplate};

std::vector<std::string> PromptOpenFiles(CTmApp& app)
{
    QStringList filters;
    for (const std::string& f : OpenDialogFilters())
        filters << QString::fromStdString(f);
    AppSettings& s = app.Settings();
    int index = std::clamp<int>(s.InputFileExtension, 1, static_cast<int>(filters.size())) - 1;
    QString selected = filters[index];
    QStringList files = QFileDialog::getOpenFileNames(app.MainFrame(), "Open", DisplayText(s.InputPath),
                                                      filters.join(";;"), &selected);
    if (!files.isEmpty())
        s.InputFileExtension = static_cast<std::uint8_t>(filters.indexOf(selected) + 1);
    std::vector<std::string> paths;
    for (const QString& f : files)
        paths.push_back(ToPath(f));
    return paths;
}

std::string PromptSaveFile(CTmApp& app, const std::string& proposedName)
{
    QString start = DisplayText((fs::path(app.Settings().OutputPath) / proposedName).string());
    QString filter = QString::fromStdString(OpenDialogFilters().front());
    QString chosen = QFileDialog::getSaveFileName(app.MainFrame(), "Save As", start, filter);
    return chosen.isEmpty() ? std::string() : ToPath(chosen);
}

int AskMultiOpenChoice(CTmApp& app, int count)
{
    CMultiOpenChoiceDlg dialog(count, app.MainFrame());
    dialog.exec();
    return dialog.Choice();
}

} // namespace

CTmApp::CTmApp(UserInteraction* ui)
    : m_OwnUi(ui ? nullptr : std::make_unique<QtUserInteraction>()), m_Ui(ui ? ui : m_OwnUi.get()),
      m_Context(*m_Ui), m_Documents(std::make_unique<DocumentManager>(*m_Ui)),
      m_Prompts{PromptOpenFiles, AskMultiOpenChoice, PromptSaveFile},
      m_RunDialog([](QDialog& dialog) { return dialog.exec(); })
{
    m_Context.DoSave = [this](CTmDoc& document, const fs::path& pathName, const std::string& title) {
        return DoSave(document, pathName, title);
    };
    m_Context.NewUnitDocument = [this] { NewUnitDocument(); };
    InstallMonitorParser(m_Context);
    InstallDiskMerge(m_Context);
    m_Context.NewHiddenUnitDocument = [this] { NewHiddenUnitDocument(); };
    m_Context.UpdateAllViews = [this](CTmDoc& doc) {
        for (ManagedDocument* document : m_Documents->AllDocuments())
            if (auto* measurement = dynamic_cast<MeasurementDocument*>(document); measurement && &measurement->Doc() == &doc)
                measurement->UpdateAllViews();
    };
    RegisterReportRenderers(m_FormRenderers);
    for (int id : {kBinaryDocTemplate, kDosBinaryDocTemplate})
        AddDocumentClass(
            id, [this] { return std::make_unique<MeasurementDocument>(m_Context); },
            [this](ManagedDocument& document) -> QWidget* {
                auto* view = new CTmView(static_cast<MeasurementDocument&>(document), m_FormRenderers, m_Settings);
                RegisterViewOutputCommands(*view, *this);
                RegisterViewDialogs(*view, *this);
                RegisterViewToolsCommands(*view, *this);
                RegisterUploadCommand(*view, *this);
                return view;
            });
    AddDocumentClass(
        kTextDocTemplate,
        [this] {
            if (m_HandOverLines) {
                auto copy = NewTextDocument(TextDocOrigin::ViewCopy);
                copy->Doc().HandOverLines(*m_HandOverLines);
                return copy;
            }
            if (!m_PrintedOutput)
                return NewTextDocument(TextDocOrigin::None);
            auto document = NewTextDocument(TextDocOrigin::PrintedOutput);
            document->Doc().HandOverPrintedOutput(std::move(*m_PrintedOutput));
            m_PrintedOutput.reset();
            return document;
        },
        [this](ManagedDocument& document) -> QWidget* {
            return new CTmView1(static_cast<TextDocument&>(document), m_Settings);
        });
    RegisterCommands();
    m_Pictures = std::make_unique<PictureCommands>(*this);
}

CTmApp::~CTmApp()
{
    ExitInstance();
    // The frames go before the documents they show.
    m_Documents->SetFrameHost(nullptr);
    m_MainFrame.reset();
}

void CTmApp::AddDocumentClass(int templateId, DocumentManager::Factory document, ViewFactory view)
{
    std::erase_if(m_DocumentClasses, [templateId](const DocumentClass& c) { return c.templateId == templateId; });
    m_DocumentClasses.push_back({templateId, std::move(document), std::move(view)});
}

int CTmApp::Run(const std::vector<std::string>& args)
{
    int result = InitInstance(args) ? 0 : 1;
    // A session that ended while a start-up question was open ends here.
    if (result == 0 && !m_QuitRequested) {
        m_InEventLoop = true;
        result = QApplication::exec();
        m_InEventLoop = false;
    }
    if (m_QuitRequested)
        result = 0;
    ExitInstance();
    return result;
}

bool CTmApp::InitInstance(const std::vector<std::string>& args)
{
    CommandLineInfo commandLine = ParseCommandLine(args);
    if (!commandLine.error.empty()) {
        std::cerr << "orlupc: " << commandLine.error << "\n" << CommandLineUsage();
        return false;
    }
    if (commandLine.help) {
        std::cout << CommandLineUsage();
        return false;
    }
    m_Profile.SetPath(commandLine.iniPath.empty() ? IniProfile::DefaultPath() : fs::path(commandLine.iniPath));
    m_Profile.Load(); // missing or unreadable: every setting takes its default
    std::error_code ec;
    fs::path currentFolder = fs::current_path(ec);

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Splash, currentFolder);
    CSplashWindow::EnableSplashScreen(m_Settings.ShowSplash != 0);

    m_Documents->RecentFiles().Read(m_Profile);
    ReadPreviewPages(m_Profile);
    RegisterTemplates();
    CreateMainFrame();

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Maximized, currentFolder);
    if (m_Settings.ShowMaximized)
        m_MainFrame->showMaximized();
    else
        m_MainFrame->show();

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Remaining, currentFolder, SerialSection());
    m_Serial.ApplyUnitConstraints(m_Settings.DeviceSelector);
    m_Context.NonMetric = m_Settings.NonMetric;
    m_Context.StatisticalPercentages = m_Settings.StatLevels;
    m_Context.DecyPoint = m_Settings.DecyPoint;
    m_Context.SeparatorChar = m_Settings.SeparatorChar;
    m_Context.ScFormForMR = m_Settings.ScFormForMR;
    m_Started = true;

    if (auto startup = ChooseStartupFile(commandLine, m_Settings, m_Documents->RecentFiles())) {
        if (!OpenDocumentFile(startup->path) && startup->endsProgramOnFailure)
            return false;
    }
    m_MainFrame->UpdateCommandUi();
    return true;
}

void CTmApp::RegisterTemplates()
{
    // In the order of creation; the shell knows the binary files through the
    // installed desktop entry and MIME type.
    for (const DocTemplateInfo& info : DocTemplates())
        for (const DocumentClass& c : m_DocumentClasses)
            if (c.templateId == info.id)
                m_Documents->RegisterTemplate(c.templateId, c.document);
}

void CTmApp::CreateMainFrame()
{
    CMainFrame::Owner owner;
    owner.application = this;
    owner.documents = m_Documents.get();
    owner.canClose = [this] { return SaveAllModified(); };
    owner.openDroppedFile = [this](const std::string& path) { m_Documents->OpenDocumentFile(path); };
    m_MainFrame = std::make_unique<CMainFrame>(m_Settings, std::move(owner));
    for (const DocumentClass& c : m_DocumentClasses)
        if (c.view)
            m_MainFrame->SetViewFactory(c.templateId, c.view);
    m_MainFrame->setAcceptDrops(true);
    m_Documents->SetFrameHost(m_MainFrame.get());
    if (m_OwnUi)
        m_OwnUi->SetParent(m_MainFrame.get());
    CSplashWindow::ShowSplashScreen(m_MainFrame.get());
    m_Signals = std::make_unique<ShutdownSignals>([this](int) { RequestShutdown(); });
}

ForeignSettingsSection CTmApp::SerialSection()
{
    return {[this](const IniProfile& profile) { m_Serial.Load(profile, m_Settings.DeviceSelector); },
            [this](IniProfile& profile) { m_Serial.Save(profile); }};
}

void CTmApp::RegisterCommands()
{
    OnCommand(kIdFileOpen, [this] { OnFileOpen(); });
    OnCommand(kIdCloseAll, [this] { OnCloseAll(); });
    OnCommand(kIdFileClose, [this] {
        if (CChildFrame* child = m_MainFrame ? m_MainFrame->ActiveChild() : nullptr)
            m_Documents->CloseDocument(child->Document());
    });
    OnUpdate(kIdFileClose, [this](CommandUi& ui) { ui.enabled = m_MainFrame && m_MainFrame->ActiveChild(); });
    OnCommand(kIdAppAbout, [this] { OnAppAbout(); });
    OnCommand(kIdFilePrintSetup, [this] { RunPrintSetup(m_MainFrame.get()); });
    OnCommand(kIdAppExit, [this] {
        if (m_MainFrame)
            m_MainFrame->close();
    });
    RegisterDeviceMenu(
        *this, m_Settings.DeviceSelector, [this] { m_Serial.ApplyUnitConstraints(m_Settings.DeviceSelector); },
        [this] { RunRs232Settings(m_Serial, m_Settings.DeviceSelector, m_RunDialog, m_MainFrame.get()); });
    OnCommand(kIdRemoteControl, [this] {
        RunRemoteControl(m_WorkingSettings, m_CommittedSettings, m_Serial, *m_Ui, m_RunDialog, m_MainFrame.get());
    });
    m_UnitFiles = std::make_unique<UnitFilesCommand>(*this, [this](QDialog& dialog) { return m_RunDialog(dialog); });
    OnCommand(kIdUnitFiles, [this] { m_UnitFiles->OnUnitFiles(); });
    RegisterInstrumentCommands(*this, [this](QDialog& dialog) { return m_RunDialog(dialog); });
    OnCommand(kIdStartWithMru, [this] { m_Settings.MRUused = m_Settings.MRUused ? 0 : 1; });
    OnUpdate(kIdStartWithMru, [this](CommandUi& ui) { ui.checked = m_Settings.MRUused != 0; });
    OnCommandRange(kIdFileMru1, kIdFileMru1 + kRecentFileCommandCount - 1, [this](int id) {
        const auto& entries = m_Documents->RecentFiles().Entries();
        std::size_t index = static_cast<std::size_t>(id - kIdFileMru1);
        if (index < entries.size()) {
            std::string path = entries[index]; // the list changes while the file opens
            OpenDocumentFile(path);
        }
    });
    OnUpdateRange(kIdFileMru1, kIdFileMru1 + kRecentFileCommandCount - 1, [this](int id, CommandUi& ui) {
        ui.enabled = static_cast<std::size_t>(id - kIdFileMru1) < m_Documents->RecentFiles().Entries().size();
    });
}

ManagedDocument* CTmApp::OpenDocumentFile(const std::string& path)
{
    ManagedDocument* document = m_Documents->OpenDocumentFile(path);
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
    return document;
}

void CTmApp::OnFileOpen()
{
    std::vector<std::string> files = m_Prompts.openFiles(*this);
    if (files.empty())
        return;
    int choice = files.size() < 2 ? 1 : m_Prompts.multiOpenChoice(*this, static_cast<int>(files.size()));
    if (choice == 1) {
        for (const std::string& file : files) {
            // A folder, a device or a named pipe (whose open waits for a writer) is never opened.
            std::ifstream in;
            if (Archive::WhyNotLoadable(file).empty())
                in.open(file, std::ios::binary | std::ios::ate);
            if (!in.is_open()) {
                m_Ui->ShowMessage(file + "\n\nFile could not be opened !!!", kMessageCaption, MessageButtons::Ok,
                                  MessageIcon::Warning);
            } else if (in.tellg() == 0) {
                m_Ui->ShowMessage(file + "\n\nFile is EMPTY !!!", kMessageCaption, MessageButtons::Ok,
                                  MessageIcon::Warning);
            } else {
                in.close();
                OpenDocumentFile(file);
            }
        }
    } else if (choice == 2) {
        m_Context.DiskFileItems = files;
        m_Context.PendingDocSource = kPendingNone;
        m_Context.PendingFileKind = kRequestMergeDiskFiles;
        NewUnitDocument();
        m_Context.DiskFileItems.clear();
    }
    if (!m_Settings.KeepInputPath) {
        fs::path folder = fs::path(files.front()).parent_path();
        if (!folder.empty())
            m_Settings.InputPath = folder.string();
    }
}

ManagedDocument* CTmApp::NewUnitDocument()
{
    ManagedDocument* made = m_Documents->NewDocument(kBinaryDocTemplate, true);
    // Cleared after every use, so that no later document takes a stale request.
    m_Context.PendingDocSource = kPendingNone;
    m_Context.PendingFileKind = 0;
    if (auto* measurement = dynamic_cast<MeasurementDocument*>(made)) {
        measurement->Doc().SetUnsavedData(true);
        ++m_Context.UnsavedDocumentCount;
    }
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
    return made;
}

ManagedDocument* CTmApp::NewViewCopyDocument(const LineSource& lines)
{
    m_HandOverLines = &lines;
    ManagedDocument* made = m_Documents->NewDocument(kTextDocTemplate, true);
    m_HandOverLines = nullptr;
    if (auto* text = dynamic_cast<TextDocument*>(made))
        text->Doc().NewDocFlag = true;
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
    return made;
}

ManagedDocument* CTmApp::NewPrintedOutputDocument(std::string bytes)
{
    m_PrintedOutput = std::move(bytes);
    ManagedDocument* made = m_Documents->NewDocument(kTextDocTemplate, true);
    m_PrintedOutput.reset();
    if (auto* text = dynamic_cast<TextDocument*>(made))
        text->Doc().NewDocFlag = true;
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
    return made;
}

void CTmApp::NewHiddenUnitDocument()
{
    ManagedDocument* made = m_Documents->NewDocument(kBinaryDocTemplate, false);
    m_Context.PendingDocSource = kPendingNone;
    m_Context.PendingFileKind = 0;
    if (auto* measurement = dynamic_cast<MeasurementDocument*>(made)) {
        measurement->Doc().SetHidden(true);
        m_Documents->CloseDocument(*made);
    }
}

bool CTmApp::DoSave(CTmDoc& document, const fs::path& pathName, const std::string& title)
{
    std::string proposed = pathName.string();
    if (proposed.empty()) {
        proposed = title.substr(0, title.find_first_of(" #%;/\\"));
        proposed += std::string(DocStringPart(FindDocTemplate(kBinaryDocTemplate)->docString, DocStringField::FilterExt));
    }
    std::string chosen = m_Prompts.saveFile(*this, proposed);
    if (chosen.empty())
        return false;
    if (fs::path(chosen).extension().empty())
        chosen += ".orl";
    bool stored = false;
    {
        WaitCursor wait(*m_Ui);
        stored = document.OnSaveDocument(chosen);
    }
    // A failed store leaves the earlier file as it was (it is written atomically).
    if (!stored)
        return false;
    document.SetPathName(chosen);
    m_Documents->RecentFiles().Add(chosen);
    if (!m_Settings.KeepOutputPath && !fs::path(chosen).parent_path().empty())
        m_Settings.OutputPath = fs::path(chosen).parent_path().string();
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
    return true;
}

std::unique_ptr<TextDocument> CTmApp::NewTextDocument(TextDocOrigin origin)
{
    auto document = std::make_unique<TextDocument>(*m_Ui, origin);
    document->Doc().SaveAs = [this](CTmDoc1& doc) {
        std::string proposed = doc.PathName().string();
        if (proposed.empty())
            proposed = PrintedFileName({}, doc.Title()) + ".txt";
        std::string chosen = m_Prompts.saveFile(*this, proposed);
        if (chosen.empty())
            return false;
        if (fs::path(chosen).extension().empty())
            chosen += ".txt";
        bool stored = false;
        {
            WaitCursor wait(*m_Ui);
            stored = doc.OnSaveDocument(chosen);
        }
        if (stored)
            doc.SetPathName(chosen);
        return stored;
    };
    return document;
}

void CTmApp::OnCloseAll()
{
    CloseAllState& all = m_Context.CloseAll;
    all.ClosingAll = true;
    all.Cancelled = false;
    if (!m_Documents->CloseDocuments(kCloseAllOrder))
        all.Cancelled = true;
    all.ClosingAll = all.YesToAll = all.NoToAll = false;
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
}

bool CTmApp::SaveAllModified()
{
    OnCloseAll();
    if (m_Context.CloseAll.Cancelled)
        return false;
    for (ManagedDocument* document : m_Documents->AllDocuments())
        if (!document->SaveModified())
            return false;
    return true;
}

void CTmApp::OnAppAbout()
{
    CAboutDlg dialog(m_MainFrame.get());
    m_RunDialog(dialog);
}

int CTmApp::ExitInstance()
{
    if (m_Exited)
        return 0;
    m_Exited = true;
    CSplashWindow::HideSplashScreen();
    m_Signals.reset();
    // Documents still open were asked about already, or the session is
    // ending: they close as they are, their files untouched.
    for (ManagedDocument* document : m_Documents->AllDocuments())
        m_Documents->DiscardDocument(*document);
    // A start that ended before the settings were read must not overwrite them with defaults.
    if (!m_Started)
        return 0;
    m_Settings.NonMetric = m_Context.NonMetric;
    WriteSettings(m_Profile, m_Settings, SerialSection());
    m_Documents->RecentFiles().Write(m_Profile);
    WritePreviewPages(m_Profile);
    std::error_code ec;
    fs::create_directories(m_Profile.Path().parent_path(), ec);
    std::string error;
    if (!m_Profile.Save(&error))
        std::cerr << "orlupc: settings not saved: " << error << "\n";
    return 0;
}

void CTmApp::RequestShutdown()
{
    if (m_QuitRequested)
        return;
    m_QuitRequested = true;
    // The callers of the dialogs open now unwind with Cancel (No where a box
    // has no Cancel) and ask nothing more: a dialog they open on the way is
    // rejected as soon as it shows (see eventFilter).
    QCoreApplication::instance()->installEventFilter(this);
    for (QWidget* modal = QApplication::activeModalWidget(); modal;) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog)
            break;
        dialog->reject();
        QWidget* next = QApplication::activeModalWidget();
        if (next == modal)
            break; // a dialog that refuses to close; the event loop's end takes it down
        modal = next;
    }
    if (m_MainFrame)
        m_MainFrame->hide();
    // Ends the main loop and every loop nested in it; Run then takes the exit.
    if (m_InEventLoop)
        QCoreApplication::exit(0);
}

bool CTmApp::eventFilter(QObject* watched, QEvent* event)
{
    if (m_QuitRequested && event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isModal())
            // Queued: the dialog's own event loop must be running to end.
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

} // namespace orlu
