#pragma once
// Device-independent bitmaps and .bmp files. A .bmp file is a 14-byte file
// header ('BM', file size, two reserved zero words, offset of the pixels),
// the info block (a 40-byte or longer header and its colour table), then the
// pixel rows, bottom-up unless the height is negative, each row padded to 4
// bytes. All integers are little-endian.

#include "platform/canvas/RgbImage.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// Widest and tallest bitmap accepted, and the most pixels one may hold.
inline constexpr int kMaxBitmapSide = 32768;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;

/// A bitmap as the bitmap documents keep it: the info block and the pixel rows.
struct DibPicture {
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
    friend bool operator==(const DibPicture&, const DibPicture&) = default;
};

/// A 40-byte header followed by room for its colour table (2, 16 or 256
/// entries for 1, 4 and 8 bits, none above): planes x bits rounded up to
/// 1, 4, 8, 16, 24 or 32; image size = 4-byte-aligned rows x height; 500
/// pixels per metre. Empty when the size is outside the limits.
std::vector<std::uint8_t> BuildBitmapInfo(int width, int height, int planes, int bitsPerPixel);

/// The image as a 24-bit bottom-up bitmap.
DibPicture ImageToDib(const RgbImage& image);

/// The .bmp file of a bitmap.
std::vector<std::uint8_t> EncodeBmpFile(const DibPicture& picture);
/// Writes the .bmp file atomically; false with the reason on failure.
bool WriteBmpFile(const std::filesystem::path& path, const DibPicture& picture, std::string* error = nullptr);

/// Reads a .bmp file's info block and pixel rows. When the header gives no
/// image size, the size ((width + 7) / 8) x height x (bits rounded up to
/// 1, 4, 8, 16, 24 or 32) is taken (and written into the header), but never
/// less than the rows need; bytes the file does not hold past the rows are zero.
/// Nothing, with the reason, when the file is malformed or truncated.
std::optional<DibPicture> DecodeBmpFile(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
std::optional<DibPicture> ReadBmpFile(const std::filesystem::path& path, std::string* error = nullptr);

/// The pixels of an uncompressed 1-, 4-, 8-, 16-, 24- or 32-bit bitmap;
/// nothing, with the reason, for other kinds or incomplete data.
std::optional<RgbImage> DibToImage(const DibPicture& picture, std::string* error = nullptr);

} // namespace orlu
