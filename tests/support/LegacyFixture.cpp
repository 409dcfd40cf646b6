#include "support/LegacyFixture.h"

#include <bit>
#include <stdexcept>

namespace orlu::fixture {
namespace {

using Words = std::vector<std::uint16_t>;

constexpr std::uint16_t kHistogramFlag = 0x4;
constexpr std::uint16_t kBufferFlag = 0x8;
constexpr std::uint16_t kVdvFlag = 0x10;

// The level words of a results block in 0.1 dB, by word: the crest factor (or
// the second filter's level), Peak, Max, Min, Spl, the main result, SEL, VDV,
// then Ltm3 and Ltm5 after the unused word 10.
struct ResultWord {
    std::size_t word;
    std::uint16_t level;
};
constexpr ResultWord kResultLevels[] = {{2, 12},  {3, 1045}, {4, 934},  {5, 587},  {6, 812},
                                        {7, 815}, {8, 1093}, {9, 1032}, {11, 850}, {12, 860}};
// Statistical levels: percentages and their levels, falling as the percentage rises.
constexpr std::uint16_t kPercentages[] = {1, 5, 10, 20, 30, 50, 70, 80, 90, 95};
constexpr std::int16_t kStatLevels[] = {950, 900, 860, 830, 810, 790, 760, 720, 680, 640};

void Put(Words& w, std::size_t i, std::uint16_t value)
{
    if (w.size() <= i)
        w.resize(i + 1, 0);
    w[i] = value;
}

Words ResultsBlock(bool single, bool statistics, int channel)
{
    // Single channel: 32 words with the ten pairs at 12 to 31, else 12; multi-channel:
    // 35 words with the pairs at 15 to 34, else 24.
    const std::size_t length = single ? (statistics ? 32 : 12) : (statistics ? 35 : 24);
    Words w(length, 0);
    w[0] = static_cast<std::uint16_t>(length);
    w[1] = 600; // the measurement's duration, s
    // A one-channel block of 12 words ends before Ltm5; with statistics its first
    // percentage takes word 12.
    for (const ResultWord& r : kResultLevels)
        if (r.word < length)
            w[r.word] = static_cast<std::uint16_t>(r.level + 10 * channel);
    if (statistics) {
        const std::size_t first = single ? 12 : 15;
        for (std::size_t i = 0; i < 10; ++i) {
            w[first + 2 * i] = kPercentages[i];
            w[first + 2 * i + 1] = static_cast<std::uint16_t>(kStatLevels[i]);
        }
    }
    return w;
}

std::uint16_t ClassCount(std::uint16_t k, int histogram)
{
    // A hump around the middle class.
    const int d = k > 30 ? k - 30 : 30 - k;
    return static_cast<std::uint16_t>((d < 25 ? 25 - d : 0) * 4 + histogram);
}

void Append(Words& to, const Words& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

// Levels each record holds per channel of a multi-channel file: one of the old description,
// one per result bit of the new one's buffer word.
int ResultsPerChannel(const LegacyFileSpec& spec)
{
    return spec.formatVersion < 33 ? 1 : std::popcount(static_cast<unsigned>(spec.bufferWord & 0xFF));
}

Words BufferDescription(const LegacyFileSpec& spec, std::uint32_t declared, bool single)
{
    const bool oldFormat = spec.formatVersion < 33;
    Words d(spec.formatVersion, 0);
    if (d.size() < (oldFormat ? 17u : 27u))
        throw std::logic_error("a buffer description of this format needs more words");
    d[0] = spec.formatVersion;
    const auto channels = static_cast<std::uint16_t>(spec.channels.size());
    if (oldFormat) {
        d[5] = static_cast<std::uint16_t>(declared);
        d[11] = spec.stepWords[0];
        d[12] = spec.stepWords[1];
        d[13] = spec.stepWords[2];
        d[15] = single ? 1 : channels; // one level a channel
        std::uint16_t bits = 0;
        for (std::uint16_t c = 0; c < channels; ++c)
            bits |= static_cast<std::uint16_t>(1u << (2 * c));
        d[16] = single ? 0 : bits;
    } else {
        d[5] = static_cast<std::uint16_t>(declared & 0xFFFF);
        d[6] = static_cast<std::uint16_t>(declared >> 16);
        d[17] = spec.stepWords[0];
        d[18] = spec.stepWords[1];
        d[19] = spec.stepWords[2];
        d[21] = static_cast<std::uint16_t>(single ? 1 : channels * ResultsPerChannel(spec));
        for (std::uint16_t c = 0; c < channels; ++c)
            d[22 + c] = spec.bufferWord;
    }
    return d;
}

} // namespace

std::uint16_t LegacyBufferWord(std::uint32_t r, int c, bool oldFormat)
{
    const auto tenths = static_cast<std::uint16_t>(400 + (r * 37 + static_cast<std::uint32_t>(c) * 11) % 600);
    if (!oldFormat)
        return tenths;
    return static_cast<std::uint16_t>(tenths * 2 + (r % 97 == 96 ? 1 : 0));
}

std::vector<std::uint8_t> LegacyMeasurementFile(const LegacyFileSpec& spec)
{
    using Layout = LegacyFileSpec::Layout;
    const bool single = spec.layout == Layout::Single;
    const auto channels = static_cast<std::uint16_t>(spec.channels.size());
    if (channels == 0 || (single && channels != 1))
        throw std::logic_error("a legacy file needs its channels (one in the single-channel layout)");
    const bool histogram = spec.histogramClasses != 0 && !spec.reduced;
    const bool buffer = spec.bufferRecords != 0 || spec.reduced;
    const std::uint16_t flags =
        static_cast<std::uint16_t>((histogram ? kHistogramFlag : 0) | (buffer ? kBufferFlag : 0));

    Words w;
    if (spec.prefixWord != 0)
        w.push_back(spec.prefixWord);
    Words header;
    if (single) {
        const LegacyChannelSpec& ch = spec.channels[0];
        const bool variant3 = spec.prefixWord == 0x4021;
        header = {0, spec.time, spec.date, spec.inputKind, ch.function, ch.range, static_cast<std::uint16_t>(ch.filter),
                  ch.timeStepCode, static_cast<std::uint16_t>(ch.calibration),
                  static_cast<std::uint16_t>(ch.flags | flags)};
        if (variant3) {
            Put(header, 11, static_cast<std::uint16_t>(spec.references[0]));
            Put(header, 12, static_cast<std::uint16_t>(spec.references[1]));
            Put(header, 13, static_cast<std::uint16_t>(spec.references[2]));
            Put(header, 14, 0);
        }
    } else {
        const bool probe = spec.layout == Layout::Probe;
        header = {0, spec.time, spec.date, spec.inputKind, channels, probe ? spec.channelMode : std::uint16_t{0},
                  static_cast<std::uint16_t>((probe ? spec.probeFlags : 0) | (spec.vdv ? kVdvFlag : 0) | flags)};
        Put(header, 12, 0);
        if (spec.prefixWord == 0x4011) {
            header[9] = static_cast<std::uint16_t>(spec.references[0]);
            header[10] = static_cast<std::uint16_t>(spec.references[1]);
            header[11] = static_cast<std::uint16_t>(spec.references[2]);
        }
    }
    header[0] = static_cast<std::uint16_t>(header.size());
    Append(w, header);

    if (!single) {
        for (const LegacyChannelSpec& ch : spec.channels) {
            Words block = {0, ch.input, ch.function, ch.range, static_cast<std::uint16_t>(ch.filter), ch.timeStepCode,
                           static_cast<std::uint16_t>(ch.calibration), ch.flags, 0};
            if (ch.vectorCoefficient >= 0)
                block.push_back(static_cast<std::uint16_t>(ch.vectorCoefficient));
            block[0] = static_cast<std::uint16_t>(block.size());
            Append(w, block);
        }
    }
    if (!spec.reduced)
        for (std::uint16_t c = 0; c < channels; ++c)
            Append(w, ResultsBlock(single, spec.statistics, c));

    if (histogram) {
        const std::uint16_t classes = spec.histogramClasses;
        const auto lowest = static_cast<std::uint16_t>(spec.histogramLowest);
        const auto width = static_cast<std::uint16_t>(spec.histogramWidth);
        // A count of 32 bits, low word first.
        auto count = [&](std::uint16_t k, std::uint16_t c) {
            if (spec.histogramCounts.empty())
                return Words{ClassCount(k, c), 0};
            const std::uint32_t n = k < spec.histogramCounts.size() ? spec.histogramCounts[k] : 0;
            return Words{static_cast<std::uint16_t>(n), static_cast<std::uint16_t>(n >> 16)};
        };
        if (single) {
            // Its length, the classes, the lowest class and the class width, then the counts.
            Append(w, {static_cast<std::uint16_t>(4 + 2 * classes), classes, lowest, width});
            for (std::uint16_t k = 0; k < classes; ++k)
                Append(w, count(k, 0));
        } else {
            // Five words of layout (x = 5, y histograms of z classes), then y x z counts.
            Append(w, {5, channels, classes, lowest, width});
            for (std::uint16_t c = 0; c < channels; ++c)
                for (std::uint16_t k = 0; k < classes; ++k)
                    Append(w, count(k, c));
        }
    }
    if (buffer) {
        const std::uint32_t records = spec.bufferRecords;
        Append(w, BufferDescription(spec, spec.declaredRecords.value_or(records), single));
        const bool oldFormat = spec.formatVersion < 33;
        const int perRecord = single ? 1 : channels * ResultsPerChannel(spec);
        w.reserve(w.size() + static_cast<std::size_t>(records) * perRecord + 1);
        std::size_t next = 0;
        for (std::uint32_t r = 0; r < records; ++r)
            for (int c = 0; c < perRecord; ++c) {
                if (spec.bufferLevels.empty()) {
                    w.push_back(LegacyBufferWord(r, c, oldFormat));
                    continue;
                }
                const std::size_t k = next++ % spec.bufferLevels.size();
                const std::int16_t level = spec.bufferLevels[k];
                const bool overload = k < spec.bufferOverloads.size() && spec.bufferOverloads[k];
                w.push_back(oldFormat ? static_cast<std::uint16_t>((level * 2) | (overload ? 1 : 0))
                                      : static_cast<std::uint16_t>(level));
            }
    }

    FixtureBuilder f;
    for (std::uint16_t word : w)
        f.Le16(word);
    f.ChecksumWord(0);
    return f.Data();
}

FixtureBuilder LegacyContainer(std::uint8_t kind, const LegacyFileSpec& spec)
{
    const std::vector<std::uint8_t> file = LegacyMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    if (kind == 10)
        for (std::uint32_t r = 1; r <= spec.bufferRecords; ++r)
            f.Le32(r);
    return f;
}

FixtureBuilder LegacyDosFile(const LegacyFileSpec& spec, std::uint8_t subKind)
{
    FixtureBuilder f;
    f.DosHeader('M', '4', subKind, 6).Bytes(LegacyMeasurementFile(spec));
    return f;
}

LegacyFileSpec PlausibleLegacySpec()
{
    LegacyFileSpec spec;
    spec.histogramClasses = 60;
    return spec;
}

LegacyFileSpec LegacyHistorySpec(std::uint32_t records, std::array<std::uint16_t, 3> stepWords)
{
    LegacyFileSpec spec;
    spec.bufferRecords = records;
    spec.stepWords = stepWords;
    return spec;
}

LegacyFileSpec LegacyTwoChannelSpec(std::uint16_t prefixWord)
{
    LegacyFileSpec spec;
    spec.layout = LegacyFileSpec::Layout::Prefixed;
    spec.prefixWord = prefixWord;
    spec.inputKind = 2;
    LegacyChannelSpec accelerometer{.input = 5, .function = 8, .range = 3, .filter = 24, .timeStepCode = 10,
                                    .calibration = 15, .flags = 0x10, .vectorCoefficient = -1};
    spec.channels = {LegacyChannelSpec{.input = 2, .vectorCoefficient = 0}, accelerometer};
    return spec;
}

LegacyFileSpec LegacyProbeSpec(bool vector)
{
    LegacyFileSpec spec;
    spec.layout = LegacyFileSpec::Layout::Probe;
    spec.statistics = false;
    if (vector) {
        // Three accelerometer axes (word 1 zero) of Wd, Wd, Wk and their vector sum.
        spec.inputKind = 6;
        spec.channelMode = 1;
        spec.probeFlags = 0x1;
        auto axis = [](std::int16_t filter, std::int16_t factor) {
            return LegacyChannelSpec{.input = 0, .function = 8, .range = 3, .filter = filter, .timeStepCode = 10,
                                     .calibration = 0, .flags = 0x10, .vectorCoefficient = factor};
        };
        spec.channels = {axis(24, 140), axis(24, 140), axis(23, 100), axis(0, 0), axis(23, 0)};
    } else {
        // Four microphones of the intensity probe and the intensity channel.
        spec.inputKind = 8;
        spec.channelMode = 2;
        spec.probeFlags = 0x2;
        const LegacyChannelSpec mic{.input = 1, .vectorCoefficient = 0};
        spec.channels = {mic, mic, mic, mic, mic};
    }
    return spec;
}

std::vector<MultifileMember> LegacyMultifileMembers(int count)
{
    std::vector<MultifileMember> members;
    for (int i = 1; i <= count; ++i) {
        LegacyFileSpec spec;
        switch ((i - 1) % 3) {
        case 0: spec = PlausibleLegacySpec(); break;
        case 1: spec = LegacyHistorySpec(500, {0, 0, 125}); break;
        default: spec.statistics = false; break;
        }
        spec.time = static_cast<std::uint16_t>(spec.time + 300 * i);
        members.push_back({"FILE" + std::to_string(i), LegacyMeasurementFile(spec)});
    }
    return members;
}

} // namespace orlu::fixture
