#include "presentation/view/StatisticsViewForms.h"

#include "analysis/statistics/DensityForms.h"
#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "analysis/statistics/LevelSpectrum.h"
#include "document/ViewKind.h"

#include <algorithm>
#include <string>

namespace orlu {
namespace {

void RenderHistogramText(FormRequest& request)
{
    int widest = 0;
    if (!TextHistogram(request.Doc, request.Lines, &widest, StatisticsChoicesOf(request.View, false)))
        SayNotAvailable(request);
    else
        request.WidestLine = widest;
}

void RenderHistogramTable(FormRequest& request)
{
    int widest = 0;
    if (!TableHistogram(request.Doc, request.Lines, &widest, request.TableContentKind,
                        StatisticsChoicesOf(request.View, true), request.Options))
        SayNotAvailable(request);
    else
        request.WidestLine = std::max(request.WidestLine, widest);
}

void RenderLevelsText(FormRequest& request)
{
    int widest = 0;
    if (!TextLevels(request.Doc, request.Lines, &widest, StatisticsChoicesOf(request.View, false)))
        SayNotAvailable(request);
    else
        request.WidestLine = widest;
}

void RenderLevelsTable(FormRequest& request)
{
    int widest = 0;
    if (!TableLevels(request.Doc, request.Lines, &widest, request.TableContentKind,
                     StatisticsChoicesOf(request.View, true), request.Options))
        SayNotAvailable(request);
    else
        request.WidestLine = std::max(request.WidestLine, widest);
}

void RenderDensityText(FormRequest& request)
{
    int widest = 0;
    if (!TextDensity(request.Doc, request.Lines, &widest, StatisticsChoicesOf(request.View, false)))
        SayNotAvailable(request);
    else
        request.WidestLine = widest;
}

void RenderDensityTable(FormRequest& request)
{
    int widest = 0;
    if (!TableDensity(request.Doc, request.Lines, &widest, request.TableContentKind,
                      StatisticsChoicesOf(request.View, true), request.Options))
        SayNotAvailable(request);
    else
        request.WidestLine = std::max(request.WidestLine, widest);
}

bool RenderDensityGraph(GraphDataRequest& request)
{
    return GraphDensity(request.Doc, StatisticsChoicesOf(request.View, false), request.Panel, request.Data);
}

bool RenderLevelSpectrumGraph(GraphDataRequest& request)
{
    return GraphLevelSpectrum(request.Doc, StatisticsChoicesOf(request.View, false), request.Panel, request.Data);
}

bool RenderHistogramGraph(GraphDataRequest& request)
{
    return GraphHistogram(request.Doc, StatisticsChoicesOf(request.View, false), request.Panel, request.Data);
}

} // namespace

StatisticsChoices StatisticsChoicesOf(const MeasurementViewState& view, bool table)
{
    StatisticsChoices choices;
    choices.channelMask = view.SelectedChannels;
    choices.allFiles = (table ? view.TableAllFiles : view.TextAllFiles) != 0;
    choices.subfile = view.SubFileNumber;
    choices.channel = std::max(view.ChannelNumber - 1, 0);
    choices.markers.count = view.MarkState;
    choices.markers.points = {std::min(view.MarkedRange[0], view.MarkedRange[1]),
                              std::max(view.MarkedRange[0], view.MarkedRange[1])};
    choices.octave = view.StatOctave1 ? 11 : view.StatOctave2 ? 13 : 0;
    choices.band = std::max(view.BandNumber, 1);
    choices.level = view.LevelsRecord;
    choices.allLevels = view.StatAllLevels != 0;
    return choices;
}

void RegisterStatisticsViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewHistograms, FormChoice::Text, RenderHistogramText);
    registry.Register(kViewHistograms, FormChoice::Table, RenderHistogramTable);
    registry.RegisterGraphData(kViewHistograms, RenderHistogramGraph);
    registry.Register(kViewStatisticalLevels, FormChoice::Text, RenderLevelsText);
    registry.Register(kViewStatisticalLevels, FormChoice::Table, RenderLevelsTable);
    registry.RegisterGraphData(kViewStatisticalLevels, RenderLevelSpectrumGraph);
    registry.Register(kViewDensities, FormChoice::Text, RenderDensityText);
    registry.Register(kViewDensities, FormChoice::Table, RenderDensityTable);
    registry.RegisterGraphData(kViewDensities, RenderDensityGraph);
}

} // namespace orlu
