// Main results of MONITOR documents: the sound values and their conversion,
// and the text and table forms against texts written from their layouts.

#include "MonitorTestSupport.h"

#include "document/LineList.h"
#include "monitor/MonitorResultsTable.h"
#include "monitor/MonitorResultsText.h"
#include "monitor/MonitorSoundValues.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"

#include <cmath>

namespace orlu {
namespace {

using fixture::MonitorSound;
using fixture::MonitorStreamBuilder;

TEST(MonitorSoundValuesTest, IntegrationTimeRestartsEveryPeriod)
{
    const std::int64_t expected[] = {900, 1800, 2700, 3600, 900};
    for (std::int64_t t = 1; t <= 5; ++t)
        EXPECT_EQ(IntervalIntegrationTime(t, 900, 3600), expected[t - 1]) << t;
    // A station without a sound step (-1) gives a negative time: no SEL.
    EXPECT_LT(IntervalIntegrationTime(1, -1, 3600), 0);
}

TEST(MonitorSoundValuesTest, SelFromLeqAndIntegrationTime)
{
    MonitorValueArray v{};
    v[kSlotLeq] = 60.0;
    v[kSlotT] = 3600;
    v[kSlotSel] = 97.0; // as the station recorded it
    // Linear: the sound exposure p0^2 10^(SEL/10) with SEL = 60 + 10 log10 3600 = 95.563 dB.
    const MonitorSoundValues linear = ConvertMonitorSoundRecord(v, true, 6, 20.0);
    EXPECT_NEAR(10 * std::log10(linear.Sel / (20e-6 * 20e-6)), 95.563, 5e-4);
    EXPECT_NEAR(linear.Sel, 1.44, 1e-9);
    EXPECT_NEAR(linear.Leq, 1e-3 * 20.0, 1e-12); // 10^(60/20 - 6) times the scale
    // dB: the SEL the station recorded.
    EXPECT_DOUBLE_EQ(ConvertMonitorSoundRecord(v, false, 6, 1.0).Sel, 97.0);
    v[kSlotT] = -1;
    EXPECT_FALSE(ConvertMonitorSoundRecord(v, true, 6, 20.0).SelPresent);
}

TEST(MonitorSoundValuesTest, LettersOfTheSoftwareVersion)
{
    MonitorValueArray v{};
    ReadLetterValues("P80.0 L61.5 R62.5 U90.1 P81.0", "PMNSRU", kSlotPeak, v);
    EXPECT_DOUBLE_EQ(v[kSlotLeq], 62.5);
    EXPECT_DOUBLE_EQ(v[kSlotPeak], 81.0); // the last of a letter met twice
    MonitorValueArray older{};
    ReadLetterValues("P80.0 L61.5 R62.5", "PMNSLU", kSlotPeak, older);
    EXPECT_DOUBLE_EQ(older[kSlotLeq], 61.5);
}

// One profile of an Extended-mode station acquiring all six values and meteo
// data, two intervals of 15 minutes, two calibrations an hour apart and a
// recorded stop at 13:45.
MonitorStreamBuilder OneProfileStation()
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M2,DFC04,V384,E384,S00x0Cx09x07x09,C00x01x00")
        .Setup("U525,N1234,W315,M2,R2,D1h,F2:1,C1:1")
        .Sound(1, MonitorSound{80.0, 70.0, 50.0, 61.0, 60.0, 89.5, 'R'})
        .Calibration(93.9)
        .Meteo(1, {21.5, std::nullopt, 40.0, 2.0, 5.0, 180.0})
        .Sound(2, MonitorSound{81.5, 72.3, 51.2, 62.4, 63.3, 95.6, 'R'})
        .StopRecord({45, 13, 9, 7, 2009})
        .Calibration(94.0);
    return b;
}

class MonitorResultsTest : public MonitorTest {
protected:
    std::string Text(CTmDoc& doc, std::uint16_t profiles, bool linear)
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(FormatMonitorResultsText(doc, lines, &widest, profiles, linear));
        const std::string text = test::JoinedLines(lines);
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
};

TEST_F(MonitorResultsTest, TextOfOneProfileInDecibels)
{
    auto doc = Load(OneProfileStation());
    EXPECT_EQ(Text(*doc, 7, false), fixture::Golden("monitor-results.txt"));
}

TEST_F(MonitorResultsTest, TextInLinearUnitsShowsTheExposure)
{
    auto doc = Load(OneProfileStation());
    const std::string text = Text(*doc, 1, true);
    EXPECT_NE(text.find("                                             |       |                                    |     "
                        "Pa\xB2s\r\n"),
              std::string::npos);
    // 0.2 Pa peak in mPa; SEL 60 dB + 10 log10 900 s = 0.36 Pa2s.
    EXPECT_NE(text.find(" Thu 09/07/2009  12:15'00   #1      A   Slow |   mPa |  200.0    6.3   63.2   22.4   20.0 |  "
                        "3.60e-1\r\n"),
              std::string::npos);
    // The second interval integrates 1800 s: 63.3 dB + 32.55 dB gives 1.54 Pa2s.
    EXPECT_NE(text.find("|  237.7    7.3   82.4   26.4   29.2 |  1.54e+0\r\n"), std::string::npos);
}

TEST_F(MonitorResultsTest, TextOfThreeProfilesWithoutSel)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D8803,V384,S00x0Cx09x07x09")
        .Setup("U525,W315,D1h,F2:1,F3:2,F1:3,C1:1,C0:2,C2:3")
        .Sound(1, MonitorSound{80.0, {}, {}, {}, 60.0, {}, 'R'})
        .SoundNext(MonitorSound{81.5, {}, {}, {}, 63.3, {}, 'R'})
        .SoundNext(MonitorSound{70.0, {}, {}, {}, 50.0, {}, 'R'});
    auto doc = Load(b);
    EXPECT_EQ(Text(*doc, 7, true), fixture::Golden("monitor-results-three-profiles.txt"));
}

TEST_F(MonitorResultsTest, OnlyProfilesInUseAreShown)
{
    // Profile 3 is in use, profile 2 is not: selecting both shows #1 (unselected: no) and #3 read from
    // the record after profile 1's.
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0801,V384,S00x0Cx09x07x09")
        .Setup("U525,W315,D1h")
        .Sound(1, MonitorSound{{}, {}, {}, {}, 60.0, {}, 'R'})
        .SoundNext(MonitorSound{{}, {}, {}, {}, 55.5, {}, 'R'});
    auto doc = Load(b);
    const std::string text = Text(*doc, 6, false);
    EXPECT_EQ(text.find("#2"), std::string::npos);
    EXPECT_NE(text.find("   #3   UNDF   Fast |    dB |   55.5\r\n"), std::string::npos);
    // No profile shown: no sound section at all.
    EXPECT_EQ(Text(*doc, 2, false), "");
}

TEST_F(MonitorResultsTest, TableWithSemicolonsAndDecimalComma)
{
    auto doc = Load(OneProfileStation());
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorResultsTable(*doc, lines, &widest, kind, 7, false, TableOutputOptions{0, 1, 2}));
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(test::JoinedLines(lines), fixture::Golden("monitor-results-table.txt"));
}

TEST_F(MonitorResultsTest, LinearTableInScientificForm)
{
    auto doc = Load(OneProfileStation());
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorResultsTable(*doc, lines, &widest, kind, 1, true, TableOutputOptions{1, 0, 6}));
    const std::string text = test::JoinedLines(lines);
    EXPECT_NE(text.find("Date      Clock     Prof      Filter    Detect    units     Peak      Min       Max       "
                        "Spl       Leq       SEL[Pa\xB2s]  \r\n"),
              std::string::npos);
    // Exponents as short as the Main-results tables of every family write them.
    EXPECT_NE(text.find("09/07/09  12:15'00  1         A         Slow      Pa        2.00e-1   6.32e-3   6.32e-2   "
                        "2.24e-2   2.00e-2   3.60e-1   \r\n"),
              std::string::npos);
}

} // namespace
} // namespace orlu
