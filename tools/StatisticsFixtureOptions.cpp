#include "StatisticsFixtureOptions.h"

#include "OctaveFixtureOptions.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
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

// Counts of 32 bits; false for anything else.
bool ToCounts(const std::vector<long long>& numbers, std::size_t from, std::vector<std::uint32_t>& counts)
{
    for (std::size_t i = from; i < numbers.size(); ++i) {
        if (numbers[i] < 0 || numbers[i] > std::numeric_limits<std::uint32_t>::max())
            return false;
        counts.push_back(static_cast<std::uint32_t>(numbers[i]));
    }
    return !counts.empty() && counts.size() <= 0xFFFF;
}

// LOWEST,WIDTH,N0,N1,...: a lowest class and width in 16 bits and at least one 32-bit count.
bool ParseHistogram(const std::string& value, std::int16_t& lowest, std::int16_t& width,
                    std::vector<std::uint32_t>& counts)
{
    std::vector<long long> numbers;
    if (!ParseNumbers(value, numbers) || numbers.size() < 3 || !Fits16(numbers[0]) || !Fits16(numbers[1]) ||
        numbers.size() - 2 > 0xFFFF)
        return false;
    if (!ToCounts(numbers, 2, counts))
        return false;
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

bool ApplyBandHistogramsOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec)
{
    std::vector<std::vector<std::uint32_t>> groups;
    std::int16_t lowest = 0, width = 0;
    std::stringstream in(value);
    std::string group;
    while (std::getline(in, group, '/')) {
        std::vector<long long> numbers;
        const std::size_t from = groups.empty() ? 2 : 0;
        if (!ParseNumbers(group, numbers) || numbers.size() <= from)
            return false;
        if (groups.empty()) {
            if (!Fits16(numbers[0]) || !Fits16(numbers[1]))
                return false;
            lowest = static_cast<std::int16_t>(numbers[0]);
            width = static_cast<std::int16_t>(numbers[1]);
        }
        groups.emplace_back();
        if (!ToCounts(numbers, from, groups.back()))
            return false;
    }
    if (groups.empty() || value.back() == '/')
        return false;
    spec.bandHistogramLowest = lowest;
    spec.bandHistogramWidth = width;
    if (spec.histogramClasses == 0) {
        spec.histogramLowest = lowest;
        spec.histogramWidth = width;
        spec.histogramClasses = static_cast<std::uint16_t>(groups.front().size());
        spec.histogramCounts = groups.front();
        spec.histogramProfiles = 1;
    }
    spec.bandHistograms = std::move(groups);
    return true;
}

bool ApplyStoredLevelsOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec)
{
    std::vector<std::pair<std::uint8_t, std::int16_t>> pairs;
    std::stringstream in(value);
    std::string item;
    while (std::getline(in, item, ',')) {
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos || pairs.size() == 10)
            return false;
        char* end = nullptr;
        errno = 0;
        const long p = std::strtol(item.c_str(), &end, 10);
        if (end != item.c_str() + colon || errno != 0 || p < 1 || p > 99)
            return false;
        const std::string level = item.substr(colon + 1);
        const double dB = std::strtod(level.c_str(), &end);
        if (level.empty() || *end != '\0' || !(dB >= -3276.8 && dB <= 3276.7))
            return false;
        pairs.emplace_back(static_cast<std::uint8_t>(p), static_cast<std::int16_t>(std::lround(dB * 10.0)));
    }
    if (pairs.empty() || value.back() == ',')
        return false;
    spec.statistics = true;
    spec.storedLevels = std::move(pairs);
    return true;
}

bool ApplyLegacyHistogramOption(const std::string& value, orlu::fixture::LegacyFileSpec& spec)
{
    orlu::fixture::CurrentFileSpec read;
    if (!ApplyHistogramOption(value, read))
        return false;
    spec.histogramLowest = read.histogramLowest;
    spec.histogramWidth = read.histogramWidth;
    spec.histogramClasses = read.histogramClasses;
    spec.histogramCounts = std::move(read.histogramCounts);
    return true;
}

bool ApplyFourChannelHistogramOption(const std::string& value, int channels, orlu::fixture::FourChannelSpec& spec)
{
    struct Given {
        orlu::fixture::CurrentFileSpec read;
        int channel = 0;
    };
    std::vector<Given> given;
    std::uint16_t mask = 0;
    std::stringstream groups(value);
    std::string group;
    while (std::getline(groups, group, '/')) {
        const std::size_t equals = group.find('=');
        char* end = nullptr;
        const long channel = std::strtol(group.c_str(), &end, 10);
        if (equals == std::string::npos || end != group.c_str() + equals || channel < 1 || channel > channels ||
            (mask & (1u << (channel - 1))))
            return false;
        mask = static_cast<std::uint16_t>(mask | 1u << (channel - 1));
        Given g;
        g.channel = static_cast<int>(channel - 1);
        if (!ApplyHistogramOption(group.substr(equals + 1), g.read))
            return false;
        given.push_back(std::move(g));
    }
    if (given.empty() || value.back() == '/')
        return false;
    // The blocks follow the layouts in channel order.
    std::sort(given.begin(), given.end(), [](const Given& a, const Given& b) { return a.channel < b.channel; });
    spec.histogramMask = mask;
    spec.histogramCounts.clear();
    spec.histogramLayouts.clear();
    for (Given& g : given) {
        spec.histogramLayouts.push_back({g.read.histogramLowest, g.read.histogramWidth});
        spec.histogramCounts.push_back(std::move(g.read.histogramCounts));
    }
    return true;
}

bool ApplyFourChannelBandHistograms(const std::string& value, orlu::fixture::FourChannelSpec& spec)
{
    orlu::fixture::CurrentFileSpec read;
    if ((spec.function != 2 && spec.function != 3) || spec.history != orlu::fixture::FourChannelSpec::History::None ||
        !ApplyBandHistogramsOption(value, read))
        return false;
    const int channels = static_cast<int>(spec.channels.size());
    for (int c = 0; c < channels; ++c) {
        if (!(spec.spectrumMask & (1u << c)))
            continue;
        const auto own = spec.channelSpectra.find(c);
        const std::size_t values = own != spec.channelSpectra.end() ? std::size_t{own->second.bands} + own->second.extras
                                                                    : std::size_t{spec.bands} + spec.bandExtras;
        orlu::fixture::FourChannelSpec::BandHistograms& h = spec.bandHistograms[c];
        h.lowest = read.bandHistogramLowest;
        h.width = read.bandHistogramWidth;
        for (std::size_t v = 0; v < values; ++v) {
            std::vector<std::uint32_t> band = read.bandHistograms[v % read.bandHistograms.size()];
            band.resize(read.bandHistograms.front().size(), 0);
            h.bands.push_back(std::move(band));
        }
    }
    return true;
}

std::optional<std::vector<orlu::fixture::MultifileMember>> MembersWithOptions(const std::string& value)
{
    std::vector<orlu::fixture::MultifileMember> members;
    std::stringstream groups(value);
    std::string group;
    while (std::getline(groups, group, '|')) {
        orlu::fixture::CurrentFileSpec spec;
        spec.name = "FILE" + std::to_string(members.size() + 1);
        std::stringstream words(group);
        std::vector<std::string> tokens;
        for (std::string word; words >> word;)
            tokens.push_back(word);
        OctaveFixtureOptions octave;
        std::string histogram, bands, stored;
        for (std::size_t i = 0; i < tokens.size(); i += 2) {
            if (i + 1 >= tokens.size())
                return std::nullopt;
            const std::string& name = tokens[i];
            const std::string& text = tokens[i + 1];
            if (name == "--function") {
                char* end = nullptr;
                const long function = std::strtol(text.c_str(), &end, 10);
                if (*end != '\0' || function < 0 || function > 0xFFFF)
                    return std::nullopt;
                spec.function = static_cast<std::uint16_t>(function);
            } else if (name == "--spectrum") {
                octave.spectrum = text;
            } else if (name == "--histogram") {
                histogram = text;
            } else if (name == "--band-histograms") {
                bands = text;
            } else if (name == "--stored-levels") {
                stored = text;
            } else {
                return std::nullopt;
            }
        }
        // The broadband histogram first: band statistics only add one when it is missing.
        if ((octave.Any() && !ApplyOctaveFixtureOptions(octave, spec)) ||
            (!histogram.empty() && !ApplyHistogramOption(histogram, spec)) ||
            (!bands.empty() && !ApplyBandHistogramsOption(bands, spec)) ||
            (!stored.empty() && !ApplyStoredLevelsOption(stored, spec)))
            return std::nullopt;
        members.push_back({spec.name, orlu::fixture::CurrentMeasurementFile(spec)});
    }
    if (members.empty() || value.back() == '|')
        return std::nullopt;
    return members;
}

} // namespace orlu::tools
