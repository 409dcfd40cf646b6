#include "support/FixtureBuilder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <stdexcept>

namespace orlu::fixture {

FixtureBuilder& FixtureBuilder::Byte(std::uint8_t value)
{
    m_Bytes.push_back(value);
    return *this;
}

FixtureBuilder& FixtureBuilder::Bytes(std::initializer_list<std::uint8_t> values)
{
    m_Bytes.insert(m_Bytes.end(), values.begin(), values.end());
    return *this;
}

FixtureBuilder& FixtureBuilder::Bytes(std::span<const std::uint8_t> values)
{
    m_Bytes.insert(m_Bytes.end(), values.begin(), values.end());
    return *this;
}

FixtureBuilder& FixtureBuilder::Le16(std::uint16_t value)
{
    return Byte(static_cast<std::uint8_t>(value & 0xFF)).Byte(static_cast<std::uint8_t>(value >> 8));
}

FixtureBuilder& FixtureBuilder::Le32(std::uint32_t value)
{
    return Le16(static_cast<std::uint16_t>(value & 0xFFFF)).Le16(static_cast<std::uint16_t>(value >> 16));
}

FixtureBuilder& FixtureBuilder::Padding(std::size_t n, std::uint8_t value)
{
    m_Bytes.insert(m_Bytes.end(), n, value);
    return *this;
}

FixtureBuilder& FixtureBuilder::Text(std::string_view text)
{
    for (char c : text)
        Byte(static_cast<std::uint8_t>(c));
    return *this;
}

FixtureBuilder& FixtureBuilder::TextField(std::string_view text, std::size_t width)
{
    std::string_view cut = text.substr(0, width);
    return Text(cut).Padding(width - cut.size());
}

FixtureBuilder& FixtureBuilder::Pattern(std::size_t n)
{
    m_Bytes.reserve(m_Bytes.size() + n);
    for (std::size_t i = 0; i < n; ++i)
        m_Bytes.push_back(static_cast<std::uint8_t>((i * 7 + 3) & 0xFF));
    return *this;
}

FixtureBuilder& FixtureBuilder::ContainerHeader(std::uint8_t kind, std::uint8_t subKind, std::uint8_t flags,
                                                std::uint32_t dataLength, std::uint16_t headerLength)
{
    Text("OrluPC").Byte(0x1A).Byte(0x00);
    Le16(headerLength);
    Byte(kind).Byte(subKind).Byte(flags).Byte(0);
    Le32(dataLength);
    if (headerLength > 18)
        Padding(headerLength - 18u);
    return *this;
}

FixtureBuilder& FixtureBuilder::DosHeader(char letter, char versionDigit, std::uint8_t subKind, std::uint16_t skipped)
{
    Byte(static_cast<std::uint8_t>(letter)).Text("-WY-");
    Byte(static_cast<std::uint8_t>(versionDigit)).Byte(0).Byte(subKind);
    Le16(skipped);
    return Padding(skipped, 0xEE);
}

FixtureBuilder& FixtureBuilder::MultifileEntry(std::string_view name, std::uint8_t kind, std::uint32_t offset,
                                               std::uint32_t length, std::uint32_t previousLink,
                                               std::uint32_t nextLink)
{
    TextField(name, 10).Byte(kind).Byte(0);
    return Le32(offset).Le32(length).Le32(previousLink).Le32(nextLink);
}

FixtureBuilder& FixtureBuilder::RtBlock(std::span<const std::uint8_t> records)
{
    Le32(static_cast<std::uint32_t>(records.size()));
    return Bytes(records);
}

FixtureBuilder& FixtureBuilder::RecordIndex(std::initializer_list<std::uint32_t> values)
{
    for (std::uint32_t v : values)
        Le32(v);
    return *this;
}

FixtureBuilder& FixtureBuilder::FileHeaderRecord(std::string_view name, bool setupMark, std::uint16_t createdDate,
                                                 std::uint16_t createdTime)
{
    Le16(0x0C01).TextField(name, 8).Le16(setupMark ? 0x0200 : 0).Le16(createdDate).Le16(createdTime);
    return Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF);
}

FixtureBuilder& FixtureBuilder::TitleRecord(std::string_view title)
{
    std::string text(title);
    if (text.size() % 2)
        text.push_back(' ');
    return Le16(static_cast<std::uint16_t>(3 | ((1 + text.size() / 2) << 8))).Text(text);
}

FixtureBuilder& FixtureBuilder::Record(std::uint8_t type, std::initializer_list<std::uint16_t> words,
                                       bool lengthInWord1)
{
    return Record(type, std::span<const std::uint16_t>(words.begin(), words.size()), lengthInWord1);
}

FixtureBuilder& FixtureBuilder::Record(std::uint8_t type, std::span<const std::uint16_t> words, bool lengthInWord1)
{
    std::size_t length = 1 + words.size();
    if (lengthInWord1 || length > 255) {
        Le16(type); // high byte 0: the length is in word 1
        Le16(static_cast<std::uint16_t>(length + 1));
    } else {
        Le16(static_cast<std::uint16_t>(type | (length << 8)));
    }
    for (std::uint16_t w : words)
        Le16(w);
    return *this;
}

FixtureBuilder& FixtureBuilder::ChainEnd()
{
    return Le16(0xFFFF);
}

FixtureBuilder& FixtureBuilder::ChecksumWord(std::size_t from)
{
    if (from % 2 != 0 || (m_Bytes.size() - from) % 2 != 0)
        throw std::logic_error("a check word needs whole words from an even offset");
    std::uint32_t sum = 0;
    for (std::size_t i = from; i < m_Bytes.size(); i += 2)
        sum += m_Bytes[i] | (m_Bytes[i + 1] << 8);
    return Le16(static_cast<std::uint16_t>(0x10000u - (sum & 0xFFFF)));
}

FixtureBuilder& FixtureBuilder::PatchLe16(std::size_t offset, std::uint16_t value)
{
    m_Bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
    m_Bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
    return *this;
}

FixtureBuilder& FixtureBuilder::PatchLe32(std::size_t offset, std::uint32_t value)
{
    PatchLe16(offset, static_cast<std::uint16_t>(value & 0xFFFF));
    return PatchLe16(offset + 2, static_cast<std::uint16_t>(value >> 16));
}

void FixtureBuilder::WriteTo(const std::filesystem::path& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(m_Bytes.data()), static_cast<std::streamsize>(m_Bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FixtureBuilder Multifile(std::uint8_t kind, std::span<const MultifileMember> files)
{
    std::uint32_t dataLength = 0;
    for (const MultifileMember& m : files)
        dataLength += static_cast<std::uint32_t>(m.bytes.size());
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, dataLength);
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto length = static_cast<std::uint32_t>(files[i].bytes.size());
        const bool last = i + 1 == files.size();
        f.MultifileEntry(files[i].name, kind, offset, length, static_cast<std::uint32_t>(i),
                         last ? 0 : static_cast<std::uint32_t>(i + 2));
        offset += length;
    }
    for (const MultifileMember& m : files)
        f.Bytes(m.bytes);
    return f;
}

std::vector<MultifileMember> GeneratedMultifileMembers(int count, const CurrentFileSpec& base)
{
    using Spectrum = CurrentFileSpec::Spectrum;
    std::vector<MultifileMember> members;
    for (int i = 1; i <= count; ++i) {
        CurrentFileSpec c = base;
        c.name = "MEAS" + std::to_string(i);
        switch ((i - 1) % 5) {
        case 0: // two classes from 30.0 dB, 1.0 dB wide
            c.statistics = true;
            c.histogramClasses = 2;
            c.histogramCounts = {5, 7};
            break;
        case 1: // 50 lines
            c.function = 6;
            c.spectrum = Spectrum::Fft;
            c.bands = 50;
            break;
        case 2: // 31 bands from 20 Hz and 3 totals; four classes of band statistics
            c.function = 3;
            c.spectrum = Spectrum::ThirdOctave;
            c.bands = 31;
            c.bandExtras = 3;
            c.lowestBand = 200;
            c.bandHistogramCounts = {1, 2, 3, 4};
            break;
        case 3: // 10 bands from 31.5 Hz and 2 totals
            c.function = 2;
            c.spectrum = Spectrum::Octave;
            c.bands = 10;
            c.bandExtras = 2;
            c.lowestBand = 315;
            c.bandHistogramCounts = {4, 3, 2, 1};
            break;
        default:
            break;
        }
        members.push_back({"FILE" + std::to_string(i), CurrentMeasurementFile(c)});
    }
    return members;
}

std::vector<std::uint8_t> BrokenChainFile(ChainFault fault)
{
    // The sample's records start at words 0 (1), 12 (2), 22 (3), 30 (4), 70 (5),
    // 90, 104 and 118 (7); the end word is word 132.
    std::vector<std::uint8_t> bytes = SampleCurrentFamilyFile();
    FixtureBuilder f;
    f.Bytes(bytes);
    switch (fault) {
    case ChainFault::TruncatedLastRecord:
        return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 2 * (118 + 5));
    case ChainFault::Overrun:
        f.PatchLe16(2 * 70, 0x0005).PatchLe16(2 * 71, 0x7FFF);
        break;
    case ChainFault::ZeroLength:
        f.PatchLe16(2 * 22, 0x0003).PatchLe16(2 * 23, 0);
        break;
    }
    return f.Data();
}

} // namespace orlu::fixture

namespace orlu::fixture {

std::uint16_t LoggerRowWord(std::uint32_t row, std::uint32_t word)
{
    // 40 to 139.9 dB in 0.05 dB, even: well below the marker words 0x8xxx.
    return static_cast<std::uint16_t>(((800 + (row * 7 + word * 13) % 2000) * 2) & 0x7FFE);
}

std::vector<std::uint16_t> SampleTonalityWords(std::uint16_t tones)
{
    // Word 1 not shown; bandwidth 50 %, seek 6.0 dB, regression 75 %, band 3.0 dB, df 1.500 Hz,
    // Kt 4.0 dB, Lpt 65.2 dB, Lpn 59.8 dB, Lta -1.2 dB, Ftc 666 steps, the tone count.
    std::vector<std::uint16_t> words{0, 50, 60, 75, 30, 1500, 40, 652, 598, 0xFFF4, 666, tones};
    for (std::uint16_t t = 1; t <= tones; ++t)
        words.push_back(static_cast<std::uint16_t>(100 * t));
    return words;
}

Rt60Results SampleRt60ThirdOctaves(std::uint16_t bands)
{
    Rt60Results rt;
    rt.count = 1;
    rt.spectrum = 3;
    rt.firstBand = 28; // 500 Hz from 0.8 Hz
    rt.lastBand = static_cast<std::uint16_t>(28 + bands - 1);
    rt.totals = 2;
    for (int i = 0; i < bands + 2; ++i) {
        const auto ms = static_cast<std::int16_t>(1200 - 37 * i);
        rt.times.push_back({ms, static_cast<std::int16_t>(ms - 11), static_cast<std::int16_t>(ms + 7),
                            static_cast<std::int16_t>(i % 4 == 3 ? -1 : ms + 3)});
    }
    return rt;
}

std::vector<std::uint8_t> CurrentMeasurementFile(const CurrentFileSpec& spec)
{
    FixtureBuilder f;
    f.FileHeaderRecord(spec.name, spec.setupFile, spec.createdDate, spec.createdTime);
    // Record 2 (10 words): serial, type, firmware, 0, 0, variant, file system, 0, sub-version.
    f.Record(2, {spec.serial, spec.deviceType, spec.firmware, 0, 0, spec.variant, spec.fileSystem, 0, 0});
    f.TitleRecord(spec.title);
    // Record 4 (40 words).
    std::vector<std::uint16_t> r4(39, 0);
    r4[2] = spec.function;
    r4[3] = spec.inputKind;
    r4[4] = spec.range;
    r4[5] = spec.flagsWord;
    r4[6] = spec.repetitionCycle;
    r4[9] = static_cast<std::uint16_t>(spec.integrationSeconds);
    r4[10] = static_cast<std::uint16_t>(spec.integrationSeconds >> 16);
    r4[21] = spec.spectraInBuffer; // firmware 2.13 to 6.01: word 22
    for (auto [word, value] : spec.measurementWords)
        r4.at(word - 1u) = value;
    r4.resize(std::min<std::size_t>(r4.size(), spec.measurementRecordWords - 1u));
    f.Record(4, r4);
    if (spec.setupFile) {
        f.ChainEnd();
        return f.Data();
    }
    // Record 5: word 1 = 3 profiles, then blocks of 6 words (length 6 in the high byte of their word 0).
    std::vector<std::uint16_t> r5{3};
    for (const ProfileBlock& p : spec.profiles) {
        r5.insert(r5.end(), {0x0600, p.detector, static_cast<std::uint16_t>(p.filter), p.bufferWord,
                             static_cast<std::uint16_t>(p.calibration), p.flags});
    }
    f.Record(5, r5);

    if (spec.rowWords == 0 && spec.rows == 0) {
        // Results records 7: T or the overload time, then the levels from word 3.
        for (int profile = 0; profile < 3; ++profile) {
            std::vector<std::uint16_t> words(std::max<std::size_t>(spec.resultsRecordWords - 1u, 2), 0);
            const std::uint32_t time = profile == 1 ? spec.overloadSeconds : spec.measurementSeconds;
            // A record cut shorter than its time words keeps what fits.
            for (std::size_t i = 0; i < 2 && i < words.size(); ++i)
                words[i] = static_cast<std::uint16_t>(time >> (16 * i));
            for (std::size_t i = 0; i < spec.levels.size() && i + 2 < words.size(); ++i)
                words[i + 2] = static_cast<std::uint16_t>(spec.levels[i] + spec.profileLevelStep * profile);
            words.resize(spec.resultsRecordWords - 1u); // a record cut short keeps its first words
            f.Record(7, words);
        }
        if (!spec.tonality.empty())
            f.Record(29, spec.tonality);
        if (!spec.rotation.empty())
            f.Record(31, spec.rotation);
        if (!spec.rt60.times.empty()) {
            // Settings 26: word 1 the measurement count, word 3 the spectrum, ten words in all.
            const Rt60Results& rt = spec.rt60;
            f.Record(26, {rt.count, 0, rt.spectrum, 0, 0, 0, 0, 0, 0, 0});
            // Results: the length in word 1; words 2 to 6 the setting, the third-octave count,
            // the totals, the first and the last band; then 9 words per band or total:
            // one not shown, EDT, RT20, RT30, RTuser, four not shown.
            std::vector<std::uint16_t> words{rt.spectrum, static_cast<std::uint16_t>(rt.spectrum == 1 ? 0 : 45),
                                             rt.totals, rt.firstBand, rt.lastBand};
            for (const auto& t : rt.times) {
                words.push_back(0);
                for (std::int16_t v : t)
                    words.push_back(static_cast<std::uint16_t>(v));
                words.insert(words.end(), 4, 0);
            }
            f.Record(rt.count == 1 ? 27 : 28, words, true);
        }
        // Statistics definition 23: its length in the high byte, g = 3 levels per entry in
        // the high byte of word 1, the count in word 2, then percentage and three levels.
        if (spec.statistics && !spec.storedLevels.empty()) {
            std::vector<std::uint16_t> words{0x0300, static_cast<std::uint16_t>(spec.storedLevels.size())};
            for (const auto& [percentage, level] : spec.storedLevels) {
                const auto l = static_cast<std::uint16_t>(level);
                words.insert(words.end(), {percentage, l, l, l});
            }
            f.Record(23, words);
        } else if (spec.statistics) {
            std::vector<std::uint16_t> words{0x0300, 10};
            for (std::uint16_t n = 0; n < 10; ++n)
                words.insert(words.end(), {static_cast<std::uint16_t>(n * 10 + 1), static_cast<std::uint16_t>(900 - n * 20),
                                           static_cast<std::uint16_t>(910 - n * 20), static_cast<std::uint16_t>(920 - n * 20)});
            f.Record(23, words);
        }
        // The spectrum setup, then its levels in record 18 (length in word 1); an octave
        // spectrum record carries its levels itself.
        std::size_t levelCount = spec.bands + spec.bandExtras;
        const bool octaves = spec.spectrum == CurrentFileSpec::Spectrum::Octave;
        auto octaveRecord = [&](std::uint8_t type, const std::vector<std::int16_t>& levels) {
            // Word 2 lowest band, 3 bands, 4 extras, then the levels.
            std::vector<std::uint16_t> words{0, spec.lowestBand, spec.bands, spec.bandExtras};
            for (std::size_t i = 0; i < levelCount; ++i)
                words.push_back(static_cast<std::uint16_t>(levels.empty() ? 600 + i % 20 : levels[i % levels.size()]));
            f.Record(type, words);
        };
        switch (spec.spectrum) {
        case CurrentFileSpec::Spectrum::None:
            break;
        case CurrentFileSpec::Spectrum::Octave:
        case CurrentFileSpec::Spectrum::ThirdOctave:
            octaveRecord(octaves ? 14 : 16, spec.spectrumLevels);
            if (!spec.minSpectrumLevels.empty())
                octaveRecord(octaves ? 38 : 40, spec.minSpectrumLevels);
            if (!spec.maxSpectrumLevels.empty())
                octaveRecord(octaves ? 39 : 41, spec.maxSpectrumLevels);
            break;
        case CurrentFileSpec::Spectrum::Fft:
            // A tonality file's short band comes first: its locator stops at setup 17.
            if (!spec.shortBandLevels.empty()) {
                f.Record(22, {0, 0, static_cast<std::uint16_t>(spec.shortBandLevels.size()), 0, 1, spec.fftWindowWord, 0,
                              static_cast<std::uint16_t>(spec.shortBandRate),
                              static_cast<std::uint16_t>(spec.shortBandRate >> 16), 0});
                f.Record(18, std::vector<std::uint16_t>(spec.shortBandLevels.begin(), spec.shortBandLevels.end()), true);
            }
            // Setup 17: word 3 lines, 4 extra line, 5 exponent word (1: no zoom),
            // 6 window, 8 and 9 the sampling rate, 10 the window power.
            f.Record(17, {0, 0, spec.bands, spec.bandExtras, 1, spec.fftWindowWord, 0,
                          static_cast<std::uint16_t>(spec.samplingRate),
                          static_cast<std::uint16_t>(spec.samplingRate >> 16), 0});
            levelCount = spec.bands + (spec.bandExtras != 0 ? 1u : 0u);
            break;
        }
        if (spec.spectrum == CurrentFileSpec::Spectrum::Fft) {
            std::vector<std::uint16_t> levels(levelCount);
            for (std::size_t i = 0; i < levels.size(); ++i)
                levels[i] = i < spec.fftLevels.size() ? static_cast<std::uint16_t>(spec.fftLevels[i])
                                                      : static_cast<std::uint16_t>(600 + i % 20);
            f.Record(18, levels, true);
        }
        if (spec.envelopingFilter)
            f.Record(34, {*spec.envelopingFilter});
        if (!spec.userFilters.empty()) {
            std::vector<std::uint16_t> definitions;
            for (std::size_t i = 0; i < spec.userFilters.size(); ++i)
                definitions.insert(definitions.end(), {static_cast<std::uint16_t>(3 + i), 0, 0, 0});
            f.Record(24, definitions);
            for (std::size_t i = 0; i < spec.userFilters.size(); ++i) {
                const CurrentFileSpec::UserFilter& filter = spec.userFilters[i];
                std::vector<std::uint16_t> words{static_cast<std::uint16_t>(3 + i)};
                std::string name = filter.name.substr(0, 6);
                name.resize(6, '\0');
                for (std::size_t k = 0; k < 6; k += 2)
                    words.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(name[k]) |
                                                               static_cast<unsigned char>(name[k + 1]) << 8));
                for (std::int16_t level : filter.levels)
                    words.push_back(static_cast<std::uint16_t>(level));
                f.Record(25, words);
            }
        }
        // A histogram definition (9: classes, lowest class, width in words 3 to 5; 19: band
        // word, classes, lowest class, width in words 1 to 4), then its 32-bit counts in
        // record 11 or 20 (length in word 1): they start two words after the definition.
        auto counts = [&](std::uint8_t type, const std::vector<std::uint32_t>& values) {
            std::vector<std::uint16_t> words;
            for (std::uint32_t c : values)
                words.insert(words.end(), {static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(c >> 16)});
            f.Record(type, words, true);
        };
        if (spec.histogramClasses != 0) {
            f.Record(9, {0, 0, spec.histogramClasses, static_cast<std::uint16_t>(spec.histogramLowest),
                          static_cast<std::uint16_t>(spec.histogramWidth)});
            if (spec.histogramProfiles <= 1) {
                counts(11, spec.histogramCounts);
            } else {
                for (std::size_t p = 0; p < spec.histogramProfiles; ++p) {
                    const std::size_t from = std::min(p * spec.histogramClasses, spec.histogramCounts.size());
                    const std::size_t to = std::min(from + spec.histogramClasses, spec.histogramCounts.size());
                    counts(11, {spec.histogramCounts.begin() + static_cast<std::ptrdiff_t>(from),
                                spec.histogramCounts.begin() + static_cast<std::ptrdiff_t>(to)});
                }
            }
        }
        const auto declared = [&](std::size_t classes) {
            return spec.bandHistogramDeclaredClasses != 0 ? spec.bandHistogramDeclaredClasses
                                                          : static_cast<std::uint16_t>(classes);
        };
        if (!spec.bandHistograms.empty()) {
            const std::size_t classes = spec.bandHistograms.front().size();
            f.Record(19, {1, declared(classes), static_cast<std::uint16_t>(spec.bandHistogramLowest),
                          static_cast<std::uint16_t>(spec.bandHistogramWidth)});
            for (std::size_t v = 0; v < std::size_t{spec.bands} + spec.bandExtras; ++v) {
                std::vector<std::uint32_t> band = spec.bandHistograms[v % spec.bandHistograms.size()];
                band.resize(classes, 0);
                counts(20, band);
            }
        } else if (!spec.bandHistogramCounts.empty()) {
            f.Record(19, {1, declared(spec.bandHistogramCounts.size()), 400, 10});
            counts(20, spec.bandHistogramCounts);
        }
        f.ChainEnd();
        return f.Data();
    }

    // Buffer header 15: words 1 and 2 the time step (s, ms), 3 to 5 the band words, then the
    // counts: an 8-word record with the data size in words 6 and 7, or a 12-word record with
    // the declared count in words 8 and 9 and the second count in words 10 and 11.
    std::vector<std::uint16_t> b15{spec.stepSeconds, spec.stepMillis, spec.lowestBand, spec.bands, spec.bandExtras};
    // A logger of FFT spectra holds the FFT setup instead: words 3 to 10 as in setup 17.
    if (spec.spectrum == CurrentFileSpec::Spectrum::Fft && spec.spectraInBuffer != 0)
        b15 = {spec.stepSeconds, spec.stepMillis, spec.bands, spec.bandExtras, 1, spec.fftWindowWord, 0,
               static_cast<std::uint16_t>(spec.samplingRate), static_cast<std::uint16_t>(spec.samplingRate >> 16), 0};
    if (spec.sizeLayout) {
        const std::uint32_t size = spec.declaredCount;
        b15.insert(b15.end(), {0, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(size >> 16)});
    } else {
        const std::uint32_t n = spec.declaredCount;
        b15.insert(b15.end(), {0, 0, static_cast<std::uint16_t>(n), static_cast<std::uint16_t>(n >> 16),
                               static_cast<std::uint16_t>(n), static_cast<std::uint16_t>(n >> 16)});
    }
    f.Record(15, b15);
    std::size_t event = 0;
    auto writeEvents = [&](std::uint32_t afterRow) {
        for (; event < spec.events.size() && spec.events[event].afterRow == afterRow; ++event) {
            const LoggerEvent& e = spec.events[event];
            if (!e.isBreak) {
                f.Le16(static_cast<std::uint16_t>(0x8000 | (e.value & 0xFF)));
            } else {
                f.Le16(static_cast<std::uint16_t>(0xB000 | (e.value & 0xFF)));
                f.Le16(static_cast<std::uint16_t>((e.value >> 8) & 0xFF));
                f.Le16(static_cast<std::uint16_t>((e.value >> 16) & 0xFF));
                f.Le16(static_cast<std::uint16_t>((e.value >> 24) & 0xFF));
            }
        }
    };
    // The column of a profile: its rank among the profiles that log.
    std::vector<const LoggerLevels*> columnLevels(spec.rowWords, nullptr);
    for (const LoggerLevels& levels : spec.loggerLevels) {
        std::uint32_t column = 0;
        for (std::uint16_t p = 1; p < levels.profile && p <= 3; ++p)
            column += spec.profiles[p - 1].bufferWord != 0 ? 1 : 0;
        if (column < columnLevels.size() && !levels.tenths.empty())
            columnLevels[column] = &levels;
    }
    const std::uint32_t spectrumWords = spec.loggedSpectra.empty()
                                            ? spec.bands + spec.bandExtras
                                            : static_cast<std::uint32_t>(spec.loggedSpectra.front().size());
    const bool logsSpectra = !spec.loggedSpectrumLevels.empty() || !spec.loggedSpectra.empty();
    const std::uint32_t spectrumFrom = !logsSpectra || spectrumWords > spec.rowWords
                                           ? spec.rowWords
                                           : spec.rowWords - spectrumWords;
    for (std::uint32_t r = 0; r < spec.rows; ++r) {
        writeEvents(r);
        for (std::uint32_t w = 0; w < spec.rowWords; ++w) {
            if (w >= spectrumFrom && !spec.loggedSpectra.empty()) {
                const std::vector<std::int16_t>& row = spec.loggedSpectra[r % spec.loggedSpectra.size()];
                const std::uint32_t k = w - spectrumFrom;
                f.Le16(static_cast<std::uint16_t>(k < row.size() ? row[k] : 0));
                continue;
            }
            if (w >= spectrumFrom) {
                f.Le16(static_cast<std::uint16_t>(spec.loggedSpectrumLevels[r % spec.loggedSpectrumLevels.size()]));
                continue;
            }
            const LoggerLevels* levels = columnLevels[w];
            if (!levels) {
                f.Le16(LoggerRowWord(r, w));
                continue;
            }
            const std::size_t k = r % levels->tenths.size();
            const bool overload = k < levels->overload.size() && levels->overload[k];
            f.Le16(static_cast<std::uint16_t>((levels->tenths[k] * 2) | (overload ? 1 : 0)));
        }
    }
    writeEvents(spec.rows);
    f.ChainEnd();
    return f.Data();
}

std::vector<std::uint8_t> SampleCurrentFamilyFile()
{
    return CurrentMeasurementFile(CurrentFileSpec{});
}

CurrentFileSpec PlausibleMeasurementSpec(std::uint16_t inputKind, std::uint16_t firmware)
{
    CurrentFileSpec spec;
    spec.inputKind = inputKind;
    spec.firmware = firmware;
    // Record 4: the date (year - 2000) x 512 + month x 32 + day and the time in 2-second units.
    spec.measurementWords = {{1, 24 * 512 + 5 * 32 + 14}, {2, (14 * 3600 + 30 * 60 + 20) / 2}};
    const bool later = firmware >= 505;
    if (inputKind != 2) {
        // Levels in 0.1 dB over 1 um/s2, read as 10^(w / 200 - 6) m/s2: Peak 1416 (12.0), peak-to-peak
        // 1468 (21.9), MTVV 1330 (4.47), VDV 1430 (14.1), RMS 1280 (2.51); the other words the RMS.
        // Words 3, 4, then MTVV, VDV, RMS at 7 to 9, or MTVV at 5 and RMS, VDV at 8 and 9 from 5.05.
        spec.levels = later ? std::vector<std::int16_t>{1416, 1468, 1330, 1280, 1280, 1280, 1430, 1280, 1280, 1280, 1280}
                            : std::vector<std::int16_t>{1416, 1468, 1280, 1280, 1330, 1430, 1280, 1280, 1280, 1280, 1280};
        return spec;
    }
    // Dose setup where firmware 2.33 to 5.99 keep it: 480 minutes a day, criterion 85.0 dB,
    // threshold 80.0 dB, exchange rate 3 dB.
    spec.measurementWords.insert(spec.measurementWords.end(), {{23, 480}, {24, 850}, {25, 800}, {26, 3}});
    spec.profiles[2].detector = 0; // Impulse: the default's 3 names no detector
    // Peak 104.5, Max 93.4, Min 58.7, SPL 76.2, Leq 81.5, Lden 82.3, Ltm3 83.6, Ltm5 85.1 dB;
    // before 5.05 also the dose level (81.5 dB), the percentage n = 10 and L10 = 86.0 dB;
    // from 5.05 word 4 is not read, and words 12 and 13 hold Lav and the dose level.
    spec.levels = later ? std::vector<std::int16_t>{1045, 934, 934, 587, 762, 815, 823, 836, 851, 815, 815}
                        : std::vector<std::int16_t>{1045, 934, 587, 762, 815, 823, 815, 836, 851, 10, 860};
    return spec;
}

CurrentFileSpec ThreeProfileLoggerSpec(std::uint32_t rows)
{
    CurrentFileSpec spec;
    for (auto& profile : spec.profiles)
        profile.bufferWord = 3;
    spec.rowWords = 3;
    spec.rows = rows;
    spec.declaredCount = rows;
    return spec;
}

void SetImpulseProfiles(CurrentFileSpec& spec, std::uint16_t a, std::uint16_t b, std::uint16_t c)
{
    // Detector 0 Impulse, 2 Slow, 1 Fast.
    const std::pair<std::uint16_t, std::uint16_t> roles[] = {{a, 0}, {b, 2}, {c, 1}};
    for (auto [profile, detector] : roles) {
        if (profile < 1 || profile > 3)
            continue;
        spec.profiles[profile - 1].detector = detector;
        spec.profiles[profile - 1].bufferWord = 2;
    }
}

std::vector<std::uint8_t> PlausibleSampleFile()
{
    return CurrentMeasurementFile(PlausibleMeasurementSpec());
}

} // namespace orlu::fixture
