#pragma once
// A file image made of literal 16-bit words, for tests of the record walks.

#include "document/image/PagedFileImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orlu::test {

/// Word 0 of a record: type in the low byte, length in the high byte.
constexpr std::uint16_t Head(int type, int length)
{
    return static_cast<std::uint16_t>((type & 0xFF) | ((length & 0xFF) << 8));
}

/// Appends a record with its length in the high byte: type word, then data.
inline void AddRecord(std::vector<std::uint16_t>& words, int type, std::vector<std::uint16_t> data = {})
{
    words.push_back(Head(type, static_cast<int>(data.size()) + 1));
    words.insert(words.end(), data.begin(), data.end());
}

/// Appends a record with high byte 0 and its length in word 1.
inline void AddLongRecord(std::vector<std::uint16_t>& words, int type, std::vector<std::uint16_t> data = {})
{
    words.push_back(Head(type, 0));
    words.push_back(static_cast<std::uint16_t>(data.size() + 2));
    words.insert(words.end(), data.begin(), data.end());
}

struct WordImage {
    PagePool pool;
    PagedFileImage image;
    ImageReader reader;

    explicit WordImage(const std::vector<std::uint16_t>& words) : reader(image, 0)
    {
        std::uint32_t bytes = static_cast<std::uint32_t>(words.size() * 2);
        for (std::uint32_t at = 0; at < std::max<std::uint32_t>(bytes, 1); at += 512) {
            std::uint8_t* page = pool.Alloc(512);
            for (std::uint32_t b = at; b < std::min(bytes, at + 512); ++b)
                page[b - at] = static_cast<std::uint8_t>(words[b / 2] >> (8 * (b & 1)));
            image.AppendPage(page);
        }
        reader = ImageReader(image, bytes);
    }
    std::uint32_t Words() const { return reader.WordCount(); }
};

} // namespace orlu::test
