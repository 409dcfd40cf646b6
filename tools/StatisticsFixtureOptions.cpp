#include "StatisticsFixtureOptions.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <vector>

namespace orlu::tools {
namespace {

// Comma-separated whole numbers; false for anything else.
bool ParseNumbers(const std::string& text, std::vector<long long>& out)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || errno != 0)
            return false;
        out.push_back(value);
    }
    return !text.empty() && text.back() != ',';
}

bool Fits16(long long v)
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

bool ApplyHistogramOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec)
{
    std::vector<long long> numbers;
    if (!ParseNumbers(value, numbers) || numbers.size() < 3 || !Fits16(numbers[0]) || !Fits16(numbers[1]) ||
        numbers.size() - 2 > 0xFFFF)
        return false;
    std::vector<std::uint32_t> counts;
    for (std::size_t i = 2; i < numbers.size(); ++i) {
        if (numbers[i] < 0 || numbers[i] > std::numeric_limits<std::uint32_t>::max())
            return false;
        counts.push_back(static_cast<std::uint32_t>(numbers[i]));
    }
    spec.histogramLowest = static_cast<std::int16_t>(numbers[0]);
    spec.histogramWidth = static_cast<std::int16_t>(numbers[1]);
    spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
    spec.histogramCounts = std::move(counts);
    spec.histogramProfiles = 1;
    return true;
}

} // namespace orlu::tools
