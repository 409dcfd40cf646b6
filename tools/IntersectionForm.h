#pragma once
// orlu-dump's time intersections: FILE --intersection A [--source 2|3|4]
// [--running] [--smooth] [--degree F] [--units U] [--channel C]
// [--channels MASK] [--markers F,L] [--form text|table] [--sep S] [--dec D].
// A is the line or band from 1 (past the bands a total), --source the FFT
// lines (2), 1/1 (3) or 1/3 (4) octaves of files that have no spectra of
// their own kind, --degree the spectra per point,
// --markers the block between the cursors (spectra from 0). The form is the
// Time intersection view's, through the same renderers.

namespace orlu::tools {

/// True when the command line asks for a time intersection.
bool WantsIntersectionForm(int argc, char** argv);
/// Runs it: 0 shown, 1 the file has no such spectra or cannot be read, 2 a wrong command line.
int RunIntersectionForm(int argc, char** argv);

} // namespace orlu::tools
