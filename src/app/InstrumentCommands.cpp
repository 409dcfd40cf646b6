#include "app/InstrumentCommands.h"

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "app/CTransferProgressDlg.h"
#include "app/QtText.h"
#include "app/UnitSettingsCommand.h"
#include "platform/FixedTextDialogs.h"
#include "presentation/CaughtOutputDocument.h"
#include "presentation/InstrumentOutputCommands.h"

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orlu {
namespace {

/// Keeps what a worker has to tell the user, for the GUI thread to show.
class DeferredMessages final : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                              MessageIcon icon, MessageResult defaultButton) override
    {
        std::lock_guard lock(m_Mutex);
        m_Shown.push_back({std::string(text), std::string(caption), buttons, icon});
        return defaultButton;
    }
    // A catch asks nothing.
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::Cancel; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::Cancel; }

    void ShowTo(UserInteraction& ui)
    {
        std::lock_guard lock(m_Mutex);
        for (const Shown& s : m_Shown)
            ui.ShowMessage(s.text, s.caption, s.buttons, s.icon);
        m_Shown.clear();
    }

private:
    struct Shown {
        std::string text, caption;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::mutex m_Mutex;
    std::vector<Shown> m_Shown;
};

void CatchInWindow(CTmApp& app, CatchKind kind, const std::function<int(QDialog&)>& runDialog)
{
    DeferredMessages messages;
    SystemClock clock;
    UnitLink link(messages, app.SerialSettings(), clock);
    link.deviceSelector = app.Settings().DeviceSelector;
    TransferProgress progress;
    progress.Begin(std::string(CatchTitle(kind)));
    CaughtOutput caught;
    std::thread worker([&] {
        caught = CatchOutput(link, kind, progress);
        progress.End(); // also when the port did not open, so that the dialog closes
    });
    {
        // Printed output ends with Finish; a station's image ends by its own lengths.
        CTransferProgressDlg dialog(progress, false, true, kind == CatchKind::Monitor, app.MainFrame());
        dialog.setWindowTitle(ToQString(CatchTitle(kind)));
        runDialog(dialog);
        // A dialog closed without a button (the session ending) cancels.
        if (!progress.Finished() && progress.Requested() == TransferRequest::None)
            progress.Request(TransferRequest::Cancel, false);
    }
    worker.join();
    messages.ShowTo(app.Ui());
    CaughtOutputMakers makers;
    makers.text = [&app](std::string bytes) { return app.NewPrintedOutputDocument(std::move(bytes)) != nullptr; };
    makers.monitor = [&app] { return app.NewUnitDocument() != nullptr; };
    OpenCaughtOutput(app.Context(), std::move(caught), makers);
}

} // namespace

void RegisterInstrumentCommands(CTmApp& app, std::function<int(QDialog&)> runDialog)
{
    InstrumentOutputHandlers handlers;
    handlers.setMode = [&app](UnitMode mode) {
        SystemClock clock;
        UnitLink link(app.Ui(), app.SerialSettings(), clock);
        link.deviceSelector = app.Settings().DeviceSelector;
        SetUnitMode(link, mode);
    };
    handlers.unitSettings = [command = std::make_shared<UnitSettingsCommand>(app)] { command->OnUnitSettings(); };
    handlers.catchOutput = [&app, runDialog = std::move(runDialog)](CatchKind kind) {
        CatchInWindow(app, kind, runDialog);
    };
    RegisterInstrumentOutputCommands(app, app.Settings().DeviceSelector, std::move(handlers));
}

} // namespace orlu
