#pragma once
// The label texts of the band axes and the name of every position of a band
// graph: bands from the lowest band of the PlotKind upwards, then the
// trailing totals and SPL values in the order of the data.

#include <array>
#include <optional>
#include <string_view>

namespace orlu {

inline constexpr std::array<std::string_view, 26> kOctaveAxisLabels{
    "2Hz", "16Hz", "125Hz", "1kHz", "8kHz", "Total", "A", "C", "Lin", "Totals", "A", "C", "HP",
    "Totals", "A", "C", "L", "Tot.", "A", "C", "H", "Tot.", "I", "F", "S", "Spl"};
inline constexpr std::array<std::string_view, 6> kOctaveAxisLabels4Hz{"4Hz", "31.5Hz", "250Hz", "2kHz", "16kHz", "Total"};
inline constexpr std::array<std::string_view, 6> kOctaveAxisLabels8Hz{"8Hz", "63Hz", "500Hz", "4kHz", "31.5kHz", "Total"};
inline constexpr std::array<std::string_view, 6> kOctaveAxisLabels31Hz{"31.5Hz", "125Hz", "500Hz", "2kHz", "8kHz", "Tot"};
inline constexpr std::array<std::string_view, 9> kOctaveTotalLabels{"2Hz", "16Hz", "125Hz", "1kHz", "8kHz",
                                                                    "A", "C", "Lin", "Totals"};
inline constexpr std::array<std::string_view, 9> kOctaveTotalLabelsZ{"2Hz", "16Hz", "125Hz", "1kHz", "8kHz",
                                                                     "A", "C", "Z", "Totals"};

/// 1/3-octave bands 1 Hz to 20 kHz (0 to 43), then three groups of totals:
/// plain, named with Lin and named with HP.
inline constexpr std::array<std::string_view, 62> kThirdOctaveLabels20k{
    "1Hz", "1.25Hz", "1.6Hz", "2Hz", "2.5Hz", "3.15Hz", "4Hz", "5Hz", "6.3Hz", "8Hz",
    "10Hz", "12.5Hz", "16Hz", "20Hz", "25Hz", "31.5Hz", "40Hz", "50Hz", "63Hz", "80Hz",
    "100Hz", "125Hz", "160Hz", "200Hz", "250Hz", "315Hz", "400Hz", "500Hz", "630Hz", "800Hz",
    "1kHz", "1.25kHz", "1.6kHz", "2kHz", "2.5kHz", "3.15kHz", "4kHz", "5kHz", "6.3kHz", "8kHz",
    "10kHz", "12.5kHz", "16kHz", "20kHz",
    "Total", "Total", "Total", "Spl", "Spl", "Spl",
    "Total_A", "Total_C", "Total_Lin", "Spl_Impulse", "Spl_Fast", "Spl_Slow",
    "Total_A", "Total_C", "Total_HP", "Spl_Impulse", "Spl_Fast", "Spl_Slow"};

/// 1/3-octave bands 1 Hz to 80 kHz (0 to 49), then the same three groups of totals.
/// Index -1 reads "0.8Hz" (see ThirdOctave80kLabel).
inline constexpr std::array<std::string_view, 68> kThirdOctaveLabels80k{
    "1Hz", "1.25Hz", "1.6Hz", "2Hz", "2.5Hz", "3.15Hz", "4Hz", "5Hz", "6.3Hz", "8Hz",
    "10Hz", "12.5Hz", "16Hz", "20Hz", "25Hz", "31.5Hz", "40Hz", "50Hz", "63Hz", "80Hz",
    "100Hz", "125Hz", "160Hz", "200Hz", "250Hz", "315Hz", "400Hz", "500Hz", "630Hz", "800Hz",
    "1kHz", "1.25kHz", "1.6kHz", "2kHz", "2.5kHz", "3.15kHz", "4kHz", "5kHz", "6.3kHz", "8kHz",
    "10kHz", "12.5kHz", "16kHz", "20kHz", "25kHz", "31.5kHz", "40kHz", "50kHz", "63kHz", "80kHz",
    "Total", "Total", "Total", "Spl", "Spl", "Spl",
    "Total_A", "Total_C", "Total_Lin", "Spl_Impulse", "Spl_Fast", "Spl_Slow",
    "Total_A", "Total_C", "Total_HP", "Spl_Impulse", "Spl_Fast", "Spl_Slow"};

/// Entry of the 20 kHz table; a negative index reads "0.8Hz", one past the end "".
std::string_view ThirdOctave20kLabel(int index);
/// Entry of the 80 kHz table; -1 reads "0.8Hz", other indexes outside it "".
std::string_view ThirdOctave80kLabel(int index);

/// The name of a position of a band PlotKind ("" for kinds without band names).
/// totalBars: which named totals the data carry (0 none, 1 A/C/Lin, 2 A/C/HP).
std::string_view BandNameOf(int plotKind, int totalBars, int position);

/// The index into the 20 kHz table that BandNameOf reads, for the PlotKinds of
/// the statistical-level band graph (0 to 5, 10, 31 to 39); none for the others.
std::optional<int> BandTableIndexOf(int plotKind, int totalBars, int position);

} // namespace orlu
