#pragma once
// The text and table forms of the octave views of current-family files: one
// titled spectrum (RMS, MIN or MAX of a file, a logger record, a Multifile's
// file) as three columns of frequency-level pairs, filled column by column, or
// every spectrum of a logger or a Multifile as a cross table. Levels in dB or
// in the linear quantity of the view's unit option; with two markers only the
// bands between them, under the block total.

#include "analysis/spectra/BlockTotals.h"
#include "analysis/spectra/OctaveSpectra.h"
#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/MissingValue.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

/// What the view chose for an octave form.
struct OctaveChoices {
    OctaveRequest request;
    /// Microphones: 1 linear units, 0 dB; other inputs: 0 linear units, 1 dB.
    std::uint8_t units = 0;
    /// A block of bands between two markers (positions on the band axis, lower first).
    bool block = false;
    BandBlock markers;
};

/// One spectrum of the 1/1-octave view, converted: octave data as stored, third octaves
/// folded into whole octaves, then the model's named rows; the centres of the band rows.
struct OctaveSpectrum {
    BandSpectrum values;
    std::size_t bandRows = 0;
    std::size_t rows = 0;
    std::vector<double> centres;
    double blockTotal = kMissingValue; ///< of the marked octaves, when the choices mark a block
    bool linear = false;
    std::uint16_t unitIndex = 0;
};

/// How many bands an ORLU 545 or 590 channel starts after the lowest first band of
/// the channels of the mask and itself, on the axis of the octave set (1 or 3) they
/// share; 0 in other files. The view's selected channel is kept.
int ChannelBandOffset(CTmDoc& doc, int channel, std::uint16_t mask, int octave);

/// The spectrum as the 1/1-octave view shows it; nothing when it cannot be read or the
/// model has no octave rows.
std::optional<OctaveSpectrum> ReadOctaves(CTmDoc& doc, const SpectrumRef& ref, const OctaveChoices& choices);

/// The 1/1-octave text form: octave spectra as stored, third octaves folded into whole
/// octaves, with the rows of the instrument's model; lines are cleared first. False when
/// the document has no spectra these forms read.
bool TextOctave11(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices);

/// The 1/1-octave table form, appended to the lines; sets content to 2. As the 1/3-octave
/// table, with the rows of the 1/1-octave text form.
bool TableOctave11(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                   const TableOutputOptions& options);

/// The 1/3-octave text form; lines are cleared first. False when the document has no
/// third-octave spectra these forms read (nothing is added then).
bool TextOctave13(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices);

/// The 1/3-octave table form, appended to the lines; sets content to 2. Several spectra
/// (all records, all files) are staged in a scratch file and written as a cross table; a
/// scratch file that cannot be made or written gives "Could not create temporary file."
/// and no table. False when nothing could be shown.
bool TableOctave13(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                   const TableOutputOptions& options);

} // namespace orlu
