#pragma once
// Where every statistics form gets a histogram: the counts, class layout and
// total of one channel (profile) of a file or sub-file, broadband or of one
// octave band, wherever the file family keeps them (stored records 9 and 19,
// the channel blocks of a four-channel file, the histogram built from a time
// history, the histogram block of an ORLU 505 file). The element reader of the
// statistics cross tables finds them, so both show the same counts.
//
// Every read is checked: counts that would run past the sub-file, a record that
// is missing or a class width of 0 give a histogram without classes. The
// document's decoded sub-file and selected channel are restored afterwards.

#include "analysis/statistics/Histogram.h"

namespace orlu {

class CTmDoc;

/// Which histogram a form shows.
struct HistogramPlace {
    int subfile = 0; ///< the sub-file of a Multifile, 0 for a single file
    int channel = 0; ///< channel or profile, from 0
    int band = 0;    ///< 0 broadband, n the octave band n
};

/// The histogram at the place; no classes when the file holds none there.
Histogram ReadHistogram(CTmDoc& doc, const HistogramPlace& place);

} // namespace orlu
