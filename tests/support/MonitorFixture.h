#pragma once
// A whole MONITOR station stream for the fixture tool, the tests and the
// benchmarks: the given station and setup blocks, then per interval the sound
// records of every profile in use, statistics, octave spectra, meteo and
// calibration records as the station's content flags call for them. The
// values are a fixed pattern; every record comes from MonitorStreamBuilder.

#include "support/MonitorStreamBuilder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlu::fixture {

struct MonitorFixtureSpec {
    std::string Station;  ///< the station block's fields
    std::string Setup;    ///< the setup block's fields
    int Intervals = 4;
    int Meteo = 0;        ///< meteo records, one after each of the first intervals
    int Calibrations = 0; ///< calibration records, one after each of the first intervals
    int Classes = 0, Lowest = 300, Width = 10; ///< statistics class layout (0.1 dB); no statistics without classes
    bool OctaveStatistics = false;             ///< one octave-statistics record per interval
    bool Capture = false;                      ///< a capture header in front
    std::optional<std::vector<std::uint8_t>> Buffer; ///< the embedded buffer after "#8X2"
    std::optional<MonitorStamp> Stop;                ///< a recorded stop time at the end
    bool ZeroGaps = false;      ///< two 0 bytes between intervals
    std::size_t Cut = 0;        ///< bytes cut off the end
    std::optional<char> BadKind; ///< a record '#' + this digit after the first interval
};

/// The content flags the station block gives (its D field, hexadecimal); -1 without one.
long MonitorFlagsOf(const std::string& station);

/// The stream the spec describes.
std::vector<std::uint8_t> BuildMonitorFixture(const MonitorFixtureSpec& spec);

} // namespace orlu::fixture
