#include "platform/canvas/FixedFontMeasure.h"

namespace orlu {

FontMetrics FixedFontMeasure::Metrics(const Font& font) const
{
    return {font.height, font.height * 4 / 5, 0, font.height * 4 / 7};
}

TextSize FixedFontMeasure::Extent(const Font& font, std::string_view text) const
{
    return {static_cast<int>(text.size()) * Metrics(font).aveCharWidth, font.height};
}

} // namespace orlu
