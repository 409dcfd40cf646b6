#include "document/texts/TimeTexts.h"

#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlu {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sun", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat"};

struct TimeUnitEntry {
    std::uint32_t seconds;
    const char* name;
};
constexpr TimeUnitEntry kTimeUnits[] = {{3600, "hour"}, {60, "min"}, {1, "sec"}};

constexpr std::int64_t kSecondsPerDay = 86400;

// Whole seconds of t, truncated; negative, undefined or huge times are held
// inside the unsigned 32-bit range rather than converted out of range.
std::uint32_t WholeSeconds(double t)
{
    if (!(t > 0.0))
        return 0;
    if (t >= 4294967295.0)
        return 4294967295u;
    return static_cast<std::uint32_t>(t);
}

// The fraction of a second with `decimals` digits from the decimal point on
// (".50"); empty without decimals. It is formatted on its own and never
// carries into the seconds: 0.999 with two decimals gives ".00".
std::string FractionText(double fraction, int decimals)
{
    if (decimals <= 0)
        return {};
    char format[] = "%.0f";
    format[2] = static_cast<char>('0' + std::min(decimals, 9));
    std::string text = StrPrintf(format, fraction);
    std::size_t point = text.find('.');
    return point == std::string::npos ? std::string() : text.substr(point);
}

// Drops the leading zero fields of a clock-form text: "0:02'05" gives "2'05",
// "0:00'05" gives "5", "0:00'00" gives "0".
std::string DropLeadingZeroFields(const std::string& text)
{
    std::size_t i = 0;
    auto skipZeros = [&] {
        while (i < text.size() && text[i] == '0')
            ++i;
    };
    skipZeros();
    if (i < text.size() && text[i] == ':') {
        ++i;
        skipZeros();
    }
    if (i < text.size() && text[i] == '\'') {
        ++i;
        if (i < text.size() && text[i] == '0')
            ++i;
    }
    return text.substr(i);
}

std::string StampText(const char* format, int number, const CivilTime& t)
{
    return StrPrintf(format, number, t.hour, t.minute, t.second, DayName(DayOfWeek(t.year, t.month, t.day)), t.day,
                     t.month, t.year);
}

} // namespace

std::int64_t DaysFromCivil(int year, int month, int day)
{
    // The days-from-civil algorithm over 400-year eras.
    std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t yoe = y - era * 400;
    std::int64_t mp = (month + 9) % 12;
    std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilTime CivilFromSeconds(std::int64_t seconds)
{
    std::int64_t days = seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    std::int64_t rest = seconds - days * kSecondsPerDay;
    std::int64_t z = days + 719468;
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t doe = z - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int DayOfWeek(int year, int month, int day)
{
    std::int64_t days = DaysFromCivil(year, month, day);
    std::int64_t weekday = (days % 7 + 7 + 4) % 7; // 1970-01-01 was a Thursday
    return static_cast<int>(weekday) + 1;
}

const char* DayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return "???";
    return kDayNames[static_cast<std::size_t>(dayOfWeek - 1)];
}

bool PackedDate::Valid() const
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    // The last day of the month: the day before the first of the next month.
    int nextYear = month == 12 ? year + 1 : year;
    int nextMonth = month == 12 ? 1 : month + 1;
    std::int64_t length = DaysFromCivil(nextYear, nextMonth, 1) - DaysFromCivil(year, month, 1);
    return day <= length;
}

PackedDate UnpackDate(std::uint16_t packed)
{
    return {packed / 512 + 2000, (packed >> 5) & 15, packed & 31};
}

std::string FormatRelTime(bool clockForm, std::uint32_t n, double step, int decimals)
{
    double t = n * step;
    std::uint32_t s = WholeSeconds(t);
    std::uint32_t minutes = s / 60;
    std::string fraction = FractionText(t - s, decimals);
    if (!clockForm)
        return StrPrintf("%ld%ss", static_cast<long>(s), fraction.c_str());
    return DropLeadingZeroFields(StrPrintf("%d:%02d'%02d%s", static_cast<int>(minutes / 60),
                                           static_cast<int>(minutes % 60), static_cast<int>(s % 60),
                                           fraction.c_str()));
}

std::string FormatClockTime(std::uint16_t start, std::uint32_t n, double step, int decimals)
{
    double t = n * step + 2.0 * start;
    if (t >= kSecondsPerDay)
        t -= kSecondsPerDay;
    std::uint32_t s = WholeSeconds(t);
    std::uint32_t minutes = s / 60;
    std::string fraction = FractionText(t - s, decimals);
    return StrPrintf("%02d:%02d'%02d%s", static_cast<int>(minutes / 60 % 24), static_cast<int>(minutes % 60),
                     static_cast<int>(s % 60), fraction.c_str());
}

// A packed date that names no day (month 0 or 13 to 15, day 0 or past the
// month's end, as a damaged or unset header holds) has no calendar to count
// the records' days on: its date prints as a placeholder of the same width
// rather than as a day that never was.
DateTimeText FormatDateTime(std::uint16_t start, std::uint16_t packedDate, std::uint32_t n, double step, int decimals)
{
    DateTimeText out;
    out.time = FormatClockTime(start, n, step, decimals);
    PackedDate date = UnpackDate(packedDate);
    if (!date.Valid()) {
        out.date = kInvalidDateText;
        return out;
    }
    double elapsed = std::round(n * step);
    std::int64_t elapsedSeconds = std::isfinite(elapsed) ? static_cast<std::int64_t>(std::clamp(elapsed, 0.0, 1e12)) : 0;
    std::int64_t seconds = DaysFromCivil(date.year, date.month, date.day) * kSecondsPerDay + 2 * std::int64_t{start} +
                           elapsedSeconds;
    CivilTime t = CivilFromSeconds(seconds);
    out.date = StrPrintf("%d/%02d/%02d", t.year, t.month, t.day);
    return out;
}

std::string FormatTimeIndex(std::uint16_t start, std::uint32_t n, double step, int decimals)
{
    return StrPrintf("T[%d] = %s", static_cast<int>(n), FormatClockTime(start, n, step, decimals).c_str());
}

std::string FormatClockTimeParen(std::uint16_t start, std::uint32_t n, double step, int decimals)
{
    return "(" + FormatClockTime(start, n, step, decimals) + ")";
}

std::string FormatTimeStampIndex(int index, const CivilTime& stamp)
{
    return StampText("T[%d] = %02d:%02d'%02d   (%3s %02d/%02d/%4d)", index, stamp);
}

std::string FormatRecordStamp(int record, const CivilTime& stamp)
{
    return StampText("%d  %02d:%02d'%02d (%3s %02d/%02d/%4d)", record, stamp);
}

std::string FormatRecordStampTable(int record, const CivilTime& stamp)
{
    return StampText("%d__%02d:%02d'%02d_(%3s_%02d/%02d/%4d)", record, stamp);
}

TimeUnitText FormatTimeUnit(const std::string& prefix, std::uint32_t seconds)
{
    for (const TimeUnitEntry& unit : kTimeUnits) {
        std::uint32_t value = seconds / unit.seconds;
        if (value != 0 || unit.seconds == 1)
            return {StrPrintf("%s%d", prefix.c_str(), static_cast<int>(value)), unit.name};
    }
    return {};
}

} // namespace orlu
