#include "graph/GraphWindow.h"

#include "graph/GraphDocument.h"
#include "graph/GraphSizeTable.h"
#include "graph/GraphViewState.h"
#include "graph/ReverbResultsBox.h"

#include <algorithm>

namespace orlu {

void ClampGraphWindow(GraphViewState& v)
{
    const int total = v.PointCount;
    v.WindowSize = v.Geometry.pointCount;
    if (v.WindowSize > total) {
        v.WindowSize = total;
        v.Geometry.pointCount = total;
        v.WindowStart = 0;
        v.CursorIndex = v.WindowSize / 2;
    }
    if (v.WindowStart > total)
        v.WindowStart = total - v.WindowSize;
    if (v.CursorIndex < 0) {
        v.WindowStart += v.CursorIndex;
        v.CursorIndex = 0;
    }
    if (v.CursorIndex > v.WindowSize - 1) {
        v.WindowStart += v.CursorIndex - (v.WindowSize - 1);
        v.CursorIndex = v.WindowSize - 1;
    }
    if (total - v.WindowStart < v.WindowSize) {
        const int newStart = total - v.WindowSize;
        v.CursorIndex = v.WindowStart + v.CursorIndex - newStart;
        v.WindowStart = newStart;
    }
    // A cursor scrolled left of the data: the window cannot start before it.
    if (v.WindowStart < 0) {
        v.CursorIndex = std::max(0, v.CursorIndex + v.WindowStart);
        v.WindowStart = 0;
    }
    if (v.WindowStart + v.CursorIndex >= total)
        v.CursorIndex = v.WindowSize - 1;
    v.CursorIndex = std::max(0, v.CursorIndex);
}

int GetPlotMargins(GraphGeometry& g, int sizeIndex, bool printing, bool reverberationSteps)
{
    const auto t = [sizeIndex](GraphSizeRow row) { return GraphSize(row, sizeIndex); };
    int height = t(kSizeTopMargin) + 4 * t(kSizeFontHeight) + t(kSizePlotHeight) + t(kSizeXTick) + t(kSizeReadoutSpace);
    if (reverberationSteps)
        height += 4 * t(kSizeFontHeight) + 6;
    g.topMargin = t(kSizeTopMargin) + 2 * t(kSizeFontHeight);
    if (printing) {
        height += t(kSizePrintTopMargin) + t(kSizePrintPanelExtra);
        g.topMargin += t(kSizePrintTopMargin);
    }
    g.plotHeight = t(kSizePlotHeight);
    // The results box keeps its font at every graph size: the smaller sizes,
    // whose read-out stands right of the plot, would cut it off.
    if (reverberationSteps)
        height = std::max(height, g.topMargin + g.plotHeight + kRtBoxDepth);
    return height;
}

int GetUnitsMode(const GraphViewState& v, const GraphDocument& doc)
{
    const int u = v.UnitsChoice;
    const int kind = v.ViewKind;
    const int input = doc.InputKind();
    const bool phase = kind == 9 && v.PhaseSpectrum != 0;
    if ((kind >= 3 && kind <= 6) || phase)
        return u;
    const int byInput = input == 2 ? u : (u == 0 ? 1 : 0);
    if (kind >= 9 && kind <= 12) {
        if (input == 2 && doc.MicDbOnly())
            return 0;
        if (input > 3)
            return (u + 1) % 4;
        return byInput;
    }
    if (kind == 2 || kind == 7 || kind == 8)
        return byInput;
    return u;
}

ChannelBandOffsets AlignChannelBands(GraphDocument& doc, std::uint16_t mask, bool oneOne)
{
    ChannelBandOffsets out;
    std::array<int, 5> first{};
    std::array<int, 5> last{};
    int lowest = 100;
    int highest = 0;
    for (int c = 0; c < 5; ++c) {
        if ((mask & (1u << c)) == 0)
            continue;
        doc.SelectChannel(c);
        first[c] = doc.FirstBand(oneOne);
        last[c] = first[c] + doc.OctaveBandCount(oneOne) - 1;
        if (first[c] < lowest) {
            lowest = first[c];
            out.lowestChannel = c;
        }
        highest = std::max(highest, last[c]);
    }
    for (int c = 0; c < 5; ++c) {
        if ((mask & (1u << c)) == 0)
            continue;
        out.offsets[c] = static_cast<std::uint16_t>(std::max(0, first[c] - lowest));
        out.tails[c] = static_cast<std::uint16_t>(std::max(0, highest - last[c]));
    }
    return out;
}

} // namespace orlu
