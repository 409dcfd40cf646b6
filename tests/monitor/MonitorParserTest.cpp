// The MONITOR stream parser: the two blocks, the record scan with its index
// streams, damaged streams and the embedded buffer.

#include "MonitorTestSupport.h"

#include "document/ExtractRequest.h"
#include "support/FixtureBuilder.h"
#include "document/ViewMask.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorTime.h"

#include <functional>

namespace orlu {
namespace {

using fixture::MonitorSound;
using fixture::MonitorStreamBuilder;

constexpr std::string_view kSetup = "U525,N1234,W315,M2,R2,D15m,F2:1,C1:1";

MonitorSound Levels(double leq)
{
    return MonitorSound{leq + 20, leq + 10, leq - 10, leq + 1, leq, leq + 30};
}

TEST_F(MonitorTest, StationBlockOfTheWorkedExample)
{
    auto doc = Load(MonitorStreamBuilder().Station(kExampleStation).Setup(kSetup));
    const MonitorStationBlock& st = doc->Monitor()->Station;
    EXPECT_EQ(st.StationNo, 26);
    EXPECT_EQ(NameAt(kMonitorObservationModes, st.ObservationMode), "Extended");
    EXPECT_EQ(st.ContentFlags, 0x1F07);
    EXPECT_EQ(st.SoundStep, 60);
    const MonitorClock start = MonitorClockAt(st.StartCalendar);
    EXPECT_EQ(start.Hour, 12);
    EXPECT_EQ(start.Minute, 30);
    EXPECT_EQ(start.Day, 9);
    EXPECT_EQ(start.Month, 7);
    EXPECT_EQ(start.Year, 2009);
    EXPECT_EQ(start.Weekday, 4); // a Thursday
    EXPECT_EQ(doc->Monitor()->StartTimeWord, 12 * 1800 + 30 * 30);
}

TEST_F(MonitorTest, StationFieldsMissingFromTheBlockKeepTheirPresets)
{
    auto doc = Load(MonitorStreamBuilder().Station("D0800,S00x08x00x00x0A").Setup(kSetup));
    const MonitorStationBlock& st = doc->Monitor()->Station;
    EXPECT_EQ(st.StationNo, 1);
    EXPECT_EQ(st.ObservationMode, -1);
    EXPECT_EQ(NameAt(kMonitorObservationModes, st.ObservationMode, "UNDEFINED"), "UNDEFINED");
    EXPECT_EQ(st.SoundStep, -1);
    // Day and month 0 are taken as 1.
    EXPECT_EQ(st.Start.Day, 1);
    EXPECT_EQ(st.Start.Month, 1);
    EXPECT_EQ(st.Start.Year, 2010);
}

TEST_F(MonitorTest, CalibrationTimeFollowsTheStart)
{
    struct Case {
        const char* b;
        int dayOffset, hour, minute;
    } cases[] = {
        {"B00x00", 0, 12, 30}, // no time of day: the start itself
        {"B00x0E", 0, 14, 0},  // later the same day
        {"B00x06", 1, 6, 0},   // earlier in the day: the next day
    };
    for (const Case& c : cases) {
        auto doc = Load(MonitorStreamBuilder().Station(std::string(kExampleStation) + "," + c.b).Setup(kSetup));
        const MonitorClock at = MonitorClockAt(doc->Monitor()->Station.CalibrationTime);
        EXPECT_EQ(at.Day, 9 + c.dayOffset) << c.b;
        EXPECT_EQ(at.Hour, c.hour) << c.b;
        EXPECT_EQ(at.Minute, c.minute) << c.b;
    }
}

TEST_F(MonitorTest, SetupFields)
{
    struct Case {
        std::string fields;
        bool parses;
        std::function<void(const MonitorSetupBlock&)> check;
    } cases[] = {
        {"F2:1,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.Profiles[0].Filter, 2); }},
        {"C1:3,B2:2,D15m", true,
         [](const MonitorSetupBlock& s) {
             EXPECT_EQ(s.Profiles[2].Detector, 1);
             EXPECT_EQ(s.Profiles[1].BufferContents, 2);
         }},
        // A profile field without an index, or with one outside 1..3, is ignored.
        {"F2,F3:0,F4:4,D15m", true,
         [](const MonitorSetupBlock& s) {
             for (const MonitorProfileSetup& p : s.Profiles)
                 EXPECT_EQ(p.Filter, 0);
         }},
        {"Q-1.25,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.CalibrationFactor, -12); }},
        {"Q-12,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.CalibrationFactor, -120); }},
        {"D15m", true,
         [](const MonitorSetupBlock& s) {
             EXPECT_EQ(s.IntegrationPeriod, 900);
             EXPECT_EQ(s.IntegrationUnit, 1);
         }},
        {"D2h", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.IntegrationPeriod, 7200); }},
        {"D900s", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.IntegrationUnit, 0); }},
        // The byte after D's digits is always its unit: the comma goes, 'K' cannot follow.
        {"D15,K1", false, nullptr},
        {"U525A,D15m", true,
         [](const MonitorSetupBlock& s) {
             EXPECT_EQ(s.DeviceType, 525);
             EXPECT_EQ(s.DeviceVariant, 1);
         }},
        {"U525,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(s.DeviceVariant, 0); }},
        {"W314,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(MonitorResultLetters(s), "PMNSLU"); }},
        {"W315,D15m", true, [](const MonitorSetupBlock& s) { EXPECT_EQ(MonitorResultLetters(s), "PMNSRU"); }},
        {"XA12,XR3,XS1,d100,d5s,D15m", true, nullptr},
        {"XB12,D15m", false, nullptr},
        // A value longer than the station writes is cut, not read past.
        {"N" + std::string(60, '7') + ",D15m", true, [](const MonitorSetupBlock& s) { EXPECT_GT(s.SerialNo, 0); }},
        // Without an integration period no interval can be dated: a load error.
        {"D0s", false, nullptr},
        {"U525", false, nullptr},
    };
    for (const Case& c : cases) {
        bool loaded = false;
        auto doc = Load(MonitorStreamBuilder().Station(kExampleStation).Setup(c.fields), &loaded);
        EXPECT_EQ(loaded, c.parses) << c.fields;
        if (!c.parses) {
            EXPECT_EQ(doc->FileKind(), kKindUnreadable) << c.fields;
            EXPECT_EQ(doc->GetViewMask(), kViewMaskHexa) << c.fields;
        } else if (c.check) {
            c.check(doc->Monitor()->Setup);
        }
    }
}

TEST_F(MonitorTest, SetupFieldsResetAtEveryParse)
{
    auto doc = Load(MonitorStreamBuilder().Station(kExampleStation).Setup("W315,F3:2,D15m"));
    MonitorDocument& m = *doc->MonitorState();
    m.Setup.Profiles[0].Filter = 4; // a value left by an earlier parse
    m.Station.StationNo = 99;
    ASSERT_TRUE(ParseMonitorFile(*doc));
    EXPECT_EQ(m.Setup.Profiles[0].Filter, 0);
    EXPECT_EQ(m.Setup.Profiles[1].Filter, 3);
    EXPECT_EQ(m.Station.StationNo, 26);
}

TEST_F(MonitorTest, CaptureHeaderIsPassedOver)
{
    MonitorStreamBuilder b;
    b.CaptureHeader().Raw("\r\n").Station(kExampleStation).Setup(kSetup).Sound(1, Levels(60));
    bool loaded = false;
    auto doc = Load(b, &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(doc->Monitor()->Station.StationNo, 26);
    EXPECT_EQ(doc->Monitor()->Count(kStreamSound), 1u);
}

TEST_F(MonitorTest, RecordsOfAnIntervalPointToItsFirstRecord)
{
    // Profiles 2 and 3 in use, statistics in profiles 1 and 3, 1/1 octaves.
    MonitorStreamBuilder b;
    b.Station("Y1,M1,DFE83,V384,A384,E384,S00x0Cx01x01x0A").Setup(kSetup);
    std::vector<std::size_t> firsts;
    for (std::uint16_t n = 1; n <= 3; ++n) {
        firsts.push_back(b.Size());
        b.Sound(n, Levels(60)).SoundNext(Levels(61)).SoundNext(Levels(62));
        b.Calibration(93.9);
        const std::size_t statistics = b.Size();
        b.Statistics(n, '1', 3, 300, 10, {1, 2, 3}).Statistics(std::nullopt, '3', 3, 300, 10, {4, 5, 6});
        b.Octave(n, std::vector<std::int16_t>(18, 500));
        b.ZeroGap(3);
        b.Meteo(n, {21.5, 1013, 40, 2, 5, 180});
        if (n == 1)
            firsts.push_back(statistics);
    }
    bool loaded = false;
    auto doc = Load(b, &loaded);
    ASSERT_TRUE(loaded);
    const MonitorDocument& m = *doc->Monitor();
    EXPECT_EQ(m.SoundColumns, 3);
    EXPECT_EQ(m.Count(kStreamSound), 9u);
    EXPECT_EQ(m.SoundRecordCount, 3u);
    EXPECT_EQ(m.Record(kStreamSound, 2), firsts[0]);
    EXPECT_EQ(m.Record(kStreamSound, 3), firsts[0]);
    EXPECT_EQ(m.Record(kStreamSound, 4), firsts[2]);
    EXPECT_EQ(m.StatisticsProfileCount, 2);
    EXPECT_EQ(m.ProfileStatisticsCount, 3u);
    EXPECT_EQ(m.Record(kStreamProfileStatistics, 2), firsts[1]);
    EXPECT_EQ(m.CalibrationRecordCount, 3u);
    EXPECT_EQ(m.OctaveRecordCount, 3);
    EXPECT_EQ(m.MeteoRecordCount, 3u);
    EXPECT_EQ(m.OctaveStatisticsCount, 0u);
    EXPECT_EQ(m.ProfileLayout.ClassCount, 3);
    EXPECT_EQ(m.ProfileLayout.LowestClass, 300);
    EXPECT_EQ(m.SpectrumValues, 18);
    const std::uint32_t mask = doc->GetViewMask();
    for (std::uint32_t bit : {kViewMaskHeaderInfo, kViewMaskMainResults, kViewMaskHistograms, kViewMaskStatLevels,
                              kViewMaskDensities, kViewMaskOctave11, kViewMaskHexa, kViewMaskAscii})
        EXPECT_NE(mask & bit, 0u) << bit;
    EXPECT_EQ(mask & (kViewMaskOctave13 | kViewMaskSettings | kViewMaskBuffer), 0u);
}

TEST_F(MonitorTest, OctaveStatisticsGiveTheBandLayout)
{
    MonitorStreamBuilder b;
    b.Station("Y1,M1,D0A20,V384,S00x0Cx01x01x0A").Setup("M3,D15m");
    // 4 classes of 5 bands: 80 bytes of counts; the profile's 3 classes of its own.
    b.Statistics(1, 'O', 4, 250, 5, std::vector<std::uint32_t>(20, 1));
    b.Statistics(1, '1', 3, 300, 10, {1, 2, 3});
    auto doc = Load(b);
    const MonitorDocument& m = *doc->Monitor();
    EXPECT_EQ(m.ProfileLayout.ClassCount, 3);
    EXPECT_EQ(m.ProfileLayout.ClassWidth, 10);
    EXPECT_EQ(m.OctaveStatisticsCount, 1u);
    EXPECT_EQ(m.OctaveLayout.ClassCount, 4);
    EXPECT_EQ(m.OctaveLayout.ClassWidth, 5);
    EXPECT_EQ(m.OctaveStatisticsBands, 5);
    EXPECT_EQ(m.SpectrumValues, 48);
    EXPECT_NE(doc->GetViewMask() & kViewMaskHistograms, 0u);
    // No octave records: neither octave view.
    EXPECT_EQ(doc->GetViewMask() & (kViewMaskOctave11 | kViewMaskOctave13), 0u);
}

TEST_F(MonitorTest, StopRecordIsItsOwnField)
{
    MonitorStreamBuilder b;
    b.Station(std::string(kExampleStation) + ",T00x0Dx09x07x09").Setup(kSetup).Sound(1, Levels(60));
    b.StopRecord({45, 13, 0, 7, 2009}).Sound(2, Levels(61));
    auto doc = Load(b);
    MonitorDocument& m = *doc->MonitorState();
    ASSERT_TRUE(m.RecordedStopTime);
    EXPECT_EQ(m.RecordedStopTime->Minute, 45);
    EXPECT_EQ(m.RecordedStopTime->Day, 1); // day 0 taken as 1
    EXPECT_EQ(m.Count(kStreamSound), 2u);
    // A later parse reads the block's stop again, and the recorded stop still stands.
    ASSERT_TRUE(ParseMonitorFile(*doc));
    EXPECT_EQ(m.Station.Stop.Minute, 45);
}

TEST_F(MonitorTest, EndRecordStopsTheScan)
{
    MonitorStreamBuilder b;
    b.Station(kExampleStation).Setup(kSetup).Sound(1, Levels(60)).End('1').Sound(2, Levels(61));
    auto doc = Load(b);
    EXPECT_EQ(doc->Monitor()->Count(kStreamSound), 1u);
    EXPECT_EQ(doc->Monitor()->EmbeddedBufferLength, 0u);
}

TEST_F(MonitorTest, EmbeddedBufferIsFoundAtAnyOffset)
{
    for (std::size_t pad : {0, 1}) {
        // A whole instrument file, so that the extracted Buffer opens as one.
        const std::vector<std::uint8_t> buffer = fixture::SampleCurrentFamilyFile();
        MonitorStreamBuilder b;
        b.Station(kExampleStation).Setup(kSetup).Sound(1, Levels(60)).ZeroGap(pad).EmbeddedBuffer(buffer);
        auto doc = Load(b);
        const MonitorDocument& m = *doc->Monitor();
        EXPECT_EQ(m.EmbeddedBufferStart % 2, (b.Size() - buffer.size()) % 2);
        EXPECT_EQ(m.EmbeddedBufferStart, b.Size() - buffer.size()) << pad;
        ASSERT_EQ(m.EmbeddedBufferLength, buffer.size());
        EXPECT_EQ(m.EmbeddedBufferDeclared, buffer.size());
        const ImageReader reader = doc->Reader();
        std::vector<std::uint8_t> read;
        for (std::uint32_t i = 0; i < m.EmbeddedBufferLength; ++i)
            read.push_back(reader.Byte(m.EmbeddedBufferStart + i));
        EXPECT_EQ(read, buffer) << pad;

        // Extract Buffer copies exactly those bytes, from an odd byte as from an even one.
        ASSERT_TRUE(RequestBufferExtract(app, *doc));
        CTmDoc extracted(app);
        ASSERT_TRUE(extracted.OnNewDocument()) << pad;
        EXPECT_EQ(extracted.FileKind(), 45); // an ORLU 525 file
        const ImageReader copy = extracted.Reader();
        ASSERT_EQ(copy.ByteCount(), buffer.size());
        std::vector<std::uint8_t> copied;
        for (std::uint32_t i = 0; i < copy.ByteCount(); ++i)
            copied.push_back(copy.Byte(i));
        EXPECT_EQ(copied, buffer) << pad;
    }
}

TEST_F(MonitorTest, CaughtOutputOpensByTheSameRules)
{
    // The image a catch of the station's output writes: capture header, the stream, its first
    // block ending "#8X2;", three bytes, "#4,2;", the buffer's length and the buffer.
    const std::vector<std::uint8_t> buffer = {'O', 'R', 'L', 'U', 0, 1, 2, 3, 0xFF};
    MonitorStreamBuilder b;
    b.CaptureHeader().Station(kExampleStation).Setup(kSetup).Sound(1, Levels(60)).EmbeddedBuffer(buffer);
    InstallMonitorParser(app);
    app.PendingDocSource = kPendingInstrument;
    app.PendingFileKind = kKindMonitor;
    app.CaughtOutput = b.Data();
    CTmDoc doc(app);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.FileKind(), kKindMonitor);
    ASSERT_NE(doc.Monitor(), nullptr);
    EXPECT_EQ(doc.Monitor()->Count(kStreamSound), 1u);
    EXPECT_EQ(doc.Monitor()->EmbeddedBufferLength, buffer.size());
    EXPECT_EQ(doc.Monitor()->EmbeddedBufferStart, b.Size() - buffer.size());
    EXPECT_NE(doc.GetViewMask() & kViewMaskMainResults, 0u);
    // A caught image the parser refuses makes no document.
    app.CaughtOutput = std::vector<std::uint8_t>{'#', '8', 'Y', '1', ';', '#', '7', ';'};
    CTmDoc refused(app);
    EXPECT_FALSE(refused.OnNewDocument());
}

TEST_F(MonitorTest, SecondParseKeepsTheIndexAndShowsNoMessage)
{
    MonitorStreamBuilder b;
    b.Station(kExampleStation).Setup(kSetup).Sound(1, Levels(60)).Raw("[0002 #2   P7");
    auto doc = Load(b);
    ASSERT_EQ(ui.texts.size(), 1u);
    EXPECT_EQ(ui.texts[0], "The file is not complete...");
    const MonitorDocument* first = doc->Monitor();
    ASSERT_TRUE(ParseMonitorFile(*doc));
    EXPECT_EQ(doc->Monitor(), first);
    EXPECT_EQ(first->Count(kStreamSound), 1u);
    EXPECT_EQ(ui.texts.size(), 1u);
}

// Damaged streams: each is a whole stream cut, or with one bad record, after a
// sound and a calibration record that must stay indexed.
TEST_F(MonitorTest, DamagedStreams)
{
    enum Outcome { Opens, OpensIncomplete, Refused };
    struct Case {
        const char* name;
        std::function<void(MonitorStreamBuilder&)> tail;
        std::size_t cut; ///< bytes cut off the end (0: none)
        Outcome outcome;
    } cases[] = {
        {"sound text without ';'", [](MonitorStreamBuilder& b) { b.Sound(2, Levels(61)); }, 1, OpensIncomplete},
        {"inside a record number", [](MonitorStreamBuilder& b) { b.Sound(2, Levels(61)); }, 40, OpensIncomplete},
        {"continuation cut", [](MonitorStreamBuilder& b) { b.SoundNext(Levels(61)); }, 2, OpensIncomplete},
        {"calibration cut", [](MonitorStreamBuilder& b) { b.Calibration(94.0); }, 1, OpensIncomplete},
        {"meteo cut", [](MonitorStreamBuilder& b) { b.Meteo(2, {20, 1000, 50, 1, 2, 3}); }, 3, OpensIncomplete},
        {"octave payload cut", [](MonitorStreamBuilder& b) { b.Octave(2, std::vector<std::int16_t>(18, 1)); }, 9,
         OpensIncomplete},
        {"octave length word cut", [](MonitorStreamBuilder& b) { b.Octave(2, {1}); }, 5, OpensIncomplete},
        {"class counts past the record",
         [](MonitorStreamBuilder& b) { b.Statistics(2, '1', 60, 300, 10, std::vector<std::uint32_t>(60, 1)); }, 17,
         OpensIncomplete},
        {"octave without its ';'",
         [](MonitorStreamBuilder& b) { b.Raw("[0002 #3  ").RawBytes({4, 0, 1, 0, 2, 0}).Raw("x;"); }, 0,
         OpensIncomplete},
        {"stop record cut", [](MonitorStreamBuilder& b) { b.StopRecord({1, 2, 3, 4, 2009}); }, 1, OpensIncomplete},
        {"buffer length cut", [](MonitorStreamBuilder& b) { b.EmbeddedBuffer({}); }, 2, OpensIncomplete},
        {"#4", [](MonitorStreamBuilder& b) { b.Raw("#4,2;"); }, 0, Refused},
        {"#7", [](MonitorStreamBuilder& b) { b.Raw("#7;"); }, 0, Refused},
        {"# and a letter", [](MonitorStreamBuilder& b) { b.Raw("#A;"); }, 0, Refused},
        {"'[' without '#'", [](MonitorStreamBuilder& b) { b.Raw("[0002 X2   P1;"); }, 0, Refused},
        {"'[' of kind 4", [](MonitorStreamBuilder& b) { b.Raw("[0002 #4   P1;"); }, 0, Refused},
        {"unclassified record", [](MonitorStreamBuilder& b) { b.Raw("\r\nnoise;"); }, 0, Opens},
        {"unknown #8 record", [](MonitorStreamBuilder& b) { b.Raw("#8,Z;#8A;"); }, 0, Opens},
    };
    for (const Case& c : cases) {
        MonitorStreamBuilder b;
        b.Station(std::string(kExampleStation)).Setup(kSetup).Sound(1, Levels(60)).Calibration(93.8);
        c.tail(b);
        std::vector<std::uint8_t> bytes = b.Data();
        bytes.resize(bytes.size() - c.cut);
        ui.texts.clear();
        bool loaded = false;
        auto doc = Load(bytes, &loaded);
        EXPECT_EQ(loaded, c.outcome != Refused) << c.name;
        if (c.outcome == Refused) {
            EXPECT_EQ(doc->FileKind(), kKindUnreadable) << c.name;
            EXPECT_EQ(doc->GetViewMask(), kViewMaskHexa) << c.name;
            continue;
        }
        const MonitorDocument& m = *doc->Monitor();
        EXPECT_EQ(m.Incomplete, c.outcome == OpensIncomplete) << c.name;
        EXPECT_EQ(ui.texts.size(), c.outcome == OpensIncomplete ? 1u : 0u) << c.name;
        EXPECT_EQ(m.Count(kStreamSound), 1u) << c.name;
        EXPECT_EQ(m.Count(kStreamCalibration), 1u) << c.name;
        EXPECT_NE(doc->GetViewMask() & kViewMaskMainResults, 0u) << c.name;
    }
}

TEST_F(MonitorTest, StreamsWithoutBlocksAreRefused)
{
    const std::string cases[] = {
        "",
        "#1D15m;",                                  // no station block
        "#8Y1A,M2;",                                // no setup block
        "#8Y1A,M2",                                 // the station block runs to the end
        "#8Y1A.M2;#1D15m;",                         // a station value ends on '.'
        "#8Y1;#1D15m",                              // the setup block runs to the end
        "#8Y1;#1D15m K1;",                          // a setup value ends on a blank
    };
    for (const std::string& text : cases) {
        bool loaded = true;
        auto doc = Load(std::vector<std::uint8_t>(text.begin(), text.end()), &loaded);
        EXPECT_FALSE(loaded) << text;
        EXPECT_EQ(doc->FileKind(), kKindUnreadable) << text;
    }
}

} // namespace
} // namespace orlu
