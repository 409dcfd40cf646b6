#include "CurrentFftOptions.h"

#include <cmath>
#include <cstdlib>

namespace orlu::tools {
namespace {

bool ReadNumber(const char*& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    if (end == text)
        return false;
    text = end;
    return true;
}

// The FFT block of a spectrum of `lines` lines: twice the smallest power of two not below it.
std::uint32_t BlockOf(std::uint32_t lines)
{
    std::uint32_t p = 1;
    while (p < lines)
        p <<= 1;
    return 2 * p;
}

// Every record of the logger: a leading word, then the spectrum moved by the record's shift.
bool MakeLogger(const CurrentFftOptions& o, fixture::CurrentFileSpec& spec)
{
    if (o.spectra < 1 || o.spectra > 1000000)
        return false;
    std::vector<double> shifts{0.0};
    if (!o.spectraLevels.empty()) {
        shifts.clear();
        const char* text = o.spectraLevels.c_str();
        do {
            double shift = 0;
            if (!ReadNumber(text, shift) || std::fabs(shift) > 300.0)
                return false;
            shifts.push_back(shift);
        } while (*text++ == ',');
        if (text[-1] != '\0')
            return false;
    }
    spec.loggedSpectra.clear();
    for (double shift : shifts) {
        std::vector<std::int16_t> row;
        for (std::int16_t level : spec.fftLevels)
            row.push_back(static_cast<std::int16_t>(level + std::lround(shift * 10.0)));
        spec.loggedSpectra.push_back(std::move(row));
    }
    for (auto& p : spec.profiles)
        p.bufferWord = 0;
    spec.statistics = false;
    spec.histogramClasses = 0;
    spec.spectraInBuffer = 1;
    // A leading word, the lines and the extra line's word, which a row always holds.
    spec.rowWords = static_cast<std::uint16_t>(spec.bands + 2);
    if (o.total.empty())
        for (auto& row : spec.loggedSpectra)
            row.push_back(0);
    spec.rows = static_cast<std::uint32_t>(o.spectra);
    spec.declaredCount = spec.rows;
    spec.events.clear();
    return true;
}

// LINES,FLOOR[,LINE:LEVEL...]: levels in dB, every line at FLOOR but the listed ones.
bool ReadLevels(const std::string& text, std::vector<double>& levels)
{
    const char* at = text.c_str();
    double lines = 0, floor = 0;
    if (!ReadNumber(at, lines) || *at++ != ',' || !ReadNumber(at, floor) || lines < 2 || lines > 6400)
        return false;
    levels.assign(static_cast<std::size_t>(lines), floor);
    while (*at == ',') {
        double line = 0, level = 0;
        ++at;
        if (!ReadNumber(at, line) || *at++ != ':' || !ReadNumber(at, level) || line < 0 || line >= lines)
            return false;
        levels[static_cast<std::size_t>(line)] = level;
    }
    return *at == '\0';
}

// With the exponent word 1 the lines lie the sampling rate / the block apart.
std::uint32_t RateOf(long rangeHz, std::size_t lines)
{
    return static_cast<std::uint32_t>(std::lround(static_cast<double>(rangeHz) / static_cast<double>(lines) *
                                                  BlockOf(static_cast<std::uint32_t>(lines))));
}

std::int16_t Tenths(double level)
{
    return static_cast<std::int16_t>(std::lround(level * 10));
}

} // namespace

bool ApplyCurrentFftOptions(const CurrentFftOptions& o, fixture::CurrentFileSpec& spec)
{
    if (o.spectrum.empty())
        return o.rangeHz == 0 && o.window < 0 && o.total.empty() && o.spectra == 0 && o.spectraLevels.empty() &&
               o.shortBand.empty() && o.shortRangeHz == 0;
    if (!o.total.empty() && o.total != "last")
        return false;
    std::vector<double> levels;
    if (!ReadLevels(o.spectrum, levels) || o.rangeHz < 0 || o.window > 8 || o.shortRangeHz < 0)
        return false;
    const bool tonality = spec.function == 7;
    if (!tonality)
        spec.function = 6;
    spec.spectrum = fixture::CurrentFileSpec::Spectrum::Fft;
    spec.bands = static_cast<std::uint16_t>(levels.size());
    spec.bandExtras = o.total.empty() ? 0 : 1;
    if (o.rangeHz > 0)
        spec.samplingRate = RateOf(o.rangeHz, levels.size());
    if (o.window >= 2)
        spec.fftWindowWord = static_cast<std::uint16_t>(o.window - 2);
    spec.fftLevels.clear();
    double energy = 0.0;
    for (double level : levels) {
        spec.fftLevels.push_back(Tenths(level));
        energy += std::pow(10.0, level / 10.0);
    }
    if (!o.total.empty())
        spec.fftLevels.push_back(static_cast<std::int16_t>(std::lround(100.0 * std::log10(energy))));
    if (!o.shortBand.empty()) {
        std::vector<double> shortLevels;
        if (!tonality || !ReadLevels(o.shortBand, shortLevels))
            return false;
        spec.shortBandLevels.clear();
        for (double level : shortLevels)
            spec.shortBandLevels.push_back(Tenths(level));
        if (o.shortRangeHz > 0)
            spec.shortBandRate = RateOf(o.shortRangeHz, shortLevels.size());
    } else if (o.shortRangeHz != 0) {
        return false;
    }
    return o.spectra == 0 ? o.spectraLevels.empty() : !tonality && MakeLogger(o, spec);
}

} // namespace orlu::tools
