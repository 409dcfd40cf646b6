#pragma once
// The program's RGB pictures and Qt images, both ways.

#include "platform/canvas/RgbImage.h"

#include <QImage>

namespace orlu {

/// The picture as a 32-bit RGB image.
QImage ToQImage(const RgbImage& image);
/// The image's colours (alpha dropped).
RgbImage FromQImage(const QImage& image);

} // namespace orlu
