#include "document/headers/Setup505Decoder.h"

#include "document/headers/CurrentHeader.h"
#include "document/headers/CurrentNameLists.h"
#include "document/headers/LegacyNameLists.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace orlu {
namespace {

constexpr std::uint16_t kFirstProbeInput = 6;
constexpr std::uint16_t kProbe6Input = 6;
constexpr std::uint16_t kProbe8Input = 8;
constexpr std::uint16_t kProbeChannels = 4;
constexpr std::uint16_t kStoredHpFilter = 6;
constexpr std::uint16_t kHpFilter = 4;
constexpr std::uint16_t kZoomOn = 1;
constexpr std::uint16_t kZoomShiftBase = 25;
constexpr std::uint16_t kLowSamplingCodes = 16; ///< codes below this keep the stored band count
constexpr std::uint16_t kHeaderWithTimeStep = 17;
constexpr double kShortHeaderTimeStep = 0.25;
constexpr std::uint16_t kHistogramHeaderWords = 5;
// Words each function needs in the header: the FFT words up to 18, the octave words up to 14.
constexpr std::uint16_t kFftHeaderWords = 19;
constexpr std::uint16_t kOctaveHeaderWords = 15;
constexpr std::uint16_t kCommonHeaderWords = 13;
constexpr double kRtLowestHz = 30.0;
constexpr double kRtHighestHz = 10000.0;

bool IsFft(std::uint16_t function) { return function == kFunction505Time || function == kFunction505Spectrum; }
bool IsOctave(std::uint16_t function)
{
    return function == kFunction505Octave || function == kFunction505ThirdOctave;
}

/// The number a band name starts with, in Hz ("1.6 kHz" is 1600).
double BandNameHz(const char* name)
{
    char* end = nullptr;
    const double value = std::strtod(name, &end);
    return end != name && std::strstr(end, "kHz") ? value * 1000.0 : value;
}

bool ReadChannels(const ImageReader& image, SubfileSpan sub, Setup505& s)
{
    const std::uint32_t h = s.subfileStart;
    if (s.inputWord < kFirstProbeInput) {
        Channel505& c = s.channels[0];
        c.inputKind = s.inputWord;
        c.range = image.Word(h + 5);
        c.filter = image.Word(h + 6);
        c.calibration = image.SignedWord(h + 8);
        s.channelCount = 1;
        s.channelMode = kChannelMode505Single;
        s.storedInputKind = s.inputWord;
        s.sensitivityOffset =
            (c.inputKind == kInputCharge || c.inputKind == kInputAccelerometer) && s.levelOffset20 ? 200 : 0;
        s.microphoneChannels = c.inputKind == kInputMicrophone ? 1 : 0;
        // A single channel is no channel selection: the function's mask says only what it holds.
        switch (s.function) {
        case kFunction505Time: s.timeMask = 0; break;
        case kFunction505Spectrum: s.spectrumMask = 0; break;
        case kFunction505Octave: s.octaveMask = 1; break;
        case kFunction505ThirdOctave: s.thirdMask = s.octaveMask = 1; break;
        default: break;
        }
        return true;
    }

    const ProbeTableLayout layout = FindProbeTableLayout(s.headerLength, s.function);
    if (!layout.valid)
        return false;
    s.channelCount = kProbeChannels;
    s.sensitivityOffset = 0;
    s.channelMode = layout.modeWord != 0 ? image.Word(h + layout.modeWord) : layout.mode;
    s.channelTable = layout.table;
    s.storedInputKind = s.channelMode == kChannelMode505Probe6 ? kProbe6Input : kProbe8Input;
    bool microphone = false, other = false;
    for (std::uint16_t i = 0; i < kProbeChannels; ++i) {
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << i);
        s.channelMask |= bit;
        switch (s.function) {
        case kFunction505Time: s.timeMask |= bit; break;
        case kFunction505Spectrum: s.spectrumMask |= bit; break;
        case kFunction505Octave: s.octaveMask |= bit; break;
        default: s.thirdMask |= bit; s.octaveMask = s.thirdMask; break;
        }
        // Input, range, filter, low-pass filter and calibration lie four words apart, all inside the header.
        std::uint16_t words[5];
        for (std::uint16_t k = 0; k < 5; ++k) {
            const std::uint32_t at = layout.table + i + 4u * k;
            if (at >= s.headerLength || h + at >= sub.end)
                return false;
            words[k] = image.Word(h + at);
        }
        Channel505& c = s.channels[i];
        c.inputKind = words[0] == 0                                   ? kInputAccelerometer
                      : s.channelMode == kChannelMode505Probe8        ? kInputMicrophone
                                                                      : kInputCharge;
        c.range = words[1];
        c.filter = words[2] == kStoredHpFilter ? kHpFilter : words[2];
        c.lowPassFilter = words[3];
        c.calibration = static_cast<std::int16_t>(words[4]);
        (c.inputKind == kInputMicrophone ? microphone : other) = true;
    }
    s.mixedInputs = microphone && other;
    s.microphoneChannels = microphone ? s.channelCount : 0;
    return true;
}

void ApplyZoom(const ImageReader& image, Setup505& s, double& range, double& spacing)
{
    if (s.zoomFlag != kZoomOn || s.zoomCode <= s.zoomBandCode)
        return;
    // Every step's shift must lie in the header; a zoom that names words past it is left out.
    if (17u + s.zoomCode >= s.headerLength)
        return;
    double start = 0.0;
    for (std::uint32_t i = s.zoomCode; i > s.zoomBandCode; --i) {
        start += (static_cast<int>(image.Word(s.subfileStart + 17 + i)) - kZoomShiftBase) * spacing;
        range /= 2.0;
        spacing /= 2.0;
        s.samplePeriod *= 2.0;
    }
    s.axisStartHz = start;
}

bool SetUpFft(const ImageReader& image, Setup505& s)
{
    const std::uint32_t lines = s.bandEnd;
    const int code = s.zoomCode;
    const bool single = s.channelCount == 1;
    double range = 0.0, spacing = 0.0;
    s.eVersion = s.eVersion || lines % 120 == 0;
    s.fftSamples = s.eVersion ? lines / 120 * 256 : lines / 100 * 256;
    // Fewer lines than a block of 256 samples carries give no transform to show.
    if (s.fftSamples == 0)
        return false;
    if (!s.eVersion && single) {
        range = 15625.0 * std::ldexp(1.0, code - 1) / 10000.0;
        spacing = range / lines;
        s.samplePeriod = std::ldexp(1.0, 17 - code) / 262144.0;
    } else {
        spacing = 192000.0 / std::ldexp(1.0, 17 - code) / s.fftSamples;
        range = lines * spacing;
        s.samplePeriod = std::ldexp(1.0, 17 - code) / 192000.0;
    }
    s.samplePeriodDecimals = CountSignificantDecimals(s.samplePeriod);
    s.axisStartHz = 0.0;
    ApplyZoom(image, s, range, spacing);
    s.lineSpacingHz = spacing;
    s.fftRangeHz = range;
    s.axisEndHz = s.axisStartHz + range;
    return true;
}

// The reverberation range: the bands from the first at or above 30 Hz to the last below 10 kHz,
// counted in the bands the spectrum shows (1/1 bands sit at every third centre).
void SetRtRange(Setup505& s)
{
    const bool octave = s.function == kFunction505Octave;
    const std::size_t step = octave ? 3 : 1;
    const std::size_t first = octave ? 1 : 0;
    const std::size_t bands = octave ? s.octaveBandCount : s.thirdBandCount;
    s.rtFirstBand = -1;
    s.rtBandCount = 0;
    for (std::size_t b = 0; b < bands && first + b * step < s.bandFrequencies.size(); ++b) {
        const double f = s.bandFrequencies[first + b * step];
        if (f < kRtLowestHz || f >= kRtHighestHz)
            continue;
        if (s.rtFirstBand < 0)
            s.rtFirstBand = static_cast<std::int32_t>(b);
        ++s.rtBandCount;
    }
    if (octave)
        return;
    // The whole octaves inside the 1/3-octave spectrum that lie in the same range.
    const std::span<const double> thirds = ThirdOctaveCentres();
    for (std::int32_t k = 0; k < s.octaveBands; ++k) {
        const std::size_t i = static_cast<std::size_t>(s.thirdIndexOfOctave) + 3u * static_cast<std::size_t>(k);
        if (i < thirds.size() && thirds[i] >= kRtLowestHz && thirds[i] < kRtHighestHz)
            ++s.rtOctaveBandCount;
    }
}

bool SetUpOctaves(const ImageReader& image, SubfileSpan sub, Setup505& s)
{
    const std::int32_t L = s.bandEnd;
    const std::int32_t bands = s.bandCount;
    const bool low = s.zoomCode < kLowSamplingCodes;
    const bool listB = s.eVersion || s.channelCount > 1;
    s.fftRangeHz = BandNameHz(FftRangeName(listB, s.zoomCode));
    s.totalNames = NameTable::Of(kTotalNames);
    if (s.function == kFunction505Octave) {
        if (bands > static_cast<std::int32_t>(kOctaveCount) || bands > L)
            return false;
        s.octaveTotal = L;
        s.octaveBands = low ? bands : 14;
        s.octaveExtras = L - s.octaveBands;
        s.bandExtras = s.octaveExtras;
        s.octaveMissing = static_cast<std::int32_t>(kOctaveCount) - bands;
        s.thirdIndexOfOctave = s.octaveMissing * 3 + 1;
        s.thirdTotal = 0;
        s.bandFrequencies = OctaveCentrePtr(s.bandCount);
        s.lineSpacingHz = s.bandFrequencies[1];
        s.octaveBandCount = s.bandCount;
    } else {
        if (bands > 45 || bands > L)
            return false;
        s.thirdTotal = L;
        if (low) {
            s.thirdExtras = L == 50 ? 6 : L - bands == 1 ? 1 : L - bands == 3 ? 3 : 0;
            s.thirdBands = L - s.thirdExtras;
        } else {
            s.thirdBands = 44;
            s.thirdExtras = L - 44;
        }
        if (s.thirdExtras < 0)
            return false;
        s.bandExtras = s.thirdExtras;
        s.thirdMissing = 45 - bands;
        const OctaveSpan span = OctaveBandSpan(static_cast<std::size_t>(45 - bands), static_cast<std::size_t>(s.thirdBands));
        s.octaveMissing = static_cast<std::int32_t>(span.octavePosition);
        s.thirdIndexOfOctave = static_cast<std::int32_t>(span.firstIndex);
        s.octaveBands = static_cast<std::int32_t>(span.octaveCount);
        s.octaveExtras = 1;
        s.octaveTotal = s.octaveBands + 1;
        s.bandFrequencies = ThirdOctaveCentrePtr(s.bandCount);
        if (s.extraValueFlag || s.thirdExtras > 1)
            s.totalNames = NameTable::Of(kTotalNames, s.channels[0].filter <= 3 ? 1 : 7);
        s.lineSpacingHz = s.bandFrequencies[0];
        s.octaveBandCount = static_cast<std::uint16_t>(s.bandCount / 3);
        s.thirdBandCount = s.bandCount;
    }

    if (s.histogramFlag) {
        // The block lies behind the spectra of every channel; one outside the sub-file, or
        // whose counts run past it, is left out.
        Histogram505& b = s.histogram;
        const std::uint64_t at =
            std::uint64_t{s.subfileStart} + s.headerLength + std::uint64_t{s.RecordWords()} * static_cast<std::uint32_t>(s.spectraCount);
        bool usable = at + kHistogramHeaderWords <= sub.end;
        if (usable) {
            b.position = static_cast<std::uint32_t>(at);
            b.countsOffset = image.Word(b.position);
            b.count = image.Word(b.position + 1);
            b.classes = image.Word(b.position + 2);
            b.lowest = image.SignedWord(b.position + 3);
            b.width = image.SignedWord(b.position + 4);
            const std::uint64_t countsEnd = at + b.countsOffset + 2ull * b.count * b.classes;
            usable = b.count > 0 && b.classes > 0 && b.width > 0 && b.countsOffset >= kHistogramHeaderWords &&
                     countsEnd <= sub.end;
        }
        if (usable) {
            s.octaveStatistics = s.function == kFunction505Octave;
            s.thirdStatistics = s.function == kFunction505ThirdOctave;
            s.bandStatistics = s.function == kFunction505ThirdOctave;
        } else {
            s.histogramFlag = false;
            s.histogram = {};
        }
    }
    if (s.spectraCount > 1)
        SetRtRange(s);
    s.axisStartHz = 0.0;
    s.axisEndHz = s.fftRangeHz;
    return true;
}

} // namespace

ProbeTableLayout FindProbeTableLayout(std::uint16_t headerLength, std::uint16_t function)
{
    ProbeTableLayout layout;
    if (function < kFunction505Time || function > kFunction505ThirdOctave)
        return layout;
    if (headerLength == 52) {
        layout = {true, 0, kChannelMode505Probe6, 32, 52};
    } else if (headerLength == 17) {
        layout = {true, 0, kChannelMode505Probe8, 12, 17};
    } else if (IsFft(function)) {
        layout = {headerLength >= 33, 32, 0, 34, 33};
    } else {
        layout = {headerLength >= 21, 20, 0, 22, 21};
    }
    return layout;
}

bool DecodeSetup505Header(const ImageReader& image, SubfileSpan sub, bool eVersion, Setup505& s)
{
    s = Setup505{};
    s.subfileStart = sub.start;
    s.rangeNames = Orlu505RangeNames();
    if (sub.end < sub.start || sub.end - sub.start < kCommonHeaderWords)
        return false;
    const std::uint32_t h = sub.start;
    s.headerLength = image.Word(h);
    s.startTime = image.Word(h + 1);
    s.startDate = image.Word(h + 2);
    s.inputWord = image.Word(h + 3);
    s.function = image.Word(h + 4);
    s.zoomCode = image.Word(h + 7);
    s.averaging = image.Word(h + 9);
    s.averagingValue = image.Word(h + 10);
    s.valuesWord = image.Word(h + 11);
    s.flags = image.Word(h + 12);
    s.flagBit1 = (s.flags & 0x0002) != 0;
    s.histogramFlag = (s.flags & 0x0004) != 0;
    s.timeHistory = (s.flags & 0x0008) != 0;
    s.rmsDetectorType = static_cast<std::uint16_t>(((s.flags >> 4) & 3) + 1);
    s.extraValueFlag = (s.flags & 0x0040) != 0;
    s.bandExtras = s.extraValueFlag ? 1 : 0;
    s.levelOffset20 = (s.flags & 0x8000) != 0;
    s.eVersion = eVersion;

    // The header must hold the words its function reads, and the sub-file the header.
    const std::uint16_t needed =
        IsFft(s.function) ? kFftHeaderWords : IsOctave(s.function) ? kOctaveHeaderWords : kCommonHeaderWords;
    if (s.headerLength < needed || s.headerLength > sub.end - sub.start)
        return false;
    if (!ReadChannels(image, sub, s))
        return false;

    const std::uint16_t t = s.timeHistory ? 1 : 0;
    if (IsFft(s.function)) {
        s.triggering = image.Word(h + 13);
        s.triggerLevel = image.Word(h + 14);
        s.window = image.Word(h + 15);
        s.zoomFlag = image.Word(h + 16);
        s.zoomBandCode = image.Word(h + 17);
        s.spectraCount = image.Word(h + 18);
        s.timeStep = 1.0;
    } else if (IsOctave(s.function)) {
        s.bandCount = image.Word(h + 13);
        s.spectraCount = image.Word(h + 14);
        if (s.headerLength < kHeaderWithTimeStep) {
            s.timeStep = kShortHeaderTimeStep;
        } else {
            s.timeStep = image.Word(h + 16) + image.Word(h + 15) / 65536.0;
            s.timeStepPresent = true;
        }
    }
    s.timeStepDecimals = CountSignificantDecimals(s.timeStep);
    s.bandEnd = static_cast<std::uint16_t>(s.valuesWord >= t ? s.valuesWord - t : 0);

    if (IsFft(s.function) && !SetUpFft(image, s))
        return false;
    if (IsOctave(s.function) && !SetUpOctaves(image, sub, s))
        return false;

    if (s.timeHistory) {
        s.recordCount = static_cast<std::uint32_t>(s.spectraCount);
        s.wordsPerRecord = s.channelCount * (s.bandEnd + 1u);
        s.historyChannelMask = static_cast<std::uint16_t>(s.spectrumMask | s.octaveMask | s.thirdMask);
    }
    s.statisticsAvailable = s.octaveStatistics || s.bandStatistics;
    return true;
}

} // namespace orlu
