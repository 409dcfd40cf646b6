#include "document/channel/FourChannelSelection.h"

#include "document/FftWindow.h"
#include "document/channel/ChannelSelection.h"
#include "document/headers/CurrentNameLists.h"
#include "document/tables/BandTables.h"
#include "document/results/ResultValues.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace orlu {
namespace {

constexpr const char* kRangesMicrophone[] = {"UNDF", "105 dB", "130 dB", "UNDF"};
constexpr const char* kRangesOther[] = {"UNDF", "145 dB", "170 dB", "UNDF"};
constexpr const char* kFiltersMicrophone[] = {"UNDF", "Lin",  "A",    "C",    "G",    "UNDF", "UNDF", "UNDF",
                                              "UNDF", "Z",    "A",    "C",    "G",    "UNDF", "UNDF", "UNDF"};
constexpr const char* kFiltersOther[] = {
    "UNDF", "HP1",  "HP3",  "HP10", "Vel1", "Vel3", "Vel10", "VelMF", "Dil1", "Dil3", "Dil10", "W-Bxy", "W-Bz", "H-A",
    "W-Bc", "KB",   "Wk",   "Wd",   "Wc",   "Wj",   "Wm",    "Wh",    "Wg",   "Wb",   "UNDF",  "UNDF",  "UNDF", "UNDF",
    "UNDF", "UNDF", "UNDF", "UNDF", "UNDF", "UNDF", "UNDF",  "UNDF",  "UNDF", "UNDF", "UNDF",  "UNDF",  "UNDF", "UNDF",
    "UNDF", "UNDF", "UNDF", "UNDF", "UNDF", "UNDF", "UNDF",  "UNDF",  "R1",   "R2",   "R3",    "UNDF",  "UNDF"};
constexpr const char* kDetectorsOther[] = {"UNDF", "100ms", "125ms", "200ms", "500ms", "1s",  "2s",
                                           "5s",   "10s",   "UNDF",  "None",  "PEAK",  "SPL", "LEQ"};
constexpr const char* kResultsMicrophone[] = {"Peak", "Max", "Min", "RMS", "vvvv", "xxx", "yyy", "zzz",
                                              "111",  "222", "333", "444", "555",  "666", "777", "888"};
constexpr const char* kResultsOther[] = {"Peak", "P-P", "Max", "RMS", "VDV", "xxx", "yyy", "zzz",
                                         "111",  "222", "333", "444", "555", "666", "777", "888"};

// Levels of the top of a range (dB) in the sample scale of recordings, by range index.
constexpr double kRecordingLevelsMicrophone[] = {0, 115, 138};
constexpr double kRecordingLevelsOther[] = {0, 155, 178};

// The names and levels of a kind of input: microphones, and every other input.
struct InputNames {
    bool microphone;
    NameTable ranges;
    NameTable filters;
    NameTable detectors;
    NameTable results;
    NameTable totals;
    std::span<const double> recordingLevels;
};
constexpr InputNames kInputNames[] = {
    {true, NameTable::Of(kRangesMicrophone), NameTable::Of(kFiltersMicrophone), NameTable::Of(kSoundDetectorNames),
     NameTable::Of(kResultsMicrophone), NameTable::Of(kTotalNames, 1), kRecordingLevelsMicrophone},
    {false, NameTable::Of(kRangesOther), NameTable::Of(kFiltersOther), NameTable::Of(kDetectorsOther),
     NameTable::Of(kResultsOther), NameTable::Of(kTotalNames), kRecordingLevelsOther},
};

// Full scale of a 24-bit sample against half of it, with the peak of a sine.
constexpr double kSampleFullScale = 8388607.0 / 4194304.0;
constexpr double kMicrophoneSampleFactor = 20.0;

const InputNames& NamesOf(std::uint16_t inputKind)
{
    return kInputNames[inputKind == kInputMicrophone ? 0 : 1];
}

// The table entry of channel a: a measuring channel, or the pseudo channel.
std::size_t TableChannel(const CurrentHeader& h, int a)
{
    return a < h.channelCount ? static_cast<std::size_t>(a) : std::size_t{kPseudoChannel};
}

const ChannelProfile& ProfileOf(const ChannelSetup& ch, int p)
{
    static const ChannelProfile kNone{};
    return p >= 0 && p < kFourChannelMaxProfiles ? ch.profiles[static_cast<std::size_t>(p)] : kNone;
}

void SelectOctaves(const CurrentHeader& h, const ChannelSetup& setup, bool thirds, CurrentChannel& ch)
{
    ch.octaveFilter = setup.spectrumWords[0];
    ch.octaveInBuffer = setup.spectrumWords[1];
    ch.lowestBandWord = setup.setupWords[0];
    ch.bandExtras = setup.setupWords[2];
    ch.bandEnd = static_cast<std::uint16_t>(setup.setupWords[1] + ch.bandExtras);
    ch.bandCount = static_cast<std::uint16_t>(ch.bandEnd - ch.bandExtras);
    ch.spectraCount = h.timeHistory ? static_cast<std::int32_t>(std::min<std::uint32_t>(h.declaredCount, INT32_MAX))
                                    : h.spectrumCount;
    const bool accelerometer = setup.inputKind == kInputAccelerometer;
    if (!thirds) {
        ch.octaveBandCount = ch.bandCount;
        ch.bandKind = kBandOctave11;
        const std::span<const double> centres = OctaveCentrePtr(ch.bandCount);
        ch.bandTableIndex = centres.empty() ? -1 : 45 - 3 * ch.bandCount;
        ch.firstBandHz = centres.size() > 1 ? centres[1] : 0.0;
        ch.octaveTotal = ch.bandEnd;
        ch.octaveBands = ch.bandEnd - ch.bandExtras;
        ch.octaveMissing = 15 - ch.octaveBandCount;
        if (accelerometer && ch.octaveTotal > 1)
            ch.octaveTotal = ch.bandEnd - ch.bandExtras + 1;
        return;
    }
    ch.octaveBandCount = static_cast<std::uint16_t>(ch.bandCount / 3);
    ch.thirdBandCount = ch.bandCount;
    ch.bandKind = kBandOctave13;
    const std::span<const double> centres = ThirdOctaveCentrePtr(ch.bandCount);
    ch.bandTableIndex = centres.empty() ? -1 : 45 - ch.bandCount;
    ch.firstBandHz = centres.empty() ? 0.0 : centres[0];
    ch.thirdTotal = ch.bandEnd;
    ch.thirdBands = ch.bandEnd - ch.bandExtras;
    if (accelerometer && ch.bandExtras > 1)
        ch.thirdTotal = ch.bandEnd - ch.bandExtras + 1;
    ch.thirdMissing = 45 - ch.bandCount;
    ch.octaveTotal = ch.octaveBandCount + ch.bandExtras;
    ch.octaveBands = ch.octaveBandCount;
    ch.octaveMissing = 15 - ch.octaveBandCount;
    if (accelerometer && ch.octaveTotal > 1)
        ch.octaveTotal = ch.octaveBandCount + 1;
}

void SelectFft(const ChannelSetup& setup, CurrentChannel& ch)
{
    const std::uint16_t lines = setup.fftWords[0];
    ch.bandEnd = lines;
    ch.bandCount = lines;
    ch.bandExtras = setup.fftWords[1];
    ch.fftMode = ch.bandExtras != 0 ? 2 : 0;
    ch.fftZoomCode = setup.fftWords[2];
    ch.fftWindow = setup.fftWindow;
    const std::uint32_t d = FftBlockLength(lines);
    ch.firstBandHz = FourChannelLineSpacing(setup);
    ch.fftRangeHz = lines * ch.firstBandHz;
    ch.fftBandNames = FftBandNamesFor(setup.samplingRate);
    ch.fftWindowGain = FftWindowPower(static_cast<std::uint8_t>(ch.fftWindow), nullptr, static_cast<int>(d),
                                      &ch.fftWindowPower);
    ch.fftAxisStart = 0.0;
    ch.fftAxisEnd = ch.fftRangeHz;
    ch.bandKind = kBandFft;
}

} // namespace

void SelectFourChannel(const CurrentHeader& h, const LevelContext& levels, int a, int p, CurrentChannel& ch)
{
    const FourChannelSetup& f = h.fourChannel;
    const ChannelSetup& setup = f.channels[TableChannel(h, a)];
    const ChannelProfile& profile = ProfileOf(setup, p);
    const InputNames& names = NamesOf(setup.inputKind);

    CurrentChannel s;
    s.channel = a;
    s.profile = p;
    s.channelBlockLength = profile.blockLength;
    TakeWeightingWords(profile, s);
    s.calibration = setup.calibration;
    s.inputKind = setup.inputKind;
    s.storedInputKind = setup.inputKind;
    s.rangeIndex = setup.range;
    s.coefficientK = setup.coefficient;
    s.coefficientKOn = setup.coefficientOn;
    if (setup.inputKind == kInputMicrophone) {
        s.compensationFilter = setup.compensationFilter;
        s.micFieldCorrection = setup.fieldCorrection;
        s.micPolarization = setup.polarization;
        s.micOutdoorFilter = setup.outdoorFilter;
    }
    s.rangeNames = names.ranges;
    s.filterNames = names.filters;
    s.detectorNames = names.detectors;
    s.resultNames = names.results;
    s.function = h.function;
    s.timeHistory = h.timeHistory;
    s.histogramFlag = h.histogramFlag;

    const bool measuring = a < kFourChannelMaxChannels;
    if (f.waveform) {
        // Raw 24-bit samples to linear units; an unknown range has no scale.
        if (measuring) {
            s.sampleScale = kAbsentValue;
            if (s.rangeIndex < names.recordingLevels.size()) {
                const double level = names.recordingLevels[s.rangeIndex];
                s.sampleScale = std::pow(10.0, (s.calibration / 10.0 + level) / 20.0 - 6.0) * std::sqrt(2.0) *
                                kSampleFullScale * (setup.inputKind == kInputMicrophone ? kMicrophoneSampleFactor : 1.0);
            }
        }
    } else {
        const std::uint16_t bit = a >= 0 && a < 16 ? static_cast<std::uint16_t>(1u << a) : 0;
        if (h.function == kFunctionOctave11 && (f.octaveMask & bit))
            SelectOctaves(h, setup, false, s);
        else if (h.function == kFunctionOctave13 && (f.thirdMask & bit))
            SelectOctaves(h, setup, true, s);
        else if (h.function == kFunctionFft && (f.fftMask & bit))
            SelectFft(setup, s);
        else if (h.function == kFunctionRt60 && (h.rt60Spectrum == 1 || h.rt60Spectrum == 2)) {
            s.octaveFilter = setup.spectrumWords[0];
            s.octaveInBuffer = setup.spectrumWords[1];
        }
        TakeHistogramClasses(setup.histogram, setup.secondHistogram, s);
        s.totalNames = names.totals;
    }

    s.sensitivityOffset = GetSensitivityOffset(levels, s);
    if (measuring)
        ComputeRangeScalingCurrent(s);
    if (h.timeHistory && !f.waveform)
        UseTimeHistoryClasses(h.declaredCount, s);
    ch = s;
}

void SelectFourChannelWeighting(const CurrentHeader& h, int c, int p, CurrentChannel& ch)
{
    // From firmware 2.17 every profile has its own words; before, the channel's first profile serves all.
    TakeWeightingWords(ProfileOf(h.fourChannel.channels[TableChannel(h, c)], h.firmware > 216 ? p : 0), ch);
}

NameTable FourChannelTotalNames(const CurrentHeader& h, int c)
{
    const std::size_t channel = c >= 0 && c < h.channelCount ? static_cast<std::size_t>(c) : 0;
    return NamesOf(h.fourChannel.channels[channel].inputKind).totals;
}

double FourChannelLineSpacing(const ChannelSetup& setup)
{
    const int z = std::min(setup.fftWords[2] != 0 ? setup.fftWords[2] - 1 : 0, 30);
    return static_cast<double>(setup.samplingRate) / std::ldexp(1.0, z) / FftBlockLength(setup.fftWords[0]);
}

} // namespace orlu
