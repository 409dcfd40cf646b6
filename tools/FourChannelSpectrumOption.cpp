#include "FourChannelSpectrumOption.h"

#include "SpectrumShape.h"

#include <cstdlib>
#include <sstream>

namespace orlu::tools {
namespace {

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

} // namespace orlu::tools
