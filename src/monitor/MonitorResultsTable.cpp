#include "monitor/MonitorResultsTable.h"

#include "document/CTmDoc.h"
#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "platform/ValueFormat.h"
#include "reports/table/MainResultsTables.h"
#include "reports/table/TableWriter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orlu {
namespace {

struct ValueColumn {
    std::uint32_t flag;
    const char* heading;
    double MonitorSoundValues::*value;
};
constexpr ValueColumn kValueColumns[] = {
    {kMonitorPeak, "Peak      ", &MonitorSoundValues::Peak}, {kMonitorMin, "Min       ", &MonitorSoundValues::Min},
    {kMonitorMax, "Max       ", &MonitorSoundValues::Max},   {kMonitorSpl, "Spl       ", &MonitorSoundValues::Spl},
    {kMonitorLeq, "Leq       ", &MonitorSoundValues::Leq},
};

constexpr int kReferenceExponent = 6;
// Where the exponents of a row's values begin: past date, time, profile, filter, detector and unit.
constexpr std::size_t kValuesFrom = 60;

std::string DateTime(const MonitorClock& c)
{
    return StrPrintf("%02d/%02d/%02d  %02d:%02d'%02d  ", c.Day, c.Month, c.Year % 100, c.Hour, c.Minute, c.Second);
}

void Caption(LineList& lines, const char* text, int* widest, bool gap)
{
    std::string line;
    if (gap)
        AddLine(lines, line, widest);
    line = text;
    AddLine(lines, line, widest);
}

void Heading(LineList& lines, std::string heading, const TableOutputOptions& options, int* widest)
{
    EmitHeaderRow(lines, heading, options, widest);
}

void SoundTable(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest, std::uint16_t profiles,
                bool linear, const TableOutputOptions& options)
{
    const MonitorStationBlock& st = m.Station;
    const bool sel = st.Has(kMonitorSel);
    const bool exposure = linear && st.Has(kMonitorLeq);
    std::string heading = "Date      Clock     Prof      Filter    Detect    units     ";
    for (const ValueColumn& c : kValueColumns)
        if (st.Has(c.flag))
            heading += c.heading;
    if (sel)
        heading += StrPrintf("SEL[%s]  ", exposure ? "Pa\xB2s" : "dB");
    CurrentChannel ch;
    ch.inputKind = kInputMicrophone;
    bool any = false;
    ForEachSoundRow(s, m, profiles, [&](const MonitorSoundRow& row) {
        if (!any) {
            Caption(lines, "Sound_results:", widest, false);
            Heading(lines, heading, options, widest);
            any = true;
        }
        const MonitorProfileSetup& profile = m.Setup.Profiles[static_cast<std::size_t>(row.Profile)];
        const double peak = row.Values[kSlotPeak];
        const double asked = linear ? std::pow(10.0, peak / 20.0 - kReferenceExponent) : peak;
        const int quantity = linear ? kQuantityLinear : kQuantityDb;
        const LevelText level = options.FormatFlag ? FormatLevelSci(LevelContext{}, ch, kInputMicrophone, asked, quantity)
                                                   : FormatLevel(LevelContext{}, ch, kInputMicrophone, asked, quantity);
        const MonitorSoundValues v = ConvertMonitorSoundRecord(row.Values, linear, kReferenceExponent, level.scale);
        std::string line = DateTime(row.Time);
        line += StrPrintf("%-10d", row.Profile + 1);
        line += StrPrintf("%-10s%-10s", std::string(NameAt(kMonitorFilterNames, profile.Filter)).c_str(),
                          std::string(MonitorDetectorName(profile.Detector)).c_str());
        line += StrPrintf("%-10s", UnitWord(level).c_str());
        static constexpr const char* kFormats[] = {"%-10.1f", "%-10.2f", "%-10.3f", "%-10.2e"};
        const char* format = kFormats[std::clamp(level.decimals, 0, 3)];
        for (const ValueColumn& c : kValueColumns)
            if (st.Has(c.flag))
                line += StrPrintf(format, v.*c.value);
        CompactExponents(line, kValuesFrom);
        if (sel) {
            std::string field;
            if (!exposure)
                field = StrPrintf("%-10.1f", row.Values[kSlotSel]);
            else if (v.SelPresent)
                field = StrPrintf("%-10.2e", v.Sel);
            else
                field = "-----     ";
            CompactExponentField(field);
            line += field;
        }
        EmitFieldRow(lines, line, options, widest);
    });
}

void CalibrationTable(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest,
                      const TableOutputOptions& options)
{
    for (std::uint32_t t = 1; t <= m.CalibrationRecordCount; ++t) {
        if (t == 1) {
            Caption(lines, "Calibration_results:", widest, true);
            Heading(lines, "Date      Clock     CaliF[dB] ", options, widest);
        }
        std::string line = DateTime(MonitorClockAt(MonitorCalibrationTime(m, t)));
        line += StrPrintf("%-10.1f", MonitorCalibrationLevel(s, m, t));
        EmitFieldRow(lines, line, options, widest);
    }
}

void MeteoTable(const MonitorDocument& m, const MonitorStream& s, LineList& lines, int* widest,
                const TableOutputOptions& options)
{
    for (std::uint32_t t = 1; t <= m.MeteoRecordCount; ++t) {
        if (t == 1) {
            Caption(lines, "Meteo_results:", widest, true);
            Heading(lines, "Date      Clock     Temp[\xBA" "C]  Prs[hPa]  Humi[%]   WVel[m/s] mWV[m/s]  WDir[deg] ",
                    options, widest);
        }
        const std::uint32_t r = m.Record(kStreamMeteo, t);
        MonitorValueArray v{};
        const unsigned present = ReadLetterValues(s.TextFrom(r + 9, 4096), "TPHVMD", 0, v);
        std::string line = DateTime(MonitorClockAt(MonitorRecordTime(m, MonitorRecordNumber(s, r), m.Station.MeteoStep)));
        for (int i = 0; i < 6; ++i) {
            if (!(present & (1u << i)))
                line += "-----     ";
            else
                line += StrPrintf(i == 1 ? "%-10.0f" : "%-10.1f", v[static_cast<std::size_t>(i)]);
        }
        EmitFieldRow(lines, line, options, widest);
    }
}

} // namespace

bool FormatMonitorResultsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                               std::uint16_t profiles, bool linear, const TableOutputOptions& options)
{
    tableKind = 1;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    SoundTable(m, s, lines, widest, profiles, linear, options);
    CalibrationTable(m, s, lines, widest, options);
    MeteoTable(m, s, lines, widest, options);
    return true;
}

} // namespace orlu
