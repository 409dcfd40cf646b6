#include "monitor/MonitorNames.h"

#include "monitor/MonitorSetupBlock.h"

namespace orlu {
namespace {

constexpr std::string_view kRangesVariantA[] = {"UNDF", "105 dB", "130 dB", "UNDF"};
constexpr std::string_view kRanges[] = {"UNDF", "95 dB", "110 dB", "125 dB", "UNDF", "UNDF", "105 dB", "130 dB", "UNDF"};
constexpr std::string_view kContentsBefore210[] = {"UNDF", "None", "PEAK", "SPL", "LEQ"};
constexpr std::string_view kContents210[] = {"UNDF", "None", "PEAK", "MAX", "RMS"};
constexpr std::string_view kContentsFrom211[] = {"UNDF", "None", "PEAK", "MAX", "MIN", "RMS"};

} // namespace

std::string_view NameAt(std::span<const std::string_view> table, long index, std::string_view outside)
{
    return index >= 0 && static_cast<std::size_t>(index) < table.size() ? table[static_cast<std::size_t>(index)]
                                                                          : outside;
}

std::span<const std::string_view> MonitorRangeNames(const MonitorSetupBlock& setup)
{
    if (setup.DeviceVariant == 1)
        return kRangesVariantA;
    return kRanges;
}

std::span<const std::string_view> MonitorBufferContentsNames(const MonitorSetupBlock& setup)
{
    if (setup.SoftwareVersion < 210)
        return kContentsBefore210;
    if (setup.SoftwareVersion == 210)
        return kContents210;
    return kContentsFrom211;
}

std::string_view MonitorResultLetters(const MonitorSetupBlock& setup)
{
    return setup.SoftwareVersion >= 315 ? "PMNSRU" : "PMNSLU";
}

std::string_view MonitorDetectorName(int code)
{
    return NameAt(kMonitorDetectorNames, static_cast<long>(code) + 1);
}

} // namespace orlu
