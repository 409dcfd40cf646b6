#include "MonitorTools.h"

#include "Usage.h"
#include "document/CTmDoc.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorTime.h"
#include "platform/ValueFormat.h"
#include "support/FixtureBuilder.h"
#include "support/MonitorFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace orlu::tools {
namespace {

constexpr char kMonitorUsage[] =
    "usage: orlu-fixture monitor --station TEXT --setup TEXT [--intervals N] [--meteo N] [--calibrations N]"
    " [--classes C,LOW,WIDTH] [--octave-stats] [--capture] [--buffer FILE] [--stop-record TIME] [--zero-gaps]"
    " [--full-buffer-name] [--cut K] [--bad-kind D] OUT\n"
    "  a MONITOR station stream in a container of kind 80: the station and setup blocks as given, then per\n"
    "  interval the sound records of every profile in use, profile statistics of C classes from LOW in steps\n"
    "  of WIDTH (0.1 dB), octave statistics, octave spectra, and the first N meteo and calibration records;\n"
    "  --capture puts a capture header in front, --buffer ends the stream with the file's bytes as its\n"
    "  embedded buffer, --stop-record MM:HH:DD:MM:YYYY adds a recorded stop time, --zero-gaps puts 0 bytes\n"
    "  between intervals, --cut K cuts K bytes off the end, --bad-kind D adds a record '#D' after the first\n"
    "  interval, --full-buffer-name fills the Buffer's name (from its third byte) with 32 bytes and no zero\n";

bool Number(const char* text, long low, long high, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < low || v > high)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseClasses(const char* text, fixture::MonitorFixtureSpec& spec)
{
    int classes = 0, low = 0, width = 0;
    if (std::sscanf(text, "%d,%d,%d", &classes, &low, &width) != 3 || classes < 1 || classes > 1000 || width < 1)
        return false;
    spec.Classes = classes;
    spec.Lowest = low;
    spec.Width = width;
    return true;
}

bool ParseStop(const char* text, fixture::MonitorFixtureSpec& spec)
{
    fixture::MonitorStamp t;
    if (std::sscanf(text, "%d:%d:%d:%d:%d", &t.Minute, &t.Hour, &t.Day, &t.Month, &t.Year) != 5 || t.Year < 2000 ||
        t.Year > 2255)
        return false;
    spec.Stop = t;
    return true;
}

} // namespace

int RunMonitorFixture(int argc, char** argv)
{
    fixture::MonitorFixtureSpec spec;
    bool station = false, setup = false, fullName = false;
    int i = 2;
    for (; i + 1 < argc && argv[i][0] == '-'; ++i) {
        const std::string_view name = argv[i];
        if (name == "--octave-stats")
            spec.OctaveStatistics = true;
        else if (name == "--capture")
            spec.Capture = true;
        else if (name == "--zero-gaps")
            spec.ZeroGaps = true;
        else if (name == "--full-buffer-name")
            fullName = true;
        else if (i + 2 >= argc)
            return PrintUsage(kMonitorUsage, false);
        else {
            const char* value = argv[++i];
            int cut = 0;
            bool ok = true;
            if (name == "--station")
                spec.Station = value, station = true;
            else if (name == "--setup")
                spec.Setup = value, setup = true;
            else if (name == "--intervals")
                ok = Number(value, 0, 10000000, spec.Intervals);
            else if (name == "--meteo")
                ok = Number(value, 0, 10000000, spec.Meteo);
            else if (name == "--calibrations")
                ok = Number(value, 0, 10000000, spec.Calibrations);
            else if (name == "--classes")
                ok = ParseClasses(value, spec);
            else if (name == "--buffer")
                spec.Buffer = fixture::ReadFileBytes(value);
            else if (name == "--stop-record")
                ok = ParseStop(value, spec);
            else if (name == "--cut")
                ok = Number(value, 0, 1 << 30, cut), spec.Cut = static_cast<std::size_t>(cut);
            else if (name == "--bad-kind")
                ok = std::strlen(value) == 1, spec.BadKind = value[0];
            else
                ok = false;
            if (!ok)
                return PrintUsage(kMonitorUsage, false);
        }
    }
    if (!station || !setup || i + 1 != argc || argv[i][0] == '-')
        return PrintUsage(kMonitorUsage, false);
    if (fullName) {
        // The name from the Buffer's third byte fills all 32 bytes of its field, with no zero.
        static constexpr char kName[] = "BUFFER-NAME-THAT-FILLS-32-BYTES!";
        std::vector<std::uint8_t>& buffer = spec.Buffer ? *spec.Buffer : spec.Buffer.emplace();
        if (buffer.size() < 34)
            buffer.resize(34);
        std::copy(kName, kName + 32, buffer.begin() + 2);
    }
    const std::vector<std::uint8_t> stream = fixture::BuildMonitorFixture(spec);
    fixture::FixtureBuilder file;
    file.ContainerHeader(kKindMonitor, 0, 0, static_cast<std::uint32_t>(stream.size())).Bytes(stream);
    file.WriteTo(argv[i]);
    return 0;
}

void PrintMonitor(const CTmDoc& doc, std::string& out)
{
    const MonitorDocument* m = doc.Monitor();
    if (!m) {
        out += "no MONITOR stream was parsed\n";
        return;
    }
    const MonitorStationBlock& st = m->Station;
    const auto stamp = [](const MonitorTimeParts& t) {
        return StrPrintf("%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute);
    };
    AppendPrintf(out, "station: No. %d, mode %d, flags 0x%04X, integration %d s\n", st.StationNo, st.ObservationMode,
                 static_cast<unsigned>(st.ContentFlags) & 0xFFFFu, st.IntegrationTime);
    AppendPrintf(out, "steps: sound %d s, statistics %d s, meteo %d s, reports %d s\n", st.SoundStep,
                 st.StatisticsStep, st.MeteoStep, st.ReportStep);
    const MonitorClock calibration = MonitorClockAt(st.CalibrationTime);
    AppendPrintf(out, "times: start %s, stop %s, calibration %04d-%02d-%02d %02d:%02d every %lld s\n",
                 stamp(st.Start).c_str(), stamp(st.Stop).c_str(), calibration.Year, calibration.Month, calibration.Day,
                 calibration.Hour, calibration.Minute, static_cast<long long>(st.CalibrationStep));
    if (m->RecordedStopTime)
        AppendPrintf(out, "recorded stop: %s\n", stamp(*m->RecordedStopTime).c_str());
    const MonitorSetupBlock& su = m->Setup;
    AppendPrintf(out,
                 "setup: device %d%s, serial %d, software %d, function %d, range %d, polarization %d, "
                 "Leq integration %d, delay %d s, repeat %d, octave filter %d, octave in buffer %d, "
                 "period %lld s (unit %d), calibration factor %d\n",
                 su.DeviceType, su.DeviceVariant ? "A" : "", su.SerialNo, su.SoftwareVersion, su.Function, su.Range,
                 su.Polarization, su.LeqIntegration, su.StartDelay, su.AutoRepeat, su.OctaveFilter, su.OctaveInBuffer,
                 static_cast<long long>(su.IntegrationPeriod), su.IntegrationUnit, su.CalibrationFactor);
    for (std::size_t j = 0; j < su.Profiles.size(); ++j)
        AppendPrintf(out, "profile %zu: filter %d, detector %d, buffer contents %d\n", j + 1, su.Profiles[j].Filter,
                     su.Profiles[j].Detector, su.Profiles[j].BufferContents);
    AppendPrintf(out, "sound: %d columns, profile mask %u, %lu intervals\n", m->SoundColumns, m->SoundProfileMask,
                 static_cast<unsigned long>(m->SoundRecordCount));
    AppendPrintf(out, "statistics: profile mask %u (%d profiles), %lu profile and %lu octave records, %d bands\n",
                 m->StatisticsProfileMask, m->StatisticsProfileCount,
                 static_cast<unsigned long>(m->ProfileStatisticsCount),
                 static_cast<unsigned long>(m->OctaveStatisticsCount), m->OctaveStatisticsBands);
    AppendPrintf(out, "histograms: profile %d classes from %d by %d, octave %d classes from %d by %d (0.1 dB)\n",
                 m->ProfileLayout.ClassCount, m->ProfileLayout.LowestClass, m->ProfileLayout.ClassWidth,
                 m->OctaveLayout.ClassCount, m->OctaveLayout.LowestClass, m->OctaveLayout.ClassWidth);
    AppendPrintf(out, "bands: %d values, %d frequency bands, %d octave records\n", m->SpectrumValues, m->FrequencyBands,
                 m->OctaveRecordCount);
    static constexpr const char* kNames[] = {"calibration", "sound", "octave", "profile statistics",
                                             "octave statistics", "meteo"};
    for (int k = 0; k < kMonitorStreamCount; ++k) {
        const MonitorIndexStream& stream = m->Streams[static_cast<std::size_t>(k)];
        if (!stream) {
            AppendPrintf(out, "%s: none\n", kNames[k]);
            continue;
        }
        AppendPrintf(out, "%s: %zu records at", kNames[k], stream->size());
        for (std::uint32_t offset : *stream)
            AppendPrintf(out, " %lu", static_cast<unsigned long>(offset));
        out += "\n";
    }
    AppendPrintf(out, "embedded buffer: byte %lu, %lu bytes (length word %lu)%s\n",
                 static_cast<unsigned long>(m->EmbeddedBufferStart), static_cast<unsigned long>(m->EmbeddedBufferLength),
                 static_cast<unsigned long>(m->EmbeddedBufferDeclared), m->Incomplete ? ", stream incomplete" : "");
    AppendPrintf(out, "viewmask: 0x%04X\n", static_cast<unsigned>(doc.GetViewMask()));
}

} // namespace orlu::tools
