#pragma once
// A file held as 512-byte pages, addressed by byte offset or by 16-bit word
// index (word n is at byte 2n). Values are little-endian; a 16-bit value at
// an odd offset, and a 32-bit value at the last word of a page, straddle two
// pages. The image owns no memory: its pages come from the document's PagePool.
//
// Two images may hold the same page: the logger split's compact image keeps
// the pages of rows that lie where they lay in the file as read, so a long
// logger is not held twice. Such a page is marked shared in both images and
// copied before it is written (ImageSetWord), so a write to one image never
// shows in the other. Writers take their page through WritablePage (ImageSetWord
// does).
//
// Every accessor checks the page index and throws ImageRangeError outside the
// image, so a damaged file can never make a read of memory the image does not
// own. Readers that must also stay inside the file's byte count use ImageReader.

#include "document/image/PagePool.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace orlu {

/// An access outside the pages of an image, or past the end of the file.
class ImageRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class PagedFileImage {
public:
    static constexpr std::uint32_t kPageSize = 512;

    std::uint32_t PageCount() const { return static_cast<std::uint32_t>(m_Pages.size()); }
    bool Empty() const { return m_Pages.empty(); }

    /// The page with index k; throws outside the image.
    std::uint8_t* Page(std::uint32_t k) const
    {
        if (k >= m_Pages.size())
            ThrowOutside(k);
        return m_Pages[k];
    }

    /// Page k to write into: a shared page is first replaced by a copy of its own.
    /// Throws outside the image, and std::bad_alloc when no page for the copy can be had.
    std::uint8_t* WritablePage(std::uint32_t k)
    {
        std::uint8_t* page = Page(k);
        return m_Shared.empty() || !m_Shared[k] ? page : CopySharedPage(k);
    }

    void AppendPage(std::uint8_t* page)
    {
        m_Pages.push_back(page);
        if (!m_Shared.empty())
            m_Shared.push_back(false);
    }
    /// Appends a page another image holds too; a write copies it from pool first.
    void AppendSharedPage(std::uint8_t* page, PagePool& pool);
    /// Marks every page as held by another image too, to be copied from pool before a write.
    void ShareAllPages(PagePool& pool);
    /// Whether some page may be held by another image too.
    bool SharesPages() const { return m_CopyPool != nullptr; }
    bool PageShared(std::uint32_t k) const { return k < m_Shared.size() && m_Shared[k]; }

    void Clear()
    {
        m_Pages.clear();
        m_Shared.clear();
        m_CopyPool = nullptr;
    }
    void Reserve(std::uint32_t pages) { m_Pages.reserve(pages); }

private:
    [[noreturn]] static void ThrowOutside(std::uint32_t page);
    std::uint8_t* CopySharedPage(std::uint32_t k);

    std::vector<std::uint8_t*> m_Pages;
    std::vector<bool> m_Shared; ///< by page; empty while no page is shared
    PagePool* m_CopyPool = nullptr; ///< where copies of shared pages come from
};

inline std::uint8_t ImageGetByte(const PagedFileImage& image, std::uint32_t b)
{
    return image.Page(b >> 9)[b & 511u];
}

inline std::uint16_t ImageGetWord(const PagedFileImage& image, std::uint32_t n)
{
    const std::uint8_t* p = image.Page(n >> 8) + ((n & 255u) << 1);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

/// 16-bit value at any byte offset; each byte from its own page.
inline std::uint16_t ImageGetInt16At(const PagedFileImage& image, std::uint32_t b)
{
    return static_cast<std::uint16_t>(ImageGetByte(image, b) | (ImageGetByte(image, b + 1) << 8));
}

inline std::uint32_t ImageGetInt32At(const PagedFileImage& image, std::uint32_t b)
{
    return ImageGetInt16At(image, b) | (static_cast<std::uint32_t>(ImageGetInt16At(image, b + 2)) << 16);
}

/// 32-bit value at byte 2n; the last word of a page joins the first of the next.
inline std::uint32_t ImageGetInt32AtWord(const PagedFileImage& image, std::uint32_t n)
{
    return ImageGetWord(image, n) | (static_cast<std::uint32_t>(ImageGetWord(image, n + 1)) << 16);
}

inline void ImageSetWord(PagedFileImage& image, std::uint32_t n, std::uint16_t value)
{
    std::uint8_t* p = image.WritablePage(n >> 8) + ((n & 255u) << 1);
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

/// Stores word n, first appending a page when n lies just past the image.
/// Returns the page written, or null when no page could be had (the caller
/// reports it). Words are written in ascending order without gaps, so at most
/// one page is ever missing.
std::uint8_t* ImageSetWordGrow(PagePool& pool, PagedFileImage& image, std::uint32_t n, std::uint16_t value);

/// Bounds-checked reads inside the first byteCount bytes of an image: what
/// every decoder reads a file through. A read past the end throws
/// ImageRangeError, which the decoders turn into their load error.
class ImageReader {
public:
    ImageReader(const PagedFileImage& image, std::uint32_t byteCount) : m_Image(&image), m_ByteCount(byteCount) {}

    std::uint32_t ByteCount() const { return m_ByteCount; }
    std::uint32_t WordCount() const { return m_ByteCount / 2; }
    bool HasBytes(std::uint64_t offset, std::uint64_t count) const { return offset + count <= m_ByteCount; }
    bool HasWords(std::uint64_t word, std::uint64_t count) const { return HasBytes(2 * word, 2 * count); }

    std::uint8_t Byte(std::uint32_t b) const { return Check(b, 1), ImageGetByte(*m_Image, b); }
    std::uint16_t Word(std::uint32_t n) const { return Check(2ull * n, 2), ImageGetWord(*m_Image, n); }
    std::int16_t SignedWord(std::uint32_t n) const { return static_cast<std::int16_t>(Word(n)); }
    std::uint16_t Int16At(std::uint32_t b) const { return Check(b, 2), ImageGetInt16At(*m_Image, b); }
    std::uint32_t Int32At(std::uint32_t b) const { return Check(b, 4), ImageGetInt32At(*m_Image, b); }
    std::uint32_t Int32AtWord(std::uint32_t n) const { return Check(2ull * n, 4), ImageGetInt32AtWord(*m_Image, n); }

    const PagedFileImage& Image() const { return *m_Image; }

private:
    void Check(std::uint64_t offset, std::uint64_t count) const
    {
        if (offset + count > m_ByteCount)
            ThrowPastEnd(offset);
    }
    [[noreturn]] void ThrowPastEnd(std::uint64_t offset) const;

    const PagedFileImage* m_Image;
    std::uint32_t m_ByteCount;
};

} // namespace orlu
