#pragma once
// The rows of MONITOR sound results, as both Main-results forms list them:
// per interval, per shown profile, the values of its record and the
// interval's time. A profile is shown when it is selected and in use, so
// the walk from one profile's record to the next never reads another's.

#include "monitor/MonitorDocument.h"
#include "monitor/MonitorSoundValues.h"
#include "monitor/MonitorStream.h"
#include "monitor/MonitorTime.h"

#include <cstdint>
#include <ctime>
#include <functional>

namespace orlu {

struct MonitorSoundRow {
    std::uint32_t Interval = 0; ///< from 1
    int Profile = 0;            ///< from 0
    bool FirstOfInterval = false;
    MonitorClock Time;
    MonitorValueArray Values{};
};

/// The profiles shown of a selection: those selected and in use.
std::uint16_t ShownSoundProfiles(const MonitorDocument& m, std::uint16_t selected);

/// The MonitorRecordNumber of the record at r ('['): four hexadecimal digits after it.
std::uint32_t MonitorRecordNumber(const MonitorStream& s, std::uint32_t r);

/// The time of record number n at `step` seconds from the start.
std::time_t MonitorRecordTime(const MonitorDocument& m, std::uint32_t n, std::int64_t step);

/// Calls row() for every shown profile of every interval, in order.
void ForEachSoundRow(const MonitorStream& s, const MonitorDocument& m, std::uint16_t selected,
                     const std::function<void(const MonitorSoundRow&)>& row);

/// The time of calibration record t (from 1): the first calibration plus t - 1 steps.
std::time_t MonitorCalibrationTime(const MonitorDocument& m, std::uint32_t t);

/// The level of calibration record t (from 1), read from the fourth byte after its '#'.
double MonitorCalibrationLevel(const MonitorStream& s, const MonitorDocument& m, std::uint32_t t);

} // namespace orlu
