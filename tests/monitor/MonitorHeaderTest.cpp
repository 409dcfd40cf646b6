// Header information of MONITOR documents.

#include "MonitorTestSupport.h"

#include "document/LineList.h"
#include "monitor/MonitorHeaderText.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"

namespace orlu {
namespace {

using fixture::MonitorStreamBuilder;

class MonitorHeaderTest : public MonitorTest {
protected:
    std::string Header(const std::string& station, const std::string& setup, std::uint16_t profiles)
    {
        auto doc = Load(MonitorStreamBuilder().Station(station).Setup(setup));
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(FormatMonitorHeaderText(*doc, lines, &widest, profiles, 0));
        const std::string text = test::JoinedLines(lines);
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
};

TEST_F(MonitorHeaderTest, ThreeProfilesOfFirmware213)
{
    EXPECT_EQ(Header("Y1A,M2,DFE47,I384,V384,A384,E384,R0E10,S00x0Cx09x07x09,T00x0Dx09x07x09,B00x0E,C1Ex01x00",
                     "U525,N1234,W213,M2,R2,V1,L1,Y10,K1,f2,b1,D15m,Q-1.25,F2:1,C1:1,B2:1,F3:2,C0:2,B3:2,F1:3,C2:3,B5:3",
                     7),
              fixture::Golden("monitor-header-213.txt"));
}

TEST_F(MonitorHeaderTest, ProfilesOneAndThreeOfFirmware200)
{
    // No Y, M, steps or times but the start: their presets; filters counted from 0 below 2.01.
    EXPECT_EQ(Header("D0001,S00x08x02x03x0A", "U525A,N77,W200,M3,R1,V0,L0,Y5,K0,D1h,Q94,F2:1,C1:1,B2:1,F1:3,C3:3,B0:3",
                     7),
              fixture::Golden("monitor-header-200.txt"));
}

TEST_F(MonitorHeaderTest, OctaveLinesByFirmware)
{
    struct Case {
        const char* version;
        bool integration, filter, inBuffer;
    } cases[] = {
        {"W206", false, false, false},
        {"W207", true, true, false},
        {"W212", true, true, false},
        {"W213", true, true, true},
    };
    for (const Case& c : cases) {
        const std::string text = Header(std::string(kExampleStation), std::string(c.version) + ",M2,D15m", 1);
        EXPECT_EQ(text.find("  Leq integration") != std::string::npos, c.integration) << c.version;
        EXPECT_EQ(text.find("  Octave 1/1 filter") != std::string::npos, c.filter) << c.version;
        EXPECT_EQ(text.find("  Octave 1/1 in buffer") != std::string::npos, c.inBuffer) << c.version;
        EXPECT_NE(text.find("  Octave 1/1 lines ............  15+3       \r\n"), std::string::npos) << c.version;
    }
}

TEST_F(MonitorHeaderTest, ProfileNotInUseIsNotShown)
{
    // Profile 2 selected but not in use (flags without bit 1).
    const std::string text = Header(std::string(kExampleStation).replace(10, 4, "1F05"), "W213,D15m", 2);
    EXPECT_EQ(text.find("Profile:"), std::string::npos);
}

TEST(MonitorTimeSpanTest, DaysHoursMinutesSeconds)
{
    EXPECT_EQ(FormatTimeSpanDhms(5400), "1 h 30 m ");
    EXPECT_EQ(FormatTimeSpanDhms(90061), "1 d 1 h 1 m 1 s ");
    EXPECT_EQ(FormatTimeSpanDhms(0), "UNDEFINED");
    EXPECT_EQ(FormatTimeSpanDhms(-1), "UNDEFINED");
}

} // namespace
} // namespace orlu
