#include "AnalyzerSpectrumOption.h"

#include <cmath>
#include <cstdlib>

namespace orlu::tools {
namespace {

constexpr long kMostBands = 44, kMostTrailing = 6;

} // namespace

bool ApplyAnalyzerSpectrum(const std::string& option, orlu::fixture::Analyzer505Spec& spec)
{
    if (option.empty())
        return true;
    if (spec.function != 3 && spec.function != 4)
        return false;
    const char* p = option.c_str();
    char* end = nullptr;
    const long bands = std::strtol(p, &end, 10);
    if (end == p || *end != ',' || bands < 1 || bands > kMostBands)
        return false;
    p = end + 1;
    const long trailing = std::strtol(p, &end, 10);
    if (end == p || *end != ',' || trailing < 0 || trailing > kMostTrailing)
        return false;
    p = end + 1;
    const double level = std::strtod(p, &end);
    if (end == p || *end != '\0' || !std::isfinite(level) || std::fabs(level) > 3000.0)
        return false;
    spec.bands = static_cast<std::uint16_t>(bands);
    spec.values = static_cast<std::uint16_t>(bands + trailing);
    const auto tenths = static_cast<std::int16_t>(std::lround(level * 10.0));
    spec.value = [tenths](std::uint32_t, std::uint32_t, std::uint32_t) { return tenths; };
    return true;
}

} // namespace orlu::tools
