#pragma once
// What a CTmDoc keeps of an ORLU 505 ANALYZER-mode file: the setup of the
// sub-file decoded last and the FFT workspace of its Time function.

#include "document/FftWindow.h"
#include "document/headers/Setup505.h"

#include <cstdint>
#include <vector>

namespace orlu {

struct Setup505Document {
    Setup505 setup;
    bool decoded = false;
    std::uint16_t subfile = 0;   ///< the sub-file the setup was decoded from
    bool ownRecordIndex = false; ///< the RecordIndex is the decoder's 1..N, not the file's

    /// The workspace of the Time function's transforms, allocated once.
    FftBuffers fft;
    std::vector<std::uint8_t> sampleBuffers[2];   ///< 2N bytes each
    std::vector<std::uint8_t> spectrumBuffers[2]; ///< 8L + 16 bytes each
};

} // namespace orlu
