#include "presentation/view/BufferViewForms.h"

#include "analysis/statistics/BufferForms.h"
#include "analysis/statistics/LoggerColumns.h"
#include "analysis/statistics/LoggerForms.h"
#include "analysis/statistics/LoggerGraphData.h"

#include <algorithm>
#include <string>

namespace orlu {
namespace {

BufferChoices ChoicesOf(const MeasurementViewState& view)
{
    BufferChoices choices;
    choices.channelMask = view.SelectedChannels;
    choices.units = view.UnitsByKind[0];
    choices.degree = std::max(view.Aggregation, 1);
    choices.totals = view.PlotTotalLine != 0;
    choices.resultIndex = view.PanelResultIndex;
    for (std::size_t k = 0; k < choices.blockResults.size(); ++k)
        choices.blockResults[k] = view.BlockResultSwitches[k] != 0;
    // Two markers make a block, both ends included, lower first.
    if (view.MarkState == 2) {
        const std::int32_t a = std::max(view.MarkedRange[0], 0);
        const std::int32_t b = std::max(view.MarkedRange[1], 0);
        choices.block = true;
        choices.markers = {static_cast<std::uint32_t>(std::min(a, b)), static_cast<std::uint32_t>(std::max(a, b))};
    }
    return choices;
}

// A file without a buffer of this kind says so.
void RenderText(FormRequest& request)
{
    int widest = request.WidestLine;
    // Current-family files have loggers; the ORLU 505 files buffers.
    const auto text = LocateLogger(request.Doc) ? TextLogger : TextBuffer;
    if (!text(request.Doc, request.Lines, &widest, ChoicesOf(request.View)))
        SayNotAvailable(request);
    else
        request.WidestLine = widest;
}

void RenderTable(FormRequest& request)
{
    int widest = request.WidestLine;
    const auto table = LocateLogger(request.Doc) ? TableLogger : TableBuffer;
    if (!table(request.Doc, request.Lines, &widest, request.TableContentKind, ChoicesOf(request.View),
                     request.Options))
        SayNotAvailable(request);
    else
        request.WidestLine = std::max(request.WidestLine, widest);
}

// The graph data of one panel: the logger's of current-family files.
bool RenderGraphData(GraphDataRequest& request)
{
    if (!LocateLogger(request.Doc))
        return false;
    return GraphLogger(request.Doc, request.Data, ChoicesOf(request.View), request.Panel);
}

} // namespace

void RegisterBufferViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewBufferLogger, FormChoice::Text, RenderText);
    registry.Register(kViewBufferLogger, FormChoice::Table, RenderTable);
    registry.RegisterGraphData(kViewBufferLogger, RenderGraphData);
    // The buffers of both ORLU 505 families draw alike.
    for (KindFamily family : {KindFamily::Legacy, KindFamily::Setup505})
        registry.RegisterGraphData(
            kViewBufferLogger,
            [](GraphDataRequest& request) {
                return GraphBuffer(request.Doc, request.Data, request.Panel, ChoicesOf(request.View));
            },
            family);
}

} // namespace orlu
