// Octave spectra of MONITOR documents in text and table form.

#include "MonitorTestSupport.h"

#include "document/LineList.h"
#include "monitor/MonitorOctaveText.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"

namespace orlu {
namespace {

using fixture::MonitorStreamBuilder;

std::vector<std::int16_t> Rising(int count, int from)
{
    std::vector<std::int16_t> levels;
    for (int i = 0; i < count; ++i)
        levels.push_back(static_cast<std::int16_t>(from + 10 * i));
    return levels;
}

class MonitorOctaveTest : public MonitorTest {
protected:
    std::string Text(CTmDoc& doc, bool third, bool all, int record)
    {
        LineList lines;
        int widest = 0;
        const bool written = FormatMonitorOctaveText(doc, lines, &widest, MonitorOctaveChoice{third}, all, record);
        const std::string text = test::JoinedLines(lines);
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return written ? text : "(not written)";
    }
};

TEST_F(MonitorOctaveTest, OneOctaveSpectrumInThreeColumns)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300)).Octave(2, Rising(18, 400));
    auto doc = Load(b);
    EXPECT_EQ(Text(*doc, false, false, 1), fixture::Golden("monitor-octave11.txt"));
    // Every record: the second spectrum follows, dated a step later.
    const std::string all = Text(*doc, false, true, 1);
    EXPECT_NE(all.find("Octave 1/1  No.2  12:30'00 (Thu 09/07/2009):\r\n"), std::string::npos) << all;
    EXPECT_NE(all.find("   31.5      45.0        2000.0      51.0       TOT_Lin      57.0\r\n"), std::string::npos) << all;
    // A 1/1 document has no 1/3-octave spectra.
    EXPECT_EQ(Text(*doc, true, false, 1), "(not written)");
}

TEST_F(MonitorOctaveTest, TableOfOneRecordWithSemicolonsAndDecimalComma)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300)).Octave(2, Rising(18, 400));
    auto doc = Load(b);
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{}, false, 1, TableOutputOptions{0, 1, 2}));
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(test::JoinedLines(lines), "Octave_1/1__No.1__12:15'00_(Thu_09/07/2009):\r\n"
                                        "f[Hz];Lev[dB];f[Hz];Lev[dB];f[Hz];Lev[dB]\r\n"
                                        "1,0;30,0;63,0;36,0;4000,0;42,0\r\n"
                                        "2,0;31,0;125,0;37,0;8000,0;43,0\r\n"
                                        "4,0;32,0;250,0;38,0;16000,0;44,0\r\n"
                                        "8,0;33,0;500,0;39,0;TOT_A;45,0\r\n"
                                        "16,0;34,0;1000,0;40,0;TOT_C;46,0\r\n"
                                        "31,5;35,0;2000,0;41,0;TOT_Lin;47,0\r\n");
    // No third record; no 1/3-octave spectra on a 1/1 station.
    EXPECT_FALSE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{}, false, 3, TableOutputOptions{}));
    EXPECT_FALSE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{true}, false, 1, TableOutputOptions{}));
}

TEST_F(MonitorOctaveTest, ThirdOctaveSpectrum)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M3,D1h");
    b.Octave(1, Rising(48, 100));
    // A record cut short of its 48 levels holds no spectrum.
    b.Octave(2, Rising(20, 100));
    auto doc = Load(b);
    const std::string text = Text(*doc, true, true, 1);
    // 48 entries in 16 rows: 0.8 Hz first, 20 kHz the last band, the totals last.
    EXPECT_NE(text.find("\r\n    0.8      10.0          31.5      26.0        1250.0      42.0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   25.0      25.0        1000.0      41.0       TOT_Lin      57.0\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("No.2"), std::string::npos) << text;
}

} // namespace
} // namespace orlu
