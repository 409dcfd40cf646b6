#pragma once
// The CurrentChannel: the fields of the selected channel (and profile) that
// every renderer reads after selecting. A selection copies them from the
// decoded header and derives the rest (range limits, classes, names).

#include "document/headers/NameTable.h"

#include <cstdint>
#include <string>

namespace orlu {

struct CurrentChannel {
    int channel = 0;
    int profile = 0;

    std::uint16_t inputKind = 0;
    std::uint16_t storedInputKind = 0;
    std::uint16_t rangeIndex = 0;
    std::uint16_t rangeNameIndex = 0;
    std::int16_t rangeTopDb = 0;
    std::int16_t rangeBottomDb = 0;
    std::uint16_t function = 0;
    std::uint16_t filter = 0;
    std::int16_t calibration = 0;
    std::uint16_t detectorWord = 0;
    std::uint16_t detectorIndex = 0;
    std::uint16_t loggerWord = 0;
    std::uint16_t channelBlockLength = 0;
    std::uint16_t coefficientK = 0;
    std::uint16_t coefficientKOn = 0;
    std::uint16_t filter505 = 0;
    std::uint16_t lowPassFilter = 0;
    std::int16_t calibration505 = 0;     ///< 0.1 dB, the level offset of the sample scale
    double spectrumDbOffset = 0.0;       ///< added to 100 x log10 of an FFT power value of a 505 file: 0.1 dB
    // Microphone settings of ORLU 545 and 590 channels.
    std::uint16_t compensationFilter = 0;
    std::uint16_t micFieldCorrection = 0;
    std::uint16_t micPolarization = 0;
    std::uint16_t micOutdoorFilter = 0;

    std::uint16_t octaveFilter = 0;
    std::uint16_t octaveInBuffer = 0;
    std::uint16_t lowestBandWord = 0;
    std::uint16_t bandKind = 0;
    std::uint16_t bandExtras = 0;
    std::uint16_t bandEnd = 0;   ///< values per spectrum, extras included
    std::uint16_t bandCount = 0; ///< bands shown
    std::uint16_t octaveBandCount = 0;
    std::uint16_t thirdBandCount = 0;
    std::int32_t octaveTotal = 0;
    std::int32_t octaveBands = 0;
    std::int32_t octaveMissing = 0;
    std::int32_t thirdTotal = 0;
    std::int32_t thirdBands = 0;
    std::int32_t thirdMissing = 0;
    std::int32_t spectraCount = 0;
    std::int32_t bandTableIndex = -1; ///< first band in the third-octave centre table
    double firstBandHz = 0.0;
    double fftRangeHz = 0.0;
    std::uint16_t fftZoomCode = 0;
    std::uint16_t fftWindow = 0;
    std::int32_t fftMode = 0;
    double fftWindowGain = 0.0;
    double fftWindowPower = 0.0;
    double fftAxisStart = 0.0;
    double fftAxisEnd = 0.0;

    std::uint16_t histFirst = 0;
    std::uint16_t histClasses = 0;
    std::int16_t histLowest = 0;
    std::int16_t histWidth = 0;
    std::uint16_t histClasses2 = 0;
    std::int16_t histLowest2 = 0;
    std::int16_t histWidth2 = 0;
    std::uint32_t histTotal = 0;

    double sampleScale = 0.0;
    double rangeScale = 1.0;
    std::int16_t sensitivityOffset = 0; ///< 0.1 dB

    bool timeHistory = false;
    bool histogramFlag = false;

    // ORLU 505 METER-mode (legacy) channels.
    bool dualFilter = false;          ///< a two-filter measurement: filter 4 ("C&A") or 11 ("W-Bcv")
    std::uint16_t timeConstant = 0;   ///< the "Time constant DELTA_INT" code
    bool detectorBit1 = false;        ///< bit 1 of detectorWord
    bool detectorBit6 = false;        ///< bit 6 of detectorWord
    std::uint16_t rmsDetectorType = 0; ///< 1 + bits 4-5 of detectorWord
    std::string vectorFormula;        ///< the vector sum of a probe file, "1.40^2*(#1:Wd)^2 + ..."

    NameTable rangeNames;
    NameTable filterNames;
    NameTable detectorNames;
    NameTable resultNames;
    NameTable totalNames;
    NameTable fftBandNames;

    bool operator==(const CurrentChannel&) const = default;
};

} // namespace orlu
