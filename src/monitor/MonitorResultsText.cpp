#include "monitor/MonitorResultsText.h"

#include "document/CTmDoc.h"
#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportNumberFormats.h"

#include <cmath>
#include <string>

namespace orlu {
namespace {

// The acquired values in the order of the columns: flag, heading, slot.
struct ValueColumn {
    std::uint32_t flag;
    const char* textHeading;
    double MonitorSoundValues::*value;
};
constexpr ValueColumn kValueColumns[] = {
    {kMonitorPeak, "   Peak", &MonitorSoundValues::Peak},
    {kMonitorMin, "    Min", &MonitorSoundValues::Min},
    {kMonitorMax, "    Max", &MonitorSoundValues::Max},
    {kMonitorSpl, "    Spl", &MonitorSoundValues::Spl},
    {kMonitorLeq, "    Leq", &MonitorSoundValues::Leq},
};

constexpr int kReferenceExponent = 6;

std::string DateTime(const MonitorClock& c)
{
    return StrPrintf(" %3s %02d/%02d/%04d  %02d:%02d'%02d", MonitorDayName(c.Weekday), c.Day, c.Month, c.Year, c.Hour,
                     c.Minute, c.Second);
}

void Add(LineList& lines, std::string line, int* widest)
{
    AddLine(lines, line, widest);
}

void SoundSection(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest,
                  std::uint16_t profiles, bool linear)
{
    const MonitorStationBlock& st = m.Station;
    const bool sel = st.Has(kMonitorSel);
    const bool exposure = linear && st.Has(kMonitorLeq);
    std::string heading = " Day dd/mm/yyyy   Clock   Prof Filter Detect | units |";
    std::string rule = std::string(16 + 10 + 5 + 14 + 9, '-');
    std::string units = "                                             |       | ";
    for (const ValueColumn& c : kValueColumns) {
        if (!st.Has(c.flag))
            continue;
        heading += c.textHeading;
        rule += "-------";
        units += "       ";
    }
    if (sel) {
        heading += " |      SEL";
        rule += "-----------";
        units += exposure ? "|     Pa\xB2s" : "|       dB";
    }
    CurrentChannel ch;
    ch.inputKind = kInputMicrophone;
    bool headed = false;
    ForEachSoundRow(s, m, profiles, [&](const MonitorSoundRow& row) {
        if (!headed) {
            Add(lines, "", widest);
            Add(lines, "Sound results:", widest);
            Add(lines, rule, widest);
            Add(lines, heading, widest);
            Add(lines, units, widest);
            Add(lines, rule, widest);
            headed = true;
        }
        const MonitorProfileSetup& profile = m.Setup.Profiles[static_cast<std::size_t>(row.Profile)];
        const double peak = row.Values[kSlotPeak];
        const LevelText level = FormatLevel(LevelContext{}, ch, kInputMicrophone,
                                            linear ? std::pow(10.0, peak / 20.0 - kReferenceExponent) : peak,
                                            linear ? kQuantityLinear : kQuantityDb);
        const MonitorSoundValues v = ConvertMonitorSoundRecord(row.Values, linear, kReferenceExponent, level.scale);
        std::string line = row.FirstOfInterval ? DateTime(row.Time) : std::string(25, ' ');
        line += StrPrintf("   #%d ", row.Profile + 1);
        line += StrPrintf("%6s %6s ", std::string(NameAt(kMonitorFilterNames, profile.Filter)).c_str(),
                          std::string(MonitorDetectorName(profile.Detector)).c_str());
        line += StrPrintf("|%6s |", UnitWord(level).c_str());
        static constexpr const char* kFormats[] = {"%7.1f", "%7.2f", "%7.3f"};
        const char* format = kFormats[std::clamp(level.decimals, 0, 2)];
        for (const ValueColumn& c : kValueColumns)
            if (st.Has(c.flag))
                line += StrPrintf(format, v.*c.value);
        if (sel) {
            line += " |";
            if (!exposure)
                line += StrPrintf("%9.1f", row.Values[kSlotSel]);
            else
                line += v.SelPresent ? FormatExponent(v.Sel) : std::string("     ----");
        }
        Add(lines, line, widest);
        // The rule closes each interval after its last shown profile.
        const std::uint16_t shown = ShownSoundProfiles(m, profiles);
        if ((shown >> (row.Profile + 1)) == 0)
            Add(lines, rule, widest);
    });
}

void CalibrationSection(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest)
{
    const std::string rule = std::string(16 + 10 + 9, '-');
    for (std::uint32_t t = 1; t <= m.CalibrationRecordCount; ++t) {
        if (t == 1) {
            Add(lines, "", widest);
            Add(lines, "Calibration results:", widest);
            Add(lines, rule, widest);
            Add(lines, " Day dd/mm/yyyy   Clock    |  CaliF", widest);
            Add(lines, "                           |     dB", widest);
            Add(lines, rule, widest);
        }
        // In the Extended mode the second row is the stop the stream recorded.
        std::time_t when = MonitorCalibrationTime(m, t);
        if (t == 2 && m.Station.ObservationMode == 2 && m.RecordedStopTime)
            when = MonitorCalendarTime(*m.RecordedStopTime);
        Add(lines, DateTime(MonitorClockAt(when)) + StrPrintf("  |%7.1f", MonitorCalibrationLevel(s, m, t)), widest);
        Add(lines, rule, widest);
    }
}

void MeteoSection(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest)
{
    const std::string rule = std::string(16 + 10 + 44, '-');
    for (std::uint32_t t = 1; t <= m.MeteoRecordCount; ++t) {
        if (t == 1) {
            Add(lines, "", widest);
            Add(lines, "Meteo results:", widest);
            Add(lines, rule, widest);
            Add(lines, " Day dd/mm/yyyy   Clock    |   Temp  Press   Humi   WVel  mWVel   WDir", widest);
            Add(lines, "                           |     \xBA" "C    hPa      %    m/s    m/s    deg", widest);
            Add(lines, rule, widest);
        }
        const std::uint32_t r = m.Record(kStreamMeteo, t);
        MonitorValueArray v{};
        const unsigned present = ReadLetterValues(s.TextFrom(r + 9, 4096), "TPHVMD", 0, v);
        const std::uint32_t n = MonitorRecordNumber(s, r);
        std::string line = DateTime(MonitorClockAt(MonitorRecordTime(m, n, m.Station.MeteoStep))) + "  |";
        for (int i = 0; i < 6; ++i)
            line += (present & (1u << i)) ? StrPrintf("%7.1f", v[static_cast<std::size_t>(i)]) : "   ----";
        Add(lines, line, widest);
        Add(lines, rule, widest);
    }
}

} // namespace

bool FormatMonitorResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t profiles, bool linear)
{
    ClearLineList(&lines);
    *widest = 0;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    SoundSection(m, s, lines, widest, profiles, linear);
    CalibrationSection(m, s, lines, widest);
    MeteoSection(m, s, lines, widest);
    return true;
}

} // namespace orlu
