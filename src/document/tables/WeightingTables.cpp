#include "document/tables/WeightingTables.h"

#include <iterator>

namespace orlu {
namespace {

// Columns: 1, 1.25, 1.6, 2, 2.5, 3.15, 4, 5, 6.3, 8, 10 Hz (columns 0 to 10),
// 12.5 Hz ... 1 kHz (11 to 30), 1.25 kHz ... 20 kHz (31 to 43).

// The instrument's high-pass filter. Its 17 listed corrections run from 1 Hz
// to 40 Hz (-0.1 there); the filter is flat from 50 Hz.
constexpr double kHighPass[] = {
    -30.2, -23.7, -18.3, -14.1, -10.4, -7.5, -5.2, -3.6, -2.4, -1.5, -1.0,
    -0.6,  -0.4,  -0.3,  -0.2,  -0.1,  -0.1, 0.0,  0.0,  0.0,  0.0,  0.0,
    0.0,   0.0,   0.0,   0.0,   0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,
    0.0,   0.0,   0.0,   0.0,   0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,
};

// A weighting: the instrument's floor of -84 dB up to 6.3 Hz, -77.8 at 8 Hz.
constexpr double kWeightingA[] = {
    -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -77.8, -70.4,
    -63.4, -56.7, -50.5, -44.7, -39.4, -34.6, -30.2, -26.2, -22.5, -19.1, -16.1,
    -13.4, -10.9, -8.6,  -6.6,  -4.8,  -3.2,  -1.9,  -0.8,  0.0,   0.6,   1.0,
    1.2,   1.3,   1.2,   1.0,   0.5,   -0.1,  -1.1,  -2.5,  -4.3,  -6.6,  -9.3,
};

constexpr double kWeightingC[] = {
    -52.7, -48.7, -44.7, -40.7, -36.7, -32.8, -28.9, -25.0, -21.3, -17.7, -14.3,
    -11.2, -8.5,  -6.2,  -4.4,  -3.0,  -2.0,  -1.3,  -0.8,  -0.5,  -0.3,  -0.2,
    -0.1,  0.0,   0.0,   0.0,   0.0,   0.0,   0.0,   0.0,   0.0,   0.0,   -0.1,
    -0.2,  -0.3,  -0.5,  -0.8,  -1.3,  -2.0,  -3.0,  -4.4,  -6.2,  -8.2,  -11.2,
};

constexpr double kFlat[kWeightingBandCount] = {};

// The infrasound G curve: peak +9 dB at 20 Hz; its 25 listed corrections run
// from 1 Hz to 250 Hz (-76 there), and -84 dB holds from 315 Hz.
constexpr double kWeightingG[] = {
    -41.0, -36.5, -32.5, -28.5, -24.0, -20.0, -16.0, -12.0, -8.0,  -4.0,  0.0,
    4.0,   8.0,   9.0,   4.0,   -4.0,  -12.0, -20.0, -28.0, -36.0, -44.0, -52.0,
    -60.0, -68.0, -76.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0,
    -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0, -84.0,
};

static_assert(std::size(kHighPass) == kWeightingBandCount);
static_assert(std::size(kWeightingA) == kWeightingBandCount);
static_assert(std::size(kWeightingC) == kWeightingBandCount);
static_assert(std::size(kWeightingG) == kWeightingBandCount);

struct WeightingTableRow {
    WeightingRow row;
    std::span<const double> corrections;
};
constexpr WeightingTableRow kWeightingCorrectionTable[] = {
    {WeightingRow::HighPass, kHighPass},
    {WeightingRow::A, kWeightingA},
    {WeightingRow::C, kWeightingC},
    {WeightingRow::Flat, kFlat},
    {WeightingRow::G, kWeightingG},
};
static_assert(std::size(kWeightingCorrectionTable) == kWeightingRowCount);

} // namespace

std::span<const double> WeightingCorrections(std::uint16_t row)
{
    if (row >= kWeightingRowCount)
        return {};
    return kWeightingCorrectionTable[row].corrections;
}

std::span<const double> WeightingCorrectionPtr(std::uint16_t row, std::uint16_t b)
{
    std::span<const double> all = WeightingCorrections(row);
    if (all.empty() || b > all.size())
        return {};
    return all.last(b);
}

} // namespace orlu
