#pragma once
// One complete set of the ORLU 505's remote-control settings: the general
// state, the METER-mode and the ANALYZER-mode settings. The instrument reports
// them in its identify reply (one letter and number per setting), takes them
// back one "#1,<item>;" command at a time, and the program keeps them in
// setup files (.ocf).
//
// Every numeric setting is a 32-bit integer addressed through `Setting`; its
// setter checks the range the instrument accepts and refuses a value with the
// message the user sees, leaving the setting unchanged.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// The numeric settings, in the order a setup file holds them (the two texts
/// come between SoundBeep and AnFunction).
enum class Setting : int {
    UnitVersion, Mode, StartStop, MicPolarization, Calibration, SoundBeep,
    AnFunction, SLines, Record, Window, Averaging, AveragingNumber, AnRmsAveraging, AnDeltaIntegr, AnInput,
    AnRange, Band, AnFilter, Trigger, TriggerLevel, TriggerDelay, Zoom, CFreq,
    MetFunction, AutoRepeat, MetRmsAveraging, IntegrationTime, IntegrationTimeUnit, MetDeltaIntegr, MetInput,
    MetRange, MetFilter, AutoRange,
};
inline constexpr int kSettingCount = static_cast<int>(Setting::AutoRange) + 1;

/// The three groups of settings, numbered as the sheet numbers its pages.
enum class SettingsPage : int { General = 0, Meter = 1, Analyzer = 2 };

/// What a setter made of a value: stored, or refused with its message.
struct SettingOutcome {
    std::string_view message; ///< empty when the value was taken
    bool Accepted() const { return message.empty(); }
    explicit operator bool() const { return Accepted(); }
};

/// The name of a setting as files, dumps and fixtures spell it.
std::string_view SettingName(Setting setting);
/// The setting of a name, or none.
std::optional<Setting> SettingByName(std::string_view name);

/// The filter names by filter code (MetFilter 0..16).
inline constexpr std::array<std::string_view, 17> kFilterCodeTable{
    "DC", "Lin", "A", "C", "C & A", "G", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc", "L & A",
    "F-12", "F-13", "F-14", "F-15", "Vel"};

/// The messages of the refusals, by index.
extern const std::array<std::string_view, 29> kSettingsMessageTable;

class CControlSett {
public:
    /// The defaults; `eVersion` (the E flag of the last instrument contact)
    /// starts the METER delta integration at 4 instead of 1.
    explicit CControlSett(bool eVersion = false);

    int Get(Setting setting) const { return m_Values[static_cast<std::size_t>(setting)]; }
    /// Stores the value when the setting's range takes it, else returns the message.
    [[nodiscard]] SettingOutcome Set(Setting setting, int value);

    const std::string& SerialNumber() const { return m_SerialNumber; }
    const std::string& SoftwareVersion() const { return m_SoftwareVersion; }
    void SetSerialNumber(std::string text) { m_SerialNumber = std::move(text); }
    void SetSoftwareVersion(std::string text) { m_SoftwareVersion = std::move(text); }

    /// Fills the record from the settings in an identify reply ("#1,X1,Q2,...;").
    /// The parse stops silently at the first token it cannot take; what was
    /// set before stays set.
    void ParseUnitSettings(std::string_view reply);

    /// Every setting and both texts of the other record.
    void CopyFrom(const CControlSett& other) { *this = other; }

    /// How many one-setting commands a page sends (5, 8 and 13).
    static int GetSendItemCount(int page);
    /// Send item `item` (from 1) of the page, "X2" or "d10m"; empty when the
    /// page has no such item.
    std::string FormatSendItem(int page, int item) const;

    /// The setup-file bytes of the record.
    std::vector<std::uint8_t> StoreSetup() const;
    /// Loads a setup file's bytes. A file that ends early, holds a text in a
    /// form the program does not write, or a setting outside every range its
    /// setter takes is refused with the reason, and the record stays as it was.
    [[nodiscard]] std::optional<std::string> LoadSetup(std::span<const std::uint8_t> bytes);

    bool operator==(const CControlSett&) const = default;

private:
    std::array<int, kSettingCount> m_Values{};
    std::string m_SerialNumber;
    std::string m_SoftwareVersion;
};

} // namespace orlu
