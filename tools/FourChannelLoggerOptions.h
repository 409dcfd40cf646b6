#pragma once
// The logger values of `orlu-fixture four-channel`:
//   --logger-levels [CH=]L[!],...[/...]  levels (0.1 dB, '!' the overload flag) of channel
//                                        CH's first logged result (1 to 4, default 1)
//   --rpm V,...                          rotation speeds in rpm (with --rotation)
//   --samples [CH=]S,...[/...]           24-bit samples of channel CH of a recording
// Each list is repeated over the rows.

#include "support/FourChannelFixture.h"

#include <string>

namespace orlu::tools {

/// Sets the values into the spec. False for a value it does not read, or values without
/// the time history that holds them (levels: --logger, rpm: --rotation, samples: --waveform).
bool FourChannelLoggerValues(const std::string& levels, const std::string& rpm, const std::string& samples,
                             orlu::fixture::FourChannelSpec& spec);

} // namespace orlu::tools
