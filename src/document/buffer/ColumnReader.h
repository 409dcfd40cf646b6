#pragma once
// One column of a time history: row i is the word at first + i x stride +
// offset of the image (for 24-bit samples the offset counts bytes). The
// readers fill caller-owned arrays and stop at the last row wholly inside the
// image, so a logger cut short, or one declaring more rows than it holds,
// reads only what is there.

#include "document/buffer/LevelWord.h"
#include "document/image/PagedFileImage.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace orlu {

struct TimeHistoryColumn {
    std::uint32_t first = 0; ///< word of row 0
    std::int16_t stride = 0; ///< words per row
    std::int16_t offset = 0; ///< words into the row (bytes for samples)
};

/// Full scale of a 24-bit sample.
inline constexpr double kSampleFullScale = 8388607.0;

/// How many of rows firstRow .. firstRow + n - 1 lie wholly inside the image, counting
/// from firstRow up to the first that does not, each row needing `bytes` bytes at its
/// start (2 x word, or the byte itself for samples).
std::size_t RowsInImage(const ImageReader& image, const TimeHistoryColumn& column, std::size_t firstRow,
                        std::size_t n, bool byteOffset, std::uint32_t bytes);

/// Levels in dB of rows firstRow ..; values.size() rows at most. overload, when not
/// empty, gets each row's flag (0 for Tenths). Returns the rows read.
std::size_t ReadLevelRun(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                         std::size_t firstRow, std::span<double> values, std::span<std::uint8_t> overload = {});

/// Signed 24-bit little-endian samples, which may start at an odd byte, as a fraction of
/// full scale (0x7FFFFF is 1.0). Returns the rows read.
std::size_t ReadSampleRun(const ImageReader& image, const TimeHistoryColumn& column, std::size_t firstRow,
                          std::span<double> values);

/// Rotation speeds (two-word device values, firmware x 100) of rows firstRow ..
/// Returns the rows read.
std::size_t ReadRealRun(const ImageReader& image, const TimeHistoryColumn& column, std::uint16_t firmware,
                        std::size_t firstRow, std::span<double> values);

} // namespace orlu
