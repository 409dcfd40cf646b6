#include "monitor/MonitorOctaveRecords.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/BlockTotals.h"
#include "document/MissingValue.h"
#include "document/headers/CurrentHeader.h"
#include "document/tables/BandTables.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorTime.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::size_t kTotals = 3;
constexpr std::size_t kThirdBands = 45;
constexpr std::size_t kOctaveBands = 15;

// The station's instrument measures sound: linear values are pascal.
const BandChannel kStationMicrophone{kInputMicrophone, 0, false};

// The levels of octave record at r ('['), in dB; empty when the record holds fewer than `values`.
std::vector<double> ReadLevels(const MonitorStream& s, std::uint32_t r, int values)
{
    const std::uint32_t length = s.U16At(r + kOctaveLengthOffset);
    if (values <= 0 || length < 2u * static_cast<std::uint32_t>(values))
        return {};
    std::vector<double> levels(static_cast<std::size_t>(values));
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = static_cast<std::int16_t>(s.U16At(r + kOctavePayloadOffset + 2 * static_cast<std::uint32_t>(i))) / 10.0;
    return levels;
}

// A 1/3-octave record shown as octaves: octave g is the energy sum of third octaves 3g .. 3g+2.
std::vector<double> FoldToOctaves(std::vector<double> thirds, std::size_t bands)
{
    const std::size_t octaves = bands / 3;
    FoldThirdOctaves(thirds, ThirdOctaveCentrePtr(kThirdBands), 0, octaves, kBandDb, kStationMicrophone);
    std::vector<double> folded(thirds.begin(), thirds.begin() + static_cast<std::ptrdiff_t>(octaves));
    folded.insert(folded.end(), thirds.begin() + static_cast<std::ptrdiff_t>(bands), thirds.end());
    return folded;
}

} // namespace

bool HasMonitorSpectra(const MonitorDocument& m, bool third)
{
    const bool own = m.Setup.Function == (third ? 3 : 2);
    return m.OctaveRecordCount > 0 && m.FrequencyBands > 0 && (own || (!third && m.Setup.Function == 3));
}

std::size_t MonitorFormBands(const MonitorDocument& m, bool third)
{
    const auto bands = static_cast<std::size_t>(std::max(m.FrequencyBands, 0));
    return !third && m.Setup.Function == 3 ? bands / 3 : bands;
}

double MonitorBandCentre(bool third, std::size_t i)
{
    const std::span<const double> centres = third ? ThirdOctaveCentrePtr(kThirdBands) : OctaveCentrePtr(kOctaveBands);
    const std::size_t at = third ? i : 3 * i + 1;
    return at < centres.size() ? centres[at] : 0.0;
}

std::optional<MonitorSpectrum> ReadMonitorSpectrum(const MonitorStream& s, const MonitorDocument& m,
                                                   const MonitorOctaveChoice& choice, std::uint32_t record)
{
    if (record < 1 || record > static_cast<std::uint32_t>(std::max(m.OctaveRecordCount, 0)))
        return std::nullopt;
    const std::uint32_t r = m.Record(kStreamOctave, record);
    MonitorSpectrum spectrum;
    spectrum.values = ReadLevels(s, r, m.SpectrumValues);
    const auto recordBands = static_cast<std::size_t>(std::max(m.FrequencyBands, 0));
    if (spectrum.values.size() < recordBands + kTotals)
        return std::nullopt; // a record cut short holds no spectrum
    if (!choice.third && m.Setup.Function == 3)
        spectrum.values = FoldToOctaves(std::move(spectrum.values), recordBands);
    spectrum.number = MonitorRecordNumber(s, r);
    const std::size_t bands = MonitorFormBands(m, choice.third);
    std::vector<double> centres(bands);
    for (std::size_t i = 0; i < bands; ++i)
        centres[i] = MonitorBandCentre(choice.third, i);
    const int quantity = choice.linear ? kBandLinear : kBandDb;
    spectrum.blockTotal = choice.block ? BlockTotal(spectrum.values, bands, centres, {choice.first, choice.last}, 0,
                                                    quantity, kStationMicrophone)
                                       : kMissingValue;
    ConvertBandLevels(spectrum.values, bands, centres, quantity, kStationMicrophone);
    return spectrum;
}

CivilTime MonitorRecordCivil(const MonitorDocument& m, std::uint32_t n)
{
    const MonitorClock c = MonitorClockAt(MonitorRecordTime(m, n, m.Station.SoundStep));
    return {c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second};
}

} // namespace orlu
