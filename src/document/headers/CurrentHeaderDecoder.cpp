#include "document/headers/CurrentHeaderDecoder.h"

#include "document/FftWindow.h"
#include "document/headers/CurrentNameLists.h"
#include "document/headers/HeaderRecord.h"
#include "document/records/RecordTypeCodes.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>
#include <optional>

namespace orlu {
namespace {

// ---- Records ----

std::string CutAtBlank(std::string text)
{
    std::size_t cut = text.find_first_of(std::string_view(" \0", 2));
    if (cut != std::string::npos)
        text.resize(cut);
    return text;
}

// ---- Name tables ----

constexpr const char* kRange515Text[] = {"UNDF", "90 dB", "105 dB", "125 dB"};
constexpr const char* kRange515Variant0[] = {"UNDF", "95 dB", "110 dB", "125 dB"};
constexpr const char* kRange515Variant1[] = {"UNDF", "105 dB", "130 dB"};
constexpr const char* kRange530Variant0[] = {"UNDF", "135 dB", "150 dB", "165 dB"};
constexpr const char* kRange530Variant1[] = {"UNDF", "145 dB", "170 dB"};
constexpr const char* kRange535Microphone[] = {"UNDF", "105 dB", "130 dB"};
constexpr const char* kRange535Other[] = {"UNDF", "145 dB", "170 dB"};

enum class Pick : std::uint8_t { Any, Variant0, VariantOther, Microphone, OtherInput };

bool Picks(Pick pick, const CurrentHeader& h)
{
    switch (pick) {
    case Pick::Any: return true;
    case Pick::Variant0: return h.variant == 0;
    case Pick::VariantOther: return h.variant != 0;
    case Pick::Microphone: return h.inputKind == kInputMicrophone;
    case Pick::OtherInput: return h.inputKind != kInputMicrophone;
    }
    return false;
}

struct RangeNameRow {
    bool ModelFlags::*group;
    Pick pick;
    NameTable names;
};

constexpr RangeNameRow kRangeNameRows[] = {
    {&ModelFlags::Family515Text, Pick::Any, NameTable::Of(kRange515Text)},
    {&ModelFlags::Family515, Pick::Variant0, NameTable::Of(kRange515Variant0)},
    {&ModelFlags::Family515, Pick::VariantOther, NameTable::Of(kRange515Variant1)},
    {&ModelFlags::Family525, Pick::Variant0, NameTable::Of(kRange515Variant0)},
    {&ModelFlags::Family525, Pick::VariantOther, NameTable::Of(kRange515Variant1)},
    {&ModelFlags::Family530, Pick::Variant0, NameTable::Of(kRange530Variant0)},
    {&ModelFlags::Family530, Pick::VariantOther, NameTable::Of(kRange530Variant1)},
    {&ModelFlags::Family535, Pick::Microphone, NameTable::Of(kRange535Microphone)},
    {&ModelFlags::Family535, Pick::OtherInput, NameTable::Of(kRange535Other)},
};

constexpr const char* kTotalsLater[] = {"TOTAL", "TOT_A", "TOT_C", "TOT_Z", "SPL_Imp", "SPL_Fst", "SPL_Slw"};

constexpr const char* kWeightingLaterMicrophone[] = {"Z", "Lin", "A", "C", "UNDF"};
constexpr const char* kWeightingLaterOther[] = {"Z",    "HP1",  "HP3",   "HP10",  "Vel1", "Vel3", "Vel10",
                                                "VelMF", "Dil1", "Dil3", "Dil10", "W-Bxy", "W-Bz", "H-A"};
constexpr const char* kWeightingMicrophoneZ[] = {"UNDF", "Z", "A", "C", "G"};

constexpr const char* kDetectorsVibration[] = {"UNDF", "100ms", "125ms", "200ms", "500ms"};

constexpr const char* kBufferResultsMaxMin[] = {"UNDF", "None", "PEAK", "MAX", "MIN", "RMS"};
constexpr const char* kBufferResultsPeakToPeak[] = {"UNDF", "None", "PEAK", "P-P", "MAX", "RMS"};
constexpr const char* kBufferResultsSplLeq[] = {"UNDF", "None", "PEAK", "SPL", "LEQ"};
constexpr const char* kBufferResultsMaxRms[] = {"UNDF", "None", "PEAK", "MAX", "RMS"};

NameTable TotalNamesFor(const CurrentHeader& h, bool oneLater)
{
    return h.model.LaterModel ? NameTable::Of(kTotalsLater, oneLater ? 1 : 0) : NameTable::Of(kTotalNames, oneLater ? 1 : 0);
}

NameTable WeightingNamesFor(const CurrentHeader& h)
{
    const bool microphone = h.inputKind == kInputMicrophone;
    if (h.firmware > 603 && h.model.LaterModel)
        return microphone ? NameTable::Of(kWeightingLaterMicrophone) : NameTable::Of(kWeightingLaterOther);
    if (!microphone)
        return NameTable::Of(kOtherWeightingNames);
    return h.model.Model560 || h.model.Model570 || h.model.Model595 ? NameTable::Of(kWeightingMicrophoneZ)
                                                                    : NameTable::Of(kSoundWeightingNames);
}

bool VibrationGroup(const CurrentHeader& h)
{
    return h.model.Family530 || (h.model.Family535 && h.inputKind == kInputAccelerometer);
}

NameTable BufferResultNamesFor(const CurrentHeader& h)
{
    const bool microphone = h.inputKind == kInputMicrophone;
    if (h.model.Family530 || h.model.Family535)
        return microphone ? NameTable::Of(kBufferResultsMaxMin) : NameTable::Of(kBufferResultsPeakToPeak);
    if (h.model.Family515 || h.model.Family525) {
        if (h.firmware < 210)
            return NameTable::Of(kBufferResultsSplLeq);
        return h.firmware == 210 ? NameTable::Of(kBufferResultsMaxMin) : NameTable::Of(kBufferResultsMaxRms);
    }
    return NameTable::Of(kBufferResultsSplLeq);
}

// ---- Record 4 by firmware ----

enum class When : std::uint8_t {
    Always,
    Microphone,
    OtherInput,
    VibrationGroup,    ///< Family530, or Family535 with an accelerometer
    SoundGroup,        ///< not VibrationGroup
    SoundGroupRt60,    ///< not VibrationGroup, in an RT60 measurement
    Family525Or535,    ///< Family525 or Family535
};

bool Holds(When when, const CurrentHeader& h)
{
    switch (when) {
    case When::Always: return true;
    case When::Microphone: return h.inputKind == kInputMicrophone;
    case When::OtherInput: return h.inputKind != kInputMicrophone;
    case When::VibrationGroup: return VibrationGroup(h);
    case When::SoundGroup: return !VibrationGroup(h);
    case When::SoundGroupRt60: return !VibrationGroup(h) && h.function == kFunctionRt60;
    case When::Family525Or535: return h.model.Family525 || h.model.Family535;
    }
    return false;
}

using WordSetter = void (*)(CurrentHeader& h, std::uint16_t value);

template <auto Member>
void Set(CurrentHeader& h, std::uint16_t value)
{
    using T = std::remove_reference_t<decltype(h.*Member)>;
    h.*Member = static_cast<T>(value);
}

template <auto Trigger, auto Field>
void SetTrigger(CurrentHeader& h, std::uint16_t value)
{
    (h.*Trigger).*Field = value;
    (h.*Trigger).present = true;
}

template <std::size_t I>
void SetCompensation(CurrentHeader& h, std::uint16_t value)
{
    h.compensationFilter[I] = value;
}

void SetCriterionAndRt60Method(CurrentHeader& h, std::uint16_t value)
{
    h.criterionLevel = value;
    h.rt60Method = value;
}

// One word of record 4: from firmware `from` to `to` (x 100, inclusive), when the condition holds.
struct MeasurementWord {
    std::uint16_t from;
    std::uint16_t to;
    When when;
    std::uint8_t word;
    WordSetter set;
};

constexpr std::uint16_t kAnyFw = 0xFFFF;
using H = CurrentHeader;
using T = TriggerSetup;

constexpr MeasurementWord kMeasurementWords[] = {
    // Up to 2.32: dose settings first, then a simple trigger.
    {0, 232, When::Always, 12, Set<&H::criterionLevel>},
    {0, 232, When::Always, 13, Set<&H::thresholdLevel>},
    {0, 232, When::Always, 14, Set<&H::exchangeRate>},
    {0, 232, When::Always, 15, Set<&H::exposureMinutes>},
    {0, 232, When::Always, 16, Set<&H::trigger>},
    {0, 232, When::Always, 17, SetTrigger<&H::measurementTrigger, &T::level>},
    {0, 232, When::Always, 18, SetTrigger<&H::measurementTrigger, &T::mode>},
    // 2.33 to 5.99: the measurement trigger, then the dose settings or the reference levels.
    {233, 599, When::Always, 12, SetTrigger<&H::measurementTrigger, &T::mode>},
    {233, 599, When::Always, 13, SetTrigger<&H::measurementTrigger, &T::source>},
    {233, 599, When::Always, 14, SetTrigger<&H::measurementTrigger, &T::level>},
    {233, 599, When::Always, 15, SetTrigger<&H::measurementTrigger, &T::preProbes>},
    {233, 599, When::Always, 16, SetTrigger<&H::measurementTrigger, &T::postProbes>},
    {233, 599, When::Always, 23, Set<&H::exposureMinutes>},
    {233, 599, When::SoundGroup, 24, Set<&H::criterionLevel>},
    {233, 599, When::SoundGroup, 25, Set<&H::thresholdLevel>},
    {233, 599, When::SoundGroup, 26, Set<&H::exchangeRate>},
    {233, 599, When::SoundGroupRt60, 24, Set<&H::rt60Method>},
    {233, 599, When::VibrationGroup, 24, Set<&H::accelerationOffset>},
    {233, 599, When::VibrationGroup, 25, Set<&H::velocityOffset>},
    {233, 599, When::VibrationGroup, 26, Set<&H::displacementOffset>},
    // 6.00 and 6.01: logger trigger, measurement trigger, two compensation words.
    {600, 601, When::Always, 12, SetTrigger<&H::loggerTrigger, &T::mode>},
    {600, 601, When::Always, 13, SetTrigger<&H::loggerTrigger, &T::source>},
    {600, 601, When::Always, 14, SetTrigger<&H::loggerTrigger, &T::level>},
    {600, 601, When::Always, 15, SetTrigger<&H::loggerTrigger, &T::preProbes>},
    {600, 601, When::Always, 16, SetTrigger<&H::loggerTrigger, &T::postProbes>},
    {600, 601, When::Always, 33, SetTrigger<&H::measurementTrigger, &T::mode>},
    {600, 601, When::Always, 34, SetTrigger<&H::measurementTrigger, &T::source>},
    {600, 601, When::Always, 35, SetTrigger<&H::measurementTrigger, &T::level>},
    {600, 601, When::Always, 37, SetCompensation<0>},
    {600, 601, When::Always, 38, SetCompensation<1>},
    // Up to 6.01: microphone and spectrum words.
    {234, 601, When::Family525Or535, 17, SetCompensation<2>},
    {234, 601, When::Family525Or535, 18, Set<&H::fieldCorrection>},
    {0, 601, When::Always, 19, Set<&H::polarization>},
    {210, 601, When::Always, 20, Set<&H::integration>},
    {210, 601, When::Always, 21, Set<&H::octaveFilter>},
    {213, 601, When::Always, 22, Set<&H::spectraInBuffer>},
    {502, 601, When::Always, 27, Set<&H::calibrationType>},
    {502, 601, When::Always, 28, Set<&H::calibrationDate>},
    {502, 601, When::Always, 29, Set<&H::calibrationTime>},
    {502, 601, When::Always, 30, Set<&H::rotationMeasurement>},
    {502, 601, When::Always, 31, Set<&H::pulsesPerRotation>},
    // From 6.02: one layout per kind of input; triggers in records 43 to 45.
    {602, kAnyFw, When::Microphone, 12, Set<&H::fieldCorrection>},
    {602, kAnyFw, When::Always, 13, Set<&H::integration>},
    {602, kAnyFw, When::Always, 14, Set<&H::octaveFilter>},
    {602, kAnyFw, When::Always, 15, Set<&H::spectraInBuffer>},
    {602, kAnyFw, When::Microphone, 16, Set<&H::exposureMinutes>},
    {602, kAnyFw, When::Microphone, 17, SetCriterionAndRt60Method},
    {602, kAnyFw, When::Microphone, 18, Set<&H::thresholdLevel>},
    {602, kAnyFw, When::Microphone, 19, Set<&H::exchangeRate>},
    {602, kAnyFw, When::OtherInput, 17, Set<&H::accelerationOffset>},
    {602, kAnyFw, When::OtherInput, 18, Set<&H::velocityOffset>},
    {602, kAnyFw, When::OtherInput, 19, Set<&H::displacementOffset>},
    {602, kAnyFw, When::Always, 20, Set<&H::calibrationType>},
    {602, kAnyFw, When::Always, 21, Set<&H::calibrationDate>},
    {602, kAnyFw, When::Always, 22, Set<&H::calibrationTime>},
    {602, kAnyFw, When::Always, 23, Set<&H::rotationMeasurement>},
    {602, kAnyFw, When::Always, 24, Set<&H::pulsesPerRotation>},
    {602, kAnyFw, When::Microphone, 25, SetCompensation<0>},
    {602, kAnyFw, When::Microphone, 26, SetCompensation<1>},
    {602, kAnyFw, When::Microphone, 27, SetCompensation<2>},
};

// A trigger's gradient word when its mode is 6.
struct GradientWord {
    std::uint16_t from;
    std::uint16_t to;
    TriggerSetup CurrentHeader::*trigger;
    std::uint8_t word;
};
constexpr GradientWord kGradientWords[] = {
    {233, 599, &H::measurementTrigger, 32},
    {600, 601, &H::loggerTrigger, 32},
    {600, 601, &H::measurementTrigger, 36},
};
constexpr std::uint16_t kGradientMode = 6;

// Trigger records of firmware 6.02 and later: word of each field (0: none).
struct TriggerRecord {
    std::uint8_t type;
    TriggerSetup CurrentHeader::*trigger;
    std::uint8_t preWord;
    std::uint8_t postWord;
};
constexpr TriggerRecord kTriggerRecords[] = {
    {43, &H::measurementTrigger, 0, 0},
    {44, &H::loggerTrigger, 5, 6},
    {45, &H::recorderTrigger, 0, 0},
};
constexpr std::uint8_t kRecordExternalIo = 46;
constexpr std::uint8_t kRecordRealTimeFilters = 33;
constexpr std::uint8_t kRecordFftChannel = 34;

// A packed real of record 33: mantissa in the low 24 bits, exponent in the high 8.
double PackedReal(std::uint32_t v)
{
    return std::ldexp(static_cast<double>(v & 0xFFFFFF), static_cast<int>(v >> 24) - 150);
}

// Sum of the 32-bit class counts that start two words after the definition's end;
// none when they run past the end of the file (a damaged record costs only its classes).
std::optional<std::uint32_t> HistogramTotal(const ImageReader& image, const Rec& r, std::uint16_t classes)
{
    const std::uint32_t first = r.End() + 2;
    if (!image.HasWords(first, 2ull * classes))
        return std::nullopt;
    std::uint64_t sum = 0;
    for (std::uint32_t k = 0; k < classes; ++k)
        sum += image.Int32AtWord(first + 2 * k);
    if (sum == 0)
        return 1;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, UINT32_MAX));
}

// FFT setup (step 21 words) from a record: lines, extra line, exponent, window, sampling rate.
void ReadFftSetup(const Rec& r, CurrentHeader& h, bool inBuffer)
{
    h.bandCount = r.W(3);
    h.bandExtras = r.W(4) != 0 ? 1 : 0;
    h.fftExtraLine = r.W(4) != 0 ? 2 : 0;
    h.fftExponentWord = r.W(5);
    std::uint32_t e = h.fftExponentWord;
    if (e != 0)
        e -= 1;
    e = std::min<std::uint32_t>(e, 30);
    h.fftWindow = static_cast<std::uint16_t>(h.firmware >= 512 ? r.W(6) + 2 : 2);
    h.fftPresent = true;
    h.samplingRate = r.U32(8);
    if (!inBuffer && h.model.Family530 && h.firmware <= 222)
        h.samplingRate = 48000;
    h.fftPoints = FftBlockLength(h.bandCount);
    const double resolution = static_cast<double>(h.samplingRate) / std::ldexp(1.0, static_cast<int>(e)) / h.fftPoints;
    h.firstFrequency = resolution;
    h.fftRangeHz = h.bandCount * resolution;
    h.fftBandNames = FftBandNamesFor(h.samplingRate);
    if (inBuffer || h.firmware < 512)
        h.fftWindowGain = FftWindowPower(static_cast<std::uint8_t>(h.fftWindow), nullptr,
                                         static_cast<int>(h.fftPoints), &h.fftWindowPower);
    if (h.firmware >= 512)
        h.fftWindowPower = std::pow(10.0, r.W(10) / 1000.0);
    h.fftFirstHz = 0.0;
    h.fftLastHz = h.fftRangeHz;
    h.bandKind = kBandFft;
    h.spectrumCount = inBuffer ? 0 : 1;
}

// The reverberation band range over the band pointer's frequencies f[k]: the
// 1/1 bands (steps of 3 from k = 1) below 30 Hz come first, the range ends
// before 10 kHz. Entries past the table read as infinite, so no step leaves it.
void SetReverbBandRange(CurrentHeader& h)
{
    const std::span<const double> table = ThirdOctaveCentres();
    if (h.bandTableIndex < 0)
        return;
    const auto f = [&](std::int32_t k) {
        const std::int64_t at = std::int64_t{h.bandTableIndex} + k;
        return at >= 0 && at < static_cast<std::int64_t>(table.size()) ? table[static_cast<std::size_t>(at)]
                                                                       : HUGE_VAL;
    };
    constexpr double kLowest = 30.0;
    constexpr double kHighest = 10000.0;
    const std::int32_t o = h.bandKind == kBandOctave13 && h.bandsShown == 44 ? 2 : 0;
    std::int32_t i = 1;
    std::uint16_t first = 0;
    for (; f(o + i) < kLowest; i += 3)
        ++first;
    const std::int32_t firstIndex = i;
    std::uint16_t last = first;
    for (; i + o <= 41 && f(o + i + 3) < kHighest; i += 3)
        ++last;
    h.rtFirstOctaveBand = first;
    h.rtLastOctaveBand = last;
    h.rtOctaveBandCount = h.octaveBandsShown;
    h.rtFirstTableIndex = firstIndex;
    h.rtLastTableIndex = i;
    if (h.bandKind == kBandOctave13) {
        std::int32_t k = 0;
        while (f(k) < kLowest)
            ++k;
        h.rtFirstTableIndex = k;
        while (k + 1 <= 43 && f(k + 1) <= kHighest)
            ++k;
        h.rtLastTableIndex = k;
        h.rtThirdBandCount = h.thirdBandsShown;
    }
}

void ReadEnvelopingFilter(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    const Rec r = Located(image, FindRecordInHeader(image, sub, ChainFlagsOf(h), kRecordFftChannel));
    h.envelopingFilter = r ? r.W(1) : 999;
}

} // namespace

ChainFlags ChainFlagsOf(const CurrentHeader& header)
{
    return ChainFlags{.fourChannel = header.model.FourChannel,
                      .timeHistory = header.timeHistory,
                      .firmware = header.firmware,
                      .waveformRecord = header.fourChannel.waveform};
}

bool DecodeIdentity(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    // The start is a word index: it must lie inside the image's bytes.
    if (2ull * sub.start >= image.ByteCount() || sub.end > image.WordCount() || sub.start >= sub.end)
        return false;
    const std::uint16_t word0 = image.Word(sub.start);
    if ((word0 >> 8) == 1)
        return false;
    const Rec r1 = RecordAt(image, sub.start, sub.end);
    if (r1.length < 2)
        return false;
    h.setupFile = (r1.W(5) >> 8) == 2;
    h.fileName = CutAtBlank(WordText(r1, 1, 5));
    if (h.setupFile) {
        h.setupDate = r1.W(6);
        h.setupTime = r1.W(7);
        h.channelCount = 0;
    }
    if (r1.length >= 12 && (r1.W(8) & 0xFF) != 0xFF)
        h.secondName = CutAtBlank(WordText(r1, 8, 12));

    const Rec r2 = RecordAt(image, r1.End(), sub.end);
    h.serial = r2.W(1);
    h.deviceType = r2.W(2);
    h.firmware = r2.W(3);
    h.model = ModelFlagsFor(h.deviceType, h.firmware);
    h.derivedKind = DeviceKindFor(h.deviceType, h.firmware);
    if (h.model.FourChannel) {
        h.fileSystemVersion = r2.W(6);
    } else {
        h.variant = r2.length >= 7 ? r2.W(6) : 0;
        h.fileSystemVersion = r2.W(7);
        h.subVersionPresent = r2.length >= 10;
        h.subVersion = r2.W(9);
    }
    return true;
}

bool DecodeMeasurement(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    ChainFlags flags = ChainFlagsOf(h);
    h.timeHistory = HasRecord15(image, sub);
    flags.timeHistory = h.timeHistory;
    if (!h.timeHistory) {
        h.histogramFlag = FindRecord9(image, sub, flags) != 0;
        h.statisticsFlag = FindStatisticsDef(image, sub, flags).has_value();
    }
    h.statisticsShown = h.statisticsFlag;

    const Rec r4 = ReadMeasurementStart(image, sub, h);

    h.inputKind = r4.W(4);
    h.inputKindAsRead = h.inputKind;
    h.range = r4.W(5);
    h.flagsWord = r4.W(6);
    h.flagsWordPresent = true;
    h.repetitionCycle = r4.W(7);
    h.startDelay = r4.W(9);
    h.integrationSeconds = r4.U32(10);
    h.channelCount = 3;
    h.rtChannelCount = h.inputKind == kInputMicrophone ? 1 : 0;
    h.timeStep = h.repetitionCycle != 0 ? static_cast<double>(h.integrationSeconds) : 1.0;
    h.timeStepUnit = TimeUnitOf(h.integrationSeconds);
    h.timeStepDecimals = 0;
    h.legacyTimeStepCode = -10;
    if (h.inputKind == kInputMicrophone && !h.model.Family515Text) {
        if (h.firmware > 399)
            h.ldenColumn = true;
        else if (h.firmware > 299)
            h.lnColumn = true;
    }
    for (const MeasurementWord& m : kMeasurementWords)
        if (h.firmware >= m.from && h.firmware <= m.to && Holds(m.when, h))
            m.set(h, r4.W(m.word));
    for (const GradientWord& g : kGradientWords)
        if (h.firmware >= g.from && h.firmware <= g.to && (h.*g.trigger).mode == kGradientMode)
            (h.*g.trigger).gradient = r4.W(g.word);
    if (h.firmware >= 602) {
        if (h.inputKind == kInputMicrophone)
            h.polarization = 0;
        for (const TriggerRecord& t : kTriggerRecords) {
            const Rec r = Located(image, FindRecordInHeader(image, sub, flags, t.type));
            if (!r)
                continue;
            TriggerSetup& trigger = h.*t.trigger;
            trigger.present = true;
            trigger.mode = r.W(1);
            trigger.source = r.W(2);
            trigger.level = r.W(3);
            if (trigger.mode == kGradientMode)
                trigger.gradient = r.W(4);
            if (t.preWord) {
                trigger.preProbes = r.W(t.preWord);
                trigger.postProbes = r.W(t.postWord);
            }
        }
        if (const Rec r = Located(image, FindRecordInHeader(image, sub, flags, kRecordExternalIo))) {
            h.externalIoPresent = true;
            for (std::uint32_t i = 0; i < h.externalIo.size(); ++i)
                h.externalIo[i] = r.W(i + 1);
        }
    } else if (h.firmware > 507 && (h.model.Family525 || h.model.Family535)) {
        h.outdoorFilter = (h.fieldCorrection >> 1) & 1;
        h.fieldCorrection &= 1;
    }
    if (h.firmware >= 602 ? h.inputKind == kInputMicrophone : true)
        h.thresholdIndex = ThresholdIndex(h.thresholdLevel, 10);

    // Record 5: the three profiles.
    if (const Rec r5 = Located(image, FindRecordInHeader(image, sub, flags, kRecordProfiles))) {
        std::uint32_t at = 2;
        for (std::uint16_t i = 0; i < 3; ++i) {
            ProfileSetup& p = h.profiles[i];
            h.profileMask |= static_cast<std::uint16_t>(1u << i);
            const std::uint16_t blockWord0 = r5.W(at);
            p.blockLength = static_cast<std::uint16_t>(blockWord0 >> 8);
            p.detector = r5.W(at + 1);
            const auto filter = static_cast<std::int16_t>(r5.W(at + 2));
            if (filter < 0) {
                const int k = -filter;
                p.filter = static_cast<std::uint16_t>(49 + k);
                if (k <= 16)
                    h.userFilterMask |= static_cast<std::uint16_t>(1u << (k - 1));
            } else {
                p.filter = static_cast<std::uint16_t>(filter);
            }
            p.bufferWord = r5.W(at + 3);
            p.calibration = r5.S(at + 4);
            p.flagsWord = r5.W(at + 5);
            if (p.bufferWord != 0) {
                p.resultsInBuffer = h.model.LaterModel ? static_cast<std::uint16_t>(std::popcount(p.bufferWord & 0xFFu)) : 1;
                h.resultsPerBufferRecord += p.resultsInBuffer;
                h.profilesWithBuffer |= static_cast<std::uint16_t>(1u << i);
            }
            // A block of length 0 would leave every profile on the same words.
            at += p.blockLength != 0 ? p.blockLength : 6;
        }
    }
    h.bufferStatisticsMask = h.profilesWithBuffer;
    if (h.rotationMeasurement != 0) {
        h.profileMask |= 0x10;
        h.bufferStatisticsMask |= 0x10;
    }

    // Range names: only the known groups have them.
    const auto row = std::find_if(std::begin(kRangeNameRows), std::end(kRangeNameRows),
                                  [&](const RangeNameRow& r) { return h.model.*r.group && Picks(r.pick, h); });
    if (row == std::end(kRangeNameRows))
        return false;
    h.rangeNames = row->names;

    // Record 33: real-time filters, entries of 6 words.
    if (const Rec r = Located(image, FindRecordInHeader(image, sub, flags, kRecordRealTimeFilters))) {
        for (std::uint32_t at = 1; at + 6 <= r.length && h.realTimeFilters.size() < 5; at += 6)
            h.realTimeFilters.push_back(RealTimeFilter{static_cast<std::uint8_t>(r.W(at) & 0xFF),
                                                       static_cast<std::uint8_t>(r.W(at + 1) & 0xFF),
                                                       PackedReal(r.U32(at + 2)), PackedReal(r.U32(at + 4))});
    }

    h.declaredCount = 0;
    h.spectrumCount = 0;
    h.rowLength = 0;
    if (!h.timeHistory)
        return true;

    // The buffer header 15.
    const Rec b = Located(image, FindBufferRecord(image, sub, flags));
    if (!b)
        return false;
    const std::uint32_t lb = b.High();
    // The counts lie in the last four words; a shorter record cannot hold them.
    if (lb < 8)
        return false;
    h.bufferRecord = b.start;
    h.bufferRecordLength = static_cast<std::uint16_t>(lb);
    if ((h.firmware > 200 && h.repetitionCycle == 0) || h.firmware > 229) {
        const std::uint16_t seconds = b.W(1);
        const std::uint16_t millis = b.W(2);
        h.timeStep = seconds + millis / 1000.0;
        h.timeStepDecimals = seconds != 0 ? 0 : (millis < 10 || millis == 25) ? 3 : millis < 100 ? 2 : 1;
        h.timeStepUnit = TimeUnitOf(seconds);
    }
    if (h.rt60) {
        h.rt60Spectrum = 2;
        h.function = kFunctionOctave13;
        h.bandKind = kBandOctave13;
    }
    if (h.function == kFunctionFft || h.function == kFunctionEnveloping) {
        ReadFftSetup(b, h, true);
        if (h.function == kFunctionEnveloping)
            ReadEnvelopingFilter(image, sub, h);
    } else if (h.firmware > 212) {
        h.lowestBandWord = b.W(3);
        h.bandCount = b.W(4);
        h.bandExtras = b.W(5);
        h.bandsShown = h.bandCount;
        h.bandCount = static_cast<std::uint16_t>(h.bandCount + h.bandExtras);
        h.bandKind = static_cast<std::uint16_t>(h.function + 1);
        if (h.bandKind == kBandOctave11) {
            h.octaveBandsShown = h.bandsShown;
            h.octaveTotal = h.bandCount;
            h.thirdTotal = 0;
            h.bandTableIndex = static_cast<std::int32_t>(ThirdOctaveAtOrBelow(static_cast<std::uint16_t>(h.lowestBandWord / 10)));
            h.firstFrequency = ThirdOctaveCentres()[static_cast<std::size_t>(h.bandTableIndex)];
        } else if (h.bandKind == kBandOctave13) {
            h.thirdBandsShown = h.bandsShown;
            h.octaveBandsShown = static_cast<std::uint16_t>(h.bandsShown / 3);
            h.thirdTotal = h.bandCount;
            h.octaveTotal = h.bandExtras + h.octaveBandsShown;
            h.thirdExtras = h.bandExtras;
            h.thirdBands = h.bandCount - h.bandExtras;
            h.thirdOffset = 45 - h.bandsShown;
            std::span<const double> centres = ThirdOctaveCentrePtr(h.bandsShown);
            h.bandTableIndex = centres.empty() ? -1 : h.thirdOffset;
            h.firstFrequency = centres.empty() ? 0.0 : centres[0];
        }
    }

    // Row length, then the declared count (a size layout needs the row length).
    if (h.resultsPerBufferRecord != 0 || h.spectraInBuffer != 0) {
        std::uint32_t results = h.resultsPerBufferRecord;
        if (h.rotationMeasurement != 0)
            results += 2;
        std::uint32_t row = results;
        if (h.spectraInBuffer != 0)
            row += h.bandCount + 1u + (h.bandKind == kBandFft ? 1u : 0u);
        h.rowLength = static_cast<std::uint16_t>(std::min<std::uint32_t>(row, 0xFFFF));
    }
    const bool sizeTenWords = h.firmware >= 223 && lb == 10;
    h.bufferSizeLayout = h.firmware <= 222 || lb == 8 || sizeTenWords;
    if (h.bufferSizeLayout) {
        h.bufferSizeWord = sizeTenWords ? lb - 4 : lb - 2;
        const std::uint32_t size = b.U32(h.bufferSizeWord);
        h.declaredCount = h.rowLength != 0 ? size / 2 / h.rowLength : size / 2;
        h.secondCount = h.declaredCount;
    } else {
        h.bufferSizeWord = lb - 4;
        h.declaredCount = b.U32(lb - 4);
        h.secondCount = b.U32(lb - 2);
    }
    return true;
}

void DecodeContents(const ImageReader& image, SubfileSpan sub, CurrentHeader& h)
{
    const ChainFlags flags = ChainFlagsOf(h);
    const bool microphone = h.inputKind == kInputMicrophone;
    const bool totalsOneLater =
        h.model.Family525 || h.model.Family515 || (h.model.Family535 && h.firmware >= 302 && microphone);

    if (h.timeHistory) {
        if (h.declaredCount != 0) {
            if (h.spectraInBuffer != 0) {
                h.spectrumCount = static_cast<std::int32_t>(std::min<std::uint32_t>(h.declaredCount, INT32_MAX));
                h.totalNames = TotalNamesFor(h, totalsOneLater);
                h.rowGap = true;
            }
            if (h.resultsPerBufferRecord != 0)
                h.bufferResultCount = h.resultsPerBufferRecord;
            if (h.spectrumCount > 1 && (h.bandKind == kBandOctave11 || h.bandKind == kBandOctave13))
                SetReverbBandRange(h);
            // Buffer histogram defaults.
            h.histogram.classLength = 0;
            h.histogram.classes = 120;
            const int lowest = h.profiles[0].calibration + 170;
            h.histogram.lowest = static_cast<std::int16_t>((lowest / 10 + (lowest % 10 > 0 ? 1 : 0)) * 10);
            h.histogram.width = 10;
            if (h.resultsPerBufferRecord != 0)
                h.statisticsMask = h.profilesWithBuffer;
            h.shownTimeStep = h.timeStep;
            h.shownDecimals = h.timeStepDecimals;
        }
    } else {
        switch (h.function) {
        case kFunctionOctave11:
            if (const Rec r = Located(image, FindRecord14(image, sub, flags))) {
                h.lowestBandWord = r.W(2);
                h.bandCount = r.W(3);
                if (h.firmware < 201) {
                    h.bandExtras = 1;
                } else {
                    if (h.model.Family515)
                        h.lowestBandWord = static_cast<std::uint16_t>(h.lowestBandWord / 10);
                    h.bandExtras = r.W(4);
                    h.bandCount = static_cast<std::uint16_t>(h.bandCount + h.bandExtras);
                }
                h.bandsShown = h.model.Family515Text ? 10 : static_cast<std::uint16_t>(h.bandCount - h.bandExtras);
                h.octaveBandsShown = h.bandsShown;
                h.octaveTotal = h.bandCount;
                h.bandKind = kBandOctave11;
                std::span<const double> centres = OctaveCentrePtr(h.bandsShown);
                h.bandTableIndex = centres.empty() ? -1 : 45 - 3 * h.bandsShown;
                h.firstFrequency = centres.size() > 1 ? centres[1] : 0.0;
                h.spectrumCount = 1;
                for (std::uint8_t t : {std::uint8_t{38}, std::uint8_t{39}})
                    if (FindRecordInHeader(image, sub, flags, t)) {
                        h.extraSpectra[t - 38u] = true;
                        ++h.spectrumCount;
                    }
            }
            break;
        case kFunctionAem:
            h.bandsShown = 9;
            h.octaveBandsShown = 9;
            h.bandCount = 9;
            h.bandExtras = 1;
            h.bandKind = kBandAem;
            h.bandTableIndex = 45 - 30;
            h.firstFrequency = OctaveCentrePtr(10)[1];
            break;
        case kFunctionOctave13:
        case kFunctionRt60:
            if (!(h.model.Family535 || h.model.Family530 || h.model.Family525 || h.model.Family515))
                break;
            if (const Rec r = Located(image, FindRecord16(image, sub, flags))) {
                h.lowestBandWord = r.W(2);
                if (h.firmware < 201) {
                    h.bandCount = static_cast<std::uint16_t>(r.W(3) - 1);
                    h.bandExtras = 1;
                } else {
                    if (h.model.Family515)
                        h.lowestBandWord = static_cast<std::uint16_t>(h.lowestBandWord / 10);
                    h.bandCount = r.W(3);
                    h.bandExtras = r.W(4);
                    h.bandCount = static_cast<std::uint16_t>(h.bandCount + h.bandExtras);
                }
                if (h.firmware > 301)
                    h.bandsShown = static_cast<std::uint16_t>(h.bandCount - h.bandExtras);
                else
                    h.bandsShown = static_cast<std::uint16_t>(h.bandCount - (h.model.Family530 || h.model.Family535 ? 1 : 3) +
                                                              (h.model.Family515 && h.firmware < 213 ? 3 : 0));
                h.thirdBandsShown = h.bandsShown;
                h.octaveBandsShown = static_cast<std::uint16_t>(h.bandsShown / 3);
                h.bandKind = kBandOctave13;
                std::span<const double> centres = ThirdOctaveCentrePtr(h.bandsShown);
                h.bandTableIndex = centres.empty() ? -1 : 45 - h.bandsShown;
                h.firstFrequency = centres.empty() ? 0.0 : centres[0];
                h.spectrumCount = 1;
                for (std::uint8_t t : {std::uint8_t{40}, std::uint8_t{41}})
                    if (FindRecordInHeader(image, sub, flags, t)) {
                        h.extraSpectra[t - 38u] = true;
                        ++h.spectrumCount;
                    }
            }
            break;
        case kFunctionFft:
        case kFunctionEnveloping:
            if (const Rec r = Located(image, FindRecord17or21(image, sub, flags))) {
                ReadFftSetup(r, h, false);
                if (h.function == kFunctionEnveloping)
                    ReadEnvelopingFilter(image, sub, h);
            }
            break;
        case kFunctionTonality:
            if (!(h.model.Family525 || h.model.Family535))
                break;
            h.tonality = true;
            if (const Rec r = Located(image, FindRecord17or21(image, sub, flags)))
                ReadFftSetup(r, h, false);
            if (const Rec r = Located(image, FindRecord22(image, sub))) {
                h.tonalityLines = r.W(3);
                std::uint32_t e = r.W(5);
                e = std::min<std::uint32_t>(e != 0 ? e - 1 : 0, 30);
                const std::uint32_t rate = r.U32(8);
                h.tonalitySpacing = static_cast<double>(rate) / std::ldexp(1.0, static_cast<int>(e)) /
                                    FftBlockLength(h.tonalityLines);
                h.tonalityRangeHz = h.tonalityLines * h.tonalitySpacing;
            }
            h.fftFirstHz = 0.0;
            h.bandKind = kBandFft;
            h.bandExtras = 0;
            h.spectrumCount = 2;
            break;
        default:
            break;
        }

        if (h.function == kFunctionRt60) {
            const RecordTypeCodes& codes = RecordTypesOf(false);
            const Rec r26 = Located(image, FindRecordInHeader(image, sub, flags, codes.rt60Settings));
            if (r26) {
                ReadRt60Settings(r26, h);
                const std::uint8_t type = h.rt60Settings[0] == 1 ? codes.rt60Results : codes.rt60Averaged;
                ReadRt60Bands(Located(image, FindRecordInHeader(image, sub, flags, type)), 0, h);
            }
        }

        h.rowGap = false;
        h.totalNames = TotalNamesFor(h, h.model.Model595 || totalsOneLater);

        // User filters of the octave functions.
        if (h.function == kFunctionOctave11 || h.function == kFunctionOctave13) {
            if (const Rec r = Located(image, FindRecord24(image, sub))) {
                const std::uint32_t count = r.length / 4;
                for (std::uint32_t d = 0; d < count; ++d) {
                    UserFilterDefinition def;
                    for (std::uint32_t k = 0; k < 4; ++k)
                        def.words[k] = r.W(1 + 4 * d + k);
                    h.userFilterDefinitions.push_back(def);
                }
                RecordChain chain(image, r.End(), sub.end);
                while (auto e = chain.Next()) {
                    if (e->Type() != kRecordUserFilterEntry)
                        break;
                    const Rec entry = Located(image, e->start);
                    UserFilterEntry u;
                    u.number = entry.W(1);
                    for (std::uint32_t k = 2; k <= 4; ++k) {
                        u.name.push_back(static_cast<char>(entry.W(k) & 0xFF));
                        u.name.push_back(static_cast<char>(entry.W(k) >> 8));
                    }
                    const std::uint32_t coefficients = std::min<std::uint32_t>(entry.length > 5 ? entry.length - 5 : 0, 50);
                    for (std::uint32_t k = 0; k < coefficients; ++k)
                        u.coefficients.push_back(entry.W(5 + k));
                    h.userFilterEntries.push_back(std::move(u));
                }
                h.userFilters = !h.userFilterEntries.empty();
                for (UserFilterDefinition def : h.userFilterDefinitions) {
                    if (def.words[0] <= 2)
                        continue;
                    auto it = std::find_if(h.userFilterEntries.begin(), h.userFilterEntries.end(),
                                           [&](const UserFilterEntry& u) { return u.number == def.words[0]; });
                    if (it != h.userFilterEntries.end()) {
                        def.name = it->name;
                        def.entryIndex = static_cast<int>(it - h.userFilterEntries.begin());
                    }
                    h.matchedUserFilters.push_back(def);
                }
            }
        }

        // Histograms.
        if (h.histogramFlag) {
            if (const Rec r = Located(image, FindRecord9(image, sub, flags))) {
                h.histogram.classLength = r.High();
                h.histogram.classes = r.W(3);
                h.histogram.lowest = r.S(4);
                h.histogram.width = r.S(5);
                h.statisticsMask = 7;
                if (const auto total = HistogramTotal(image, r, h.histogram.classes))
                    h.histogram.totalCount = *total;
                else
                    h.histogram.classes = 0;
            }
            const bool secondGroup = h.model.Family535 || h.model.Family530 || h.model.Family525 || h.model.Family515;
            const bool secondFunction = h.function == kFunctionOctave11 || h.function == kFunctionAem ||
                                        (h.function == kFunctionOctave13 && secondGroup);
            if (h.firmware >= 217 && secondFunction) {
                h.secondHistogramKind = h.function == kFunctionOctave13 ? 2 : h.function == kFunctionAem ? 10 : 1;
                h.secondHistogramFlag = h.function == kFunctionOctave13;
                if (const Rec r = Located(image, FindRecord19(image, sub, flags))) {
                    h.secondHistogram.classLength = r.High();
                    h.secondHistogram.bandWord = r.W(1);
                    h.secondHistogram.classes = r.W(2);
                    h.secondHistogram.lowest = r.S(3);
                    h.secondHistogram.width = r.S(4);
                    std::optional<std::uint32_t> total;
                    if (h.secondHistogram.bandWord != 0 && h.secondHistogram.classes != 0) {
                        total = HistogramTotal(image, r, h.secondHistogram.classes);
                        if (!total)
                            h.secondHistogram.classes = 0;
                    }
                    if (total) {
                        h.secondHistogram.totalCount = *total;
                    } else {
                        h.secondHistogramKind = 0;
                        h.secondHistogramFlag = false;
                    }
                } else {
                    h.secondHistogramKind = 0;
                    h.secondHistogramFlag = false;
                }
            }
        }
    }

    // Name tables and what they decide.
    h.weightingNames = WeightingNamesFor(h);
    h.detectorNames = VibrationGroup(h) ? NameTable::Of(kDetectorsVibration) : NameTable::Of(kSoundDetectorNames);
    h.bufferResultNames = BufferResultNamesFor(h);
    if (!h.merged)
        h.shownRecordCount = h.declaredCount;
    h.histogramsAvailable =
        (h.histogramFlag && (h.histogram.classes != 0 || h.secondHistogramKind != 0)) ||
        (h.timeHistory && h.resultsPerBufferRecord != 0 && h.declaredCount != 0);
    if (microphone && h.resultsPerBufferRecord != 0 && h.timeStep <= 0.1 && h.shownRecordCount > 10) {
        int m = 0;
        for (int i = 2; i < h.bufferResultNames.Count; ++i)
            if (std::string_view(h.bufferResultNames.At(i)) == "MAX") {
                m = i - 1;
                break;
            }
        for (std::uint16_t i = 0; m != 0 && i < 3; ++i) {
            const ProfileSetup& p = h.profiles[i];
            if (p.bufferWord != m)
                continue;
            std::uint16_t* slot = p.detector == 0 ? &h.impulseProfile : p.detector == 2 ? &h.slowProfile
                                  : p.detector == 1                     ? &h.fastProfile
                                                                         : nullptr;
            if (slot && *slot == 0)
                *slot = static_cast<std::uint16_t>(i + 1);
        }
        h.impulsePair = h.impulseProfile != 0 && h.slowProfile != 0;
        h.fastPresent = h.fastProfile != 0;
    }
    h.extendedSpectrum = h.tonality || h.secondHistogramFlag;
}

RtBandNeed RtBandsNeeded(const CurrentHeader& h)
{
    if (!h.timeHistory || h.declaredCount == 0 || h.spectrumCount <= 1)
        return {};
    if (h.bandKind == kBandOctave13)
        return {static_cast<std::uint32_t>(std::max(h.thirdTotal, 0)), static_cast<std::uint32_t>(std::max(h.octaveTotal, 0))};
    if (h.bandKind == kBandOctave11)
        return {0, static_cast<std::uint32_t>(std::max(h.octaveTotal, 0))};
    // A logger of FFT spectra keeps its lines' records (and its TOTAL's) with the 1/3 octaves';
    // a four-channel logger those of its reverberation channel, the first.
    if (h.model.FourChannel) {
        const ChannelSetup& first = h.fourChannel.channels[0];
        if (h.function != kFunctionFft || h.spectraInBuffer == 0 || (h.fourChannel.fftMask & 1u) == 0)
            return {};
        return {static_cast<std::uint32_t>(first.fftWords[0]) + (first.fftWords[1] != 0 ? 1u : 0u), 0};
    }
    if (h.bandKind == kBandFft && h.spectraInBuffer != 0)
        return {static_cast<std::uint32_t>(h.bandCount) + (h.fftExtraLine != 0 ? 1u : 0u), 0};
    return {};
}

} // namespace orlu
