// Fuzz target of the plot-state reader: the bytes are read as a plot state.
// A refusal names its line; an accepted state is written, and what is
// written must read back and write again to the same text, so that a state
// saved by orlu-dump or orlu-fixture is always one the tools accept. An
// accepted state is painted, as orlu-dump paints it, onto a recording canvas
// of each target, which it must leave in the state it found it.

#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/PlotStateFile.h"
#include "platform/canvas/RecordingCanvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orlu;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PlotState state;
    std::string error;
    if (!ReadPlotState(text, state, error)) {
        if (error.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    const std::string written = WritePlotState(state);
    PlotState back;
    if (!ReadPlotState(written, back, error))
        std::abort();
    if (WritePlotState(back) != written)
        std::abort();
    for (CanvasTarget target : {CanvasTarget::Screen, CanvasTarget::Printer, CanvasTarget::Metafile}) {
        PlotState painted = back;
        RecordingCanvas canvas(target);
        EngineRoutines routines;
        const std::string changed = CheckStateBalance(canvas, [&](Canvas& c) {
            PaintGraph(c, painted.view, painted.doc, painted.settings, routines);
        });
        if (!changed.empty())
            std::abort();
    }
    return 0;
}
