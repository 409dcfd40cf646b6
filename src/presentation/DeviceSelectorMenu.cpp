#include "presentation/DeviceSelectorMenu.h"

namespace orlu {

bool DeviceMenuItemEnabled(int commandId, std::uint8_t s)
{
    switch (commandId) {
    case kIdRs232Settings:
        return s != 8 && s != 9; // the ORLU 550 and the QERA 410 have no COM settings
    case kIdMeterMode:
    case kIdAnalyzerMode:
    case kIdRemoteControl:
        return s == 1;
    case kIdUnitSettings:
        return s != 7;
    default:
        return true;
    }
}

void RegisterDeviceMenu(CommandTarget& target, std::uint8_t& selector, std::function<void()> apply,
                        std::function<void()> rs232)
{
    for (const DeviceMenuItem& item : kDeviceMenuItems) {
        target.OnCommand(item.commandId, [&selector, apply, value = item.selector] {
            selector = value;
            apply(); // also when the family was chosen already
        });
        target.OnUpdate(item.commandId, [&selector, value = item.selector](CommandUi& ui) {
            ui.enabled = true;
            ui.checked = selector == value;
        });
    }
    target.OnCommand(kIdRs232Settings, std::move(rs232));
    for (int id : {kIdRs232Settings, kIdMeterMode, kIdAnalyzerMode, kIdUnitSettings, kIdRemoteControl, kIdUnitFiles})
        target.OnUpdate(id, [&selector, id](CommandUi& ui) { ui.enabled = DeviceMenuItemEnabled(id, selector); });
}

} // namespace orlu
