#include "FourChannelSpectrumOption.h"

#include "SpectrumShape.h"

#include <cstdlib>
#include <sstream>

namespace orlu::tools {
namespace {

constexpr std::uint16_t kFunctionOctaves = 2, kFunctionThirdOctaves = 3, kFunctionFft = 6;

// "CH=BANDS,TOTALS,LEVEL" of a file of `channels` channels.
bool ParseChannel(const std::string& text, long channels, int& channel,
                  orlu::fixture::FourChannelSpec::ChannelSpectrum& out)
{
    const char* p = text.c_str();
    char* end = nullptr;
    const long ch = std::strtol(p, &end, 10);
    if (end == p || *end != '=' || ch < 1 || ch > channels)
        return false;
    const std::optional<SpectrumShape> shape = ParseSpectrumShape(end + 1);
    if (!shape)
        return false;
    channel = static_cast<int>(ch - 1);
    out.bands = shape->bands;
    out.extras = shape->trailing;
    out.tenths = shape->tenths;
    return true;
}

} // namespace

bool ApplyFourChannelSpectra(const std::string& option, orlu::fixture::FourChannelSpec& spec)
{
    if (option.empty())
        return true;
    if (spec.function != kFunctionOctaves && spec.function != kFunctionThirdOctaves)
        return false;
    std::istringstream parts(option);
    std::string part;
    while (std::getline(parts, part, '/')) {
        int channel = 0;
        orlu::fixture::FourChannelSpec::ChannelSpectrum s;
        if (!ParseChannel(part, static_cast<long>(spec.channels.size()), channel, s))
            return false;
        spec.channelSpectra[channel] = s;
    }
    return true;
}

bool ApplyFourChannelFftLevels(const std::string& option, long rowStep, orlu::fixture::FourChannelSpec& spec)
{
    if (option.empty())
        return rowStep == 0;
    if (spec.function != kFunctionFft || rowStep < -1000 || rowStep > 1000)
        return false;
    spec.fftRowStep = static_cast<std::int16_t>(rowStep);
    std::istringstream parts(option);
    std::string part;
    while (std::getline(parts, part, '/')) {
        const char* p = part.c_str();
        char* end = nullptr;
        const long ch = std::strtol(p, &end, 10);
        if (end == p || *end != '=' || ch < 1 || ch > static_cast<long>(spec.channels.size()))
            return false;
        std::vector<std::int16_t>& levels = spec.fftLevels[static_cast<int>(ch - 1)];
        levels.clear();
        std::istringstream values(end + 1);
        std::string value;
        while (std::getline(values, value, ',')) {
            const char* v = value.c_str();
            char* stop = nullptr;
            const long tenths = std::strtol(v, &stop, 10);
            if (stop == v || *stop != '\0' || tenths < -32768 || tenths > 32767)
                return false;
            levels.push_back(static_cast<std::int16_t>(tenths));
        }
        if (levels.empty())
            return false;
    }
    return true;
}

} // namespace orlu::tools
