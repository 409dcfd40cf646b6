#include "reports/common/ReportNumberFormats.h"

#include "document/results/ResultValues.h"
#include "platform/ValueFormat.h"
#include "reports/common/TableRowFormats.h"
#include "reports/common/TextRowFormats.h"

#include <cmath>
#include <cstdlib>

namespace orlu {

std::string FormatExponent(double x)
{
    std::string text = StrPrintf("%.2e", x);
    // Rewrite the exponent from its value, so that any number of exponent
    // digits loses its leading zeros and keeps its sign.
    size_t e = text.find('e');
    if (e != std::string::npos) {
        long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);
        char sign = exponent < 0 ? '-' : '+';
        text.resize(e + 1);
        text += sign;
        text += StrPrintf("%ld", std::labs(exponent));
    }
    return StrPrintf("%9s", text.c_str());
}

std::string FormatExposureValue(double x)
{
    double magnitude = std::fabs(x);
    if (magnitude < 99.995)
        return StrPrintf(TextRowFormatsA[kValueAExposureTwoDecimals].data(), x);
    if (magnitude > 999.95)
        x = x > 0 ? 999.9 : -999.9;
    return StrPrintf(TextRowFormatsA[kValueAExposureOneDecimal].data(), x);
}

DurationText FormatDuration(std::uint32_t seconds)
{
    // From 99:59'59 on, the hour form gives way to whole days.
    constexpr std::uint32_t kDayFormFrom = 359999;
    constexpr std::uint32_t kSecondsPerDay = 86400;
    auto clock = [](std::uint32_t s) {
        return StrPrintf("%02d:%02d'%02d", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                         static_cast<int>(s % 60));
    };
    DurationText out;
    if (seconds < kDayFormFrom) {
        out.Text = clock(seconds);
        return out;
    }
    out.Text = StrPrintf("%ddays", static_cast<int>(seconds / kSecondsPerDay));
    if (std::uint32_t rest = seconds % kSecondsPerDay; rest != 0) {
        out.Text += '+';
        out.Remainder = "+" + clock(rest);
    }
    return out;
}

std::string FormatDurationUnit(std::uint32_t seconds)
{
    const auto letter = [](int unit) { return TableRowFormats[static_cast<std::size_t>(kTableUnitLetterBase + unit)].data(); };
    if (seconds < 60)
        return StrPrintf("%u %s", seconds, letter(0));
    const std::uint32_t minutes = seconds / 60;
    if (minutes < 60)
        return StrPrintf("%u %s", minutes, letter(1));
    return StrPrintf("%u %s", minutes / 60, letter(2));
}

std::string FormatPercent(double x)
{
    if (IsAbsent(x))
        return "-----"; // a file without the value
    if (x == 0 || x >= 9.995)
        return StrPrintf("%.1f", x);
    if (x < 0.01)
        return "<0.01";
    return StrPrintf("%.2f", x);
}

} // namespace orlu
