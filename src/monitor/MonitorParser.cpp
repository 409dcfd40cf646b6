#include "monitor/MonitorParser.h"

#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <string>

namespace orlu {
namespace {

// Values longer than this are cut: the station never writes longer ones.
constexpr std::size_t kValueLimit = 32;
constexpr std::uint32_t kCaptureHeaderLength = 15;

bool IsLetter(std::uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(std::uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(static_cast<std::uint8_t>(c)) || (c >= 'A' && c <= 'F');
}

int HexDigitValue(char c)
{
    return c < ':' ? c - '0' : c - 55;
}

// A run of upper-case hexadecimal digits; it ends at the first other character.
std::int32_t ParseHex(const std::string& value)
{
    std::uint32_t v = 0;
    for (char c : value) {
        if (!IsHexDigit(c))
            break;
        v = v * 16 + static_cast<std::uint32_t>(HexDigitValue(c));
    }
    return static_cast<std::int32_t>(v);
}

// The pair at `at` of a time value; a pair the value does not hold (or that is
// not hexadecimal) counts 0.
int HexPair(const std::string& value, std::size_t at)
{
    if (at + 1 >= value.size() || !IsHexDigit(value[at]) || !IsHexDigit(value[at + 1]))
        return 0;
    return HexDigitValue(value[at]) * 16 + HexDigitValue(value[at + 1]);
}

// A time value: minute, hour, day, month, year - 2000, each pair followed by one separator.
MonitorTimeParts TimeValue(const std::string& value)
{
    MonitorTimeParts t;
    t.Minute = HexPair(value, 0);
    t.Hour = HexPair(value, 3);
    t.Day = std::max(1, HexPair(value, 6));
    t.Month = std::max(1, HexPair(value, 9));
    t.Year = 2000 + HexPair(value, 12);
    return t;
}

int Decimal(const std::string& text)
{
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(v, -2147483647LL, 2147483647LL));
}

// Finds the next '#' directly followed by `digit` from p; p ends on the digit.
bool FindBlock(const MonitorStream& s, std::uint32_t& p, std::uint8_t digit)
{
    for (;;) {
        p = s.Find(p, '#');
        if (p + 1 >= s.Size())
            return false;
        ++p;
        if (s.Byte(p) == digit)
            return true;
    }
}

void StoreStationField(MonitorStationBlock& st, MonitorDocument& m, char key, const std::string& value)
{
    switch (key) {
    case 'Y': st.StationNo = ParseHex(value); break;
    case 'M': st.ObservationMode = Decimal(value); break;
    case 'D': st.ContentFlags = ParseHex(value); break;
    case 'I': st.IntegrationTime = ParseHex(value); break;
    case 'V': st.SoundStep = ParseHex(value); break;
    case 'A': st.StatisticsStep = ParseHex(value); break;
    case 'E': st.MeteoStep = ParseHex(value); break;
    case 'R': st.ReportStep = ParseHex(value); break;
    case 'F': st.ReservedF = ParseHex(value); break;
    case 'G': st.ReservedG = ParseHex(value); break;
    case 'H': st.ReservedH = ParseHex(value); break;
    case 'S':
        st.Start = TimeValue(value);
        st.StartCalendar = MonitorCalendarTime(st.Start);
        m.StartTimeWord = static_cast<std::uint16_t>(st.Start.Hour * 1800 + st.Start.Minute * 30);
        break;
    case 'T':
        st.Stop = TimeValue(value);
        st.StopCalendar = MonitorCalendarTime(st.Stop);
        break;
    case 'B': {
        st.CalibrationMinute = HexPair(value, 0);
        st.CalibrationHour = HexPair(value, 3);
        if (st.CalibrationMinute == 0 && st.CalibrationHour == 0) {
            st.CalibrationTime = st.StartCalendar;
            break;
        }
        MonitorTimeParts at = st.Start;
        at.Hour = st.CalibrationHour;
        at.Minute = st.CalibrationMinute;
        st.CalibrationTime = MonitorCalendarTime(at);
        if (st.CalibrationTime < st.StartCalendar) {
            ++at.Day; // mktime carries the day into the next month
            st.CalibrationTime = MonitorCalendarTime(at);
        }
        break;
    }
    case 'C':
        st.CalibrationStep = HexPair(value, 3) * 3600LL + HexPair(value, 0) * 60LL;
        break;
    default:
        break; // accepted, not used
    }
}

// Reads the station block from the byte after "#8"; p ends on its ';'.
bool ReadStationBlock(const MonitorStream& s, std::uint32_t& p, MonitorDocument& m)
{
    m.Station = MonitorStationBlock{};
    m.Station.StartCalendar = MonitorCalendarTime(m.Station.Start);
    m.Station.StopCalendar = MonitorCalendarTime(m.Station.Stop);
    bool calibrationTimeGiven = false;
    for (++p; p < s.Size(); ++p) {
        const std::uint8_t key = s.Byte(p);
        if (!IsLetter(key))
            continue;
        std::string value;
        ++p;
        while (p < s.Size() && (IsLetter(s.Byte(p)) || IsDigit(s.Byte(p)))) {
            if (value.size() < kValueLimit)
                value += static_cast<char>(s.Byte(p));
            ++p;
        }
        if (p >= s.Size())
            return false;
        StoreStationField(m.Station, m, static_cast<char>(key), value);
        calibrationTimeGiven = calibrationTimeGiven || key == 'B';
        const std::uint8_t end = s.Byte(p);
        if (end == ';') {
            // Without a time of day the calibrations start with the measurement, as with B00x00.
            if (!calibrationTimeGiven)
                m.Station.CalibrationTime = m.Station.StartCalendar;
            return true;
        }
        if (end != ',')
            return false;
    }
    return false;
}

// One value of the setup block: the run, split at ':' into value and index.
struct SetupValue {
    std::string text;  ///< the run before any ':'
    std::string index; ///< the run after ':'
    bool hasIndex = false;
};

bool IsSetupRunChar(std::uint8_t c, char key)
{
    return IsDigit(c) || c == '.' || c == ':' || (key == 'Q' && c == '-');
}

// Consumes the optional unit letter of a key when one of `letters` stands at p.
bool ConsumeOptional(const MonitorStream& s, std::uint32_t& p, const char* letters, std::uint8_t& found)
{
    if (p >= s.Size())
        return false;
    found = s.Byte(p);
    if (std::string_view(letters).find(static_cast<char>(found)) != std::string_view::npos)
        ++p;
    else
        found = 0;
    return true;
}

// Runs the action of a setup key; false when a byte it must consume lies past the stream.
bool StoreSetupField(const MonitorStream& s, std::uint32_t& p, MonitorSetupBlock& su, char key, const SetupValue& v)
{
    const int value = Decimal(v.text);
    std::uint8_t unit = 0;
    switch (key) {
    case 'U':
        if (!ConsumeOptional(s, p, "A", unit))
            return false;
        su.DeviceType = value;
        su.DeviceVariant = unit == 'A' ? 1 : 0;
        break;
    case 'N': su.SerialNo = value; break;
    case 'W': su.SoftwareVersion = value; break;
    case 'M': su.Function = value; break;
    case 'R': su.Range = value; break;
    case 'V': su.Polarization = value; break;
    case 'L': su.LeqIntegration = value; break;
    case 'Y': su.StartDelay = value; break;
    case 'K': su.AutoRepeat = value; break;
    case 'f': su.OctaveFilter = value; break;
    case 'b': su.OctaveInBuffer = value; break;
    case 'D':
        if (p >= s.Size())
            return false;
        unit = s.Byte(p++);
        su.IntegrationUnit = unit == 'h' ? 2 : unit == 'm' ? 1 : 0;
        su.IntegrationPeriod = static_cast<std::int64_t>(std::max(value, 0)) *
                               (unit == 'h' ? 3600 : unit == 'm' ? 60 : 1);
        break;
    case 'Q':
        // A whole number is whole decibels; a fraction is cut toward zero at 0.1 dB.
        su.CalibrationFactor = static_cast<int>(std::trunc(std::strtod(v.text.c_str(), nullptr) * 10.0));
        break;
    case 'F':
    case 'C':
    case 'B': {
        // Per-profile fields count only with a profile index of 1 to 3.
        const int index = v.hasIndex ? Decimal(v.index) : 0;
        if (index < 1 || index > 3)
            break;
        MonitorProfileSetup& profile = su.Profiles[static_cast<std::size_t>(index - 1)];
        (key == 'F' ? profile.Filter : key == 'C' ? profile.Detector : profile.BufferContents) = value;
        break;
    }
    case 'd':
        // The station's own time step replaces this one when the parse ends.
        if (!ConsumeOptional(s, p, "sm", unit))
            return false;
        break;
    default:
        break;
    }
    return true;
}

// Reads the setup block from the byte after "#1"; p ends on its ';'.
bool ReadSetupBlock(const MonitorStream& s, std::uint32_t& p, MonitorSetupBlock& su)
{
    su = MonitorSetupBlock{};
    for (++p; p < s.Size(); ++p) {
        const std::uint8_t keyByte = s.Byte(p);
        if (!IsLetter(keyByte))
            continue;
        const char key = static_cast<char>(keyByte);
        ++p;
        if (key == 'X') {
            if (p >= s.Size())
                return false;
            const std::uint8_t what = s.Byte(p);
            if (what != 'A' && what != 'R' && what != 'S')
                return false;
            ++p;
        }
        SetupValue v;
        while (p < s.Size() && IsSetupRunChar(s.Byte(p), key)) {
            const char c = static_cast<char>(s.Byte(p++));
            std::string& into = v.hasIndex ? v.index : v.text;
            if (c == ':' && !v.hasIndex)
                v.hasIndex = true;
            else if (into.size() < kValueLimit)
                into += c;
        }
        if (!StoreSetupField(s, p, su, key, v) || p >= s.Size())
            return false;
        const std::uint8_t end = s.Byte(p);
        if (end == ';')
            return true;
        if (end != ',')
            return false;
    }
    return false;
}

MonitorStreamKind StreamOfKind(std::uint8_t kind, std::uint8_t subKind)
{
    switch (kind) {
    case '1': return kStreamCalibration;
    case '2': return kStreamSound;
    case '3': return kStreamOctave;
    case '6': return kStreamMeteo;
    default:
        return subKind >= '1' && subKind <= '3' ? kStreamProfileStatistics : kStreamOctaveStatistics;
    }
}

void Append(MonitorDocument& m, MonitorStreamKind kind, std::uint32_t offset)
{
    MonitorIndexStream& stream = m.Streams[kind];
    if (!stream)
        stream.emplace().reserve(1024);
    stream->push_back(offset);
}

enum class Scan { Go, Stop, Cut, Invalid };

// The recorded stop time "#8,Q...;" from the 'Q' at q; p ends after its ';'.
Scan ReadStopRecord(const MonitorStream& s, std::uint32_t q, std::uint32_t& p, MonitorDocument& m)
{
    const std::uint32_t end = s.Find(q + 1, ';');
    if (end >= s.Size())
        return Scan::Cut;
    const MonitorTimeParts t = TimeValue(s.TextFrom(q + 1, kValueLimit));
    m.RecordedStopTime = t;
    m.Station.Stop = t;
    p = end + 1;
    return Scan::Go;
}

// The end record "#8X" s at p ('#'); with s '2' the buffer that follows.
Scan ReadEndRecord(const MonitorStream& s, std::uint32_t p, MonitorDocument& m)
{
    std::uint32_t q = p + 1;
    if (!SkipMonitorRecord(s, 'X', q))
        return Scan::Cut;
    if (p + 3 >= s.Size() || s.Byte(p + 3) != '2')
        return Scan::Stop;
    ++q;
    if (s.Inside(q) && s.Byte(q) == ';')
        ++q;
    if (s.Inside(q + 3) && s.Byte(q + 3) == 'B') {
        if (!SkipMonitorRecord(s, 0, q))
            return Scan::Cut;
        ++q;
        if (s.Inside(q) && s.Byte(q) == ';')
            ++q;
    }
    q += 8;
    if (!s.HasBytes(q, 4))
        return Scan::Cut;
    m.EmbeddedBufferDeclared = s.U32At(q);
    q += 4;
    if (s.Inside(q)) {
        m.EmbeddedBufferStart = q;
        m.EmbeddedBufferLength = s.Size() - q;
    }
    return Scan::Stop;
}

// One record from p; p ends after it.
Scan ScanRecord(const MonitorStream& s, std::uint32_t& p, MonitorDocument& m, std::uint32_t& interval,
                std::uint8_t& intervalSubKind)
{
    const std::uint32_t start = p;
    const std::uint8_t first = s.Byte(p);
    std::uint32_t q = p;
    if (first == '[') {
        if (!s.HasBytes(p, kMonitorHashOffset + 2))
            return Scan::Cut;
        if (s.Byte(p + kMonitorHashOffset) != '#')
            return Scan::Invalid;
        const std::uint8_t kind = s.Byte(p + kMonitorHashOffset + 1);
        if (kind != '2' && kind != '3' && kind != '5' && kind != '6')
            return Scan::Invalid;
        std::uint8_t subKind = 0;
        if (kind == '5') {
            if (!s.HasBytes(p, kStatisticsSubKindOffset + 1))
                return Scan::Cut;
            subKind = s.Byte(p + kStatisticsSubKindOffset);
        }
        q = p + kMonitorHashOffset + 1;
        if (!SkipMonitorRecord(s, kind, q))
            return Scan::Cut;
        interval = start;
        intervalSubKind = subKind;
        Append(m, StreamOfKind(kind, subKind), start);
        p = q + 1;
        return Scan::Go;
    }
    if (first != '#') {
        if (!SkipMonitorRecord(s, 0, q))
            return Scan::Cut;
        p = q + 1;
        return Scan::Go;
    }
    if (!s.Inside(p + 1))
        return Scan::Cut;
    const std::uint8_t kind = s.Byte(p + 1);
    switch (kind) {
    case '1':
        q = p + 1;
        if (!SkipMonitorRecord(s, kind, q))
            return Scan::Cut;
        interval = start;
        Append(m, kStreamCalibration, start);
        p = q + 1;
        return Scan::Go;
    case '2':
    case '3':
    case '5':
    case '6':
        // A later profile of the interval: indexed with the interval's first record.
        q = p + 1;
        if (!SkipMonitorRecord(s, kind, q))
            return Scan::Cut;
        Append(m, StreamOfKind(kind, intervalSubKind), interval);
        p = q + 1;
        return Scan::Go;
    case '8':
        if (s.Inside(p + 3) && s.Byte(p + 2) == ',' && s.Byte(p + 3) == 'Q')
            return ReadStopRecord(s, p + 3, p, m);
        if (s.Inside(p + 2) && s.Byte(p + 2) == 'X')
            return ReadEndRecord(s, p, m);
        p += 2;
        return Scan::Go;
    default:
        return Scan::Invalid;
    }
}

// Scans the records from p to the end or a "#8X" record. False for an invalid record.
bool ScanRecords(const MonitorStream& s, std::uint32_t p, MonitorDocument& m)
{
    std::uint32_t interval = 0;
    std::uint8_t intervalSubKind = 0;
    while (p < s.Size()) {
        if (s.Byte(p) == 0) {
            ++p;
            continue;
        }
        switch (ScanRecord(s, p, m, interval, intervalSubKind)) {
        case Scan::Go:
            break;
        case Scan::Stop:
            return true;
        case Scan::Cut:
            m.Incomplete = true;
            return true;
        case Scan::Invalid:
            return false;
        }
    }
    return true;
}

// The class layout at offset 14 of a statistics record, and its payload length.
MonitorHistogramLayout LayoutAt(const MonitorStream& s, std::uint32_t r, std::uint32_t& length)
{
    length = 0;
    if (!s.HasBytes(r, kStatisticsPayloadOffset + 6))
        return {};
    length = s.U16At(r + kStatisticsLengthOffset);
    if (length < 6)
        return {};
    return {s.U16At(r + 14), static_cast<std::int16_t>(s.U16At(r + 16)), static_cast<std::int16_t>(s.U16At(r + 18))};
}

void DeriveFields(const MonitorStream& s, MonitorDocument& m)
{
    const MonitorStationBlock& st = m.Station;
    m.SoundColumns = 1 + (st.Has(kMonitorProfile2) ? 1 : 0) + (st.Has(kMonitorProfile3) ? 1 : 0);
    m.SoundProfileMask = static_cast<std::uint16_t>(1 | (st.Has(kMonitorProfile2) ? 2 : 0) |
                                                    (st.Has(kMonitorProfile3) ? 4 : 0));
    m.StatisticsProfileMask = static_cast<std::uint16_t>((st.Has(kMonitorStatProfile1) ? 1 : 0) |
                                                         (st.Has(kMonitorStatProfile2) ? 2 : 0) |
                                                         (st.Has(kMonitorStatProfile3) ? 4 : 0));
    m.StatisticsProfileCount = std::popcount(m.StatisticsProfileMask);
    m.SoundRecordCount = m.Count(kStreamSound) / static_cast<std::uint32_t>(m.SoundColumns);
    m.MeteoRecordCount = m.Count(kStreamMeteo);
    m.CalibrationRecordCount = m.Count(kStreamCalibration);
    m.OctaveRecordCount = static_cast<std::int16_t>(m.Count(kStreamOctave));
    m.ProfileStatisticsCount = m.StatisticsProfileCount != 0
                                   ? m.Count(kStreamProfileStatistics) / static_cast<std::uint32_t>(m.StatisticsProfileCount)
                                   : 0;
    m.OctaveStatisticsCount = m.Count(kStreamOctaveStatistics);

    std::uint32_t length = 0;
    m.ProfileLayout = {};
    m.OctaveLayout = {};
    m.OctaveStatisticsBands = 0;
    if (m.ProfileStatisticsCount != 0)
        m.ProfileLayout = LayoutAt(s, m.Record(kStreamProfileStatistics, 1), length);
    if (m.OctaveStatisticsCount != 0) {
        // Octave statistics have a layout of their own; the profiles' stays theirs.
        m.OctaveLayout = LayoutAt(s, m.Record(kStreamOctaveStatistics, 1), length);
        // A layout of no classes holds no bands.
        m.OctaveStatisticsBands = m.OctaveLayout.ClassCount > 0
                                      ? static_cast<int>(length / (static_cast<std::uint32_t>(m.OctaveLayout.ClassCount) * 4))
                                      : 0;
    }
    m.SpectrumValues = m.Setup.Function == 2 ? 18 : m.Setup.Function == 3 ? 48 : 0;
    m.FrequencyBands = m.SpectrumValues != 0 ? m.SpectrumValues - 3 : 0;
}

} // namespace

bool SkipMonitorRecord(const MonitorStream& s, std::uint8_t kind, std::uint32_t& p)
{
    if (kind == '3' || kind == '5') {
        const std::uint32_t at = p + (kind == '3' ? 3u : 5u);
        if (!s.HasBytes(at, 2))
            return false;
        const std::uint64_t end = std::uint64_t{at} + 2 + s.U16At(at);
        if (!s.Inside(end) || s.Byte(static_cast<std::uint32_t>(end)) != ';')
            return false;
        p = static_cast<std::uint32_t>(end);
        return true;
    }
    p = s.Find(p, ';');
    return p < s.Size();
}

MonitorParseResult ParseMonitorStream(const MonitorStream& s, MonitorDocument& m)
{
    std::uint32_t p = 0;
    if (s.Size() > 0 && s.Byte(0) == 'S')
        p = s.Find(kCaptureHeaderLength, '#');
    if (!FindBlock(s, p, '8') || !ReadStationBlock(s, p, m))
        return MonitorParseResult::Invalid;
    if (!FindBlock(s, p, '1') || !ReadSetupBlock(s, p, m.Setup))
        return MonitorParseResult::Invalid;
    // The stop record of the stream stands for the block's stop, whatever ran before.
    if (m.RecordedStopTime)
        m.Station.Stop = *m.RecordedStopTime;
    if (!m.Scanned) {
        m.Scanned = true;
        if (!ScanRecords(s, p + 1, m))
            return MonitorParseResult::Invalid;
    }
    if (m.Setup.IntegrationPeriod <= 0)
        return MonitorParseResult::ZeroPeriod;
    DeriveFields(s, m);
    return MonitorParseResult::Parsed;
}

bool ParseMonitorFile(CTmDoc& doc)
{
    std::shared_ptr<MonitorDocument>& state = doc.MonitorState();
    if (!state)
        state = std::make_shared<MonitorDocument>();
    const bool firstScan = !state->Scanned;
    const MonitorStream stream(doc.Image(), doc.ByteCount());
    MonitorParseResult result = MonitorParseResult::Invalid;
    try {
        result = ParseMonitorStream(stream, *state);
    } catch (const ImageRangeError&) {
        result = MonitorParseResult::Invalid;
    }
    if (firstScan && state->Incomplete)
        doc.Ui().ShowMessage(DocMessageTable[kMsgFileNotComplete], kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    return result == MonitorParseResult::Parsed;
}

const MonitorDocument* MonitorStateOf(const CTmDoc& doc)
{
    return doc.Monitor();
}

} // namespace orlu
