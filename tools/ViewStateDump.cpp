#include "ViewStateDump.h"

#include "platform/ValueFormat.h"
#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/GraphNavigation.h"

namespace orlu::tools {

void PrintViewState(MeasurementViewState& view, const CTmDoc& doc, std::string& out)
{
    const StepFacts facts = StepFactsOf(doc);
    UpdatePrevious(view, facts, {});
    UpdateNext(view, facts, {});
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
    line("BandIndex", view.BandIndex);
    line("LevelsRecord", view.LevelsRecord);
    line("UseAllStatLevels", view.Control.UseAllStatLevels);
    line("BandKind", view.BandKind);
    line("RtMode", view.Control.RtMode);
    line("RtStep", view.Tools.RtStep);
    for (std::size_t i = 0; i < view.Tools.RtMarks.size(); ++i)
        line(("t" + std::to_string(i)).c_str(), view.Tools.RtMarks[i]);
    line("VisualAid", view.Tools.VisualAid);
    line("FftWindow", view.Spectra.Window);
    line("ImpulseMarkMode", view.ImpulseMarkMode);
    line("Smoothing", view.Smoothed);
    line("PlotTotal", view.PlotTotalLine);
    line("ShowPeaks", view.Spectra.PeaksShown);
    line("ShowTonality", view.Spectra.TonalityShown);
    line("MultiElement", view.MultiElement);
    line("PrintZoom", view.Tools.PrintZoom);
    line("DispPitch", view.DispPitch);
    line("TableAllFiles", view.TableAllFiles);
    line("TextAllFiles", view.TextAllFiles);
    line("FormFlags", static_cast<long>(view.FormFlags));
    line("MarkState", view.MarkState);
    AppendPrintf(out, "MarkedRange=%d,%d\n", view.MarkedRange[0], view.MarkedRange[1]);
    line("AvailableChannels", view.AvailableChannels);
    line("SelectedChannels", view.SelectedChannels);
    line("Profile", view.Profile);
    line("ChannelNumber", view.ChannelNumber);
    line("Units", view.UnitsByKind[0]);
    line("HeaderUnits", view.UnitsByKind[kHeaderInfoUnitSlot]);
    line("SpectraFunction", view.Spectra.Function);
    line("ChannelA", view.Spectra.ChannelA);
    line("ChannelB", view.Spectra.ChannelB);
    line("LevelPitchOffset", view.Control.Scale.LevelPitchOffset);
    line("LevelZoomOffset", view.Control.Scale.LevelZoomOffset);
    line("FirstLine", view.FirstLine);
    line("FirstColumn", view.FirstColumn);
    line("PreviousEnabled", view.Control.PreviousEnabled);
    line("NextEnabled", view.Control.NextEnabled);
    const GraphViewState& plot = view.GraphForm.Plot;
    AppendPrintf(out, "GraphTitle=%s\n", plot.GraphTitle.c_str());
    for (std::size_t k = 0; k < plot.PanelTitles.size(); ++k)
        AppendPrintf(out, "PanelTitle%zu=%s\n", k + 1, plot.PanelTitles[k].c_str());
}

} // namespace orlu::tools
