// Main-results texts of sound level meter files, tonality and reverberation
// times, compared byte for byte with texts written out from the layouts.

#include "document/DocumentTestSupport.h"

#include "reports/text/RtText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/TonalityText.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::CurrentMeasurementFile;
using fixture::FixtureBuilder;

constexpr std::uint16_t kDate = (26 << 9) | (3 << 5) | 15; // 26/03/15
constexpr std::uint16_t kTime = (10 * 3600 + 20 * 60 + 30) / 2; // 10:20'30

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The width a text needs: its longest line with CR LF.
int WidthOf(const std::string& text)
{
    int widest = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        widest = std::max(widest, static_cast<int>(end - start + 2));
    return widest;
}

// An ORLU 525 at firmware 3.00 measuring with profile 1 (A, Slow) for 1000 s.
CurrentFileSpec LevelMeter()
{
    CurrentFileSpec spec;
    spec.measurementWords = {{1, kDate}, {2, kTime}};
    spec.profiles[0] = {2, 2, 0, 0, 0};
    spec.measurementSeconds = 1000;
    // Words 3 to 13: Peak, Max, Min, Spl, Leq, Lden, dose level, Ltm3, Ltm5, n, Ln.
    spec.levels = {1123, 985, 452, 876, 801, 790, 805, 912, 934, 10, 823};
    return spec;
}

class SlmText : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec, std::uint8_t kind = 45)
    {
        const std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }

    using Renderer = bool (*)(CTmDoc&, LineList&, int*, std::uint16_t, std::uint8_t);
    void ExpectGolden(CTmDoc& doc, Renderer render, std::uint16_t mask, const std::string& golden)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(render(doc, lines, &widest, mask, 0));
        const std::string expected = Golden(golden);
        EXPECT_EQ(lines.Join(), expected);
        EXPECT_EQ(widest, WidthOf(expected));
    }
};

TEST_F(SlmText, OneChannelLevelMeter)
{
    auto doc = OpenSpec(LevelMeter());
    ExpectGolden(*doc, FormatSlmProfileText, 0x0001, "slm-level-meter.txt");
}

TEST_F(SlmText, DoseMeter)
{
    CurrentFileSpec spec = LevelMeter();
    spec.firmware = 400;
    spec.function = 4;
    spec.flagsWord = 0x0028; // day and night: den 101
    // Exposure time 480 min, criterion 85.0 dB, threshold 80.0 dB, exchange rate 3 dB.
    spec.measurementWords.insert(spec.measurementWords.end(), {{23, 480}, {24, 850}, {25, 800}, {26, 3}});
    // The dose level (word 9) lies 30 dB above the criterion: 1000 times the criterion's energy.
    spec.levels = {1250, 1012, 603, 955, 900, 893, 1150, 934, 951, 0, 0};
    auto doc = OpenSpec(spec);
    ExpectGolden(*doc, FormatSlmProfileText, 0x0001, "slm-dose-meter.txt");
}

TEST_F(SlmText, SeveralProfilesOfTheTextDisplayModel)
{
    CurrentFileSpec spec = LevelMeter();
    spec.deviceType = 515;
    spec.firmware = 150;
    spec.function = 3;
    // Criterion 85.0 dB, exchange rate 3 dB, exposure time 480 min.
    spec.measurementWords.insert(spec.measurementWords.end(), {{12, 850}, {14, 3}, {15, 480}});
    spec.profiles[0] = {0, 1, 0, 0, 0};
    spec.profiles[1] = {1, 2, 0, 0, 0};
    spec.profiles[2] = {2, 3, 0, 0, 0};
    // Words 3 to 11: Peak, Max, Min, Spl, Leq, dose level, unused, Ltm3, Ltm5; 1 dB more per profile.
    spec.levels = {1100, 950, 500, 880, 800, 850, 0, 900, 920};
    spec.profileLevelStep = 10;
    auto doc = OpenSpec(spec, 43);
    ExpectGolden(*doc, FormatSlmResultsText, 0x0007, "slm-profiles.txt");
}

TEST_F(SlmText, TonalitySectionFollowsTheResults)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 7;
    // Words 1 to 12, then 12 tone words of which 10 are shown; df = 1.5 Hz.
    spec.tonality = {0, 50, 60, 75, 30, 1500, 40, 652, 598, 0xFFF4, 666, 12};
    for (std::uint16_t t = 100; t <= 1200; t += 100)
        spec.tonality.push_back(t);
    auto doc = OpenSpec(spec);
    ExpectGolden(*doc, FormatSlmProfileText, 0x0001, "slm-tonality.txt");
}

TEST_F(SlmText, Rt60FileShowsItsReverberationTimes)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 8;
    spec.rt60.count = 1;
    spec.rt60.spectrum = 3;
    spec.rt60.firstBand = 28; // 500 Hz
    spec.rt60.lastBand = 33;  // 1.6 kHz
    spec.rt60.totals = 2;
    spec.rt60.times = {{1234, 1180, 1201, -1}, {1102, 1056, 1090, 1074}, {987, 1003, 996, -1},
                       {950, 921, 933, 940},   {876, 890, -1, 884},     {812, 799, 806, 801},
                       {1001, 982, 990, 977},  {943, 951, 948, 946}};
    auto doc = OpenSpec(spec);
    ExpectGolden(*doc, FormatSlmProfileText, 0x0001, "slm-rt60-third-octaves.txt");
}

} // namespace
} // namespace orlu
