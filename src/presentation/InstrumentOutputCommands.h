#pragma once
// The instrument menu's commands on the unit's mode, its settings and the
// output it pushes: METER and ANALYZER mode, the settings document, and the
// two catch commands, offered by family and never shown checked.

#include "document/AppContext.h"
#include "link/OutputCatch.h"
#include "link/UnitModeSwitch.h"
#include "presentation/CommandTarget.h"

#include <cstdint>
#include <functional>

namespace orlu {

inline constexpr int kIdCatchPrintedOutput = 32876;
inline constexpr int kIdCatchMonitorOutput = 32884;

struct InstrumentOutputHandlers {
    std::function<void(UnitMode)> setMode;
    std::function<void()> unitSettings;
    std::function<void(CatchKind)> catchOutput;
};

/// The command handlers of the mode, settings and catch items, and the
/// enabling of the catch items by the device selector.
void RegisterInstrumentOutputCommands(CommandTarget& target, const std::uint8_t& selector,
                                      InstrumentOutputHandlers handlers);

/// The settings document of the unit: a new document of kind 2 read from the
/// instrument as it is made.
void OpenUnitSettingsDocument(AppContext& app);

} // namespace orlu
