#pragma once
// The print loop of a graph: one page with the picture, painted through the
// canvas by the caller (the graph engine at the print zoom, or a picture
// document's player), and the footer naming the file at the foot of the page.

#include "platform/canvas/Canvas.h"

#include <functional>
#include <string>

class QPagedPaintDevice;

namespace orlu {

/// Prints the page; an empty file name prints no footer (the picture views).
/// False when the device cannot be painted on.
bool PrintGraphPage(QPagedPaintDevice& device, const std::string& fileName,
                    const std::function<void(Canvas&)>& paint);

} // namespace orlu
