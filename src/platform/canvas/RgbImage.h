#pragma once
// A plain picture in memory: 24-bit colours, rows from top to bottom.

#include <cstdint>
#include <vector>

namespace orlu {

/// An RGB raster; pixels hold 0x00RRGGBB, row by row from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t fill = 0xFFFFFF)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void Set(int x, int y, std::uint32_t rgb) { pixels[static_cast<std::size_t>(y) * width + x] = rgb; }
    friend bool operator==(const RgbImage&, const RgbImage&) = default;
};

} // namespace orlu
