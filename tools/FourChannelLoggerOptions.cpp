#include "FourChannelLoggerOptions.h"

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <string_view>

namespace orlu::tools {
namespace {

using orlu::fixture::FourChannelSpec;

// A number of the list ("0x" for hexadecimal) within min..max.
bool Whole(std::string_view text, long min, long max, long& value)
{
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtol(s.c_str(), &end, 0);
    return !s.empty() && *end == '\0' && errno == 0 && value >= min && value <= max;
}

// "v,v,..." each through item; false for an empty list or an item refused.
bool Items(std::string_view text, const std::function<bool(std::string_view)>& item)
{
    while (true) {
        const std::size_t comma = std::min(text.find(','), text.size());
        if (!item(text.substr(0, comma)))
            return false;
        if (comma == text.size())
            return true;
        text.remove_prefix(comma + 1);
    }
}

// "[CH=]list/[CH=]list...": each list with its channel (from 0; channel 1 when not named).
bool Groups(std::string_view text, long channels, const std::function<bool(long, std::string_view)>& group)
{
    while (true) {
        const std::size_t slash = std::min(text.find('/'), text.size());
        std::string_view list = text.substr(0, slash);
        long channel = 1;
        if (const std::size_t equals = list.find('='); equals != std::string_view::npos) {
            if (!Whole(list.substr(0, equals), 1, channels, channel))
                return false;
            list.remove_prefix(equals + 1);
        }
        if (!group(channel - 1, list))
            return false;
        if (slash == text.size())
            return true;
        text.remove_prefix(slash + 1);
    }
}

} // namespace

bool FourChannelLoggerValues(const std::string& levels, const std::string& rpm, const std::string& samples,
                             FourChannelSpec& spec)
{
    const bool logger = spec.history == FourChannelSpec::History::Logger;
    const bool recording = spec.history == FourChannelSpec::History::Waveform;
    const auto channels = static_cast<long>(spec.channels.size());
    if ((!levels.empty() && !logger) || (!samples.empty() && !recording) ||
        (!rpm.empty() && (spec.rotationInBuffer == 0 || spec.history == FourChannelSpec::History::None)))
        return false;
    if (!levels.empty() && !Groups(levels, channels, [&](long channel, std::string_view list) {
            FourChannelSpec::ChannelLevels l{static_cast<std::uint16_t>(channel), {}, {}};
            return Items(list, [&](std::string_view item) {
                       const bool overload = !item.empty() && item.back() == '!';
                       long value = 0;
                       if (!Whole(overload ? item.substr(0, item.size() - 1) : item, -16384, 16383, value))
                           return false;
                       l.tenths.push_back(static_cast<std::int16_t>(value));
                       l.overload.push_back(overload);
                       return true;
                   }) &&
                   (spec.channelLevels.push_back(std::move(l)), true);
        }))
        return false;
    if (!samples.empty() && !Groups(samples, channels, [&](long channel, std::string_view list) {
            FourChannelSpec::ChannelSamples s{static_cast<std::uint16_t>(channel), {}};
            return Items(list, [&](std::string_view item) {
                       long value = 0;
                       if (!Whole(item, -0x800000, 0xFFFFFF, value))
                           return false;
                       s.values.push_back(static_cast<std::int32_t>(value));
                       return true;
                   }) &&
                   (spec.samples.push_back(std::move(s)), true);
        }))
        return false;
    if (!rpm.empty() && !Items(rpm, [&](std::string_view item) {
            const std::string s(item);
            char* end = nullptr;
            const double value = std::strtod(s.c_str(), &end);
            if (s.empty() || *end != '\0' || !(value >= 0.0 && value <= 1e6))
                return false;
            spec.rpm.push_back(value);
            return true;
        }))
        return false;
    return true;
}

} // namespace orlu::tools
