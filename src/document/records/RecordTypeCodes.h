#pragma once
// Record types of the current-family files. The first four records (file
// header, unit, title, measurement) are read in chain order; every other
// record is found by its type. Four-channel files (the ORLU 545 and 590)
// number the same contents differently: the family's codes are one row of
// kRecordTypeCodes.

#include <cstdint>

namespace orlu {

inline constexpr std::uint8_t kRecordFileHeader = 1;
inline constexpr std::uint8_t kRecordUnit = 2;
inline constexpr std::uint8_t kRecordTitle = 3;
inline constexpr std::uint8_t kRecordMeasurement = 4;
inline constexpr std::uint8_t kRecordEnd = 255; ///< the end word 0xFFFF

/// Record types whose number depends on the family.
struct RecordTypeCodes {
    std::uint8_t mainResults;
    std::uint8_t histogramDef;
    std::uint8_t secondHistogramDef;
    std::uint8_t octave11Setup;
    std::uint8_t octave13Setup;
    std::uint8_t fftSetup;
    std::uint8_t statisticsDef;
    std::uint8_t bufferRecord;  ///< other files: the buffer header 15; four-channel: the logger 24
    std::uint8_t rt60Settings;
    std::uint8_t rt60Results;  ///< the results of a single reverberation measurement
    std::uint8_t rt60Averaged; ///< the averaged results of several
    std::uint8_t octave11Spectrum; ///< four-channel: per channel; other files: none (0)
    std::uint8_t octave13Spectrum;
    std::uint8_t fftSpectrum;
};

/// Row 0: other current-family files; row 1: four-channel files.
inline constexpr RecordTypeCodes kRecordTypeCodes[2] = {
    {.mainResults = 7,
     .histogramDef = 9,
     .secondHistogramDef = 19,
     .octave11Setup = 14,
     .octave13Setup = 16,
     .fftSetup = 17,
     .statisticsDef = 23,
     .bufferRecord = 15,
     .rt60Settings = 26,
     .rt60Results = 27,
     .rt60Averaged = 28,
     .octave11Spectrum = 0,
     .octave13Spectrum = 0,
     .fftSpectrum = 0},
    {.mainResults = 13,
     .histogramDef = 18,
     .secondHistogramDef = 21,
     .octave11Setup = 9,
     .octave13Setup = 9,
     .fftSetup = 11,
     .statisticsDef = 25,
     .bufferRecord = 24,
     .rt60Settings = 36,
     .rt60Results = 37,
     .rt60Averaged = 38,
     .octave11Spectrum = 15,
     .octave13Spectrum = 16,
     .fftSpectrum = 17},
};

/// The codes of a family.
constexpr const RecordTypeCodes& RecordTypesOf(bool fourChannel)
{
    return kRecordTypeCodes[fourChannel ? 1 : 0];
}

// Further types of other current-family files.
inline constexpr std::uint8_t kRecordProfiles = 5;
inline constexpr std::uint8_t kRecordFftSetupAlt = 21;
inline constexpr std::uint8_t kRecordTonalityFft = 22;
inline constexpr std::uint8_t kRecordTonality = 29;
inline constexpr std::uint8_t kRecordUserFilters = 24;
inline constexpr std::uint8_t kRecordUserFilterEntry = 25;

// Further types of four-channel files.
inline constexpr std::uint8_t kRecordLastHeaderBefore220 = 26; ///< firmware below 2.20
inline constexpr std::uint8_t kRecordVectorSettings = 30;
inline constexpr std::uint8_t kRecordDoseSettings = 31;
/// The reverberation results over all channels: of a single measurement, and averaged over several.
inline constexpr std::uint8_t kRecordRt60MeanResults = 40;
inline constexpr std::uint8_t kRecordRt60MeanAveraged = 41;
inline constexpr std::uint8_t kRecordWaveform = 43; ///< firmware 2.20 and later; samples follow
inline constexpr std::uint8_t kRecordSeatDefinition = 44;

} // namespace orlu
