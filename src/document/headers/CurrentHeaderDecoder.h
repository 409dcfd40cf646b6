#pragma once
// The header decoder of current-family files, in the three phases the
// document runs with its own steps between them (version gate, chain check,
// statistical levels, logger split, reverberation records):
//
//   DecodeIdentity     records 1 and 2: names, device, firmware, ModelFlags
//   DecodeMeasurement  records 3, 4, 5, 33 and the buffer header 15 with the
//                      declared record count and the buffer row length
//   DecodeContents     what depends on the logger having been split: spectra
//                      counts, bands, FFT, histograms, user filters, names
//
// Each phase writes only into the CurrentHeader it is given, which the
// document makes fresh for every decode.

#include "document/headers/CurrentHeader.h"
#include "document/records/RecordLocators.h"

namespace orlu {

/// The chain flags the locators need for a decoded header.
ChainFlags ChainFlagsOf(const CurrentHeader& header);

/// Records 1 and 2. False when the sub-file cannot hold a header (it starts
/// past the image, record 1 has length 1 or 0, a record runs past the image).
bool DecodeIdentity(const ImageReader& image, SubfileSpan sub, CurrentHeader& out);

/// Records 3 to 5, 33 and 15 of other (not four-channel) files. False when
/// the device type belongs to no group with range names, or the buffer
/// header is too short to hold its counts.
bool DecodeMeasurement(const ImageReader& image, SubfileSpan sub, CurrentHeader& out);

/// The rest of the header, read after the logger split. recordIndexCount is
/// the number of records the split kept (declared counts are replaced by it
/// when they differed).
void DecodeContents(const ImageReader& image, SubfileSpan sub, CurrentHeader& out);

/// The 1/3-octave and 1/1-octave band counts the reverberation records of a
/// header need; both 0 when the file holds no reverberation spectra.
struct RtBandNeed {
    std::uint32_t thirdBands = 0;
    std::uint32_t octaveBands = 0;
};
RtBandNeed RtBandsNeeded(const CurrentHeader& header);

} // namespace orlu
