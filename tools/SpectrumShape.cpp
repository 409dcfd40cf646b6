#include "SpectrumShape.h"

#include <cmath>
#include <cstdlib>

namespace orlu::tools {
namespace {

constexpr long kMostBands = 44, kMostTrailing = 6;

} // namespace

std::optional<SpectrumShape> ParseSpectrumShape(const char* text)
{
    const char* p = text;
    char* end = nullptr;
    const long bands = std::strtol(p, &end, 10);
    if (end == p || *end != ',' || bands < 1 || bands > kMostBands)
        return std::nullopt;
    p = end + 1;
    const long trailing = std::strtol(p, &end, 10);
    if (end == p || *end != ',' || trailing < 0 || trailing > kMostTrailing)
        return std::nullopt;
    p = end + 1;
    const double level = std::strtod(p, &end);
    if (end == p || *end != '\0' || !std::isfinite(level) || std::fabs(level) > 3000.0)
        return std::nullopt;
    return SpectrumShape{static_cast<std::uint16_t>(bands), static_cast<std::uint16_t>(trailing),
                         static_cast<std::int16_t>(std::lround(level * 10.0))};
}

} // namespace orlu::tools
