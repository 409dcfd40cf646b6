#include "monitor/MonitorHeaderText.h"

#include "document/CTmDoc.h"
#include "document/headers/CurrentHeader.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorNames.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderLevelTexts.h"
#include "reports/common/ReportNumberFormats.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace orlu {
namespace {

// Values stand at the column after the 32-character labels, in 12-character fields.
constexpr std::size_t kValueColumn = 32;
constexpr std::size_t kFieldWidth = 12;

class HeaderLines {
public:
    HeaderLines(LineList& lines, int* widest) : m_Lines(lines), m_Widest(widest) {}
    void Add(std::string line) { AddLine(m_Lines, line, m_Widest); }
    /// A label line whose value field ends the line 12 characters after the value column.
    void AddCut(std::string line)
    {
        if (line.size() > kValueColumn + kFieldWidth)
            line.resize(kValueColumn + kFieldWidth);
        Add(std::move(line));
    }

private:
    LineList& m_Lines;
    int* m_Widest;
};

std::string Field(std::string_view text)
{
    return StrPrintf(" %-10s ", std::string(text).c_str());
}

std::string StepText(std::int32_t seconds)
{
    return Field(FormatTimeSpanDhms(seconds));
}

std::string Stamp(const MonitorTimeParts& parts)
{
    const MonitorClock c = MonitorClockAt(MonitorCalendarTime(parts));
    return StrPrintf(" %3s %02d/%02d/%04d  %02d:%02d ", MonitorDayName(c.Weekday), parts.Day, parts.Month, parts.Year,
                     parts.Hour, parts.Minute);
}

std::string Marks(const MonitorStationBlock& st, std::initializer_list<std::pair<std::uint32_t, const char*>> bits)
{
    std::string text;
    for (const auto& [bit, name] : bits)
        if (st.Has(bit))
            text += name;
    return text.empty() ? " <none>" : text;
}

const char* YesNo(bool on)
{
    return on ? "<yes>" : "<no>";
}

void StationSection(const MonitorDocument& m, HeaderLines& out)
{
    const MonitorStationBlock& st = m.Station;
    const std::string rule(kValueColumn + 26, '-');
    out.Add("");
    out.Add("Header information:");
    out.Add(rule);
    out.Add("  Monitoring station No. ...... " +
            (st.StationNo < 0 ? std::string("UNDEFINED") : StrPrintf(" %02d        ", st.StationNo)));
    out.Add("  Observation mode ............ " + Field(NameAt(kMonitorObservationModes, st.ObservationMode, "UNDEFINED")));
    out.Add("  Measurement start ........... " + Stamp(st.Start));
    out.Add("  Measurement stop ............ " + Stamp(m.RecordedStopTime ? *m.RecordedStopTime : st.Stop));
    out.Add("  Calibration time ............ " + StrPrintf(" %02d:%02d ", st.CalibrationHour, st.CalibrationMinute));
    out.Add("  Calibration step ............ " + Field(FormatTimeSpanDhms(st.CalibrationStep)));
    out.AddCut("  Integration time ............ " +
               Field(st.IntegrationTime < 0 ? std::string("UNDEFINED")
                                            : FormatDurationUnit(static_cast<std::uint32_t>(st.IntegrationTime))));
    out.Add("  Sound data acquisition step . " + StepText(st.SoundStep));
    out.Add("  Sound statistics acq. step .. " + StepText(st.StatisticsStep));
    out.Add("  Meteo data acquisition step . " + StepText(st.MeteoStep));
    out.Add("  GSM reports step ............ " + StepText(st.ReportStep));
    out.Add(rule);
    out.Add("  Profiles in use .............  #1" + std::string(st.Has(kMonitorProfile2) ? " #2" : "") +
            (st.Has(kMonitorProfile3) ? " #3" : ""));
    out.Add("  Acquisited results .......... " +
            Marks(st, {{kMonitorPeak, " Peak"}, {kMonitorMax, " Max"}, {kMonitorMin, " Min"}, {kMonitorSpl, " Spl"},
                       {kMonitorLeq, " Leq"}, {kMonitorSel, " Sel"}}));
    out.Add("  Statistics in profiles ...... " +
            Marks(st, {{kMonitorStatProfile1, " #1"}, {kMonitorStatProfile2, " #2"}, {kMonitorStatProfile3, " #3"}}));
    out.Add(std::string("  Octave spectra ..............  ") + YesNo(st.Has(kMonitorOctaves)));
    out.Add(std::string("  Statistics in octaves .......  ") + YesNo(st.Has(kMonitorOctaveStatistics)));
    out.Add(std::string("  Meteo data ..................  ") + YesNo(st.Has(kMonitorMeteo)));
    out.Add(rule);
}

std::string RangeText(const MonitorSetupBlock& su, std::uint8_t units)
{
    const std::string_view name = NameAt(MonitorRangeNames(su), su.Range);
    if (name == "UNDF")
        return std::string(name);
    HeaderLevelContext ctx;
    ctx.channel.inputKind = kInputMicrophone;
    std::string text = FormatHeaderLevelRef(ctx, std::atof(std::string(name).c_str()), units, false, true);
    text.erase(text.find_last_not_of(' ') + 1); // the level's own cell padding: the field pads it
    return text;
}

void OctaveLines(const MonitorDocument& m, HeaderLines& out, const char* band, int bands)
{
    const MonitorSetupBlock& su = m.Setup;
    out.Add(StrPrintf("  Octave %s lines ............ ", band) + Field(StrPrintf("%d+%d", bands, 3)));
    if (su.SoftwareVersion >= 207)
        out.Add(StrPrintf("  Octave %s filter ........... ", band) + Field(NameAt(kMonitorOctaveFilters, su.OctaveFilter)));
    if (su.SoftwareVersion >= 213)
        out.Add(StrPrintf("  Octave %s in buffer ........ ", band) + Field(su.OctaveInBuffer ? "ON" : "OFF"));
}

void DeviceSection(const MonitorDocument& m, HeaderLines& out, std::uint8_t units)
{
    const MonitorSetupBlock& su = m.Setup;
    out.Add("  Device type ................. " + StrPrintf(" ORLU %-5d ", su.DeviceType));
    out.Add("  Serial No. .................. " + StrPrintf(" %-10d ", su.SerialNo));
    out.Add("  Internal software version ... " + StrPrintf(" %-10.2f ", su.SoftwareVersion / 100.0));
    out.Add("  Device function ............. " + Field(NameAt(kMonitorFunctionNames, su.Function, "UNDEFINED")));
    out.Add("  Input ....................... " + Field("Microphone"));
    out.Add("  Mic. polarization ........... " + Field(NameAt(kMonitorPolarizations, su.Polarization)));
    out.Add("  Measurement range ........... " + Field(RangeText(su, units)));
    if (su.SoftwareVersion >= 207)
        out.Add("  Leq integration ............. " + Field(NameAt(kMonitorLeqIntegrations, su.LeqIntegration)));
    out.AddCut("  Start delay ................. " + StrPrintf(" %d s        ", su.StartDelay));
    out.AddCut("  Integration time def. ....... " +
               Field(FormatDurationUnit(static_cast<std::uint32_t>(su.IntegrationPeriod))));
    out.AddCut("  Auto Repeat ................. " + Field(su.AutoRepeat ? "ON" : "OFF"));
    if (su.Function == 2 && m.SpectrumValues != 0)
        OctaveLines(m, out, "1/1", m.SpectrumValues - 3);
    if (su.Function == 3 && m.SpectrumValues != 0)
        OctaveLines(m, out, "1/3", m.SpectrumValues - 3);
}

// Writes a field at the column: the field before it ends there, whatever its own width.
void PutAt(std::string& line, std::size_t column, const std::string& field)
{
    line.resize(column, ' ');
    line += field;
}

void ProfileTable(const MonitorDocument& m, HeaderLines& out, std::uint16_t selected, std::uint8_t units)
{
    const MonitorSetupBlock& su = m.Setup;
    // Profiles both selected and in use; the first shown stands at the value column, the next 12 further on.
    const std::uint16_t shown = static_cast<std::uint16_t>(selected & m.SoundProfileMask & 7u);
    if (shown == 0)
        return;
    std::string rule(kValueColumn, '-');
    std::string title = "                  Profile:      ";
    std::vector<std::string> settings = {"  Weighting filter ............ ", "  Detector type ............... ",
                                         "  Buffer contents definition .. ", "  Calibration factor .......... "};
    const int shift = su.SoftwareVersion < 201 ? 1 : 0; // older firmware counts its filters from 0
    std::size_t column = kValueColumn;
    for (int j = 0; j < 3; ++j) {
        if (!(shown & (1u << j)))
            continue;
        const MonitorProfileSetup& p = su.Profiles[static_cast<std::size_t>(j)];
        rule += std::string(kFieldWidth, '-');
        PutAt(title, column, StrPrintf(" #%-10d ", j + 1));
        PutAt(settings[0], column, Field(NameAt(kMonitorFilterNames, static_cast<long>(p.Filter) + shift)));
        PutAt(settings[1], column, Field(MonitorDetectorName(p.Detector)));
        PutAt(settings[2], column, Field(NameAt(MonitorBufferContentsNames(su), static_cast<long>(p.BufferContents) + 1)));
        PutAt(settings[3], column, Field(FormatTenthsLevel(static_cast<std::int16_t>(su.CalibrationFactor), units != 0)));
        settings[3].resize(column + kFieldWidth, ' ');
        column += kFieldWidth;
    }
    out.Add(rule);
    out.Add(title);
    out.Add(rule);
    for (std::string& line : settings)
        out.Add(line);
    out.Add(rule);
}

} // namespace

std::string FormatTimeSpanDhms(std::int64_t seconds)
{
    if (seconds <= 0)
        return "UNDEFINED";
    const MonitorSpan s = SplitSpan(seconds);
    std::string text;
    if (s.Days != 0)
        text += StrPrintf("%lld d ", static_cast<long long>(s.Days));
    if (s.Hours != 0)
        text += StrPrintf("%d h ", s.Hours);
    if (s.Minutes != 0)
        text += StrPrintf("%d m ", s.Minutes);
    if (s.Seconds != 0)
        text += StrPrintf("%d s ", s.Seconds);
    return text;
}

bool FormatMonitorHeaderText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t profiles, std::uint8_t units)
{
    ClearLineList(&lines);
    *widest = 0;
    const MonitorDocument* m = doc.Monitor();
    if (!m)
        return false;
    HeaderLines out(lines, widest);
    StationSection(*m, out);
    DeviceSection(*m, out, units);
    ProfileTable(*m, out, profiles, units);
    return true;
}

} // namespace orlu
