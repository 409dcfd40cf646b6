#pragma once
// orlu-dump's switches of what leaves a view of lines:
//   --copy                 prints what Edit/Copy puts on the clipboard
//   --block C1,L1,C2,L2    the marked block: columns and lines from 0 as the mouse
//                          marks them (the end column excluded); without it Select All
//   --block-mode M         0 stream, 1 box, 2 whole lines, 3 full columns
//   --clip-dec D --clip-sep S --clip-date F   the clipboard's decimal point (0 '.',
//                          1 ','), separator (0-6) and date layout (0-5)
//   --pages                prints pages=N, the lines per page and each page's footer
//   --print FILE.pdf       prints the view into a PDF through the print loop (600 dpi)
//   --print-pitch P        the printer pitch (1-48; the line font is P x 5 units high)
// and the text document:
//   orlu-dump FILE --open-as text [--form text|hex] [the switches above]

#include "presentation/AppSettings.h"
#include "presentation/view/MeasurementViewState.h"

#include <string>

namespace orlu::tools {

struct ViewOutputRequest {
    bool copy = false;
    bool blockGiven = false;
    ViewPoint blockFrom;
    ViewPoint blockTo;
    int blockMode = -1;
    int clipDecimal = -1;
    int clipSeparator = -1;
    int clipDate = -1;
    bool pages = false;
    std::string printPath;
    int printPitch = -1;

    bool Any() const { return copy || pages || !printPath.empty(); }
};

/// Reads the option at argv[i] (and its value, advancing i). 1: read; 0: not one of these;
/// -1: one of these with a value it does not take.
int ReadViewOutputOption(int argc, char** argv, int& i, ViewOutputRequest& request);
/// The clipboard settings given go into the settings the forms are built with.
void ApplyClipboardSettings(const ViewOutputRequest& request, AppSettings& settings);
/// Copies, counts pages or prints the view as asked; the text goes to out
/// (Windows-1252). False after a message on standard error.
bool WriteViewOutput(MeasurementViewState& view, const std::string& fileName, const ViewOutputRequest& request,
                     std::string& out);

/// FILE --open-as text: the file as a text document.
bool WantsTextDocument(int argc, char** argv);
int RunTextDocument(int argc, char** argv);

} // namespace orlu::tools
