#pragma once
// What the "RS-232  SETTINGS" dialog shows and gives back, without a window:
// the five lists with their selections, which of them the instrument family
// leaves enabled, the baud rates it offers, and the Defaults button.

#include "link/SerialLinkSettings.h"

#include <array>
#include <string_view>
#include <vector>

namespace orlu {

inline constexpr std::array<std::string_view, 4> kDataBitsLabels = {"5-bit", "6-bit", "7-bit", "8-bit     "};
inline constexpr std::array<std::string_view, 8> kBaudRateLabels = {
    "    1200 bps", "    2400 bps", "    4800 bps", "    9600 bps", "  19200 bps", "  38400 bps", "  57600 bps", "115200 bps"};
inline constexpr std::array<std::string_view, 3> kParityLabels = {"None", "Odd", "Even"};
inline constexpr std::array<std::string_view, 3> kStopBitsLabels = {"1 bit", "1.5 bits", "2 bits"};

class Rs232SettingsModel {
public:
    /// The dialog over the current half of the settings, for the family.
    Rs232SettingsModel(SerialLinkSettings& settings, std::uint8_t deviceSelector);

    int port, dataBits, baudRate, parity, stopBits;

    /// The baud rates offered (six for the ORLU 505).
    std::vector<std::string_view> BaudLabels() const;
    bool DataBitsEnabled() const { return false; }
    bool BaudRateEnabled() const { return m_Selector != kSelectorMonitor; }
    bool ParityEnabled() const { return m_Selector == kSelector505; }
    bool StopBitsEnabled() const { return m_Selector == kSelector505; }

    /// The Defaults button: the start-up values with the family's constraints
    /// go into use at once (a later Cancel keeps them) and into the lists.
    void Defaults();
    /// OK: the selections into the current half (clamped to the lists); the
    /// write pause follows the family, never the dialog.
    void Accept();

private:
    void ReadCurrent();

    SerialLinkSettings& m_Settings;
    std::uint8_t m_Selector;
};

} // namespace orlu
