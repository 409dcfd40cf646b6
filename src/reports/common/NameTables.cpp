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

const std::array<LegacyFilter, 31> LegacyFilterNames = std::to_array<LegacyFilter>({
    /*  0 */ {"DC", 0},
    /*  1 */ {"Lin", 3},
    /*  2 */ {"A", 3},
    /*  3 */ {"C", 3},
    /*  4 */ {"C&A", 3},
    /*  5 */ {"G", 3},
    /*  6 */ {"HP", 3},
    /*  7 */ {"W-Bxy", 3},
    /*  8 */ {"W-Bz", 3},
    /*  9 */ {"H-A", 3},
    /* 10 */ {"W-Bc", 3},
    /* 11 */ {"W-Bcv", 4},
    /* 12 */ {"KB", 6},
    /* 13 */ {"UNDF", 0},
    /* 14 */ {"UNDF", 0},
    /* 15 */ {"MF-Vel", 4},
    /* 16 */ {"Vel1", 4},
    /* 17 */ {"Vel3", 4},
    /* 18 */ {"Vel10", 4},
    /* 19 */ {"Dil1", 5},
    /* 20 */ {"Dil3", 5},
    /* 21 */ {"Dil10", 5},
    /* 22 */ {"UNDF", 0},
    /* 23 */ {"Wk", 3},
    /* 24 */ {"Wd", 3},
    /* 25 */ {"Wc", 3},
    /* 26 */ {"Wj", 3},
    /* 27 */ {"Wh", 0},
    /* 28 */ {"UNDF", 0},
    /* 29 */ {"UNDF", 0},
    /* 30 */ {"UNDF", 0},
});

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

const std::array<std::string_view, 30> LegacyRangeNames = std::to_array<std::string_view>({
    "UNDF",   "30 dB",  "40 dB",  "50 dB",  "60 dB",  "70 dB",  "80 dB",  "90 dB",  "100 dB", "110 dB",
    "120 dB", "130 dB", "140 dB", "150 dB", "160 dB", "170 dB", "180 dB", "190 dB", "200 dB", "210 dB",
    "220 dB", "230 dB", "240 dB", "250 dB", "260 dB", "270 dB", "280 dB", "290 dB", "300 dB", "UNDF",
});

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
