#include "DecayFixtureOption.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orlu::tools {

bool ApplyDecayOption(const std::string& text, fixture::Analyzer505Spec& spec)
{
    std::vector<double> numbers;
    const char* at = text.c_str();
    while (*at) {
        char* end = nullptr;
        const double value = std::strtod(at, &end);
        if (end == at || !std::isfinite(value) || value < -3000.0 || value > 3000.0)
            return false;
        numbers.push_back(value);
        at = end;
        if (*at == ',')
            ++at;
        else if (*at)
            return false;
    }
    if (numbers.size() < 2 || numbers.size() > 3)
        return false;
    const double level = numbers[0], fall = numbers[1], floor = numbers.size() > 2 ? numbers[2] : 0.0;
    spec.value = [level, fall, floor](std::uint32_t r, std::uint32_t, std::uint32_t) {
        const double db = std::max(floor, r <= 2 ? level : level - fall * static_cast<double>(r - 2));
        return static_cast<std::int16_t>(std::lround(std::clamp(db, -3000.0, 3000.0) * 10.0));
    };
    return true;
}

} // namespace orlu::tools
