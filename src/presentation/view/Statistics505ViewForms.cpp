#include "presentation/view/Statistics505ViewForms.h"

#include "analysis/statistics/BandStatistics505.h"
#include "document/ViewKind.h"
#include "presentation/view/StatisticsViewForms.h"

#include <algorithm>
#include <string>

namespace orlu {
namespace {

using TextForm = bool (*)(CTmDoc&, LineList&, int*, const StatisticsChoices&);
using TableForm = bool (*)(CTmDoc&, LineList&, int*, std::uint8_t&, const StatisticsChoices&,
                           const TableOutputOptions&);

// A file without band statistics in the sub-file shown says so.
FormRenderer Text(TextForm form)
{
    return [form](FormRequest& request) {
        int widest = 0;
        if (!form(request.Doc, request.Lines, &widest, StatisticsChoicesOf(request.View, false)))
            SayNotAvailable(request);
        else
            request.WidestLine = widest;
    };
}

FormRenderer Table(TableForm form)
{
    return [form](FormRequest& request) {
        int widest = 0;
        if (!form(request.Doc, request.Lines, &widest, request.TableContentKind,
                  StatisticsChoicesOf(request.View, true), request.Options))
            SayNotAvailable(request);
        else
            request.WidestLine = std::max(request.WidestLine, widest);
    };
}

} // namespace

void RegisterStatistics505ViewForms(FormRendererRegistry& registry)
{
    constexpr KindFamily kFamily = KindFamily::Setup505;
    registry.Register(kViewHistograms, FormChoice::Text, Text(TextBandHistograms505), kFamily);
    registry.Register(kViewHistograms, FormChoice::Table, Table(TableBandHistograms505), kFamily);
    registry.RegisterGraphData(
        kViewHistograms,
        [](GraphDataRequest& request) {
            return GraphBandHistogram505(request.Doc, StatisticsChoicesOf(request.View, false), request.Panel,
                                         request.Data);
        },
        kFamily);
    registry.RegisterGraphData(
        kViewStatisticalLevels,
        [](GraphDataRequest& request) {
            // The level shown: the percentage at the view's position, or the percentage itself.
            const MeasurementViewState& view = request.View;
            const CTmDoc& doc = request.Doc;
            const int at = view.LevelsRecord - 1;
            const std::uint8_t n = view.StatAllLevels != 0
                                       ? static_cast<std::uint8_t>(std::clamp(view.LevelsRecord, 0, 99))
                                   : at >= 0 && at < std::min<int>(doc.StatisticalLevelCount(), 10)
                                       ? doc.StatisticalPercentages()[static_cast<std::size_t>(at)]
                                       : std::uint8_t{0};
            return GraphBandLevels505(request.Doc, StatisticsChoicesOf(view, false), n, request.Panel, request.Data);
        },
        kFamily);
    registry.Register(kViewDensities, FormChoice::Text, Text(TextBandDensities505), kFamily);
    registry.Register(kViewDensities, FormChoice::Table, Table(TableBandDensities505), kFamily);
    registry.RegisterGraphData(
        kViewDensities,
        [](GraphDataRequest& request) {
            return GraphBandDensity505(request.Doc, StatisticsChoicesOf(request.View, false), request.Panel,
                                       request.Data);
        },
        kFamily);
    registry.Register(kViewStatisticalLevels, FormChoice::Text, Text(TextBandLevels505), kFamily);
    registry.Register(kViewStatisticalLevels, FormChoice::Table, Table(TableBandLevels505), kFamily);
}

} // namespace orlu
