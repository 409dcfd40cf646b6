#pragma once
// The name tables of MONITOR reports. Indexes come straight from the stream,
// so every lookup is bounded: outside its table a name reads "UNDF" (modes
// and functions "UNDEFINED").

#include <cstddef>
#include <span>
#include <string_view>

namespace orlu {

struct MonitorSetupBlock;

/// The name at `index`, or `outside` when the table has none there.
std::string_view NameAt(std::span<const std::string_view> table, long index, std::string_view outside = "UNDF");

inline constexpr std::string_view kMonitorObservationModes[] = {"UNDEFINED", "Standard", "Extended", "Plot"};
inline constexpr std::string_view kMonitorFilterNames[] = {"UNDF", "Lin", "A", "C", "G"};
inline constexpr std::string_view kMonitorDetectorNames[] = {"Imp.", "Fast", "Slow", "UNDF",
                                                             "100ms", "125ms", "200ms", "500ms"};
inline constexpr std::string_view kMonitorPolarizations[] = {"0 V", "200 V"};
inline constexpr std::string_view kMonitorLeqIntegrations[] = {"Linear", "Exponent."};
inline constexpr std::string_view kMonitorOctaveFilters[] = {"HP", "Lin", "A", "C"};
inline constexpr std::string_view kMonitorFunctionNames[] = {
    "UNDEFINED", "LEVEL METER", "OCTAVE 1/1", "OCTAVE 1/3", "DOSE METER", "LOUDNESS METER",
    "FFT",       "TONALITY",    "RT60",       "ENVELOPING", "AEM"};
inline constexpr std::string_view kMonitorTotalNames[] = {"TOT_A", "TOT_C", "TOT_Lin", "SPL_Imp", "SPL_Fst", "SPL_Slw"};

/// The range names of the instrument's variant.
std::span<const std::string_view> MonitorRangeNames(const MonitorSetupBlock& setup);
/// The buffer-contents names of the instrument's software version.
std::span<const std::string_view> MonitorBufferContentsNames(const MonitorSetupBlock& setup);
/// The letters of the sound results: "PMNSLU", from software version 3.15 on "PMNSRU".
std::string_view MonitorResultLetters(const MonitorSetupBlock& setup);

/// The detector name of a profile's detector code.
std::string_view MonitorDetectorName(int code);

} // namespace orlu
