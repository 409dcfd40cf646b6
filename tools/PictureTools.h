#pragma once
// The picture documents from the command line: orlu-fixture bmp writes
// bitmaps byte by byte; orlu-dump FILE --open-as emf|bmp shows what the
// picture views make of a file (sizes, rectangles, scroll limits, a PNG of
// the window); orlu-dump PLOT --form graph --save-view FILE.emf|.bmp and
// orlu-dump FILE --view K --save-view FILE.txt run Save current view.

#include "graph/PlotStateFile.h"

#include <string>

namespace orlu {
class LineSource;
}

namespace orlu::tools {

/// orlu-fixture bmp --width W --height H --bits B [--size-image 0] [--top-down] OUT.
int RunBmpFixture(int argc, char** argv);

/// True when the command line holds --open-as.
bool WantsOpenAs(int argc, char** argv);
/// orlu-dump FILE --open-as emf|bmp [--client WxH] [--zoom Z] [--scroll bottom|top|page-down] [--out FILE.png].
int RunOpenAs(int argc, char** argv);

/// True for orlu-dump PLOT --form graph --save-view OUT.
bool WantsGraphSaveView(int argc, char** argv);
/// Save current view of a graph: the picture of OUT's kind, saved as OUT.
int RunGraphSaveView(int argc, char** argv);
/// The same for a graph already at hand (a measurement file's graph form).
int SaveGraphView(const PlotState& state, const std::string& out, char* program);

/// Save current view of a text, table, hex or ASCII form: the lines saved as
/// the text file `out` (.txt); false, with the reason on standard error, otherwise.
bool SaveViewLines(const LineSource& lines, const std::string& out);

} // namespace orlu::tools
