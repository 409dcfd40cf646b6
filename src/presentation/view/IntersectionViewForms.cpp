#include "presentation/view/IntersectionViewForms.h"

#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTimeReport.h"

#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

constexpr std::uint8_t kBlockMarkers = 2;

// The band kind of the file's spectra; the view's own choice where the file has no
// spectra of its own here (the 1/1 octaves folded from 1/3 octaves are not shown).
int BandKindOf(const CTmDoc& doc, const MeasurementViewState& view)
{
    if (!doc.AnalyzerDecoded())
        return view.BandKind;
    switch (doc.Analyzer().function) {
    case kFunction505Spectrum: return 2;
    case kFunction505Octave: return 3;
    case kFunction505ThirdOctave: return 4;
    default: return view.BandKind;
    }
}

std::optional<ReverbTimeReport> Reverb(FormRequest& r)
{
    return ReverbReportOf(r.Doc, std::max(r.View.ChannelNumber - 1, 0), r.View.Smoothed != 0, BandKindOf(r.Doc, r.View));
}

void RenderText(FormRequest& request)
{
    int widest = request.WidestLine;
    if (request.View.Control.RtMode != 0) {
        const std::optional<ReverbTimeReport> report = Reverb(request);
        if (!report)
            return SayNotAvailable(request);
        FormatReverbTimeText(request.Lines, &widest, *report);
    } else if (!FormatTimeIntersectionText(request.Lines, &widest, request.Doc,
                                           IntersectionChoiceOf(request.Doc, request.View))) {
        return SayNotAvailable(request);
    }
    request.WidestLine = widest;
}

void RenderTable(FormRequest& request)
{
    int widest = request.WidestLine;
    if (request.View.Control.RtMode != 0) {
        const std::optional<ReverbTimeReport> report = Reverb(request);
        if (!report)
            return SayNotAvailable(request);
        FormatReverbTimeTable(request.Lines, &widest, *report, request.Options);
    } else if (!FormatTimeIntersectionTable(request.Lines, &widest, request.Doc,
                                            IntersectionChoiceOf(request.Doc, request.View), request.Options)) {
        return SayNotAvailable(request);
    }
    request.WidestLine = std::max(request.WidestLine, widest);
}

// The panel's channel: the series, its running RMS from the first spectrum
// and the point numbers; the label as the graph writes it.
bool RenderGraphData(GraphDataRequest& request)
{
    TimeIntersectionChoice choice = IntersectionChoiceOf(request.Doc, request.View);
    choice.block = false;
    choice.running = false;
    const std::optional<TimeIntersection> series = ReadTimeIntersection(request.Doc, choice, request.Panel);
    if (!series)
        return false;
    choice.running = true;
    const std::optional<TimeIntersection> running = ReadTimeIntersection(request.Doc, choice, request.Panel);
    PlotData& data = request.Data;
    const auto p = static_cast<std::size_t>(request.Panel);
    data.BufferValues[p].Assign(series->points);
    data.SeriesA[p].Assign(running ? running->points : std::vector<double>{});
    data.TimeStamps.resize(series->points.size());
    for (std::size_t i = 0; i < data.TimeStamps.size(); ++i)
        data.TimeStamps[i] = static_cast<std::uint32_t>(i + 1);
    data.LabelText = series->label == "Total" ? "TOTAL" : series->label;
    data.PanelTitles[p] = StrPrintf("Channel #%d", request.Panel + 1);
    // The statistics of the block between the cursors that the view asks for.
    const std::array<std::int32_t, 4>& wanted = request.View.BlockResultSwitches;
    const TimeIntersectionChoice marked = IntersectionChoiceOf(request.Doc, request.View);
    if (marked.block && std::any_of(wanted.begin(), wanted.end(), [](std::int32_t w) { return w != 0; })) {
        if (const auto values = ReadIntersectionSeries(request.Doc, marked, request.Panel)) {
            const IntersectionBlockStatistics block = BlockStatisticsOf(*values, marked);
            if (block.shown) {
                if (wanted[0])
                    data.SeriesB[p].Assign(block.running);
                if (wanted[1])
                    data.BlockLmax[p] = block.maximum;
                if (wanted[2])
                    data.BlockLmin[p] = block.minimum;
                if (wanted[3])
                    data.SeriesC[p].Assign(block.exposure);
            }
        }
    }
    return true;
}

} // namespace

TimeIntersectionChoice IntersectionChoiceOf(const CTmDoc& doc, const MeasurementViewState& view)
{
    TimeIntersectionChoice c;
    c.bandKind = BandKindOf(doc, view);
    c.band = view.GraphBandIndex + 1; // the view counts its bands from 0
    c.recordDegree = std::max(view.Aggregation, 1);
    c.fftDegree = std::max(view.Spectra.Degree, 1);
    c.unitOption = view.UnitsByKind[0];
    c.running = view.RunningTotal != 0;
    c.smoothed = view.Smoothed != 0;
    c.channel = std::max(view.ChannelNumber - 1, 0);
    c.channelMask = view.SelectedChannels;
    c.block = view.MarkState == kBlockMarkers && view.MarkedRange[0] >= 0 && view.MarkedRange[1] >= view.MarkedRange[0];
    if (c.block) {
        c.blockFirst = static_cast<std::uint32_t>(view.MarkedRange[0]);
        c.blockLast = static_cast<std::uint32_t>(view.MarkedRange[1]);
    }
    return c;
}

void RegisterIntersectionViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewTimeIntersections, FormChoice::Text, RenderText);
    registry.Register(kViewTimeIntersections, FormChoice::Table, RenderTable);
    registry.RegisterGraphData(kViewTimeIntersections, RenderGraphData);
}

} // namespace orlu
