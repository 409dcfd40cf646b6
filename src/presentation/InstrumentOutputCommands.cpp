#include "presentation/InstrumentOutputCommands.h"

#include "document/container/FileKindCode.h"
#include "presentation/DeviceSelectorMenu.h"

namespace orlu {

void RegisterInstrumentOutputCommands(CommandTarget& target, const std::uint8_t& selector,
                                      InstrumentOutputHandlers handlers)
{
    target.OnCommand(kIdMeterMode, [setMode = handlers.setMode] { setMode(UnitMode::Meter); });
    target.OnCommand(kIdAnalyzerMode, [setMode = handlers.setMode] { setMode(UnitMode::Analyzer); });
    target.OnCommand(kIdUnitSettings, std::move(handlers.unitSettings));
    for (const auto& [id, kind] : {std::pair{kIdCatchPrintedOutput, CatchKind::Printed},
                                   std::pair{kIdCatchMonitorOutput, CatchKind::Monitor}}) {
        target.OnCommand(id, [catchOutput = handlers.catchOutput, kind] { catchOutput(kind); });
        target.OnUpdate(id, [&selector, kind](CommandUi& ui) {
            ui.enabled = CatchEnabled(kind, selector);
            ui.checked = false;
        });
    }
}

void OpenUnitSettingsDocument(AppContext& app)
{
    app.PendingFileKind = kKindSettings;
    app.PendingDocSource = kPendingInstrument;
    if (app.NewUnitDocument)
        app.NewUnitDocument();
}

} // namespace orlu
