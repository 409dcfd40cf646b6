#include "presentation/AppSettings.h"

#include "presentation/AsciiContents.h"

#include <variant>

namespace orlu {
namespace {

using ByteMember = std::uint8_t AppSettings::*;
using WordMember = std::uint16_t AppSettings::*;
using LongMember = std::int32_t AppSettings::*;
using TextMember = std::string AppSettings::*;
struct StatLevelsMember {};

/// How a stored value is taken in beyond narrowing to the member's width.
enum class ReadRule {
    AsRead,
    DeviceSelector, // a byte of 0 or above 16 becomes 1
    Path,           // empty: the current folder
    AsciiContent,   // 1..6, else 1
    Flag,           // 0 or 1
    DecimalIndex,   // moved into the decimal-point table
    SeparatorIndex, // moved into the column-separator table
    TableFormIndex, // moved into the table forms
};

struct SettingRow {
    std::string_view section;
    std::string_view key;
    std::variant<ByteMember, WordMember, LongMember, TextMember, StatLevelsMember> member;
    ReadRule rule = ReadRule::AsRead;
    SettingsPhase phase = SettingsPhase::Remaining;
};

constexpr std::string_view kVibrationUnits = "Vibration units";
constexpr std::string_view kStatLevelsSection = "Statistical Levels Defaults";

// Defaults are those of AppSettings' member initialisers.
// In the order the keys are read at start-up and written at exit.
const SettingRow kSettingsTable[] = {
    {"Settings", "ShowSplash", &AppSettings::ShowSplash, ReadRule::AsRead, SettingsPhase::Splash},
    {"Settings", "ShowMaximized", &AppSettings::ShowMaximized, ReadRule::AsRead, SettingsPhase::Maximized},
    {"Settings", "MaximizedViewWindow", &AppSettings::MaximizedViewWindow},
    {"Settings", "OrluDeviceSelector", &AppSettings::DeviceSelector, ReadRule::DeviceSelector},
    {"Default Paths", "InputPath", &AppSettings::InputPath, ReadRule::Path},
    {"Default Paths", "InputFileExtension", &AppSettings::InputFileExtension},
    {"Default Paths", "KeepInputPath", &AppSettings::KeepInputPath},
    {"Default Paths", "DontUseFloppy", &AppSettings::DontUseFloppy},
    {"Default Paths", "EditedSubfolderName", &AppSettings::EditedSubfolderName},
    {"Default Paths", "DefaultSubfolderName", &AppSettings::DefaultSubfolderName},
    {"Default Paths", "SubfolderNaming", &AppSettings::SubfolderNaming},
    {"Default Paths", "LeaveFocusOnParent", &AppSettings::LeaveFocusOnParent},
    {"Default Paths", "OutputPath", &AppSettings::OutputPath, ReadRule::Path},
    {"Default Paths", "KeepOutputPath", &AppSettings::KeepOutputPath},
    {"Default Paths", "DownloadPath", &AppSettings::DownloadPath, ReadRule::Path},
    {"Default Paths", "KeepDownloadPath", &AppSettings::KeepDownloadPath},
    {"Access ORLU Unit Files Defaults", "FileType", &AppSettings::FileType},
    {"Access ORLU Unit Files Defaults", "Details", &AppSettings::Details},
    {"Access ORLU Unit Files Defaults", "Multichoice", &AppSettings::Multichoice},
    {"Access ORLU Unit Files Defaults", "SortByNames", &AppSettings::SortByNames},
    {"Table Form Defaults", "DecyPoint", &AppSettings::DecyPoint},
    {"Table Form Defaults", "SeparatorChar", &AppSettings::SeparatorChar},
    {"Table Form Defaults", "ScFormForMR", &AppSettings::ScFormForMR},
    {"Clipboard Defaults", "ClipDecyPoint", &AppSettings::ClipDecyPoint},
    {"Clipboard Defaults", "ClipDateFormat", &AppSettings::ClipDateFormat},
    {"Clipboard Defaults", "ClipSeparatorChar", &AppSettings::ClipSeparatorChar},
    {"Clipboard Defaults", "ClipBlockMarkMode", &AppSettings::ClipBlockMarkMode},
    {"ASCII Download Defaults", "AsciiFunDefault", &AppSettings::AsciiFunDefault, ReadRule::AsciiContent},
    {"ASCII Download Defaults", "AsciiIHIDefault", &AppSettings::AsciiIHIDefault, ReadRule::Flag},
    {"ASCII Download Defaults", "AsciiDecyPointDefault", &AppSettings::AsciiDecyPointDefault, ReadRule::DecimalIndex},
    {"ASCII Download Defaults", "AsciiSepaCharDefault", &AppSettings::AsciiSepaCharDefault, ReadRule::SeparatorIndex},
    {"ASCII Download Defaults", "AsciiTabFormDefault", &AppSettings::AsciiTabFormDefault, ReadRule::TableFormIndex},
    {"Pitch and Zoom Defaults", "DispPitchSize", &AppSettings::DispPitchSize},
    {"Pitch and Zoom Defaults", "PrintPitchSize", &AppSettings::PrintPitchSize},
    {"Pitch and Zoom Defaults", "DispTextMargin", &AppSettings::DispTextMargin},
    {"Pitch and Zoom Defaults", "PrintGraphZoom", &AppSettings::PrintGraphZoom},
    {kStatLevelsSection, "Lev_n%d", StatLevelsMember{}},
    {"Use All Statistical Levels", "UseAllSttLevPrf", &AppSettings::UseAllSttLevPrf},
    {"Use All Statistical Levels", "UseAllSttLevOct", &AppSettings::UseAllSttLevOct},
    {"Two spectra functions", "Imm2SpFunAccept", &AppSettings::Imm2SpFunAccept},
    {"Buffer operations", "ImmShowBO", &AppSettings::ImmShowBO},
    {"Graph AutoScaling", "GraphAutoScale", &AppSettings::GraphAutoScale},
    {"Cursor Relative Time Format", "CursorRelTimeFormat", &AppSettings::CursorRelTimeFormat},
    {"Time Axis Format", "TimeAxisFormat", &AppSettings::TimeAxisFormat},
    {"Time Axis Format", "UseDate", &AppSettings::UseDate},
    {"Spectrum Peaks Defaults", "SpectrPeaksNum", &AppSettings::SpectrPeaksNum},
    {"Spectrum Peaks Defaults", "PeakNeighbourDiff", &AppSettings::PeakNeighbourDiff},
    {"Reverberation Comp Defaults", "StartWithTotals", &AppSettings::StartWithTotals},
    {"Reverberation Comp Defaults", "ManualT0", &AppSettings::ManualT0},
    {"Reverberation Comp Defaults", "Visual Aid", &AppSettings::VisualAid},
    {"Circle at Node", "Draw", &AppSettings::CircleDraw},
    {"Circle at Node", "Radius", &AppSettings::CircleRadius},
    {"Circle at Node", "Min Step", &AppSettings::CircleMinStep},
    {"Markers in Buffer/Logger", "Show", &AppSettings::MarkersShow},
    {"Markers in Buffer/Logger", "Method", &AppSettings::MarkersMethod},
    {"Breaks in Buffer/Logger", "Show", &AppSettings::BreaksShow},
    {kVibrationUnits, "NonMetric", &AppSettings::NonMetric},
    {"Start with MRU", "MRUused", &AppSettings::MRUused},
};

const AppSettings kDefaults{};

std::string LevelKey(int n)
{
    return "Lev_n" + std::to_string(n);
}

bool IsStoredLevel(int value) { return value >= 1 && value <= 99; }

// A drive-letter path ("C:", "D:\DATA") comes from a profile written on
// another system and names no folder here.
bool IsDrivePath(std::string_view path)
{
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

void ReadRow(const IniProfile& profile, const SettingRow& row, AppSettings& s,
             const std::filesystem::path& currentFolder)
{
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, ByteMember>) {
                const int stored = profile.GetInt(row.section, row.key, kDefaults.*member);
                auto value = static_cast<std::uint8_t>(stored);
                // The ASCII download's indexes select from tables: a profile edited by
                // hand (or a combo left without a selection, -1) never reaches past them.
                switch (row.rule) {
                case ReadRule::AsciiContent: value = ClampAsciiContent(stored); break;
                case ReadRule::Flag: value = stored != 0 ? 1 : 0; break;
                case ReadRule::DecimalIndex: value = ClampDecimalIndex(stored); break;
                case ReadRule::SeparatorIndex: value = ClampSeparatorIndex(stored); break;
                case ReadRule::TableFormIndex: value = ClampTableFormIndex(stored); break;
                default: break;
                }
                if (row.rule == ReadRule::DeviceSelector && (value == 0 || value > 16))
                    value = 1;
                s.*member = value;
            } else if constexpr (std::is_same_v<M, WordMember>) {
                s.*member = static_cast<std::uint16_t>(profile.GetInt(row.section, row.key, kDefaults.*member));
            } else if constexpr (std::is_same_v<M, LongMember>) {
                s.*member = profile.GetInt(row.section, row.key, kDefaults.*member);
            } else if constexpr (std::is_same_v<M, TextMember>) {
                std::string value = profile.GetString(row.section, row.key, kDefaults.*member);
                if (row.rule == ReadRule::Path && (value.empty() || IsDrivePath(value)))
                    value = currentFolder.string();
                s.*member = std::move(value);
            } else {
                s.StatLevels = kDefaults.StatLevels;
                for (int n = 1; n <= kStatLevelCount; ++n) {
                    int value = static_cast<std::uint8_t>(profile.GetInt(row.section, LevelKey(n), 0));
                    if (IsStoredLevel(value))
                        s.StatLevels[n - 1] = static_cast<std::uint8_t>(value);
                }
            }
        },
        row.member);
}

} // namespace

void ReadSettings(const IniProfile& profile, AppSettings& settings, SettingsPhase phase,
                  const std::filesystem::path& currentFolder, const ForeignSettingsSection& foreign)
{
    for (const SettingRow& row : kSettingsTable) {
        if (row.phase != phase)
            continue;
        ReadRow(profile, row, settings, currentFolder);
        if (row.section == kVibrationUnits && foreign.read)
            foreign.read(profile);
    }
}

void WriteSettings(IniProfile& profile, const AppSettings& s, const ForeignSettingsSection& foreign)
{
    if (foreign.write)
        foreign.write(profile);
    for (const SettingRow& row : kSettingsTable) {
        if (auto m = std::get_if<ByteMember>(&row.member))
            profile.WriteInt(row.section, row.key, s.**m);
        else if (auto w = std::get_if<WordMember>(&row.member))
            profile.WriteInt(row.section, row.key, s.**w);
        else if (auto l = std::get_if<LongMember>(&row.member))
            profile.WriteInt(row.section, row.key, s.**l);
    }
    for (const SettingRow& row : kSettingsTable) {
        if (auto t = std::get_if<TextMember>(&row.member))
            profile.WriteString(row.section, row.key, s.**t);
    }
    for (int n = 1; n <= kStatLevelCount; ++n) {
        int level = s.StatLevels[n - 1];
        profile.WriteInt(kStatLevelsSection, LevelKey(n), IsStoredLevel(level) ? level : 0);
    }
}

std::vector<SettingsKey> AllSettingsKeys()
{
    std::vector<SettingsKey> keys;
    for (const SettingRow& row : kSettingsTable) {
        if (std::holds_alternative<StatLevelsMember>(row.member)) {
            static const std::array<std::string, kStatLevelCount> levelKeys = [] {
                std::array<std::string, kStatLevelCount> k;
                for (int n = 1; n <= kStatLevelCount; ++n)
                    k[n - 1] = LevelKey(n);
                return k;
            }();
            for (const std::string& key : levelKeys)
                keys.push_back({row.section, key});
        } else {
            keys.push_back({row.section, row.key});
        }
    }
    return keys;
}

} // namespace orlu
