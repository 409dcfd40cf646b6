#include "document/rawviews/HexDumpLines.h"

#include "document/CTmDoc.h"
#include "document/rawviews/RawViewTexts.h"
#include "document/rawviews/RawViews.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint32_t kBytesPerLine = 16;
constexpr std::size_t kHeaderLines = 2;
constexpr std::size_t kCharColumn = 62; ///< where the characters start, also on a short last line
constexpr char kHexDigits[] = "0123456789ABCDEF";

char ShownChar(std::uint8_t b)
{
    // Only printable non-blank ASCII stands for itself, whatever the locale.
    return b >= 0x21 && b <= 0x7E ? static_cast<char>(b) : '.';
}

/// One dump line of up to 16 bytes at `offset`, with its CR LF. Written digit
/// by digit rather than through printf: the dump of a large file is millions
/// of lines, and each is asked for again whenever it is painted or copied.
void FormatDumpLine(std::string& line, std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t count)
{
    char text[kCharColumn + 8 + kBytesPerLine + 2];
    char* p = text;
    // The offset in at least seven digits (eight from 256 MB on).
    int digits = offset >> 28 ? 8 : 7;
    while (digits-- > 0)
        *p++ = kHexDigits[(offset >> (4 * digits)) & 15];
    *p++ = ' ';
    *p++ = ' ';
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i == 4 || i == 8 || i == 12)
            *p++ = ' ';
        *p++ = kHexDigits[bytes[i] >> 4];
        *p++ = kHexDigits[bytes[i] & 15];
        *p++ = ' ';
    }
    // The characters start at their column, the bytes' part cut or padded to it.
    char* chars = text + kCharColumn;
    if (p < chars)
        std::fill(p, chars, ' ');
    p = chars;
    for (std::uint32_t i = 0; i < count; ++i)
        *p++ = ShownChar(bytes[i]);
    *p++ = '\r';
    *p++ = '\n';
    line.assign(text, p);
}

} // namespace

std::size_t HexDumpLines::LineCount() const
{
    const RawImage raw = RawViewImage(m_Doc);
    return kHeaderLines + (std::size_t{raw.byteCount} + kBytesPerLine - 1) / kBytesPerLine;
}

std::string_view HexDumpLines::Line(std::size_t i, std::string& buffer) const
{
    if (i < kHeaderLines) {
        buffer = i == 0 ? kHexDumpHeader : kHexDumpRule;
        buffer += "\r\n";
        return buffer;
    }
    const RawImage raw = RawViewImage(m_Doc);
    const std::uint64_t offset = std::uint64_t{i - kHeaderLines} * kBytesPerLine;
    if (offset >= raw.byteCount) {
        buffer.clear(); // the document shrank under a view still showing its old length
        return buffer;
    }
    // A page holds 32 whole lines, so no line spans two pages.
    const auto at = static_cast<std::uint32_t>(offset);
    const std::uint8_t* bytes = raw.image->Page(at / PagedFileImage::kPageSize) + at % PagedFileImage::kPageSize;
    FormatDumpLine(buffer, at, bytes, std::min(kBytesPerLine, raw.byteCount - at));
    return buffer;
}

} // namespace orlu
