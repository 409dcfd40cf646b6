#pragma once
// The rotation speed the instruments store as a two-word floating number:
//   below firmware 5.05: mantissa = (hi & 0xFF) x 65536 + lo,
//                        exponent = (hi >> 8) - 151;
//   from 5.05:           mantissa = (hi & 0x7F) x 65536 + (lo & 0x7FFF) x 2,
//                        exponent = ((hi >> 8) & 0x7F) - 87;
// the value is a period, so rpm = 60 / (mantissa x 2^exponent).

#include "document/image/PagedFileImage.h"

#include <cstdint>

namespace orlu {

/// Revolutions per minute from the two words (low, then high) at word `wordIndex`;
/// firmware x 100. A mantissa of 0 gives 0.
double DecodeRpm(const ImageReader& image, std::uint32_t wordIndex, std::uint16_t firmware);

/// The same from the two words.
double DecodeRpmWords(std::uint16_t lo, std::uint16_t hi, std::uint16_t firmware);

} // namespace orlu
