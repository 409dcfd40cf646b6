#pragma once
// orlu-fixture's waveform options of ORLU 505 ANALYZER-mode Time files:
// --waveform N (samples per block, a multiple of 256 up to 8192), --channels
// 1|4, --complex (zoomed: real and imaginary words), --tone
// LINE,AMPLITUDE[,CH] (CH 0-based; every channel without it) and --records R.

#include "support/Analyzer505Fixture.h"

#include <string>

namespace orlu::tools {

struct WaveformOptions {
    long samples = 0; ///< 0: no waveform blocks
    long channels = 1;
    bool complexSamples = false;
    std::string tone;
    long records = 0; ///< 0: as --spectra says
};

/// Makes the spec a Time file of waveform blocks; false when an option is out of range.
bool ApplyWaveformOptions(const WaveformOptions& options, fixture::Analyzer505Spec& spec);

} // namespace orlu::tools
