#pragma once
// Fonts of the canvas as Qt fonts. The program's fixed face is served by
// Liberation Mono (the same metrics), the default face by the system's sans
// font. Characters of the fixed face advance by whole pixels. A canvas font's
// height is the cell height (ascent + descent), so the Qt pixel size is
// fitted until the real font's height matches.

#include "platform/canvas/Canvas.h"

#include <QFont>

#include <map>
#include <tuple>

class QPaintDevice;
class QPainter;
class QPoint;

namespace orlu {

/// Measures canvas fonts with the real fonts, for a paint device (or the screen when none).
class QtFontMeasure : public FontMeasure {
public:
    explicit QtFontMeasure(QPaintDevice* device = nullptr) : m_Device(device) {}

    FontMetrics Metrics(const Font& font) const override;
    TextSize Extent(const Font& font, std::string_view text) const override;

    /// The Qt font that draws a canvas font.
    QFont QtFont(const Font& font) const;
    /// For the fixed face, the whole-pixel advance of every character (as the
    /// layout's "characters x average width" assumes); 0 for other faces.
    int FixedAdvance(const Font& font) const;

private:
    QPaintDevice* m_Device;
    mutable std::map<std::tuple<std::string, int, int>, QFont> m_Cache;
};

/// Windows-1252 text as a QString.
QString QStringFromCp1252(std::string_view text);

/// Draws text in the painter's font and pen from `baseline`, each character
/// in its own cell of `advance` whole pixels: n characters take n x advance
/// pixels, as the fixed face's layout, scrolling and hit-testing count them,
/// where the font's own advance is fractional.
void DrawTextInCells(QPainter& painter, QPoint baseline, const QString& text, int advance);

} // namespace orlu
