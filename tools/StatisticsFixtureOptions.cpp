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

// LOWEST,WIDTH,N0,N1,...: a lowest class and width in 16 bits and at least one 32-bit count.
bool ParseHistogram(const std::string& value, std::int16_t& lowest, std::int16_t& width,
                    std::vector<std::uint32_t>& counts)
{
    std::vector<long long> numbers;
    if (!ParseNumbers(value, numbers) || numbers.size() < 3 || !Fits16(numbers[0]) || !Fits16(numbers[1]) ||
        numbers.size() - 2 > 0xFFFF)
        return false;
    for (std::size_t i = 2; i < numbers.size(); ++i) {
        if (numbers[i] < 0 || numbers[i] > std::numeric_limits<std::uint32_t>::max())
            return false;
        counts.push_back(static_cast<std::uint32_t>(numbers[i]));
    }
    lowest = static_cast<std::int16_t>(numbers[0]);
    width = static_cast<std::int16_t>(numbers[1]);
    return true;
}

} // namespace

bool ApplyHistogramOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec)
{
    std::vector<std::uint32_t> counts;
    if (!ParseHistogram(value, spec.histogramLowest, spec.histogramWidth, counts))
        return false;
    spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
    spec.histogramCounts = std::move(counts);
    spec.histogramProfiles = 1;
    return true;
}

bool ApplyUserFilterOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec)
{
    std::stringstream in(value);
    std::string item;
    while (std::getline(in, item, '/')) {
        const std::size_t comma = item.find(',');
        std::vector<long long> numbers;
        if (comma == 0 || comma == std::string::npos || comma > 6 || !ParseNumbers(item.substr(comma + 1), numbers))
            return false;
        orlu::fixture::CurrentFileSpec::UserFilter filter{item.substr(0, comma), {}};
        for (long long level : numbers) {
            if (!Fits16(level))
                return false;
            filter.levels.push_back(static_cast<std::int16_t>(level));
        }
        spec.userFilters.push_back(std::move(filter));
    }
    return !spec.userFilters.empty() && value.back() != '/';
}

bool ApplyAnalyzerBandHistograms(const std::string& value, orlu::fixture::Analyzer505Spec& spec)
{
    std::vector<std::uint32_t> counts;
    if (!ParseHistogram(value, spec.histogramLowest, spec.histogramWidth, counts))
        return false;
    spec.histogram = true;
    spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
    spec.histogramCount32 = [counts](std::uint32_t, std::uint32_t k) { return counts[k]; };
    return true;
}

} // namespace orlu::tools
