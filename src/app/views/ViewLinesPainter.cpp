#include "app/views/ViewLinesPainter.h"

#include "app/canvas/QtFontMeasure.h"
#include "presentation/view/TextFormLayout.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace orlu {
namespace {

const QColor kBlockBackground(0, 255, 0);

} // namespace

void PaintViewLines(QPainter& painter, MeasurementViewState& state, QSize area)
{
    NormalizeBlock(state);
    // Every character in a cell of CharWidth pixels: the columns painted are
    // the ones the scroll range and the mouse count.
    const int charWidth = state.CharWidth;
    const int lineHeight = state.LineHeight;
    const int visibleColumns = (area.width() + 1) / charWidth + 1;
    const int firstColumn = state.FirstColumn - state.TextMargin;
    const LineSource& lines = state.ShownLines();
    const int lineCount = static_cast<int>(std::min<std::size_t>(lines.LineCount(), INT_MAX));
    const int last = std::min(lineCount, state.FirstLine + VisibleLineCount(state, area.height()));
    const int ascent = painter.fontMetrics().ascent();
    std::string buffer;
    // Only the lines in the window are looked at (and, in an on-demand form, made), however long the form.
    for (int i = state.FirstLine, y = 0; i < last; ++i, y += lineHeight) {
        const ScreenLine line = ScreenLineAt(state, i, buffer);
        const ColumnSpan block = line.block;
        if (block.start < block.end) {
            const int from = std::max(block.start, firstColumn) - firstColumn;
            const int to = std::min<long long>(block.end, static_cast<long long>(firstColumn) + visibleColumns) -
                           firstColumn;
            if (to > from)
                painter.fillRect(from * charWidth, y, (to - from) * charWidth, lineHeight, kBlockBackground);
        }
        const int start = std::max(0, firstColumn);
        if (start >= static_cast<int>(line.text.size()))
            continue;
        const std::string_view visible = line.text.substr(static_cast<std::size_t>(start),
                                                          static_cast<std::size_t>(visibleColumns));
        DrawTextInCells(painter, QPoint((start - firstColumn) * charWidth, y + ascent), QStringFromCp1252(visible),
                        charWidth);
    }
}

} // namespace orlu
