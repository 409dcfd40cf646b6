#include "monitor/MonitorTime.h"

namespace orlu {

std::time_t MonitorCalendarTime(const MonitorTimeParts& parts)
{
    std::tm tm{};
    tm.tm_year = parts.Year - 1900;
    tm.tm_mon = parts.Month - 1;
    tm.tm_mday = parts.Day;
    tm.tm_hour = parts.Hour;
    tm.tm_min = parts.Minute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

MonitorClock MonitorClockAt(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

const char* MonitorDayName(int weekday)
{
    static constexpr const char* kNames[] = {"Sun", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat"};
    return weekday >= 0 && weekday < 7 ? kNames[weekday] : "---";
}

MonitorSpan SplitSpan(std::int64_t seconds)
{
    MonitorSpan s;
    s.Days = seconds / 86400;
    s.Hours = static_cast<int>(seconds / 3600 % 24);
    s.Minutes = static_cast<int>(seconds / 60 % 60);
    s.Seconds = static_cast<int>(seconds % 60);
    return s;
}

} // namespace orlu
