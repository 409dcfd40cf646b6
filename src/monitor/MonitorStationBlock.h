#pragma once
// The station block of a MONITOR stream ("#8...;"): the station's number,
// mode, steps and times. Every field not in the block keeps its preset, which
// each parse applies anew.

#include "monitor/MonitorTime.h"

#include <cstdint>
#include <ctime>

namespace orlu {

/// Bits of the station's ContentFlags: what it acquires.
enum MonitorContentFlags : std::uint32_t {
    kMonitorPeak = 1u << 15,
    kMonitorMax = 1u << 14,
    kMonitorMin = 1u << 13,
    kMonitorSpl = 1u << 12,
    kMonitorLeq = 1u << 11,
    kMonitorSel = 1u << 10,
    kMonitorStatProfile1 = 1u << 9,
    kMonitorStatProfile2 = 1u << 8,
    kMonitorStatProfile3 = 1u << 7,
    kMonitorOctaves = 1u << 6,
    kMonitorOctaveStatistics = 1u << 5,
    kMonitorMeteo = 1u << 2,
    kMonitorProfile2 = 1u << 1,
    kMonitorProfile3 = 1u << 0,
};

struct MonitorStationBlock {
    std::int32_t StationNo = 1;
    std::int32_t ObservationMode = -1; ///< 1 Standard, 2 Extended, 3 Plot
    std::int32_t ContentFlags = -1;    ///< MonitorContentFlags
    std::int32_t IntegrationTime = -1; ///< seconds
    std::int32_t SoundStep = -1;       ///< seconds
    std::int32_t StatisticsStep = -1;
    std::int32_t MeteoStep = -1;
    std::int32_t ReportStep = -1;
    std::int32_t ReservedF = -1, ReservedG = -1, ReservedH = -1;

    MonitorTimeParts Start;
    std::time_t StartCalendar = 0;
    /// The stop time's parts; a "#8,Q" record overwrites them (not the calendar time).
    MonitorTimeParts Stop;
    std::time_t StopCalendar = 0;

    int CalibrationHour = 0, CalibrationMinute = 0;
    std::time_t CalibrationTime = 0;  ///< the first calibration
    std::int64_t CalibrationStep = 0; ///< seconds between calibrations

    bool Has(std::uint32_t bit) const { return (static_cast<std::uint32_t>(ContentFlags) & bit) != 0; }
};

} // namespace orlu
