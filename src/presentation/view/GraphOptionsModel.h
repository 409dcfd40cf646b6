#pragma once
// The graph form's option dialog, and its statistical-levels variant: the
// plot boxes, the single or multi element choice, the print zoom, the
// cursor and time formats and the multi element grid. Switching to multi
// element clears Plot cursor and Solid bars and remembers them, so that
// single element brings back what the user had.

#include "presentation/view/ViewOptionsRules.h"

#include <cstdint>

namespace orlu {

class GraphOptionsModel {
public:
    /// levels: the statistical-levels variant, with its level panel and Totals offered by the opener.
    explicit GraphOptionsModel(bool levels = false) : m_Levels(levels) {}

    bool LevelsVariant() const { return m_Levels; }

    // Boxes and their remembered values.
    std::int32_t SingleCheck = 1;
    std::int32_t MultiCheck = 0;
    std::int32_t CursorCheck = 0;
    std::int32_t TotalsCheck = 0;
    std::int32_t SolidBarsCheck = 0;
    std::int32_t NoAutoScaleCheck = 0;
    std::int32_t DateCheck = 0;
    std::int32_t SavedCursor = 0;
    std::int32_t SavedTotals = 0;
    std::int32_t SavedSolidBars = 0;
    std::int32_t SavedDate = 0;
    std::uint8_t PrintZoom = 1;
    std::int32_t CursorFormatIndex = 0;
    std::int32_t TimeDomainIndex = 0;
    ViewMultiElementOptions Multi;
    // What the opener offers.
    std::int32_t SolidBarsOffered = 0;
    std::int32_t AutoScaleOffered = 0;
    std::int32_t CursorFormatOffered = 0;
    std::int32_t TimeDomainOffered = 0;
    std::int32_t TotalsOffered = 0; ///< the levels variant
    std::int32_t BandData = 0;      ///< octave bands or levels: totals apply, frequencies do not
    std::int32_t ElementChoiceEnabled = 0;
    // The level panel of the levels variant.
    StatLevels Levels{};
    StatLevels SavedLevels{};
    std::int32_t UseAll = 0;
    std::int32_t UseAllEnabled = 0;

    std::int32_t Cancelled = 0;

    /// The levels with the copy Cancel restores.
    void SetLevelsKeepBackup(const StatLevels& levels);

    void ChooseMulti();
    void ChooseSingle();
    void Defaults();
    void SetCursor(bool on);
    void SetTotals(bool on);
    void SetSolidBars(bool on);
    void SetDate(bool on);
    void Ok() { Cancelled = 0; }
    void Cancel();

    // Enabling, at every exchange.
    bool CursorEnabled() const { return SingleCheck != 0; }
    bool TotalsEnabled() const { return MultiCheck != 0 && (m_Levels ? TotalsOffered : BandData) != 0; }
    bool SolidBarsEnabled() const { return SingleCheck != 0 && SolidBarsOffered != 0; }
    bool MultiGroupEnabled() const { return !m_Levels && MultiCheck != 0; }
    bool FrequencyGroupEnabled() const { return MultiGroupEnabled() && BandData == 0; }
    /// The list shows its index only when offered, else no selection (-1).
    std::int32_t ShownCursorFormat() const { return CursorFormatOffered ? CursorFormatIndex : -1; }
    std::int32_t ShownTimeDomain() const { return TimeDomainOffered ? TimeDomainIndex : -1; }

private:
    bool m_Levels;
};

} // namespace orlu
