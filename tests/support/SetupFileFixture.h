#pragma once
// Remote-control setup files (.ocf) written byte by byte from their layout:
// six 32-bit little-endian values, the serial number and software version as
// length-prefixed texts, then 17 ANALYZER-mode and 10 METER-mode values.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlu::fixture {

struct SetupFileFields {
    /// Field name and value, in file order; the defaults of a fresh record.
    std::vector<std::pair<std::string, std::int32_t>> values{
        {"UnitVersion", 1}, {"Mode", 0}, {"StartStop", 1}, {"MicPolarization", 1}, {"Calibration", 1},
        {"SoundBeep", 1},
        {"AnFunction", 1}, {"SLines", 1}, {"Record", 1}, {"Window", 1}, {"Averaging", 1},
        {"AveragingNumber", 2}, {"AnRmsAveraging", 1}, {"AnDeltaIntegr", 1}, {"AnInput", 1}, {"AnRange", 1},
        {"Band", 1}, {"AnFilter", 1}, {"Trigger", 1}, {"TriggerLevel", 0}, {"TriggerDelay", 0}, {"Zoom", 0},
        {"CFreq", 2},
        {"MetFunction", 1}, {"AutoRepeat", 0}, {"MetRmsAveraging", 1}, {"IntegrationTime", 1},
        {"IntegrationTimeUnit", 1}, {"MetDeltaIntegr", 1}, {"MetInput", 1}, {"MetRange", 1}, {"MetFilter", 1},
        {"AutoRange", 0}};
    std::string serialNumber;
    std::string softwareVersion;

    /// Sets a field by name ("SerialNumber" and "SoftwareVersion" take the
    /// text); false for an unknown name or a value that is no number.
    bool Assign(std::string_view name, std::string_view value);
};

/// The file: texts shorter than 255 bytes in the one-byte form, longer ones
/// with 0xFF and a 16-bit length, from 0xFFFE bytes 0xFF 0xFFFF and a 32-bit length.
std::vector<std::uint8_t> SetupFileBytes(const SetupFileFields& fields);

} // namespace orlu::fixture
