#include "document/tables/BandTables.h"

#include <cmath>
#include <iterator>

namespace orlu {
namespace {

constexpr double kThirdOctaveCentreTable[] = {
    0.8,    1,      1.25,   1.6,    2,      2.5,    3.15,   4,      5,      6.3,    8,     10,    12.5,
    16,     20,     25,     31.5,   40,     50,     63,     80,     100,    125,    160,   200,   250,
    315,    400,    500,    630,    800,    1000,   1250,   1600,   2000,   2500,   3150,  4000,  5000,
    6300,   8000,   10000,  12500,  16000,  20000,  25000,  31500,  40000,  50000,  63000, 80000,
};
static_assert(std::size(kThirdOctaveCentreTable) == kThirdOctaveCount);

constexpr double kOctaveCentreTable[] = {1, 2, 4, 8, 16, 31.5, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
static_assert(std::size(kOctaveCentreTable) == kOctaveCount);

// Indexes 0 to 44 name the centres 0.8 Hz to 20 kHz; 45 names the total.
constexpr const char* kThirdOctaveLabelTable[] = {
    "0.8Hz",  "1Hz",    "1.25Hz",  "1.6Hz",  "2Hz",    "2.5Hz",   "3.15Hz", "4Hz",     "5Hz",     "6.3Hz",
    "8Hz",    "10Hz",   "12.5Hz",  "16Hz",   "20Hz",   "25Hz",    "31.5Hz", "40Hz",    "50Hz",    "63Hz",
    "80Hz",   "100Hz",  "125Hz",   "160Hz",  "200Hz",  "250Hz",   "315Hz",  "400Hz",   "500Hz",   "630Hz",
    "800Hz",  "1kHz",   "1.25kHz", "1.6kHz", "2kHz",   "2.5kHz",  "3.15kHz", "4kHz",   "5kHz",    "6.3kHz",
    "8kHz",   "10kHz",  "12.5kHz", "16kHz",  "20kHz",  "Total",
};
static_assert(std::size(kThirdOctaveLabelTable) == 46);

// Parallel to the whole centre table; the program's own spelling "2 kHz" is kept.
constexpr const char* kBandLabelTable[] = {
    "0.8Hz",  "1Hz",    "1.25Hz",  "1.6Hz",  "2Hz",    "2.5Hz",   "3.15Hz", "4Hz",     "5Hz",     "6.3Hz",
    "8Hz",    "10Hz",   "12.5Hz",  "16Hz",   "20Hz",   "25Hz",    "31.5Hz", "40Hz",    "50Hz",    "63Hz",
    "80Hz",   "100Hz",  "125Hz",   "160Hz",  "200Hz",  "250Hz",   "315Hz",  "400Hz",   "500Hz",   "630Hz",
    "800Hz",  "1kHz",   "1.25kHz", "1.6kHz", "2 kHz",  "2.5kHz",  "3.15kHz", "4kHz",   "5kHz",    "6.3kHz",
    "8kHz",   "10kHz",  "12.5kHz", "16kHz",  "20kHz",  "25kHz",   "31.5kHz", "40kHz",  "50kHz",   "63kHz",
    "80kHz",
};
static_assert(std::size(kBandLabelTable) == kThirdOctaveCount);

// The 15 octave centres, then the labels of the totals that follow an octave spectrum.
constexpr const char* kOctaveLabelTable[] = {
    "1Hz",   "2Hz",   "4Hz",   "8Hz",     "16Hz",    "31.5Hz",    "63Hz",    "125Hz",
    "250Hz", "500Hz", "1kHz",  "2 kHz",   "4kHz",    "8kHz",      "16kHz",   "Total",
    "Total", "Total", "Total_A", "Total_C", "Total_Lin", "Total_A", "Total_C", "Total_HP",
};
static_assert(std::size(kOctaveLabelTable) == kOctaveCount + 9);

constexpr const char* kHighBandLabelTable[] = {
    "800 Hz", "1 kHz", "1.25 kHz", "1.6 kHz", "2 kHz",  "2.5 kHz", "3.15 kHz", "4 kHz",
    "5 kHz",  "6.3 kHz", "8 kHz",  "10 kHz",  "12.5 kHz", "16 kHz", "20 kHz",
};
static_assert(std::size(kHighBandLabelTable) == 15);

// FFT frequency ranges; code k > 0 is the base range times 2^(k - 1).
struct FftRangeNames {
    const char* listA;
    const char* listB;
};
constexpr FftRangeNames kFftRangeTable[] = {
    {"UNDF", "UNDF"},         {"1.5625 Hz", "1.38 Hz"}, {"3.125 Hz", "2.76 Hz"}, {"6.25 Hz", "5.52 Hz"},
    {"12.5 Hz", "11.0 Hz"},   {"25 Hz", "22.1 Hz"},     {"50 Hz", "44.2 Hz"},    {"100 Hz", "88.4 Hz"},
    {"200 Hz", "177 Hz"},     {"400 Hz", "354 Hz"},     {"800 Hz", "707 Hz"},    {"1.6 kHz", "1.41 kHz"},
    {"3.2 kHz", "2.83 kHz"},  {"6.4 kHz", "5.66 kHz"},  {"12.8 kHz", "11.3 kHz"}, {"25.6 kHz", "22.6 kHz"},
    {"51.2 kHz", "45.3 kHz"}, {"102.4 kHz", "90.5 kHz"},
};
static_assert(std::size(kFftRangeTable) == 18);

constexpr std::size_t kTopIndex = 45; // one past 20 kHz

template <typename T>
std::span<const T> From(std::span<const T> table, std::size_t first)
{
    return first <= table.size() ? table.subspan(first) : std::span<const T>{};
}

// Index of the first entry of `centres` within 0.01 of f, or centres.size().
std::size_t FindNear(std::span<const double> centres, double f)
{
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (std::fabs(centres[i] - f) <= 0.01)
            return i;
    return centres.size();
}

} // namespace

std::span<const double> ThirdOctaveCentres() { return kThirdOctaveCentreTable; }
std::span<const double> OctaveCentres() { return kOctaveCentreTable; }
std::span<const char* const> ThirdOctaveLabels() { return kThirdOctaveLabelTable; }
std::span<const char* const> BandLabels() { return kBandLabelTable; }
std::span<const char* const> OctaveLabels() { return kOctaveLabelTable; }

std::span<const double> ThirdOctaveCentrePtr(std::uint16_t n)
{
    return n <= kTopIndex ? From(ThirdOctaveCentres(), kTopIndex - n) : std::span<const double>{};
}

std::span<const char* const> ThirdOctaveLabelPtr(std::uint16_t n)
{
    return n <= kTopIndex ? From(ThirdOctaveLabels(), kTopIndex - n) : std::span<const char* const>{};
}

std::span<const double> OctaveCentrePtr(std::uint16_t n)
{
    return 3u * n <= kTopIndex ? From(ThirdOctaveCentres(), kTopIndex - 3u * n) : std::span<const double>{};
}

std::span<const char* const> OctaveLabelPtr(std::uint16_t n)
{
    return 3u * n <= kTopIndex ? From(ThirdOctaveLabels(), kTopIndex - 3u * n) : std::span<const char* const>{};
}

std::span<const char* const> BandLabelPtr(std::uint16_t n) { return From(BandLabels(), n); }

const char* HighBandName(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kHighBandLabelTable)))
        return "UNKNOWN";
    return kHighBandLabelTable[index];
}

const char* OctaveBandLabelFrom(double f, int n)
{
    std::size_t i = FindNear(OctaveCentres(), f);
    if (i == kOctaveCount || n < 1 || i + static_cast<std::size_t>(n) > std::size(kOctaveLabelTable))
        return nullptr;
    return kOctaveLabelTable[i + static_cast<std::size_t>(n) - 1];
}

const char* ThirdOctaveBandLabelFrom(double f, int n)
{
    std::size_t i = FindNear(ThirdOctaveCentres().first(kTopIndex), f);
    if (i == kTopIndex || n < 1 || i + static_cast<std::size_t>(n) > std::size(kThirdOctaveLabelTable))
        return nullptr;
    return kThirdOctaveLabelTable[i + static_cast<std::size_t>(n) - 1];
}

double ExactThirdOctaveCentre(double x)
{
    if (!(x > 0.0)) // no band for zero, negative or undefined frequencies
        return 0.0;
    double k = std::trunc(3.0 * std::log2(x) + 1.5);
    return 1000.0 * std::exp2((k - 31.0) / 3.0);
}

OctaveSpan OctaveBandSpan(std::size_t start, std::size_t count)
{
    OctaveSpan span;
    std::size_t i = start + 1;
    while (i % 3 != 1)
        ++i;
    span.firstIndex = i;
    span.octavePosition = i < kThirdOctaveCount ? FindNear(OctaveCentres(), kThirdOctaveCentreTable[i]) : kOctaveCount;
    // An octave is complete when the third octave above its centre is still in the run.
    std::size_t last = start + count; // one past the last band
    while (i + 1 < last) {
        ++span.octaveCount;
        i += 3;
    }
    span.endIndex = i;
    return span;
}

std::size_t ThirdOctaveAtOrBelow(std::uint16_t a)
{
    double v = a / 10.0;
    for (std::size_t c = 44; c > 0; --c)
        if (kThirdOctaveCentreTable[c] - 0.001 <= v)
            return c - 1;
    // Below 1 Hz there is no band under the found one: the lowest band answers.
    return 0;
}

std::size_t FindOctaveCentre(double f)
{
    for (std::size_t i = 0; i < kOctaveCount; ++i)
        if (kOctaveCentreTable[i] == f)
            return i;
    return kOctaveCount;
}

const char* FftRangeName(bool listB, int code)
{
    if (code < 0 || code >= static_cast<int>(std::size(kFftRangeTable)))
        return "UNDF";
    return listB ? kFftRangeTable[code].listB : kFftRangeTable[code].listA;
}

} // namespace orlu
