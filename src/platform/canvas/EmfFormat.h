#pragma once
// Enhanced-metafile record types, object and mode values, and the reference
// device our metafiles are recorded for. Every record starts with its type
// and its byte size (a multiple of 4, at least 8), both 32-bit little-endian.

#include <cstdint>

namespace orlu::emf {

enum RecordType : std::uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetRop2 = 20,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kMoveToEx = 27,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kLineTo = 54,
    kExtCreateFontIndirectW = 82,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kExtCreatePen = 95,
};

inline constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
inline constexpr std::uint32_t kVersion = 0x00010000;
inline constexpr std::uint32_t kHeaderSize = 108; // with both header extensions
inline constexpr std::uint32_t kMinHeaderSize = 88;

// Stock objects are selected by these indexes without being created.
inline constexpr std::uint32_t kStockFlag = 0x80000000;
enum StockObject : std::uint32_t {
    kWhiteBrush = kStockFlag | 0,
    kLightGrayBrush = kStockFlag | 1,
    kGrayBrush = kStockFlag | 2,
    kDarkGrayBrush = kStockFlag | 3,
    kBlackBrush = kStockFlag | 4,
    kNullBrush = kStockFlag | 5,
    kWhitePen = kStockFlag | 6,
    kBlackPen = kStockFlag | 7,
    kNullPen = kStockFlag | 8,
    kDeviceDefaultFont = kStockFlag | 14,
};

inline constexpr std::uint32_t kPsSolid = 0;
inline constexpr std::uint32_t kPsDash = 1;
inline constexpr std::uint32_t kPsDot = 2;
inline constexpr std::uint32_t kPsNull = 5;
inline constexpr std::uint32_t kPsStyleMask = 0xF;
inline constexpr std::uint32_t kBsSolid = 0;
inline constexpr std::uint32_t kBsNull = 1;
inline constexpr std::uint32_t kR2XorPen = 7;
inline constexpr std::uint32_t kR2CopyPen = 13;
inline constexpr std::uint32_t kTransparent = 1;
inline constexpr std::uint32_t kOpaque = 2;
inline constexpr std::uint32_t kMmText = 1;
inline constexpr std::uint32_t kMmIsotropic = 7;
inline constexpr std::uint32_t kMmAnisotropic = 8;
inline constexpr std::uint32_t kTaUpdateCp = 1;
inline constexpr std::uint32_t kTaRight = 2;
inline constexpr std::uint32_t kTaCenter = 6;
inline constexpr std::uint32_t kTaBottom = 8;
inline constexpr std::uint32_t kTaBaseline = 24;
inline constexpr std::uint32_t kLogFontSize = 92;
inline constexpr std::uint32_t kLogFontPanoseSize = 320;

// The reference device: 96 pixels per inch, 1920 x 1440 pixels, which are
// 508 x 381 mm exactly, so that frames in 0.01 mm convert back to the same pixels.
inline constexpr int kDevicePixelsX = 1920;
inline constexpr int kDevicePixelsY = 1440;
inline constexpr int kDeviceMillimetresX = 508;
inline constexpr int kDeviceMillimetresY = 381;

/// A colour as the format stores it: 0x00BBGGRR.
inline std::uint32_t ColorRef(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return r | g << 8 | static_cast<std::uint32_t>(b) << 16;
}

} // namespace orlu::emf
