#include "presentation/pictures/PictureViewGeometry.h"

#include <algorithm>

namespace orlu {

CanvasRect MetafileScreenRect(int clientWidth, int clientHeight)
{
    auto part = [](int size, double share) { return static_cast<int>(share * size); };
    return {part(clientWidth, 0.03), part(clientHeight, 0.05), part(clientWidth, 0.885), part(clientHeight, 0.98)};
}

CanvasRect MetafilePrintRect(int zoom) { return {0, 0, 512 * zoom, 256 * zoom}; }

CanvasRect BitmapPrintRect(int width, int height, int zoom) { return {0, 0, width * zoom, height * zoom}; }

int BitmapScroller::Step(int offset, ScrollRequest request, int line, int page, int thumb, int picture, int client)
{
    switch (request) {
    case ScrollRequest::LineUp: offset += line; break;
    case ScrollRequest::LineDown: offset -= line; break;
    case ScrollRequest::PageUp: offset += page; break;
    case ScrollRequest::PageDown: offset -= page; break;
    case ScrollRequest::Top: offset = 0; break;
    // The far end: the picture's last row (column) at the window's edge.
    case ScrollRequest::Bottom: offset = client - picture; break;
    case ScrollRequest::Thumb: offset = -thumb; break;
    }
    if (picture + offset < client)
        offset = client - picture;
    return std::min(offset, 0);
}

void BitmapScroller::ScrollVertical(ScrollRequest request, int thumb)
{
    m_Y = Step(m_Y, request, 4, 50, thumb, m_Height, m_ClientHeight);
}

void BitmapScroller::ScrollHorizontal(ScrollRequest request, int thumb)
{
    m_X = Step(m_X, request, 4, 8, thumb, m_Width, m_ClientWidth);
}

void BitmapScroller::Wheel(int delta)
{
    if (m_Height > m_ClientHeight)
        ScrollVertical(delta < 0 ? ScrollRequest::LineDown : ScrollRequest::LineUp);
    else if (m_Width > m_ClientWidth)
        ScrollHorizontal(delta <= 0 ? ScrollRequest::LineDown : ScrollRequest::LineUp);
}

void BitmapScroller::Resize(int clientWidth, int clientHeight)
{
    m_ClientWidth = std::max(clientWidth, 0);
    m_ClientHeight = std::max(clientHeight, 0);
    // The same limits as scrolling, so that growing the window never shows a gap past the picture's end.
    m_X = std::min(std::max(m_X, m_ClientWidth - m_Width), 0);
    m_Y = std::min(std::max(m_Y, m_ClientHeight - m_Height), 0);
}

RgbImage RenderBitmapView(const RgbImage& picture, int clientWidth, int clientHeight, int offsetX, int offsetY)
{
    const std::uint32_t grey = (std::uint32_t{kBitmapBackground.r} << 16) | (std::uint32_t{kBitmapBackground.g} << 8) |
                               kBitmapBackground.b;
    RgbImage window(std::max(clientWidth, 0), std::max(clientHeight, 0), grey);
    for (int y = 0; y < window.height; ++y) {
        const int sy = y - offsetY;
        if (sy < 0 || sy >= picture.height)
            continue;
        for (int x = 0; x < window.width; ++x) {
            const int sx = x - offsetX;
            if (sx >= 0 && sx < picture.width)
                window.Set(x, y, picture.At(sx, sy));
        }
    }
    return window;
}

} // namespace orlu
