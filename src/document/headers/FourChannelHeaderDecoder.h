#pragma once
// The header decoder of ORLU 545 and 590 files, in the two phases the
// document runs around the logger split:
//
//   DecodeFourChannelMeasurement  records 3 and 4, the channel and profile
//                                 records, the vector (30), dose (31) and
//                                 spectrum-channel (34) settings and the time
//                                 history: logger 24 with its descriptor
//                                 records, or recording 43
//   DecodeFourChannelContents     what depends on the split: spectra counts,
//                                 buffer histograms, and without a time history
//                                 the spectrum setups per channel, the RT60
//                                 records and the histogram layouts
//
// Records 1 and 2 are read by DecodeIdentity (CurrentHeaderDecoder.h). Both
// phases return false for a header the program cannot show.

#include "document/headers/CurrentHeader.h"
#include "document/records/RecordLocators.h"

namespace orlu {

/// Records 3 to 6, 30, 31, 34 and the buffer record. False for a channel
/// count of 0 or above 4, a profile count above 3 per channel, channel or
/// profile blocks that do not fit their record, a buffer record too short
/// for its counts, an unknown sampling-rate index, or logger descriptor
/// records that are not understood or do not end at the data.
bool DecodeFourChannelMeasurement(const ImageReader& image, SubfileSpan sub, CurrentHeader& h);

/// The rest of the header, read after the logger split. False when a
/// channel's spectrum record is missing or a per-channel block does not fit.
bool DecodeFourChannelContents(const ImageReader& image, SubfileSpan sub, CurrentHeader& h);

} // namespace orlu
