#pragma once
// What the measurement view chooses for its FFT spectra: the spectra function
// of two channels and its output form, the phase unit, the smoothing window,
// the aggregation degree, the peaks or the tonality analysis and the cursor
// block, and the record shown.

#include "analysis/spectra/Tonality.h"

#include <cstdint>

namespace orlu {

struct SpectraViewChoices {
    std::uint8_t Function = 1;        ///< SpectraFunctionCode
    std::uint8_t OutputForm = 0;      ///< SpectraOutputForm: 0 power, 1 phase, 2 real, 3 imaginary part
    std::uint8_t PhaseUnit = 0;       ///< 0 rad, 1 deg, 2 grad
    std::uint16_t ChannelA = 1;       ///< 1-based
    std::uint16_t ChannelB = 1;
    std::uint16_t Window = 2;         ///< FftWindowCode of the spectra functions (Hanning)
    std::int32_t Degree = 1;          ///< lines per shown group
    std::int32_t PeaksShown = 0;
    std::uint8_t PeaksNum = 0;        ///< SpectrPeaksNum: at most 100
    std::uint16_t PeakNeighbourDiff = 1;
    std::int32_t TonalityShown = 0;   ///< the graph analyses the tonality (and shows degree 1)
    TonalitySettings Tonality;
    std::uint8_t MarkerCount = 0;     ///< 2: the block of lines MarkerPoints[0] .. [1]
    std::int32_t MarkerPoints[2] = {0, 0};
    std::int32_t Record = 1;          ///< the record shown, 1-based
    std::uint8_t Band = 1;            ///< tonality files: 1 the full band, 2 the short band
};

} // namespace orlu
