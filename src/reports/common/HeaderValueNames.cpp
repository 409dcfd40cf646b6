#include "reports/common/HeaderValueNames.h"

namespace orlu {

const std::array<std::string_view, 7> DeviceFunctionNames515Text = std::to_array<std::string_view>({
    "UNDEFINED",
    "LEVEL METER",
    "OCTAVE 1/1",
    "DOSE METER",
    "UNKNOWN",
    "UNKNOWN",
    "UNKNOWN",
});

const std::array<std::string_view, 14> DeviceFunctionNames = std::to_array<std::string_view>({
    "UNDEFINED",
    "LEVEL METER",
    "OCTAVE 1/1",
    "OCTAVE 1/3",
    "DOSE METER",
    "LOUDNESS METER",
    "FFT",
    "TONALITY",
    "RT60",
    "ENVELOPING",
    "AEM",
    "UNKNOWN",
    "UNKNOWN",
    "UNKNOWN",
});

const std::array<std::string_view, 6> ThresholdNames = std::to_array<std::string_view>({
    "None",
    "75 dB",
    "80 dB",
    "85 dB",
    "90 dB",
    "UNDF",
});

const std::array<std::string_view, 4> ExchangeRateNames515Text = std::to_array<std::string_view>({
    "UNDF",
    "3",
    "4",
    "5",
});

const std::array<std::string_view, 6> ExchangeRateNames = std::to_array<std::string_view>({
    "UNDF",
    "UNDF",
    "2",
    "3",
    "4",
    "5",
});

const std::array<std::string_view, 2> OldTriggerNames = std::to_array<std::string_view>({"OFF", "ON"});

const std::array<std::string_view, 4> OldTriggerModeNames = std::to_array<std::string_view>({
    "SLOPE'+'",
    "SLOPE'-'",
    "LEVEL'+'",
    "LEVEL'-'",
});

const std::array<std::string_view, 7> TriggerModeNames = std::to_array<std::string_view>({
    "OFF",
    "SLOPE'+'",
    "SLOPE'-'",
    "LEVEL'+'",
    "LEVEL'-'",
    "BUFFER",
    "GRAD'+'",
});

const std::array<std::string_view, 7> LoggerTriggerModeNames = std::to_array<std::string_view>({
    "OFF",
    "SLOPE'+'",
    "SLOPE'-'",
    "LEVEL'+'",
    "LEVEL'-'",
    "DECAY",
    "GRAD'+'",
});

const std::array<std::string_view, 6> TriggerTotalNames = std::to_array<std::string_view>({
    "TOT_A",
    "TOT_C",
    "TOT_Lin",
    "SPL_Imp",
    "SPL_Fst",
    "SPL_Slw",
});

const std::array<std::string_view, 6> LoggerTotalNames = std::to_array<std::string_view>({
    "TOT_A",
    "TOT_C",
    "TOT_Z",
    "SPL_Imp",
    "SPL_Fst",
    "SPL_Slw",
});

const std::array<std::string_view, 2> LaterTriggerSourceNames = std::to_array<std::string_view>({
    "RMS(1)",
    "EXTERNAL IO",
});

const std::array<std::string_view, 3> DefaultTriggerSourceNames = std::to_array<std::string_view>({
    "SPL(1)",
    "MAX(1)",
    "RMS(1)",
});

const std::array<std::string_view, 2> PolarizationNames = std::to_array<std::string_view>({"0 V", "200 V"});

const std::array<std::string_view, 2> IntegrationNames = std::to_array<std::string_view>({
    "Linear",
    "Exponent.",
});

const std::array<std::string_view, 4> OctaveFilterNames = std::to_array<std::string_view>({
    "HP",
    "Lin",
    "A",
    "C",
});

const std::array<std::string_view, 2> FieldCorrectionNames = std::to_array<std::string_view>({
    "FREE",
    "DIFFUSE",
});

const std::array<std::string_view, 2> CompensationOnOffNames = std::to_array<std::string_view>({"OFF", "ON"});

const std::array<std::string_view, 9> MicFilterNames = std::to_array<std::string_view>({
    "OFF",
    "ON",
    "OFF",
    "FREE FIELD",
    "DIFFUSE FIELD",
    "OUTDOOR ENVIRONMENT",
    "OUTDOOR AIRPORT",
    "EXTENSION CABLE",
    "UNDF",
});

const std::array<std::string_view, 4> SpectraAveragingNames = std::to_array<std::string_view>({
    "UNDF",
    "Linear",
    "Exponent",
    "UNDF",
});

const std::array<std::string_view, 7> FftWindowNames = std::to_array<std::string_view>({
    "UNDF",
    "User",
    "Hanning",
    "Rectangle",
    "Flat Top",
    "Kaiser-Bessel",
    "UNDF",
});

const std::array<std::string_view, 3> DoseKindNames = std::to_array<std::string_view>({"User", "H-A", "W-B"});

const std::array<std::string_view, 4> ComputingStandardNames = std::to_array<std::string_view>({
    "UK",
    "IT",
    "PL",
    "FR",
});

const std::array<std::string_view, 3> IoModeNames = std::to_array<std::string_view>({
    "ANALOG OUT",
    "DIGITAL IN",
    "DIGITAL OUT",
});

const std::array<std::string_view, 3> IoFunctionNames = std::to_array<std::string_view>({
    "EXTERNAL TRIGGER",
    "TRIGGER PULSE",
    "ALARM PULSE",
});

const std::array<std::string_view, 2> IoLevelNames = std::to_array<std::string_view>({"LOW", "HIGH"});

const std::array<std::string_view, 3> IoSourceNames = std::to_array<std::string_view>({
    "PEAK(1)",
    "SPL(1)",
    "LEQ(1)",
});

const std::array<std::string_view, 2> AoDirectNames = std::to_array<std::string_view>({"OFF", "ON"});

const std::array<std::string_view, 2> AoDaNames = std::to_array<std::string_view>({"OFF", "ON"});

const std::array<std::string_view, 3> AoSourceNames = std::to_array<std::string_view>({"A", "C", "Z"});

const std::array<std::string_view, 2> IoPolarityNames = std::to_array<std::string_view>({
    "POSITIVE",
    "NEGATIVE",
});

const std::array<std::string_view, 3> RtFilterTypeNames = std::to_array<std::string_view>({
    "High-Pass",
    "Low-Pass",
    "Band-Pass",
});

const std::array<std::string_view, 8> ContentNamesMic = std::to_array<std::string_view>({
    "Peak",
    "Max",
    "Min",
    "RMS",
    "vvvv",
    "xxx",
    "yyy",
    "zzz",
});

const std::array<std::string_view, 8> ContentNames = std::to_array<std::string_view>({
    "Peak",
    "P-P",
    "Max",
    "RMS",
    "VDV",
    "xxx",
    "yyy",
    "zzz",
});

} // namespace orlu
