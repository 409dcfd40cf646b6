#include "app/PictureCommands.h"

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/QtText.h"
#include "app/dialogs/CPitchZoomDefaultsDlg.h"
#include "app/dialogs/CTargetPathDlg.h"
#include "app/views/PictureViews.h"
#include "document/FirmwareGate.h"
#include "presentation/CommandTable.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"
#include "presentation/pictures/ViewExport.h"

#include <QFileDialog>

#include <chrono>
#include <filesystem>

namespace orlu {
namespace {

namespace fs = std::filesystem;

std::string PromptSaveAs(CTmApp& app, const SaveAsPrompt& prompt)
{
    QFileDialog dialog(app.MainFrame(), QString::fromStdString(prompt.caption),
                       DisplayText((fs::path(prompt.folder) / prompt.proposedName).string()),
                       QString::fromStdString(prompt.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(prompt.defaultSuffix));
    if (app.RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return ToPath(dialog.selectedFiles().front());
}

std::tm LocalNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::vector<fs::path> FolderRoots()
{
    // "/" and the home folder stand for the drives.
    std::vector<fs::path> roots{"/"};
    const FolderFallbacks places = FolderFallbacks::FromEnvironment();
    if (!places.home.empty() && places.home != "/")
        roots.push_back(places.home.lexically_normal());
    return roots;
}

} // namespace

PictureCommands::PictureCommands(CTmApp& app)
    : m_App(app), m_SaveAs(app.Ui(), app.Settings(), &app.Documents().RecentFiles(),
                           [&app](const SaveAsPrompt& prompt) { return PromptSaveAs(app, prompt); })
{
    app.AddDocumentClass(
        kMetafileDocTemplate,
        [this] { return std::make_unique<MetafileDocument>(PictureServices{m_App.Context(), m_SaveAs, m_HandOver}); },
        [this](ManagedDocument& document) -> QWidget* {
            return new CTmView2(static_cast<MetafileDocument&>(document), *this);
        });
    app.AddDocumentClass(
        kBitmapDocTemplate,
        [this] { return std::make_unique<BitmapDocument>(PictureServices{m_App.Context(), m_SaveAs, m_HandOver}); },
        [this](ManagedDocument& document) -> QWidget* {
            return new CTmView4(static_cast<BitmapDocument&>(document), *this);
        });
    app.OnCommand(kIdViewPitchZoomDefaults, [this] { OnPitchZoomDefaults(); });
    app.OnCommand(kIdPathForOpen, [this] { OnPathForOpen(); });
    app.OnCommand(kIdPathForSaveAs, [this] { OnPathForSaveAs(); });
    app.OnCommand(kIdPathForDownload, [this] { OnPathForDownload(); });
}

ManagedDocument* PictureCommands::NewPictureDocument(int templateId, bool hidden)
{
    ManagedDocument* made = orlu::NewPictureDocument(m_App.Documents(), m_App.Context(), m_HandOver, templateId, hidden);
    if (m_App.MainFrame())
        m_App.MainFrame()->UpdateCommandUi();
    return made;
}

void PictureCommands::OnPitchZoomDefaults()
{
    PitchZoomDefaultsModel model(m_App.Settings());
    CPitchZoomDefaultsDlg dialog(model, m_App.Ui(), m_App.MainFrame());
    m_App.RunDialog(dialog);
    // Whatever closed it: "Prog. defaults" then Cancel still stores the program's defaults.
    model.StoreInto(m_App.Settings());
}

void PictureCommands::RunPathDialog(const char* caption, std::string& folder, std::uint8_t& keepUnchanged)
{
    AppSettings& s = m_App.Settings();
    std::string start;
    {
        WaitCursor wait(m_App.Ui());
        start = ValidateFolderForDialog(m_App.Ui(), folder);
    }
    TargetPathModel model(m_App.Ui(), LocalNow, FolderRoots());
    TargetPathOptions options{keepUnchanged != 0,          s.DontUseFloppy != 0, s.LeaveFocusOnParent != 0,
                              s.SubfolderNaming,           s.EditedSubfolderName, s.DefaultSubfolderName};
    model.Open(caption, start, options);
    CTargetPathDlg dialog(model, m_App.MainFrame());
    m_App.RunDialog(dialog);
    // Whatever closed it: a cancelled dialog gives back what it was opened with.
    folder = model.ResultPath();
    const TargetPathOptions& back = model.Options();
    keepUnchanged = back.keepUnchanged ? 1 : 0;
    s.DontUseFloppy = back.dontUseFloppy ? 1 : 0;
    s.LeaveFocusOnParent = back.leaveFocusOnParent ? 1 : 0;
    s.SubfolderNaming = static_cast<std::uint8_t>(back.subfolderNaming);
    s.EditedSubfolderName = back.editedName;
    s.DefaultSubfolderName = back.defaultName;
}

void PictureCommands::OnPathForOpen()
{
    RunPathDialog("Select SOURCE PATH for Open", m_App.Settings().InputPath, m_App.Settings().KeepInputPath);
}

void PictureCommands::OnPathForSaveAs()
{
    RunPathDialog("Select TARGET PATH for Save As", m_App.Settings().OutputPath, m_App.Settings().KeepOutputPath);
}

void PictureCommands::OnPathForDownload()
{
    RunPathDialog("Select TARGET PATH for Download", m_App.Settings().DownloadPath,
                  m_App.Settings().KeepDownloadPath);
}

} // namespace orlu
