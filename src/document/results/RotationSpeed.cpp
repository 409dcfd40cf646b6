#include "document/results/RotationSpeed.h"

#include <cmath>

namespace orlu {

double DecodeRpm(const ImageReader& image, std::uint32_t word, std::uint16_t firmware)
{
    const std::uint32_t lo = image.Word(word);
    const std::uint32_t hi = image.Word(word + 1);
    double mantissa = 0;
    int exponent = 0;
    if (firmware < 505) {
        mantissa = (hi & 0xFF) * 65536.0 + lo;
        exponent = static_cast<int>(hi >> 8) - 23 - 128;
    } else {
        mantissa = (hi & 0x7F) * 65536.0 + (lo & 0x7FFF) * 2.0;
        exponent = static_cast<int>((hi >> 8) & 0x7F) - 23 - 64;
    }
    return mantissa == 0 ? 0.0 : 60.0 / std::ldexp(mantissa, exponent);
}

} // namespace orlu
