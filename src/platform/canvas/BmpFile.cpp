#include "platform/canvas/BmpFile.h"

#include "platform/FileIo.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/LittleEndian.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 500;

// Planes x bits per pixel as the bitmap formats store them.
int RoundedBitCount(int bits)
{
    if (bits == 1)
        return 1;
    for (int b : {4, 8, 16, 24})
        if (bits <= b)
            return b;
    return 32;
}

// Bytes of one row padded to 4 bytes; 64-bit so that no size can overflow.
std::int64_t RowBytes(std::int64_t width, std::int64_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

bool Fail(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
    return false;
}

// Size limits shared by everything that makes or reads a bitmap.
bool CheckSize(std::int64_t width, std::int64_t height, std::string* error)
{
    const std::int64_t rows = height < 0 ? -height : height;
    if (width < 1 || rows < 1 || width > kMaxBitmapSide || rows > kMaxBitmapSide || width * rows > kMaxBitmapPixels)
        return Fail(error, StrPrintf("The bitmap size %lld x %lld is not supported.", static_cast<long long>(width),
                                     static_cast<long long>(height)));
    return true;
}

} // namespace

std::vector<std::uint8_t> BuildBitmapInfo(int width, int height, int planes, int bitsPerPixel)
{
    if (!CheckSize(width, height, nullptr) || height < 0)
        return {};
    const int bits = RoundedBitCount(planes * bitsPerPixel);
    const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
    std::vector<std::uint8_t> info;
    info.reserve(kInfoHeaderSize + colours * 4);
    AppendLe32(info, kInfoHeaderSize);
    AppendLe32(info, static_cast<std::uint32_t>(width));
    AppendLe32(info, static_cast<std::uint32_t>(height));
    AppendLe16(info, static_cast<std::uint32_t>(planes));
    AppendLe16(info, static_cast<std::uint32_t>(bitsPerPixel));
    AppendLe32(info, 0); // uncompressed
    AppendLe32(info, static_cast<std::uint32_t>(RowBytes(width, bits) * height));
    AppendLe32(info, kPixelsPerMetre);
    AppendLe32(info, kPixelsPerMetre);
    AppendLe32(info, colours);
    AppendLe32(info, 0); // all colours important
    info.resize(kInfoHeaderSize + colours * 4, 0);
    return info;
}

DibPicture ImageToDib(const RgbImage& image)
{
    DibPicture dib;
    dib.info = BuildBitmapInfo(image.width, image.height, 1, 24);
    if (dib.info.empty())
        return dib;
    const auto stride = static_cast<std::size_t>(RowBytes(image.width, 24));
    dib.bits.assign(stride * static_cast<std::size_t>(image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = dib.bits.data() + static_cast<std::size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.At(x, y);
            row[3 * x] = static_cast<std::uint8_t>(p);
            row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    return dib;
}

std::vector<std::uint8_t> EncodeBmpFile(const DibPicture& picture)
{
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + picture.info.size() + picture.bits.size());
    out.push_back('B');
    out.push_back('M');
    AppendLe32(out, static_cast<std::uint32_t>(kFileHeaderSize + picture.info.size() + picture.bits.size()));
    AppendLe32(out, 0);
    AppendLe32(out, static_cast<std::uint32_t>(kFileHeaderSize + picture.info.size()));
    out.insert(out.end(), picture.info.begin(), picture.info.end());
    out.insert(out.end(), picture.bits.begin(), picture.bits.end());
    return out;
}

bool WriteBmpFile(const std::filesystem::path& path, const DibPicture& picture, std::string* error)
{
    return WriteFileAtomically(path, EncodeBmpFile(picture), error);
}

std::optional<DibPicture> DecodeBmpFile(std::span<const std::uint8_t> bytes, std::string* error)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) {
        Fail(error, "The bitmap file is truncated: it is too short to hold its headers.");
        return std::nullopt;
    }
    // The signature is not required: files that only lack it still open.
    const std::uint32_t bitsOffset = GetLe32(bytes, 10);
    if (bitsOffset < kFileHeaderSize + kInfoHeaderSize || bitsOffset > bytes.size()) {
        Fail(error, StrPrintf("The bitmap file's pixel offset %lu is not valid.", static_cast<unsigned long>(bitsOffset)));
        return std::nullopt;
    }
    DibPicture dib;
    dib.info.assign(bytes.begin() + kFileHeaderSize, bytes.begin() + bitsOffset);
    const std::uint32_t headerSize = GetLe32(dib.info, 0);
    if (headerSize < kInfoHeaderSize || headerSize > dib.info.size()) {
        Fail(error, StrPrintf("The bitmap header of %lu bytes is not supported.", static_cast<unsigned long>(headerSize)));
        return std::nullopt;
    }
    const std::int64_t width = GetLeI32(dib.info, 4);
    const std::int64_t height = GetLeI32(dib.info, 8);
    if (!CheckSize(width, height, error))
        return std::nullopt;
    const std::int64_t bits = std::int64_t{GetLe16(dib.info, 12)} * GetLe16(dib.info, 14);
    const bool uncompressed = GetLe32(dib.info, 16) == 0;
    const std::int64_t rows = height < 0 ? -height : height;
    const std::int64_t needed = uncompressed ? RowBytes(width, bits) * rows : 0;
    const std::int64_t available = static_cast<std::int64_t>(bytes.size() - bitsOffset);
    std::int64_t size = GetLe32(dib.info, 20);
    if (size == 0 && needed == 0) {
        // Only the rows of an uncompressed picture with a bit count can stand
        // in for a missing size; anything else would size the pixels from
        // the header alone, up to hundreds of MiB for a file of 54 bytes.
        Fail(error, "The bitmap file gives no image size and its pixel rows cannot tell it.");
        return std::nullopt;
    }
    if (size == 0) {
        // At most 8 times the rows, which the file must hold (checked below).
        size = std::max((width + 7) / 8 * rows * RoundedBitCount(static_cast<int>(std::min<std::int64_t>(bits, 64))),
                        needed);
        PutLe32(dib.info, 20, static_cast<std::uint32_t>(std::min<std::int64_t>(size, 0xFFFFFFFF)));
    } else if (size > available) {
        Fail(error, StrPrintf("The bitmap file is truncated: it declares %lld bytes of pixels but holds %lld.",
                              static_cast<long long>(size), static_cast<long long>(available)));
        return std::nullopt;
    }
    if (needed > available) {
        Fail(error, StrPrintf("The bitmap file is truncated: its pixel rows need %lld bytes but it holds %lld.",
                              static_cast<long long>(needed), static_cast<long long>(available)));
        return std::nullopt;
    }
    size = std::max(size, needed);
    dib.bits.assign(static_cast<std::size_t>(size), 0);
    const auto copied = static_cast<std::size_t>(std::min(size, available));
    std::copy_n(bytes.begin() + bitsOffset, copied, dib.bits.begin());
    return dib;
}

std::optional<DibPicture> ReadBmpFile(const std::filesystem::path& path, std::string* error)
{
    auto bytes = ReadWholeFile(path, error);
    if (!bytes)
        return std::nullopt;
    return DecodeBmpFile(*bytes, error);
}

std::optional<RgbImage> DibToImage(const DibPicture& picture, std::string* error)
{
    const auto& info = picture.info;
    if (info.size() < kInfoHeaderSize || GetLe32(info, 0) < kInfoHeaderSize || GetLe32(info, 0) > info.size()) {
        Fail(error, "The bitmap header is incomplete.");
        return std::nullopt;
    }
    const std::int64_t width = GetLeI32(info, 4);
    const std::int64_t height = GetLeI32(info, 8);
    if (!CheckSize(width, height, error))
        return std::nullopt;
    // 64-bit: planes x bits of two 16-bit words overflows an int.
    const std::int64_t bitCount = std::int64_t{GetLe16(info, 12)} * GetLe16(info, 14);
    const std::uint32_t compression = GetLe32(info, 16);
    if (compression != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)) {
        Fail(error, StrPrintf("Bitmaps of %lld bits per pixel with compression %lu are not supported.",
                              static_cast<long long>(bitCount), static_cast<unsigned long>(compression)));
        return std::nullopt;
    }
    const int bits = static_cast<int>(bitCount);
    const std::int64_t rows = height < 0 ? -height : height;
    const std::int64_t stride = RowBytes(width, bits);
    if (stride * rows > static_cast<std::int64_t>(picture.bits.size())) {
        Fail(error, "The bitmap's pixel rows are incomplete.");
        return std::nullopt;
    }
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t used = GetLe32(info, 32);
        const std::uint32_t entries = used ? used : 1u << bits;
        const std::uint32_t headerSize = GetLe32(info, 0);
        if (entries > (1u << bits) || headerSize + std::uint64_t{entries} * 4 > info.size()) {
            Fail(error, "The bitmap's colour table is incomplete.");
            return std::nullopt;
        }
        for (std::uint32_t i = 0; i < entries; ++i)
            palette.push_back(GetLe32(info, headerSize + 4 * i) & 0xFFFFFF);
        palette.resize(std::size_t{1} << bits, 0); // indexes past the table are black
    }
    RgbImage image(static_cast<int>(width), static_cast<int>(rows), 0);
    const std::span<const std::uint8_t> data(picture.bits);
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::size_t row = static_cast<std::size_t>((height > 0 ? rows - 1 - y : y) * stride);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x * bits);
                const std::uint8_t byte = data[row + bit / 8];
                const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                rgb = palette[index];
            } else if (bits == 16) {
                const std::uint16_t v = GetLe16(data, row + static_cast<std::size_t>(2 * x));
                const auto five = [](unsigned c) { return (c << 3) | (c >> 2); };
                rgb = five((v >> 10) & 31) << 16 | five((v >> 5) & 31) << 8 | five(v & 31);
            } else {
                const std::size_t at = row + static_cast<std::size_t>(x * (bits / 8));
                rgb = static_cast<std::uint32_t>(data[at + 2]) << 16 | data[at + 1] << 8 | data[at];
            }
            image.Set(static_cast<int>(x), static_cast<int>(y), rgb);
        }
    }
    return image;
}

} // namespace orlu
