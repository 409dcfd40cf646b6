#include "ViewStateDump.h"

#include "document/GraphGeometry.h"
#include "platform/ValueFormat.h"

namespace orlu::tools {
namespace {

void Line(std::string& out, const char* name, long value)
{
    out += name;
    out += '=';
    out += std::to_string(value);
    out += '\n';
}

} // namespace

void PrintViewState(const MeasurementViewState& view, std::string& out)
{
    const GraphFormFields& g = view.Graph;
    Line(out, "PlotKind", view.PlotKind);
    Line(out, "AxisDecimals", g.AxisDecimals);
    Line(out, "PointCount", g.PointCount);
    Line(out, "PanelCount", g.PanelCount);
    Line(out, "GraphSizeIndex", g.GraphSizeIndex);
    out += "Geometry=";
    if (const GraphGeometry* geometry = view.PageGeometry) {
        const int fields[] = {geometry->leftMargin, geometry->topMargin,      geometry->pointCount,
                              geometry->pointsPerColumn, geometry->plotHeight, geometry->pixelsPerPoint,
                              geometry->plotWidth,  geometry->secondHeight,   geometry->barWidth,
                              geometry->bars,       geometry->reserved,       geometry->labelMode};
        for (std::size_t i = 0; i < std::size(fields); ++i)
            out += (i ? " " : "") + std::to_string(fields[i]);
    } else {
        out += "none";
    }
    out += '\n';
    Line(out, "Aggregation", view.Aggregation);
    Line(out, "MaxAggregation", view.MaxAggregation);
    Line(out, "Record", view.CurrentRecordPtr ? *view.CurrentRecordPtr : 0);
    Line(out, "FirstRecord", view.FirstRecord);
    Line(out, "LastRecord", view.LastRecord);
    Line(out, "CursorIndex", view.CursorIndex);
    Line(out, "WindowStart", view.WindowStart);
    Line(out, "GraphBandIndex", view.GraphBandIndex);
    Line(out, "BandIndex", view.BandIndex);
    Line(out, "LevelsRecord", view.LevelsRecord);
    Line(out, "UseAllStatLevels", view.Control.UseAllStatLevels);
    Line(out, "BandKind", view.BandKind);
    Line(out, "RtMode", view.Control.RtMode);
    Line(out, "RtStep", view.Tools.RtStep);
    for (std::size_t i = 0; i < view.Tools.RtMarks.size(); ++i)
        Line(out, ("t" + std::to_string(i)).c_str(), view.Tools.RtMarks[i]);
    Line(out, "VisualAid", view.Tools.VisualAid);
    Line(out, "FftWindow", view.Spectra.Window);
    Line(out, "ImpulseMarkMode", view.ImpulseMarkMode);
    Line(out, "Smoothing", view.Smoothed);
    Line(out, "PlotTotal", view.PlotTotalLine);
    Line(out, "ShowPeaks", view.Spectra.PeaksShown);
    Line(out, "ShowTonality", view.Spectra.TonalityShown);
    Line(out, "MultiElement", view.MultiElement);
    Line(out, "PrintZoom", view.Tools.PrintZoom);
    Line(out, "DispPitch", view.DispPitch);
    Line(out, "TableAllFiles", view.TableAllFiles);
    Line(out, "TextAllFiles", view.TextAllFiles);
    Line(out, "FormFlags", static_cast<long>(view.FormFlags));
    Line(out, "MarkState", view.MarkState);
    out += "MarkedRange=" + std::to_string(view.MarkedRange[0]) + "," + std::to_string(view.MarkedRange[1]) + "\n";
    Line(out, "AvailableChannels", view.AvailableChannels);
    Line(out, "SelectedChannels", view.SelectedChannels);
    Line(out, "Profile", view.Profile);
    Line(out, "ChannelNumber", view.ChannelNumber);
    Line(out, "Units", view.UnitsByKind[0]);
    Line(out, "HeaderUnits", view.UnitsByKind[kHeaderInfoUnitSlot]);
    Line(out, "SpectraFunction", view.Spectra.Function);
    Line(out, "ChannelA", view.Spectra.ChannelA);
    Line(out, "ChannelB", view.Spectra.ChannelB);
    Line(out, "LevelPitchOffset", view.Control.Scale.LevelPitchOffset);
    Line(out, "LevelZoomOffset", view.Control.Scale.LevelZoomOffset);
    Line(out, "FirstLine", view.FirstLine);
    Line(out, "FirstColumn", view.FirstColumn);
    Line(out, "PreviousEnabled", view.Control.PreviousEnabled);
    Line(out, "NextEnabled", view.Control.NextEnabled);
}

} // namespace orlu::tools
