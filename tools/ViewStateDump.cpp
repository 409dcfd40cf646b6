#include "ViewStateDump.h"

#include "platform/ValueFormat.h"
#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/ViewCommandRules.h"

namespace orlu::tools {
namespace {

constexpr int kPreviousCommand = 32804;
constexpr int kNextCommand = 32805;

// Previous and Next as the view's command rules enable them; where the rules
// say nothing, by the stepped number standing inside its range.
bool StepEnabled(int command, const MeasurementViewState& view, const CTmDoc& doc)
{
    if (const std::optional<CommandUi> ui = ViewCommandState(command, view, FactsOf(doc)))
        return ui->enabled;
    if (!view.RecordStepping || view.CurrentRecordPtr == nullptr)
        return false;
    const std::int32_t record = *view.CurrentRecordPtr;
    return command == kPreviousCommand ? record > view.FirstRecord : record < view.LastRecord;
}

} // namespace

void PrintViewState(const MeasurementViewState& view, const CTmDoc& doc, std::string& out)
{
    const GraphFormFields& g = view.Graph;
    const auto line = [&out](const char* name, long value) { AppendPrintf(out, "%s=%ld\n", name, value); };
    line("PlotKind", view.PlotKind);
    line("AxisDecimals", g.AxisDecimals);
    line("PointCount", g.PointCount);
    line("PanelCount", g.PanelCount);
    line("GraphSizeIndex", g.GraphSizeIndex);
    out += "Geometry=";
    if (view.PageGeometry) {
        const auto fields = GeometryFields(*view.PageGeometry);
        for (std::size_t i = 0; i < fields.size(); ++i)
            AppendPrintf(out, "%s%d", i ? "," : "", fields[i]);
    }
    out += "\n";
    line("Aggregation", view.Aggregation);
    line("MaxAggregation", view.MaxAggregation);
    line("Record", view.CurrentRecordPtr ? *view.CurrentRecordPtr : 0);
    line("FirstRecord", view.FirstRecord);
    line("LastRecord", view.LastRecord);
    line("CursorIndex", view.CursorIndex);
    line("WindowStart", view.WindowStart);
    line("GraphBandIndex", view.GraphBandIndex);
    line("MarkState", view.MarkState);
    AppendPrintf(out, "MarkedRange=%d,%d\n", view.MarkedRange[0], view.MarkedRange[1]);
    line("AvailableChannels", view.AvailableChannels);
    line("SelectedChannels", view.SelectedChannels);
    line("Profile", view.Profile);
    line("ChannelNumber", view.ChannelNumber);
    line("PreviousEnabled", StepEnabled(kPreviousCommand, view, doc) ? 1 : 0);
    line("NextEnabled", StepEnabled(kNextCommand, view, doc) ? 1 : 0);
    const GraphViewState& plot = view.GraphForm.Plot;
    AppendPrintf(out, "GraphTitle=%s\n", plot.GraphTitle.c_str());
    for (std::size_t k = 0; k < plot.PanelTitles.size(); ++k)
        AppendPrintf(out, "PanelTitle%zu=%s\n", k + 1, plot.PanelTitles[k].c_str());
}

} // namespace orlu::tools
