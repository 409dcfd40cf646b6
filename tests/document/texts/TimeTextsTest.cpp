#include "document/texts/TimeTexts.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orlu {
namespace {

TEST(TimeTexts, ElapsedTimes)
{
    struct Case {
        bool clock;
        std::uint32_t n;
        double step;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {false, 251, 0.5, 2, "125.50s"},
        {false, 1, 59.999, 2, "59.00s"}, // the fraction rounds to 1.00 but never carries
        {false, 3, 1.0, 0, "3s"},
        {true, 0, 1.0, 0, "0"},
        {true, 5, 1.0, 0, "5"},
        {true, 125, 1.0, 0, "2'05"},
        {true, 600, 1.0, 0, "10'00"},
        {true, 3725, 1.0, 0, "1:02'05"},
        {true, 3600, 1.0, 0, "1:00'00"},
        {true, 1, 0.25, 2, "0.25"},
        {true, 4, 2.5, 1, "10.0"},
        {true, 100000, 1.0, 0, "27:46'40"}, // elapsed hours do not wrap
        {false, 1, -5.0, 0, "0s"},          // a negative step is not converted out of range
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRelTime(c.clock, c.n, c.step, c.decimals), c.text) << c.n << " x " << c.step;
}

TEST(TimeTexts, TimesOfDay)
{
    EXPECT_EQ(FormatClockTime(43200, 0, 1.0, 0), "00:00'00"); // 86400 s wraps once
    EXPECT_EQ(FormatClockTime(21615, 0, 1.0, 0), "12:00'30");
    EXPECT_EQ(FormatClockTime(43199, 4, 1.0, 0), "00:00'02");
    EXPECT_EQ(FormatClockTime(0, 3, 0.5, 2), "00:00'01.50");
    EXPECT_EQ(FormatClockTime(65535, 0, 1.0, 0), "12:24'30"); // beyond a second day: hours taken mod 24
    EXPECT_EQ(FormatTimeIndex(1800, 7, 10.0, 0), "T[7] = 01:01'10");
    EXPECT_EQ(FormatClockTimeParen(1800, 0, 1.0, 0), "(01:00'00)");
}

TEST(TimeTexts, DatesCountOnTheCalendar)
{
    const std::uint16_t jan5th2013 = 13 * 512 + 1 * 32 + 5;
    EXPECT_EQ(jan5th2013, 0x1A25);
    DateTimeText t = FormatDateTime(0, jan5th2013, 0, 1.0, 0);
    EXPECT_EQ(t.date, "2013/01/05");
    EXPECT_EQ(t.time, "00:00'00");

    // 23:59'58 plus 4 s: the next day.
    t = FormatDateTime(43199, jan5th2013, 4, 1.0, 0);
    EXPECT_EQ(t.time, "00:00'02");
    EXPECT_EQ(t.date, "2013/01/06");

    const std::uint16_t feb28th2012 = 12 * 512 + 2 * 32 + 28;
    const std::uint16_t dec31st2015 = 15 * 512 + 12 * 32 + 31;
    EXPECT_EQ(FormatDateTime(0, feb28th2012, 86400, 1.0, 0).date, "2012/02/29"); // leap year
    EXPECT_EQ(FormatDateTime(0, feb28th2012, 2, 86400.0, 0).date, "2012/03/01");
    EXPECT_EQ(FormatDateTime(43000, dec31st2015, 1000, 1.0, 0).date, "2016/01/01");
    EXPECT_EQ(FormatDateTime(0, jan5th2013, 1, 0.6, 0).date, "2013/01/05"); // the elapsed time is rounded
}

TEST(TimeTexts, DatesDoNotDependOnTheTimeZone)
{
    // A day on which many zones change to summer time.
    const std::uint16_t mar31st2013 = 13 * 512 + 3 * 32 + 31;
    const char* zones[] = {"UTC", "Europe/Warsaw", "America/New_York", "Australia/Lord_Howe"};
    for (const char* zone : zones) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        DateTimeText t = FormatDateTime(1800, mar31st2013, 86399, 1.0, 0);
        EXPECT_EQ(t.date, "2013/04/01") << zone;
        EXPECT_EQ(t.time, "00:59'59") << zone;
    }
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

TEST(TimeTexts, InvalidPackedDatesPrintAPlaceholder)
{
    const std::uint16_t invalid[] = {
        13 * 512 + 0 * 32 + 5,  // month 0
        13 * 512 + 13 * 32 + 5, // month 13
        13 * 512 + 15 * 32 + 5, // month 15
        13 * 512 + 1 * 32 + 0,  // day 0
        13 * 512 + 2 * 32 + 29, // 29 February 2013
        13 * 512 + 4 * 32 + 31, // 31 April
    };
    for (std::uint16_t packed : invalid) {
        DateTimeText t = FormatDateTime(100, packed, 10, 1.0, 0);
        EXPECT_EQ(t.date, "----/--/--") << packed;
        EXPECT_EQ(t.time, "00:03'30") << packed; // the time of day is still known
    }
    EXPECT_TRUE(UnpackDate(12 * 512 + 2 * 32 + 29).Valid());
    EXPECT_EQ(FormatDateTime(0, 127 * 512 + 12 * 32 + 31, 0, 1.0, 0).date, "2127/12/31");
}

TEST(TimeTexts, StationStamps)
{
    CivilTime wednesday{2013, 1, 2, 8, 5, 9};
    EXPECT_EQ(FormatTimeStampIndex(3, wednesday), "T[3] = 08:05'09   (Wen 02/01/2013)");
    EXPECT_EQ(FormatRecordStamp(12, wednesday), "12  08:05'09 (Wen 02/01/2013)");
    EXPECT_EQ(FormatRecordStampTable(12, wednesday), "12__08:05'09_(Wen_02/01/2013)");

    const char* names[] = {"Sun", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat"};
    for (int d = 0; d < 7; ++d) // 6 January 2013 was a Sunday
        EXPECT_STREQ(DayName(DayOfWeek(2013, 1, 6 + d)), names[d]);
    EXPECT_EQ(DayOfWeek(2000, 2, 29), 3); // Tuesday
    EXPECT_STREQ(DayName(0), "???");

    CivilTime t = CivilFromSeconds(DaysFromCivil(2016, 2, 29) * 86400 + 3661);
    EXPECT_EQ(t.year, 2016);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 1);
    EXPECT_EQ(t.minute, 1);
    EXPECT_EQ(t.second, 1);
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
}

TEST(TimeTexts, DurationUnits)
{
    struct Case {
        std::uint32_t seconds;
        const char* text;
        const char* unit;
    };
    const Case cases[] = {
        {5400, "T=1", "hour"}, {3599, "T=59", "min"}, {60, "T=1", "min"},
        {59, "T=59", "sec"},   {0, "T=0", "sec"},     {4000000000u, "T=1111111", "hour"},
    };
    for (const Case& c : cases) {
        TimeUnitText t = FormatTimeUnit("T=", c.seconds);
        EXPECT_EQ(t.text, c.text) << c.seconds;
        EXPECT_EQ(t.unit, c.unit) << c.seconds;
    }
}

} // namespace
} // namespace orlu
