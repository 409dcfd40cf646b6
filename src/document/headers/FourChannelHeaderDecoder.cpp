#include "document/headers/FourChannelHeaderDecoder.h"

#include "document/headers/CurrentHeaderDecoder.h"
#include "document/headers/CurrentNameLists.h"
#include "document/headers/HeaderRecord.h"
#include "document/records/RecordTypeCodes.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <span>

namespace orlu {
namespace {

// Firmware versions (x 100) at which the layouts change.
constexpr std::uint16_t kFirmwareHundredths = 216;    // levels in 0.01 dB without a time history
constexpr std::uint16_t kFirmwareProfileLayout = 217; // vector slot 12, microphone words, FFT window word
constexpr std::uint16_t kFirmwareRotation = 220;      // rotation words of record 4, recordings 43

constexpr std::uint8_t kRecordChannelSpectrumSetup = 34;
constexpr std::uint8_t kDescriptorOctaves = 9;
constexpr std::uint8_t kDescriptorFft = 33;
constexpr std::uint8_t kDescriptorSpectra = 34;
constexpr std::uint8_t kDescriptorFftSetup = 11;

// Shortest records that hold what the decoder reads: a logger 24 its data
// position, time step and the four count words; a recording 43 its mask,
// rate index and counts.
constexpr std::uint32_t kMinLoggerLength = 8;
constexpr std::uint32_t kMinRecordingLength = 7;
constexpr std::uint32_t kChannelBlockWords = 4;
constexpr std::uint32_t kProfileBlockWords = 6;
// The channel number before the band words of a reverberation results record 37 or 38.
constexpr std::uint32_t kRt60ChannelWords = 1;


// Sampling rates of a recording 43 by its rate index, per model.
constexpr double kRates545[] = {3200, 2560, 1600, 1280, 800, 640, 400, 320, 200, 160};
constexpr double kRates590[] = {3000, 2400, 1500, 1200, 750, 600, 375, 300, 187.5, 150};

struct SamplingRateRow {
    std::uint16_t deviceType;
    std::span<const double> rates;
};
constexpr SamplingRateRow kSamplingRates[] = {
    {545, kRates545},
    {590, kRates590},
};

// Extra spectra of the octave functions: records 46 and 45 (1/1), 48 and 47 (1/3).
struct OctaveFunctionRow {
    std::uint16_t function;
    std::uint8_t channelRecord; ///< the per-channel spectrum record
    std::uint8_t extraRecords[2];
    std::uint16_t FourChannelSetup::*mask;
    bool FourChannelSetup::*secondHistogram;
};
constexpr OctaveFunctionRow kOctaveFunctions[] = {
    {kFunctionOctave11, 15, {46, 45}, &FourChannelSetup::octaveMask, &FourChannelSetup::octaveSecondHistogram},
    {kFunctionOctave13, 16, {48, 47}, &FourChannelSetup::thirdMask, &FourChannelSetup::thirdSecondHistogram},
};

using H = CurrentHeader;

template <auto Member>
void Set(CurrentHeader& h, std::uint16_t value)
{
    using T = std::remove_reference_t<decltype(h.*Member)>;
    h.*Member = static_cast<T>(value);
}

template <auto Member>
void SetFour(CurrentHeader& h, std::uint16_t value)
{
    h.fourChannel.*Member = value;
}

template <auto Field>
void SetTrigger(CurrentHeader& h, std::uint16_t value)
{
    h.measurementTrigger.*Field = value;
    h.measurementTrigger.present = true;
}

// One word of record 4 from a firmware version on.
struct RecordFourWord {
    std::uint8_t word;
    std::uint16_t from;
    void (*set)(CurrentHeader& h, std::uint16_t value);
};

constexpr RecordFourWord kRecordFourWords[] = {
    {5, 0, Set<&H::repetitionCycle>},
    {6, 0, Set<&H::startDelay>},
    {9, 0, SetFour<&FourChannelSetup::triggerChannel>},
    {10, 0, SetTrigger<&TriggerSetup::mode>},
    {11, 0, SetTrigger<&TriggerSetup::source>},
    {12, 0, SetTrigger<&TriggerSetup::level>},
    {14, 0, SetTrigger<&TriggerSetup::preProbes>},
    {15, 0, SetTrigger<&TriggerSetup::postProbes>},
    {16, 0, Set<&H::integration>},
    {17, 0, SetFour<&FourChannelSetup::referenceLevel>},
    {18, 0, Set<&H::accelerationOffset>},
    {19, 0, Set<&H::velocityOffset>},
    {20, 0, Set<&H::displacementOffset>},
    {22, 0, SetFour<&FourChannelSetup::profileCount>},
    {25, 0, Set<&H::calibrationType>},
    {26, 0, Set<&H::calibrationDate>},
    {27, 0, Set<&H::calibrationTime>},
    {29, 0, Set<&H::exposureMinutes>},
    {30, 0, Set<&H::criterionLevel>},
    {31, 0, Set<&H::thresholdLevel>},
    {32, 0, Set<&H::exchangeRate>},
    {33, kFirmwareRotation, Set<&H::rotationMeasurement>},
    {34, kFirmwareRotation, Set<&H::pulsesPerRotation>},
    {35, kFirmwareRotation, SetFour<&FourChannelSetup::rotationInBuffer>},
};

std::uint16_t Bit(int c)
{
    return static_cast<std::uint16_t>(1u << c);
}

// The record of `type` found by the generic walk from the sub-file's start.
Rec Find(const ImageReader& image, SubfileSpan sub, std::uint8_t type)
{
    return Located(image, FindRecord(image, sub.start, type, ChainFlags{.fourChannel = true}));
}

// Walks per-channel blocks of a record: for each channel of `mask` (below the
// channel count) in order, calls read(channel, block word) and steps by the
// block's length, taken from the high byte of its word 0 or by `length`.
// False when a block does not fit the record or has no length.
template <typename Read, typename Length>
bool ForChannelBlocks(const Rec& r, std::uint32_t first, std::uint16_t mask, int channels, std::uint32_t minWords,
                      Length length, Read read)
{
    std::uint32_t at = first;
    for (int c = 0; c < channels; ++c) {
        if (!(mask & Bit(c)))
            continue;
        if (std::uint64_t{at} + minWords > r.length)
            return false;
        read(c, at);
        const std::uint32_t step = length(at);
        if (step == 0)
            return false;
        at += step;
    }
    return true;
}

std::uint32_t HighByteLength(const Rec& r, std::uint32_t at)
{
    return r.W(at) >> 8;
}

std::uint16_t ChannelMask(const CurrentHeader& h)
{
    return static_cast<std::uint16_t>((1u << h.channelCount) - 1u);
}

// The FFT setup record 11: the FFT channel mask and, per channel of it, the
// spectrum words, the FFT words, the window code and the sampling rate.
bool ReadFftSetup(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    const Rec r = Located(image, FindRecord17or21(image, sub, ChainFlagsOf(h)));
    if (!r)
        return true;
    f.fftMask = static_cast<std::uint16_t>(r.W(1) & 0xFF & ChannelMask(h));
    f.spectrumChannelWord = static_cast<std::uint16_t>(r.W(1) >> 8);
    return ForChannelBlocks(
        r, 2, f.fftMask, h.channelCount, 12, [&](std::uint32_t at) { return HighByteLength(r, at); },
        [&](int c, std::uint32_t at) {
            ChannelSetup& ch = f.channels[static_cast<std::size_t>(c)];
            ch.spectrumWords = {r.W(at + 2), r.W(at + 3)};
            ch.fftWords = {r.W(at + 5), r.W(at + 6), r.W(at + 7)};
            ch.fftWindow = static_cast<std::uint16_t>(h.firmware > kFirmwareProfileLayout ? r.W(at + 8) + 2 : 2);
            ch.fftPresent = true;
            ch.samplingRate = r.U32(at + 10);
        });
}

// Channel record: a block per channel from word 1.
bool ReadChannelRecord(const Rec& r, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    const bool laterLayout = h.firmware >= kFirmwareProfileLayout;
    const bool ok = ForChannelBlocks(
        r, 1, ChannelMask(h), h.channelCount, kChannelBlockWords, [&](std::uint32_t at) { return HighByteLength(r, at); },
        [&](int c, std::uint32_t at) {
            ChannelSetup& ch = f.channels[static_cast<std::size_t>(c)];
            h.profileMask |= Bit(c);
            ch.blockLength = HighByteLength(r, at) & 0xFF;
            ch.inputKind = r.W(at + 1) != 0 ? kInputMicrophone : kInputAccelerometer;
            ch.calibration = r.S(at + 2);
            ch.range = r.W(at + 3);
            ch.coefficient = 0;
            ch.coefficientOn = 0;
            ch.spectrumWords[1] = 0;
            ch.fftWords[0] = ch.fftWords[1] = 0;
            // The microphone words are words 4 to 6 of the record, the same for every channel.
            if (ch.inputKind == kInputMicrophone) {
                ch.compensationFilter = laterLayout ? 0 : r.W(4);
                ch.fieldCorrection = r.W(5);
                ch.polarization = laterLayout ? 0 : r.W(6);
                ch.outdoorFilter = laterLayout ? r.W(6) : 0;
                f.hasMicrophone = true;
            } else {
                f.hasAccelerometer = true;
            }
        });
    f.mixedInputs = f.hasMicrophone && f.hasAccelerometer;
    return ok;
}

// Profile record: a block per profile j from word 2; profile j belongs to
// channel j mod the channel count as its profile j div the channel count.
bool ReadProfileRecord(const Rec& r, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    h.resultsPerBufferRecord = 0;
    h.profilesWithBuffer = 0;
    std::uint32_t at = 2;
    for (std::uint16_t j = 0; j < f.profileCount; ++j) {
        const std::uint32_t length = HighByteLength(r, at);
        if (length < kProfileBlockWords || std::uint64_t{at} + length > r.length)
            return false;
        const int c = j % h.channelCount;
        const int p = j / h.channelCount;
        ChannelSetup& ch = f.channels[static_cast<std::size_t>(c)];
        ChannelProfile& profile = ch.profiles[static_cast<std::size_t>(p)];
        profile.blockLength = static_cast<std::uint16_t>(length);
        profile.filter = r.W(at + 2);
        profile.detector = r.W(at + 3);
        profile.bufferWord = r.W(at + 4);
        profile.bufferWordCopy = profile.bufferWord;
        profile.flagsWord = r.W(at + 5);
        profile.resultsInBuffer = static_cast<std::uint16_t>(std::popcount(static_cast<unsigned>(profile.bufferWord & 0xFF)));
        h.resultsPerBufferRecord = static_cast<std::uint16_t>(h.resultsPerBufferRecord + profile.resultsInBuffer);
        ch.resultsInBuffer = static_cast<std::uint16_t>(ch.resultsInBuffer + profile.resultsInBuffer);
        ch.profileCount = static_cast<std::uint16_t>(p + 1);
        // The mask has a bit per channel: the channel's first profile logs results.
        if (p == 0 && profile.bufferWord != 0)
            h.profilesWithBuffer |= Bit(c);
        at += length;
    }
    h.bufferStatisticsMask = h.profilesWithBuffer;
    f.vectorSlot = ChannelProfile{};
    return true;
}

// Vector record 30: the vector-in-buffer word, then a coefficient and a use word per channel.
void ReadVector(const Rec& r, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    f.vectorInBuffer = r.W(1);
    f.vectorSlot.bufferWord = f.vectorInBuffer;
    for (int c = 0; c < h.channelCount; ++c) {
        ChannelSetup& ch = f.channels[static_cast<std::size_t>(c)];
        ch.coefficient = r.W(2 + static_cast<std::uint32_t>(c));
        ch.coefficientOn = r.W(6 + static_cast<std::uint32_t>(c));
        if (ch.coefficient == 0 || ch.coefficientOn == 0 || f.vector)
            continue;
        // The first channel taking part gives the vector its filter and kind of input.
        f.vector = true;
        f.vectorFilter = ch.profiles[0].filter;
        f.channels[kPseudoChannel].inputKind = ch.inputKind;
        h.profileMask = 31;
        f.vectorSlot.resultsInBuffer = 1;
        f.vectorSlot.bufferWord = 1;
    }
    if (f.vector && f.vectorInBuffer != 0) {
        f.vectorSlot.flagsWord = 1;
        h.profilesWithBuffer |= Bit(kPseudoChannel);
        ChannelSetup& pseudo = f.channels[kPseudoChannel];
        pseudo.profiles[0] = ChannelProfile{.flagsWord = 1, .bufferWord = 1, .bufferWordCopy = 1, .resultsInBuffer = 1};
        pseudo.resultsInBuffer = 1;
    }
}

std::string VectorFormula(const CurrentHeader& h)
{
    std::string text;
    for (int c = 0; c < h.channelCount; ++c) {
        const ChannelSetup& ch = h.fourChannel.channels[static_cast<std::size_t>(c)];
        if (ch.coefficient == 0 || ch.coefficientOn == 0)
            continue;
        const NameTable names = ch.inputKind == kInputMicrophone ? NameTable::Of(kSoundWeightingNames)
                                                                 : NameTable::Of(kOtherWeightingNames);
        if (!text.empty())
            text += " + ";
        text += StrPrintf("%.2f^2*(#%d:%s)^2", ch.coefficient / 100.0, c + 1, names.At(ch.profiles[0].filter));
    }
    return text;
}

// Recording 43: word 1 the channel mask, word 2 the sampling-rate index; rows of 24-bit samples.
bool ReadRecording(const Rec& b, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    f.waveformChannelMask = static_cast<std::uint16_t>(b.W(1) & ChannelMask(h));
    f.samplingRateIndex = b.W(2);
    const auto rates = std::find_if(std::begin(kSamplingRates), std::end(kSamplingRates),
                                    [&](const SamplingRateRow& r) { return r.deviceType == h.deviceType; });
    if (rates == std::end(kSamplingRates) || f.samplingRateIndex >= rates->rates.size())
        return false;
    f.sampleInterval = 1.0 / rates->rates[f.samplingRateIndex];
    h.timeStep = f.sampleInterval;
    h.timeStepDecimals = static_cast<std::uint16_t>(CountSignificantDecimals(f.sampleInterval));
    h.timeStepUnit = 0;
    h.bufferStatisticsMask = f.waveformChannelMask;
    const int channels = std::popcount(static_cast<unsigned>(f.waveformChannelMask));
    std::uint32_t results = static_cast<std::uint32_t>(channels);
    std::uint32_t row = (static_cast<std::uint32_t>(channels) * 3 + 1) / 2;
    if (f.rotationInBuffer != 0) {
        results += 1;
        row += 2;
        h.bufferStatisticsMask |= Bit(kPseudoChannel);
        h.profileMask |= Bit(kPseudoChannel);
    }
    if (f.vectorInBuffer != 0) {
        results += 1;
        row += 1;
        h.bufferStatisticsMask |= Bit(kPseudoChannel);
        h.profileMask |= Bit(kPseudoChannel);
    }
    h.resultsPerBufferRecord = static_cast<std::uint16_t>(results);
    h.rowLength = static_cast<std::uint16_t>(row);
    h.profilesWithBuffer = h.bufferStatisticsMask;
    return true;
}

// The descriptor records between the logger 24 and its data: which channels
// log spectra and, for FFT spectra, how long they make a row.
bool ReadDescriptors(const ImageReader& image, std::uint32_t from, CurrentHeader& h, std::uint32_t& row)
{
    FourChannelSetup& f = h.fourChannel;
    std::uint32_t p = from;
    while (p < f.dataPosition) {
        if (!image.HasWords(p, 1))
            return false;
        const std::uint16_t word0 = image.Word(p);
        const std::uint32_t length = word0 >> 8;
        if (length == 0 || !image.HasWords(p, length))
            return false;
        const Rec d{&image, p, length};
        const std::uint8_t type = static_cast<std::uint8_t>(word0 & 0xFF);
        const std::uint32_t entries = word0 >> 10;
        std::uint32_t first = 0;
        switch (type) {
        case kDescriptorOctaves: first = 2; break;
        case kDescriptorFft: first = 1; break;
        case kDescriptorSpectra: first = 3; break;
        case kDescriptorFftSetup: p += length; continue;
        default: return false;
        }
        h.spectraInBuffer = 0;
        f.octaveMask = 0;
        for (std::uint32_t k = 0; k < entries; ++k) {
            const std::uint32_t e = first + 4 * k;
            const std::uint16_t channel = d.W(type == kDescriptorFft ? e : e + 1);
            if (e + 4 > length || channel >= h.channelCount)
                return false;
            ChannelSetup& ch = f.channels[channel];
            ++h.spectraInBuffer;
            f.octaveMask |= Bit(channel);
            if (type == kDescriptorFft) {
                ch.fftWords[0] = d.W(e + 2);
                ch.fftWords[1] = d.W(e + 3);
                ch.spectrumWords[1] = 1;
                row += ch.fftWords[0] + ch.fftWords[1] + 1u;
            } else {
                ch.spectrumWords = {d.W(e + 2), d.W(e + 3)};
            }
        }
        f.thirdMask = f.octaveMask;
        if (type == kDescriptorFft)
            f.fftMask = f.octaveMask;
        p += length;
    }
    return p == f.dataPosition;
}

// Logger 24: word 1 the byte offset of the data, words 2 and 3 the time step.
bool ReadLogger(const ImageReader& image, SubfileSpan sub, const Rec& b, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    f.dataPosition = b.W(1) / 2u;
    const std::uint16_t seconds = b.W(2);
    const std::uint16_t millis = b.W(3);
    h.timeStep = seconds + millis / 1000.0;
    h.timeStepDecimals = seconds != 0 ? 0 : millis <= 9 ? 3 : millis < 100 ? 2 : 1;
    h.timeStepUnit = TimeUnitOf(seconds);
    if (h.rt60) {
        h.rt60Spectrum = 2;
        h.function = kFunctionOctave13;
    }
    std::uint32_t row = 0;
    for (int c = 0; c < h.channelCount; ++c)
        row += f.channels[static_cast<std::size_t>(c)].resultsInBuffer;
    if (f.vectorInBuffer != 0) {
        row += 1;
        if (f.vector)
            h.bufferStatisticsMask |= Bit(kPseudoChannel);
    }
    h.resultsPerBufferRecord = static_cast<std::uint16_t>(row);
    if (f.rotationInBuffer != 0) {
        row += 2;
        h.resultsPerBufferRecord = static_cast<std::uint16_t>(h.resultsPerBufferRecord + 1);
        h.bufferStatisticsMask |= Bit(kPseudoChannel);
    }
    f.rowLengthCopy = static_cast<std::uint16_t>(row);
    if (h.function == kFunctionFft && !ReadFftSetup(image, sub, h))
        return false;
    if (!ReadDescriptors(image, b.End(), h, row) || row > 0xFFFF)
        return false;
    h.rowLength = static_cast<std::uint16_t>(row);
    return true;
}

// Record 9 (1/1 or 1/3 octaves), its channel blocks, each channel's spectrum
// record, the extra spectra and the second histograms of record 21.
bool ReadOctaveSetup(const ImageReader& image, SubfileSpan sub, const OctaveFunctionRow& fn, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    const ChainFlags flags = ChainFlagsOf(h);
    const Rec r = Located(image, fn.function == kFunctionOctave11 ? FindRecord14(image, sub, flags)
                                                                  : FindRecord16(image, sub, flags));
    if (!r)
        return true;
    std::uint16_t& mask = f.*fn.mask;
    mask = static_cast<std::uint16_t>(r.W(1) & 0xFF & ChannelMask(h));
    f.spectrumChannelWord = static_cast<std::uint16_t>(r.W(1) >> 8);
    if (fn.function == kFunctionOctave13)
        f.octaveMask = mask;
    if (!ForChannelBlocks(
            r, 2, mask, h.channelCount, 4, [&](std::uint32_t at) { return HighByteLength(r, at); },
            [&](int c, std::uint32_t at) { f.channels[static_cast<std::size_t>(c)].spectrumWords = {r.W(at + 2), r.W(at + 3)}; }))
        return false;
    for (int c = 0; c < h.channelCount; ++c) {
        if (!(mask & Bit(c)))
            continue;
        const Rec s = Located(image, FindChannelRecord(image, sub, fn.channelRecord, c, mask, h.channelCount));
        if (!s)
            return false;
        f.channels[static_cast<std::size_t>(c)].setupWords = {s.W(1), s.W(2), s.W(3)};
    }
    h.spectrumCount = 1;
    for (std::size_t k = 0; k < std::size(fn.extraRecords); ++k)
        if (Find(image, sub, fn.extraRecords[k])) {
            h.extraSpectra[k] = true;
            ++h.spectrumCount;
        }
    if (const Rec s = Located(image, FindRecord19(image, sub, flags))) {
        f.secondHistogramMask = static_cast<std::uint16_t>(s.W(2) & 0xFF & ChannelMask(h));
        f.secondHistogramMaskCopy = f.secondHistogramMask;
        f.*fn.secondHistogram = true;
        h.secondHistogramFlag = true;
        return ForChannelBlocks(
            s, 3, f.secondHistogramMask, h.channelCount, 6, [&](std::uint32_t at) { return std::uint32_t{s.W(at + 1)}; },
            [&](int c, std::uint32_t at) {
                ChannelHistogram& hist = f.channels[static_cast<std::size_t>(c)].secondHistogram;
                hist.classLength = s.W(at + 1);
                hist.bandWord = s.W(at + 2);
                hist.classes = s.W(at + 3);
                hist.lowest = s.S(at + 4);
                hist.width = s.S(at + 5);
            });
    }
    return true;
}

// RT60 measurements: record 36 with the settings, then 37 (results) or 38
// (averaged results), the first in the file; these hold the channel number in
// word 2, so their band words stand one word later than in records 27 and 28.
void ReadRt60(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    h.lowestBandWord = 80;
    h.rt60Spectrum = 2;
    const RecordTypeCodes& codes = RecordTypesOf(true);
    const Rec r36 = Find(image, sub, codes.rt60Settings);
    if (!r36)
        return;
    ReadRt60Settings(r36, h);
    ReadRt60Bands(Find(image, sub, h.rt60Settings[0] == 1 ? codes.rt60Results : codes.rt60Averaged),
                  kRt60ChannelWords, h);
}

// Histogram layouts per channel (record 18).
bool ReadHistograms(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    const Rec r = Located(image, FindRecord9(image, sub, ChainFlagsOf(h)));
    if (!r)
        return true;
    h.histogram.classLength = r.High();
    h.statisticsMask = static_cast<std::uint16_t>(r.W(1) & 0xFF);
    return ForChannelBlocks(
        r, 2, h.statisticsMask, h.channelCount, 4, [&](std::uint32_t at) { return HighByteLength(r, at); },
        [&](int c, std::uint32_t at) {
            ChannelHistogram& hist = h.fourChannel.channels[static_cast<std::size_t>(c)].histogram;
            hist.classLength = static_cast<std::uint16_t>(HighByteLength(r, at));
            hist.classes = r.W(at + 1);
            hist.lowest = r.S(at + 2);
            hist.width = r.S(at + 3);
            h.histogram.classLength = hist.classLength;
            h.histogram.classes = hist.classes;
            h.histogram.lowest = hist.lowest;
            h.histogram.width = hist.width;
        });
}

std::int16_t RoundUpToTen(int value)
{
    return static_cast<std::int16_t>((value / 10 + (value % 10 > 0 ? 1 : 0)) * 10);
}

} // namespace

bool DecodeFourChannelMeasurement(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    ChainFlags flags = ChainFlagsOf(h);
    h.timeHistory = HasBufferRecord(image, sub, flags);
    flags.timeHistory = h.timeHistory;
    if (!h.timeHistory) {
        h.histogramFlag = FindRecord9(image, sub, flags) != 0;
        if (const auto mask = FindStatisticsDef(image, sub, flags)) {
            h.statisticsFlag = true;
            h.statisticsMask = *mask;
        }
    }
    h.statisticsShown = h.statisticsFlag;
    if (h.firmware >= kFirmwareHundredths && !h.timeHistory) {
        f.hundredths = true;
        f.levelDivisor = 100.0;
        f.linearDivisor = 2000.0;
    }

    // The channel and the profile record follow record 4.
    const Rec r4 = ReadMeasurementStart(image, sub, h);

    f.vectorSlotNumber = h.firmware >= kFirmwareProfileLayout ? 12 : 4;
    h.flagsWord = r4.W(4);
    h.flagsWordPresent = true;
    // Bits 9 to 6 mark an overload in channels 1 to 4.
    for (int c = 0; c < kFourChannelMaxChannels; ++c)
        if (h.flagsWord & (1u << (9 - c)))
            f.overloadMask |= Bit(c);
    h.integrationSeconds = r4.U32(7);
    for (const RecordFourWord& w : kRecordFourWords)
        if (h.firmware >= w.from)
            w.set(h, r4.W(w.word));
    h.channelCount = r4.W(21);
    // Channel and profile counts index tables of 4 channels and 3 profiles each.
    if (h.channelCount == 0 || h.channelCount > kFourChannelMaxChannels ||
        f.profileCount > kFourChannelMaxProfiles * h.channelCount)
        return false;
    f.spectraPerChannel = static_cast<std::uint16_t>(r4.W(23) / h.channelCount);
    h.channelMode = 0;
    h.ldenColumn = h.function != kFunctionDoseMeter;
    h.lnColumn = false;
    h.timeStep = h.repetitionCycle != 0 ? static_cast<double>(h.integrationSeconds) : 1.0;
    h.timeStepUnit = TimeUnitOf(h.integrationSeconds);
    h.timeStepDecimals = 0;
    h.legacyTimeStepCode = -10;
    h.thresholdIndex = ThresholdIndex(h.thresholdLevel, static_cast<std::uint16_t>(f.levelDivisor));

    const Rec channelRecord = RecordAt(image, r4.End(), sub.end);
    if (!ReadChannelRecord(channelRecord, h))
        return false;
    // The reverberation records follow the first channel's input.
    h.inputKind = f.channels[0].inputKind;
    h.inputKindAsRead = h.inputKind;
    h.range = f.channels[0].range;
    h.rtChannelCount = h.inputKind == kInputMicrophone ? 1 : 0;
    const Rec profileRecord = RecordAt(image, channelRecord.End(), sub.end);
    if (!ReadProfileRecord(profileRecord, h))
        return false;

    if (const Rec r = Find(image, sub, kRecordVectorSettings))
        ReadVector(r, h);
    if (const Rec r = Find(image, sub, kRecordDoseSettings)) {
        f.doseSettingsPresent = true;
        // Word 1: x and y channels (high, low byte); word 2: z channel and kind
        // (low, high byte); word 3: the daily exposure time in whole minutes.
        f.exposure = ExposureSetup{.axisX = static_cast<std::uint8_t>(r.W(1) >> 8),
                                   .axisY = static_cast<std::uint8_t>(r.W(1)),
                                   .axisZ = static_cast<std::uint8_t>(r.W(2)),
                                   .kind = static_cast<std::uint8_t>(r.W(2) >> 8),
                                   .limitVariant = static_cast<std::uint8_t>(r.W(4)),
                                   .dailyMinutes = r.W(3)};
    }
    if (f.rotationInBuffer != 0) {
        f.vectorSlot.flagsWord |= 2;
        h.profilesWithBuffer |= Bit(kPseudoChannel);
        ChannelSetup& pseudo = f.channels[kPseudoChannel];
        ChannelProfile& p0 = pseudo.profiles[0];
        p0.flagsWord |= 2;
        p0.bufferWord |= 2;
        p0.bufferWordCopy |= 2;
        ++p0.resultsInBuffer;
        ++pseudo.resultsInBuffer;
    }
    if (const Rec r = Find(image, sub, kRecordChannelSpectrumSetup)) {
        h.profileMask = static_cast<std::uint16_t>(r.W(1) & 0xFF);
        for (int c = 0; c < h.channelCount; ++c)
            if (!(h.profileMask & Bit(c)))
                f.channels[static_cast<std::size_t>(c)].spectrumWords = {0, 0};
        if (!ForChannelBlocks(
                r, 3, h.profileMask, h.channelCount, 4, [&](std::uint32_t at) { return HighByteLength(r, at); },
                [&](int c, std::uint32_t at) {
                    f.channels[static_cast<std::size_t>(c)].spectrumWords = {r.W(at + 2), r.W(at + 3)};
                }))
            return false;
    }
    if (f.vector)
        f.vectorFormula = VectorFormula(h);

    h.declaredCount = 0;
    h.spectrumCount = 0;
    h.rowLength = 0;
    if (!h.timeHistory)
        return true;

    // The time history: a logger 24, else a recording 43.
    std::uint32_t at = FindRecord(image, sub.start, RecordTypesOf(true).bufferRecord, flags);
    if (at == 0)
        at = FindRecord(image, sub.start, kRecordWaveform, flags);
    const Rec b = Located(image, at);
    if (!b)
        return false;
    f.waveform = (b.W(0) & 0xFF) == kRecordWaveform;
    if (b.length < (f.waveform ? kMinRecordingLength : kMinLoggerLength))
        return false;
    h.bufferRecord = b.start;
    h.bufferRecordLength = static_cast<std::uint16_t>(b.length);
    h.bufferSizeLayout = false;
    h.bufferSizeWord = b.length - 4;
    h.declaredCount = b.U32(b.length - 4);
    h.secondCount = b.U32(b.length - 2);
    return f.waveform ? ReadRecording(b, h) : ReadLogger(image, sub, b, h);
}

bool DecodeFourChannelContents(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    FourChannelSetup& f = h.fourChannel;
    const std::uint16_t channels = ChannelMask(h);
    if (h.timeHistory) {
        if (h.declaredCount != 0) {
            if (h.spectraInBuffer != 0) {
                h.spectrumCount = static_cast<std::int32_t>(std::min<std::uint32_t>(h.declaredCount, INT32_MAX));
                h.totalNames = NameTable::Of(kTotalNames);
                h.rowGap = true;
            }
            h.bufferResultCount = static_cast<std::uint16_t>(
                std::popcount(static_cast<unsigned>(h.bufferStatisticsMask & (channels | Bit(kPseudoChannel)))));
            // Buffer histograms of every channel and the pseudo channel.
            for (std::size_t c = 0; c < f.channels.size(); ++c) {
                if (c >= h.channelCount && c != kPseudoChannel)
                    continue;
                ChannelHistogram& hist = f.channels[c].histogram;
                hist = ChannelHistogram{.classLength = 0, .classes = 120, .width = 10};
                hist.lowest = RoundUpToTen(f.channels[c].calibration + 170);
            }
            h.histogram = HistogramSetup{.classes = 120, .lowest = f.channels[0].histogram.lowest, .width = 10};
            if (h.resultsPerBufferRecord != 0)
                h.statisticsMask = h.profilesWithBuffer;
            h.shownTimeStep = h.timeStep;
            h.shownDecimals = h.timeStepDecimals;
            f.anySpectrumMask = static_cast<std::uint16_t>(f.fftMask | f.octaveMask | f.thirdMask);
        }
    } else {
        h.secondHistogramFlag = false;
        switch (h.function) {
        case kFunctionOctave11:
        case kFunctionOctave13: {
            const auto fn = std::find_if(std::begin(kOctaveFunctions), std::end(kOctaveFunctions),
                                         [&](const OctaveFunctionRow& r) { return r.function == h.function; });
            if (!ReadOctaveSetup(image, sub, *fn, h))
                return false;
            break;
        }
        case kFunctionFft:
            if (!ReadFftSetup(image, sub, h))
                return false;
            h.spectrumCount = 1;
            break;
        case kFunctionRt60:
            ReadRt60(image, sub, h);
            break;
        default:
            break;
        }
        h.rowGap = false;
        h.totalNames = NameTable::Of(kTotalNames);
        if (h.histogramFlag && !ReadHistograms(image, sub, h))
            return false;
    }

    h.shownRecordCount = h.declaredCount;
    if (h.merged) {
        h.statisticsShown = false;
        h.histogramsAvailable = false;
        f.octaveSecondHistogram = f.thirdSecondHistogram = false;
        h.secondHistogramFlag = false;
    } else {
        h.histogramsAvailable =
            !f.waveform && (h.histogramFlag || (h.timeHistory && h.declaredCount != 0 &&
                                                f.rotationInBuffer != h.resultsPerBufferRecord));
        h.statisticsShown = h.statisticsFlag;
    }
    return true;
}

} // namespace orlu
