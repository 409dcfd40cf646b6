#include "graph/PlotDispatch.h"

#include "graph/DecayReadout.h"
#include "graph/DensityGraph.h"
#include "graph/GraphDocument.h"
#include "graph/GraphSettings.h"
#include "graph/GraphSizeTable.h"
#include "graph/GraphViewState.h"
#include "graph/GraphWindow.h"
#include "graph/PhaseGraph.h"
#include "graph/SpectrumReadout.h"
#include "graph/StatLevelGraph.h"
#include "graph/TimeHistoryReadout.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

/// Values of one panel of octave spectra and statistical levels in the plot array.
constexpr int kOctaveValuesPerPanel = 52;

bool Bit(unsigned mask, int i) { return (mask & (1u << i)) != 0; }

// The document's channels, as many as a graph has panels: a damaged channel
// count must not index past the per-panel arrays.
int ChannelPanels(const GraphDocument& doc) { return std::clamp(doc.ChannelCount(), 1, kMaxGraphPanels); }

int DocumentPanelCount(const GraphDocument& doc)
{
    if (doc.IsFourChannelFamily())
        return 5;
    return ChannelPanels(doc);
}

// The largest absolute value of a series, from the range kept with it.
double LargestOf(const PlotSeries& s) { return s.HasRange() ? std::max(std::fabs(s.Minimum()), std::fabs(s.Maximum())) : 0.0; }

WaveformPanel BufferWaveformOf(const GraphViewState& v, const GraphDocument& doc, const GraphSettings& settings,
                              const PanelArgs& a)
{
    WaveformPanel w;
    const auto i = static_cast<std::size_t>(a.panel);
    const int quantity = GetUnitsMode(v, doc);
    w.fullScale = v.WaveformScale;
    w.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    w.zoomSteps = v.ZoomSteps(quantity);
    w.timing = doc.Timing();
    w.samples = v.BufferValues[i].Values();
    w.largest = LargestOf(v.BufferValues[i]);
    w.records = v.TimeStamps;
    w.firstShown = v.WindowStart;
    w.title = v.PanelTitles[i];
    w.inputKind = doc.InputKind();
    w.quantity = quantity;
    w.markerCount = v.MarkState;
    w.markerColumns = {v.MarkedRangeScaled[0], v.MarkedRangeScaled[1]};
    w.buffer = true;
    w.cursorShown = v.CursorOn != 0;
    w.cursorIndex = a.cursorIndex;
    return w;
}

TimeHistoryPanel BaseTimeHistory(const GraphViewState& v, const GraphDocument& doc, const GraphSettings& settings)
{
    TimeHistoryPanel p;
    p.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    p.pitchSteps = v.LevelPitchOffset;
    p.timing = doc.Timing();
    p.records = v.TimeStamps;
    p.markers = doc.Markers();
    p.breaks = doc.Breaks();
    p.totalPoints = v.PointCount;
    p.firstShown = v.WindowStart;
    p.markerCount = v.MarkState;
    p.markerColumns = {v.MarkedRangeScaled[0], v.MarkedRangeScaled[1]};
    p.cursorIndex = v.CursorIndex;
    p.cursorShown = v.CursorOn != 0;
    p.is505 = doc.Is505File();
    return p;
}

void PlanTimeHistory(GraphViewState& v, GraphDocument& doc, const GraphSettings& settings, std::vector<PanelArgs>& out)
{
    const bool samples = doc.HasWaveformSamples();
    if (settings.UseDate && !samples)
        v.GraphHeight += GraphSize(kSizeFontHeight, v.GraphSizeIndex);
    const int count = DocumentPanelCount(doc);
    const bool blockOn = v.MarkState == 2;
    int y = -v.GraphHeight;
    for (int panel = 0; panel < count; ++panel) {
        if (count > 1 && !Bit(v.SelectedChannels, panel))
            continue;
        int totalKind = 1;
        if (count > 1) {
            if (doc.IsFourChannelFamily() && panel == kRpmPanel &&
                (samples || !(doc.RpmChoiceFlag() && v.RpmShown != 1)))
                break; // the fifth place belongs to the rotation panel
            doc.SelectChannel(panel);
            totalKind = samples ? 0 : doc.TotalKind(panel, v.PanelResultIndex[static_cast<std::size_t>(panel)]);
        }
        y += v.GraphHeight;
        const int quantity = GetUnitsMode(v, doc);
        PanelArgs a;
        a.group = samples ? PlotGroup::Waveform : PlotGroup::TimeHistory;
        a.panel = panel;
        a.plotKind = v.PlotKind;
        a.geometry = v.Geometry;
        a.y = y;
        a.valueOffset = static_cast<std::size_t>(panel) * doc.Timing().recordsPerChannel;
        a.pointCount = v.PointCount;
        a.cursorIndex = v.CursorIndex;
        TimeHistoryPanel& p = a.timeHistory;
        p = BaseTimeHistory(v, doc, settings);
        const auto i = static_cast<std::size_t>(panel);
        p.rangeTop = doc.RangeTop();
        p.zoomSteps = v.ZoomSteps(quantity);
        p.main = &v.BufferValues[i];
        p.total = &v.SeriesA[i];
        p.blockLeq = &v.SeriesB[i];
        p.blockSel = &v.SeriesC[i];
        p.blockMax = v.BlockLmax[i];
        p.blockMin = v.BlockLmin[i];
        p.vdv = v.VdvPanel[i] != 0;
        p.title = v.PanelTitles[i];
        p.function = doc.Function();
        p.inputKind = doc.InputKind();
        p.filter = doc.Filter();
        p.quantity = quantity;
        const bool totals = v.TotalApplicable() && totalKind != 0;
        p.showTotal = v.PlotTotal != 0 && totals;
        p.showBlockLeq = blockOn && v.DrawInBlock[0] != 0 && totals;
        p.showBlockMax = blockOn && v.DrawInBlock[1] != 0;
        p.showBlockMin = blockOn && v.DrawInBlock[2] != 0;
        p.showBlockSel = blockOn && v.DrawInBlock[3] != 0 && totals;
        if (samples)
            a.waveform = BufferWaveformOf(v, doc, settings, a);
        out.push_back(std::move(a));
    }
    const bool rpmPanel = doc.HasRpmSeries() && Bit(v.SelectedChannels, kRpmPanel) &&
                          (!doc.IsFourChannelFamily() || (doc.RpmChannelFlag() && (!doc.RpmChoiceFlag() || v.RpmShown != 0)));
    if (!rpmPanel)
        return;
    y += v.GraphHeight;
    PanelArgs a;
    a.group = PlotGroup::TimeHistory;
    a.panel = kRpmPanel;
    a.plotKind = v.PlotKind;
    a.geometry = v.Geometry;
    a.y = y;
    a.rpm = true;
    a.pointCount = v.PointCount;
    a.cursorIndex = v.CursorIndex;
    TimeHistoryPanel& p = a.timeHistory;
    p = BaseTimeHistory(v, doc, settings);
    p.rangeTop = doc.RpmRangeTop();
    p.zoomSteps = v.LevelZoomOffset;
    p.main = &v.RpmValues;
    p.blockMax = v.BlockLmax[kRpmPanel];
    p.blockMin = v.BlockLmin[kRpmPanel];
    p.vdv = v.VdvPanel[kRpmPanel] != 0;
    p.title = v.PanelTitles[kRpmPanel];
    p.inputKind = 0;
    p.showBlockMax = blockOn && v.DrawInBlock[1] != 0;
    p.showBlockMin = blockOn && v.DrawInBlock[2] != 0;
    p.showClock = !samples;
    out.push_back(std::move(a));
}

// The values of a panel from its offset in a plot array, at most `count` of them.
template <typename T> std::span<const T> PanelSlice(std::span<const T> all, std::size_t offset, int count)
{
    if (offset >= all.size() || count <= 0)
        return {};
    return all.subspan(offset, std::min(all.size() - offset, static_cast<std::size_t>(count)));
}

SpectrumPanel SpectrumPanelOf(const GraphViewState& v, const GraphDocument& doc, const GraphSettings& settings,
                              const PanelArgs& a)
{
    SpectrumPanel p;
    const int quantity = GetUnitsMode(v, doc);
    const auto i = static_cast<std::size_t>(a.panel);
    p.levelBase = a.levelBase;
    p.span = a.span;
    p.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    p.pitchSteps = v.LevelPitchOffset;
    p.zoomSteps = v.ZoomSteps(quantity);
    p.lineZero = v.LineZeroFrequency;
    p.lineSpacing = v.LineSpacing;
    p.values = PanelSlice(v.PlotValues.Values(), a.valueOffset, a.pointCount);
    p.frequencies = v.FrequencyValues;
    p.marks = PanelSlice(std::span<const std::uint8_t>(v.SpectrumMarks), a.valueOffset, a.pointCount);
    p.firstShown = v.WindowStart;
    p.title = i < v.PanelTitles.size() ? v.PanelTitles[i] : std::string();
    p.subtitle = v.GraphSubtitle;
    p.totalBars = v.TotalBars;
    p.inputKind = doc.InputKind();
    p.quantity = quantity;
    p.solidBars = v.SolidBars != 0;
    p.markerCount = v.MarkState;
    // Aligned panels: the markers stand on the same bands as in the other panels.
    p.markerColumns = {v.MarkedRangeScaled[0] - a.bandOffset, v.MarkedRangeScaled[1] - a.bandOffset};
    p.peaksShown = v.PeaksShown != 0;
    p.tonalityShown = v.TonalityShown != 0;
    p.noise = v.Noise;
    p.slotLayout = doc.HasSlotChannels();
    p.cursorShown = v.CursorOn != 0;
    p.cursorIndex = a.cursorIndex;
    p.blockValue = i < v.SpectrumBlockValues.size() ? v.SpectrumBlockValues[i] : 0.0;
    p.phaseUnit = v.PhaseUnit;
    return p;
}

WaveformPanel WaveformPanelOf(const GraphViewState& v, const GraphDocument& doc, const GraphSettings& settings,
                              const PanelArgs& a)
{
    WaveformPanel w;
    const auto i = static_cast<std::size_t>(a.panel);
    const int quantity = GetUnitsMode(v, doc);
    w.fullScale = 32768.0 * v.WaveformScale;
    w.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    w.zoomSteps = v.ZoomSteps(quantity);
    w.timing = doc.Timing();
    w.samples = PanelSlice(v.PlotValues.Values(), a.valueOffset, a.pointCount);
    // One panel's samples are the whole array: its range is kept with it.
    if (w.samples.size() == v.PlotValues.Size())
        w.largest = LargestOf(v.PlotValues);
    w.sampleNumbers = PanelSlice(std::span<const double>(v.FrequencyValues), a.valueOffset, a.pointCount);
    w.firstShown = v.WindowStart;
    w.title = i < v.PanelTitles.size() ? v.PanelTitles[i] : std::string();
    w.inputKind = doc.InputKind();
    w.quantity = quantity;
    w.markerCount = v.MarkState;
    w.markerColumns = {v.MarkedRangeScaled[0], v.MarkedRangeScaled[1]};
    w.cursorShown = v.CursorOn != 0;
    w.cursorIndex = a.cursorIndex;
    return w;
}

HistogramPanel HistogramPanelOf(const GraphViewState& v, const PanelArgs& a)
{
    HistogramPanel p;
    const auto i = static_cast<std::size_t>(a.panel);
    p.peak = i < v.HistogramPeak.size() ? v.HistogramPeak[i] : 0.0;
    p.classLow = v.HistLow;
    p.classWidth = v.HistWidth;
    p.values = PanelSlice(v.PlotValues.Values(), a.valueOffset, a.pointCount);
    p.firstShown = v.WindowStart;
    p.title = i < v.PanelTitles.size() ? v.PanelTitles[i] : std::string();
    p.subtitle = v.GraphSubtitle;
    p.solidBars = v.SolidBars != 0;
    p.markerCount = v.MarkState;
    p.markerColumns = {v.MarkedRangeScaled[0], v.MarkedRangeScaled[1]};
    p.cursorShown = v.CursorOn != 0;
    p.cursorIndex = a.cursorIndex;
    p.blockProbability = i < v.BlockProbability.size() ? v.BlockProbability[i] : 0.0;
    return p;
}

DecayPanel DecayPanelOf(GraphViewState& v, GraphDocument& doc, const GraphSettings& settings, const PanelArgs& a)
{
    DecayPanel p;
    const int quantity = GetUnitsMode(v, doc);
    const auto i = static_cast<std::size_t>(a.panel);
    p.rangeTop = doc.RangeTop();
    p.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    p.pitchSteps = v.LevelPitchOffset;
    p.zoomSteps = v.ZoomSteps(quantity);
    p.lineSpacing = v.LineSpacing;
    p.timing = doc.Timing();
    p.records = v.TimeStamps;
    p.main = &v.BufferValues[i];
    p.total = &v.SeriesA[i];
    p.blockLeq = &v.SeriesB[i];
    p.blockSel = &v.SeriesC[i];
    p.blockMax = v.DecayBlockFirst[i];
    p.blockMin = v.DecayBlockSecond[i];
    p.totalPoints = v.PointCount;
    p.firstShown = v.WindowStart;
    p.title = v.PanelTitles[i];
    p.inputKind = doc.InputKind();
    p.quantity = quantity;
    const bool blockOn = v.MarkState == 2;
    const bool totals = v.TotalApplicable() && doc.TotalKind(a.panel, v.PanelResultIndex[i]) != 0;
    p.showTotal = v.PlotTotal != 0 && totals;
    p.markerCount = v.MarkState;
    p.markerColumns = {v.MarkedRangeScaled[0], v.MarkedRangeScaled[1]};
    p.showBlockLeq = blockOn && v.DrawInBlock[0] != 0 && totals;
    p.showBlockMax = blockOn && v.DrawInBlock[1] != 0;
    p.showBlockMin = blockOn && v.DrawInBlock[2] != 0;
    p.showBlockSel = blockOn && v.DrawInBlock[3] != 0 && totals;
    p.cursorIndex = a.cursorIndex;
    p.cursorShown = v.CursorOn != 0;
    p.rtEvaluating = v.RtEvaluating;
    p.rtDisplayOption = v.RtDisplayOption != 0;
    p.eval = &v.RtEval;
    p.doc = &doc;
    p.hasData = !v.BufferValues[i].Empty();
    return p;
}

// A four-channel octave panel shows its channel's bands on the channel's own
// axis: the channel's PlotKind and its positions, the window from the first band.
// An axis a damaged state names beyond the band kinds, or with more positions
// than a panel's values, leaves the view's.
void UseChannelAxis(const ChannelBandAxis& axis, PanelArgs& a)
{
    if (axis.plotKind < 0 || axis.plotKind > kPlotKindMax || axis.points <= 0 ||
        axis.points > kOctaveValuesPerPanel)
        return;
    a.plotKind = axis.plotKind;
    a.pointCount = axis.points;
    a.geometry.pointCount = axis.points;
    a.geometry.plotWidth = axis.points * a.geometry.pixelsPerPoint;
}

// The groups whose plots are added later: their panels and arguments.
void PlanBandGroup(PlotGroup group, GraphViewState& v, GraphDocument& doc, const GraphSettings& settings,
                   std::vector<PanelArgs>& out)
{
    const bool four = doc.IsFourChannelFamily();
    const int channels = ChannelPanels(doc);
    int count = 1;
    double below = 100.0;
    double span = 110.0;
    std::size_t stride = 0;
    bool needShown = false;
    bool align = false;
    bool allPanels = false;
    switch (group) {
    case PlotGroup::StatLevels:
        count = four ? channels : 1;
        below = 70.0;
        span = 80.0;
        stride = kOctaveValuesPerPanel;
        needShown = four;
        align = four;
        break;
    case PlotGroup::Decay:
        count = (doc.Is505File() || four) ? channels : 1;
        stride = doc.IntersectionLength();
        needShown = true;
        break;
    case PlotGroup::Histogram:
    case PlotGroup::Density:
        count = DocumentPanelCount(doc);
        below = 0.0;
        span = 0.0;
        stride = static_cast<std::size_t>(std::max(0, v.ClassStride));
        break;
    case PlotGroup::Phase:
        count = doc.Is505File() && v.SpectraFunction > 4 ? 3 : doc.Is505File() ? channels : 1;
        below = 70.0;
        span = 80.0;
        stride = static_cast<std::size_t>(doc.BandCount() + 1);
        break;
    case PlotGroup::Spectrum:
        // Four-channel analyzers: their four channels, and a fifth panel when the view filled one.
        count = four ? std::max(4, channels) : doc.Is505File() ? (v.SpectraFunction > 4 ? 3 : channels) : 1;
        stride = doc.BandKind() >= 3 ? kOctaveValuesPerPanel : static_cast<std::size_t>(doc.BandCount() + 1);
        needShown = four;
        align = four && (v.ViewKind == 10 || v.ViewKind == 11);
        allPanels = v.SpectraFunction > 4;
        break;
    case PlotGroup::Waveform:
        count = DocumentPanelCount(doc);
        below = 0.0;
        span = 0.0;
        stride = doc.Timing().recordsPerChannel;
        break;
    case PlotGroup::TimeHistory:
        break;
    }
    // The panels line up in the bands they show: statistical levels of a 1/1-octave
    // document are 1/1 bands, whose offsets counted in 1/3 bands would be three times too far.
    const bool oneOne = v.ViewKind == 10 || (group == PlotGroup::StatLevels && doc.BandKind() == 3);
    ChannelBandOffsets bands;
    if (align)
        bands = AlignChannelBands(doc, v.SelectedChannels, oneOne);
    int y = -v.GraphHeight;
    for (int panel = 0; panel < count; ++panel) {
        const bool drawn = allPanels || count == 1 ||
                           (Bit(v.SelectedChannels, panel) && (!needShown || Bit(v.AvailableChannels, panel)));
        if (!drawn)
            continue;
        if (count > 1)
            doc.SelectChannel(panel);
        y += v.GraphHeight;
        PanelArgs a;
        a.group = group;
        a.panel = panel;
        a.plotKind = v.PlotKind;
        a.geometry = v.Geometry;
        a.y = y;
        a.levelBase = doc.RangeTop() - below;
        a.span = span;
        a.valueOffset = static_cast<std::size_t>(panel) * stride;
        a.pointCount = v.PointCount;
        a.cursorIndex = v.CursorIndex;
        if (align && panel < 5) {
            const int offset = bands.offsets[static_cast<std::size_t>(panel)];
            a.xShift = offset * v.Geometry.pixelsPerPoint;
            a.cursorIndex = v.CursorIndex - offset;
            a.bandOffset = offset;
            if (group == PlotGroup::Spectrum)
                UseChannelAxis(doc.OctaveAxis(v.ViewKind == 10), a);
            if (group == PlotGroup::StatLevels)
                UseChannelAxis(doc.LevelsAxis(oneOne), a);
        }
        if (group == PlotGroup::Spectrum || group == PlotGroup::StatLevels || group == PlotGroup::Phase)
            a.spectrum = SpectrumPanelOf(v, doc, settings, a);
        if (group == PlotGroup::Histogram || group == PlotGroup::Density)
            a.histogram = HistogramPanelOf(v, a);
        if (group == PlotGroup::Decay)
            a.decay = DecayPanelOf(v, doc, settings, a);
        if (group == PlotGroup::Waveform)
            a.waveform = WaveformPanelOf(v, doc, settings, a);
        out.push_back(std::move(a));
    }
}

} // namespace

PlotGroupInfo PlotGroupOf(int plotKind, bool phase, bool waveformSamples)
{
    if ((plotKind >= 0 && plotKind <= 5) || plotKind == 10 || (plotKind >= 31 && plotKind <= 39))
        return {PlotGroup::StatLevels, "DrawStatLevelSpectrumGraph", "DrawStatLevelSpectrumCursor"};
    switch (plotKind) {
    case 6:
        if (waveformSamples)
            return {PlotGroup::Waveform, "DrawWaveformGraph", "DrawWaveformCursor"};
        return {PlotGroup::TimeHistory, "DrawTimeHistoryGraph", "DrawTimeHistoryCursor"};
    case 7:
    case 28:
        return {PlotGroup::Decay, "DrawDecayGraph", "DrawDecayCursor"};
    case 8:
        return {PlotGroup::Histogram, "DrawHistogramGraph", "DrawHistogramCursor"};
    case 9:
        if (phase)
            return {PlotGroup::Phase, "DrawPhaseGraph", "DrawPhaseCursor"};
        return {PlotGroup::Spectrum, "DrawSpectrumGraph", "DrawSpectrumCursor"};
    case 13:
        return {PlotGroup::Waveform, "DrawWaveformGraph", "DrawWaveformCursor"};
    case 18:
        return {PlotGroup::Density, "DrawDensityGraph", "DrawDensityCursor"};
    default:
        return {PlotGroup::Spectrum, "DrawSpectrumGraph", "DrawSpectrumCursor"};
    }
}

std::vector<PanelArgs> PlanPanels(GraphViewState& v, GraphDocument& doc, const GraphSettings& settings)
{
    const PlotGroupInfo info = PlotGroupOf(v.PlotKind, v.PhaseSpectrum != 0, doc.HasWaveformSamples());
    const int agg = std::max(1, v.Aggregation);
    switch (info.group) {
    case PlotGroup::TimeHistory:
    case PlotGroup::Decay:
    case PlotGroup::Histogram:
    case PlotGroup::Density:
        v.MarkedRangeScaled = {v.MarkedRange[0] / agg, v.MarkedRange[1] / agg};
        break;
    case PlotGroup::Spectrum:
        for (std::size_t i = 0; i < 2; ++i)
            v.MarkedRangeScaled[i] = v.MarkedRange[i] == 0 ? 0 : (v.MarkedRange[i] - 1) / agg + 1;
        break;
    case PlotGroup::Waveform:
        v.MarkedRangeScaled = v.MarkedRange;
        break;
    case PlotGroup::Phase:
        break; // keeps the columns of the previous paint
    case PlotGroup::StatLevels:
        v.MarkedRangeScaled = {v.MarkedRange[0] / agg, v.MarkedRange[1] / agg};
        break;
    }
    std::vector<PanelArgs> panels;
    if (v.PlotKind == 6)
        PlanTimeHistory(v, doc, settings, panels);
    else
        PlanBandGroup(info.group, v, doc, settings, panels);
    return panels;
}

int EngineRoutines::CursorRequest(const PanelArgs& a)
{
    return a.group == PlotGroup::Decay ? ProposeDecayEndPoint(a.decay) : 0;
}

void EngineRoutines::Plot(const PanelHead& head, const PanelArgs& a, const GraphSettings& settings)
{
    if (a.group == PlotGroup::TimeHistory)
        DrawTimeHistoryGraph(head, a.timeHistory, settings);
    else if (a.group == PlotGroup::Spectrum)
        DrawSpectrumGraph(head, a.spectrum, settings);
    else if (a.group == PlotGroup::StatLevels)
        DrawStatLevelSpectrumGraph(head, a.spectrum, settings);
    else if (a.group == PlotGroup::Phase)
        DrawPhaseGraph(head, a.spectrum, settings);
    else if (a.group == PlotGroup::Histogram)
        DrawHistogramGraph(head, a.histogram, settings);
    else if (a.group == PlotGroup::Decay)
        DrawDecayGraph(head, a.decay, settings);
    else if (a.group == PlotGroup::Density)
        DrawDensityGraph(head, a.histogram, settings);
    else if (a.group == PlotGroup::Waveform)
        DrawWaveformGraph(head, a.waveform, settings);
}

void EngineRoutines::Readout(const PanelHead& head, const PanelArgs& a, const GraphSettings& settings)
{
    if (a.group == PlotGroup::TimeHistory)
        DrawTimeHistoryCursor(head, a.timeHistory, settings);
    else if (a.group == PlotGroup::Spectrum)
        DrawSpectrumCursor(head, a.spectrum, settings);
    else if (a.group == PlotGroup::StatLevels)
        DrawStatLevelSpectrumCursor(head, a.spectrum, settings);
    else if (a.group == PlotGroup::Phase)
        DrawPhaseCursor(head, a.spectrum, settings);
    else if (a.group == PlotGroup::Histogram)
        DrawHistogramCursor(head, a.histogram);
    else if (a.group == PlotGroup::Decay)
        DrawDecayCursor(head, a.decay, settings);
    else if (a.group == PlotGroup::Density)
        DrawDensityCursor(head, a.histogram);
    else if (a.group == PlotGroup::Waveform)
        DrawWaveformCursor(head, a.waveform, settings);
}

} // namespace orlu
