#pragma once
// What the statistics cross tables show, gathered from the document: per
// channel, profile or sub-file its label, its lowest class and its class
// counts (or the levels the file stores), with the caption and the class
// layout of the table. The counts are found where each family keeps them:
//
//   current family       record 9 of the sub-file: the counts of profile F
//                        start the definition's length + 2 words after it,
//                        F strides later (the stride is the word before),
//                        when a counts record of the first one's type stands
//                        there; band n of record 19 likewise; a logger's histogram
//                        is counted from its rows
//   four-channel files   the block of channel F after the head of record 18;
//                        band n from channel F's block of record 21, which
//                        also gives the band classes
//   ORLU 505 (METER)     the histogram block after the header blocks; a
//                        single-channel buffer's histogram as the decode built it
//   Multifiles           without a channel mask the elements are the
//                        sub-files whose content bits share one with the
//                        function mask, each decoded in turn
//
// Every count lies inside its sub-file: counts that would run past it, a
// record that is missing or a sub-file that does not decode give an element
// without counts, which the tables show as 0 in every class.
//
// MONITOR files keep their statistics per station record; the document does
// not decode them yet, so a MONITOR document gives no elements here. The
// station's record stamp and per-profile counts belong in this file once it does.
//
// Collecting makes each element current in turn; the document's decoded
// sub-file and selected channel are restored afterwards.

#include "document/records/RecordLocators.h"
#include "reports/table/StatisticsCrossTables.h"

#include <cstdint>
#include <optional>
#include <span>

namespace orlu {

class CTmDoc;
class MultiSpectrumMatrix;

/// Which elements a statistics cross table shows.
struct StatElementChoice {
    /// The channels (profiles) shown, bit 0 = channel 1; 0: the sub-files of a Multifile.
    std::uint16_t channelMask = 0;
    /// Without a mask: the channel (profile) whose histogram each sub-file gives, from 0.
    int channel = 0;
    /// 0 the broadband histogram; n the octave band n of the band statistics.
    int band = 0;
    /// Without a mask: 7 the histograms, other bits the band statistics a sub-file must hold.
    std::uint16_t functionMask = 7;
    /// With a mask: the sub-file the channels are read from (0 a single file).
    int fileOrRecord = 0;
    ClassBlock block;
};

/// The elements of a histograms cross table, its caption ("Histograms:" with what
/// the document adds) and its class layout.
StatCrossTable CollectHistogramElements(CTmDoc& doc, const StatElementChoice& choice);

/// The same elements under the densities caption.
StatCrossTable CollectDensityElements(CTmDoc& doc, const StatElementChoice& choice);

/// The densities of the shown classes of every element, one column per element,
/// as WriteDensitiesCrossTable reads them. False when the matrix cannot take them.
bool StageDensities(const StatCrossTable& table, MultiSpectrumMatrix& densities);

/// The channels of the mask as the columns of a levels cross table, under the
/// document's percentages: each computes its levels from its counts, or takes the
/// levels the file stores where a current-family file has no histogram.
LevelsCrossTable CollectLevelColumns(CTmDoc& doc, const StatElementChoice& choice);

/// The levels a current-family file stores for channel (profile) f of sub-file n (0: a
/// single file), with the percentages the file gives them; nothing when it stores none,
/// or the sub-file does not decode. The document's selection is restored.
std::optional<StatisticalLevels> ReadStoredLevels(CTmDoc& doc, int n, int f);

} // namespace orlu
