#pragma once
// Value texts of the Header information reports: levels stored in 0.1 dB
// shown in dB or as linear values with prefix and unit (converted to
// velocity or displacement, or to g and inches under the non-metric
// option), and the measurement range name. Each text is cut to the width of
// its report cell.

#include "document/channel/CurrentChannel.h"
#include "document/units/LevelUnits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// What the header value texts read of the document: the level context
/// (model flags, ORLU 505 file, reference levels, non-metric option) and the
/// selected channel (input kind, function, filter, sensitivity offset, range
/// code). A report may change the channel's function or input kind in its
/// copy for one call; the reference exponent follows the change.
struct HeaderLevelContext {
    LevelContext document;
    CurrentChannel channel;
    double setupFrequencyHz = 0.0; ///< frequency of the 505 setup (velocity and displacement)
};

/// Cell widths of the header value texts.
inline constexpr std::size_t kHeaderLevelWidth = 10;
inline constexpr std::size_t kHeaderLevelRefWidth = 15;

/// A level in 0.1 dB: "73.4 dB", or linear 10^(L/20) without unit ("4.68e+3").
std::string FormatTenthsLevel(std::int16_t tenths, bool linear);

/// A level of the legacy header: dB (relative to the function's reference
/// level on ORLU 505 vibration channels when `relative`), or the linear value
/// of the channel's quantity. 10 characters at most.
std::string FormatHeaderLevel(const HeaderLevelContext& ctx, double levelDb, int mode, bool relative);

/// A level of the current-family and MONITOR headers with the reference of
/// the quantity (1 um/s2, 1 nm/s, 1 pm); dB relative to the acceleration
/// reference for accelerometers when `relative`; "%.0f" when `wholeNumber`.
/// 15 characters at most.
std::string FormatHeaderLevelRef(const HeaderLevelContext& ctx, double levelDb, int mode, bool relative,
                                 bool wholeNumber);

/// A level of the 505 header: dB less the sensitivity offset on ORLU 505
/// vibration channels, or the input's linear quantity, integrated once or
/// twice at the setup frequency for velocity and displacement. 10 characters
/// at most; "-----" for velocity or displacement without a setup frequency.
std::string FormatVibrationLevel(const HeaderLevelContext& ctx, double levelDb, int mode);

/// The measurement range name by model, function and range code:
/// "UNKNOWN   ", "LOW       ", "HIGH      " or "SINGLE    ".
std::string_view GetRangeName(const HeaderLevelContext& ctx);

} // namespace orlu
