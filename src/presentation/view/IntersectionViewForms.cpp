#include "presentation/view/IntersectionViewForms.h"

#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTimeReport.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kBlockMarkers = 2;

// The view's band kind, or the one the file's spectra have.
int BandKindOf(const CTmDoc& doc, const MeasurementViewState& view)
{
    if (view.BandKind >= 2 && view.BandKind <= 4)
        return view.BandKind;
    if (!doc.AnalyzerDecoded())
        return 0;
    switch (doc.Analyzer().function) {
    case kFunction505Spectrum: return 2;
    case kFunction505Octave: return 3;
    case kFunction505ThirdOctave: return 4;
    default: return 0;
    }
}

void SayNotAvailable(FormRequest& request)
{
    std::string line(kFormNotAvailableText);
    AddLine(request.Lines, line, &request.WidestLine);
}

std::optional<ReverbTimeReport> Reverb(FormRequest& r)
{
    return ReverbReportOf(r.Doc, std::max(r.View.ChannelNumber - 1, 0), r.View.Smoothed != 0, BandKindOf(r.Doc, r.View));
}

void RenderText(FormRequest& request)
{
    int widest = request.WidestLine;
    if (request.View.ReverbMode != 0) {
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
    if (request.View.ReverbMode != 0) {
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

} // namespace

TimeIntersectionChoice IntersectionChoiceOf(const CTmDoc& doc, const MeasurementViewState& view)
{
    TimeIntersectionChoice c;
    c.bandKind = BandKindOf(doc, view);
    c.band = view.GraphBandIndex;
    c.recordDegree = std::max(view.Aggregation, 1);
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
}

} // namespace orlu
