#pragma once
// Font measures that do not depend on installed fonts, so that layouts in
// tests come out the same everywhere. For a font of cell height h:
//   height h, ascent h * 4 / 5, external leading 0, average width h * 4 / 7
//   (14 gives 8, 12 gives 6), and every byte of a text one average width wide.

#include "platform/canvas/Canvas.h"

namespace orlu {

/// Fixed, documented font measures for tests and headless metafiles.
class FixedFontMeasure : public FontMeasure {
public:
    FontMetrics Metrics(const Font& font) const override;
    TextSize Extent(const Font& font, std::string_view text) const override;
};

} // namespace orlu
