#include "SpectraOptions.h"

#include "analysis/spectra/SpectrumPeaks.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

namespace orlu::tools {
namespace {

// A whole number from min to max, or -1.
long Number(std::string_view text, long min, long max)
{
    const std::string s(text);
    char* end = nullptr;
    const long value = std::strtol(s.c_str(), &end, 10);
    return !s.empty() && !*end && value >= min && value <= max ? value : -1;
}

// The index of name in names, or -1.
template <std::size_t N> int IndexOf(std::string_view name, const std::array<std::string_view, N>& names)
{
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

constexpr std::array<std::string_view, 4> kForms = {"power", "phase", "real", "imag"};
constexpr std::array<std::string_view, 3> kPhaseUnits = {"rad", "deg", "grad"};

} // namespace

int ReadSpectraOption(int argc, char** argv, int& i, SpectraViewChoices& c)
{
    const std::string_view option = argv[i];
    if (option == "--tonality") {
        c.TonalityShown = 1;
        c.PeaksShown = 0;
        return 1;
    }
    if (option == "--short-band") {
        c.Band = 2;
        return 1;
    }
    const bool known = option == "--function" || option == "--output-form" || option == "--phase-unit" ||
                       option == "--ab" || option == "--window" || option == "--peaks" || option == "--fft-degree" ||
                       option == "--spectrum";
    if (!known)
        return 0;
    if (i + 1 >= argc)
        return -1;
    const std::string_view value = argv[++i];
    if (option == "--function") {
        const long f = Number(value, 1, 10);
        c.Function = static_cast<std::uint8_t>(f);
        return f < 0 ? -1 : 1;
    }
    if (option == "--output-form" || option == "--phase-unit") {
        const int k = option == "--output-form" ? IndexOf(value, kForms) : IndexOf(value, kPhaseUnits);
        (option == "--output-form" ? c.OutputForm : c.PhaseUnit) = static_cast<std::uint8_t>(k);
        return k < 0 ? -1 : 1;
    }
    if (option == "--window") {
        const long w = Number(value, 0, 8);
        c.Window = static_cast<std::uint16_t>(w);
        return w < 0 ? -1 : 1;
    }
    if (option == "--fft-degree" || option == "--spectrum") {
        const long n = Number(value, 1, 1000000);
        (option == "--fft-degree" ? c.Degree : c.Record) = static_cast<std::int32_t>(n);
        return n < 0 ? -1 : 1;
    }
    // --ab A,B and --peaks N[,DIFF]: two numbers, the second optional for the peaks.
    const std::size_t comma = value.find(',');
    const std::string_view first = value.substr(0, comma);
    const std::string_view second = comma == std::string_view::npos ? std::string_view{} : value.substr(comma + 1);
    if (option == "--ab") {
        const long a = Number(first, 1, 4), b = Number(second, 1, 4);
        c.ChannelA = static_cast<std::uint16_t>(a);
        c.ChannelB = static_cast<std::uint16_t>(b);
        return a < 0 || b < 0 ? -1 : 1;
    }
    const long n = Number(first, 0, kMaxSpectrumPeaks);
    const long diff = second.empty() ? 1 : Number(second, 0, 65535);
    c.PeaksNum = static_cast<std::uint8_t>(n);
    c.PeakNeighbourDiff = static_cast<std::uint16_t>(diff);
    c.PeaksShown = n > 0 ? 1 : 0;
    c.TonalityShown = 0;
    return n < 0 || diff < 0 ? -1 : 1;
}

} // namespace orlu::tools
