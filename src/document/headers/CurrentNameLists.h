#pragma once
// Name lists of the current family that the header decoders and the
// four-channel channel selection both hand out as NameTables.

#include "document/headers/NameTable.h"

#include <cstdint>

namespace orlu {

/// The totals of a sound channel; some lists start one later, at "TOT_A".
inline constexpr const char* kTotalNames[] = {"TOTAL", "TOT_A", "TOT_C", "TOT_Lin", "SPL_Imp", "SPL_Fst", "SPL_Slw"};

/// The detectors of a sound channel.
inline constexpr const char* kSoundDetectorNames[] = {"UNDF", "Imp.", "Fast", "Slow"};

/// The weighting filters of a microphone and of the other inputs.
inline constexpr const char* kSoundWeightingNames[] = {"UNDF", "Lin", "A", "C", "G"};
inline constexpr const char* kOtherWeightingNames[] = {"UNDF",  "HP1",  "HP3",  "HP10",  "Vel1",  "Vel3", "Vel10",
                                                       "VelMF", "Dil1", "Dil3", "Dil10", "W-Bxy", "W-Bz", "H-A"};

inline constexpr const char* kFftBandNames48k[] = {"UNDF",    "22.4 kHz", "11.2 kHz", "5.6 kHz", "2.8 kHz",
                                                   "1.4 kHz", "700 Hz",   "350 Hz",   "175 Hz",  "87.5 Hz"};
inline constexpr const char* kFftBandNamesOther[] = {"UNDF",     "20 kHz", "10 kHz", "5 kHz",  "2.5 kHz",
                                                     "1.25 kHz", "625 Hz", "312 Hz", "156 Hz", "78 Hz"};

/// The FFT band names of a sampling rate.
inline NameTable FftBandNamesFor(std::uint32_t samplingRate)
{
    return samplingRate == 48000 ? NameTable::Of(kFftBandNames48k) : NameTable::Of(kFftBandNamesOther);
}

} // namespace orlu
