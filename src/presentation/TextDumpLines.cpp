#include "presentation/TextDumpLines.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::size_t kBytesPerLine = 16;
constexpr std::size_t kHeadingLines = 2;
constexpr std::size_t kCharColumn = 61; ///< where the characters start, on a short last line too
constexpr char kHexDigits[] = "0123456789ABCDEF";

/// Digits of an offset as "%06X" writes it.
int OffsetDigits(std::size_t offset)
{
    int digits = 6;
    while (digits < 16 && (offset >> (4 * digits)) != 0)
        ++digits;
    return digits;
}

} // namespace

std::size_t TextDumpLines::LineCount() const
{
    return kHeadingLines + (m_Bytes->size() + kBytesPerLine - 1) / kBytesPerLine;
}

int TextDumpLines::Widest() const
{
    const std::size_t lastOffset = m_Bytes->empty() ? 0 : (m_Bytes->size() - 1) / kBytesPerLine * kBytesPerLine;
    // The offset's extra digits push the characters to the right.
    const int full = static_cast<int>(kCharColumn + kBytesPerLine) + OffsetDigits(lastOffset) - 6;
    return std::max(static_cast<int>(kHeading.size()), full) + 2;
}

std::string_view TextDumpLines::Line(std::size_t i, std::string& buffer) const
{
    if (i < kHeadingLines) {
        buffer = i == 0 ? kHeading : kRule;
        buffer += "\r\n";
        return buffer;
    }
    const std::string& bytes = *m_Bytes;
    const std::size_t offset = (i - kHeadingLines) * kBytesPerLine;
    buffer.clear();
    if (offset >= bytes.size())
        return buffer;
    const std::size_t count = std::min(kBytesPerLine, bytes.size() - offset);
    // Written digit by digit: a dump of a large file is asked for line by line whenever it is painted.
    for (int d = OffsetDigits(offset); d-- > 0;)
        buffer += kHexDigits[(offset >> (4 * d)) & 15];
    buffer += "  ";
    for (std::size_t k = 0; k < count; ++k) {
        if (k == 4 || k == 8 || k == 12)
            buffer += ' ';
        const auto b = static_cast<unsigned char>(bytes[offset + k]);
        buffer += kHexDigits[b >> 4];
        buffer += kHexDigits[b & 15];
        buffer += ' ';
    }
    // A wider offset shifts the whole line; a short group is padded to the characters' column.
    const std::size_t column = kCharColumn + static_cast<std::size_t>(OffsetDigits(offset) - 6);
    if (buffer.size() < column)
        buffer.append(column - buffer.size(), ' ');
    for (std::size_t k = 0; k < count; ++k) {
        const auto b = static_cast<unsigned char>(bytes[offset + k]);
        buffer += b >= 0x21 && b <= 0x7E ? static_cast<char>(b) : '.';
    }
    buffer += "\r\n";
    return buffer;
}

} // namespace orlu
