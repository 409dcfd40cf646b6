#include "platform/canvas/Canvas.h"

#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {

std::string FormatRgb(Rgb colour)
{
    return StrPrintf("#%02X%02X%02X", colour.r, colour.g, colour.b);
}

CanvasRect NormalizedRect(int x1, int y1, int x2, int y2)
{
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

} // namespace orlu
