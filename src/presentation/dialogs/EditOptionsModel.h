#pragma once
// "EDIT OPTIONS": how a marked block runs and how the clipboard receives a
// table (decimal point, date layout, column separator). The choices live in
// the view's FormFlags and, once changed, in the clipboard defaults.

#include "presentation/dialogs/NumberFields.h"

#include <cstdint>
#include <functional>

namespace orlu {

struct AppSettings;

struct EditOptionsValues {
    int blockModeIndex = -1; ///< normal, box, full lines, full columns
    int decimalIndex = -1;   ///< dot, comma
    int dateIndex = -1;      ///< mm/dd/yy .. yy/dd/mm
    int separatorIndex = -1; ///< tab, comma, semicolon, slash, space, double space, spaces to 10th
    bool tableGroupEnabled = false; ///< the clipboard lists apply to a table form only
    friend bool operator==(const EditOptionsValues&, const EditOptionsValues&) = default;
};

/// The dialog's values from the view's FormFlags.
EditOptionsValues EditOptionsFromFlags(std::uint32_t formFlags);

/// Runs the dialog (which changes the values on OK only) until comma is not
/// both the decimal point and the separator, showing the comma message each
/// time it is; then writes changed choices into the flags and the clipboard
/// defaults. True when anything changed.
bool RunEditOptions(std::uint32_t& formFlags, AppSettings& settings,
                    const std::function<void(EditOptionsValues&)>& runDialog,
                    const std::function<void()>& showCommaConflict);

/// "SPECTRUM PEAKS OPTIONS": how many peaks are marked and how prominent one must be.
struct SpectrumPeaksValues {
    static constexpr int kCountId = 1079;
    static constexpr int kShapeId = 1082;
    unsigned peaksMax = 0;  ///< 0..100, 0 shows none
    unsigned peakShape = 0; ///< 0..1000, in 0.1 dB or 1 % as unitText says
    bool keepAsDefault = false;
    const char* unitText = "";
    bool accepted = false;
};

/// The two number boxes of the peaks dialog.
inline constexpr NumberField kSpectrumPeaksFields[] = {{SpectrumPeaksValues::kCountId, NumberKind::Byte, 0, 100},
                                                       {SpectrumPeaksValues::kShapeId, NumberKind::Unsigned, 0, 1000}};

/// The view's peak choice as the dialog's start.
SpectrumPeaksValues PresetSpectrumPeaks(int count, std::uint16_t threshold, bool keepDefault, bool linearUnits);

/// After the dialog: an accepted choice goes to the view (and, kept as
/// default, to the settings). True when the shown peaks must be drawn again.
bool ApplySpectrumPeaks(const SpectrumPeaksValues& values, int& count, std::uint16_t& threshold, bool& keepDefault,
                        AppSettings& settings, bool peaksShown);

} // namespace orlu
