#include "reports/common/NameTables.h"

namespace orlu {

std::string_view NameFor(std::span<const std::string_view> list, long long code)
{
    if (code < 0 || static_cast<unsigned long long>(code) >= list.size())
        return kUndefinedName;
    return list[static_cast<size_t>(code)];
}

LegacyFilter LegacyFilterFor(long long code)
{
    if (code < 0 || static_cast<unsigned long long>(code) >= LegacyFilterNames.size())
        return {kUndefinedName, 0};
    return LegacyFilterNames[static_cast<size_t>(code)];
}

const std::array<std::string_view, 12> LegacyFunctionNames = std::to_array<std::string_view>({
    " UNDF",
    " Ref",
    " SEL",
    " Leq",
    " Spl",
    " Ssa",
    " Dsl",
    " Dsa",
    " Val",
    " Vel",
    " Dil1",
    " Dil3",
});

namespace {

/// Units of the legacy filters, by filter code (see LegacyFilter::Unit).
constexpr std::uint8_t kLegacyFilterUnits[] = {
    0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, // DC to W-Bc
    4, 6, 0, 0, 4, 4, 4, 4,          // W-Bcv, KB, two undefined, MF-Vel to Vel10
    5, 5, 5, 0,                      // Dil1 to Dil10, undefined
    3, 3, 3, 3, 0, 0, 0, 0,          // Wk to Wj, Wh, three undefined
};
static_assert(std::size(kLegacyFilterUnits) == kLegacyFilterCount);

} // namespace

const std::array<LegacyFilter, kLegacyFilterCount> LegacyFilterNames = [] {
    std::array<LegacyFilter, kLegacyFilterCount> filters{};
    for (std::size_t code = 0; code < kLegacyFilterCount; ++code)
        filters[code] = {kLegacyFilterNames[code], kLegacyFilterUnits[code]};
    return filters;
}();

const std::array<std::string_view, 9> InputNames = std::to_array<std::string_view>({
    "UNDF",
    "Reference",
    "Microphone",
    "Direct",
    "Charge",
    "Accelerometer",
    "OR06A",
    "UNDF",
    "OR08A",
});

const std::array<std::string_view, 10> InputShortNames = std::to_array<std::string_view>({
    "UNDF",
    "Ref.",
    "Mic.",
    "Direct",
    "Charge",
    "Acc.",
    "OR06A",
    "UNDF",
    "OR08A",
    "UNDF",
});

const std::array<std::string_view, kOrlu505RangeCount> LegacyRangeNames = [] {
    std::array<std::string_view, kOrlu505RangeCount> ranges{};
    for (std::size_t k = 0; k < kOrlu505RangeCount; ++k)
        ranges[k] = kOrlu505RangeNames[k];
    return ranges;
}();

const std::array<std::string_view, 12> TimeConstantNames = std::to_array<std::string_view>({
    "UNDF",
    "Impulse (1/32 s)",
    "Fast (1/8 s)",
    "Slow (1 s)",
    "0.01 s",
    "0.02 s",
    "0.05 s",
    "0.1 s",
    "0.2 s",
    "0.5 s",
    "1.0 s",
    "UNDF",
});

const std::array<std::string_view, 11> TimeConstantShortNames = std::to_array<std::string_view>({
    "UNDF",
    "Impulse",
    "Fast",
    "Slow",
    "0.01 s",
    "0.02 s",
    "0.05 s",
    "0.1 s",
    "0.2 s",
    "0.5 s",
    "1.0 s",
});

const std::array<std::string_view, 11> BufferStepNames = std::to_array<std::string_view>({
    "UNDF",
    "1/32 s",
    "1/8 s",
    "1 s",
    "0.01 s",
    "0.02 s",
    "0.05 s",
    "0.1 s",
    "0.2 s",
    "0.5 s",
    "1.0 s",
});

const std::array<std::string_view, 5> RmsDetectorNames = std::to_array<std::string_view>({
    "UNDF",
    "Linear",
    "Impulse",
    "Fast",
    "Slow",
});

const std::array<std::string_view, 3> LowPassNames = std::to_array<std::string_view>({"UNDF", "ON", "OFF"});

const std::array<std::string_view, 8> BufferResultNamesOld = std::to_array<std::string_view>({
    "RMS",
    "",
    "",
    "",
    "Peak",
    "",
    "",
    "",
});

const std::array<std::string_view, 8> BufferResultNamesNew = std::to_array<std::string_view>({
    "Peak",
    "",
    "Max",
    "Min",
    "RMS",
    "",
    "",
    "VDV",
});

const std::array<std::string_view, 6> ProbePairNames = std::to_array<std::string_view>({
    "1-2",
    "1-3",
    "1-4",
    "2-3",
    "2_4",
    "3-4",
});

const std::array<std::string_view, 5> FunctionNames505 = std::to_array<std::string_view>({
    " UNDF",
    " Time",
    " Spectrum",
    " Octave 1/1",
    " Octave 1/3",
});

const std::array<std::string_view, 7> FilterNames505 = std::to_array<std::string_view>({
    "UNDF",
    "Lin",
    "A",
    "C",
    "HP",
    "UNDF",
    "HP",
});

const std::array<std::string_view, 18> BandNames505A = std::to_array<std::string_view>({
    "UNDF",
    "1.5625 Hz",
    "3.125 Hz",
    "6.25 Hz",
    "12.5 Hz",
    "25 Hz",
    "50 Hz",
    "100 Hz",
    "200 Hz",
    "400 Hz",
    "800 Hz",
    "1.6 kHz",
    "3.2 kHz",
    "6.4 kHz",
    "12.8 kHz",
    "25.6 kHz",
    "51.2 kHz",
    "102.4 kHz",
});

const std::array<std::string_view, 18> BandNames505B = std::to_array<std::string_view>({
    "UNDF",
    "1.38 Hz",
    "2.76 Hz",
    "5.52 Hz",
    "11.0 Hz",
    "22.1 Hz",
    "44.2 Hz",
    "88.4 Hz",
    "177 Hz",
    "354 Hz",
    "707 Hz",
    "1.41 kHz",
    "2.83 kHz",
    "5.66 kHz",
    "11.3 kHz",
    "22.6 kHz",
    "45.3 kHz",
    "90.5 kHz",
});

const std::array<std::string_view, 8> AveragingNames505 = std::to_array<std::string_view>({
    "UNDF",
    "Fast HM",
    "Fast Lin",
    "Off",
    "Linear",
    "Exponent",
    "Hld Max",
    "UNDF",
});

const std::array<std::string_view, 5> TriggeringNames505 = std::to_array<std::string_view>({
    "UNDF",
    "Free Run",
    "Internal \"+\"",
    "Internal \"-\"",
    "External",
});

const std::array<std::string_view, 6> WindowNames505 = std::to_array<std::string_view>({
    "UNDF",
    "User",
    "Hanning",
    "Rectangle",
    "Flat Top",
    "Kaiser-Bessel",
});

const std::array<std::string_view, 3> ZoomNames505 = std::to_array<std::string_view>({"UNDF", "ON", "OFF"});

std::span<const std::string_view> BandNames505(std::uint8_t unitSubKind, std::uint16_t storedInputKind)
{
    constexpr std::uint16_t kFirstProbeInput = 6;
    if (unitSubKind == 0 && storedInputKind < kFirstProbeInput)
        return BandNames505A;
    return BandNames505B;
}

std::string_view LowPassCell505(std::uint16_t code) { return code == 1 ? "ON" : "OFF"; }

} // namespace orlu
