#pragma once
// The dispatch of the painting frame: every PlotKind belongs to one of
// eight groups; a group decides its panels (which channels, in which order,
// where), selects each panel's channel and calls its plot routine and, for
// the read-outs, its read-out routine with the panel's arguments. The plot
// and read-out frames share one plan of the panels, so the read-outs always
// follow the panels the plot drew.

#include "graph/DecayGraph.h"
#include "graph/GraphLayout.h"
#include "graph/HistogramGraph.h"
#include "graph/SpectrumGraph.h"
#include "graph/TimeHistoryGraph.h"
#include "graph/WaveformGraph.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace orlu {

class GraphDocument;
struct GraphSettings;
struct GraphViewState;

enum class PlotGroup { StatLevels, TimeHistory, Decay, Histogram, Spectrum, Phase, Waveform, Density };

/// What a group hands its plot and read-out routines besides the common head.
struct PanelArgs {
    PlotGroup group = PlotGroup::TimeHistory;
    int panel = 0;
    int plotKind = 0;            ///< the panel's PlotKind: a four-channel octave panel has its channel's own axis
    GraphGeometry geometry;      ///< the panel's geometry (its own point count with its own axis)
    int y = 0;                   ///< unscaled panel origin
    int xShift = 0;              ///< unscaled shift of aligned bands
    int bandOffset = 0;          ///< aligned bands: the panel's first band after the lowest of all panels
    double levelBase = 0.0;
    double span = 0.0;
    std::size_t valueOffset = 0; ///< first value of the panel in the data array
    int pointCount = 0;
    int cursorIndex = 0;         ///< the panel's cursor
    bool rpm = false;            ///< the rotation panel of a logger
    TimeHistoryPanel timeHistory; ///< time-history panels only
    SpectrumPanel spectrum;       ///< spectrum and statistical-level band panels
    HistogramPanel histogram;     ///< histogram panels
    DecayPanel decay;             ///< time-intersection (decay) panels
    WaveformPanel waveform;       ///< time waveforms and buffers of samples
};

/// The plot and read-out routines of every group. The engine's own set
/// draws time histories; the other groups' routines are added with their
/// plots, so until then their panels are planned but left empty.
class PlotRoutines {
public:
    virtual ~PlotRoutines() = default;
    /// The point a decay panel asks the cursor to go to (0: none), asked
    /// before anything is drawn; answering consumes the request.
    virtual int CursorRequest(const PanelArgs& args) = 0;
    /// Draws a panel.
    virtual void Plot(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) = 0;
    virtual void Readout(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) = 0;
};

class EngineRoutines : public PlotRoutines {
public:
    int CursorRequest(const PanelArgs& args) override;
    void Plot(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) override;
    void Readout(const PanelHead& head, const PanelArgs& args, const GraphSettings& settings) override;
};

struct PlotGroupInfo {
    PlotGroup group;
    std::string_view plotRoutine;
    std::string_view readoutRoutine;
};
/// The group of a PlotKind and the names of its routines (the phase graph
/// and the waveform graph of a buffer of samples are chosen by the view's state).
PlotGroupInfo PlotGroupOf(int plotKind, bool phase = false, bool waveformSamples = false);

/// The panels of the view's PlotKind, in drawing order, with their arguments.
/// Writes what the dispatch computes into the view (marker columns, panel
/// height grown by a date line).
std::vector<PanelArgs> PlanPanels(GraphViewState& view, GraphDocument& doc, const GraphSettings& settings);

} // namespace orlu
