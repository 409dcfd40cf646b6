#pragma once
// Time and date texts of the reports: elapsed times, times of day with the
// apostrophe before the seconds (12:05'30), dates in year/month/day order and
// the station's time stamps with English day names.
//
// Instruments store a start time as 2-second units since midnight and a date
// as a packed word: (year - 2000) x 512 + month x 32 + day. Record n of a
// time history lies n x step seconds after the start. All of it is calendar
// arithmetic on these wall-clock values: no time zone, no daylight saving.

#include <cstdint>
#include <string>

namespace orlu {

/// A wall-clock date and time (the station's record stamps).
struct CivilTime {
    int year = 2000;
    int month = 1; ///< 1 to 12
    int day = 1;   ///< 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day);
/// The date and time of a count of seconds since 1970-01-01 00:00:00.
CivilTime CivilFromSeconds(std::int64_t seconds);
/// Day of the week, 1 Sunday to 7 Saturday.
int DayOfWeek(int year, int month, int day);
/// "Sun" .. "Sat" for 1 to 7 (the program spells Wednesday "Wen"); "???" otherwise.
const char* DayName(int dayOfWeek);

/// The fields of a packed date word.
struct PackedDate {
    int year;
    int month;
    int day;
    bool Valid() const;
};
PackedDate UnpackDate(std::uint16_t packed);

/// Elapsed time n x step: "125.50s", or in clock form without leading zero
/// fields ("2'05", "5", "1:02'05"). decimals 0 to 9 (0: no fraction).
std::string FormatRelTime(bool clockForm, std::uint32_t n, double step, int decimals);

/// Time of day of record n: "hh:mm'ss" with the fraction.
std::string FormatClockTime(std::uint16_t start, std::uint32_t n, double step, int decimals);

/// Time of day and date of record n.
struct DateTimeText {
    std::string time;
    std::string date; ///< "2013/01/05"; kInvalidDateText for a packed date that names no day
};
inline constexpr const char* kInvalidDateText = "----/--/--";
DateTimeText FormatDateTime(std::uint16_t start, std::uint16_t packedDate, std::uint32_t n, double step, int decimals);

/// "T[n] = " and the time of day of record n.
std::string FormatTimeIndex(std::uint16_t start, std::uint32_t n, double step, int decimals);
/// The time of day of record n in parentheses.
std::string FormatClockTimeParen(std::uint16_t start, std::uint32_t n, double step, int decimals);

/// "T[index] = hh:mm'ss   (Day dd/mm/yyyy)".
std::string FormatTimeStampIndex(int index, const CivilTime& stamp);
/// "record  hh:mm'ss (Day dd/mm/yyyy)".
std::string FormatRecordStamp(int record, const CivilTime& stamp);
/// The same for table forms, blanks written as '_'.
std::string FormatRecordStampTable(int record, const CivilTime& stamp);

/// A duration in its largest whole unit: "prefix5" with "hour", "min" or "sec".
struct TimeUnitText {
    std::string text;
    std::string unit;
};
/// Serves 16-bit and 32-bit second counts alike.
TimeUnitText FormatTimeUnit(const std::string& prefix, std::uint32_t seconds);

} // namespace orlu
