#pragma once
// The measurement files that the damaged-file tests and the fuzz seeds start
// from: a current-family logger with statistics, tonality and events, a
// reverberation-time file, a four-channel vibration file with its vector and a
// four-channel logger. Between them they reach most record kinds.

#include <cstdint>
#include <string>
#include <vector>

namespace orlu::fixture {

struct DamageSample {
    std::string name;
    std::uint8_t kind; ///< the container's file kind
    std::vector<std::uint8_t> file; ///< the record chain, without its container
};

std::vector<DamageSample> DamageSamples();

} // namespace orlu::fixture
