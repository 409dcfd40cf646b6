#pragma once
// The graph form of the tools: orlu-dump FILE --form graph --out OUT
// [--target screen|printer|metafile] paints a plot state with the graph
// engine into OUT by its extension, and orlu-fixture plot writes plot states
// with synthetic data.

#include "graph/PlotStateFile.h"

#include <string>

namespace orlu::tools {

/// A plot state by its extension (.plot) or its first line; other files are measurements.
bool IsPlotStateFile(const std::string& path);
/// Where a plot state is painted: OUT by its extension (png, emf, pdf, txt, plot), on the
/// canvas of TARGET when one is named; with copy the part of the bitmap Copy takes, with
/// print the printed page at print zoom `zoom` (0 the state's) with the footer naming the file.
struct PlotOutput {
    std::string out;
    std::string targetName;
    std::string fileName;
    bool copy = false;
    bool print = false;
    int zoom = 0;
};

/// Paints a plot state as `output` says. Returns the exit status.
int PaintPlotState(PlotState& state, const PlotOutput& output, char* program);

/// orlu-dump's graph form; argv[1] is the file. Returns the exit status.
int RunGraphForm(int argc, char** argv);
/// orlu-fixture plot ... OUT.plot. Returns the exit status.
int RunPlotFixture(int argc, char** argv);
/// orlu-dump --band-name K,TOTALBARS,POS: the name of a band graph's position.
int RunBandName(int argc, char** argv);

} // namespace orlu::tools
