#include "support/FixtureBuilder.h"

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

std::vector<std::uint8_t> CurrentFamilyFile(const CurrentFileContents& c)
{
    FixtureBuilder f;
    // Record 1: file name in words 1 to 4, word 5 = 0 (no setup file), words 8 to 11 = no second name.
    f.Le16(0x0C01).TextField(c.name, 8).Le16(0).Le16(0).Le16(0);
    f.Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF);
    // Record 2: serial, device type, firmware, three zero words, file-system version 0.
    f.Record(2, {1234, c.deviceType, c.firmware, 0, 0, 0, 0});
    // Record 3: the title, two characters per word.
    f.Le16(0x0903).TextField(c.title, 16);
    // Record 4: the measurement setup, 40 words; word 3 the analysis setting.
    std::vector<std::uint16_t> measurement(39, 0);
    measurement[2] = c.analysis;
    f.Record(4, measurement);
    // Record 5: the profiles: three blocks of 6 words from word 2 (detector, filter,
    // buffer definition, calibration, flags after each block's length word).
    f.Record(5, {3, 0x0600, 1, 1, 0, 0, 0, 0x0600, 1, 2, 0, 0, 0, 0x0600, 1, 3, 0, 0, 0});
    // Records 7: the results of each profile, 14 words: time (32-bit) then levels in 0.1 dB.
    for (std::uint16_t profile = 0; profile < 3; ++profile)
        f.Record(7, {600, 0, 942, 650, 700, 750, 800, 701, 702, 703, 704, 705, static_cast<std::uint16_t>(500 + profile)});
    if (c.statistics) // n = 3 entries: percentage, then the levels of the three profiles
        f.Record(23, {3, 10, 650, 651, 652, 50, 600, 601, 602, 90, 550, 551, 552}, true);
    // A spectrum setup (band count, first band, last band), then its levels.
    switch (c.spectrum) {
    case CurrentFileContents::Spectrum::None:
        break;
    case CurrentFileContents::Spectrum::Octave:
        f.Record(14, {3, 5, 7}).Record(18, {600, 610, 620}, true);
        break;
    case CurrentFileContents::Spectrum::ThirdOctave:
        f.Record(16, {4, 20, 23}).Record(18, {600, 605, 610, 615}, true);
        break;
    case CurrentFileContents::Spectrum::Fft:
        f.Record(17, {4, 0, 400}).Record(18, {300, 310, 320, 330}, true);
        break;
    }
    if (c.histogram) // two zero words, 2 classes, lowest class 60.0 dB, width 1.0 dB; 32-bit counts
        f.Record(9, {0, 0, 2, 600, 10}).Record(11, {5, 0, 7, 0, 4, 0, 8, 0, 6, 0, 6, 0}, true);
    if (c.bandStatistics)
        f.Record(19, {0, 0, 2, 600, 10}).Record(20, {1, 0, 2, 0, 3, 0, 4, 0}, true);
    f.ChainEnd();
    return f.Data();
}

std::vector<std::uint8_t> SampleCurrentFamilyFile()
{
    return CurrentFamilyFile({});
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

std::vector<MultifileMember> GeneratedMultifileMembers(int count)
{
    using Spectrum = CurrentFileContents::Spectrum;
    std::vector<MultifileMember> members;
    for (int i = 1; i <= count; ++i) {
        CurrentFileContents c;
        c.name = "MEAS" + std::to_string(i);
        switch ((i - 1) % 5) {
        case 0:
            c.histogram = c.statistics = true;
            break;
        case 1:
            c.spectrum = Spectrum::Fft;
            break;
        case 2:
            c.spectrum = Spectrum::ThirdOctave;
            c.bandStatistics = true;
            break;
        case 3:
            c.analysis = 2;
            c.spectrum = Spectrum::Octave;
            c.bandStatistics = true;
            break;
        default:
            break;
        }
        members.push_back({"FILE" + std::to_string(i), CurrentFamilyFile(c)});
    }
    return members;
}

std::vector<std::uint8_t> BrokenChainFile(ChainFault fault)
{
    // The sample's records start at words 0 (1), 12 (2), 20 (3), 29 (4), 69 (5),
    // 89, 103 and 117 (7); the end word is word 131.
    std::vector<std::uint8_t> bytes = SampleCurrentFamilyFile();
    FixtureBuilder f;
    f.Bytes(bytes);
    switch (fault) {
    case ChainFault::TruncatedLastRecord:
        return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 2 * (117 + 9));
    case ChainFault::Overrun:
        f.PatchLe16(2 * 69, 0x0005).PatchLe16(2 * 70, 0x7FFF);
        break;
    case ChainFault::ZeroLength:
        f.PatchLe16(2 * 20, 0x0003).PatchLe16(2 * 21, 0);
        break;
    }
    return f.Data();
}

} // namespace orlu::fixture
