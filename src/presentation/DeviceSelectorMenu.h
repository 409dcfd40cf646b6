#pragma once
// The instrument menu: the radio list of instrument families, each setting
// the device selector and applying its serial constraints, and the enabling
// of the menu's other items by the selected family.

#include "presentation/CommandTarget.h"

#include <cstdint>
#include <functional>

namespace orlu {

struct DeviceMenuItem {
    int commandId;
    std::uint8_t selector;
};
inline constexpr DeviceMenuItem kDeviceMenuItems[] = {
    {32858, 1}, {32859, 2}, {32868, 3}, {32871, 4},  {32872, 5}, {32882, 6},
    {32886, 7}, {32901, 8}, {32902, 9}, {32905, 10}, {32911, 12},
};

inline constexpr int kIdRs232Settings = 32774;
inline constexpr int kIdMeterMode = 32775;
inline constexpr int kIdAnalyzerMode = 32776;
inline constexpr int kIdUnitSettings = 32777;
inline constexpr int kIdRemoteControl = 32849;
inline constexpr int kIdUnitFiles = 32771;

/// Whether an item of the instrument menu other than the families is enabled.
bool DeviceMenuItemEnabled(int commandId, std::uint8_t deviceSelector);

/// Registers the family commands and the update handlers of the menu on the
/// target. `selector` is the device selector; `apply` runs after every
/// choice (the serial constraints), `rs232` is the settings dialog.
void RegisterDeviceMenu(CommandTarget& target, std::uint8_t& selector, std::function<void()> apply,
                        std::function<void()> rs232);

} // namespace orlu
