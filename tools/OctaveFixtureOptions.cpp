#include "OctaveFixtureOptions.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace orlu::tools {
namespace {

constexpr std::size_t kMostValues = 50; // 44 bands and 6 totals

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(text.substr(start, comma - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool Number(const std::string& text, double& out)
{
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(out);
}

// A level in dB as the file's word of 0.1 dB.
bool Tenths(const std::string& text, std::int16_t& out)
{
    double db = 0;
    if (!Number(text, db) || std::fabs(db) > 3000.0)
        return false;
    out = static_cast<std::int16_t>(std::lround(db * 10.0));
    return true;
}

} // namespace

bool ApplyOctaveFixtureOptions(const OctaveFixtureOptions& options, orlu::fixture::CurrentFileSpec& spec)
{
    if (!options.Any())
        return true;
    if (options.spectrum.empty() || (spec.function != 2 && spec.function != 3))
        return false;
    const std::vector<std::string> parts = Split(options.spectrum);
    double bands = 0, totals = 0;
    std::int16_t level = 0;
    if (parts.size() < 3 || !Number(parts[0], bands) || !Number(parts[1], totals) || !Tenths(parts[2], level) ||
        bands < 1 || totals < 0 || bands + totals > kMostValues || bands != std::floor(bands) ||
        totals != std::floor(totals))
        return false;
    const auto count = static_cast<std::size_t>(bands + totals);
    std::vector<std::int16_t> levels(count, level);
    for (std::size_t k = 3; k < parts.size(); ++k) {
        const std::size_t colon = parts[k].find(':');
        double index = 0;
        if (colon == std::string::npos || !Number(parts[k].substr(0, colon), index) || index < 0 ||
            index >= static_cast<double>(count) || !Tenths(parts[k].substr(colon + 1), levels[static_cast<std::size_t>(index)]))
            return false;
    }
    const bool octaves = spec.function == 2;
    spec.bands = static_cast<std::uint16_t>(bands);
    spec.bandExtras = static_cast<std::uint16_t>(totals);
    // The lowest band in 0.1 Hz: 31.5 Hz for octaves, 20 Hz for thirds (the usual ranges).
    spec.lowestBand = octaves ? 315 : 200;
    if (options.spectra > 0) {
        if (options.minMax || options.spectraLevels.empty() || options.spectra > 10000000)
            return false;
        std::vector<std::int16_t> logged;
        for (const std::string& l : Split(options.spectraLevels)) {
            logged.emplace_back();
            if (!Tenths(l, logged.back()))
                return false;
        }
        for (auto& p : spec.profiles)
            p.bufferWord = 0;
        spec.statistics = false;
        spec.histogramClasses = 0;
        spec.spectraInBuffer = 1;
        spec.rowWords = static_cast<std::uint16_t>(count + 1); // a leading word, then the values
        spec.rows = static_cast<std::uint32_t>(options.spectra);
        spec.declaredCount = spec.rows;
        spec.events.clear();
        spec.loggedSpectrumLevels = std::move(logged);
        return true;
    }
    if (!options.spectraLevels.empty() || spec.rows != 0)
        return false;
    spec.spectrum = octaves ? orlu::fixture::CurrentFileSpec::Spectrum::Octave
                            : orlu::fixture::CurrentFileSpec::Spectrum::ThirdOctave;
    spec.spectrumLevels = levels;
    if (options.minMax) {
        for (std::int16_t& v : levels)
            v = static_cast<std::int16_t>(v - 100);
        spec.minSpectrumLevels = levels;
        for (std::int16_t& v : levels)
            v = static_cast<std::int16_t>(v + 200);
        spec.maxSpectrumLevels = levels;
    }
    return true;
}

} // namespace orlu::tools
