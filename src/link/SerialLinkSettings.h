#pragma once
// The RS-232 parameters as small indices into the tables of port names, data
// bits, baud rates, parities and stop bits: the half read from the settings
// file at start-up (restored by the Defaults button) and the half in use,
// which the instrument family constrains and the port opens with.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

class IniProfile;

/// One half of the settings: five table indices and the write pause in ms.
struct SerialParameters {
    std::uint8_t port = 0;
    std::uint8_t dataBits = 3; // 8 bits
    std::uint8_t baudRate = 3; // 9600
    std::uint8_t parity = 0;   // none
    std::uint8_t stopBits = 0; // 1 bit
    std::uint8_t writePause = 0;

    bool operator==(const SerialParameters&) const = default;
};

inline constexpr std::array<std::string_view, 10> kPortNames = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                                                "COM6", "COM7", "COM8", "COM9", "COM10"};
inline constexpr std::array<std::string_view, 4> kDataBitsTexts = {"5", "6", "7", "8"};
inline constexpr std::array<std::string_view, 8> kBaudRateTexts = {"1200",  "2400",  "4800",  "9600",
                                                                   "19200", "38400", "57600", "115200"};
inline constexpr std::array<std::string_view, 3> kParityTexts = {"N", "O", "E"};
inline constexpr std::array<std::string_view, 3> kStopBitsTexts = {"1", "1.5", "2"};

/// The device paths COM1 to COM10 stand for, unless the settings file names others.
inline constexpr std::array<std::string_view, 10> kDefaultPortPaths = {
    "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3",   "/dev/ttyUSB0",
    "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyUSB4", "/dev/ttyUSB5"};

/// The table texts of a half, as a port is configured from them.
struct SerialParameterTexts {
    std::string_view port, dataBits, baudRate, parity, stopBits;
};

inline constexpr std::uint8_t kPause505 = 5;
inline constexpr std::uint8_t kSelector505 = 1;
inline constexpr std::uint8_t kSelectorMonitor = 7;
/// The ORLU 560, 570, 575, 580, 595 and the QERA 420.
inline constexpr std::uint8_t kSelectorLaterModels = 12;

class SerialLinkSettings {
public:
    SerialParameters defaults;
    SerialParameters current;
    /// The write pause of the ORLU 505; nothing changes it while the program runs.
    std::uint8_t pause505 = kPause505;
    /// How many baud rates the settings dialog offers.
    std::uint8_t baudEntries = 8;
    /// The device path of each port index ("Port Paths" in the settings file).
    std::array<std::string, 10> portPaths{};

    SerialLinkSettings();

    /// Reads "RS Default Settings" into both halves; a value outside its table
    /// is clamped to the table's last entry. The write pause follows the family.
    void Load(const IniProfile& profile, std::uint8_t deviceSelector);
    /// Writes the current indices and "WritePause505".
    void Save(IniProfile& profile) const;
    /// Forces what the instrument family requires on the current half.
    void ApplyUnitConstraints(std::uint8_t deviceSelector);
    /// The Defaults button: the start-up values, then the family's constraints.
    void RestoreDefaults(std::uint8_t deviceSelector);
    /// The write pause for the family: the ORLU 505's, else none.
    std::uint8_t PauseFor(std::uint8_t deviceSelector) const { return deviceSelector == kSelector505 ? pause505 : 0; }

    SerialParameterTexts CurrentTexts() const;
    /// The device path of the current port.
    const std::string& CurrentPortPath() const { return portPaths[current.port]; }
};

} // namespace orlu
