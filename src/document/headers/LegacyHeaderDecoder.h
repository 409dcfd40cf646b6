#pragma once
// Decoding the header of a legacy-family file (LegacyHeader.h) from the
// document's image. The decoder reads only through the ImageReader it is
// given, which the document bounds to the sub-file: a block that runs past it
// throws ImageRangeError (or RecordChainError), which the load turns into its
// error, and a block too short for a value leaves the value out.

#include "document/headers/LegacyHeader.h"
#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <optional>

namespace orlu {

/// How a decode ended.
enum class LegacyDecodeStatus : std::uint8_t {
    Decoded,
    UnknownPrefix, ///< word 0 has bit 14 set but is none of kLegacyPrefixWords
    BadChannels,   ///< a multi-channel layout with no channel or more than five
};

/// Decodes the file whose first word is `subfileStart` (kind 3, 10 or a file of a
/// kind-23 Multifile) into `out`, fresh. The document's own steps (the RecordIndex,
/// the channel selection, the buffer histogram) are not taken here.
LegacyDecodeStatus DecodeLegacyHeaderWords(const ImageReader& image, std::uint32_t subfileStart,
                                           std::uint8_t fileKind, LegacyHeader& out);

/// A time step in seconds and the decimals it is shown with.
struct LegacyTimeStep {
    double seconds = 0.0;
    std::uint16_t decimals = 0;
};

/// The step of a "Time constant DELTA_INT" code; nothing for codes above 10.
std::optional<LegacyTimeStep> TimeStepOfCode(std::uint16_t code);

/// The step of the buffer description's words c (a binary fraction, bit 15 = 1/2),
/// d (whole seconds) and b (milliseconds).
LegacyTimeStep TimeStepOfWords(std::uint16_t c, std::uint16_t d, std::uint16_t b);

/// The digits after the decimal point of x printed with "%g", at most 6; 0 when the
/// text has no point (1e-07). Digits of an exponent are not counted.
int CountDecimalsOfG(double x);

} // namespace orlu
