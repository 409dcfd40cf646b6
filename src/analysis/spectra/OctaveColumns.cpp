#include "analysis/spectra/OctaveColumns.h"

#include <array>

namespace orlu {
namespace {

struct UnitWords {
    std::string_view header;
    std::string_view name;
    std::string_view bracketed;
};

// By unit index; 6 to 8 are no unit of a spectrum and fall back to dB.
constexpr std::array<UnitWords, 12> kUnits{{
    {"   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ", "dB     ", "[dB]      "},
    {"   f[Hz]    Lev[V]         f[Hz]    Lev[V]         f[Hz]    Lev[V]  ", "V     ", "[V]       "},
    {"   f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]  ", "Pa     ", "[Pa]      "},
    {"   f[Hz] Lev[m/s\xB2]         f[Hz] Lev[m/s\xB2]         f[Hz] Lev[m/s\xB2]  ", "m/s\xB2     ",
     "[m/s\xB2]    "},
    {"   f[Hz]  Lev[m/s]         f[Hz]  Lev[m/s]         f[Hz]  Lev[m/s]  ", "m/s     ", "[m/s]     "},
    {"   f[Hz]    Lev[m]         f[Hz]    Lev[m]         f[Hz]    Lev[m]  ", "m     ", "[m]       "},
    {},
    {},
    {},
    {"   f[Hz]    Lev[g]         f[Hz]    Lev[g]         f[Hz]    Lev[g]  ", "g      ", "[g]       "},
    {"   f[Hz] Lev[in/s]         f[Hz] Lev[in/s]         f[Hz] Lev[in/s]  ", "in/s     ", "[in/s]    "},
    {"   f[Hz]   Lev[in]         f[Hz]   Lev[in]         f[Hz]   Lev[in]  ", "in      ", "[in]      "},
}};

const UnitWords& WordsOf(std::uint16_t unitIndex)
{
    if (unitIndex < kUnits.size() && !kUnits[unitIndex].header.empty())
        return kUnits[unitIndex];
    return kUnits[0];
}

} // namespace

std::string_view OctaveColumnHeader(std::uint16_t unitIndex)
{
    return WordsOf(unitIndex).header;
}

std::string_view OctaveUnitName(std::uint16_t unitIndex)
{
    return WordsOf(unitIndex).name;
}

std::string_view OctaveBracketedUnit(std::uint16_t unitIndex)
{
    return WordsOf(unitIndex).bracketed;
}

} // namespace orlu
