#pragma once
// The octave views of ORLU 505 ANALYZER-mode files: 1/1 octaves as stored or
// folded from the whole octaves third octaves hold (every row after them named
// "TOTAL"), the third octaves of third-octave files (the rows after the bands
// named from the file's totals), as titled text, a column table or a cross
// table (every record, every file of a Multifile, or a probe file's chosen
// channels), and the bars of both octave graphs. Values are stored in 0.1 dB.
// A numbered file (a time history) counts its spectra by record. The forms put
// back the file and channel the view had selected.

#include "analysis/PlotData.h"
#include "analysis/spectra/OctaveForms.h"

namespace orlu {

/// The 1/1-octave text form of an ANALYZER-mode file; lines are cleared first. False
/// when the file holds no octave spectra.
bool TextOctave11Of505(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices);

/// The 1/1-octave table form, appended to the lines; content is set to 2. One spectrum
/// as a column table under "Octave 1/1  No.N:", every record as a cross table.
bool TableOctave11Of505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                        const TableOutputOptions& options);

/// The 1/3-octave text form of a third-octave file, the rows after the bands named from
/// the file's totals; lines are cleared first.
bool TextOctave13Of505(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices);

/// The 1/3-octave table form under the octave title, or the cross table of every record.
bool TableOctave13Of505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                        const TableOutputOptions& options);

/// The bars of the record's spectrum in panel 0: 1/1 octaves (folded from third octaves)
/// or, octave 3, the third octaves with the last value drawn twice more behind them.
bool GraphDataOctaveOf505(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, int octave);

/// The spectra the octave forms number in an ANALYZER-mode file: its records when it
/// holds a time history, else its spectra.
std::uint32_t SpectrumRecordCount505(const CTmDoc& doc);

} // namespace orlu
