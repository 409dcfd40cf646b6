#pragma once
// Number formatters shared by the Main-results and Header information texts.

#include <cstdint>
#include <string>

namespace orlu {

/// "%.2e" with the exponent written without leading zeros (1.23e-4,
/// 1.00e+0, 1.50e+10), right-aligned in 9 characters.
std::string FormatExponent(double x);

/// 9 characters with 2 decimals below 99.995, else with 1 decimal and the
/// magnitude held at 999.9.
std::string FormatExposureValue(double x);

/// A duration as FormatDuration writes it.
struct DurationText {
    std::string Text;      ///< "hh:mm'ss", or "Ndays" with "+" when a remainder follows
    std::string Remainder; ///< "+hh:mm'ss" beyond whole days, or empty
};

/// "hh:mm'ss" below 359999 seconds; from there on whole days and the rest.
DurationText FormatDuration(std::uint32_t seconds);

/// A duration in its largest whole unit: "59 s", "1 m", "1 h" (whole divisions, never rounded up).
std::string FormatDurationUnit(std::uint32_t seconds);

/// A percentage without the percent sign: "<0.01" for small values, "-----" for an absent one.
std::string FormatPercent(double x);

} // namespace orlu
