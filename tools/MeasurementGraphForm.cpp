#include "MeasurementGraphForm.h"

#include "GraphForm.h"
#include "PictureTools.h"
#include "analysis/spectra/FftSpectrumReader.h"
#include "platform/ValueFormat.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/PrintPages.h"
#include "presentation/view/TextFormLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orlu::tools {

int ReadGraphFormOption(int argc, char** argv, int& i, GraphFormRequest& request)
{
    const std::string option = argv[i];
    const auto number = [&](int low, int high, int& out) {
        if (i + 1 >= argc)
            return -1;
        char* end = nullptr;
        const long value = std::strtol(argv[++i], &end, 10);
        if (*end != '\0' || end == argv[i] || value < low || value > high)
            return -1;
        out = static_cast<int>(value);
        return 1;
    };
    if (option == "--plot")
        return number(0, 100, request.plotPresses);
    if (option == "--cursor")
        return number(0, 10000000, request.cursor);
    if (option == "--zoom")
        return number(1, 16, request.zoom);
    if (option == "--copy" && i + 1 < argc && std::string_view(argv[i + 1]).ends_with(".png")) {
        request.copy = argv[++i];
        return 1;
    }
    if (option == "--plot-back") {
        request.backwards = true;
        return 1;
    }
    return 0;
}

int ShowGraphForm(const FormBuilder& builder, MeasurementViewState& view, CTmDoc& doc,
                  const GraphFormRequest& request, std::string& text, char* program)
{
    // The graph steps its own record number: it starts on the spectrum chosen (a
    // tonality file's records are its bands).
    view.GraphRecord = HoldsShortBand(doc) ? view.Spectra.Band : std::max(1, view.Spectra.Record);
    // The view's commands may have shown the graph already: Plot there would step its size.
    if (!view.GraphShown())
        builder.OnGraphForm(view, doc, false);
    for (int press = 0; press < request.plotPresses; ++press)
        builder.OnGraphForm(view, doc, request.backwards);
    GraphViewState& plot = view.GraphForm.Plot;
    if (request.cursor >= 0 && view.Graph.PointCount > 0) {
        view.CursorIndex = std::min(request.cursor, view.Graph.PointCount - 1);
        plot.CursorIndex = view.CursorIndex;
    }
    if (!view.GraphForm.Available) {
        // The line the graph form shows in its place.
        const LineSource& lines = view.ShownLines();
        std::string buffer;
        for (std::size_t i = 0; i < lines.LineCount(); ++i)
            text += std::string(LineText(lines.Line(i, buffer))) + "\n";
        return 0;
    }
    AppendPrintf(text, "graph: PlotKind %d, %d panel(s), %d points, size %d\n", view.PlotKind, view.Graph.PanelCount,
                 view.Graph.PointCount, view.Graph.GraphSizeIndex);
    const int pictures = !request.out.empty() + !request.copy.empty() + !request.print.empty() + !request.saveView.empty();
    if (pictures > 1 || (request.zoom != 0 && request.print.empty())) {
        std::fprintf(stderr, "orlu-dump: one of --out, --copy, --print [--zoom], --save-view for a graph\n");
        return 2;
    }
    if (pictures == 0)
        return 0;
    PlotState state;
    state.view = plot;
    state.view.PrintZoom = static_cast<std::uint8_t>(std::clamp<int>(view.Tools.PrintZoom, 1, 16));
    state.doc = GraphDocumentOf(doc, view);
    state.settings.NonMetricUnits = doc.App().NonMetric != 0;
    if (!request.saveView.empty())
        return SaveGraphView(state, request.saveView, program);
    PlotOutput output;
    output.out = request.out;
    if (!request.copy.empty()) {
        output.out = request.copy;
        output.copy = true;
    } else if (!request.print.empty()) {
        output.out = request.print;
        output.print = true;
        output.zoom = request.zoom;
        output.fileName = PrintedFileName(doc.PathName().string(), doc.FileName());
    }
    return PaintPlotState(state, output, program);
}

} // namespace orlu::tools
