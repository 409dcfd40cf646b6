#pragma once
// The program's user settings: one member per key of the profile, read once
// at start-up and written back whole at exit. The table in AppSettings.cpp
// lists every section and key in the order they are read and written.

#include "platform/IniProfile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orlu {

/// The settings members, each named after its profile key.
struct AppSettings {
    // "Settings"
    std::uint8_t ShowSplash = 0;
    std::uint8_t ShowMaximized = 0;
    std::uint8_t MaximizedViewWindow = 0;
    std::uint8_t DeviceSelector = 1;
    // "Default Paths"
    std::string InputPath;
    std::uint8_t InputFileExtension = 1;
    std::uint8_t KeepInputPath = 0;
    std::uint8_t DontUseFloppy = 0;
    std::string EditedSubfolderName = "<new subfolder name>";
    std::string DefaultSubfolderName = "NewFolder";
    std::uint8_t SubfolderNaming = 3;
    std::uint8_t LeaveFocusOnParent = 0;
    std::string OutputPath;
    std::uint8_t KeepOutputPath = 0;
    std::string DownloadPath;
    std::uint8_t KeepDownloadPath = 0;
    // "Access ORLU Unit Files Defaults"
    std::int32_t FileType = 3;
    std::int32_t Details = 0;
    std::int32_t Multichoice = 1;
    std::int32_t SortByNames = 0;
    // "Table Form Defaults"
    std::uint8_t DecyPoint = 0;
    std::uint8_t SeparatorChar = 0;
    std::uint8_t ScFormForMR = 0;
    // "Clipboard Defaults"
    std::uint8_t ClipDecyPoint = 0;
    std::uint8_t ClipDateFormat = 2;
    std::uint8_t ClipSeparatorChar = 0;
    std::uint8_t ClipBlockMarkMode = 0;
    // "ASCII Download Defaults"
    std::uint8_t AsciiFunDefault = 1;
    std::uint8_t AsciiIHIDefault = 0;
    std::uint8_t AsciiDecyPointDefault = 0;
    std::uint8_t AsciiSepaCharDefault = 0;
    std::uint8_t AsciiTabFormDefault = 0;
    // "Pitch and Zoom Defaults"
    std::uint8_t DispPitchSize = 16;
    std::uint8_t PrintPitchSize = 16;
    std::uint8_t DispTextMargin = 0;
    std::uint8_t PrintGraphZoom = 8;
    // "Statistical Levels Defaults": Lev_n1 .. Lev_n10
    std::array<std::uint8_t, 10> StatLevels = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    // "Use All Statistical Levels"
    std::uint8_t UseAllSttLevPrf = 0;
    std::uint8_t UseAllSttLevOct = 0;
    // "Two spectra functions", "Buffer operations", "Graph AutoScaling"
    std::uint8_t Imm2SpFunAccept = 0;
    std::uint8_t ImmShowBO = 0;
    std::uint8_t GraphAutoScale = 1;
    // "Cursor Relative Time Format", "Time Axis Format"
    std::uint8_t CursorRelTimeFormat = 0;
    std::uint8_t TimeAxisFormat = 0;
    std::uint8_t UseDate = 0;
    // "Spectrum Peaks Defaults"
    std::uint8_t SpectrPeaksNum = 0;
    std::uint16_t PeakNeighbourDiff = 1;
    // "Reverberation Comp Defaults"
    std::uint8_t StartWithTotals = 0;
    std::uint8_t ManualT0 = 0;
    std::uint8_t VisualAid = 4;
    // "Circle at Node"
    std::int32_t CircleDraw = 0;
    std::int32_t CircleRadius = 1;
    std::int32_t CircleMinStep = 0;
    // "Markers in Buffer/Logger", "Breaks in Buffer/Logger"
    std::int32_t MarkersShow = 1;
    std::uint8_t MarkersMethod = 0;
    std::int32_t BreaksShow = 1;
    // "Vibration units"
    std::uint8_t NonMetric = 0;
    // "Start with MRU"
    std::int32_t MRUused = 0;
};

/// The number of statistical levels the "Lev_n%d" keys hold.
inline constexpr int kStatLevelCount = 10;

/// When a setting is read during start-up: the splash flag first, the
/// maximized flag when the main window is shown, all others afterwards.
enum class SettingsPhase { Splash, Maximized, Remaining };

/// The other sections kept in the same profile by other parts of the program
/// (the serial settings): read between "Vibration units" and "Start with MRU",
/// written before everything else.
struct ForeignSettingsSection {
    std::function<void(const IniProfile&)> read;
    std::function<void(IniProfile&)> write;
};

/// Reads the settings of one start-up phase. Missing keys give the defaults;
/// integers are narrowed to their member's width; paths that are empty (or
/// name a drive-letter folder, meaningless here) become currentFolder.
void ReadSettings(const IniProfile& profile, AppSettings& settings, SettingsPhase phase,
                  const std::filesystem::path& currentFolder, const ForeignSettingsSection& foreign = {});

/// Writes every setting: the foreign section first, then the integers, the
/// strings and the statistical levels, each group in table order.
void WriteSettings(IniProfile& profile, const AppSettings& settings, const ForeignSettingsSection& foreign = {});

/// One row of the settings table, for callers that list the keys.
struct SettingsKey {
    std::string_view section;
    std::string_view key;
};

/// Every section and key, in reading order (the ten level keys included).
std::vector<SettingsKey> AllSettingsKeys();

} // namespace orlu
