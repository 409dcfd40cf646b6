#pragma once
// The rules of the View options command that need no dialog: which dialog
// fits the form and kind shown, which element choice the text and table
// dialogs offer, how the statistical-level dialogs are preset, how the
// levels record changes meaning when "use all levels" is switched, and the
// limits of the multi element options.

#include "presentation/view/ToolsFields.h"

#include <array>
#include <cstdint>
#include <span>

namespace orlu {

enum class ViewOptionsBranch : std::uint8_t {
    GraphLevels, GraphReverb, GraphGeneral, TextLevels, TextFixed, TextGeneral, TableLevels, TableFixed,
    TableGeneral, Other, None
};

/// The branch for the form (FormFlags) and kind shown; None when no form is shown.
ViewOptionsBranch ChooseViewOptionsBranch(std::uint32_t formFlags, std::uint8_t viewKind, std::int32_t rtMode);
/// The dialog the branch opens (its resource number), 0 for None.
int ViewOptionsDialogOf(ViewOptionsBranch branch);

struct ElementChoice {
    bool multi = false;
    bool offered = false;
    friend bool operator==(const ElementChoice&, const ElementChoice&) = default;
};

/// What the element choice of the text and table dialogs needs to know.
struct ElementFacts {
    std::uint8_t fileKind = 0;
    std::uint8_t viewKind = 0;
    bool rt60 = false;
    bool tonality = false;
    std::int32_t allFiles = 0;       ///< TextAllFiles or TableAllFiles of the form
    std::int32_t recordStepping = 0;
};

/// The element choice of the general text (table: false) or table (true) dialog.
ElementChoice ChooseElements(bool table, const ElementFacts& facts);
/// Files of kind 24 in their histogram and density views keep the all-files switch whatever the dialog says.
bool KeepsAllFilesSwitch(std::uint8_t fileKind, std::uint8_t viewKind);

/// How the statistical-level dialogs of the text and table forms are preset.
struct LevelDialogPreset {
    bool multi = false;
    bool elementChoiceEnabled = false;
    bool useAllEnabled = false;
    bool useAll = false;
    bool levelsEnabled = false;
    bool ascendingOffered = false;
    friend bool operator==(const LevelDialogPreset&, const LevelDialogPreset&) = default;
};

struct LevelFacts {
    std::uint8_t fileKind = 0;
    bool octaveStatistics = false; ///< StatOctave1 or StatOctave2
    std::int32_t allFiles = 0;
    std::int32_t recordStepping = 0;
    std::int32_t useAllStatLevels = 0;
    bool levelsInViewMask = false; ///< ViewMask bit 2
};

LevelDialogPreset PresetLevelDialog(const LevelFacts& facts);

using StatLevels = std::array<std::uint8_t, 10>;
inline constexpr StatLevels kDefaultStatLevels{1, 10, 20, 30, 40, 50, 60, 70, 80, 90};

/// LevelsRecord after "use all levels" is switched: from a level number to the
/// entry nearest it (the first of equal distance), or from an entry to its level.
std::int32_t SwitchedLevelsRecord(bool usedAll, std::int32_t levelsRecord, const StatLevels& levels);

/// Comma as decimal point and as column separator: the dialog must run again.
inline bool CommaConflict(std::int32_t decimalIndex, std::int32_t separatorIndex)
{
    return decimalIndex == 1 && separatorIndex == 1;
}

/// What limits the multi element options: the FFT line spacing and line count, and the spectra.
struct SpectrumBounds {
    double lineSpacing = 1.0;
    std::int32_t lines = 0;
    std::int32_t spectra = 0;
};

/// The options as the dialog gave them, limited to the document (frequencies
/// only for FFT spectra, not for band data).
ViewMultiElementOptions LimitMultiElementOptions(const ViewMultiElementOptions& chosen, const ViewMultiElementOptions& kept,
                                             const SpectrumBounds& bounds, bool bandData);

} // namespace orlu
