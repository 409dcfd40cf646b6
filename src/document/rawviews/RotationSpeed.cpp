#include "document/rawviews/RotationSpeed.h"

#include <cmath>

namespace orlu {

double DecodeRpmWords(std::uint16_t lo, std::uint16_t hi, std::uint16_t firmware)
{
    std::uint32_t mantissa;
    int exponent;
    if (firmware < 505) {
        mantissa = (hi & 0xFFu) * 65536u + lo;
        exponent = (hi >> 8) - 23 - 128;
    } else {
        mantissa = (hi & 0x7Fu) * 65536u + (lo & 0x7FFFu) * 2u;
        exponent = ((hi >> 8) & 0x7F) - 23 - 64;
    }
    if (mantissa == 0)
        return 0.0;
    return 60.0 / std::ldexp(static_cast<double>(mantissa), exponent);
}

double DecodeRpm(const ImageReader& image, std::uint32_t wordIndex, std::uint16_t firmware)
{
    return DecodeRpmWords(image.Word(wordIndex), image.Word(wordIndex + 1), firmware);
}

} // namespace orlu
