#pragma once
// Previous and Next of a measurement view: whether they are enabled, and
// what they step. Without Shift or Ctrl they step the record or sub-file
// the view stands on, staying inside the sub-files that hold the kind
// shown; with Shift or Ctrl on a Multifile's octave statistics and logged
// octave spectra they step the level record, band or spectrum record
// instead. In the reverberation procedure they step the band.

#include "document/Subfiles.h"
#include "presentation/view/GraphControlFields.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>

namespace orlu {

class CTmDoc;

/// The reverberation band range of a band set.
struct RtBandRange {
    int first = 0;
    int last = 0;
    int after = 0; ///< the band after the range (its total)
};

/// What stepping reads of the document.
struct StepFacts {
    std::uint8_t fileKind = 0;
    std::uint8_t modelFlags = 0; ///< bit k - 1 for model flag k
    std::uint16_t deviceFunction = 0;
    int spectrumRecords = 0;
    bool file505 = false;
    bool timeHistory = false;
    bool rt60 = false;           ///< the document holds reverberation times
    int statisticsBands = 0;     ///< bands of the octave-band statistics
    std::array<RtBandRange, 2> rt{}; ///< [0] 1/1-octave bands, [1] 1/3-octave bands
    SubfileContents contents;    ///< per sub-file kind bits and the range of each kind
    int subfileCount = 0;
};

/// The facts of a loaded document.
StepFacts StepFactsOf(const CTmDoc& doc);

/// Shift or Ctrl steps the level record, band or spectrum record instead of the sub-file.
bool IsMultiStep(const MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys);

/// The enable states of Previous and Next; both are also kept in the view's Control fields.
bool UpdatePrevious(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys);
bool UpdateNext(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys);

/// One step back or on. True when something moved and the form must be built again.
bool ShowPrevious(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys);
bool ShowNext(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys);

} // namespace orlu
