#include "document/LoggerSplit.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orlu {
namespace {

constexpr std::uint32_t kWordsPerPage = PagedFileImage::kPageSize / 2;

// Hands out the words of an image in order as runs that lie on one page.
class WordSource {
public:
    WordSource(const PagedFileImage& image, std::uint32_t position) : m_Image(&image) { Seek(position); }

    /// The next page whole, when the words from here fill it; nullptr otherwise.
    std::uint8_t* WholePage()
    {
        if (m_Offset == kWordsPerPage)
            Seek(m_Position);
        if (m_Offset != 0)
            return nullptr;
        m_Offset = kWordsPerPage;
        m_Position += kWordsPerPage;
        return m_Page;
    }

    /// Pointer to the next run of at most `count` words that lie on one page.
    const std::uint8_t* Span(std::uint32_t count, std::uint32_t& got)
    {
        if (m_Offset == kWordsPerPage)
            Seek(m_Position);
        got = std::min(count, kWordsPerPage - m_Offset);
        const std::uint8_t* p = m_Page + 2 * m_Offset;
        m_Offset += got;
        m_Position += got;
        return p;
    }

private:
    void Seek(std::uint32_t position)
    {
        m_Position = position;
        m_Page = m_Image->Page(position / kWordsPerPage);
        m_Offset = position % kWordsPerPage;
    }

    const PagedFileImage* m_Image;
    std::uint8_t* m_Page = nullptr;
    std::uint32_t m_Offset = 0;
    std::uint32_t m_Position = 0;
};

// Appends words to a new image, a page from the pool at a time.
class WordSink {
public:
    WordSink(PagedFileImage& image, PagePool& pool) : m_Image(&image), m_Pool(&pool) {}

    std::uint32_t Count() const { return m_Count; }
    bool Put(std::uint16_t w)
    {
        if (m_Offset == kWordsPerPage && !NewPage())
            return false;
        m_Page[2 * m_Offset] = static_cast<std::uint8_t>(w);
        m_Page[2 * m_Offset + 1] = static_cast<std::uint8_t>(w >> 8);
        ++m_Offset;
        ++m_Count;
        return true;
    }
    // Copies count words. A page of the compact image that would be a copy of a
    // page of the source, word for word, is that page, shared.
    bool Copy(WordSource& source, std::uint32_t count)
    {
        while (count > 0) {
            if (m_Offset == kWordsPerPage && count >= kWordsPerPage) {
                if (std::uint8_t* page = source.WholePage()) {
                    m_Image->AppendSharedPage(page, *m_Pool);
                    m_Count += kWordsPerPage;
                    count -= kWordsPerPage;
                    continue;
                }
            }
            if (m_Offset == kWordsPerPage && !NewPage())
                return false;
            std::uint32_t got = 0;
            const std::uint8_t* from = source.Span(std::min(count, kWordsPerPage - m_Offset), got);
            std::memcpy(m_Page + 2 * m_Offset, from, 2 * got);
            m_Offset += got;
            m_Count += got;
            count -= got;
        }
        return true;
    }

private:
    bool NewPage()
    {
        m_Page = m_Pool->Alloc(PagedFileImage::kPageSize);
        if (!m_Page)
            return false;
        m_Image->AppendPage(m_Page);
        m_Offset = 0;
        return true;
    }

    PagedFileImage* m_Image;
    PagePool* m_Pool;
    std::uint8_t* m_Page = nullptr;
    std::uint32_t m_Offset = kWordsPerPage;
    std::uint32_t m_Count = 0;
};

struct VariantRow {
    LoggerVariant variant;
    std::uint32_t expectedExtra; ///< added to (last - d) / row length for an unknown count
    bool markers;                ///< 0x8 words are markers
    bool breakList;              ///< 0xB words are listed (else only counted)
    bool dropsA;                 ///< 0xA words are dropped
};

constexpr VariantRow kVariants[] = {
    {LoggerVariant::CurrentLogger, 0, true, true, false},
    {LoggerVariant::FourChannelLogger, 1, true, false, true},
    {LoggerVariant::Waveform, 1, false, false, false},
};

} // namespace

bool SplitLogger(const ImageReader& source, PagePool& pool, const LoggerSplitInput& input, LoggerSplitResult& out)
{
    if (input.rowLength == 0)
        return false;
    const VariantRow& v = *std::find_if(std::begin(kVariants), std::end(kVariants),
                                        [&](const VariantRow& r) { return r.variant == input.variant; });
    const std::uint32_t words = source.WordCount();
    const std::uint32_t last = words > 0 ? words - 1 : 0;
    const std::uint32_t d = std::min(input.dataStart, last);
    out.expected = input.declaredCount != kUnknownRecordCount
                       ? input.declaredCount
                       : (last - d) / input.rowLength + v.expectedExtra;

    // The compact image is at most as long as the source: one page pointer array, never regrown.
    out.image.Reserve(source.Image().PageCount());
    WordSink sink(out.image, pool);
    WordSource header(source.Image(), 0);
    if (!sink.Copy(header, d))
        return false;

    const PagedFileImage& pages = source.Image();
    // The word at q, one page lookup per page.
    const std::uint8_t* cachedPage = nullptr;
    std::uint32_t cachedIndex = UINT32_MAX;
    auto wordAt = [&](std::uint32_t q) {
        const std::uint32_t k = q / kWordsPerPage;
        if (k != cachedIndex) {
            cachedPage = pages.Page(k);
            cachedIndex = k;
        }
        const std::uint8_t* b = cachedPage + 2 * (q % kWordsPerPage);
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    };
    std::array<bool, 16> specialTop{};
    specialTop[0x8] = specialTop[0xB] = v.markers;
    specialTop[0xA] = v.dropsA;
    auto special = [&](std::uint16_t w) { return specialTop[w >> 12]; };

    std::uint32_t p = d;
    std::uint32_t number = 0;
    std::uint32_t kept = 0;
    // Takes the low bytes of up to three more words as bits 8 to 31 of a count.
    auto countFrom = [&](std::uint16_t w) {
        std::uint32_t count = w & 0xFFu;
        for (int k = 1; k <= 3 && p < last; ++k, ++p)
            count |= static_cast<std::uint32_t>(wordAt(p) & 0xFFu) << (8 * k);
        return count;
    };
    while (p < last) {
        const std::uint16_t w = wordAt(p);
        if (special(w)) {
            ++p;
            const std::uint16_t top = w >> 12;
            if (top == 0x8) {
                out.markers.push_back(LoggerMarker{number + 1, static_cast<std::uint8_t>(w & 0xFF)});
            } else if (top == 0xB) {
                const std::uint32_t count = countFrom(w);
                if (v.breakList)
                    out.breaks.push_back(LoggerBreak{number + 1, count});
                number += count;
            } else {
                countFrom(w); // a 0xA word and its value are dropped
            }
            continue;
        }
        // The rows from p up to the next marker or break are copied at once; a
        // trailing part row that would run past the last word is dropped.
        std::uint32_t q = p + input.rowLength;
        std::uint32_t rows = 0;
        if (std::uint64_t{p} + input.rowLength <= last) {
            rows = 1;
            // Only the top four bits of each row's first word decide; they are in its high byte.
            const std::uint32_t lastStart = last - input.rowLength;
            while (q <= lastStart) {
                const std::uint32_t k = q / kWordsPerPage;
                const std::uint8_t* page = pages.Page(k);
                const std::uint32_t pageEnd = std::min((k + 1) * kWordsPerPage - 1, lastStart);
                bool stop = false;
                while (q <= pageEnd) {
                    if (specialTop[page[2 * (q % kWordsPerPage) + 1] >> 4]) {
                        stop = true;
                        break;
                    }
                    q += input.rowLength;
                    ++rows;
                }
                if (stop)
                    break;
            }
        }
        if (rows == 0)
            break;
        WordSource in(pages, p);
        if (!sink.Copy(in, q - p))
            return false;
        out.index.AppendRun(number + 1, rows);
        number += rows;
        kept += rows;
        p = q;
    }
    if (!sink.Put(0xFFFF))
        return false;
    out.byteCount = 2 * sink.Count();
    out.kept = kept;
    out.lastNumber = number;
    return true;
}

} // namespace orlu
