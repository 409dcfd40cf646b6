#include "app/CTmApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CMultiOpenChoiceDlg.h"
#include "app/CSplashWindow.h"
#include "app/QtText.h"
#include "app/QtUserInteraction.h"
#include "app/ShutdownSignals.h"
#include "presentation/CommandTable.h"
#include "presentation/StartupRules.h"

#include <QCoreApplication>
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

int AskMultiOpenChoice(CTmApp& app, int count)
{
    CMultiOpenChoiceDlg dialog(count, app.MainFrame());
    dialog.exec();
    return dialog.Choice();
}

} // namespace

CTmApp::CTmApp(UserInteraction* ui)
    : m_OwnUi(ui ? nullptr : std::make_unique<QtUserInteraction>()), m_Ui(ui ? ui : m_OwnUi.get()),
      m_Documents(std::make_unique<DocumentManager>(*m_Ui)), m_Prompts{PromptOpenFiles, AskMultiOpenChoice},
      m_RunDialog([](QDialog& dialog) { return dialog.exec(); })
{
    RegisterCommands();
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
    m_DocumentClasses.push_back({templateId, std::move(document), std::move(view)});
}

bool CTmApp::InitInstance(const std::vector<std::string>& args)
{
    CommandLineInfo commandLine = ParseCommandLine(args);
    if (!commandLine.error.empty()) {
        std::cerr << "orlupc: " << commandLine.error << "\nusage: orlupc [--ini FILE] [FILE]\n";
        return false;
    }
    m_Profile.SetPath(commandLine.iniPath.empty() ? IniProfile::DefaultPath() : fs::path(commandLine.iniPath));
    m_Profile.Load(); // missing or unreadable: every setting takes its default
    std::error_code ec;
    fs::path currentFolder = fs::current_path(ec);

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Splash, currentFolder);
    CSplashWindow::EnableSplashScreen(m_Settings.ShowSplash != 0);

    m_Documents->RecentFiles().Read(m_Profile);
    RegisterTemplates();
    CreateMainFrame();

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Maximized, currentFolder);
    if (m_Settings.ShowMaximized)
        m_MainFrame->showMaximized();
    else
        m_MainFrame->show();

    ReadSettings(m_Profile, m_Settings, SettingsPhase::Remaining, currentFolder);
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
    m_Signals = std::make_unique<ShutdownSignals>([this](int) { ShutdownWithoutQuestions(); });
}

void CTmApp::RegisterCommands()
{
    OnCommand(kIdFileOpen, [this] { OnFileOpen(); });
    OnCommand(kIdCloseAll, [this] { OnCloseAll(); });
    OnCommand(kIdAppAbout, [this] { OnAppAbout(); });
    OnCommand(kIdAppExit, [this] {
        if (m_MainFrame)
            m_MainFrame->close();
    });
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
            std::ifstream in(file, std::ios::binary | std::ios::ate);
            if (!in) {
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
    }
    if (!m_Settings.KeepInputPath) {
        fs::path folder = fs::path(files.front()).parent_path();
        if (!folder.empty())
            m_Settings.InputPath = folder.string();
    }
}

void CTmApp::OnCloseAll()
{
    m_Documents->CloseDocuments(kCloseAllOrder);
    if (m_MainFrame)
        m_MainFrame->UpdateCommandUi();
}

bool CTmApp::SaveAllModified()
{
    if (!m_Documents->CloseDocuments(kCloseAllOrder))
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
    WriteSettings(m_Profile, m_Settings);
    m_Documents->RecentFiles().Write(m_Profile);
    std::error_code ec;
    fs::create_directories(m_Profile.Path().parent_path(), ec);
    std::string error;
    if (!m_Profile.Save(&error))
        std::cerr << "orlupc: settings not saved: " << error << "\n";
    return 0;
}

void CTmApp::ShutdownWithoutQuestions()
{
    if (m_QuitRequested)
        return;
    ExitInstance();
    Quit();
}

void CTmApp::Quit()
{
    m_QuitRequested = true;
    if (m_MainFrame)
        m_MainFrame->hide();
    QCoreApplication::quit();
}

} // namespace orlu
