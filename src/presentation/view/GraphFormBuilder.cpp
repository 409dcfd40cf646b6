#include "presentation/view/GraphFormBuilder.h"

#include "analysis/statistics/LoggerColumns.h"
#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/SpectraFunction.h"
#include "document/texts/NumberTexts.h"
#include "document/units/LevelUnits.h"
#include "platform/ValueFormat.h"
#include "presentation/view/GraphCursor.h"
#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/GraphStepping.h"
#include "presentation/view/InitialGraphFields.h"
#include "presentation/view/RtProcedure.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <string_view>

namespace orlu {
namespace {

using namespace form_flags;

constexpr int kPhaseForm = 1;
constexpr int kFirstPairFunction = 5; ///< spectra functions from here on take two channels
constexpr int kPairPanels = 3;        ///< a pair function's panels: its two spectra and the function
constexpr PlotKind kFftPlotKindRow = 9; ///< the default row of every FFT spectrum record
constexpr std::int32_t kTonalityRecords = 2; ///< a tonality file's full band and short band

bool IsMultifile(const CTmDoc& doc) { return IsMergedDocument(doc) || IsMerged505Document(doc); }

std::int32_t HistoryRecords(CTmDoc& doc)
{
    if (const std::optional<LoggerPlace> place = LocateLogger(doc))
        return static_cast<std::int32_t>(std::min<std::size_t>(place->records, std::numeric_limits<std::int32_t>::max()));
    return FactsOf(doc).timeHistoryRecords;
}

std::int32_t SpectrumRecords(const CTmDoc& doc)
{
    if (doc.AnalyzerDecoded())
        return std::max(0, doc.Analyzer().spectraCount);
    return FactsOf(doc).spectrumRecords;
}

bool PairFunction(const MeasurementViewState& view)
{
    return view.ViewKind == kViewSpectra && view.MultiElement == 0 && view.Spectra.Function >= kFirstPairFunction;
}

// Tonality, the phase form and the reverberation-time procedure show every
// point: their degree is 1 whatever the zoom made it.
bool ForcesDegreeOne(const MeasurementViewState& view)
{
    if (view.ViewKind == kViewSpectra)
        return view.Spectra.OutputForm == kPhaseForm || view.Spectra.TonalityShown != 0;
    return view.ViewKind == kViewTimeIntersections && view.Control.RtMode != 0;
}

// The geometry record of the kind, created on its first build (a
// Multifile's time history recomputes its step at every build: its files
// differ), and the step the record starts with.
GraphGeometry* ObtainGeometry(MeasurementViewState& view, CTmDoc& doc, const PlotKindChoice& choice)
{
    const bool phase = view.Spectra.OutputForm == kPhaseForm;
    const std::optional<GeometryRecord> which = GeometryRecordOf(view.ViewKind, phase);
    if (!which)
        return nullptr;
    const bool four = doc.HeaderDecoded() && doc.Header().model.FourChannel;
    const int classes = std::max(1, choice.pointCount);
    PlotKind row = choice.plotKind;
    std::optional<GeometryStep> step;
    bool recompute = false;
    switch (*which) {
    case GeometryRecord::Hist: step = GeometryStep{7, classes, 0}; break;
    case GeometryRecord::Density: step = GeometryStep{8, classes, 0}; break;
    case GeometryRecord::Levels:
        row = four ? (LevelsBandKind(view, doc) == kBandOctave11 ? 32 : 39) : row;
        break;
    case GeometryRecord::Time:
        row = view.ViewKind == kViewBufferLogger ? 6 : 28;
        step = view.ViewKind == kViewBufferLogger ? GeometryStep{5, std::max(1, HistoryRecords(doc)), 0}
                                                  : GeometryStep{6, std::max(1, SpectrumRecords(doc)), 0};
        recompute = IsMultifile(doc);
        break;
    case GeometryRecord::Wave: row = 13; break;
    case GeometryRecord::Spectrum:
    case GeometryRecord::Phase:
    case GeometryRecord::ShortBand:
        row = 9;
        step = GeometryStep{2, std::max(1, choice.pointCount), 0};
        recompute = IsMultifile(doc);
        break;
    case GeometryRecord::Oct1: row = four ? 21 : row; break;
    case GeometryRecord::Oct3: row = four ? 25 : row; break;
    }
    if ((*which == GeometryRecord::Levels || *which == GeometryRecord::Oct1 || *which == GeometryRecord::Oct3)) {
        if (const std::optional<GraphGeometry> defaults = GraphGeometryDefaults(row)) {
            const int type = *which == GeometryRecord::Oct1 ? 3 : *which == GeometryRecord::Oct3 ? 4
                                                                                                  : LevelsBandKind(view, doc);
            step = GeometryStep{type, defaults->pointCount, 0};
        }
    }
    return view.GraphForm.Records.Obtain(*which, row, step, recompute);
}

// Tonality files show their short band in a geometry of its own, worked out
// over the short band's lines once the renderer has read them: its step and
// zoom stay apart from the full band's.
bool ShowsShortBand(const MeasurementViewState& view)
{
    return view.ViewKind == kViewSpectra && view.Spectra.OutputForm != kPhaseForm && view.Spectra.Band == 2 &&
           view.MultiElement == 0;
}

GraphGeometry* ObtainShortBandGeometry(MeasurementViewState& view, std::int32_t lines)
{
    return view.GraphForm.Records.Obtain(GeometryRecord::ShortBand, kFftPlotKindRow,
                                         GeometryStep{2, std::max(1, lines), 0});
}

// What Previous/Next step in the kind's graph: the sub-files of a Multifile
// (their range set when the sub-file was clamped), else the kind's records.
void SetStepping(MeasurementViewState& view, CTmDoc& doc)
{
    if (IsMultifile(doc)) {
        view.CurrentRecordPtr = &view.SubFileNumber;
        view.RecordStepping = 1;
        return;
    }
    const auto records = [&](std::int32_t* number, std::int32_t last) {
        view.CurrentRecordPtr = number;
        view.RecordStepping = last > 1 ? 1 : 0;
        view.FirstRecord = 1;
        view.LastRecord = std::max(1, last);
        *number = std::clamp(*number, 1, view.LastRecord);
    };
    switch (view.ViewKind) {
    case kViewStatisticalLevels:
        records(&view.LevelsRecord, view.StatAllLevels ? 99 : doc.StatisticalLevelCount());
        break;
    case kViewSpectra:
        if (HoldsShortBand(doc)) {
            // Previous and Next go between a tonality file's two spectra: the record is the band.
            records(&view.GraphRecord, kTonalityRecords);
            view.Spectra.Band = static_cast<std::uint8_t>(view.GraphRecord);
            break;
        }
        records(&view.GraphRecord, SpectrumRecords(doc));
        break;
    case kViewWaveforms:
    case kViewOctaves:
    case kViewThirdOctaves:
        records(&view.GraphRecord, SpectrumRecords(doc));
        break;
    case kViewTimeIntersections:
        // The line under the spectrum cursor; Previous/Next move it and the cursor with it.
        view.CurrentRecordPtr = &view.GraphBandIndex;
        view.RecordStepping = 1;
        view.FirstRecord = 0;
        view.LastRecord = std::max(0, view.RecordCount - 1);
        break;
    default:
        view.CurrentRecordPtr = &view.SubFileNumber;
        view.RecordStepping = 0;
        break;
    }
}

// The panels a build fills: bit k for panel k. A pair function always fills
// its three panels; kinds 9 to 12 take the channels both offered and chosen;
// without a choice the first panel.
std::uint16_t PanelsToBuild(const MeasurementViewState& view)
{
    if (PairFunction(view))
        return (1u << kPairPanels) - 1;
    if (view.MultiElement != 0 && view.ViewKind >= kViewSpectra && view.ViewKind <= kViewThirdOctaves)
        return 1;
    std::uint16_t mask = view.SelectedChannels;
    if (view.ViewKind >= kViewSpectra && view.ViewKind <= kViewTimeIntersections && view.AvailableChannels != 0)
        mask &= view.AvailableChannels;
    mask &= (1u << kMaxGraphPanels) - 1;
    return mask != 0 ? mask : 1;
}

std::uint8_t RunRenderers(const GraphDataRenderer& renderer, MeasurementViewState& view, CTmDoc& doc,
                          PlotData& data)
{
    const std::uint16_t panels = PanelsToBuild(view);
    std::uint8_t filled = 0;
    for (int k = 0; k < kMaxGraphPanels; ++k) {
        if (!(panels & (1u << k)))
            continue;
        GraphDataRequest request{doc, view, data, k};
        try {
            if (renderer(request))
                filled = static_cast<std::uint8_t>(filled | (1u << k));
        } catch (const ImageRangeError&) {
            // A panel whose data meet the end of a damaged file is left out; the others stay.
        }
    }
    return filled;
}

// The points the data of the kind hold: a plot never reads past them.
std::int32_t DataPoints(const GraphViewState& g, std::uint8_t panels)
{
    switch (g.ViewKind) {
    case kViewBufferLogger:
    case kViewTimeIntersections: {
        std::size_t shortest = std::numeric_limits<std::size_t>::max();
        for (int k = 0; k < kMaxGraphPanels; ++k)
            if (panels & (1u << k))
                shortest = std::min(shortest, g.BufferValues[static_cast<std::size_t>(k)].Size());
        return shortest == std::numeric_limits<std::size_t>::max() ? 0 : static_cast<std::int32_t>(shortest);
    }
    case kViewHistograms:
    case kViewDensities:
        return g.HistClasses > 0 ? g.HistClasses : g.ClassStride;
    default:
        return g.ClassStride > 0 ? g.ClassStride : static_cast<std::int32_t>(g.PlotValues.Size());
    }
}

// The main title of a kind whose renderer gives its panels none.
std::string_view KindTitle(std::uint8_t viewKind)
{
    switch (viewKind) {
    case kViewHistograms: return "HISTOGRAM";
    case kViewDensities: return "STAT. DENSITY";
    case kViewWaveforms: return "TIME WAVEFORM";
    case kViewTimeIntersections: return "TIME INTERSECTION";
    default: return {};
    }
}

void AppendToPanels(GraphViewState& g, std::uint8_t panels, const std::string& suffix)
{
    for (int k = 0; k < kMaxGraphPanels; ++k) {
        std::string& title = g.PanelTitles[static_cast<std::size_t>(k)];
        if ((panels & (1u << k)) && title.find(suffix) == std::string::npos)
            title += suffix;
    }
}

// Titles the renderers leave to the view: the file of a Multifile and the
// aggregation degree.
void CompleteTitles(MeasurementViewState& view, CTmDoc& doc, GraphViewState& g, std::uint8_t panels)
{
    if (view.ViewKind == kViewTimeIntersections) {
        // The line or band followed, its smoothing and degree; the channel when there are several.
        const bool channels = (doc.HeaderDecoded() && doc.Header().model.FourChannel) ||
                              (doc.AnalyzerDecoded() && doc.Analyzer().channelCount > 1);
        for (int k = 0; k < kMaxGraphPanels; ++k) {
            if (!(panels & (1u << k)))
                continue;
            std::string title = "TIME INTERSECTION";
            AppendTitleSuffix(title, view.Smoothed != 0, view.BandKind, static_cast<std::uint16_t>(view.Aggregation),
                              g.LabelText);
            if (channels)
                title += StrPrintf("  Channel #%d", k + 1);
            g.PanelTitles[static_cast<std::size_t>(k)] = title;
        }
    }
    const bool timeKind = view.ViewKind == kViewBufferLogger;
    if (timeKind && IsMultifile(doc) && !view.SubFileName.empty())
        AppendToPanels(g, panels, StrPrintf(" (file: %s)", view.SubFileName.c_str()));
    if (timeKind && view.Aggregation > 1)
        AppendToPanels(g, panels, StrPrintf(" [aggreg.degree=%d]", view.Aggregation));
    if (g.GraphTitle.empty()) {
        for (int k = 0; k < kMaxGraphPanels; ++k)
            if (panels & (1u << k)) {
                g.GraphTitle = g.PanelTitles[static_cast<std::size_t>(k)];
                break;
            }
    }
    if (g.GraphTitle.empty())
        g.GraphTitle = KindTitle(view.ViewKind);
    for (int k = 0; k < kMaxGraphPanels; ++k) {
        std::string& title = g.PanelTitles[static_cast<std::size_t>(k)];
        if ((panels & (1u << k)) && title.empty())
            title = g.GraphTitle;
    }
}

// The view's choices the engine paints with.
void CopyChoices(const MeasurementViewState& view, const PlotKindChoice& choice, const GraphGeometry& geometry,
                 std::uint16_t panels, GraphViewState& g)
{
    g.ViewKind = view.ViewKind;
    g.PlotKind = static_cast<std::int16_t>(choice.plotKind);
    g.GraphSizeIndex = view.Graph.GraphSizeIndex;
    g.Geometry = geometry;
    g.AvailableChannels = PairFunction(view) ? panels : view.AvailableChannels;
    g.SelectedChannels = panels;
    g.UnitsChoice = view.UnitsByKind[0];
    g.Aggregation = view.Aggregation;
    g.PlotTotal = view.PlotTotalLine;
    for (std::size_t k = 0; k < g.DrawInBlock.size(); ++k)
        g.DrawInBlock[k] = view.BlockResultSwitches[k];
    g.MultiElement = view.MultiElement;
    g.PhaseSpectrum = view.ViewKind == kViewSpectra && view.Spectra.OutputForm == kPhaseForm;
    g.PhaseUnit = static_cast<std::uint8_t>(view.Spectra.PhaseUnit);
    g.SpectraFunction = static_cast<std::uint8_t>(view.Spectra.Function);
    g.PeaksShown = view.Spectra.PeaksShown;
    g.TonalityShown = view.Spectra.TonalityShown;
    g.RtMode = view.Control.RtMode;
    g.PanelResultIndex = view.PanelResultIndex;
    g.CursorOn = view.CursorOn;
    g.MarkState = view.MarkState;
    g.MarkedRange = {std::min(view.MarkedRange[0], view.MarkedRange[1]),
                     std::max(view.MarkedRange[0], view.MarkedRange[1])};
    if (g.FrequencyValues.size() >= 2 && view.ViewKind == kViewSpectra) {
        g.LineZeroFrequency = g.FrequencyValues[0];
        g.LineSpacing = g.FrequencyValues[1] - g.FrequencyValues[0];
    }
}

// The running totals of the logger panels shown: what the running-total
// line and the block's Leq and SEL may be drawn for.
std::int32_t TotalKindsOf(MeasurementViewState& view, CTmDoc& doc, std::uint8_t panels)
{
    if (view.ViewKind != kViewBufferLogger)
        return 0;
    const std::optional<LoggerPlace> place = LocateLogger(doc);
    if (!place)
        return ApplicableResultsOf(TotalKind::TotalRms).totalKinds;
    const ApplicableResults found = FindApplicableResults(panels, kMaxGraphPanels, [&](int k) {
        const LoggerColumn c =
            DescribeLoggerColumn(doc, *place, k, view.PanelResultIndex[static_cast<std::size_t>(k)]);
        return c.logged ? c.total : TotalKind::None;
    });
    return found.totalKinds;
}

// The graph form's place shows a line instead: the kind has no graph data
// for the family, or the file holds nothing for any panel.
void ShowLineInstead(MeasurementViewState& view, std::string_view text)
{
    view.GraphForm.Available = false;
    view.Graph.PanelCount = 0;
    view.ClearLines();
    std::string line(text);
    AddLine(view.Lines, line, &view.WidestLine);
}

// Ends every build: the kind's cursor pair made current (octaves carry the
// band cursor into their band set first) and the graph form shown.
void Epilogue(MeasurementViewState& view, CTmDoc& doc)
{
    if (view.ViewKind == kViewOctaves || view.ViewKind == kViewThirdOctaves)
        CarryBandIndex(view, view.ViewKind, BandLayoutOf(doc));
    LoadSavedCursor(view, KeepsTonalityCursor(view));
    view.FormFlags = (view.FormFlags & ~(kText | kTable | kHex | kAscii)) | kGraph;
    view.FirstLine = 0;
    view.FirstColumn = 0;
    view.ShownViewKind = view.ViewKind;
    GraphViewState& g = view.GraphForm.Plot;
    g.CursorIndex = view.CursorIndex;
    g.WindowStart = view.WindowStart;
}

} // namespace

PlotKindInputs PlotKindInputsOf(CTmDoc& doc, const MeasurementViewState& view)
{
    PlotKindInputs in;
    in.viewKind = view.ViewKind;
    in.aggregation = std::max(1, view.Aggregation);
    in.spectrumForm = view.Spectra.OutputForm == kPhaseForm ? 1 : 0;
    in.historyRecords = HistoryRecords(doc);
    in.spectrumRecords = SpectrumRecords(doc);
    in.keptPlotKind = view.PlotKind;
    in.keptPointCount = view.Graph.PointCount;
    in.keptAxisDecimals = view.Graph.AxisDecimals;
    if (doc.HeaderDecoded()) {
        const CurrentHeader& h = doc.Header();
        const CurrentChannel& ch = doc.Channel();
        // The four-channel models keep the band layout per channel.
        const bool perChannel = h.model.FourChannel;
        in.values = perChannel ? ch.bandEnd : h.bandCount;
        in.bands = perChannel ? ch.bandCount : h.bandsShown;
        in.bandKind = static_cast<std::int16_t>(perChannel ? ch.bandKind : h.bandKind);
        in.flags = h.model;
        in.accelerometer = ch.inputKind == kInputAccelerometer;
        in.microphone = ch.inputKind == kInputMicrophone;
        in.firmware = h.firmware;
        in.filterCode = ch.filter;
        in.histClasses = ch.histClasses;
        in.fftLength = static_cast<int>(h.fftPoints);
        in.totalLinePosition = h.fftExtraLine;
        in.octaveTotalIndex = perChannel ? ch.octaveTotal : h.octaveTotal;
        in.octaveAxisLayout = GetOctaveAxisLayout(doc.Levels(), ch);
        in.spectrumAxisLayout = GetSpectrumAxisLayout(doc.Levels(), ch);
    } else if (doc.AnalyzerDecoded()) {
        const Setup505& a = doc.Analyzer();
        in.values = a.bandEnd;
        in.bands = a.bandCount;
        in.fftLength = static_cast<int>(a.fftSamples);
    }
    return in;
}

std::int16_t LevelsBandKind(const MeasurementViewState& view, const CTmDoc& doc)
{
    const bool four = doc.HeaderDecoded() && doc.Header().model.FourChannel;
    if (four && (view.StatOctave1 || view.StatOctave2))
        return view.StatOctave1 ? kBandOctave11 : kBandOctave13;
    return view.BandKind;
}

std::int32_t IntersectionLine(const MeasurementViewState& view) { return view.Graph.WindowFirst + view.BandIndex + 1; }

void BuildGraphForm(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc)
{
    GraphFormState& form = view.GraphForm;
    GraphFormFields& fields = view.Graph;
    // Prologue: the size kept for the kind, a marked text block collapsed.
    fields.GraphSizeIndex = std::min(fields.GraphSizeIndex, kLastGraphSize);
    fields.GraphSizeByKind[view.ViewKind % kViewKindCount] = fields.GraphSizeIndex;
    view.BlockEnd = view.BlockAnchor;
    view.FormKind = kFormGraphKept;
    ClampAndLoadSubfile(view, doc);
    // The data of every build are made anew: nothing sized for an earlier
    // (shorter) sub-file or record is written into again.
    static_cast<PlotData&>(form.Plot) = PlotData{};
    form.PanelMask = 0;
    ++form.Builds;

    const GraphDataRenderer* renderer =
        HasGraphForm(view.ViewKind) ? renderers.FindGraphData(view.ViewKind, FindFileKind(doc.FileKind()).Family)
                                    : nullptr;
    if (!renderer) {
        ShowLineInstead(view, kFormNotAvailableText);
        Epilogue(view, doc);
        return;
    }
    view.ClearLines();

    if (view.ViewKind == kViewTimeIntersections) {
        view.GraphBandIndex = IntersectionLine(view) - 1;
        if (view.Control.RtMode != 0) {
            fields.GraphSizeIndex = 1;
            fields.GraphSizeByKind[kViewTimeIntersections] = 1;
        }
        // The reverberation procedure goes on from the step the band's record reached.
        RtStepFromRecord(view, ShownRtRecord(view, doc));
    }
    SetStepping(view, doc);
    PlotKindChoice choice = ChoosePlotKind(PlotKindInputsOf(doc, view));
    GraphGeometry* geometry = ObtainGeometry(view, doc, choice);
    const bool timeKind = view.ViewKind == kViewBufferLogger || view.ViewKind == kViewTimeIntersections;
    if (geometry && ForcesDegreeOne(view))
        geometry->pointsPerColumn = 1;
    if (timeKind) {
        view.Aggregation = geometry ? std::max(1, geometry->pointsPerColumn) : 1;
        const std::int32_t records =
            view.ViewKind == kViewBufferLogger ? HistoryRecords(doc) : SpectrumRecords(doc);
        view.MaxAggregation = MaxAggregationFor(records);
        // The markers stay on records the time history holds.
        for (std::int32_t& end : view.MarkedRange)
            end = std::clamp(end, 0, std::max(0, records - 1));
    } else if (view.ViewKind == kViewSpectra) {
        if (ForcesDegreeOne(view))
            view.Spectra.Degree = 1;
        view.Aggregation = std::max(1, view.Spectra.Degree);
        // A tonality file's full band is its only spectrum of that band.
        view.Spectra.Record = HoldsShortBand(doc) ? 1 : view.GraphRecord;
    }
    if (view.CurrentPage)
        view.CurrentPage->Aggregation = view.Aggregation;

    // Graph data are what the form holds now: Plot steps the size of this
    // graph, and Table is offered from it.
    view.TableContentKind = 2;
    form.PanelMask = RunRenderers(*renderer, view, doc, form.Plot);
    fields.PanelCount = std::popcount(static_cast<unsigned>(form.PanelMask));
    form.Available = true;
    if (form.PanelMask == 0) {
        ShowLineInstead(view, kFormEmptyText);
        Epilogue(view, doc);
        return;
    }

    // The kinds whose point count comes from what the renderer found.
    choice = ChoosePlotKind(PlotKindInputsOf(doc, view));
    if (view.ViewKind == kViewHistograms || view.ViewKind == kViewDensities)
        choice.pointCount = form.Plot.HistClasses;
    view.PlotKind = static_cast<std::int16_t>(choice.plotKind);
    fields.AxisDecimals = static_cast<std::int16_t>(choice.axisDecimals);
    GraphViewState& g = form.Plot;
    g.ViewKind = view.ViewKind;
    if (ShowsShortBand(view)) {
        // The short band's lines, without the place the data keep for a total.
        const std::int32_t data = DataPoints(g, form.PanelMask);
        choice.pointCount = HoldsShortBand(doc) ? std::min<std::int32_t>(doc.Header().tonalityLines, data) : data;
        if (GraphGeometry* shortBand = ObtainShortBandGeometry(view, choice.pointCount)) {
            geometry = shortBand;
            if (ForcesDegreeOne(view))
                geometry->pointsPerColumn = 1;
        }
    }
    fields.PointCount = std::min(choice.pointCount, DataPoints(g, form.PanelMask));
    if (fields.PointCount <= 0)
        fields.PointCount = DataPoints(g, form.PanelMask);
    g.PointCount = fields.PointCount;
    view.PageGeometry = geometry;
    CompleteTitles(view, doc, g, form.PanelMask);
    CopyChoices(view, choice, geometry ? *geometry : GraphGeometry{}, PanelsToBuild(view), g);
    g.SelectedChannels = PairFunction(view) ? g.SelectedChannels : form.PanelMask;
    g.TotalKinds = TotalKindsOf(view, doc, form.PanelMask);
    Epilogue(view, doc);
}

bool OnGraphForm(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc, bool modifierHeld)
{
    switch (orlu::OnGraphForm(view, modifierHeld)) {
    case GraphFormAction::None:
        return false;
    case GraphFormAction::Repaint:
        return true;
    case GraphFormAction::Build:
        BuildGraphForm(renderers, view, doc);
        return true;
    }
    return false;
}

} // namespace orlu
