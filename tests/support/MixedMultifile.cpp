#include "support/MixedMultifile.h"

#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"

#include <algorithm>
#include <charconv>

namespace orlu::fixture {
namespace {

// The instruments each kind of member is made by.
struct KindRow {
    std::string_view kind;
    std::initializer_list<std::uint16_t> devices;
};
const KindRow kKinds[] = {
    {"level", {515, 525, 530, 535}}, {"dose", {515, 525}}, {"acc", {530, 535}},
    {"four", {545, 590}},            {"legacy", {505}},   {"rt60", {525, 535}},
    {"fft", {525, 530, 535}},
};

template <typename Number> bool ParseNumber(std::string_view text, Number& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::optional<MemberSpec> ParseMember(std::string_view text)
{
    const std::size_t a = text.find(':');
    const std::size_t b = a == std::string_view::npos ? a : text.find(':', a + 1);
    if (b == std::string_view::npos)
        return std::nullopt;
    // An optional fourth part gives this member's logger rows.
    const std::size_t c = text.find(':', b + 1);
    MemberSpec m;
    m.kind = text.substr(0, a);
    if (!ParseNumber(text.substr(a + 1, b - a - 1), m.device) ||
        !ParseNumber(text.substr(b + 1, c == std::string_view::npos ? c : c - b - 1), m.firmware))
        return std::nullopt;
    if (c != std::string_view::npos && (!ParseNumber(text.substr(c + 1), m.loggerRows) || m.loggerRows == 0))
        return std::nullopt;
    const auto row = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindRow& r) { return r.kind == m.kind; });
    if (row == std::end(kKinds) ||
        std::find(row->devices.begin(), row->devices.end(), m.device) == row->devices.end())
        return std::nullopt;
    return m;
}

std::vector<std::uint8_t> MemberFile(const MemberSpec& m, int index)
{
    if (m.kind == "legacy")
        return LegacyMeasurementFile(PlausibleLegacySpec());
    if (m.kind == "four") {
        FourChannelSpec spec = MakeFourChannelSpec(m.device, m.firmware, 4, 1, true);
        spec.plausibleLevels = true;
        // Every profile enabled (bit 0 of its flags), so that the microphone's row shows.
        for (FourChannelProfileBlock& profile : spec.profiles)
            profile.flags |= 1;
        spec.name = "F000000" + std::to_string(index + 1);
        return FourChannelMeasurementFile(spec);
    }
    CurrentFileSpec spec = PlausibleMeasurementSpec(m.kind == "acc" ? 5 : 2, m.firmware);
    spec.deviceType = m.device;
    // The ORLU 515 below firmware 2.00 measures doses under function 3.
    const std::uint16_t doseFunction = m.device == 515 && m.firmware < 200 ? 3 : 4;
    spec.function = m.kind == "dose" ? doseFunction : m.kind == "rt60" ? 8 : 1;
    if (m.kind == "rt60")
        spec.rt60 = SampleRt60ThirdOctaves(static_cast<std::uint16_t>(4 + index));
    if (m.kind == "fft") {
        // One spectrum of 8 lines at 20 dB but line 3, at 50 dB plus 10 dB for each member before it.
        spec.function = 6;
        spec.spectrum = CurrentFileSpec::Spectrum::Fft;
        spec.bands = 8;
        spec.bandExtras = 0;
        spec.fftLevels.assign(8, 200);
        spec.fftLevels[3] = static_cast<std::int16_t>(500 + 100 * index);
    }
    spec.name = "L000000" + std::to_string(index + 1);
    if (m.loggerRows > 0 && m.kind != "rt60") {
        for (std::uint16_t p = 0; p < 3; ++p)
            spec.profiles[p].bufferWord = static_cast<std::uint16_t>(1u << p);
        spec.rowWords = 3;
        spec.rows = spec.declaredCount = m.loggerRows;
        spec.events = {{m.loggerRows / 2, false, 1}};
        if (m.loggerRows > 1)
            spec.events.push_back({m.loggerRows - 1, true, 10});
        spec.loggerLevels = m.loggerLevels;
    }
    return CurrentMeasurementFile(spec);
}

} // namespace

std::optional<std::vector<MemberSpec>> ParseMemberList(std::string_view text)
{
    std::vector<MemberSpec> members;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::optional<MemberSpec> m = ParseMember(text.substr(0, comma));
        if (!m)
            return std::nullopt;
        members.push_back(*m);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (comma != std::string_view::npos && text.empty())
            return std::nullopt;
    }
    const auto legacy = std::count_if(members.begin(), members.end(), [](const MemberSpec& m) { return m.kind == "legacy"; });
    if (members.empty() || (legacy != 0 && legacy != static_cast<long>(members.size())))
        return std::nullopt;
    return members;
}

std::vector<MultifileMember> MixedMultifileMembers(std::span<const MemberSpec> members)
{
    std::vector<MultifileMember> files;
    for (std::size_t i = 0; i < members.size(); ++i)
        files.push_back({"FILE" + std::to_string(i + 1), MemberFile(members[i], static_cast<int>(i))});
    return files;
}

std::uint8_t MixedMultifileKind(std::span<const MemberSpec> members)
{
    const MemberSpec& first = members.front();
    switch (first.device) {
    case 505: return 23;
    case 515: return first.firmware < 200 ? 53 : 54;
    case 525: return 55;
    case 530: return 56;
    case 535: return 57;
    default: return 60;
    }
}

} // namespace orlu::fixture
