#pragma once
// An image of little-endian words (or raw bytes), padded to whole pages, whose
// reader sees only the bytes given: what a file cut short looks like.

#include "document/image/PagedFileImage.h"
#include "support/FixtureBuilder.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace orlu {

struct WordImage {
    explicit WordImage(const std::vector<std::uint16_t>& words)
    {
        fixture::FixtureBuilder f;
        for (std::uint16_t w : words)
            f.Le16(w);
        Take(f.Data());
    }
    static WordImage OfBytes(std::vector<std::uint8_t> data)
    {
        WordImage img;
        img.Take(std::move(data));
        return img;
    }

    ImageReader Reader() const { return ImageReader(image, byteCount); }

    std::vector<std::uint8_t> bytes;
    PagedFileImage image;
    std::uint32_t byteCount = 0;

private:
    WordImage() = default;
    void Take(std::vector<std::uint8_t> data)
    {
        bytes = std::move(data);
        byteCount = static_cast<std::uint32_t>(bytes.size());
        bytes.resize((bytes.size() / PagedFileImage::kPageSize + 1) * PagedFileImage::kPageSize);
        for (std::size_t p = 0; p < bytes.size(); p += PagedFileImage::kPageSize)
            image.AppendPage(bytes.data() + p);
    }
};

} // namespace orlu
