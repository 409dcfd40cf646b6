#pragma once
// orlu-dump's reverberation form: FILE --rt [--source 3|4] [--rt-interval F,L]
// [--rt-user F,L] [--smooth] [--channel C] [--form text|table] [--sep S]
// [--dec D] [--save OUT]. The interval (records from 0, as the graph cursor
// marks them) is copied into every band of the channel and the bands are
// evaluated before the form is printed; without it the form shows the file's
// stored results. --save stores the document with its records in OUT.

namespace orlu::tools {

/// True when the command line asks for the reverberation form.
bool WantsReverbForm(int argc, char** argv);
/// Runs it: 0 shown, 1 the file has no reverberation records or cannot be
/// read or stored, 2 a wrong command line.
int RunReverbForm(int argc, char** argv);

} // namespace orlu::tools
