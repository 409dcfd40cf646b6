#include "support/BmpFixture.h"

#include <cstdlib>

namespace orlu::fixture {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::uint32_t BmpFixtureColour(int x, int y)
{
    return (static_cast<std::uint32_t>(x * 16 % 256) << 16) | (static_cast<std::uint32_t>(y * 16 % 256) << 8) | 0x40;
}

std::vector<std::uint8_t> BuildBmp(const BmpSpec& spec)
{
    const int bits = spec.bits;
    const int height = std::abs(spec.height);
    const std::uint32_t stride = ((static_cast<std::uint32_t>(spec.width) * bits + 31) / 32) * 4;
    const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t paletteEntries = bits <= 8 ? (1u << bits) : 0;
    const std::uint32_t infoSize = 40 + 4 * paletteEntries;

    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + infoSize + image);
    Put32(out, 0);
    Put32(out, 14 + infoSize);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(spec.width));
    Put32(out, static_cast<std::uint32_t>(spec.topDown ? -height : height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0); // no compression
    Put32(out, spec.sizeImageZero ? 0 : image);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, paletteEntries);
    Put32(out, 0);
    for (std::uint32_t i = 0; i < paletteEntries; ++i) {
        const auto level = static_cast<std::uint8_t>(paletteEntries > 1 ? i * 255 / (paletteEntries - 1) : 0);
        out.insert(out.end(), {level, level, level, 0});
    }
    for (int row = 0; row < height; ++row) {
        const int y = spec.topDown ? row : height - 1 - row; // the picture's row, from the top
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < spec.width; ++x) {
            const std::uint32_t c = BmpFixtureColour(x, y);
            const std::uint8_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
            switch (bits) {
            case 1: line[x / 8] |= static_cast<std::uint8_t>(((x + y) % 2) << (7 - x % 8)); break;
            case 4: line[x / 2] |= static_cast<std::uint8_t>(((x + y) % 16) << (x % 2 ? 0 : 4)); break;
            case 8: line[x] = static_cast<std::uint8_t>((x + y) % 256); break;
            case 16: { // 5-5-5
                const std::uint32_t v = ((r >> 3u) << 10) | ((g >> 3u) << 5) | (b >> 3u);
                line[2 * x] = static_cast<std::uint8_t>(v);
                line[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            }
            default: {
                const int size = bits / 8;
                line[size * x] = b;
                line[size * x + 1] = g;
                line[size * x + 2] = r;
                break;
            }
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

} // namespace orlu::fixture
