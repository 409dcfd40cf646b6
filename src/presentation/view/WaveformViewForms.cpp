#include "presentation/view/WaveformViewForms.h"

#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kBlockMarkers = 2;

void RenderText(FormRequest& request)
{
    int widest = request.WidestLine;
    WaveformChoice choice = WaveformChoiceOf(request.View);
    choice.allRecords = request.View.TextAllFiles != 0;
    if (!FormatWaveformText(request.Lines, &widest, request.Doc, choice))
        return SayNotAvailable(request);
    request.WidestLine = widest;
}

void RenderTable(FormRequest& request)
{
    int widest = request.WidestLine;
    WaveformChoice choice = WaveformChoiceOf(request.View);
    choice.allRecords = request.View.TableAllFiles != 0;
    if (!FormatWaveformTable(request.Lines, &widest, request.Doc, choice, request.Options))
        return SayNotAvailable(request);
    request.WidestLine = std::max(request.WidestLine, widest);
}

// One panel per channel of interleaved blocks; the samples as fractions of full scale.
bool RenderGraphData(GraphDataRequest& request)
{
    const int record = std::max(request.View.GraphRecord, 1);
    const std::optional<WaveformPoints> points = GetWaveformPoints(request.Doc, record, request.Panel);
    if (!points || (request.Panel > 0 && request.Doc.Analyzer().channelCount <= request.Panel))
        return false;
    PlotData& data = request.Data;
    data.FrequencyValues.assign(points->x.begin(), points->x.end());
    data.PlotValues.Assign(points->y);
    data.LabelText = StrPrintf("Time waveform  No.%d", record);
    data.PanelTitles[static_cast<std::size_t>(request.Panel)] = StrPrintf("Channel #%d", request.Panel + 1);
    return true;
}

} // namespace

WaveformChoice WaveformChoiceOf(const MeasurementViewState& view)
{
    WaveformChoice c;
    c.record = std::max(view.GraphRecord, 1);
    c.channel = std::max(view.ChannelNumber - 1, 0);
    c.channelMask = view.SelectedChannels;
    c.unitOption = view.UnitsByKind[0];
    c.block = view.MarkState == kBlockMarkers && view.MarkedRange[0] >= 0 && view.MarkedRange[1] >= view.MarkedRange[0];
    if (c.block) {
        c.blockFirst = static_cast<std::uint32_t>(view.MarkedRange[0]);
        c.blockLast = static_cast<std::uint32_t>(view.MarkedRange[1]);
    }
    return c;
}

void RegisterWaveformViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewWaveforms, FormChoice::Text, RenderText);
    registry.Register(kViewWaveforms, FormChoice::Table, RenderTable);
    registry.RegisterGraphData(kViewWaveforms, RenderGraphData);
}

} // namespace orlu
