#pragma once
// The part of a painted graph bitmap that Copy puts on the clipboard.

#include "presentation/view/GraphCopy.h"

#include <QImage>

namespace orlu {

/// The top-left part of the bitmap of the given size, cut to the bitmap;
/// a null image when nothing is left.
QImage GraphCopyImage(const QImage& painted, GraphCopySize size);

} // namespace orlu
