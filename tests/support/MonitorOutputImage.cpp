#include "support/MonitorOutputImage.h"

#include "support/MonitorFixture.h"

#include <string_view>

namespace orlu::fixture {
namespace {

void Append(std::vector<std::uint8_t>& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace

std::vector<std::uint8_t> MonitorOutputImage(const std::vector<std::uint8_t>& stream,
                                             const std::optional<std::vector<std::uint8_t>>& buffer)
{
    std::vector<std::uint8_t> first = stream;
    if (buffer) {
        // The three bytes after the end record are the station's own; blanks here.
        Append(first, "#8X2;");
        Append(first, "   ");
        Append(first, "#4,2;");
    }
    std::vector<std::uint8_t> image;
    Append(image, "STM ");
    Append(image, "0123456"); // not read by the program
    const auto l = static_cast<std::uint32_t>(first.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        image.push_back(static_cast<std::uint8_t>(l >> shift));
    image.insert(image.end(), first.begin(), first.end());
    if (buffer) {
        const auto m = static_cast<std::uint32_t>(buffer->size());
        for (int shift = 0; shift <= 24; shift += 8)
            image.push_back(static_cast<std::uint8_t>(m >> shift));
        image.insert(image.end(), buffer->begin(), buffer->end());
    }
    return image;
}

std::vector<std::uint8_t> WorkedMonitorImage(const std::vector<std::uint8_t>& buffer)
{
    MonitorFixtureSpec spec;
    spec.Station = "Y1A,M2,D1F07,V3C,S1Ex0Cx09x07x09";
    spec.Setup = "U525,N1234,W315,M2,R2,D15m,F2:1,C1:1";
    spec.Intervals = 2;
    return MonitorOutputImage(BuildMonitorFixture(spec), buffer);
}

} // namespace orlu::fixture
