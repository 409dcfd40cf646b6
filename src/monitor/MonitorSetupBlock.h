#pragma once
// The setup block of a MONITOR stream ("#1...;"): the instrument inside the
// station. Every field is reset at each parse, so a field the block lacks
// reads as 0, never as a value of an earlier parse.

#include <array>
#include <cstdint>

namespace orlu {

struct MonitorProfileSetup {
    int Filter = 0;         ///< FilterNames index
    int Detector = 0;       ///< DetectorNames index - 1
    int BufferContents = 0; ///< BufferContentsNames index - 1
};

struct MonitorSetupBlock {
    int DeviceType = 0;
    int DeviceVariant = 0; ///< 1 after "U...A"
    int SerialNo = 0;
    int SoftwareVersion = 0; ///< x 100
    int Function = 0;        ///< 2 1/1 octave, 3 1/3 octave
    int Range = 0;
    int Polarization = 0;
    int LeqIntegration = 0;
    int StartDelay = 0;
    int AutoRepeat = 0;
    int OctaveFilter = 0;
    int OctaveInBuffer = 0;
    std::int64_t IntegrationPeriod = 0; ///< seconds
    int IntegrationUnit = 0;            ///< 0 s, 1 m, 2 h
    int CalibrationFactor = 0;          ///< 0.1 dB
    std::array<MonitorProfileSetup, 3> Profiles{};
};

} // namespace orlu
