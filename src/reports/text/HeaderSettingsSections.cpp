#include "reports/text/HeaderSettingsSections.h"

#include "document/headers/CurrentHeader.h"
#include "document/headers/HeaderRecord.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderValueNames.h"
#include "reports/common/NameTables.h"
#include "reports/common/ReportNumberFormats.h"
#include "reports/text/TextReportLayout.h"

#include <cstdlib>

namespace orlu {
namespace {

using Out = HeaderReportWriter;

constexpr std::uint8_t kRecordSeat = 44;
constexpr std::uint16_t kDefaultSourceSpl = 0;
constexpr std::uint16_t kDefaultSourceMax = 1;
constexpr std::uint16_t kDefaultSourceRms = 2;
constexpr std::uint16_t kModeBuffer = 5; ///< a trigger with 'pre' and 'post' probes
constexpr std::uint16_t kModeGradient = 6;
constexpr std::size_t kTitleLineLength = 40;
constexpr std::size_t kTitleWordCut = 32;

// ---- Values ----

const CurrentHeader& H(const Out& out)
{
    return out.Header();
}

std::string Cell(std::string_view text)
{
    return Out::Cell(text);
}

std::string Number(long value)
{
    return StrPrintf(" %-10ld ", value);
}

std::string OnOff(bool on)
{
    return Cell(on ? "ON" : "OFF");
}

std::string Name(std::span<const std::string_view> list, long long code)
{
    return Cell(NameFor(list, code));
}

// The item's own format for values without a trailing blank (" %-10s").
std::string ShortCell(std::string_view text)
{
    return StrPrintf(" %-10.*s", static_cast<int>(text.size()), text.data());
}

std::string Clock(std::uint16_t twoSeconds)
{
    return StartTimeCell(twoSeconds) + "  ";
}

std::string Date(std::uint16_t date)
{
    return DateCell(date) + "  ";
}

std::string Level(const Out& out, std::uint16_t tenths, int mode)
{
    return Cell(out.LevelRef(static_cast<std::int16_t>(tenths) / 10.0, mode));
}

std::string HoursMinutes(std::uint16_t minutes, const char* format)
{
    return StrPrintf(format, minutes / 60, minutes % 60);
}

std::string Expositions(const Out& out)
{
    return HoursMinutes(H(out).exposureMinutes, " %02d:%02d      ");
}

std::string ExchangeRate(const Out& out)
{
    const CurrentHeader& h = H(out);
    return h.model.Family515Text ? Name(ExchangeRateNames515Text, h.exchangeRate)
                                 : Name(ExchangeRateNames, h.exchangeRate);
}

std::string RepetitionCycle(const Out& out)
{
    const std::uint16_t cycle = H(out).repetitionCycle;
    return cycle == 0 ? std::string(" Infinity   ") : Number(cycle);
}

std::string CalibrationType(std::uint16_t type, std::string_view undefined)
{
    return ShortCell(type == 1 ? "Measurement" : type == 0 ? undefined : "Sensitivity");
}

// The time step with as many decimals as the instrument keeps.
std::string TimeStep(const Out& out)
{
    const CurrentHeader& h = H(out);
    return Cell(StrPrintf("%.*f s", static_cast<int>(h.timeStepDecimals), h.timeStep));
}

std::string BandLines(int bands, int extras)
{
    return Cell(StrPrintf("%d+%d", bands, extras));
}

std::string FftLines(const Out& out)
{
    const CurrentChannel& ch = out.Channel();
    return BandLines(ch.bandEnd, ch.fftMode == 2 ? 1 : 0);
}

std::string RtSetting(const Out& out, std::size_t word, const char* format)
{
    return Cell(StrPrintf(format, H(out).rt60Settings[word]));
}

// The reference levels of vibration inputs, relative to 1 um/s2, 1 nm/s and 1 pm.
std::string Reference(const Out& out, std::int16_t tenths, int mode, bool wholeNumber)
{
    return StrPrintf(" %-15s ", out.LevelRef(tenths / 10.0, mode, false, wholeNumber, kInputAccelerometer).c_str());
}

// ---- Conditions ----

bool Rt60(const Out& out)
{
    return H(out).rt60;
}

bool NotRt60(const Out& out)
{
    return !H(out).rt60;
}

bool History(const Out& out)
{
    return H(out).timeHistory;
}

bool Fw(const Out& out, std::uint16_t from)
{
    return H(out).firmware >= from;
}

bool SoundMeter(const ModelFlags& m)
{
    return m.Family535 || m.Family530 || m.Family525 || m.Family515;
}

// ---- Rows ----

enum class RowKind : std::uint8_t {
    Item,    ///< the label of `item` (or of `label`) and the value
    Rule,    ///< the 44-character rule
    Heading, ///< the label of `item` alone
    Literal, ///< the text of `literal` as it is
    Title,   ///< the title text, one line per piece
};

using Condition = bool (*)(const Out&);
using ValueText = std::string (*)(const Out&);
using LabelChoice = int (*)(const Out&);

struct SettingRow {
    RowKind kind;
    Condition when = nullptr; ///< null: always
    int item = 0;
    ValueText value = nullptr;
    bool cutTo12 = false;
    LabelChoice label = nullptr; ///< a label chosen by the file, in place of `item`
    std::string_view literal = {};
};

constexpr SettingRow Rule(Condition when = nullptr)
{
    return {RowKind::Rule, when};
}

void WriteRows(Out& out, std::span<const SettingRow> rows)
{
    for (const SettingRow& row : rows) {
        if (row.when && !row.when(out))
            continue;
        switch (row.kind) {
        case RowKind::Rule:
            out.Rule();
            break;
        case RowKind::Heading:
            out.Add(std::string(HeaderItemTable[static_cast<std::size_t>(row.item)].Label));
            break;
        case RowKind::Literal:
            out.Add(std::string(row.literal));
            break;
        case RowKind::Title:
            for (const std::string& piece : WrapTitleText(H(out).title))
                out.Add("     " + piece);
            break;
        case RowKind::Item:
            out.Item(row.label ? row.label(out) : row.item, row.value(out), row.cutTo12);
            break;
        }
    }
}

// ---- Shared by both sections ----

const TriggerSetup& Measuring(const Out& out)
{
    return H(out).measurementTrigger;
}

int RtOctaveFilterItem(const Out& out)
{
    return H(out).rt60Spectrum == 1 ? kItemOctave11Filter : kItemOctave13Filter;
}

// The RT60 settings: the method and spectrum, and without a time history the measurement's settings.
constexpr SettingRow kRt60Rows[] = {
    Rule(Rt60),
    {RowKind::Item, Rt60, kItemRt60Method, [](const Out& o) { return Cell(H(o).rt60Method == 1 ? "DECAY" : "IMPULSE"); }},
    {RowKind::Item, Rt60, kItemSpectrum,
     [](const Out& o) { return Cell(H(o).rt60Spectrum == 1 ? "OCTAVE 1/1" : "OCTAVE 1/3"); }},
};

bool Rt60Settings(const Out& o)
{
    return Rt60(o) && !History(o);
}

constexpr SettingRow kRt60SettingRows[] = {
    {RowKind::Item, Rt60Settings, kItemTimeStep, [](const Out& o) { return RtSetting(o, 3, "%u ms"); }},
    {RowKind::Item, Rt60Settings, kItemResponseTime, [](const Out& o) { return RtSetting(o, 4, "%u s"); }},
    {RowKind::Item, Rt60Settings, kItemSmoothing, [](const Out& o) { return Number(H(o).rt60Settings[6]); }},
    {RowKind::Item, Rt60Settings, kItemNoiseMargin,
     [](const Out& o) { return Cell(StrPrintf("%.1f dB", H(o).rt60Settings[7] / 10.0)); }},
    {RowKind::Item, Rt60Settings, kItemAveraging, [](const Out& o) { return OnOff(H(o).rt60Settings[8] != 0); }},
    {RowKind::Item, Rt60Settings, kItemSaveMode,
     [](const Out& o) { return Cell(H(o).rt60Settings[0] == 1 ? "Results" : "Aver.Res."); }},
    {RowKind::Item, Rt60Settings, kItemMeasureNo, [](const Out& o) { return Number(H(o).rt60Settings[9]); }},
};

// ---- The four-channel section ----

bool HasAccelerometer(const Out& o)
{
    return H(o).fourChannel.hasAccelerometer;
}

int IntegrationItem(const Out& o)
{
    const FourChannelSetup& f = H(o).fourChannel;
    return f.hasMicrophone && f.hasAccelerometer ? kItemLeqRmsIntegration
           : f.hasMicrophone                     ? kItemLeqIntegration
                                                 : kItemRmsIntegration;
}

std::uint16_t TriggerChannelInput(const Out& o)
{
    const FourChannelSetup& f = H(o).fourChannel;
    return f.triggerChannel < kFourChannelMaxChannels ? f.channels[f.triggerChannel].inputKind : std::uint16_t{0};
}

bool Triggered(const Out& o)
{
    return Measuring(o).mode != 0;
}

bool BufferTriggered(const Out& o)
{
    return Measuring(o).mode == kModeBuffer;
}

bool GradientTriggered(const Out& o)
{
    return Measuring(o).mode == kModeGradient;
}

bool FourChannelCalibration(const Out& o)
{
    return NotRt60(o) && Fw(o, 220);
}

bool FourChannelRotation(const Out& o)
{
    return FourChannelCalibration(o) && H(o).rotationMeasurement != 0;
}

bool Dose(const Out& o)
{
    return NotRt60(o) && H(o).fourChannel.doseSettingsPresent;
}

bool DoseMeter(const Out& o)
{
    return NotRt60(o) && H(o).function == kFunctionDoseMeter;
}

bool Waveform(const Out& o)
{
    return History(o) && H(o).fourChannel.waveform;
}

bool Logger(const Out& o)
{
    return History(o) && !H(o).fourChannel.waveform;
}

bool SpectraPerRecord(const Out& o)
{
    const std::uint16_t f = H(o).function;
    return History(o) && (f == kFunctionOctave11 || f == kFunctionOctave13 || f == kFunctionFft);
}

// The SEAT definition lies in record 44 of the file: word 1 the base, word 2 the seat channel.
std::string SeatValue(const Out& o)
{
    CTmDoc& doc = o.Doc();
    const ImageReader image = doc.Reader();
    const Rec seat = Located(image, doc.FindRecord(doc.DecodedSubfile(), kRecordSeat));
    return StrPrintf(" #%d/#%d     ", seat.W(2) + 1, seat.W(1) + 1);
}

// The record of the sub-file reported (a Multifile's sub-files each have their own).
bool HasSeat(const Out& o)
{
    return NotRt60(o) && o.Doc().FindRecord(o.Doc().DecodedSubfile(), kRecordSeat) != 0;
}

const SettingRow kFourChannelRows[] = {
    Rule(),
    {RowKind::Item, HasAccelerometer, kItemReferenceAcc,
     [](const Out& o) { return Reference(o, H(o).accelerationOffset, 1, true); }},
    {RowKind::Item, HasAccelerometer, kItemReferenceVel,
     [](const Out& o) { return Reference(o, H(o).velocityOffset, 2, true); }},
    {RowKind::Item, HasAccelerometer, kItemReferenceDil,
     [](const Out& o) { return Reference(o, H(o).displacementOffset, 3, true); }},
    Rule(HasAccelerometer),
    {RowKind::Item, nullptr, 0, [](const Out& o) { return Name(IntegrationNames, H(o).integration); }, false,
     IntegrationItem},
    {RowKind::Item, nullptr, kItemTrigMode, [](const Out& o) { return Name(TriggerModeNames, Measuring(o).mode); }},
    {RowKind::Item, Triggered, kItemTriggerSource,
     [](const Out& o) {
         return Cell(TriggerSourceText(o, Measuring(o).source, TriggerChannelInput(o) == kInputMicrophone));
     }},
    {RowKind::Item, Triggered, kItemTrigLevel,
     [](const Out& o) {
         const int mode = H(o).rt60 ? 0 : o.UnitFlag(TriggerChannelInput(o));
         return Cell(o.LevelRef(static_cast<std::int16_t>(Measuring(o).level) / 10.0, mode, false, false,
                                TriggerChannelInput(o)));
     }},
    {RowKind::Item, BufferTriggered, kItemTriggerPre, [](const Out& o) { return Number(Measuring(o).preProbes); }},
    {RowKind::Item, BufferTriggered, kItemTriggerPost, [](const Out& o) { return Number(Measuring(o).postProbes); }},
};

// Firmware 2.19 counts the start delay in milliseconds.
const SettingRow kFourChannelMeasurementRows[] = {
    {RowKind::Item, NotRt60, kItemStartDelay,
     [](const Out& o) { return StrPrintf(Fw(o, 219) ? " %u ms       " : " %u s        ", H(o).startDelay); }, true},
    {RowKind::Item, NotRt60, kItemIntegrationTimeDef,
     [](const Out& o) { return Cell(FormatDurationUnit(H(o).integrationSeconds)); }, true},
    {RowKind::Item, NotRt60, kItemRepetitionCycle, RepetitionCycle, true},
    {RowKind::Item, FourChannelCalibration, kItemCalibrationType,
     [](const Out& o) { return CalibrationType(H(o).calibrationType, "UNDEFINED"); }},
    {RowKind::Item, [](const Out& o) { return FourChannelCalibration(o) && H(o).calibrationType != 0; },
     kItemCalibrationTime, [](const Out& o) { return Clock(H(o).calibrationTime); }},
    {RowKind::Item, [](const Out& o) { return FourChannelCalibration(o) && H(o).calibrationType != 0; },
     kItemCalibrationDate, [](const Out& o) { return Date(H(o).calibrationDate); }},
    {RowKind::Item, FourChannelCalibration, kItemRotation,
     [](const Out& o) { return ShortCell(H(o).rotationMeasurement != 0 ? "ON" : "OFF"); }},
    {RowKind::Item, FourChannelRotation, kItemPulsesPerRotation,
     [](const Out& o) { return Number(H(o).pulsesPerRotation); }},
    {RowKind::Item, FourChannelRotation, kItemRotationInBuffer,
     [](const Out& o) { return ShortCell(H(o).fourChannel.rotationInBuffer != 0 ? "ON" : "OFF"); }},
    {RowKind::Item, HasSeat, kItemSeat, SeatValue},
    Rule(Dose),
    {RowKind::Item, Dose, kItemDoseMeasurement,
     [](const Out& o) { return Name(DoseKindNames, H(o).fourChannel.exposure.kind); }},
    {RowKind::Item, Dose, kItemDoseExposureTime,
     [](const Out& o) { return HoursMinutes(H(o).fourChannel.exposure.dailyMinutes, " %02d:%02d       "); }},
    {RowKind::Item, Dose, kItemComputingStandard,
     [](const Out& o) { return Name(ComputingStandardNames, H(o).fourChannel.exposure.limitVariant); }},
    Rule(DoseMeter),
    {RowKind::Item, DoseMeter, kItemCriterionLevel,
     [](const Out& o) { return Cell(o.LevelRef(H(o).criterionLevel / H(o).fourChannel.levelDivisor, 0)); }},
    // The four-channel instruments always name the threshold.
    {RowKind::Item, DoseMeter, kItemThresholdLevel, [](const Out& o) { return Name(ThresholdNames, H(o).thresholdIndex); }},
    {RowKind::Item, DoseMeter, kItemExchangeRate, ExchangeRate},
    {RowKind::Item, DoseMeter, kItemExpositionTime, Expositions},
    {RowKind::Item, Waveform, kItemSamplingRate,
     [](const Out& o) { return ShortCell(StrPrintf("%g Hz", 1.0 / H(o).fourChannel.sampleInterval)); }},
    {RowKind::Item, Logger, kItemBufferTimeStep, TimeStep},
    {RowKind::Item, History, 0, [](const Out& o) { return Number(static_cast<long>(H(o).shownRecordCount)); }, false,
     [](const Out& o) { return H(o).model.LaterModel ? int{kItemLoggerRecords} : int{kItemRecordsInBuffer}; }},
    {RowKind::Item, SpectraPerRecord, kItemSpectraPerRecord,
     [](const Out& o) {
         const CurrentHeader& h = H(o);
         long sum = 0;
         for (int c = 0; c < h.channelCount && c < kFourChannelMaxChannels; ++c)
             sum += h.fourChannel.channels[static_cast<std::size_t>(c)].spectrumWords[1];
         return Number(sum);
     }},
};

// ---- The section of the other models ----

bool Microphone(const Out& o)
{
    return o.Channel().inputKind == kInputMicrophone;
}

bool PolarizedMicrophone(const Out& o)
{
    const ModelFlags& m = H(o).model;
    return Microphone(o) && (m.Family535 || m.Family525 || m.Family515);
}

bool LaterCompensation(const Out& o)
{
    const ModelFlags& m = H(o).model;
    return PolarizedMicrophone(o) && m.LaterModel && (m.Model580 || m.Model595) && Fw(o, 606);
}

bool LaterOutdoorFilter(const Out& o)
{
    return PolarizedMicrophone(o) && H(o).model.LaterModel && !LaterCompensation(o);
}

bool OlderFieldCorrection(const Out& o)
{
    const ModelFlags& m = H(o).model;
    return PolarizedMicrophone(o) && !m.LaterModel && Fw(o, 234) && (m.Family525 || m.Family535);
}

bool Accelerometer305(const Out& o)
{
    return o.Channel().inputKind == kInputAccelerometer && Fw(o, 305);
}

bool DoseItems(const Out& o)
{
    const CurrentHeader& h = H(o);
    return (h.model.Family515Text && h.function == 3) ||
           ((h.model.Family515 || Fw(o, 512)) && h.function == kFunctionDoseMeter);
}

bool Later(const Out& o)
{
    return H(o).model.LaterModel;
}

bool OlderTriggers(const Out& o)
{
    const ModelFlags& m = H(o).model;
    return !m.LaterModel && SoundMeter(m);
}

bool OldTrigger(const Out& o)
{
    return OlderTriggers(o) && !Fw(o, 233);
}

bool NewTrigger(const Out& o)
{
    return OlderTriggers(o) && Fw(o, 233);
}

// The logger trigger's source: its own totals; above the third-octave
// bands the later instruments name "TOT_Z" when the measurement trigger
// reads the Z total.
std::string LoggerSource(const Out& o)
{
    const CurrentHeader& h = H(o);
    const std::uint16_t s = h.loggerTrigger.source;
    if (s == 0)
        return DefaultTriggerSourceNames[kDefaultSourceRms].data();
    const bool octaves = (h.function == kFunctionRt60 && h.rt60Spectrum == 1) || o.Channel().bandKind == kBandOctave11;
    if (octaves)
        return s <= 15 ? TriggerSourceText(o, s, false) : std::string(NameFor(LoggerTotalNames, s - 16));
    if (s <= 45)
        return TriggerSourceText(o, s, false);
    return h.measurementTrigger.source >= 48 ? std::string("TOT_Z") : std::string(NameFor(LoggerTotalNames, s - 46));
}

const TriggerSetup& LoggerTrigger(const Out& o)
{
    return H(o).loggerTrigger;
}

const TriggerSetup& RecorderTrigger(const Out& o)
{
    return H(o).recorderTrigger;
}

std::uint16_t Io(const Out& o, std::size_t word)
{
    return H(o).externalIo[word];
}

bool IoPresent(const Out& o)
{
    return Later(o) && H(o).externalIoPresent;
}

std::string TriggerLevel(const Out& o, std::uint16_t level)
{
    return Level(o, level, o.UnitFlag());
}

std::string Gradient(std::uint16_t gradient)
{
    return StrPrintf(" %u dB/ms    ", gradient);
}

// The three histograms of the first class set, and those of the bands.
std::string HistogramCount(const Out& o)
{
    const CurrentHeader& h = H(o);
    if (!h.histogramFlag)
        return Cell("0");
    const char* broadband = h.histogram.classes != 0 ? "3" : "0";
    const std::uint16_t bands = h.secondHistogram.bandWord;
    return Cell(bands == 0 ? std::string(broadband) : StrPrintf("%s+%u", broadband, bands));
}

bool Octaves11(const Out& o)
{
    return H(o).function == kFunctionOctave11 && o.Channel().bandEnd != 0;
}

bool Octaves13(const Out& o)
{
    return H(o).function == kFunctionOctave13 && o.Channel().bandEnd != 0 && SoundMeter(H(o).model);
}

bool FftSpectra(const Out& o)
{
    const std::uint16_t f = H(o).function;
    return (f == kFunctionFft || f == kFunctionEnveloping) && o.Channel().bandEnd != 0 && SoundMeter(H(o).model);
}

bool Tonality(const Out& o)
{
    const ModelFlags& m = H(o).model;
    return H(o).function == kFunctionTonality && (m.Family525 || m.Family535);
}

// The item that counts the spectra of the time history; 0 when the function has none.
int SpectraCountItem(const Out& o)
{
    const bool later = Later(o);
    if (Octaves11(o))
        return later ? kItemOctave11LoggerCount : kItemOctave11Count;
    if (Octaves13(o))
        return later ? kItemOctave13LoggerCount : kItemOctave13Count;
    if (FftSpectra(o) || Tonality(o))
        return later ? kItemSpectraInLoggerCount : kItemSpectraInBufferCount;
    return 0;
}

bool SpectraCountShown(const Out& o)
{
    const CurrentHeader& h = H(o);
    if (!h.timeHistory || SpectraCountItem(o) == 0)
        return false;
    return (Fw(o, 213) && (h.function == kFunctionOctave11 || (h.function == kFunctionOctave13 && SoundMeter(h.model)))) ||
           (Fw(o, 512) && h.function == kFunctionFft && SoundMeter(h.model));
}

const SettingRow kOtherModelRows[] = {
    Rule(),
    {RowKind::Heading, nullptr, kItemTitleText},
    {RowKind::Title},
    Rule(),
    {RowKind::Item, nullptr, kItemInput, [](const Out& o) { return Name(InputNames, o.Channel().storedInputKind); }},
    {RowKind::Item, PolarizedMicrophone, kItemMicPolarization,
     [](const Out& o) { return Name(PolarizationNames, H(o).polarization); }},
    {RowKind::Item, LaterCompensation, kItemCompensationFilter,
     [](const Out& o) { return Name(MicFilterNames, 2LL + H(o).compensationFilter[2]); }},
    {RowKind::Item, LaterOutdoorFilter, kItemMicOutdoorFilter,
     [](const Out& o) { return Name(MicFilterNames, H(o).compensationFilter[0]); }},
    {RowKind::Item, [](const Out& o) { return LaterOutdoorFilter(o) && H(o).compensationFilter[0] != 0; },
     kItemMicOutdoorFilterType, [](const Out& o) { return Name(MicFilterNames, H(o).compensationFilter[1]); }},
    {RowKind::Item, OlderFieldCorrection, kItemMicFieldCorrection,
     [](const Out& o) { return Name(FieldCorrectionNames, H(o).fieldCorrection); }},
    {RowKind::Item, [](const Out& o) { return OlderFieldCorrection(o) && Fw(o, 508); }, kItemMicOutdoorFilter,
     [](const Out& o) { return Name(MicFilterNames, H(o).outdoorFilter); }},
    {RowKind::Item, OlderFieldCorrection, kItemCompensationOnOff,
     [](const Out& o) { return Name(CompensationOnOffNames, H(o).compensationFilter[2]); }},
    {RowKind::Item, nullptr, kItemMeasurementRange,
     [](const Out& o) {
         if (Later(o))
             return Cell(GetRangeName(HeaderLevelContext{o.Doc().Levels(), o.Channel(), 0.0}));
         const CurrentChannel& ch = o.Channel();
         return Cell(o.LevelRef(std::atoi(ch.rangeNames.At(ch.rangeNameIndex)), o.UnitFlag(), true, false, ch.inputKind));
     }},
    {RowKind::Item, Rt60, kItemCalibrationFactor,
     [](const Out& o) { return Cell(FormatTenthsLevel(o.Channel().calibration, o.UnitFlag() != 0)); }},
    {RowKind::Item, Accelerometer305, kItemReferenceAcc,
     [](const Out& o) { return Reference(o, H(o).accelerationOffset, 1, !o.Doc().Levels().nonMetric); }},
    {RowKind::Item, Accelerometer305, kItemReferenceVel,
     [](const Out& o) { return Reference(o, H(o).velocityOffset, 2, !o.Doc().Levels().nonMetric); }},
    {RowKind::Item, Accelerometer305, kItemReferenceDil,
     [](const Out& o) { return Reference(o, H(o).displacementOffset, 3, !o.Doc().Levels().nonMetric); }},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Fw(o, 207); }, 0,
     [](const Out& o) { return Name(IntegrationNames, H(o).integration); }, false,
     [](const Out& o) { return Microphone(o) ? int{kItemLeqIntegration} : int{kItemRmsIntegration}; }},
    {RowKind::Item, DoseItems, kItemCriterionLevel, [](const Out& o) { return Level(o, H(o).criterionLevel, o.UnitFlag()); }},
    {RowKind::Item, DoseItems, kItemThresholdLevel,
     [](const Out& o) {
         const std::uint16_t code = H(o).thresholdIndex;
         if (code >= 1 && code <= 4 && o.UnitFlag() == 1)
             return Cell(o.LevelRef(std::atoi(ThresholdNames[code].data()), 1));
         return Name(ThresholdNames, code);
     }},
    {RowKind::Item, DoseItems, kItemExchangeRate, ExchangeRate},
    {RowKind::Item, DoseItems, kItemExpositionTime, Expositions},
    // The later instruments' triggers, each in a record of its own.
    {RowKind::Item, [](const Out& o) { return Later(o) && Measuring(o).present; }, kItemMeasurementTrigMode,
     [](const Out& o) { return Name(TriggerModeNames, Measuring(o).mode); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && Measuring(o).present && Measuring(o).mode != 0; },
     kItemMeasurementTrigSource, [](const Out& o) { return Name(LaterTriggerSourceNames, Measuring(o).source); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && Measuring(o).present && Measuring(o).mode != 0; },
     kItemMeasurementTrigLevel, [](const Out& o) { return TriggerLevel(o, Measuring(o).level); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && Measuring(o).present && Measuring(o).mode == kModeGradient; },
     kItemMeasurementTrigGradient, [](const Out& o) { return Gradient(Measuring(o).gradient); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present; }, kItemLoggerTrigMode,
     [](const Out& o) { return Name(LoggerTriggerModeNames, LoggerTrigger(o).mode); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present && LoggerTrigger(o).mode != 0; },
     kItemLoggerTrigSource, [](const Out& o) { return Cell(LoggerSource(o)); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present && LoggerTrigger(o).mode != 0; },
     kItemLoggerTrigLevel, [](const Out& o) { return TriggerLevel(o, LoggerTrigger(o).level); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present && LoggerTrigger(o).mode == kModeBuffer; },
     kItemLoggerTrigGradient, [](const Out& o) { return StrPrintf(" %-10.2f dB   ", LoggerTrigger(o).gradient / 10.0); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present && LoggerTrigger(o).mode == kModeBuffer; },
     kItemLoggerTrigPre, [](const Out& o) { return Number(LoggerTrigger(o).preProbes); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && LoggerTrigger(o).present && LoggerTrigger(o).mode == kModeBuffer; },
     kItemLoggerTrigPost, [](const Out& o) { return Number(LoggerTrigger(o).postProbes); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && RecorderTrigger(o).present; }, kItemRecorderTrigMode,
     [](const Out& o) { return Name(TriggerModeNames, RecorderTrigger(o).mode); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && RecorderTrigger(o).present && RecorderTrigger(o).mode != 0; },
     kItemRecorderTrigSource, [](const Out& o) { return Name(LaterTriggerSourceNames, RecorderTrigger(o).source); }},
    {RowKind::Item, [](const Out& o) { return Later(o) && RecorderTrigger(o).present && RecorderTrigger(o).mode != 0; },
     kItemRecorderTrigLevel, [](const Out& o) { return TriggerLevel(o, RecorderTrigger(o).level); }},
    {RowKind::Item,
     [](const Out& o) { return Later(o) && RecorderTrigger(o).present && RecorderTrigger(o).mode == kModeGradient; },
     kItemRecorderTrigGradient, [](const Out& o) { return Gradient(RecorderTrigger(o).gradient); }},
    // The external input and output: words mode, function, active level, source, alarm level,
    // analog-out direct, DA and source, polarization.
    {RowKind::Item, IoPresent, kItemIoMode, [](const Out& o) { return Name(IoModeNames, Io(o, 0)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) > 0; }, kItemIoFunction,
     [](const Out& o) { return Name(IoFunctionNames, Io(o, 1) + (Io(o, 0) == 2 ? 1 : 0)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 2 && Io(o, 1) == 1; }, kItemIoActiveLevel,
     [](const Out& o) { return Name(IoLevelNames, Io(o, 2)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 2 && Io(o, 1) == 1; }, kItemIoSource,
     [](const Out& o) { return Name(IoSourceNames, Io(o, 3)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 2 && Io(o, 1) == 1; }, kItemIoAlarmLevel,
     [](const Out& o) { return StrPrintf(" %.1f dB   ", Io(o, 4) / 10.0); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 0; }, kItemAoDirect,
     [](const Out& o) { return Name(AoDirectNames, Io(o, 5)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 0; }, kItemAoDa,
     [](const Out& o) { return Name(AoDaNames, Io(o, 6)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 0 && Io(o, 6) > 0; }, kItemAoSource,
     [](const Out& o) { return Name(AoSourceNames, Io(o, 7)); }},
    {RowKind::Item, [](const Out& o) { return IoPresent(o) && Io(o, 0) == 2 && Io(o, 1) == 0; }, kItemIoPolarization,
     [](const Out& o) { return Name(IoPolarityNames, Io(o, 8)); }},
    // The older instruments' trigger: a switch below firmware 2.33, a mode from it.
    {RowKind::Item, OldTrigger, kItemTrigger, [](const Out& o) { return Name(OldTriggerNames, H(o).trigger); }},
    {RowKind::Item, OldTrigger, kItemTrigLevel, [](const Out& o) { return Cell(o.LevelRef(Measuring(o).level / 10.0, o.UnitFlag())); }},
    {RowKind::Item, OldTrigger, kItemTrigMode, [](const Out& o) { return Name(OldTriggerModeNames, Measuring(o).mode); }},
    {RowKind::Item, NewTrigger, kItemTrigMode, [](const Out& o) { return Name(TriggerModeNames, Measuring(o).mode); }},
    {RowKind::Item, [](const Out& o) { return NewTrigger(o) && Triggered(o); }, kItemTriggerSource,
     [](const Out& o) { return Cell(TriggerSourceText(o, Measuring(o).source, Microphone(o))); }},
    {RowKind::Item, [](const Out& o) { return NewTrigger(o) && Triggered(o); }, kItemTrigLevel,
     [](const Out& o) { return TriggerLevel(o, Measuring(o).level); }},
    {RowKind::Item, [](const Out& o) { return NewTrigger(o) && BufferTriggered(o); }, kItemTriggerPre,
     [](const Out& o) { return Number(Measuring(o).preProbes); }},
    {RowKind::Item, [](const Out& o) { return NewTrigger(o) && BufferTriggered(o); }, kItemTriggerPost,
     [](const Out& o) { return Number(Measuring(o).postProbes); }},
    {RowKind::Item, [](const Out& o) { return NewTrigger(o) && GradientTriggered(o); }, kItemTriggerGradient,
     [](const Out& o) { return Gradient(Measuring(o).gradient); }},
};

const SettingRow kOtherModelRt60Rows[] = {
    {RowKind::Item, Rt60, 0, [](const Out& o) { return Name(OctaveFilterNames, o.Channel().octaveFilter); }, false,
     RtOctaveFilterItem},
};

bool OctaveSpectraCount(const Out& o)
{
    return !History(o) && Fw(o, 512);
}

bool InLogger(const Out& o)
{
    return Later(o);
}

const SettingRow kOtherModelMeasurementRows[] = {
    {RowKind::Item, NotRt60, kItemStartDelay, [](const Out& o) { return StrPrintf(" %u s        ", H(o).startDelay); },
     true},
    {RowKind::Item, NotRt60, kItemIntegrationTimeDef,
     [](const Out& o) { return Cell(FormatDurationUnit(H(o).integrationSeconds)); }, true},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Fw(o, 233); }, kItemRepetitionCycle, RepetitionCycle, true},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && !Fw(o, 233); }, kItemAutoRepeat,
     [](const Out& o) { return OnOff(H(o).repetitionCycle != 0); }, true},
    // 1/1-octave spectra.
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Octaves11(o) && OctaveSpectraCount(o); }, kItemSpectraCount,
     [](const Out& o) { return Number(o.Channel().spectraCount); }},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Octaves11(o); }, kItemOctave11Lines,
     [](const Out& o) { return BandLines(o.Channel().bandEnd - o.Channel().bandExtras, o.Channel().bandExtras); }},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Octaves11(o) && Fw(o, 207); }, kItemOctave11Filter,
     [](const Out& o) { return Name(OctaveFilterNames, o.Channel().octaveFilter); }},
    {RowKind::Item, [](const Out& o) { return NotRt60(o) && Octaves11(o) && Fw(o, 213); }, 0,
     [](const Out& o) { return OnOff(H(o).spectraInBuffer != 0); }, false,
     [](const Out& o) { return InLogger(o) ? int{kItemOctave11InLogger} : int{kItemOctave11InBuffer}; }},
    // 1/3-octave spectra, of RT60 measurements too.
    {RowKind::Item, [](const Out& o) { return Octaves13(o) && OctaveSpectraCount(o); }, kItemSpectraCount,
     [](const Out& o) { return Number(o.Channel().spectraCount); }},
    {RowKind::Item, Octaves13, kItemOctave13Lines,
     [](const Out& o) { return BandLines(o.Channel().bandEnd - o.Channel().bandExtras, o.Channel().bandExtras); }},
    {RowKind::Item, [](const Out& o) { return Octaves13(o) && Fw(o, 207); }, kItemOctave13Filter,
     [](const Out& o) { return Name(OctaveFilterNames, o.Channel().octaveFilter); }},
    {RowKind::Item, [](const Out& o) { return Octaves13(o) && Fw(o, 213) && (!History(o) || NotRt60(o)); }, 0,
     [](const Out& o) { return OnOff(H(o).spectraInBuffer != 0); }, false,
     [](const Out& o) { return InLogger(o) ? int{kItemOctave13InLogger} : int{kItemOctave13InBuffer}; }},
    // FFT and enveloping spectra.
    {RowKind::Item, FftSpectra, kItemFrequencyBand,
     [](const Out& o) { return Cell(o.Channel().fftBandNames.At(o.Channel().fftZoomCode)); }},
    {RowKind::Item, FftSpectra, kItemSpectrumLines, FftLines},
    {RowKind::Item, FftSpectra, kItemFftWindow, [](const Out& o) { return Name(FftWindowNames, o.Channel().fftWindow); }},
    // The current-family layout places no averaging word: it shows as not defined.
    {RowKind::Item, FftSpectra, kItemSpectraAveraging, [](const Out&) { return Cell(kUndefinedName); }},
    {RowKind::Item, [](const Out& o) { return FftSpectra(o) && Fw(o, 512) && H(o).function == kFunctionFft; },
     kItemSpectraInBuffer, [](const Out& o) { return OnOff(H(o).spectraInBuffer != 0); }},
    {RowKind::Item, [](const Out& o) { return H(o).function == kFunctionEnveloping; }, kItemEnvelopingFilter,
     [](const Out& o) { return Cell(HighBandName(H(o).envelopingFilter)); }},
    // Tonality: a full and a short band.
    {RowKind::Item, Tonality, kItemSpectraCount, [](const Out& o) { return Number(o.Channel().spectraCount); }},
    {RowKind::Literal, Tonality, 0, nullptr, false, nullptr, "  Weighting filter ............  A"},
    {RowKind::Item, Tonality, kItemFullBand, [](const Out& o) { return StrPrintf(" %.1f kHz   ", o.Channel().fftRangeHz / 1000.0); }},
    {RowKind::Item, Tonality, kItemShortBand,
     [](const Out& o) { return StrPrintf(" %.2f kHz   ", H(o).tonalityRangeHz / 1000.0); }},
    {RowKind::Item, Tonality, kItemFullBandLines, [](const Out& o) { return Number(o.Channel().bandEnd); }},
    {RowKind::Item, Tonality, kItemShortBandLines, [](const Out& o) { return Number(H(o).tonalityLines); }},
    {RowKind::Item, Tonality, kItemFftWindow, [](const Out& o) { return Name(FftWindowNames, o.Channel().fftWindow); }},
    {RowKind::Item,
     [](const Out& o) {
         const ModelFlags& m = H(o).model;
         return !History(o) && NotRt60(o) &&
                (m.Family515Text || m.Family515 || m.Family525 || (m.Family535 && Microphone(o)));
     },
     kItemHistogramCount, HistogramCount},
    // The time history.
    {RowKind::Item, History, 0, TimeStep, false,
     [](const Out& o) { return InLogger(o) ? int{kItemLoggerTimeStep} : int{kItemBufferTimeStep}; }},
    {RowKind::Item, [](const Out& o) { return History(o) && NotRt60(o); }, 0,
     [](const Out& o) {
         return Cell(StrPrintf("%u*%u", H(o).shownRecordCount, H(o).resultsPerBufferRecord));
     },
     false, [](const Out& o) { return InLogger(o) ? int{kItemLoggerResults} : int{kItemResultsInBuffer}; }},
    {RowKind::Item, SpectraCountShown, 0, [](const Out& o) { return Number(o.Channel().spectraCount); }, false,
     SpectraCountItem},
    // Calibration and rotation from firmware 5.02.
    {RowKind::Item, [](const Out& o) { return Fw(o, 502); }, kItemCalibrationType,
     [](const Out& o) { return CalibrationType(H(o).calibrationType, "UNDF"); }},
    {RowKind::Item, [](const Out& o) { return Fw(o, 502) && H(o).calibrationType != 0; }, kItemCalibrationTime,
     [](const Out& o) { return Clock(H(o).calibrationTime); }},
    {RowKind::Item, [](const Out& o) { return Fw(o, 502) && H(o).calibrationType != 0; }, kItemCalibrationDate,
     [](const Out& o) { return Date(H(o).calibrationDate); }},
    {RowKind::Item, [](const Out& o) { return Fw(o, 502) && (!Later(o) || H(o).rotationMeasurement != 0); },
     kItemRotation, [](const Out& o) { return ShortCell(H(o).rotationMeasurement != 0 ? "ON" : "OFF"); }},
    {RowKind::Item, [](const Out& o) { return Fw(o, 502) && H(o).rotationMeasurement != 0; }, kItemPulsesPerRotation,
     [](const Out& o) { return Number(H(o).pulsesPerRotation); }},
};

} // namespace

std::vector<std::string> WrapTitleText(std::string_view title)
{
    std::vector<std::string> lines;
    const std::size_t n = title.size();
    std::size_t r = 0;
    while (r < n) {
        while (r < n && title[r] == ' ')
            ++r;
        if (r >= n)
            break;
        std::size_t k = n - r;
        if (r + kTitleLineLength < n) {
            k = kTitleLineLength;
            while (k > 0 && title[r + k] != ' ')
                --k;
            if (k == 0)
                k = kTitleWordCut;
        }
        lines.emplace_back(title.substr(r, k));
        r += k;
    }
    return lines;
}

std::string TriggerSourceText(const HeaderReportWriter& out, std::uint16_t source, bool microphoneTrigger)
{
    const CurrentHeader& h = out.Header();
    if (source == 0) {
        if (!microphoneTrigger)
            return std::string(DefaultTriggerSourceNames[kDefaultSourceRms]);
        const bool max = h.model.FourChannel || h.firmware >= 305;
        return std::string(DefaultTriggerSourceNames[max ? kDefaultSourceMax : kDefaultSourceSpl]);
    }
    const bool octaves = (h.function == kFunctionRt60 && h.rt60Spectrum == 1) || out.Channel().bandKind == kBandOctave11;
    const char* label = nullptr;
    if (octaves && source <= 15)
        label = OctaveBandLabelFrom(1.0, source);
    else if (!octaves && source <= 45)
        label = ThirdOctaveBandLabelFrom(0.8, source);
    else
        return std::string(NameFor(TriggerTotalNames, source - (octaves ? 16 : 46)));
    return label ? std::string(label) : std::string(kUndefinedName);
}

void WriteFourChannelSettings(HeaderReportWriter& out)
{
    WriteRows(out, kFourChannelRows);
    WriteRows(out, kRt60Rows);
    WriteRows(out, kRt60SettingRows);
    WriteRows(out, kFourChannelMeasurementRows);
}

bool WriteOtherModelSettings(HeaderReportWriter& out)
{
    WriteRows(out, kOtherModelRows);
    WriteRows(out, kRt60Rows);
    WriteRows(out, kOtherModelRt60Rows);
    WriteRows(out, kRt60SettingRows);
    WriteRows(out, kOtherModelMeasurementRows);
    if (!out.Header().rt60)
        return true;
    out.Rule();
    return false;
}

} // namespace orlu
