#pragma once
// What a measurement view selects in its document: the sub-file or record it
// steps, the band it stands on, the channels it hands to the renderers. The
// form builders and the View commands share these operations; the document
// decodes the selected sub-file and channel when a view asks it to.

#include "document/CTmDoc.h"
#include "presentation/view/MeasurementViewState.h"

#include <cstdint>

namespace orlu {

/// The band layout of the document's spectra, as the record counting and the
/// octave conversion read it.
struct BandLayout {
    int values = 0;       ///< values per spectrum, totals included (B)
    int octaveBands = 0;  ///< regular 1/1-octave bands (R1)
    int thirdBands = 0;   ///< regular 1/3-octave bands (R3)
    int totals = 0;       ///< total values after the bands (T)
    std::uint16_t documentBandKind = 0;
    bool accelerometer = false; ///< the current channel measures with an accelerometer
    bool fourChannel = false;
};

/// A 1/3-octave band index in the 1/1-octave set: the regular bands by their
/// centre (three to one), the totals at the same distance from the regular bands.
int ToOctaveSet(int index, const BandLayout& bands);
/// A 1/1-octave band index in the 1/3-octave set: the centre band of the three.
int ToThirdOctaveSet(int index, const BandLayout& bands);

/// The band layout of the document's decoded header (all 0 when nothing is decoded).
BandLayout BandLayoutOf(const CTmDoc& doc);

/// Merged documents: Multifiles of legacy (23) and current-family (53 to 60) files.
bool IsMergedDocument(const CTmDoc& doc);
/// A Multifile of ORLU 505 ANALYZER files (24).
bool IsMerged505Document(const CTmDoc& doc);

/// The channels of the document's header (bit k: channel or profile k + 1); 0 when nothing is decoded.
std::uint16_t HeaderChannelMask(const CTmDoc& doc);
/// Channels of the document (the panel slots); 0 when nothing is decoded.
int ChannelCountOf(const CTmDoc& doc);
/// Profiles of the document: the four-channel files count them over all channels.
int ProfileCountOf(const CTmDoc& doc);

/// A new view takes the document's channels, band kind and value count, and
/// stands on the first sub-file of a merged document (stepping its sub-files)
/// or on the whole file; the document decodes that record.
void OpenView(MeasurementViewState& view, CTmDoc& doc);

/// The channels a View command offers and selects: Header info and Main
/// results the header's channels, Settings, Hexa and ASCII none to choose,
/// User's filters none at all; the octave and time-intersection commands
/// take their band set and count its records. Other kinds keep the selection.
void SelectKindChannels(MeasurementViewState& view, const CTmDoc& doc, const ViewCommand& command);

/// Has the document decode the current record or sub-file and select the view's channel.
void LoadCurrentRecord(MeasurementViewState& view, CTmDoc& doc);
/// Merged documents: moves the sub-file into the sub-files that hold the kind
/// shown, then loads it. Other documents: nothing.
void ClampAndLoadSubfile(MeasurementViewState& view, CTmDoc& doc);

/// Sets RecordCount for the band kind shown and moves BandIndex into the band
/// set shown when the octave set changed.
void CountRecords(MeasurementViewState& view, const BandLayout& bands);
/// Moves BandIndex into the document's own octave set and sets BandNumber.
void ConvertOctaveIndex(MeasurementViewState& view, const BandLayout& bands);

/// Makes the lowest selected (else available) channel below the count the
/// only one selected; channel 1 when neither mask holds one.
void SelectFirstChannel(MeasurementViewState& view, int channelCount);
/// From the current channel on, the first available one of `count` becomes
/// the selection; nothing with one channel or none.
void SelectNextChannel(MeasurementViewState& view, int count);
/// As SelectNextChannel over the document's profiles.
void SelectNextProfile(MeasurementViewState& view, int profileCount);

} // namespace orlu
