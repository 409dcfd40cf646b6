#include "monitor/MonitorSoundValues.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace orlu {

unsigned ReadLetterValues(std::string_view text, std::string_view letters, int firstSlot, MonitorValueArray& values)
{
    unsigned found = 0;
    const std::string copy(text); // strtod needs a terminated text
    for (std::size_t i = 0; i < copy.size(); ++i) {
        const std::size_t slot = letters.find(copy[i]);
        if (slot == std::string_view::npos)
            continue;
        const std::size_t at = static_cast<std::size_t>(firstSlot) + slot;
        if (at >= values.size())
            continue;
        values[at] = std::strtod(copy.c_str() + i + 1, nullptr);
        found |= 1u << slot;
    }
    return found;
}

MonitorSoundValues ConvertMonitorSoundRecord(const MonitorValueArray& v, bool linear, int e, double k)
{
    MonitorSoundValues out;
    const double t = v[kSlotT];
    out.SelPresent = t > 0;
    const double sel = out.SelPresent ? v[kSlotLeq] + 10.0 * std::log10(t) : 0.0;
    const auto level = [&](double x) { return (linear ? std::pow(10.0, x / 20.0 - e) : x) * k; };
    out.Leq = level(v[kSlotLeq]);
    out.Peak = level(v[kSlotPeak]);
    out.Min = level(v[kSlotMin]);
    out.Max = level(v[kSlotMax]);
    out.Spl = level(v[kSlotSpl]);
    if (linear) {
        const double p = 20.0 * std::pow(10.0, sel / 20.0 - e);
        out.Sel = p * p;
    } else {
        out.Sel = v[kSlotSel] * k;
        out.SelPresent = true;
    }
    return out;
}

std::int64_t IntervalIntegrationTime(std::int64_t t, std::int64_t soundStep, std::int64_t period)
{
    if (period <= 0)
        return soundStep;
    const std::int64_t rest = (t * soundStep) % period;
    return rest == 0 ? period : rest;
}

} // namespace orlu
