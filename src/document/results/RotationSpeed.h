#pragma once
// Rotation speeds are stored as two-word device reals: a mantissa and a
// binary exponent, laid out differently from firmware 5.05 on.

#include "document/image/PagedFileImage.h"

#include <cstdint>

namespace orlu {

/// Revolutions per minute from the device real at `word` (low word first); 0 for a zero mantissa.
double DecodeRpm(const ImageReader& image, std::uint32_t word, std::uint16_t firmware);

} // namespace orlu
