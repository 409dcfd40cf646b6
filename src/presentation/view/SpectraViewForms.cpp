#include "presentation/view/SpectraViewForms.h"

#include "analysis/spectra/FftCrossTable.h"
#include "analysis/spectra/FftPicture.h"
#include "analysis/spectra/FftSpectrumForm.h"
#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/SpectraFunction.h"
#include "analysis/spectra/Tonality.h"
#include "document/Subfiles.h"
#include "document/ViewKind.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <vector>

namespace orlu {
namespace {

constexpr double kTwoPi = 6.283185307;
constexpr std::uint16_t kMicrophone = 2;

SpectrumShowing ShowingOf(const SpectraViewChoices& c, int degree)
{
    SpectrumShowing s;
    s.degree = std::max(degree, 1);
    s.phase = c.OutputForm == kOutputPhase;
    s.phaseUnit = c.PhaseUnit;
    s.peaksShown = c.PeaksShown != 0 && c.PeaksNum > 0;
    s.peaks.count = std::min<int>(c.PeaksNum, kMaxSpectrumPeaks);
    s.peaks.neighbourDiff = c.PeakNeighbourDiff;
    s.block = c.MarkerCount == 2;
    s.c1 = std::min(c.MarkerPoints[0], c.MarkerPoints[1]);
    s.c2 = std::max(c.MarkerPoints[0], c.MarkerPoints[1]);
    return s;
}

// The view's spectra choices; the view's marked block stands for the cursor block
// when the spectra have none of their own (lines, as the graph's cursors give them).
SpectraViewChoices ChoicesOf(const MeasurementViewState& view)
{
    SpectraViewChoices c = view.Spectra;
    if (c.MarkerCount != 2 && view.MarkState == 2 && view.MarkedRange[0] >= 0 && view.MarkedRange[1] >= 0) {
        c.MarkerCount = 2;
        c.MarkerPoints[0] = view.MarkedRange[0];
        c.MarkerPoints[1] = view.MarkedRange[1];
    }
    return c;
}

FftSpectrumRequest RequestOf(const MeasurementViewState& view, int record)
{
    const SpectraViewChoices& c = view.Spectra;
    FftSpectrumRequest r;
    r.record = record;
    r.channelA = std::max(c.ChannelA, std::uint16_t{1}) - 1;
    r.channelB = std::max(c.ChannelB, std::uint16_t{1}) - 1;
    r.function = std::clamp<int>(c.Function, kFirstSpectraFunction, kLastSpectraFunction);
    r.form = std::clamp<int>(c.OutputForm, kOutputPower, kOutputImaginaryPart);
    r.window = static_cast<std::uint8_t>(c.Window);
    r.units = view.UnitsByKind[0];
    r.band = view.Spectra.Band == 2 ? 2 : 1;
    return r;
}

// The channels of the view's mask that a file of several channels holds; 0 for other files.
std::uint16_t ChannelMask(const MeasurementViewState& view, const CTmDoc& doc)
{
    return static_cast<std::uint16_t>(view.SelectedChannels & FftChannelMask(doc));
}

// The channels a form goes through: the view's mask, except that every record of a
// four-channel file is shown for the first chosen channel alone (then `single`), and a
// two-channel function takes its channels from the view.
std::uint16_t PassMask(const MeasurementViewState& view, const CTmDoc& doc, bool all, int& single)
{
    single = -1;
    const std::uint16_t mask = view.Spectra.Function > 4 ? 0 : ChannelMask(view, doc);
    if (!all || mask == 0 || doc.AnalyzerDecoded() || !doc.HeaderDecoded() || !doc.Header().model.FourChannel)
        return mask;
    single = std::countr_zero(mask);
    return 0;
}

// A request for the form's passes: the single channel of PassMask, when there is one.
FftSpectrumRequest PassRequestOf(const MeasurementViewState& view, int record, int single)
{
    FftSpectrumRequest r = RequestOf(view, record);
    if (single >= 0)
        r.channelA = r.channelB = single;
    return r;
}

// The passes of a form: records, then the channels of the mask (the two channels of a
// two-channel function come from the view alone).
std::vector<FftSpectrumRequest> Passes(const MeasurementViewState& view, CTmDoc& doc, bool all)
{
    std::vector<FftSpectrumRequest> passes;
    FftWorkspace probe;
    int single = -1;
    const std::uint16_t mask = PassMask(view, doc, all, single);
    const FftSpectrumRequest base = PassRequestOf(view, 1, single);
    int records = 1;
    if (const auto first = ReadFftSpectrum(doc, probe, base))
        records = first->records;
    const int firstRecord = all ? 1 : std::clamp(view.Spectra.Record, 1, records);
    const int lastRecord = all ? records : firstRecord;
    for (int record = firstRecord; record <= lastRecord; ++record) {
        FftSpectrumRequest r = PassRequestOf(view, record, single);
        if (mask == 0) {
            passes.push_back(r);
            continue;
        }
        for (int ch = 0; ch < 16; ++ch) {
            if (mask & (1u << ch)) {
                r.channelA = r.channelB = ch;
                passes.push_back(r);
            }
        }
    }
    return passes;
}

std::string WithDegree(std::string caption, const SpectrumShowing& s)
{
    if (s.degree > 1 && !s.phase)
        caption += StrPrintf(" [aggreg.degree=%d]", s.degree);
    return caption;
}

void RenderText(FormRequest& request)
{
    ClearLineList(&request.Lines);
    FftWorkspace workspace;
    const SpectrumShowing showing = ShowingOf(ChoicesOf(request.View), request.View.Spectra.Degree);
    bool any = false;
    for (const FftSpectrumRequest& r : Passes(request.View, request.Doc, request.View.TextAllFiles != 0)) {
        const auto read = ReadFftSpectrum(request.Doc, workspace, r);
        if (!read)
            continue;
        any = true;
        const FftSpectrumForm form = PrepareFftSpectrum(read->lines, read->values, showing,
                                                        WithDegree(read->caption, showing));
        AppendSpectrumText(form, request.Lines, &request.WidestLine);
    }
    if (!any) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &request.WidestLine);
    }
}

// Several spectra (every record or file, or the mask's channels) as the columns of one
// cross table; a two-channel function brings its channels' own spectra before it.
bool RenderCrossTable(FormRequest& request, const std::vector<FftSpectrumRequest>& passes,
                      const SpectrumShowing& showing)
{
    FftWorkspace workspace;
    std::vector<FftTableColumn> columns;
    auto add = [&](const FftSpectrumRequest& r) {
        FftTableColumn column;
        column.channel = r.function == 1 || r.function == 3 ? r.channelA : r.channelB;
        const auto read = ReadFftSpectrum(request.Doc, workspace, r);
        // A Multifile's columns are its files with FFT spectra; another file keeps an empty column.
        if (!read && IsCurrentMultifileKind(request.Doc.FileKind()))
            return;
        if (read) {
            column.form = PrepareFftSpectrum(read->lines, read->values, showing, read->caption);
            column.inputKind = read->lines.channel.inputKind;
        }
        columns.push_back(std::move(column));
    };
    for (const FftSpectrumRequest& r : passes) {
        if (r.function > 4) {
            FftSpectrumRequest own = r;
            own.function = 1;
            own.form = kOutputPower;
            add(own);
            own.channelA = r.channelB;
            add(own);
        }
        add(r);
    }
    int single = -1;
    const std::uint16_t mask = PassMask(request.View, request.Doc, request.View.TableAllFiles != 0, single);
    const FftSpectrumRequest base = PassRequestOf(request.View, 1, single);
    FftTableSetup setup;
    setup.function = base.function;
    setup.form = base.form;
    setup.degree = showing.degree;
    setup.channelA = base.channelA;
    setup.channelB = base.channelB;
    setup.channelMask = mask;
    setup.peaksNum = showing.peaksShown ? showing.peaks.count : 0;
    return AppendFftCrossTable(request.Lines, &request.WidestLine, request.Doc, setup, columns, request.Options) != 0;
}

void RenderTable(FormRequest& request)
{
    request.TableContentKind = 2;
    FftWorkspace workspace;
    const SpectrumShowing showing = ShowingOf(ChoicesOf(request.View), request.View.Spectra.Degree);
    const std::vector<FftSpectrumRequest> passes = Passes(request.View, request.Doc, request.View.TableAllFiles != 0);
    if (request.View.TableAllFiles != 0 || ChannelMask(request.View, request.Doc) != 0) {
        if (!RenderCrossTable(request, passes, showing)) {
            std::string line(kFormNotAvailableText);
            AddLine(request.Lines, line, &request.WidestLine);
        }
        return;
    }
    bool any = false;
    for (const FftSpectrumRequest& r : passes) {
        const auto read = ReadFftSpectrum(request.Doc, workspace, r);
        if (!read)
            continue;
        any = true;
        const std::string caption = WithDegree(read->caption, showing);
        const FftSpectrumForm form = PrepareFftSpectrum(read->lines, read->values, showing, caption);
        std::string tableCaption = (form.block && form.peaks == 0 ? "Block of the " : "") + caption;
        if (form.peaks > 0) {
            tableCaption += StrPrintf(" (%d greatest peaks)", form.peaks);
            if (form.block)
                tableCaption += StrPrintf(" in the block: %.1fHz - %.1fHz", form.x[form.g1], form.x[form.g2]);
        }
        AppendSpectrumTable(form, tableCaption, request.Lines, &request.WidestLine, request.Options,
                            read->lines.channel.inputKind);
    }
    if (!any) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &request.WidestLine);
    }
}

// The level axis of the graph: 80 dB from the range bottom, or its linear top.
void SetLevelAxis(const CTmDoc& doc, const FftLines& lines, PlotData& data)
{
    const double bottom = doc.Channel().rangeBottomDb;
    const double top = bottom + 80.0;
    if (lines.quantity == kBandDb) {
        data.LevelBottom = bottom;
        data.LevelTop = top;
        return;
    }
    double linear = std::pow(10.0, top / 20.0 - 6.0);
    if (lines.channel.inputKind == kMicrophone)
        linear *= 20.0;
    const double w = kTwoPi * lines.resolution;
    if (lines.quantity == kBandVelocity)
        linear /= w;
    else if (lines.quantity == kBandDisplacement)
        linear /= w * w;
    data.LevelBottom = 0.0;
    data.LevelTop = linear;
}

// The picture of every record's spectrum of channel A, in the first panel.
bool RenderPicture(GraphDataRequest& request)
{
    if (request.Panel > 0)
        return false;
    FftSpectrumRequest r = RequestOf(request.View, 1);
    r.function = 1;
    r.form = kOutputPower;
    r.channelB = r.channelA;
    FftWorkspace workspace;
    const auto first = ReadFftSpectrum(request.Doc, workspace, r);
    if (!first || first->records < 2)
        return false;
    CTmDoc& doc = request.Doc;
    PlotData& data = request.Data;
    const double step = doc.AnalyzerDecoded() ? doc.Analyzer().timeStep : doc.Header().timeStep;
    if (step > 0)
        data.Grid.TimeStep = step;
    const double bottom = doc.Channel().rangeBottomDb;
    FillFftPicture(data.Grid, first->lines, static_cast<std::uint32_t>(first->records), bottom, bottom + 80.0,
                   [&](std::uint32_t record) -> std::optional<std::vector<double>> {
                       FftSpectrumRequest at = r;
                       at.record = static_cast<int>(record) + 1;
                       auto read = ReadFftSpectrum(doc, workspace, at);
                       if (!read)
                           return std::nullopt;
                       return std::move(read->values);
                   });
    if (data.Grid.Values.empty())
        return false;
    data.GraphTitle = data.PanelTitles[0] =
        std::string(SpectraFunctionCaption(1)) + std::string(SpectraOutputCaption(kOutputPower));
    SetLevelAxis(doc, first->lines, data);
    return true;
}

bool RenderGraphData(GraphDataRequest& request)
{
    if (request.View.MultiElement != 0)
        return RenderPicture(request);
    const SpectraViewChoices c = ChoicesOf(request.View);
    FftSpectrumRequest r = RequestOf(request.View, std::max(c.Record, 1));
    if (r.function <= 4 && ChannelMask(request.View, request.Doc) != 0) {
        r.channelA = r.channelB = request.Panel;
    } else if (r.function <= 4 && request.Panel > 0) {
        return false; // one spectrum, in the first panel
    } else if (r.function > 4) {
        // A two-channel function in the first panel, the spectra of its channels A and B beside it.
        if (request.Panel > 2)
            return false;
        if (request.Panel > 0) {
            r.channelA = request.Panel == 1 ? r.channelA : r.channelB;
            r.function = 1;
        }
    }
    FftWorkspace workspace;
    const auto read = ReadFftSpectrum(request.Doc, workspace, r);
    if (!read)
        return false;
    const bool tonality = c.TonalityShown != 0 && c.OutputForm != kOutputPhase;
    SpectrumShowing showing = ShowingOf(c, tonality ? 1 : c.Degree);
    showing.peaksShown = showing.peaksShown && !tonality;
    FftSpectrumForm form =
        PrepareFftSpectrum(read->lines, read->values, showing, WithDegree(read->caption, showing));
    if (form.groups == 0)
        return false;
    PlotData& data = request.Data;
    if (tonality) {
        std::vector<ToneRecord> tones;
        ToneSearchRange range{showing.block, showing.c1, showing.c2};
        std::vector<double> levels(read->values.begin(), read->values.begin() + read->lines.lines);
        form.marks.assign(levels.size() + 1, 0);
        data.TonalityAnalysed = true;
        AnalyseTonality(levels, read->lines.resolution, read->lines.start, c.Tonality, range, form.marks, tones,
                        data.Tonality);
        data.Noise = {data.Tonality.regressionFirst, data.Tonality.regressionLast, data.Tonality.slope,
                      data.Tonality.intercept};
    }
    // Each channel has its slice of lines + 1 values and marks.
    const std::size_t stride = static_cast<std::size_t>(read->lines.lines) + 1;
    const std::size_t at = stride * static_cast<std::size_t>(request.Panel);
    std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().end());
    values.resize(std::max(values.size(), at + stride), 0.0);
    std::copy(form.y.begin(), form.y.begin() + std::min(form.y.size(), stride), values.begin() + at);
    data.PlotValues.Assign(values);
    data.SpectrumMarks.resize(std::max(data.SpectrumMarks.size(), at + stride), 0);
    std::copy(form.marks.begin(), form.marks.begin() + std::min(form.marks.size(), stride),
              data.SpectrumMarks.begin() + at);
    data.ClassStride = static_cast<std::int32_t>(stride);
    data.FrequencyValues.assign(form.x.begin(), form.x.end());
    data.CursorTotals[request.Panel] = form.block ? form.blockTotal : 0.0;
    data.PanelTitles[request.Panel] = form.caption;
    if (data.GraphTitle.empty())
        data.GraphTitle = form.caption;
    SetLevelAxis(request.Doc, read->lines, data);
    return true;
}

} // namespace

void RegisterSpectraViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewSpectra, FormChoice::Text, RenderText);
    registry.Register(kViewSpectra, FormChoice::Table, RenderTable);
    registry.RegisterGraphData(kViewSpectra, RenderGraphData);
}

} // namespace orlu
