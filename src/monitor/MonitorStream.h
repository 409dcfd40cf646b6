#pragma once
// The bytes of a MONITOR stream as the parser and the renderers read them:
// checked reads inside the stream (ImageReader) and a search for a byte that
// walks the image a page at a time, so that scanning a long stream for the
// ';' of each record costs about what a plain memchr does.

#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <string>

namespace orlu {

class MonitorStream {
public:
    MonitorStream(const PagedFileImage& image, std::uint32_t size) : m_Reader(image, size), m_Image(&image), m_Size(size) {}

    std::uint32_t Size() const { return m_Size; }
    bool Inside(std::uint64_t p) const { return p < m_Size; }

    /// Checked reads: ImageRangeError past the end.
    std::uint8_t Byte(std::uint32_t p) const { return m_Reader.Byte(p); }
    std::uint16_t U16At(std::uint32_t p) const { return m_Reader.Int16At(p); }
    std::uint32_t U32At(std::uint32_t p) const { return m_Reader.Int32At(p); }
    bool HasBytes(std::uint64_t p, std::uint64_t count) const { return m_Reader.HasBytes(p, count); }

    /// The first position from `from` on that holds ch, or Size() when none does.
    std::uint32_t Find(std::uint32_t from, std::uint8_t ch) const;

    /// The bytes from `from` up to the next ';' (exclusive) or the end, at most `most` of them.
    std::string TextFrom(std::uint32_t from, std::size_t most) const;

private:
    ImageReader m_Reader;
    const PagedFileImage* m_Image;
    std::uint32_t m_Size;
};

} // namespace orlu
