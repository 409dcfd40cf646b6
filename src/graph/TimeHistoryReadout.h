#pragma once
// The cursor read-out of a time-history panel: the XOR cursor line, the
// cursor's point, relative time, time of day, date and value, the running
// total at the cursor, the marker times and, with the cursor inside the
// block between two markers, the block's Lmin, Lmax, running Leq and SEL.

#include "graph/GraphLayout.h"

#include <string>

namespace orlu {

struct GraphSettings;
struct TimeHistoryPanel;

inline constexpr Rgb kTimeCursorColour{100, 100, 0};
/// The text colour of the marker lines of the read-outs.
inline constexpr Rgb kReadoutGrey{127, 127, 127};
/// The text shown for a value no unit format exists for.
inline constexpr const char* kAbsentValueText = "----";

/// A read-out value and its unit without the unit's leading blank.
struct ReadoutValueText {
    std::string value;
    std::string unit;
};
ReadoutValueText FormatReadoutValue(int inputKind, double v, int kind, bool nonMetric);

void DrawTimeHistoryCursor(const PanelHead& head, const TimeHistoryPanel& panel, const GraphSettings& settings);

/// t0 padded on the left with the leading characters of t1, digits as '0'
/// ("5'07" against "1:02'03" gives "0:05'07").
std::string PadMarkerTime(const std::string& t0, const std::string& t1);

/// Fraction digits of a time per plotted point: those "%g" prints (at most 6).
int ReadoutTimeDecimals(double secondsPerPoint);

} // namespace orlu
