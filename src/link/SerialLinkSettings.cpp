#include "link/SerialLinkSettings.h"

#include "platform/IniProfile.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kSection = "RS Default Settings";
constexpr std::string_view kPathSection = "Port Paths";

struct IndexKey {
    std::string_view key;
    std::uint8_t SerialParameters::*field;
    std::size_t tableSize;
};
constexpr IndexKey kIndexKeys[] = {
    {"Port", &SerialParameters::port, kPortNames.size()},
    {"DataBits", &SerialParameters::dataBits, kDataBitsTexts.size()},
    {"BaudRate", &SerialParameters::baudRate, kBaudRateTexts.size()},
    {"Parity", &SerialParameters::parity, kParityTexts.size()},
    {"StopBits", &SerialParameters::stopBits, kStopBitsTexts.size()},
};

constexpr std::uint8_t kBaud38400 = 5;
constexpr std::uint8_t kBaud115200 = 7;
constexpr std::uint8_t kEightBits = 3;

} // namespace

SerialLinkSettings::SerialLinkSettings()
{
    std::copy(kDefaultPortPaths.begin(), kDefaultPortPaths.end(), portPaths.begin());
}

void SerialLinkSettings::Load(const IniProfile& profile, std::uint8_t deviceSelector)
{
    const SerialParameters compiled;
    for (const IndexKey& row : kIndexKeys) {
        // The settings file is edited by hand at times: a value outside its
        // table would index past it, so it is clamped.
        const int value = profile.GetInt(kSection, row.key, compiled.*row.field);
        const int clamped = std::clamp(value, 0, static_cast<int>(row.tableSize) - 1);
        defaults.*row.field = static_cast<std::uint8_t>(clamped);
    }
    for (std::size_t i = 0; i < portPaths.size(); ++i)
        portPaths[i] = profile.GetString(kPathSection, kPortNames[i], kDefaultPortPaths[i]);
    defaults.writePause = PauseFor(deviceSelector);
    current = defaults;
}

void SerialLinkSettings::Save(IniProfile& profile) const
{
    for (const IndexKey& row : kIndexKeys)
        profile.WriteInt(kSection, row.key, current.*row.field);
    profile.WriteInt(kSection, "WritePause505", pause505);
}

void SerialLinkSettings::ApplyUnitConstraints(std::uint8_t deviceSelector)
{
    current.dataBits = kEightBits;
    current.writePause = PauseFor(deviceSelector);
    baudEntries = 8;
    if (deviceSelector == kSelector505) {
        current.baudRate = std::min(current.baudRate, kBaud38400);
        baudEntries = 6;
        return;
    }
    if (deviceSelector == kSelectorMonitor)
        current.baudRate = kBaud115200;
    current.parity = 0;
    current.stopBits = 0;
}

void SerialLinkSettings::RestoreDefaults(std::uint8_t deviceSelector)
{
    current = defaults;
    ApplyUnitConstraints(deviceSelector);
}

SerialParameterTexts SerialLinkSettings::CurrentTexts() const
{
    return {kPortNames[current.port], kDataBitsTexts[current.dataBits], kBaudRateTexts[current.baudRate],
            kParityTexts[current.parity], kStopBitsTexts[current.stopBits]};
}

} // namespace orlu
