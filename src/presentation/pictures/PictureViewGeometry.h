#pragma once
// Where the picture views draw: the metafile stretched into most of the
// window, pictures on the printed page at the print zoom, and the bitmap at
// its own size under a scroll offset, grey beside and below it.

#include "platform/canvas/Canvas.h"
#include "platform/canvas/RgbImage.h"

#include <vector>

namespace orlu {

/// The metafile view's picture in a client area of w x h: from (3 %, 5 %) to (88.5 %, 98 %), truncated.
CanvasRect MetafileScreenRect(int clientWidth, int clientHeight);
/// The metafile on the printed page: 512 x 256 units times the zoom.
CanvasRect MetafilePrintRect(int zoom);
/// A W x H bitmap on the printed page: each side times the zoom.
CanvasRect BitmapPrintRect(int width, int height, int zoom);

/// The grey of the window beside and below a bitmap smaller than it.
inline constexpr Rgb kBitmapBackground{230, 230, 230};

/// A scroll request of a scroll bar.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

/// The bitmap view's scroll offset: where the picture's top-left corner lies
/// relative to the window, each coordinate between the far end and 0.
class BitmapScroller {
public:
    BitmapScroller(int pictureWidth, int pictureHeight) : m_Width(pictureWidth), m_Height(pictureHeight) {}

    /// A new client size: the offset is brought back within the limits.
    void Resize(int clientWidth, int clientHeight);
    /// Moves the picture; `thumb` is the scroll bar position of a Thumb request.
    void ScrollVertical(ScrollRequest request, int thumb = 0);
    void ScrollHorizontal(ScrollRequest request, int thumb = 0);
    /// One wheel step: a line up (delta > 0) or down when the picture is taller
    /// than the window, else a line left or right when it is wider.
    void Wheel(int delta);

    int OffsetX() const { return m_X; }
    int OffsetY() const { return m_Y; }
    /// The scroll bars' ranges (0 to the picture's size) and pages (the client size).
    int ClientWidth() const { return m_ClientWidth; }
    int ClientHeight() const { return m_ClientHeight; }

private:
    static int Step(int offset, ScrollRequest request, int line, int page, int thumb, int picture, int client);

    int m_Width;
    int m_Height;
    int m_ClientWidth = 0;
    int m_ClientHeight = 0;
    int m_X = 0;
    int m_Y = 0;
};

/// The bitmap view's window: the picture at the offset, grey right of it and below it.
RgbImage RenderBitmapView(const RgbImage& picture, int clientWidth, int clientHeight, int offsetX, int offsetY);

} // namespace orlu
