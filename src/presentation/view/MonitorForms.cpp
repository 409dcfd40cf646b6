#include "presentation/view/MonitorForms.h"

#include "document/ViewKind.h"
#include "document/container/FileKindCode.h"
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
        // The view's record number is the statistics interval (or octave-statistics record) shown.
        const int record = std::max(request.View.SubFileNumber, 1);
        if (!FormatMonitorStatisticsText(request.Doc, request.Lines, &widest, form,
                                         StatisticsChoicesOf(request.View, false), record))
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

// The octave spectra in dB; the linear forms and the table of every record are not written yet.
FormRenderer OctaveText(bool third)
{
    return [third](FormRequest& request) {
        int widest = 0;
        const bool written = request.View.UnitsByKind[0] == 0 &&
                             FormatMonitorOctaveText(request.Doc, request.Lines, &widest, third,
                                                     request.View.TextAllFiles != 0,
                                                     std::max(request.View.SubFileNumber, 1));
        if (!written)
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

FormRenderer OctaveTable(bool third)
{
    return [third](FormRequest& request) {
        int widest = 0;
        const bool written = request.View.UnitsByKind[0] == 0 && request.View.TableAllFiles == 0 &&
                             FormatMonitorOctaveTable(request.Doc, request.Lines, &widest, request.TableContentKind,
                                                      third, std::max(request.View.SubFileNumber, 1), request.Options);
        if (!written)
            NotAvailable(request);
        request.WidestLine = std::max(request.WidestLine, widest);
    };
}

void HistogramsTable(FormRequest& request)
{
    int widest = 0;
    if (!FormatMonitorHistogramsTable(request.Doc, request.Lines, &widest, request.TableContentKind,
                                      StatisticsChoicesOf(request.View, true), std::max(request.View.SubFileNumber, 1),
                                      request.Options))
        NotAvailable(request);
    request.WidestLine = std::max(request.WidestLine, widest);
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
    Override(registry, kViewHistograms, FormChoice::Table, HistogramsTable);
    Override(registry, kViewOctaves, FormChoice::Table, OctaveTable(false));
    Override(registry, kViewThirdOctaves, FormChoice::Table, OctaveTable(true));
}

} // namespace orlu
