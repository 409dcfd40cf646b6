#include "presentation/view/TextFormLayout.h"

#include "reports/table/TableOutputOptions.h"

#include <algorithm>
#include <utility>

namespace orlu {
namespace {

// Separator indexes whose blanks may stand in runs: a run counts once.
bool RunsCountOnce(std::uint8_t separatorIndex) { return separatorIndex == 5 || separatorIndex == 6; }

char BlockSeparatorOf(std::uint8_t separatorIndex)
{
    // Index 6 keeps fixed columns: the fields are told apart by blanks.
    return separatorIndex == 6 ? ' ' : SeparatorChar(separatorIndex);
}

// Separators in the first `column` characters of a line.
int CountSeparators(std::string_view line, int column, char separator, bool runsOnce)
{
    int count = 0;
    const int end = std::min(column, static_cast<int>(line.size()));
    for (int i = 0; i < end; ++i) {
        if (line[static_cast<std::size_t>(i)] != separator)
            continue;
        if (runsOnce && i > 0 && line[static_cast<std::size_t>(i - 1)] == separator)
            continue;
        ++count;
    }
    return count;
}

std::string_view LineAt(const MeasurementViewState& view, int index, std::string& buffer)
{
    const LineSource& lines = view.ShownLines();
    if (index < 0 || static_cast<std::size_t>(index) >= lines.LineCount())
        return {};
    return LineText(lines.Line(static_cast<std::size_t>(index), buffer));
}

} // namespace

std::string_view LineText(std::string_view line)
{
    if (line.ends_with("\r\n"))
        line.remove_suffix(2);
    return line;
}

void NormalizeBlock(MeasurementViewState& view)
{
    const std::size_t lineCount = view.ShownLines().LineCount();
    if (view.BlockAnchor == view.BlockEnd || lineCount == 0) {
        view.BlockMarked = 0;
        return;
    }
    const int lastLine = static_cast<int>(std::min<std::size_t>(lineCount, INT_MAX)) - 1;
    const int charWidth = std::max(1, view.CharWidth);
    const int lineHeight = std::max(1, view.LineHeight);
    ViewPoint start{view.BlockAnchor.x / charWidth, std::min(view.BlockAnchor.y / lineHeight, lastLine)};
    ViewPoint stop{view.BlockEnd.x / charWidth, std::min(view.BlockEnd.y / lineHeight, lastLine)};
    const std::uint8_t mode = view.BlockMode();
    if (stop.y < start.y) {
        std::swap(start.y, stop.y);
        if (mode == kBlockStream)
            std::swap(start.x, stop.x);
    }
    const bool ordersColumns = mode != kBlockStream || start.y == stop.y;
    if (view.TableShown()) {
        const std::uint8_t index = view.TableSeparatorIndex();
        const bool runsOnce = RunsCountOnce(index);
        view.BlockSeparator = BlockSeparatorOf(index);
        // The corners are screen columns; in a TAB table each line has its own
        // characters under them.
        std::string buffer;
        const auto lineColumn = [&](int y, int screen) {
            return view.TabColumns.LineColumn(y, LineAt(view, y, buffer), screen);
        };
        const auto fieldsBefore = [&](int y, int screen) {
            const std::string_view line = LineAt(view, y, buffer);
            return CountSeparators(line, view.TabColumns.LineColumn(y, line, screen), view.BlockSeparator, runsOnce);
        };
        view.BlockStartField = fieldsBefore(start.y, start.x);
        // A column block takes its width from the last lines it covers, which
        // may be longer than the stop line itself.
        const bool columnBlock = mode == kBlockBox || mode == kBlockFullColumns;
        const int firstCounted = columnBlock ? std::max(start.y, stop.y - 2) : stop.y;
        int endField = 0;
        for (int y = firstCounted; y <= stop.y; ++y)
            endField = std::max(endField, fieldsBefore(y, stop.x));
        view.BlockEndField = endField;
        if (ordersColumns && view.BlockEndField < view.BlockStartField)
            std::swap(view.BlockStartField, view.BlockEndField);
        start.x = lineColumn(start.y, start.x);
        stop.x = lineColumn(stop.y, stop.x);
    } else if (ordersColumns && stop.x < start.x) {
        std::swap(start.x, stop.x);
    }
    view.BlockStart = start;
    view.BlockStop = stop;
    view.BlockMarked = 1;
}

ColumnSpan GetBlockColumns(const MeasurementViewState& view, std::string_view line)
{
    if (!view.TableShown())
        return {view.BlockStart.x, view.BlockStop.x};
    line = LineText(line);
    const char separator = view.BlockSeparator;
    const bool runsOnce = RunsCountOnce(view.TableSeparatorIndex());
    const int length = static_cast<int>(line.size());
    ColumnSpan span{0, length};
    int separators = 0;
    bool startFound = view.BlockStartField == 0;
    for (int i = 0; i < length; ++i) {
        if (line[static_cast<std::size_t>(i)] != separator)
            continue;
        const bool continuesRun = runsOnce && i > 0 && line[static_cast<std::size_t>(i - 1)] == separator;
        if (!continuesRun) {
            ++separators;
            if (separators == view.BlockEndField + 1) {
                span.end = i;
                break;
            }
        }
        if (!startFound && separators == view.BlockStartField) {
            const bool runGoesOn = runsOnce && i + 1 < length && line[static_cast<std::size_t>(i + 1)] == separator;
            if (!runGoesOn) {
                span.start = i + 1;
                startFound = true;
            }
        }
    }
    if (!startFound)
        span.start = length;
    return span;
}

ColumnSpan BlockHighlight(const MeasurementViewState& view, int index, std::string_view line)
{
    if (!view.BlockMarked)
        return {};
    const std::uint8_t mode = view.BlockMode();
    if (mode == kBlockFullColumns)
        return GetBlockColumns(view, line);
    if (index < view.BlockStart.y || index > view.BlockStop.y)
        return {};
    switch (mode) {
    case kBlockBox:
        return GetBlockColumns(view, line);
    case kBlockFullLines:
        return {0, INT_MAX};
    default:
        if (view.BlockStart.y == view.BlockStop.y)
            return GetBlockColumns(view, line);
        if (index == view.BlockStart.y)
            return {view.BlockStart.x, INT_MAX};
        if (index == view.BlockStop.y)
            return {0, view.BlockStop.x + 1};
        return {0, INT_MAX};
    }
}

void LayOutTabColumns(MeasurementViewState& view)
{
    if (view.TableShown() && SeparatorChar(view.TableSeparatorIndex()) == '\t')
        view.TabColumns.Build(view.Lines);
    else
        view.TabColumns.Clear();
}

ScreenLine ScreenLineAt(const MeasurementViewState& view, int index, std::string& buffer)
{
    const std::string_view line = LineAt(view, index, buffer);
    ColumnSpan block = BlockHighlight(view, index, line);
    if (view.TabColumns.Empty())
        return {line, block};
    // The line may live in the buffer, which takes the screen text only once it is made.
    std::string screen = view.TabColumns.ScreenText(index, line);
    if (block.start < block.end) {
        block.start = view.TabColumns.ScreenColumn(index, line, block.start);
        if (block.end != INT_MAX)
            block.end = view.TabColumns.ScreenColumn(index, line, block.end);
    }
    buffer = std::move(screen);
    return {buffer, block};
}

TextScrollInfo TextScrollRanges(const MeasurementViewState& view, int clientWidth, int clientHeight)
{
    TextScrollInfo info;
    const int widest = view.TabColumns.Empty() ? view.WidestLine : view.TabColumns.Widest();
    info.hMax = std::max(0, widest - 3);
    info.hPage = std::max(1, (clientWidth + 1) / std::max(1, view.CharWidth));
    info.vMax = static_cast<int>(std::min<std::size_t>(view.ShownLines().LineCount(), INT_MAX));
    info.vPage = std::max(1, (clientHeight + 1) / std::max(1, view.LineHeight));
    return info;
}

void ClampTextScroll(MeasurementViewState& view, const TextScrollInfo& info)
{
    view.FirstColumn = std::max(0, std::min(view.FirstColumn, info.hMax - info.hPage + 1));
    view.FirstLine = std::max(0, std::min(view.FirstLine, info.vMax - info.vPage + 1));
}

void ScrollText(MeasurementViewState& view, bool vertical, ScrollCode code, int trackPosition,
                const TextScrollInfo& info)
{
    std::int32_t& position = vertical ? view.FirstLine : view.FirstColumn;
    const int page = vertical ? info.vPage : info.hPage;
    switch (code) {
    case ScrollCode::LineUp: position -= 1; break;
    case ScrollCode::LineDown: position += 1; break;
    case ScrollCode::PageUp: position -= page; break;
    case ScrollCode::PageDown: position += page; break;
    case ScrollCode::Track: position = trackPosition; break;
    case ScrollCode::Top: position = 0; break;
    case ScrollCode::Bottom: position = vertical ? info.vMax : info.hMax; break;
    }
    ClampTextScroll(view, info);
}

int VisibleLineCount(const MeasurementViewState& view, int clientHeight)
{
    const int lineHeight = std::max(1, view.LineHeight);
    return (std::max(0, clientHeight) + lineHeight - 1) / lineHeight;
}

} // namespace orlu
