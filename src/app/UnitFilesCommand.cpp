#include "app/UnitFilesCommand.h"

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/CUnitFilesDlg.h"
#include "app/TransferRunner.h"
#include "link/UnitFileDelete.h"
#include "link/UnitFileDownload.h"

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
    if (m_Link.deviceSelector == kSelector505 && m_Choices.moreDetails && m_Directory.HeadersStale() &&
        !readHeaders())
        return;
    // The family may have changed with the identify.
    m_App.Settings().DeviceSelector = m_Link.deviceSelector;

    AppContext& context = m_App.Context();
    m_Opener.Install(context);
    for (;;) {
        UnitFilesDialogModel::Hooks hooks{readDirectory, readHeaders, {}};
        UnitFilesDialogModel model(m_App.Ui(), m_Directory, m_Link.deviceSelector, m_Choices,
                                   m_App.Settings().DownloadPath, std::move(hooks));
        model.InitDialog();
        CUnitFilesDlg dialog(model, {}, m_App.MainFrame());
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
            if (!m_App.NewUnitDocument())
                return;
            break;
        case UnitFilesResult::AsciiDownload:
            break;
        }
    }
}

} // namespace orlu
