#include "monitor/MonitorSoundRows.h"

#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"

#include <cstdlib>

namespace orlu {
namespace {

// Record texts longer than this are not the station's.
constexpr std::size_t kTextLimit = 4096;
constexpr std::uint32_t kSoundTextFromHash = 5;

} // namespace

std::uint16_t ShownSoundProfiles(const MonitorDocument& m, std::uint16_t selected)
{
    return static_cast<std::uint16_t>(selected & m.SoundProfileMask & 7u);
}

std::uint32_t MonitorRecordNumber(const MonitorStream& s, std::uint32_t r)
{
    std::uint32_t n = 0;
    for (std::uint32_t i = 1; i <= 4 && s.Inside(r + i); ++i) {
        const std::uint8_t c = s.Byte(r + i);
        const std::uint32_t digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
        n = n * 16 + digit;
    }
    return n;
}

std::time_t MonitorRecordTime(const MonitorDocument& m, std::uint32_t n, std::int64_t step)
{
    return m.Station.StartCalendar + static_cast<std::time_t>(n) * step;
}

void ForEachSoundRow(const MonitorStream& s, const MonitorDocument& m, std::uint16_t selected,
                     const std::function<void(const MonitorSoundRow&)>& row)
{
    const std::uint16_t shown = ShownSoundProfiles(m, selected);
    if (shown == 0)
        return;
    const std::string_view letters = MonitorResultLetters(m.Setup);
    for (std::uint32_t t = 1; t <= m.SoundRecordCount; ++t) {
        const std::uint32_t first = m.Record(kStreamSound, static_cast<std::uint32_t>(m.SoundColumns) * (t - 1) + 1);
        const std::uint32_t n = MonitorRecordNumber(s, first);
        MonitorSoundRow out;
        out.Interval = t;
        out.Time = MonitorClockAt(MonitorRecordTime(m, n, m.Station.SoundStep));
        out.FirstOfInterval = true;
        std::uint32_t at = first + kMonitorHashOffset;
        for (int j = 0; j < 3; ++j) {
            if (j > 0 && (m.SoundProfileMask & (1u << (j - 1))) != 0) {
                ++at; // from '#' or the last ';' to the ';' that ends the record
                if (!SkipMonitorRecord(s, '2', at))
                    return; // a record cut short: nothing further to read
            }
            if ((shown & (1u << j)) == 0)
                continue;
            out.Profile = j;
            out.Values = {};
            ReadLetterValues(s.TextFrom(at + kSoundTextFromHash, kTextLimit), letters, kSlotPeak, out.Values);
            out.Values[kSlotT] = static_cast<double>(
                IntervalIntegrationTime(t, m.Station.SoundStep, m.Setup.IntegrationPeriod));
            row(out);
            out.FirstOfInterval = false;
        }
    }
}

std::time_t MonitorCalibrationTime(const MonitorDocument& m, std::uint32_t t)
{
    return m.Station.CalibrationTime + static_cast<std::time_t>(t - 1) * m.Station.CalibrationStep;
}

double MonitorCalibrationLevel(const MonitorStream& s, const MonitorDocument& m, std::uint32_t t)
{
    return std::strtod(s.TextFrom(m.Record(kStreamCalibration, t) + 4, 64).c_str(), nullptr);
}

} // namespace orlu
