#include "app/UnitFilesCommand.h"

#include "app/CAsciiContentsDlg.h"
#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/CUnitFilesDlg.h"
#include "app/CUploadNameDlg.h"
#include "app/PictureCommands.h"
#include "app/TransferRunner.h"
#include "document/CTmDoc.h"
#include "link/MultifileMerge.h"
#include "link/UnitFileDelete.h"
#include "link/UnitFileDownload.h"
#include "link/UnitUpload.h"
#include "presentation/AsciiDownload.h"
#include "presentation/UploadNameModel.h"

#include <QDialog>

namespace orlu {
namespace {

/// The request code of a merge of the instrument's files.
constexpr std::uint8_t kRequestMergeUnitFiles = 20;

} // namespace

UnitFilesCommand::UnitFilesCommand(CTmApp& app, std::function<int(QDialog&)> run)
    : m_App(app), m_Run(std::move(run)), m_LinkUi(app.Ui()), m_Link(m_LinkUi, app.SerialSettings(), m_Clock),
      m_Opener(m_Link, m_Progress)
{
}

void UnitFilesCommand::TakeChoices()
{
    const AppSettings& s = m_App.Settings();
    m_Choices.fileType = s.FileType;
    m_Choices.details = s.Details != 0;
    m_Choices.multichoice = s.Multichoice != 0;
    m_Choices.sortByNames = s.SortByNames != 0;
}

void UnitFilesCommand::KeepChoices()
{
    AppSettings& s = m_App.Settings();
    s.FileType = m_Choices.fileType;
    s.Details = m_Choices.details ? 1 : 0;
    s.Multichoice = m_Choices.multichoice ? 1 : 0;
    s.SortByNames = m_Choices.sortByNames ? 1 : 0;
}

std::filesystem::path UnitFilesCommand::DownloadFolder() const
{
    const std::string& path = m_App.Settings().DownloadPath;
    return path.empty() ? std::filesystem::current_path() : std::filesystem::path(path);
}

bool UnitFilesCommand::OnWorker(const std::function<bool()>& operation)
{
    bool result = false;
    RunTransfer(m_Progress, m_Link.UsbMode(), m_App.MainFrame(), [&] { result = operation(); });
    return result;
}

bool UnitFilesCommand::OnWorkerWithDocuments(const std::function<bool()>& operation)
{
    // The program's own port shows boxes on the GUI thread only; while the
    // worker fills a document, the documents' messages go through the link's port.
    AppContext& context = m_App.Context();
    struct RestoreUi {
        AppContext& context;
        UserInteraction* gui;
        ~RestoreUi() { context.Ui = gui; }
    } restore{context, context.Ui};
    context.Ui = &m_LinkUi;
    return OnWorker(operation);
}

void UnitFilesCommand::InstallFillers(AppContext& context)
{
    m_Opener.Install(context);
    context.Fillers.OpenPort = [this, &context] {
        // A merge opens the link itself, on its worker.
        return context.PendingFileKind == kRequestMergeUnitFiles || m_Opener.OpenPort();
    };
    context.Fillers.LoadFileFromInstrument = [this](CTmDoc& doc) {
        return OnWorkerWithDocuments([this, &doc] { return m_Opener.LoadFileFromInstrument(doc); });
    };
    // Disk merges stay with the filler the application installed (taken once:
    // the next run must not wrap this one).
    if (!m_DiskMerge)
        m_DiskMerge = context.Fillers.MergeFiles;
    context.Fillers.MergeFiles = [this](CTmDoc& doc, bool overLink) {
        if (!overLink)
            return m_DiskMerge && m_DiskMerge(doc, false);
        MergeOutcome outcome;
        OnWorkerWithDocuments([&] {
            outcome = MergeFiles(doc, &m_Link, &m_Directory, m_Progress);
            return outcome.made;
        });
        m_MergeLeft = outcome.left;
        return outcome.made;
    };
}

void UnitFilesCommand::DownloadAsText()
{
    // The hidden documents read the program's options, and answer through the link's port.
    AppContext hidden = m_App.Context();
    hidden.Ui = &m_LinkUi;
    hidden.Fillers = DocumentFillers{};
    hidden.Fillers.ParseMonitorFile = m_App.Context().Fillers.ParseMonitorFile;
    hidden.NewUnitDocument = {};
    hidden.NewHiddenUnitDocument = {};
    hidden.UpdateAllViews = {};
    hidden.DoSave = {};
    const AsciiChoices choices = AsciiChoicesOf(m_App.Settings());
    const std::filesystem::path folder = DownloadFolder();
    OnWorker([&] { return DownloadAscii(m_Link, m_Directory, m_Progress, hidden, folder, choices) == 0; });
}

std::string UnitFilesCommand::ChooseUploadName(int requestKind, char letter, const std::string& proposed,
                                               QWidget* parent)
{
    AppSettings& s = m_App.Settings();
    UploadNameModel model(
        m_Link.deviceSelector, m_Directory, [this] { return m_Directory.ReadDirectory(m_Link, m_Progress); },
        requestKind, letter, s.Details != 0);
    model.SetName(proposed);
    model.FillList();
    CUploadNameDlg dialog(model, m_App.Ui(), parent);
    m_Run(dialog);
    s.Details = model.Details() ? 1 : 0;
    return model.Name();
}

bool UnitFilesCommand::Upload(CTmDoc& doc, QWidget* parent)
{
    m_Link.deviceSelector = m_App.Settings().DeviceSelector;
    // No progress window until the bytes go out: the directory reading and the sending begin their own.
    m_Progress.End();
    const UploadNameChooser choose = [&](const UploadTarget& target, const std::string& proposed) {
        std::string name;
        RunOnGuiThread([&] { name = ChooseUploadName(target.requestKind, target.letter, proposed, parent); });
        return name;
    };
    return OnWorkerWithDocuments([&] { return UploadToInstrument(doc, m_Link, m_Directory, m_Progress, choose); });
}

void UnitFilesCommand::OnUnitFiles()
{
    m_Link.deviceSelector = m_App.Settings().DeviceSelector;
    TakeChoices();
    // A unit that does not answer has shown the connection error dialog; the command ends.
    const auto readDirectory = [this] {
        return OnWorker([this] { return m_Directory.ReadDirectory(m_Link, m_Progress); });
    };
    const auto readHeaders = [this] {
        return OnWorker([this] { return m_Directory.ReadFileHeaders(m_Link, m_Progress); });
    };
    if (m_Directory.DirectoryStale() && !readDirectory())
        return;
    if (m_Link.deviceSelector == kSelector505 && m_Choices.moreDetails && m_Directory.HeadersStale() && !readHeaders())
        return;
    // The family may have changed with the identify.
    m_App.Settings().DeviceSelector = m_Link.deviceSelector;

    AppContext& context = m_App.Context();
    InstallFillers(context);
    for (;;) {
        const auto runAsciiContents = [this] {
            return RunAsciiContents(m_App.Settings(), m_Link.deviceSelector, m_App.Ui(), m_Run, m_App.MainFrame());
        };
        UnitFilesDialogModel::Hooks hooks{readDirectory, readHeaders, runAsciiContents};
        UnitFilesDialogModel model(m_App.Ui(), m_Directory, m_Link.deviceSelector, m_Choices,
                                   m_App.Settings().DownloadPath, std::move(hooks));
        model.InitDialog();
        const auto pathForDownload = [this, &model] {
            m_App.Pictures().OnPathForDownload();
            model.SetDownloadPath(m_App.Settings().DownloadPath);
        };
        CUnitFilesDlg dialog(model, pathForDownload, m_App.MainFrame());
        m_Run(dialog);
        KeepChoices();
        context.PendingUnitFileName = model.FileName();
        switch (model.Result()) {
        case UnitFilesResult::Cancel:
            return;
        case UnitFilesResult::Open:
        case UnitFilesResult::OpenButton:
            if (OpenUnitFiles(m_Opener, m_Directory, context) == 0)
                return;
            break;
        case UnitFilesResult::Download:
            OnWorker([this] { return DownloadBinary(m_Link, m_Directory, m_Progress, DownloadFolder()) == 0; });
            break;
        case UnitFilesResult::Delete:
            OnWorker([this] { return DeleteUnitFiles(m_Link, m_Directory, m_Progress) == 0; });
            break;
        case UnitFilesResult::Merge:
            // The merge runs inside the new document, through the application's merge filler.
            context.PendingFileKind = kRequestMergeUnitFiles;
            context.PendingDocSource = kPendingInstrument;
            m_MergeLeft = 0;
            m_App.NewUnitDocument();
            // The dialog comes back only for the files left out.
            if (m_MergeLeft == 0)
                return;
            break;
        case UnitFilesResult::AsciiDownload:
            DownloadAsText();
            break;
        }
    }
}

} // namespace orlu
