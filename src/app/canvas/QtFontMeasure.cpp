#include "app/canvas/QtFontMeasure.h"

#include "platform/TextEncoding.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace orlu {

QString QStringFromCp1252(std::string_view text)
{
    const std::string utf8 = Cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void DrawTextInCells(QPainter& painter, QPoint baseline, const QString& text, int advance)
{
    // One glyph run with the positions set: a single draw call for the line,
    // where a call per character would lay out each one on its own.
    const QRawFont font = QRawFont::fromFont(painter.font());
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        positions.append(QPointF(static_cast<qreal>(advance) * static_cast<qreal>(i), 0));
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(baseline, run);
}

QFont QtFontMeasure::QtFont(const Font& font) const
{
    const auto key = std::make_tuple(font.face, font.height, font.weight);
    if (auto it = m_Cache.find(key); it != m_Cache.end())
        return it->second;

    QFont q;
    if (font.face == kFixedFace) {
        q.setFamily(QStringLiteral("Liberation Mono"));
        q.setStyleHint(QFont::Monospace);
    } else if (font.face.empty()) {
        q = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        q.setStyleHint(QFont::SansSerif);
    } else {
        q.setFamily(QStringFromCp1252(font.face));
    }
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    const int height = std::max(font.height, 1);
    q.setPixelSize(height);
    // Fit the pixel size (an em) so that the cell height is the one asked for.
    const int measured = QFontMetrics(q, m_Device).height();
    if (measured > 0 && measured != height) {
        q.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / measured))));
        if (QFontMetrics(q, m_Device).height() > height)
            q.setPixelSize(std::max(1, q.pixelSize() - 1));
    }
    m_Cache.emplace(key, q);
    return q;
}

FontMetrics QtFontMeasure::Metrics(const Font& font) const
{
    const QFontMetrics m(QtFont(font), m_Device);
    return {m.height(), m.ascent(), m.leading(), m.averageCharWidth()};
}

int QtFontMeasure::FixedAdvance(const Font& font) const
{
    return font.face == kFixedFace ? QFontMetrics(QtFont(font), m_Device).averageCharWidth() : 0;
}

TextSize QtFontMeasure::Extent(const Font& font, std::string_view text) const
{
    const QFontMetrics m(QtFont(font), m_Device);
    if (const int advance = FixedAdvance(font))
        return {advance * static_cast<int>(text.size()), m.height()};
    return {m.horizontalAdvance(QStringFromCp1252(text)), m.height()};
}

} // namespace orlu
