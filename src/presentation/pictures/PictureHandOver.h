#pragma once
// A picture on its way from a view to a new picture document: File New and
// Save current view of the measurement view, File New of the picture views.
// The new document takes the picture out; a picture no document took is
// dropped by the next hand-over.

#include "platform/canvas/BmpFile.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

struct PictureHandOver {
    /// An enhanced metafile's bytes.
    std::optional<std::vector<std::uint8_t>> metafile;
    std::optional<DibPicture> bitmap;
};

} // namespace orlu
