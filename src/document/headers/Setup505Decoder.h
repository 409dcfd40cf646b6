#pragma once
// Decoding the setup header of an ORLU 505 ANALYZER-mode file into a
// Setup505. The decoder only reads the image, every word through the checked
// reader and inside the sub-file; what it needs of memory (FFT workspace,
// reverberation records, the RecordIndex) the document takes afterwards.

#include "document/headers/Setup505.h"
#include "document/image/PagedFileImage.h"
#include "document/records/RecordLocators.h"

namespace orlu {

/// How a four-channel probe file's header places its channel table.
struct ProbeTableLayout {
    bool valid = false;            ///< false: the header length and function have no table
    std::uint16_t modeWord = 0;    ///< header word holding the channel mode; 0 when the length fixes it
    std::uint16_t mode = 0;        ///< the mode fixed by the length (52: 1, 17: 2)
    std::uint16_t table = 0;       ///< header word of the table
    std::uint16_t minimumLength = 0; ///< header length the mode word needs
};

/// The table layout of a four-channel header of `headerLength` words and measurement function `function`.
ProbeTableLayout FindProbeTableLayout(std::uint16_t headerLength, std::uint16_t function);

/// Decodes the setup header of the sub-file `sub` into `s`. `eVersion` is the
/// document's E-version byte (its sub-kind); s.eVersion says whether the file
/// needs the E version's formulas. False when the file cannot be shown: a
/// header shorter than its words or its channel table, a four-channel file of
/// a function other than 1 to 4, band counts the values per spectrum cannot
/// hold, or an FFT setup of no samples.
bool DecodeSetup505Header(const ImageReader& image, SubfileSpan sub, bool eVersion, Setup505& s);

} // namespace orlu
