#pragma once
// orlu-dump FILE --view K --form graph [--plot N] [--plot-back] [--cursor C]
// [--out OUT.png|.emf|.txt|.plot]: builds the graph form of a measurement
// file headless, as the view's Plot button does, presses Plot N more times
// (each steps the graph size; backwards with --plot-back) and paints the
// graph through the engine into OUT. --copy OUT.png, --print OUT.pdf [--zoom Z]
// and --save-view OUT.emf|OUT.bmp give what Copy, Print and Save current view
// make of it.

#include "document/CTmDoc.h"
#include "presentation/view/FormBuilder.h"

#include <string>

namespace orlu::tools {

struct GraphFormRequest {
    bool shown = false;      ///< --form graph
    int plotPresses = 0;     ///< --plot N: presses of Plot on the shown graph
    bool backwards = false;  ///< --plot-back: the presses step the size backwards
    int cursor = -1;         ///< --cursor C: the cursor on point C of the window
    std::string out;         ///< --out: the picture
    std::string copy;        ///< --copy OUT.png: what Copy puts on the clipboard
    std::string print;       ///< --print OUT.pdf: the printed page
    std::string saveView;    ///< --save-view OUT.emf|OUT.bmp: Save current view
    int zoom = 0;            ///< --zoom Z: the print zoom (0: the view's)
};

/// Reads --plot, --plot-back, --cursor, --zoom and --copy OUT.png (the text forms' --copy takes
/// no file) at argv[i]: 1 read, 0 not one of these, -1 a bad value.
int ReadGraphFormOption(int argc, char** argv, int& i, GraphFormRequest& request);

/// Builds the graph form of the kind the view shows (the kind already chosen),
/// runs the Plot presses, writes a line of what it built into `text` and
/// paints OUT when named. Returns the exit status.
int ShowGraphForm(const FormBuilder& builder, MeasurementViewState& view, CTmDoc& doc,
                  const GraphFormRequest& request, std::string& text, char* program);

} // namespace orlu::tools
