#include "support/Analyzer505Fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orlu::fixture {
namespace {

constexpr std::uint16_t kTimeTen = 18000;   // 10:00:00 in 2-second units
constexpr std::uint16_t kDate = 24 * 512 + 5 * 32 + 14; // 14 May 2024

bool IsFft(const Analyzer505Spec& s) { return s.function == 1 || s.function == 2; }

std::uint16_t HeaderLength(const Analyzer505Spec& s)
{
    if (s.headerLength != 0)
        return s.headerLength;
    if (s.fourChannel)
        return IsFft(s) ? 76 : 42;
    return IsFft(s) ? 32 : 17;
}

std::uint16_t Flags(const Analyzer505Spec& s)
{
    std::uint16_t flags = 0x0010; // RMS detector type 2
    if (s.histogram)
        flags |= 0x0004;
    if (s.timeHistory)
        flags |= 0x0008;
    if (s.extraValue)
        flags |= 0x0040;
    if (s.levelOffset20)
        flags |= 0x8000;
    return flags;
}

// A plausible value of spectrum r, channel c, position i: an octave level in
// 0.1 dB falling off towards the top, or a waveform sample of a few periods.
std::int16_t Value(const Analyzer505Spec& s, std::uint32_t r, std::uint32_t c, std::uint32_t i)
{
    if (s.value)
        return s.value(r, c, i);
    if (s.function == 1) {
        const std::int32_t period = 32;
        const std::int32_t phase = static_cast<std::int32_t>((i + 4 * r) % period);
        const std::int32_t triangle = phase < period / 2 ? phase : period - phase;
        return static_cast<std::int16_t>((triangle - period / 4) * 800 / static_cast<std::int32_t>(c + 1));
    }
    return static_cast<std::int16_t>(700 - 3 * static_cast<std::int32_t>(i % 60) + 5 * static_cast<std::int32_t>(r % 4) -
                                     20 * static_cast<std::int32_t>(c));
}

// Sample i of channel c: the sum of the tones of that channel, rounded to a count.
std::int16_t ToneSample(const Analyzer505Spec& s, std::uint32_t n, std::uint32_t c, std::uint32_t i, bool imaginary)
{
    double x = 0.0;
    for (const Analyzer505Spec::Tone& tone : s.tones) {
        if (tone.channel >= 0 && static_cast<std::uint32_t>(tone.channel) != c)
            continue;
        const double angle = 2.0 * 3.14159265358979323846 * tone.line * i / n;
        x += tone.amplitude * (imaginary ? std::sin(angle) : std::cos(angle));
    }
    return static_cast<std::int16_t>(std::lround(std::clamp(x, -32768.0, 32767.0)));
}

void WaveformBlocks(const Analyzer505Spec& s, std::uint32_t channels, bool numbered, FixtureBuilder& f)
{
    const std::uint32_t n = s.values / 100u * 256u;
    for (std::uint32_t r = 0; r < s.spectra; ++r) {
        if (numbered)
            f.Le16(static_cast<std::uint16_t>(r + 1));
        for (std::uint32_t i = 0; i < n; ++i) {
            for (std::uint32_t c = 0; c < channels; ++c)
                f.Le16(static_cast<std::uint16_t>(ToneSample(s, n, c, i, false)));
            if (channels == 1 && s.zoom)
                f.Le16(static_cast<std::uint16_t>(ToneSample(s, n, 0, i, true)));
        }
    }
}

} // namespace

std::vector<std::uint8_t> BuildAnalyzer505File(const Analyzer505Spec& s)
{
    const std::uint16_t length = HeaderLength(s);
    const std::uint16_t t = s.timeHistory ? 1 : 0;
    std::vector<std::uint16_t> h(length, 0);
    auto put = [&h](std::size_t word, std::uint16_t value) {
        if (word < h.size())
            h[word] = value;
    };
    put(0, length);
    put(1, kTimeTen);
    put(2, kDate);
    put(3, s.fourChannel ? (length == 52 ? 6 : 8) : s.input);
    put(4, s.function);
    put(5, s.range);
    put(6, s.filter);
    put(7, s.samplingCode);
    put(8, static_cast<std::uint16_t>(s.calibration));
    put(9, s.averaging);
    put(10, s.averagingValue);
    put(11, static_cast<std::uint16_t>(s.values + t));
    put(12, Flags(s));
    if (IsFft(s)) {
        put(13, s.trigger);
        put(14, 100); // 10.0 %
        put(15, s.window);
        put(16, s.zoom ? 1 : 2);
        put(17, s.zoomBandCode);
        put(18, s.spectra);
        for (std::size_t w = 19; w < 32; ++w)
            put(w, s.zoom ? s.zoomShift : 25);
    } else {
        put(13, s.bands);
        put(14, s.spectra);
        put(15, static_cast<std::uint16_t>(s.timeStepFixed & 0xFFFF));
        put(16, static_cast<std::uint16_t>(s.timeStepFixed >> 16));
    }
    if (s.fourChannel) {
        std::size_t table = 0;
        if (length == 52) {
            table = 32;
        } else if (length == 17) {
            table = 12; // overlaps the setup words: such a header cannot hold its table
        } else {
            const std::size_t modeWord = IsFft(s) ? 32 : 20;
            put(modeWord, s.channelMode);
            table = modeWord + 2;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            put(table + i, s.inputs[i]);
            put(table + 4 + i, s.range);
            put(table + 8 + i, i == 3 ? 6 : s.filter); // a stored 6 is the HP filter
            put(table + 12 + i, 3);
            put(table + 16 + i, static_cast<std::uint16_t>(s.calibration - 5 * static_cast<int>(i)));
        }
    }

    FixtureBuilder f;
    for (std::uint16_t w : h)
        f.Le16(w);
    const std::uint32_t channels = s.fourChannel ? 4 : 1;
    if (s.waveformBlocks) {
        WaveformBlocks(s, channels, t != 0, f);
    } else {
        for (std::uint32_t r = 0; r < s.spectra; ++r)
            for (std::uint32_t c = 0; c < channels; ++c) {
                if (t)
                    f.Le16(static_cast<std::uint16_t>(r + 1));
                for (std::uint32_t i = 0; i < s.values; ++i)
                    f.Le16(static_cast<std::uint16_t>(Value(s, r, c, i)));
            }
    }
    if (s.histogram) {
        // One histogram per value unless told; by default classes of 2 dB from 40 dB, counts
        // peaking in the middle.
        const std::uint16_t histograms = s.histogramCount != 0 ? s.histogramCount : s.values;
        f.Le16(5).Le16(histograms).Le16(s.histogramClasses).Le16(static_cast<std::uint16_t>(s.histogramLowest))
            .Le16(static_cast<std::uint16_t>(s.histogramWidth));
        for (std::uint32_t b = 0; b < histograms; ++b)
            for (std::uint32_t k = 0; k < s.histogramClasses; ++k) {
                const std::uint32_t distance = k > s.histogramClasses / 2 ? k - s.histogramClasses / 2 : s.histogramClasses / 2 - k;
                f.Le32(s.histogramCount32 ? s.histogramCount32(b, k) : (s.histogramClasses - distance) * 10u + b);
            }
    }
    f.ChecksumWord(0);
    return f.Data();
}

FixtureBuilder Analyzer505Dos(const Analyzer505Spec& spec, std::uint8_t subKind)
{
    return FixtureBuilder().DosHeader('A', '4', subKind, 6).Bytes(BuildAnalyzer505File(spec));
}

FixtureBuilder Analyzer505Container(const Analyzer505Spec& spec, std::uint8_t kind, std::uint8_t subKind)
{
    const std::vector<std::uint8_t> file = BuildAnalyzer505File(spec);
    FixtureBuilder f;
    f.ContainerHeader(kind, subKind, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    if (kind == 11)
        for (std::uint32_t r = 1; r <= spec.spectra; ++r)
            f.Le32(r);
    return f;
}

FixtureBuilder Analyzer505Multifile(std::span<const Analyzer505Spec> specs)
{
    std::vector<MultifileMember> members;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "A%07zu", i + 1);
        members.push_back({name, BuildAnalyzer505File(specs[i])});
    }
    return Multifile(24, members);
}

FixtureBuilder Analyzer505Patched(const Analyzer505Spec& spec, std::size_t word, std::uint16_t value)
{
    constexpr std::size_t kContainerHeaderBytes = 32;
    FixtureBuilder f = Analyzer505Container(spec);
    f.PatchLe16(kContainerHeaderBytes + 2 * word, value);
    return f;
}

std::vector<DamagedAnalyzer505> DamagedAnalyzer505Files()
{
    auto octave = [](std::uint16_t function, std::uint16_t values, std::uint16_t bands) {
        Analyzer505Spec s;
        s.function = function;
        s.values = values;
        s.bands = bands;
        return s;
    };
    auto fft = [](std::uint16_t function, std::uint16_t lines) {
        Analyzer505Spec s;
        s.function = function;
        s.values = lines;
        return s;
    };
    Analyzer505Spec histogram = octave(3, 10, 9);
    histogram.spectra = 2;
    histogram.histogram = true;
    std::vector<DamagedAnalyzer505> files;
    files.push_back({"intact", Analyzer505Container(histogram), true, true});
    files.push_back({"spectra count huge", Analyzer505Patched(histogram, 14, 0xFFFF), true, false});
    files.push_back({"histogram count huge", Analyzer505Patched(histogram, 17 + 20 + 1, 0xFFFF), true, false});
    files.push_back({"histogram classes 0", Analyzer505Patched(histogram, 17 + 20 + 2, 0), true, false});
    files.push_back({"bandEnd 0 of a Spectrum file", Analyzer505Patched(fft(2, 400), 11, 0), false, false});
    files.push_back({"bandEnd 99: no whole block of samples", Analyzer505Patched(fft(2, 400), 11, 99), false, false});
    files.push_back({"bandEnd huge of a Spectrum file", Analyzer505Patched(fft(2, 400), 11, 0xFFFF), true, false});
    files.push_back({"bandEnd below the band count", Analyzer505Patched(histogram, 11, 5), false, false});
    files.push_back({"1/3-octave bands past the table", Analyzer505Patched(octave(4, 50, 44), 13, 46), false, false});
    files.push_back({"header longer than the file", Analyzer505Patched(histogram, 0, 0x7FFF), false, false});
    files.push_back({"header too short for the octave words", Analyzer505Patched(histogram, 0, 14), false, false});
    files.push_back({"zoom past the header", Analyzer505Patched(fft(1, 400), 16, 1), true, false});
    return files;
}

} // namespace orlu::fixture
