#include "support/MonitorFixture.h"

#include <algorithm>
#include <cstdlib>

namespace orlu::fixture {
namespace {

bool Bit(long flags, int bit)
{
    return ((static_cast<unsigned long>(flags) >> bit) & 1u) != 0;
}

// The setup's analysis: 18 levels of 1/1 octaves, 48 of 1/3 octaves, else none.
std::size_t SpectrumValues(const std::string& setup)
{
    for (std::size_t at = setup.find('M'); at != std::string::npos; at = setup.find('M', at + 1)) {
        if (at > 0 && setup[at - 1] != ',')
            continue;
        const long function = std::strtol(setup.c_str() + at + 1, nullptr, 10);
        return function == 2 ? 18 : function == 3 ? 48 : 0;
    }
    return 0;
}

MonitorSound SoundOf(int n, int profile, char leqLetter)
{
    const double leq = 45.0 + (n * 7 + profile * 3) % 31 + 0.1 * (n % 10);
    return MonitorSound{leq + 22.5, leq + 11.2, leq - 8.4, leq + 1.3, leq, leq + 29.5, leqLetter};
}

std::vector<std::uint32_t> Counts(int n, std::size_t count)
{
    std::vector<std::uint32_t> counts(count);
    for (std::size_t i = 0; i < count; ++i)
        counts[i] = static_cast<std::uint32_t>((i * 13 + static_cast<std::size_t>(n) * 5) % 40);
    return counts;
}

} // namespace

long MonitorFlagsOf(const std::string& station)
{
    for (std::size_t at = station.find('D'); at != std::string::npos; at = station.find('D', at + 1))
        if (at == 0 || station[at - 1] == ',')
            return std::strtol(station.c_str() + at + 1, nullptr, 16);
    return -1;
}

std::vector<std::uint8_t> BuildMonitorFixture(const MonitorFixtureSpec& spec)
{
    const long flags = MonitorFlagsOf(spec.Station);
    const int profiles = 1 + (Bit(flags, 1) ? 1 : 0) + (Bit(flags, 0) ? 1 : 0);
    std::vector<char> statistics;
    for (int p = 0; p < 3; ++p)
        if (Bit(flags, 9 - p))
            statistics.push_back(static_cast<char>('1' + p));
    const std::size_t values = Bit(flags, 6) ? SpectrumValues(spec.Setup) : 0;
    const char leqLetter = spec.Setup.find("W3") != std::string::npos ? 'R' : 'L';

    MonitorStreamBuilder b;
    if (spec.Capture)
        b.CaptureHeader();
    b.Station(spec.Station).Setup(spec.Setup);
    for (int n = 1; n <= spec.Intervals; ++n) {
        const auto number = static_cast<std::uint16_t>(n);
        b.Sound(number, SoundOf(n, 0, leqLetter));
        for (int p = 1; p < profiles; ++p)
            b.SoundNext(SoundOf(n, p, leqLetter));
        if (spec.Classes > 0) {
            for (std::size_t k = 0; k < statistics.size(); ++k)
                b.Statistics(k == 0 ? std::optional<std::uint16_t>(number) : std::nullopt, statistics[k], spec.Classes,
                             spec.Lowest, spec.Width, Counts(n + static_cast<int>(k), static_cast<std::size_t>(spec.Classes)));
            if (spec.OctaveStatistics)
                b.Statistics(number, 'O', spec.Classes, spec.Lowest, spec.Width,
                             Counts(n, static_cast<std::size_t>(spec.Classes) * (values ? values : 18)));
        }
        if (values) {
            std::vector<std::int16_t> levels(values);
            for (std::size_t i = 0; i < values; ++i)
                levels[i] = static_cast<std::int16_t>(300 + (i * 37 + static_cast<std::size_t>(n) * 11) % 400);
            b.Octave(number, levels);
        }
        if (n <= spec.Meteo)
            b.Meteo(number, {15.0 + n % 10, 1000.0 + n % 30, 40.0 + n % 50, 1.5, 4.0, 10.0 * (n % 36)});
        if (n <= spec.Calibrations)
            b.Calibration(93.8 + 0.1 * (n % 3));
        if (n == 1 && spec.BadKind)
            b.Raw("#").Raw(std::string(1, *spec.BadKind)).Raw(";");
        if (spec.ZeroGaps)
            b.ZeroGap(2);
    }
    if (spec.Stop)
        b.StopRecord(*spec.Stop);
    if (spec.Buffer)
        b.EmbeddedBuffer(*spec.Buffer);
    std::vector<std::uint8_t> bytes = b.Data();
    bytes.resize(bytes.size() - std::min(spec.Cut, bytes.size()));
    return bytes;
}

} // namespace orlu::fixture
