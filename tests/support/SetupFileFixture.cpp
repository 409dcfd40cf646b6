#include "support/SetupFileFixture.h"

#include "support/FixtureBuilder.h"

#include <charconv>

namespace orlu::fixture {

namespace {

void Text(FixtureBuilder& b, const std::string& text)
{
    if (text.size() < 0xFF)
        b.Byte(static_cast<std::uint8_t>(text.size()));
    else if (text.size() < 0xFFFE)
        b.Byte(0xFF).Le16(static_cast<std::uint16_t>(text.size()));
    else
        b.Byte(0xFF).Le16(0xFFFF).Le32(static_cast<std::uint32_t>(text.size()));
    b.Text(text);
}

} // namespace

bool SetupFileFields::Assign(std::string_view name, std::string_view value)
{
    if (name == "SerialNumber" || name == "SoftwareVersion") {
        (name == "SerialNumber" ? serialNumber : softwareVersion) = std::string(value);
        return true;
    }
    std::int32_t number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || end != value.data() + value.size())
        return false;
    for (auto& [field, stored] : values)
        if (field == name) {
            stored = number;
            return true;
        }
    return false;
}

std::vector<std::uint8_t> SetupFileBytes(const SetupFileFields& fields)
{
    FixtureBuilder b;
    for (std::size_t i = 0; i < fields.values.size(); ++i) {
        // The texts follow the sixth value.
        if (i == 6) {
            Text(b, fields.serialNumber);
            Text(b, fields.softwareVersion);
        }
        b.Le32(static_cast<std::uint32_t>(fields.values[i].second));
    }
    return b.Data();
}

} // namespace orlu::fixture
