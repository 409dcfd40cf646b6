#pragma once
// .bmp files written byte by byte for the bitmap documents' tests, the fuzz
// seeds and orlu-fixture: a 14-byte file header, a 40-byte info header, a
// grey-ramp colour table for 1, 4 and 8 bits, and rows padded to 4 bytes
// holding a pattern that depends on the column and the row.

#include <cstdint>
#include <vector>

namespace orlu::fixture {

struct BmpSpec {
    int width = 8;
    int height = 8;
    int bits = 24;          ///< 1, 4, 8, 16, 24 or 32
    bool sizeImageZero = false; ///< the header leaves the image size 0
    bool topDown = false;   ///< negative height: rows from the top
};

/// The whole file.
std::vector<std::uint8_t> BuildBmp(const BmpSpec& spec);

/// The colour (0xRRGGBB) the fixture gives pixel (x, y) of a 24- or 32-bit picture, counted from the top.
std::uint32_t BmpFixtureColour(int x, int y);

} // namespace orlu::fixture
