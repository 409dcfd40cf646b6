#pragma once
// The decoded header of a current-family instrument file: everything the
// header decoder reads from records 1 to 46 of one sub-file. A decode builds
// a fresh CurrentHeader, so nothing of an earlier decode (another sub-file)
// survives into the next.

#include "document/headers/DeviceModels.h"
#include "document/headers/FourChannelHeader.h"
#include "document/headers/NameTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

/// InputKind values.
enum InputKind : std::uint16_t {
    kInputUndefined = 0,
    kInputReference = 1,
    kInputMicrophone = 2,
    kInputDirect = 3,
    kInputCharge = 4,
    kInputAccelerometer = 5,
};

/// DeviceFunction values.
enum DeviceFunction : std::uint16_t {
    kFunctionLevelMeter = 1,
    kFunctionOctave11 = 2,
    kFunctionOctave13 = 3,
    kFunctionDoseMeter = 4,
    kFunctionFft = 6,
    kFunctionTonality = 7,
    kFunctionRt60 = 8,
    kFunctionEnveloping = 9,
    kFunctionAem = 10,
};

/// Band kinds of spectra.
enum BandKind : std::uint16_t {
    kBandNone = 0,
    kBandWaveform = 1,
    kBandFft = 2,
    kBandOctave11 = 3,
    kBandOctave13 = 4,
    kBandAem = 1111,
};

/// One block of the profile record 5.
struct ProfileSetup {
    std::uint16_t blockLength = 0;
    std::uint16_t detector = 0;   ///< its name is entry detector + 1 of the detector names
    std::uint16_t filter = 0;     ///< 49 + k for user filter k
    std::uint16_t bufferWord = 0; ///< the buffer contents definition
    std::int16_t calibration = 0; ///< 0.1 dB
    std::uint16_t flagsWord = 0;
    std::uint16_t resultsInBuffer = 0; ///< results this profile logs per buffer record
    bool operator==(const ProfileSetup&) const = default;
};

/// A trigger setting (measurement, logger or recorder trigger).
struct TriggerSetup {
    bool present = false;
    std::uint16_t mode = 0;
    std::uint16_t source = 0;
    std::uint16_t level = 0;
    std::uint16_t preProbes = 0;
    std::uint16_t postProbes = 0;
    std::uint16_t gradient = 0;
    bool operator==(const TriggerSetup&) const = default;
};

/// One real-time filter of record 33.
struct RealTimeFilter {
    std::uint8_t type = 0;
    std::uint8_t second = 0;
    double a = 0.0;
    double b = 0.0;
    bool operator==(const RealTimeFilter&) const = default;
};

/// A user filter entry (record 25).
struct UserFilterEntry {
    std::string name;
    std::uint16_t number = 0;
    std::vector<std::uint32_t> coefficients; ///< at most 50
    bool operator==(const UserFilterEntry&) const = default;
};

/// A user filter definition of record 24 (4 words), matched to its entry.
struct UserFilterDefinition {
    std::array<std::uint16_t, 4> words{};
    std::string name;
    int entryIndex = -1;
    bool operator==(const UserFilterDefinition&) const = default;
};

/// A histogram definition (record 9, or the second one, record 19).
struct HistogramSetup {
    std::uint16_t classLength = 0;
    std::uint16_t bandWord = 0; ///< second histogram only
    std::uint16_t classes = 0;
    std::int16_t lowest = 0; ///< 0.1 dB
    std::int16_t width = 0;  ///< 0.1 dB
    std::uint32_t totalCount = 0;
    bool operator==(const HistogramSetup&) const = default;
};

struct CurrentHeader {
    // Record 1.
    std::string fileName;
    std::string secondName;
    bool setupFile = false;
    std::uint16_t setupDate = 0;
    std::uint16_t setupTime = 0;

    // Record 2.
    std::uint16_t serial = 0;
    std::uint16_t deviceType = 0;
    std::uint16_t firmware = 0; ///< x 100
    std::uint16_t variant = 0;
    std::uint16_t fileSystemVersion = 0; ///< x 100
    bool subVersionPresent = false;
    std::uint16_t subVersion = 0;
    ModelFlags model;
    std::uint8_t derivedKind = 0; ///< the kind a file of kind 99 takes

    // Record 3.
    std::string title;

    // Record 4, common words.
    std::uint16_t date = 0;
    std::uint16_t time = 0;
    std::uint16_t function = 0;
    bool rt60 = false;
    std::uint16_t channelMode = 0;
    std::uint16_t channelCount = 0;
    std::uint16_t rtChannelCount = 0;

    // Record 4 of other files.
    std::uint16_t inputKind = 0;
    std::uint16_t inputKindAsRead = 0;
    std::uint16_t range = 0;
    std::uint16_t flagsWord = 0;
    bool flagsWordPresent = false;
    std::uint16_t repetitionCycle = 0;
    std::uint16_t startDelay = 0;
    std::uint32_t integrationSeconds = 0;
    double timeStep = 0.0;
    std::uint16_t timeStepUnit = 0; ///< 0 seconds, 1 minutes, 2 hours
    std::uint16_t timeStepDecimals = 0;
    std::int16_t legacyTimeStepCode = 0;
    bool ldenColumn = false;
    bool lnColumn = false;

    std::uint16_t criterionLevel = 0; ///< 0.1 dB
    std::uint16_t thresholdLevel = 0; ///< 0.1 dB
    std::uint16_t thresholdIndex = 0;
    std::uint16_t exchangeRate = 0;   ///< dB
    std::uint16_t exposureMinutes = 0;
    std::uint16_t trigger = 0;
    TriggerSetup measurementTrigger;
    TriggerSetup loggerTrigger;
    TriggerSetup recorderTrigger;
    bool externalIoPresent = false;
    std::array<std::uint16_t, 9> externalIo{};
    std::int16_t accelerationOffset = 0; ///< reference levels, 0.1 dB
    std::int16_t velocityOffset = 0;
    std::int16_t displacementOffset = 0;
    std::uint16_t rt60Method = 0;
    std::array<std::uint16_t, 3> compensationFilter{};
    std::uint16_t fieldCorrection = 0;
    std::uint16_t outdoorFilter = 0;
    std::uint16_t polarization = 0;
    std::uint16_t integration = 0; ///< Leq or RMS integration
    std::uint16_t octaveFilter = 0;
    std::uint16_t spectraInBuffer = 0;
    std::uint16_t calibrationType = 0;
    std::uint16_t calibrationDate = 0;
    std::uint16_t calibrationTime = 0;
    std::uint16_t rotationMeasurement = 0;
    std::uint16_t pulsesPerRotation = 0;

    // Record 5.
    std::array<ProfileSetup, 3> profiles{};
    std::uint16_t profileMask = 0;
    std::uint16_t profilesWithBuffer = 0;
    std::uint16_t bufferStatisticsMask = 0;
    std::uint16_t resultsPerBufferRecord = 0;
    std::uint16_t userFilterMask = 0;

    // Record 33.
    std::vector<RealTimeFilter> realTimeFilters;

    // Statistics and histograms.
    bool timeHistory = false;
    bool histogramFlag = false;
    bool statisticsFlag = false;
    bool statisticsShown = false;
    std::uint16_t statisticsMask = 0;
    HistogramSetup histogram;
    HistogramSetup secondHistogram;
    bool secondHistogramFlag = false;
    std::uint8_t secondHistogramKind = 0; ///< 0 none, 1 1/1 octaves, 2 1/3 octaves, 10 of kind 10
    bool histogramsAvailable = false;

    // Bands and spectra.
    std::uint16_t bandKind = kBandNone;
    std::uint16_t bandCount = 0; ///< values per spectrum, extras included
    std::uint16_t bandExtras = 0;
    std::uint16_t bandsShown = 0;
    std::uint16_t octaveBandsShown = 0;
    std::uint16_t thirdBandsShown = 0;
    std::int32_t octaveTotal = 0;
    std::int32_t thirdTotal = 0;
    std::int32_t thirdExtras = 0;
    std::int32_t thirdBands = 0;
    std::int32_t thirdOffset = 0;
    std::uint16_t lowestBandWord = 0;
    std::int32_t bandTableIndex = -1; ///< first band in the third-octave centre table
    double firstFrequency = 0.0; ///< first band centre, or the FFT line spacing
    std::int32_t spectrumCount = 0;
    std::array<bool, 4> extraSpectra{}; ///< records 38 to 41
    bool rowGap = false;
    bool tonality = false;

    // FFT.
    bool fftPresent = false;
    std::uint16_t fftExtraLine = 0; ///< 0 or 2
    std::uint16_t fftExponentWord = 0;
    std::uint16_t fftWindow = 0;
    std::uint32_t samplingRate = 0;
    std::uint32_t fftPoints = 0;
    double fftRangeHz = 0.0;
    double fftFirstHz = 0.0;
    double fftLastHz = 20000.0;
    double fftWindowGain = 0.0;
    double fftWindowPower = 0.0;
    /// ENVELOPING: the filter's band code (a high band, 0 = 800 Hz), word 1 of
    /// record 34; 999 without the record, which names no band.
    std::uint16_t envelopingFilter = 0;
    std::uint16_t tonalityLines = 0;
    double tonalitySpacing = 0.0;
    double tonalityRangeHz = 0.0;

    // Reverberation band range of logged octave spectra. Table indexes count
    // from the band pointer (bandTableIndex) into the third-octave centres.
    std::uint16_t rtFirstOctaveBand = 0;
    std::uint16_t rtLastOctaveBand = 0;
    std::uint16_t rtOctaveBandCount = 0;
    std::uint16_t rtThirdBandCount = 0;
    std::int32_t rtFirstTableIndex = 0;
    std::int32_t rtLastTableIndex = 0;

    // RT60 (record 26 and 27 or 28).
    std::array<std::uint16_t, 10> rt60Settings{};
    std::array<std::uint16_t, 4> rt60Words{};
    std::uint16_t rt60Spectrum = 0;

    // User filters.
    std::vector<UserFilterDefinition> userFilterDefinitions;
    std::vector<UserFilterEntry> userFilterEntries;
    std::vector<UserFilterDefinition> matchedUserFilters;
    bool userFilters = false;

    // Time history (record 15).
    std::uint32_t bufferRecord = 0; ///< word of record 15; 0 without one
    std::uint16_t bufferRecordLength = 0;
    bool bufferSizeLayout = false; ///< record 15 holds a data size, not counts
    std::uint32_t bufferSizeWord = 0; ///< where the size or the declared count lies in record 15
    std::uint32_t declaredCount = 0;  ///< 0xFFFFFFFF: unknown
    std::uint32_t secondCount = 0;
    std::uint16_t rowLength = 0;      ///< words per buffer row
    std::uint16_t bufferResultCount = 0;
    double shownTimeStep = 0.0;
    std::uint16_t shownDecimals = 0;
    std::uint32_t shownRecordCount = 0;

    // Impulse profiles (1-based; 0 none).
    std::uint16_t impulseProfile = 0;
    std::uint16_t slowProfile = 0;
    std::uint16_t fastProfile = 0;
    bool impulsePair = false;
    bool fastPresent = false;
    bool extendedSpectrum = false;

    // Name tables.
    NameTable rangeNames;
    NameTable totalNames;
    NameTable weightingNames;
    NameTable detectorNames;
    NameTable bufferResultNames;
    NameTable fftBandNames;

    bool merged = false;

    /// ORLU 545 and 590 files: channels, profiles, vector and the recording.
    FourChannelSetup fourChannel;

    bool operator==(const CurrentHeader&) const = default;
};

} // namespace orlu
