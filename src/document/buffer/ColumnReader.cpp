#include "document/buffer/ColumnReader.h"

#include "document/rawviews/RotationSpeed.h"

#include <algorithm>

namespace orlu {
namespace {

std::int64_t RowStartByte(const TimeHistoryColumn& c, bool byteOffset, std::int64_t row)
{
    const std::int64_t offsetBytes = byteOffset ? c.offset : 2 * std::int64_t{c.offset};
    return 2 * (std::int64_t{c.first} + row * c.stride) + offsetBytes;
}

} // namespace

std::size_t RowsInImage(const ImageReader& image, const TimeHistoryColumn& column, std::size_t firstRow,
                        std::size_t n, bool byteOffset, std::uint32_t bytes)
{
    const std::int64_t size = image.ByteCount();
    // No image holds 2^32 rows; beyond that the products below could overflow.
    constexpr std::size_t kMostRows = std::size_t{1} << 32;
    if (n == 0 || firstRow >= kMostRows)
        return 0;
    n = std::min(n, kMostRows);
    const std::int64_t start = RowStartByte(column, byteOffset, static_cast<std::int64_t>(firstRow));
    if (start < 0 || start + bytes > size)
        return 0;
    const std::int64_t step = 2 * std::int64_t{column.stride};
    std::int64_t fit = static_cast<std::int64_t>(n);
    if (step > 0)
        fit = (size - bytes - start) / step + 1;
    else if (step < 0)
        fit = start / -step + 1;
    return static_cast<std::size_t>(std::min<std::int64_t>(fit, static_cast<std::int64_t>(n)));
}

std::size_t ReadLevelRun(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                         std::size_t firstRow, std::span<double> values, std::span<std::uint8_t> overload)
{
    std::size_t n = RowsInImage(image, column, firstRow, values.size(), false, 2);
    if (!overload.empty())
        n = std::min(n, overload.size());
    // Every row was checked above, so the words are read without a check each.
    const PagedFileImage& pages = image.Image();
    auto word = static_cast<std::int64_t>(column.first) + static_cast<std::int64_t>(firstRow) * column.stride +
                column.offset;
    for (std::size_t i = 0; i < n; ++i, word += column.stride) {
        const auto w = static_cast<std::int16_t>(ImageGetWord(pages, static_cast<std::uint32_t>(word)));
        const LevelWord level = DecodeLevelWord(w, coding);
        values[i] = level.tenths / 10.0;
        if (!overload.empty())
            overload[i] = level.overload ? 1 : 0;
    }
    return n;
}

std::size_t ReadSampleRun(const ImageReader& image, const TimeHistoryColumn& column, std::size_t firstRow,
                          std::span<double> values)
{
    const std::size_t n = RowsInImage(image, column, firstRow, values.size(), true, 3);
    const PagedFileImage& pages = image.Image();
    std::int64_t byte = RowStartByte(column, true, static_cast<std::int64_t>(firstRow));
    for (std::size_t i = 0; i < n; ++i, byte += 2 * std::int64_t{column.stride}) {
        const auto b = static_cast<std::uint32_t>(byte);
        std::int32_t s = ImageGetByte(pages, b) | (ImageGetByte(pages, b + 1) << 8) | (ImageGetByte(pages, b + 2) << 16);
        if (s & 0x800000)
            s -= 0x1000000;
        values[i] = s / kSampleFullScale;
    }
    return n;
}

std::size_t ReadRealRun(const ImageReader& image, const TimeHistoryColumn& column, std::uint16_t firmware,
                        std::size_t firstRow, std::span<double> values)
{
    const std::size_t n = RowsInImage(image, column, firstRow, values.size(), false, 4);
    const PagedFileImage& pages = image.Image();
    auto word = static_cast<std::int64_t>(column.first) + static_cast<std::int64_t>(firstRow) * column.stride +
                column.offset;
    for (std::size_t i = 0; i < n; ++i, word += column.stride) {
        const auto w = static_cast<std::uint32_t>(word);
        values[i] = DecodeRpmWords(ImageGetWord(pages, w), ImageGetWord(pages, w + 1), firmware);
    }
    return n;
}

} // namespace orlu
