#include "support/FourChannelFixture.h"

#include "support/FixtureBuilder.h"

#include <bit>
#include <cmath>

namespace orlu::fixture {
namespace {

void Push32(std::vector<std::uint16_t>& words, std::uint32_t value)
{
    words.push_back(static_cast<std::uint16_t>(value));
    words.push_back(static_cast<std::uint16_t>(value >> 16));
}

// Level words 3 to 13 of a results record in 0.1 dB: peak, P-P or Max, min,
// SPL, max, Lden, Leq, Ltm3, Ltm5, and two dose words; each channel adds
// 1 dB, each profile 10 dB.
constexpr std::int16_t kLevels[] = {1000, 650, 700, 750, 900, 720, 800, 810, 820, 830, 840};

// The same words of a plausible measurement. A microphone: Peak 104.5, word 4 the Max,
// Min 58.7, SPL 76.2, Max 93.4, Lden 82.3, Leq 81.5, Ltm3 83.6, Ltm5 85.1 dB, then the
// percentage n = 10 (a count, never scaled) and L10 = 86.0 dB. An accelerometer, in dB
// over 1 m/s2: Peak 12.0, peak-to-peak 18.0, MTVV 4.0, VDV 16.8 and RMS 0.0 at words 3,
// 4, 7, 8 and 9 (a VDV of 1.4 x RMS x T^0.25 over ten minutes); the other words the RMS.
constexpr std::int16_t kPlausibleSound[] = {1045, 934, 587, 762, 934, 823, 815, 836, 851, 10, 860};
constexpr std::int16_t kPlausibleVibration[] = {120, 180, 0, 0, 40, 168, 0, 0, 0, 0, 0};
constexpr std::size_t kStatNumberWord = 9; // index of word 12 in the tables above

// Words 3 to 13 of channel c, profile p in the file's unit (scale 1: 0.1 dB, 10: 0.01 dB).
std::array<std::uint16_t, 11> ResultWords(const FourChannelSpec& spec, int c, int p, int scale)
{
    const auto channel = static_cast<std::size_t>(c);
    const bool microphone = channel < spec.channels.size() && spec.channels[channel].microphone;
    const std::int16_t* levels = !spec.plausibleLevels ? kLevels : microphone ? kPlausibleSound : kPlausibleVibration;
    const int step = spec.plausibleLevels ? 10 * c + 10 * p : 10 * c + 100 * p;
    std::array<std::uint16_t, 11> words{};
    for (std::size_t k = 0; k < words.size(); ++k)
        words[k] = spec.plausibleLevels && microphone && k == kStatNumberWord
                       ? static_cast<std::uint16_t>(levels[k])
                       : static_cast<std::uint16_t>((levels[k] + step) * scale);
    return words;
}

// The words of logger or recording row r: the generated words, then the values given for them.
void FillRow(const FourChannelSpec& spec, std::uint32_t r, std::vector<std::uint16_t>& words)
{
    for (std::uint32_t w = 0; w < words.size(); ++w)
        words[w] = LoggerRowWord(r, w);
    const std::size_t channels = spec.channels.size();
    auto put = [&](std::size_t word, std::uint16_t value) {
        if (word < words.size())
            words[word] = value;
    };
    if (spec.history == FourChannelSpec::History::Waveform) {
        // Three bytes per recorded channel, in channel order, from byte 0 of the row.
        for (const FourChannelSpec::ChannelSamples& s : spec.samples) {
            if (s.values.empty() || !((spec.waveformMask >> s.channel) & 1u))
                continue;
            const std::size_t byte = 3u * static_cast<std::size_t>(std::popcount(spec.waveformMask & ((1u << s.channel) - 1u)));
            const auto v = static_cast<std::uint32_t>(s.values[r % s.values.size()]);
            for (std::size_t k = 0; k < 3; ++k) {
                const std::size_t at = byte + k;
                if (at / 2 >= words.size())
                    break;
                const auto b = static_cast<std::uint16_t>((v >> (8 * k)) & 0xFF);
                words[at / 2] = at % 2 ? static_cast<std::uint16_t>((words[at / 2] & 0x00FF) | (b << 8))
                                       : static_cast<std::uint16_t>((words[at / 2] & 0xFF00) | b);
            }
        }
    } else {
        // A channel's first result follows the first results group's columns of the channels before it.
        for (const FourChannelSpec::ChannelLevels& l : spec.channelLevels) {
            if (l.tenths.empty())
                continue;
            std::size_t column = 0;
            for (std::size_t c = 0; c < l.channel && c < channels && c < spec.profiles.size(); ++c)
                column += static_cast<std::size_t>(std::popcount(static_cast<unsigned>(spec.profiles[c].bufferWord & 0xFF)));
            const std::size_t k = r % l.tenths.size();
            const bool overload = k < l.overload.size() && l.overload[k];
            put(column, static_cast<std::uint16_t>((l.tenths[k] * 2) | (overload ? 1 : 0)));
        }
    }
    if (spec.rotationInBuffer != 0 && !spec.rpm.empty()) {
        // The rotation follows the results and the vector, or a recording's samples.
        std::size_t at = 0;
        if (spec.history == FourChannelSpec::History::Waveform) {
            at = (static_cast<std::size_t>(std::popcount(spec.waveformMask)) * 3 + 1) / 2;
        } else {
            for (const FourChannelProfileBlock& p : spec.profiles)
                at += static_cast<std::size_t>(std::popcount(static_cast<unsigned>(p.bufferWord & 0xFF)));
            at += spec.vectorInBuffer != 0 ? 1 : 0;
        }
        const std::array<std::uint16_t, 2> rpm = RpmWords(spec.rpm[r % spec.rpm.size()]);
        put(at, rpm[0]);
        put(at + 1, rpm[1]);
    }
    if (spec.history != FourChannelSpec::History::Logger)
        return;
    // The FFT blocks of the type-33 entries close the row, in entry order: a leading word,
    // the lines and the extra line.
    std::size_t at = 0;
    for (const FourChannelProfileBlock& p : spec.profiles)
        at += static_cast<std::size_t>(std::popcount(static_cast<unsigned>(p.bufferWord & 0xFF)));
    at += (spec.vectorInBuffer != 0 ? 1 : 0) + (spec.rotationInBuffer != 0 ? 2 : 0);
    for (const LoggerDescriptor& d : spec.descriptors) {
        if (d.type != 33)
            continue;
        for (const LoggerDescriptor::Entry& e : d.entries) {
            const auto levels = spec.fftLevels.find(e.channel);
            const std::size_t values = std::size_t{e.first} + e.second;
            if (levels != spec.fftLevels.end() && !levels->second.empty()) {
                put(at, 0);
                for (std::size_t i = 0; i < values; ++i)
                    put(at + 1 + i, static_cast<std::uint16_t>(levels->second[i % levels->second.size()] -
                                                               static_cast<int>(r) * spec.fftRowStep));
            }
            at += 1 + values;
        }
    }
}

bool Hundredths(const FourChannelSpec& spec)
{
    return spec.firmware >= 216 && spec.history == FourChannelSpec::History::None;
}

} // namespace

FourChannelSpec MakeFourChannelSpec(std::uint16_t deviceType, std::uint16_t firmware, int channels,
                                    int profilesPerChannel, bool microphoneFirst)
{
    FourChannelSpec spec;
    spec.deviceType = deviceType;
    spec.firmware = firmware;
    spec.channelCountWord = static_cast<std::uint16_t>(channels);
    spec.profileCountWord = static_cast<std::uint16_t>(channels * profilesPerChannel);
    for (int c = 0; c < channels; ++c)
        spec.channels.push_back({(c == 0) == microphoneFirst, static_cast<std::int16_t>(-250 + 10 * c), 1});
    for (int j = 0; j < channels * profilesPerChannel; ++j) {
        const int c = j % channels;
        const int p = j / channels;
        const auto up = static_cast<std::uint16_t>(p);
        spec.profiles.push_back({static_cast<std::uint16_t>(spec.channels[static_cast<std::size_t>(c)].microphone ? 2 + up : 11 + up),
                                 static_cast<std::uint16_t>(1 + up), 0, static_cast<std::uint16_t>(100 + j)});
    }
    return spec;
}

std::array<std::uint16_t, 2> RpmWords(double rpm)
{
    if (!(rpm > 0.0))
        return {0, 0};
    // rpm = 60 / (m x 2^(e - 151)), m of 24 bits with its top bit set.
    int exponent = 0;
    const double fraction = std::frexp(60.0 / rpm, &exponent); // 0.5 <= fraction < 1
    auto mantissa = static_cast<std::uint32_t>(std::lround(std::ldexp(fraction, 24)));
    int e = exponent - 24;
    if (mantissa >= (1u << 24)) {
        mantissa >>= 1;
        ++e;
    }
    const auto hi = static_cast<std::uint16_t>(((e + 151) << 8) | (mantissa >> 16));
    return {static_cast<std::uint16_t>(mantissa & 0xFFFF), hi};
}

std::uint32_t FourChannelRowLength(const FourChannelSpec& spec)
{
    std::uint32_t row = 0;
    if (spec.history == FourChannelSpec::History::Waveform) {
        // 24-bit samples: three bytes per channel of the mask, rounded up to whole words.
        row = (static_cast<std::uint32_t>(std::popcount(spec.waveformMask)) * 3 + 1) / 2;
        return row + (spec.rotationInBuffer != 0 ? 2 : 0) + (spec.vectorInBuffer != 0 ? 1 : 0);
    }
    for (const FourChannelProfileBlock& p : spec.profiles)
        row += static_cast<std::uint32_t>(std::popcount(static_cast<unsigned>(p.bufferWord & 0xFF)));
    row += spec.vectorInBuffer != 0 ? 1 : 0;
    row += spec.rotationInBuffer != 0 ? 2 : 0;
    for (const LoggerDescriptor& d : spec.descriptors)
        if (d.type == 33)
            for (const LoggerDescriptor::Entry& e : d.entries)
                row += e.first + e.second + 1u;
    return row;
}

std::vector<std::uint8_t> FourChannelMeasurementFile(const FourChannelSpec& spec)
{
    const bool hundredths = Hundredths(spec);
    const int scale = hundredths ? 10 : 1;
    FixtureBuilder f;
    f.FileHeaderRecord(spec.name);
    // Record 2 (7 words): serial, type, firmware, two zero words, the file-system version in word 6.
    f.Record(2, {spec.serial, spec.deviceType, spec.firmware, 0, 0, spec.fileSystem});
    f.TitleRecord(spec.title);

    // Record 4 (36 words).
    std::vector<std::uint16_t> r4(35, 0);
    auto w4 = [&](int word, std::uint16_t value) { r4.at(static_cast<std::size_t>(word - 1)) = value; };
    w4(1, (24 << 9) | (1 << 5) | 1); // date 24/01/01 (2024-01-01)
    w4(2, 0x6000); // time
    w4(3, spec.function);
    w4(4, spec.flagsWord);
    w4(5, 0);      // repetition cycle
    w4(7, 60);     // integration time 60 s
    w4(16, 1);     // Leq integration
    w4(18, 1200);  // reference levels of acceleration, velocity, displacement
    w4(19, 1100);
    w4(20, 1000);
    w4(21, spec.channelCountWord);
    w4(22, spec.profileCountWord);
    w4(23, spec.channelCountWord);
    w4(29, 480);                                   // exposition time (minutes)
    w4(30, static_cast<std::uint16_t>(850 * scale)); // criterion level
    w4(31, static_cast<std::uint16_t>(800 * scale)); // threshold level
    w4(32, 3);                                     // exchange rate
    if (spec.firmware >= 220)
        w4(35, spec.rotationInBuffer);
    f.Record(4, r4);

    // Channel record (type 5): a block of 6 words per channel from word 1:
    // length 6, microphone word, calibration, range, then the first
    // microphone words, so that words 5 and 6 of the record are the field
    // correction and the polarization or outdoor-filter word.
    std::vector<std::uint16_t> channels;
    for (const FourChannelBlock& c : spec.channels)
        channels.insert(channels.end(), {0x0600, static_cast<std::uint16_t>(c.microphone ? 1 : 0),
                                         static_cast<std::uint16_t>(c.calibration), c.range,
                                         spec.fieldCorrection, spec.secondMicrophoneWord});
    f.Record(5, channels);
    // Profile record (type 6): word 1 the profile count, then blocks of 6 words:
    // length 6, profile number, filter, detector, buffer contents, flags.
    std::vector<std::uint16_t> profiles{static_cast<std::uint16_t>(spec.profiles.size())};
    for (std::size_t j = 0; j < spec.profiles.size(); ++j) {
        const FourChannelProfileBlock& p = spec.profiles[j];
        profiles.insert(profiles.end(),
                        {0x0600, static_cast<std::uint16_t>(j), p.filter, p.detector, p.bufferWord, p.flags});
    }
    f.Record(6, profiles);

    if (spec.vectorRecord) {
        // Vector settings 30: in-buffer word, four coefficients (x 100), four use words.
        std::vector<std::uint16_t> v{spec.vectorInBuffer};
        v.insert(v.end(), spec.coefficients.begin(), spec.coefficients.end());
        v.insert(v.end(), spec.coefficientUse.begin(), spec.coefficientUse.end());
        if (spec.vectorLevel)
            v.push_back(static_cast<std::uint16_t>(*spec.vectorLevel));
        f.Record(30, v);
    }
    if (spec.dose) {
        const FourChannelSpec::DoseSetup& d = *spec.dose;
        f.Record(31, {static_cast<std::uint16_t>(d.axisX << 8 | d.axisY), static_cast<std::uint16_t>(d.kind << 8 | d.axisZ),
                      d.dailyMinutes, d.limitVariant});
    }
    if (spec.seat)
        f.Record(44, {spec.seat->base, spec.seat->seat});

    const int channelCount = static_cast<int>(spec.channels.size());
    const bool noHistory = spec.history == FourChannelSpec::History::None;
    if (noHistory && (spec.function == 2 || spec.function == 3) && spec.spectrumMask != 0) {
        // Octave setup 9: word 1 the channel mask; per channel of it a block of
        // 4 words: length 4, 0, octave filter, in-buffer word.
        std::vector<std::uint16_t> setup{spec.spectrumMask};
        for (int c = 0; c < channelCount; ++c)
            if (spec.spectrumMask & (1u << c))
                setup.insert(setup.end(), {0x0400, 0, static_cast<std::uint16_t>(spec.function == 2 ? 1 : 2), 0});
        f.Record(9, setup);
        // Then a spectrum record (15 for 1/1, 16 for 1/3) per channel of the mask:
        // lowest band, bands, extras, then the band levels.
        for (int c = 0; c < channelCount; ++c) {
            if (!(spec.spectrumMask & (1u << c)))
                continue;
            std::vector<std::uint16_t> levels{spec.lowestBand, spec.bands, spec.bandExtras};
            if (const auto own = spec.channelSpectra.find(c); own != spec.channelSpectra.end()) {
                const FourChannelSpec::ChannelSpectrum& s = own->second;
                levels = {spec.lowestBand, s.bands, s.extras};
                levels.insert(levels.end(), s.bands + s.extras, static_cast<std::uint16_t>(s.tenths * scale));
            } else {
                // A microphone's bands from 60 dB; an accelerometer's are stored over the
                // 1 m/s2 of the 120 dB reference (record 4): from 20 dB below it, 0.1 m/s2.
                const bool microphone = static_cast<std::size_t>(c) < spec.channels.size() &&
                                        spec.channels[static_cast<std::size_t>(c)].microphone;
                const int base = microphone ? 600 : -200;
                for (int k = 0; k < spec.bands + spec.bandExtras; ++k)
                    levels.push_back(static_cast<std::uint16_t>((base + 10 * c + k) * scale));
            }
            f.Record(spec.function == 2 ? 15 : 16, levels);
            if (spec.channelMinMax) {
                // MIN then MAX: the band words as they are, the levels 10 dB (100 tenths) apart.
                for (const int step : {-100, 100}) {
                    std::vector<std::uint16_t> other = levels;
                    for (std::size_t k = 3; k < other.size(); ++k)
                        other[k] = static_cast<std::uint16_t>(static_cast<std::int16_t>(other[k]) + step * scale);
                    const bool min = step < 0;
                    f.Record(spec.function == 2 ? (min ? 46 : 45) : (min ? 48 : 47), other);
                }
            }
        }
        if (spec.extraSpectrum)
            f.Record(spec.function == 2 ? 46 : 48, {0, 0});
        if (!spec.bandHistograms.empty()) {
            std::vector<std::uint16_t> words{0, 0};
            for (const auto& [c, h] : spec.bandHistograms) {
                words[1] = static_cast<std::uint16_t>(words[1] | 1u << c);
                const std::size_t classes = h.bands.empty() ? 0 : h.bands.front().size();
                words.insert(words.end(), {0, static_cast<std::uint16_t>(6 + 2 * classes * h.bands.size()),
                                           static_cast<std::uint16_t>(h.bands.size()),
                                           static_cast<std::uint16_t>(classes), static_cast<std::uint16_t>(h.lowest),
                                           static_cast<std::uint16_t>(h.width)});
                for (const auto& band : h.bands)
                    for (std::uint32_t n : band)
                        Push32(words, n);
            }
            // A record past 255 words gives its length in word 1, which the placeholder held.
            if (words.size() + 1 > 255)
                words.erase(words.begin());
            f.Record(21, words);
        }
    }
    if (spec.function == 6 && spec.spectrumMask != 0) {
        // FFT setup 11: word 1 the channel mask; per channel a block of 12 words:
        // length 12, 0, two spectrum words, 0, lines, extra line, zoom, window,
        // 0, the sampling rate (32-bit).
        std::vector<std::uint16_t> setup{spec.spectrumMask};
        for (int c = 0; c < channelCount; ++c)
            if (spec.spectrumMask & (1u << c)) {
                setup.insert(setup.end(), {0x0C00, 0, 0, 0, 0, spec.fftLines, 0, spec.fftZoom, 1, 0});
                Push32(setup, spec.samplingRate);
            }
        f.Record(11, setup);
        if (spec.history == FourChannelSpec::History::None) {
            for (int c = 0; c < channelCount; ++c) {
                const auto levels = spec.fftLevels.find(c);
                if (!(spec.spectrumMask & (1u << c)) || levels == spec.fftLevels.end() || levels->second.empty())
                    continue;
                std::vector<std::uint16_t> words;
                for (std::size_t i = 0; i < spec.fftLines; ++i)
                    words.push_back(static_cast<std::uint16_t>(levels->second[i % levels->second.size()] * scale));
                f.Record(17, words, true);
            }
        }
    }

    if (noHistory) {
        // Results records 13 of 14 words: words 1-2 the measurement time (of the
        // overload records the overload time), words 3 to 13 the levels. From
        // firmware 2.17 record c + 4p holds channel c, profile p and the overload
        // time of channel c is in record c + 4; before, record c holds channel c and
        // record 1 (when there is a second channel) the overload time: a one-channel
        // file has a single results record.
        const bool byProfile = spec.firmware >= 217;
        int perChannel = 1;
        if (channelCount > 0)
            perChannel = std::max(1, static_cast<int>(spec.profiles.size()) / channelCount);
        const int records = byProfile ? 4 * std::max(perChannel, 2) : std::max(channelCount, 1);
        for (int i = 0; i < records; ++i) {
            const int c = byProfile ? i % 4 : i;
            const int p = byProfile ? i / 4 : 0;
            const bool overload = byProfile ? i >= 4 && i < 8 : i == 1;
            std::vector<std::uint16_t> words;
            Push32(words, overload ? spec.overloadSeconds + static_cast<std::uint32_t>(byProfile ? c : 0)
                                   : spec.measurementSeconds);
            if (const auto given = spec.resultLevels.find(i); given != spec.resultLevels.end()) {
                words.insert(words.end(), given->second.begin(), given->second.end());
            } else {
                const std::array<std::uint16_t, 11> levels = ResultWords(spec, c, p, scale);
                words.insert(words.end(), levels.begin(), levels.end());
            }
            f.Record(13, words);
        }
        if (!spec.rt60.times.empty()) {
            // Settings 36: word 1 the measurement count, word 3 the spectrum. Results 37 or 38
            // per channel (length in word 1, the channel index in word 2) and the mean 40 or 41
            // (length in word 1): the band setup (setting, third-octave count, totals, first
            // and last band), then 9 words per band or total: EDT, RT20, RT30, RTuser in ms
            // at words 1 to 4.
            const Rt60Results& rt = spec.rt60;
            f.Record(36, {rt.count, 0, rt.spectrum, 0, 0, 0, 0, 0, 0, 0});
            std::vector<std::uint16_t> blocks{rt.spectrum, 45, rt.totals, rt.firstBand, rt.lastBand};
            for (const auto& t : rt.times) {
                blocks.push_back(0);
                for (std::int16_t v : t)
                    blocks.push_back(static_cast<std::uint16_t>(v));
                blocks.insert(blocks.end(), 4, 0);
            }
            const bool single = rt.count == 1;
            for (std::uint16_t channel : spec.rtChannels) {
                std::vector<std::uint16_t> words{channel};
                words.insert(words.end(), blocks.begin(), blocks.end());
                f.Record(single ? 37 : 38, words, true);
            }
            if (spec.rtMean)
                f.Record(single ? 40 : 41, blocks, true);
        }
        if (spec.histogramMask != 0) {
            // Histogram layouts 18: word 1 the channel mask; per channel a block of
            // 4 words: length 4, classes, lowest class, class width (0.1 dB).
            std::vector<std::uint16_t> hist{spec.histogramMask};
            std::size_t given = 0;
            for (int c = 0; c < channelCount; ++c) {
                if (!(spec.histogramMask & (1u << c)))
                    continue;
                if (given < spec.histogramLayouts.size() && given < spec.histogramCounts.size()) {
                    const auto& [lowest, width] = spec.histogramLayouts[given];
                    hist.insert(hist.end(), {0x0400, static_cast<std::uint16_t>(spec.histogramCounts[given].size()),
                                             static_cast<std::uint16_t>(lowest), static_cast<std::uint16_t>(width)});
                } else {
                    hist.insert(hist.end(), {0x0400, static_cast<std::uint16_t>(40 + c), 300, 10});
                }
                ++given;
            }
            hist[0] = static_cast<std::uint16_t>(hist[0] | spec.histogramCounts.size() << 8);
            f.Record(18, hist);
            std::size_t block = 0;
            for (int c = 0; c < channelCount && block < spec.histogramCounts.size(); ++c) {
                if (!(spec.histogramMask & (1u << c)))
                    continue;
                const std::vector<std::uint32_t>& counts = spec.histogramCounts[block++];
                f.Le16(0x0012).Le16(static_cast<std::uint16_t>(3 + 2 * counts.size())).Le16(static_cast<std::uint16_t>(c));
                for (std::uint32_t n : counts)
                    f.Le32(n);
            }
        }
        f.ChainEnd();
        return f.Data();
    }

    const std::uint32_t row = FourChannelRowLength(spec);
    // The words from the first row to the end word: rows and the words between them.
    std::uint32_t dataWords = spec.rows * row;
    for (const FourChannelLoggerWord& w : spec.loggerWords)
        dataWords += w.top == 0x8 ? 1 : 4;
    const std::uint32_t n = spec.declaredCount;
    if (spec.history == FourChannelSpec::History::Logger) {
        // Logger 24 (10 words): byte offset of the first row, time step (s, ms),
        // data size in bytes, declared count, second count. Then the descriptors.
        std::size_t descriptorWords = 0;
        for (const LoggerDescriptor& d : spec.descriptors)
            descriptorWords += d.type == 11 ? 3 : (d.type == 9 ? 2 : d.type == 33 ? 1 : 3) + 4 * d.entries.size();
        const std::size_t dataStart = f.Size() / 2 + 10 + descriptorWords;
        std::vector<std::uint16_t> logger{static_cast<std::uint16_t>(2 * dataStart), spec.stepSeconds, spec.stepMillis};
        Push32(logger, 2 * dataWords);
        Push32(logger, n);
        Push32(logger, n);
        f.Record(24, logger);
        for (const LoggerDescriptor& d : spec.descriptors) {
            // Entries of 4 words after 1 (type 33), 2 (type 9) or 3 (type 34) words,
            // so that bits 10 to 15 of word 0 (length / 4) are the entry count.
            std::vector<std::uint16_t> words;
            if (d.type == 9)
                words.push_back(0);
            if (d.type == 34 || d.type == 11)
                words.insert(words.end(), {0, 0});
            for (const LoggerDescriptor::Entry& e : d.entries) {
                if (d.type == 33)
                    words.insert(words.end(), {e.channel, 0, e.first, e.second});
                else
                    words.insert(words.end(), {0, e.channel, e.first, e.second});
            }
            f.Record(d.type, words);
        }
    } else {
        // Recording 43 (9 words): channel mask, sampling-rate index, data size,
        // declared count, second count. The samples follow at once.
        std::vector<std::uint16_t> recording{spec.waveformMask, spec.rateIndex};
        Push32(recording, 2 * dataWords);
        Push32(recording, n);
        Push32(recording, n);
        f.Record(43, recording);
    }
    std::size_t next = 0;
    auto writeWords = [&](std::uint32_t afterRow) {
        for (; next < spec.loggerWords.size() && spec.loggerWords[next].afterRow == afterRow; ++next) {
            const FourChannelLoggerWord& w = spec.loggerWords[next];
            f.Le16(static_cast<std::uint16_t>((w.top << 12) | (w.value & 0xFF)));
            if (w.top != 0x8)
                for (int k = 1; k <= 3; ++k)
                    f.Le16(static_cast<std::uint16_t>((w.value >> (8 * k)) & 0xFF));
        }
    };
    std::vector<std::uint16_t> words(row);
    for (std::uint32_t r = 0; r < spec.rows; ++r) {
        writeWords(r);
        FillRow(spec, r, words);
        for (std::uint16_t w : words)
            f.Le16(w);
    }
    writeWords(spec.rows);
    f.ChainEnd();
    return f.Data();
}

} // namespace orlu::fixture
