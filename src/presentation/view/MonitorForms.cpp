#include "presentation/view/MonitorForms.h"

#include "document/ViewKind.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorGraphData.h"
#include "monitor/MonitorHeaderText.h"
#include "monitor/MonitorOctaveText.h"
#include "monitor/MonitorResultsTable.h"
#include "monitor/MonitorResultsText.h"
#include "monitor/MonitorStatisticsTable.h"
#include "monitor/MonitorStatisticsText.h"
#include "presentation/view/StatisticsViewForms.h"

#include <algorithm>

namespace orlu {
namespace {

// A new view shows all three profiles until the user chooses.
constexpr std::uint16_t kAllProfiles = 7;

std::uint16_t ShownProfiles(const FormRequest& request)
{
    return request.View.SelectedChannels != 0 ? request.View.SelectedChannels : kAllProfiles;
}

// The view's record number is the statistics interval (or octave-statistics record, or
// octave record) shown.
int RecordOf(const MeasurementViewState& view)
{
    return std::max<int>(view.SubFileNumber, 1);
}

void NotAvailable(FormRequest& request)
{
    std::string line(kFormNotAvailableText);
    AddLine(request.Lines, line, &request.WidestLine);
}

void MainResultsText(FormRequest& request)
{
    int widest = 0;
    if (!FormatMonitorResultsText(request.Doc, request.Lines, &widest, ShownProfiles(request),
                                  request.View.UnitsByKind[0] != 0))
        NotAvailable(request);
    request.WidestLine = std::max(request.WidestLine, widest);
}

void MainResultsTable(FormRequest& request)
{
    int widest = 0;
    if (!FormatMonitorResultsTable(request.Doc, request.Lines, &widest, request.TableContentKind,
                                   ShownProfiles(request), request.View.UnitsByKind[0] != 0, request.Options))
        NotAvailable(request);
    request.WidestLine = std::max(request.WidestLine, widest);
}

void HeaderText(FormRequest& request)
{
    int widest = 0;
    if (!FormatMonitorHeaderText(request.Doc, request.Lines, &widest, ShownProfiles(request),
                                 request.View.UnitsByKind[kHeaderInfoUnitSlot]))
        NotAvailable(request);
    request.WidestLine = widest;
}

FormRenderer StatisticsText(MonitorStatisticsForm form)
{
    return [form](FormRequest& request) {
        int widest = 0;
        if (!FormatMonitorStatisticsText(request.Doc, request.Lines, &widest, form,
                                         StatisticsChoicesOf(request.View, false), RecordOf(request.View)))
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

// The view's units (0 dB, 1 pascal) and marked bands.
MonitorOctaveChoice OctaveChoiceOf(const MeasurementViewState& view, bool third)
{
    MonitorOctaveChoice choice;
    choice.third = third;
    choice.linear = view.UnitsByKind[0] != 0;
    choice.block = view.MarkState == 2;
    choice.first = std::min(view.MarkedRange[0], view.MarkedRange[1]);
    choice.last = std::max(view.MarkedRange[0], view.MarkedRange[1]);
    return choice;
}

FormRenderer OctaveText(bool third)
{
    return [third](FormRequest& request) {
        int widest = 0;
        if (!FormatMonitorOctaveText(request.Doc, request.Lines, &widest, OctaveChoiceOf(request.View, third),
                                     request.View.TextAllFiles != 0, RecordOf(request.View)))
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

FormRenderer OctaveTable(bool third)
{
    return [third](FormRequest& request) {
        int widest = 0;
        if (!FormatMonitorOctaveTable(request.Doc, request.Lines, &widest, request.TableContentKind,
                                      OctaveChoiceOf(request.View, third), request.View.TableAllFiles != 0,
                                      RecordOf(request.View), request.Options))
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

FormRenderer StatisticsTable(MonitorStatisticsForm form)
{
    return [form](FormRequest& request) {
        int widest = 0;
        if (!FormatMonitorStatisticsTable(request.Doc, request.Lines, &widest, request.TableContentKind, form,
                                          StatisticsChoicesOf(request.View, true), RecordOf(request.View),
                                          request.Options))
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

bool HistogramGraph(GraphDataRequest& request)
{
    return GraphMonitorHistogram(request.Doc, StatisticsChoicesOf(request.View, false), RecordOf(request.View),
                                 request.Panel, request.Data);
}

bool DensityGraph(GraphDataRequest& request)
{
    return GraphMonitorDensity(request.Doc, StatisticsChoicesOf(request.View, false), RecordOf(request.View),
                               request.Panel, request.Data);
}

GraphDataRenderer OctaveGraph(bool third)
{
    return [third](GraphDataRequest& request) {
        return GraphMonitorOctave(request.Doc, request.Data, request.Panel, OctaveChoiceOf(request.View, third),
                                  RecordOf(request.View), request.View.MultiElement != 0);
    };
}

// Puts `monitor` in front of what the kind and form had: MONITOR documents get it,
// the others what was registered before.
void Override(FormRendererRegistry& registry, std::uint8_t kind, FormChoice form, FormRenderer monitor)
{
    const FormRenderer* found = registry.Find(kind, form);
    FormRenderer other = found ? *found : FormRenderer{};
    registry.Register(kind, form, [monitor = std::move(monitor), other = std::move(other)](FormRequest& request) {
        if (request.Doc.FileKind() == kKindMonitor)
            monitor(request);
        else if (other)
            other(request);
        else
            NotAvailable(request);
    });
}

} // namespace

void RegisterMonitorForms(FormRendererRegistry& registry)
{
    Override(registry, kViewMainResults, FormChoice::Text, MainResultsText);
    Override(registry, kViewMainResults, FormChoice::Table, MainResultsTable);
    Override(registry, kViewHeaderInfo, FormChoice::Text, HeaderText);
    Override(registry, kViewHistograms, FormChoice::Text, StatisticsText(MonitorStatisticsForm::Histograms));
    Override(registry, kViewStatisticalLevels, FormChoice::Text, StatisticsText(MonitorStatisticsForm::Levels));
    Override(registry, kViewDensities, FormChoice::Text, StatisticsText(MonitorStatisticsForm::Densities));
    Override(registry, kViewOctaves, FormChoice::Text, OctaveText(false));
    Override(registry, kViewThirdOctaves, FormChoice::Text, OctaveText(true));
    Override(registry, kViewHistograms, FormChoice::Table, StatisticsTable(MonitorStatisticsForm::Histograms));
    Override(registry, kViewStatisticalLevels, FormChoice::Table, StatisticsTable(MonitorStatisticsForm::Levels));
    Override(registry, kViewDensities, FormChoice::Table, StatisticsTable(MonitorStatisticsForm::Densities));
    Override(registry, kViewOctaves, FormChoice::Table, OctaveTable(false));
    Override(registry, kViewThirdOctaves, FormChoice::Table, OctaveTable(true));
    registry.RegisterGraphData(kViewHistograms, HistogramGraph, KindFamily::Monitor);
    registry.RegisterGraphData(kViewDensities, DensityGraph, KindFamily::Monitor);
    registry.RegisterGraphData(kViewOctaves, OctaveGraph(false), KindFamily::Monitor);
    registry.RegisterGraphData(kViewThirdOctaves, OctaveGraph(true), KindFamily::Monitor);
}

} // namespace orlu
