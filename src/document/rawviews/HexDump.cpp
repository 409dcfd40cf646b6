#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/rawviews/RawViewTexts.h"
#include "document/rawviews/RawViews.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint32_t kBytesPerLine = 16;
constexpr std::size_t kCharColumn = 62; ///< where the characters start, also on a short last line

char ShownChar(std::uint8_t b)
{
    // Only printable non-blank ASCII stands for itself, whatever the locale.
    return b >= 0x21 && b <= 0x7E ? static_cast<char>(b) : '.';
}

/// One dump line of up to 16 bytes at `offset`.
void FormatDumpLine(std::string& line, std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t count)
{
    if (count == kBytesPerLine) {
        // One call per full line: a large file gives hundreds of thousands of them.
        AppendPrintf(line, "%07lX  %02X %02X %02X %02X  %02X %02X %02X %02X  %02X %02X %02X %02X  %02X %02X %02X %02X ",
                     static_cast<unsigned long>(offset), bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5],
                     bytes[6], bytes[7], bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14],
                     bytes[15]);
    } else {
        AppendPrintf(line, "%07lX  ", static_cast<unsigned long>(offset));
        for (std::uint32_t i = 0; i < count; ++i) {
            if (i == 4 || i == 8 || i == 12)
                line += ' ';
            AppendPrintf(line, "%02X ", bytes[i]);
        }
    }
    line.resize(kCharColumn, ' ');
    for (std::uint32_t i = 0; i < count; ++i)
        line += ShownChar(bytes[i]);
}

} // namespace

RawImage RawViewImage(const CTmDoc& doc)
{
    if (doc.HasAsLoadedImage() && doc.FileKind() != 50)
        return {&doc.AsLoadedImage(), doc.AsLoadedByteCount()};
    return {&doc.Image(), doc.ByteCount()};
}

bool FormatHexDump(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t, std::uint8_t)
{
    WaitCursor wait(doc.Ui());
    ClearLineList(&lines);
    *widest = 0;
    const RawImage raw = RawViewImage(doc);
    lines.Reserve(2 + (std::size_t{raw.byteCount} + kBytesPerLine - 1) / kBytesPerLine);

    std::string line(kHexDumpHeader);
    AddLine(lines, line, widest);
    line = kHexDumpRule;
    AddLine(lines, line, widest);

    // Page by page: a page holds 32 whole lines, so no line spans two pages.
    for (std::uint32_t pageStart = 0; pageStart < raw.byteCount; pageStart += PagedFileImage::kPageSize) {
        const std::uint8_t* page = raw.image->Page(pageStart / PagedFileImage::kPageSize);
        const std::uint32_t pageBytes = std::min(raw.byteCount - pageStart, PagedFileImage::kPageSize);
        for (std::uint32_t i = 0; i < pageBytes; i += kBytesPerLine) {
            line.reserve(80);
            FormatDumpLine(line, pageStart + i, page + i, std::min(kBytesPerLine, pageBytes - i));
            AddLine(lines, line, widest);
        }
    }
    return true;
}

} // namespace orlu
