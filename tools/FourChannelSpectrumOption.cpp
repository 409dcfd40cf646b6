#include "FourChannelSpectrumOption.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace orlu::tools {
namespace {

constexpr long kMostBands = 44, kMostTrailing = 6;
constexpr std::uint16_t kFunctionOctaves = 2, kFunctionThirdOctaves = 3;

// "CH=BANDS,TOTALS,LEVEL" of a file of `channels` channels.
bool ParseChannel(const std::string& text, long channels, int& channel,
                  orlu::fixture::FourChannelSpec::ChannelSpectrum& out)
{
    const char* p = text.c_str();
    char* end = nullptr;
    const long ch = std::strtol(p, &end, 10);
    if (end == p || *end != '=' || ch < 1 || ch > channels)
        return false;
    p = end + 1;
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
    channel = static_cast<int>(ch - 1);
    out.bands = static_cast<std::uint16_t>(bands);
    out.extras = static_cast<std::uint16_t>(trailing);
    out.tenths = static_cast<std::int16_t>(std::lround(level * 10.0));
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

} // namespace orlu::tools
