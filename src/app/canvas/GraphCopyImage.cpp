#include "app/canvas/GraphCopyImage.h"

#include <algorithm>

namespace orlu {

QImage GraphCopyImage(const QImage& painted, GraphCopySize size)
{
    const int width = std::min(size.width, painted.width());
    const int height = std::min(size.height, painted.height());
    if (width <= 0 || height <= 0)
        return {};
    return painted.copy(0, 0, width, height);
}

} // namespace orlu
