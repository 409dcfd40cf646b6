#pragma once
// The zoom dialog of the metafile and bitmap views: only the printing zoom
// can be changed; the display zoom shows how the view scales its picture
// (a metafile fits the window, a bitmap shows 1:1).

#include <cstdint>
#include <string>

namespace orlu {

inline constexpr std::int32_t kMetafilePicture = 2;
inline constexpr std::int32_t kBitmapPicture = 4;

struct PictureZoomModel {
    std::int32_t PictureKind = kBitmapPicture;
    std::uint8_t PrintZoom = 1; ///< 1..16

    /// The text of the disabled display zoom box.
    std::string DisplayZoomText() const { return PictureKind == kMetafilePicture ? "AUTO" : "1"; }
};

} // namespace orlu
