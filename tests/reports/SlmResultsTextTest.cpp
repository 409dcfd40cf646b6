// Main-results texts of sound level meter files, tonality and reverberation
// times, compared byte for byte with texts written out from the layouts.

#include "document/DocumentTestSupport.h"

#include "reports/common/ReportColumnTitles.h"
#include "reports/table/MainResultsTables.h"
#include "reports/table/Rt60Tables.h"
#include "reports/text/MainResultsText.h"
#include "reports/text/RtText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/TextReportLayout.h"
#include "reports/text/TonalityText.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"

#include <algorithm>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::CurrentMeasurementFile;
using fixture::FixtureBuilder;
using fixture::Golden;
using fixture::WidthOf;

constexpr std::uint16_t kDate = (26 << 9) | (3 << 5) | 15; // 26/03/15
constexpr std::uint16_t kTime = (10 * 3600 + 20 * 60 + 30) / 2; // 10:20'30

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

std::vector<std::string> Lines(const LineList& list)
{
    std::vector<std::string> out;
    for (std::string_view line : list)
        out.emplace_back(line.substr(0, line.size() - 2));
    return out;
}

TEST_F(SlmText, LinearUnitsGivePascalCellsAndSquaredPressureExposures)
{
    auto doc = OpenSpec(LevelMeter());
    LineList lines;
    int widest = 0;
    FormatSlmProfileText(*doc, lines, &widest, 0x0001, 1);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 8u);
    // The largest level, 112.3 dB, is 8.24 Pa: three decimals, no prefix.
    EXPECT_NE(text[4].find("|     Pa\xB2s |   %       dB"), std::string::npos) << text[4];
    EXPECT_NE(text[6].find("|    Pa |  8.242  0.004  1.683  0.480  0.202"), std::string::npos) << text[6];
    // SEL 110.1 dB as squared pressure over the time: 4.09e+1 Pa2s.
    EXPECT_NE(text[6].find(" |  4.09e+1 |"), std::string::npos) << text[6];
}

TEST_F(SlmText, ColumnsFollowFirmwareAndDurationsBeyondDays)
{
    CurrentFileSpec spec = LevelMeter();
    spec.firmware = 505;
    spec.measurementSeconds = 5 * 86400 + 61;
    spec.overloadSeconds = 4321; // 1.0 % of the time
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    FormatSlmProfileText(*doc, lines, &widest, 0x0001, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 8u);
    // From 5.05: day-evening-night and overload columns, no Ln column; den 000 has no Lden.
    EXPECT_TRUE(text[3].ends_with(" |      SEL | den     Lden |  OvlT")) << text[3];
    EXPECT_TRUE(text[4].ends_with(" |       dB |           dB |     %")) << text[4];
    EXPECT_NE(text[6].find("  5days+ |    dB |"), std::string::npos) << text[6];
    EXPECT_TRUE(text[6].ends_with(" | 000    ----- |  1.00  +00:01'01")) << text[6];
    EXPECT_EQ(text[6].size(), text[3].size() + 11);
}

TEST_F(SlmText, SelColumnOfTheTextDisplayModelFromFirmware105)
{
    for (std::uint16_t firmware : {104, 105}) {
        SCOPED_TRACE(firmware);
        CurrentFileSpec spec = LevelMeter();
        spec.deviceType = 515;
        spec.firmware = firmware;
        spec.levels = {1100, 950, 500, 880, 800, 850, 0, 900, 920};
        auto doc = OpenSpec(spec, 43);
        LineList lines;
        int widest = 0;
        FormatSlmResultsText(*doc, lines, &widest, 0x0001, 0);
        const std::vector<std::string> text = Lines(lines);
        ASSERT_EQ(text.size(), 8u);
        const bool sel = firmware == 105;
        EXPECT_EQ(text[3].find("    Leq    Sel   Ltm3") != std::string::npos, sel) << text[3];
        // One blank run of 7 per value column before the bar: 7, or 8 with Sel.
        const std::string units = std::string(ReportColumnTitles[kTitleDateUnits]) +
                                  std::string(ReportColumnTitles[kTitleStartUnits]) +
                                  std::string(ReportColumnTitles[kTitleNamesCurrentUnits]) + " " +
                                  std::string(sel ? 56 : 49, ' ') + "|       dB       dB     Pa\xB2h     Pa\xB2h";
        EXPECT_EQ(text[4], units);
        EXPECT_EQ(text[3].find('|', 60), text[4].find('|', 60));
        // SEL of Leq 80.0 dB over 1000 s is 110.0 dB.
        EXPECT_EQ(text[6].find("   80.0  110.0   90.0   92.0 |") != std::string::npos, sel) << text[6];
        EXPECT_EQ(text[6].size(), text[3].size());
    }
}

TEST_F(SlmText, ModelFamiliesGetTheirOwnMainResultsText)
{
    struct Case {
        std::uint16_t deviceType, firmware;
        std::uint8_t kind;
        const char* titleEnd;
    };
    // ORLU 515 below 2.00 shows the older exposure columns; 515 from 2.00 and 525 the profile text.
    const Case cases[] = {{515, 199, 43, "|     PSEL     Lex8     SExp    SExp8"},
                          {515, 200, 44, "   Ltm5 |      SEL"},
                          {525, 300, 45, " |      SEL |   n       Ln"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deviceType * 1000 + c.firmware);
        CurrentFileSpec spec = LevelMeter();
        spec.deviceType = c.deviceType;
        spec.firmware = c.firmware;
        auto doc = OpenSpec(spec, c.kind);
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(FormatMainResultsText(*doc, lines, &widest, 0x0001, 0));
        const std::vector<std::string> text = Lines(lines);
        ASSERT_EQ(text.size(), 8u);
        EXPECT_EQ(text[1], "Main results:");
        EXPECT_TRUE(text[3].ends_with(c.titleEnd)) << text[3];
    }
    // Merged documents have texts of their own: this one writes nothing.
    const fixture::MultifileMember members[] = {{"HALL", CurrentMeasurementFile(LevelMeter())},
                                                {"ROOM2", CurrentMeasurementFile(LevelMeter())}};
    auto merged = Open(Write("merged.orl", fixture::Multifile(55, members)));
    LineList lines;
    std::string old = "old";
    int widest = 0;
    AddLine(lines, old, &widest);
    EXPECT_FALSE(FormatMainResultsText(*merged, lines, &widest, 0x0001, 0));
    EXPECT_TRUE(lines.Empty());
    EXPECT_EQ(widest, 0);
}

TEST(UnitCell, WordOfTheLevelTextRightAlignedInSix)
{
    struct Case {
        const char* unit;
        const char* cell;
    };
    const Case cases[] = {{" dB     ", "    dB"},
                          {" \xB5m/s\xB2 ", " \xB5m/s\xB2"},
                          {" kPa   ", "   kPa"},
                          {" Pa    ", "    Pa"}};
    for (const Case& c : cases) {
        LevelText level;
        level.unit = c.unit;
        EXPECT_EQ(UnitCell(level), c.cell) << c.unit;
    }
}

TEST_F(SlmText, LtmColumnsOfThe535AppearFromFirmware307)
{
    for (std::uint16_t firmware : {306, 307}) {
        SCOPED_TRACE(firmware);
        CurrentFileSpec spec = LevelMeter();
        spec.deviceType = 535;
        spec.firmware = firmware;
        auto doc = OpenSpec(spec, 47);
        LineList lines;
        int widest = 0;
        FormatSlmProfileText(*doc, lines, &widest, 0x0001, 0);
        const std::vector<std::string> text = Lines(lines);
        ASSERT_EQ(text.size(), 8u);
        // The 535 rows: Peak w3, Min w5, Max w7, Spl w6, Leq w9.
        const std::string values = "|    dB |  112.3   45.2   80.1   87.6   80.5";
        EXPECT_NE(text[6].find(values + (firmware == 307 ? "   91.2   93.4 |" : " |")), std::string::npos) << text[6];
        EXPECT_EQ(text[3].find("Ltm3") != std::string::npos, firmware == 307);
        EXPECT_EQ(text[4].size(), text[3].size());
    }
}

TEST_F(SlmText, NoSelectedChannelWritesNoTableButKeepsTheSections)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 7;
    spec.tonality = {0, 50, 60, 75, 30, 1000, 0, 0, 0, 0, 0, 0};
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = -1;
    FormatSlmResultsText(*doc, lines, &widest, 0x0000, 0);
    EXPECT_TRUE(lines.Empty());
    EXPECT_EQ(widest, 0);
    FormatSlmProfileText(*doc, lines, &widest, 0x0000, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[1], "Tonality analysis results:");
    // Kt of 0 ends the section after the penalty line.
    EXPECT_EQ(text[text.size() - 3], " PENALTY VALUE   Kt = 0.0 dB");
    EXPECT_EQ(text[text.size() - 2], std::string(59, '-'));
    EXPECT_EQ(widest, 59 + 2);
}

TEST_F(SlmText, RenderingLeavesTheUsersChannelSelected)
{
    auto doc = OpenSpec(LevelMeter());
    doc->SelectChannelProfile(2, 0);
    const CurrentChannel before = doc->Channel();
    LineList lines;
    int widest = 0;
    FormatSlmProfileText(*doc, lines, &widest, 0x0007, 0);
    EXPECT_EQ(lines.Size(), 10u); // three rows
    EXPECT_EQ(doc->Channel(), before);
    FormatSlmResultsText(*doc, lines, &widest, 0x0003, 1);
    EXPECT_EQ(doc->Channel(), before);
}

TEST_F(SlmText, RotationSectionDecodesTheDeviceReals)
{
    CurrentFileSpec spec = LevelMeter();
    spec.firmware = 502;
    spec.measurementWords.push_back({30, 1}); // rotation measured
    // 60 rpm (mantissa 2^16, exponent -16), max 120 rpm, min 40 rpm (mantissa 1.5 x 2^16).
    spec.rotation = {0x0000, 0x8701, 0x0000, 0x8601, 0x8000, 0x8701};
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    FormatSlmProfileText(*doc, lines, &widest, 0x0001, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_GE(text.size(), 7u);
    const std::vector<std::string> section(text.end() - 7, text.end());
    const std::string rule(28, '-');
    EXPECT_EQ(section, (std::vector<std::string>{"", "Rotation measurement results:", rule,
                                                 "       RpM   minRPM   maxRPM", rule,
                                                 "        60       40      120", rule}));
}

TEST_F(SlmText, TonesAreReadOnlyInsideTheRecord)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 7;
    // 12 tones announced, 3 stored; df = 1.5 Hz, so the word 666 is 999 Hz.
    spec.tonality = {0, 50, 60, 75, 30, 1500, 40, 652, 598, 0xFFF4, 666, 12, 666, 10, 20};
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    FormatTonalityText(*doc, lines, &widest, false, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 19u);
    EXPECT_EQ(text[16], " Tones frequencies list:  999 Hz,  15 Hz,  30 Hz");
}

TEST_F(SlmText, PenaltyWithoutTonesEndsAfterTheCentreFrequency)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 7;
    spec.tonality = {0, 50, 60, 75, 30, 1000, 25, 652, 598, 0xFFF4, 1000, 0, 500};
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    FormatTonalityText(*doc, lines, &widest, false, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 17u);
    EXPECT_EQ(text[9], " PENALTY VALUE   Kt = 2.5 dB");
    EXPECT_EQ(text[14], " Critical band center frequency ...  Ftc = 1000 Hz");
    EXPECT_EQ(text[15], std::string(59, '-'));
    EXPECT_EQ(text[16], "");
}

struct RtCase {
    const char* name;
    std::uint16_t count, spectrum, first, last, totals;
    std::vector<std::array<std::int16_t, 4>> times;
    const char* caption;
    std::vector<std::string> rows;
};

class RtText : public SlmText, public ::testing::WithParamInterface<RtCase> {};

TEST_P(RtText, TableOfTheStoredRecord)
{
    const RtCase& c = GetParam();
    CurrentFileSpec spec = LevelMeter();
    spec.function = 8;
    spec.rt60 = {c.count, c.spectrum, c.first, c.last, c.totals, c.times};
    auto doc = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    FormatRtText(*doc, lines, &widest, false, 0, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 9u + c.rows.size());
    EXPECT_EQ(text[1], c.caption);
    EXPECT_EQ(std::vector<std::string>(text.begin() + 7, text.end() - 2), c.rows);
    EXPECT_EQ(widest, 53);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RtText,
    ::testing::Values(
        RtCase{"Averaged", 3, 3, 31, 31, 1, {{2000, 1995, -1, 12}, {1, 2, 3, 4}}, "Averaged RT60 results:",
               {"    1000.0      2.00      2.00      *.**      0.01", "     TOT_A      0.00      0.00      0.00      0.00"}},
        // Octave band n is the n-th octave centre from 1 Hz.
        RtCase{"Octaves", 1, 1, 9, 10, 0, {{500, 501, 502, 503}, {400, 401, 402, 403}}, "RT60 results:",
               {"     500.0      0.50      0.50      0.50      0.50", "    1000.0      0.40      0.40      0.40      0.40"}},
        RtCase{"LastBandBeforeFirst", 1, 3, 31, 30, 0, {{500, 501, 502, 503}}, "RT60 results:", {}},
        RtCase{"BandPastTheTable", 1, 3, 50, 51, 0, {{500, 501, 502, 503}, {1, 2, 3, 4}}, "RT60 results:", {}},
        // Nine bands announced, two stored: the lines stop at the record's end.
        RtCase{"CountsPastTheRecord", 1, 3, 20, 28, 0, {{100, 200, 300, 400}, {-1, -1, -1, -1}}, "RT60 results:",
               {"      80.0      0.10      0.20      0.30      0.40", "     100.0      *.**      *.**      *.**      *.**"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SlmText, MergedRt60FileIsNamedInTheCaption)
{
    CurrentFileSpec spec = LevelMeter();
    spec.function = 8;
    spec.rt60 = {2, 3, 31, 31, 0, {{1500, 1510, 1520, 1530}}};
    const fixture::MultifileMember members[] = {{"HALL", CurrentMeasurementFile(LevelMeter())},
                                                {"ROOM2", CurrentMeasurementFile(spec)}};
    auto doc = Open(Write("merged.orl", fixture::Multifile(55, members)));
    LineList lines;
    int widest = 0;
    FormatRtText(*doc, lines, &widest, true, 2, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 10u);
    EXPECT_EQ(text[1], "Averaged RT60 results from file[2] ROOM2:");
    EXPECT_EQ(text[7], "    1000.0      1.50      1.51      1.52      1.53");
}

// The den code is bits 3 (hundreds), 4 (tens) and 5 (units) of the flags word in
// both profile layouts: A (an ORLU 535 below firmware 5.05, Lden word 8) and B
// (from 5.05, Lden word 9). Code 000 prints no Lden.
TEST_F(SlmText, DenCodeOfTheFlagsWordInBothProfileLayouts)
{
    struct Layout {
        std::uint16_t firmware;
        const char* lden; ///< LevelMeter(): word 8 = 79.0 dB, word 9 = 80.5 dB
    };
    struct Flags {
        std::uint16_t word;
        const char* den;
    };
    for (const Layout layout : {Layout{400, "79.0"}, Layout{505, "80.5"}}) {
        for (const Flags flags : {Flags{0x0000, "000"}, Flags{0x0008, "100"}, Flags{0x0010, "010"},
                                  Flags{0x0038, "111"}}) {
            SCOPED_TRACE(testing::Message() << "firmware " << layout.firmware << " flags " << flags.word);
            CurrentFileSpec spec = LevelMeter();
            spec.deviceType = 535;
            spec.firmware = layout.firmware;
            spec.flagsWord = flags.word;
            auto doc = OpenSpec(spec, 47);
            const bool none = flags.word == 0;
            LineList lines;
            int widest = 0;
            ASSERT_TRUE(FormatSlmProfileText(*doc, lines, &widest, 0x0001, 0));
            const std::string textCell = std::string(" | ") + flags.den + (none ? "    -----" : std::string("     ") + layout.lden);
            EXPECT_NE(lines.Join().find(textCell), std::string::npos) << textCell << "\n" << lines.Join();

            LineList table;
            std::int32_t width = 0;
            std::uint8_t kind = 0;
            MainTableRequest request{table, width, kind, 0x0001, 0, {0, 0, 0}};
            ASSERT_EQ(MainResultsTableFor(*doc)(*doc, request), 1);
            const std::string tableCell = std::string("\t") + flags.den + "\t" + (none ? "-----" : layout.lden);
            EXPECT_NE(table.Join().find(tableCell), std::string::npos) << tableCell << "\n" << table.Join();
        }
    }
}

// Sound rows of four-channel files join the vibration text: the list and its
// width are continued, not started again.
class FourChannelSound : public SlmText {
protected:
    std::unique_ptr<CTmDoc> OpenFourChannel(const fixture::FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("four.orl", f));
    }
};

TEST_F(FourChannelSound, MicrophoneFirstShowsItsEnabledProfiles)
{
    // Two channels of three profiles; profile j = p x 2 + c. Channel 0 (the microphone)
    // has profiles 1 and 3 enabled (bit 0 of their flags); channel 1 is an accelerometer.
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 3, true);
    spec.measurementSeconds = 1000;
    spec.profiles[0] = {2, 1, 0, 1};
    spec.profiles[2] = {2, 1, 0, 0};
    spec.profiles[4] = {3, 2, 0, 1};
    auto doc = OpenFourChannel(spec);
    ExpectGolden(*doc, FormatSlmProfilesText, 0x0003, "four-channel-microphone-first.txt");
}

TEST_F(FourChannelSound, AccelerometerFirstShowsTheOtherChannels)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 219, 3, 1, false);
    spec.measurementSeconds = 1000;
    spec.profiles[1] = {2, 2, 0, 1};
    spec.profiles[2] = {3, 0, 0, 1};
    auto doc = OpenFourChannel(spec);
    ExpectGolden(*doc, FormatSlmProfilesText, 0x0007, "four-channel-accelerometer-first.txt");
}

TEST_F(FourChannelSound, RowsAreAppendedToTheVibrationText)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 3, true);
    spec.measurementSeconds = 1000;
    spec.profiles[0] = {2, 1, 0, 1};
    auto doc = OpenFourChannel(spec);
    LineList lines;
    std::string vibration(300, 'v');
    int widest = 0;
    AddLine(lines, vibration, &widest);
    doc->SelectChannelProfile(1, 0);
    const CurrentChannel before = doc->Channel();
    FormatSlmProfilesText(*doc, lines, &widest, 0x0001, 0);
    EXPECT_EQ(doc->Channel(), before);
    ASSERT_EQ(lines.Size(), 9u); // the vibration line, the header block, one row, the rule
    EXPECT_EQ(lines[0], std::string(300, 'v') + "\r\n");
    EXPECT_EQ(widest, 302);
    // Below firmware 2.17 one row per channel without the profile cell.
    spec.firmware = 216;
    auto older = OpenFourChannel(spec);
    ClearLineList(&lines);
    widest = 0;
    FormatSlmProfilesText(*older, lines, &widest, 0x0003, 0);
    const std::vector<std::string> text = Lines(lines);
    ASSERT_EQ(text.size(), 8u);
    EXPECT_TRUE(text[3].starts_with(std::string(ReportColumnTitles[kTitleStart]) + " Chan Filter")) << text[3];
    EXPECT_TRUE(text[6].starts_with(" 24/01/01  13:39'12   #1  A ")) << text[6];
}

TEST_F(FourChannelSound, OneChannelBelowFirmware217ShowsItsRowInTextAndTable)
{
    // An ORLU 545 at firmware 2.15 with one microphone: a single results record 13, the last
    // record of the file. Words 3 to 13 in 0.1 dB: Peak 1000, Min 700, Spl 750, Max 900, Leq 800;
    // T = 600 s gives SEL 80.0 + 10 log10(600) = 107.8 dB. There is no overload column below 2.19.
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 215, 1, 1, true);
    auto doc = OpenFourChannel(spec);
    ASSERT_EQ(doc->FindResultsRecord(0) + 14 + 1, doc->ByteCount() / 2) << "the results record ends the file";
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(FormatMainResultsText(*doc, lines, &widest, 0x0001, 0));
    const std::string row = " 24/01/01  13:39'12   #1  A      Fast   00:10'00 |    dB |  100.0   70.0   90.0   75.0   80.0 |"
                            "    107.8 | 000    -----";
    const std::vector<std::string> text = Lines(lines);
    // An empty line, the caption, rule, titles, units, rule, the row and the closing rule.
    ASSERT_EQ(text.size(), 8u) << lines.Join();
    EXPECT_EQ(text[6], row);
    // All channels are microphones: the text's width is its lines' (fault of a width of 0).
    EXPECT_EQ(widest, static_cast<int>(row.size()) + 2);

    LineList table;
    std::int32_t width = 0;
    std::uint8_t kind = 0;
    MainTableRequest request{table, width, kind, 0x0001, 0, {0, 0, 0}};
    ASSERT_EQ(MainResultsTableFor(*doc)(*doc, request), 1);
    ASSERT_EQ(table.Size(), 3u) << table.Join();
    EXPECT_EQ(table[2], "24/01/01\t13:39'12\t#1\tA\tFast\t00:10'00\tdB\t100.0\t70.0\t90.0\t75.0\t80.0\t107.8\t000\t-----\r\n");
}

TEST_F(FourChannelSound, TotalRowsAreNamedFromTheListOfTheirChannel)
{
    // Channel 1 a microphone (totals from "TOT_A"), channel 2 an accelerometer (from "TOTAL");
    // two total rows after band 31. The block over the channels takes the first channel's list.
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1, true);
    spec.function = 8;
    spec.rt60 = {1, 3, 31, 31, 2, {{1000, 1001, 1002, 1003}, {900, 901, 902, 903}, {800, 801, 802, 803}}};
    spec.rtChannels = {0, 1};
    spec.rtMean = true;
    for (int selected : {0, 1}) {
        SCOPED_TRACE(selected);
        auto doc = OpenFourChannel(spec);
        doc->SelectChannelProfile(selected, 0);
        LineList lines;
        int widest = 0;
        FormatRtChannelsText(*doc, lines, &widest, false, 0, 0x0003);
        std::vector<std::string> totals;
        for (const std::string& line : Lines(lines))
            if (line.starts_with("     TOT") || line.starts_with("     SPL"))
                totals.push_back(line.substr(0, 10));
        EXPECT_EQ(totals, (std::vector<std::string>{"     TOT_A", "     TOT_C", "     TOTAL", "     TOT_A",
                                                    "     TOT_A", "     TOT_C"}));

        LineList table;
        std::int32_t width = 0;
        std::uint8_t kind = 0;
        MainTableRequest request{table, width, kind, 0x0003, 0, {0, 0, 0}};
        ASSERT_EQ(TableFormRT60ByChannel(*doc, request, 0, 0), 1);
        std::vector<std::string> tableTotals;
        for (std::string_view line : table)
            if (line.starts_with("TOT"))
                tableTotals.emplace_back(line.substr(0, line.find('\t')));
        EXPECT_EQ(tableTotals, (std::vector<std::string>{"TOT_A", "TOT_C", "TOTAL", "TOT_A", "TOT_A", "TOT_C"}));
    }
}

TEST_F(FourChannelSound, ReverberationTablesOfTheMaskedChannelsAndTheirMean)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 4, 1, true);
    spec.function = 8;
    spec.rt60 = {2, 3, 31, 32, 0, {{1000, 1001, 1002, 1003}, {-1, 900, 901, 902}}};
    // Records of channels 0, 1 and 2 only; the mask takes channels 0 and 2.
    spec.rtChannels = {0, 1, 2};
    spec.rtMean = true;
    auto doc = OpenFourChannel(spec);
    LineList lines;
    std::string vibration = "vibration";
    int widest = 0;
    AddLine(lines, vibration, &widest);
    FormatSlmProfilesText(*doc, lines, &widest, 0x0005, 0);
    const std::vector<std::string> text = Lines(lines);
    const std::string rule(51, '-');
    const std::vector<std::string> table = {"",
                                            rule,
                                            "      Freq       EDT      RT20      RT30    RTuser ",
                                            "      [Hz]     [sec]     [sec]     [sec]     [sec] ",
                                            rule,
                                            "    1000.0      1.00      1.00      1.00      1.00",
                                            "    1250.0      *.**      0.90      0.90      0.90",
                                            rule,
                                            ""};
    std::vector<std::string> expected = {"vibration", "", "Channel #1: Averaged RT60 results:"};
    expected.insert(expected.end(), table.begin(), table.end());
    expected.insert(expected.end(), {"", "Channel #3: Averaged RT60 results:"});
    expected.insert(expected.end(), table.begin(), table.end());
    expected.insert(expected.end(), {"", "Averaged RT60 results averaged by channels:"});
    expected.insert(expected.end(), table.begin(), table.end());
    EXPECT_EQ(text, expected);
    EXPECT_EQ(widest, 53);
}

} // namespace
} // namespace orlu
