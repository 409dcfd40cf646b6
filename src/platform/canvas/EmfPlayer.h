#pragma once
// Plays enhanced metafiles onto any canvas, stretched to a destination
// rectangle: the records our writer makes and the common ones of other
// programs (lines, polylines, polygons and Bézier curves as line segments,
// rectangles, ellipses, pixels, UTF-16 text with its alignment, pens, brushes,
// fonts and stock objects, colours, modes, save/restore, window and viewport
// origins and extents). Records it does not know are skipped; polygon
// interiors are not filled. A metafile is checked whole before anything is
// drawn: a truncated file, a record whose size is below 8, not a multiple of 4
// or runs past the end, or whose counts do not fit its size, is refused.

#include "platform/canvas/Canvas.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// The fields of a metafile header that playing needs.
struct EmfHeaderInfo {
    CanvasRect bounds;     ///< drawn pixels, inclusive
    CanvasRect frame;      ///< picture area in 0.01 mm, inclusive
    int devicePixelsX = 0; ///< reference device size in pixels
    int devicePixelsY = 0;
    int deviceMillimetresX = 0; ///< and in millimetres
    int deviceMillimetresY = 0;
    std::uint32_t byteCount = 0;
    std::uint32_t recordCount = 0;
    std::uint16_t handleCount = 0;
};

/// A checked metafile, ready to be played.
class EmfPlayer {
public:
    /// Takes a copy of the bytes and checks them whole; false with the reason when malformed.
    bool Load(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

    const EmfHeaderInfo& Header() const { return m_Header; }
    /// The picture area in reference pixels, [left,right) x [top,bottom), from the frame
    /// (or from the bounds when the frame is empty), each corner kept within +-1e9.
    CanvasRect PictureRect() const;

    /// Draws the loaded metafile into [dest.left,dest.right) x [dest.top,dest.bottom);
    /// the canvas's state is the same afterwards.
    void Play(Canvas& canvas, const CanvasRect& dest) const;

private:
    std::vector<std::uint8_t> m_Bytes;
    EmfHeaderInfo m_Header;
    bool m_Loaded = false;
};

} // namespace orlu
