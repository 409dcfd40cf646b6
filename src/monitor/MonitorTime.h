#pragma once
// Station times. The station writes wall-clock times as minute, hour, day,
// month and year - 2000; the program turns them into calendar times of the
// local zone (daylight saving decided by the system) to add steps and name
// the day of the week.

#include <cstdint>
#include <ctime>

namespace orlu {

/// The five parts of a station time. A day or month of 0 is kept as 1.
struct MonitorTimeParts {
    int Minute = 0;
    int Hour = 0;
    int Day = 1;
    int Month = 1;
    int Year = 2000;
};

/// A calendar time split for printing.
struct MonitorClock {
    int Year = 2000, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
    int Weekday = 0; ///< 0 Sunday
};

/// The calendar time of the parts (seconds 0).
std::time_t MonitorCalendarTime(const MonitorTimeParts& parts);
/// A calendar time in parts.
MonitorClock MonitorClockAt(std::time_t t);
/// The station's day names from Sunday: "Sun", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat".
const char* MonitorDayName(int weekday);

/// A time span split as the reports print it.
struct MonitorSpan {
    std::int64_t Days = 0;
    int Hours = 0, Minutes = 0, Seconds = 0;
};
MonitorSpan SplitSpan(std::int64_t seconds);

} // namespace orlu
