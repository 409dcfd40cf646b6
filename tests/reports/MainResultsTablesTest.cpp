// Main results as tables: golden tables of generated files (expected texts in
// tests/golden, written by hand from the table layouts), the exponent
// compaction, the header re-packing, the duration remainder, the reverberation
// table, and a TAB table read back by Python's csv module.

#include "document/DocumentTestSupport.h"
#include "platform/FileIo.h"
#include "platform/TextEncoding.h"
#include "reports/table/MainResultsTables.h"
#include "reports/table/Rt60Tables.h"
#include "reports/table/TableWriter.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::FourChannelSpec;
using fixture::Golden;

// 17 May 2013, 10:20'30 (2-second units).
constexpr std::uint16_t kDate = 13 * 512 + 5 * 32 + 17;
constexpr std::uint16_t kTime = (10 * 3600 + 20 * 60 + 30) / 2;

// ORLU 525 profiles: (Fast, A), (Slow, C), (Imp., A).
void SetProfiles(CurrentFileSpec& spec)
{
    spec.profiles[0] = {1, 2, 0, 0, 0};
    spec.profiles[1] = {2, 3, 0, 0, 0};
    spec.profiles[2] = {0, 2, 0, 0, 0};
    spec.measurementWords = {{1, kDate}, {2, kTime}};
}

// Firmware 3.00: peak w3, max w4, min w5, spl w6, Leq w7, Ltm3 w10, Ltm5 w11, n w12, Ln w13.
CurrentFileSpec LevelMeter()
{
    CurrentFileSpec spec;
    SetProfiles(spec);
    spec.measurementSeconds = 125;
    spec.levels = {1050, 950, 450, 600, 723, 0, 0, 735, 741, 10, 768};
    return spec;
}

// Firmware 5.05 dose meter: peak w3, max w5, min w6, spl w7, Leq w8, Lden w9, Ltm3 w10,
// Ltm5 w11, Lav w12, dose level w13; den code 100 from bit 3 of the flags word.
CurrentFileSpec DoseMeter()
{
    CurrentFileSpec spec;
    SetProfiles(spec);
    spec.firmware = 505;
    spec.function = 4;
    spec.flagsWord = 0x08;
    spec.measurementSeconds = 3600;
    spec.overloadSeconds = 36;
    spec.levels = {1200, 0, 1000, 500, 900, 800, 850, 810, 820, 790, 780};
    return spec;
}

class MainResultsTables : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec, std::uint8_t kind = 45)
    {
        const std::vector<std::uint8_t> bytes = fixture::CurrentMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(bytes.size())).Bytes(bytes);
        return Open(Write("file.orl", f));
    }

    // The table of the document's family, as UTF-8 text.
    std::string Render(CTmDoc& doc, TableOutputOptions options, std::uint8_t units = 0, std::uint16_t mask = 7)
    {
        const MainTableRenderer renderer = MainResultsTableFor(doc);
        EXPECT_NE(renderer, nullptr);
        if (!renderer)
            return {};
        lines = LineList();
        width = -1;
        kind = 0;
        MainTableRequest request{lines, width, kind, mask, units, options};
        EXPECT_EQ(renderer(doc, request), 1);
        return Cp1252ToUtf8(lines.Join());
    }

    LineList lines;
    std::int32_t width = 0;
    std::uint8_t kind = 0;
};

TEST_F(MainResultsTables, GoldenTablesOfALevelMeterAndADoseMeter)
{
    struct Case {
        const char* golden;
        CurrentFileSpec spec;
        TableOutputOptions options;
    };
    const Case cases[] = {
        {"main-results-level-meter-tab.txt", LevelMeter(), {0, 0, 0}},
        {"main-results-level-meter-hash.txt", LevelMeter(), {0, 0, 6}},
        {"main-results-dose-meter-semicolon-comma.txt", DoseMeter(), {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        auto doc = OpenSpec(c.spec);
        const std::string expected = Golden(c.golden);
        EXPECT_EQ(Render(*doc, c.options), expected);
        EXPECT_EQ(kind, kTableKindMainResults);
        // The width is that of the widest line, its CR LF included.
        std::size_t widest = 0;
        for (std::string_view line : lines)
            widest = std::max(widest, line.size());
        EXPECT_EQ(width, static_cast<std::int32_t>(widest));
    }
}

TEST_F(MainResultsTables, MaskChoosesTheRowsAndAnEmptyWalkWritesNothing)
{
    auto doc = OpenSpec(LevelMeter());
    const std::string table = Render(*doc, {0, 0, 0}, 0, 0b100);
    EXPECT_EQ(lines.Size(), 3u);
    EXPECT_NE(table.find("#3\tA\tImp."), std::string::npos);
    EXPECT_EQ(table.find("#1\t"), std::string::npos);

    // No row: neither caption nor header, width 0, the lines left as they were.
    Render(*doc, {0, 0, 0}, 0, 0);
    EXPECT_EQ(lines.Size(), 0u);
    EXPECT_EQ(width, 0);
}

TEST_F(MainResultsTables, RenderingKeepsTheUsersChannel)
{
    auto doc = OpenSpec(LevelMeter());
    doc->SelectChannelProfile(1, 0);
    Render(*doc, {0, 0, 0});
    EXPECT_EQ(doc->Channel().channel, 1);
    EXPECT_EQ(doc->Channel().detectorIndex, 2);
}

TEST_F(MainResultsTables, LinearSelInScientificFormHasCompactedExponents)
{
    // A linear SEL is a squared pressure in Pa²s: (20 x 10^(SEL/20 - 6))^2 with SEL =
    // 10 log10(125) + 72.3 dB = 93.27 dB gives 8.49e-001 Pa²s, written 8.49e-1.
    auto doc = OpenSpec(LevelMeter());
    const std::string table = Render(*doc, {1, 0, 0}, 1, 1);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_NE(lines[1].find("SEL[Pa\xB2s]"), std::string::npos);
    // Every linear value is in the scientific form without '+' and leading exponent zeros.
    EXPECT_NE(lines[2].find("\t8.49e-1\t"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[2].find("e-0"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[2].find("e+"), std::string::npos) << lines[2];
    // Peak 105.0 dB is 3.56 Pa.
    EXPECT_NE(lines[2].find("\tPa\t3.56e0\t"), std::string::npos) << lines[2];
}

TEST_F(MainResultsTables, DurationOfDaysEndsTheRowWithItsRemainder)
{
    struct Case {
        std::uint32_t seconds;
        const char* time;
        const char* end;
    };
    const Case cases[] = {
        {400000, "\t4days+\t", "\t+15:06'40\r\n"},
        {432000, "\t5days\t", "\t76.8\r\n"},
        {359998, "\t99:59'58\t", "\t76.8\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        CurrentFileSpec spec = LevelMeter();
        spec.measurementSeconds = c.seconds;
        auto doc = OpenSpec(spec);
        Render(*doc, {0, 0, 0}, 0, 1);
        ASSERT_EQ(lines.Size(), 3u);
        EXPECT_NE(lines[2].find(c.time), std::string::npos) << lines[2];
        EXPECT_TRUE(lines[2].ends_with(c.end)) << lines[2];
    }
}

TEST_F(MainResultsTables, VibrationFileWithVdvFootnoteAndAMicrophoneFileAsSound)
{
    // ORLU 530, accelerometer, firmware 3.00: peak w3, P-P w4, MTVV w7, VDV w8, RMS w9.
    CurrentFileSpec spec;
    spec.deviceType = 530;
    spec.inputKind = 5;
    spec.measurementWords = {{1, kDate}, {2, kTime}};
    spec.profiles[0] = {1, 1, 0, 0, 0}; // HP1: with VDV
    spec.profiles[1] = {1, 4, 0, 0, 0}; // Vel1: no VDV
    spec.levels = {1400, 1300, 0, 0, 1250, 1200, 1100}; // each profile 1 dB higher
    auto doc = OpenSpec(spec, 47);
    const std::string table = Render(*doc, {0, 1, 0}, 1, 0b011);
    ASSERT_EQ(lines.Size(), 4u) << table;
    EXPECT_EQ(lines[0], "Main_results_for_vibration:\r\n");
    EXPECT_EQ(lines[1], "Date\tStart\tProf\tFilter\tDetect\tTime\tunits\tPeak\tP-P\tMTVV\tRMS\tVDV[dB]\r\n");
    EXPECT_EQ(lines[2], "13/05/17\t10:20'30\t#1\tHP1\t125ms\t00:10'00\tdB\t140,0\t130,0\t125,0\t110,0\t120,0\r\n");
    EXPECT_EQ(lines[3], "13/05/17\t10:20'30\t#2\tVel1\t125ms\t00:10'00\tdB\t141,0\t131,0\t126,0\t111,0\t-----\r\n");

    // Linear units (option 0 for vibration): VDV in m/s^1.75 and the note on its unit.
    Render(*doc, {0, 1, 0}, 0, 0b001);
    ASSERT_EQ(lines.Size(), 4u);
    EXPECT_NE(lines[1].find("\tVDV[m/sx]\r\n"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[3], "__sx_=_s^1,75__\r\n");

    spec.inputKind = 2;
    auto sound = OpenSpec(spec, 47);
    Render(*sound, {0, 0, 0});
    ASSERT_FALSE(lines.Empty());
    EXPECT_EQ(lines[0], "Main_results:\r\n");
    EXPECT_NE(lines[1].find("\tSEL[dB]"), std::string::npos);
}

TEST_F(MainResultsTables, OlderLevelMeterTableUnderFixedFields)
{
    // ORLU 515 below firmware 2.00 measuring doses (function 3): filter codes count
    // from one below the names (A is written C); Sel = (723 + 209) / 10 with the
    // integer 100 log10(125); PS = (723 + 209 - 446) / 10; no exposition time, no
    // Lx8; SE = 10^(7.23 - 12) x 125 / 9 and SE8 = 10^(7.23 - 8) x 0.32 Pa²h; an
    // exchange rate of 0 gives 0 %.
    CurrentFileSpec spec = LevelMeter();
    spec.deviceType = 515;
    spec.firmware = 150;
    spec.function = 3;
    auto doc = OpenSpec(spec, 43);
    Render(*doc, {0, 1, 6}, 0, 1);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_EQ(lines[0], "Main_results:\r\n");
    EXPECT_EQ(lines[1], "Date      Start     Prof      Filter    Detect    Time      units     Peak      Min       "
                        "Max       Spl       Leq       Sel       Ltm3      Ltm5      PS[dB]    Lx8[dB]   "
                        "SE[Pa\xB2h]  SE8[Pa\xB2h] Dose[%]   Dose8[%]  \r\n");
    EXPECT_EQ(lines[2], "13/05/17  10:20'30  #1        C         Fast      00:02'05  dB        105,0     45,0      "
                        "95,0      60,0      72,3      93,2      73,5      74,1      48,6      -----     "
                        "0,00      0,05      0         0         \r\n");

    // Another input has no PS and Lx8; its SE and SE8 stay under their names.
    spec.inputKind = 5;
    auto other = OpenSpec(spec, 43);
    Render(*other, {0, 1, 6}, 0, 1);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_EQ(lines[2].substr(150), "-----     -----     0,00      0,05      0         0         \r\n");
}

TEST_F(MainResultsTables, LaterFirmwareRowsAreScaledByTheirOwnLevels)
{
    // From firmware 5.05 the levels are words 3, 5, 6, 7 and 8; word 4 is none of them.
    // The largest level, Peak 120.0 dB = 20 Pa, gives two decimals; a large word 4
    // (140 dB, 200 Pa) must not change them.
    CurrentFileSpec spec = DoseMeter();
    spec.levels[1] = 1400;
    auto doc = OpenSpec(spec);
    Render(*doc, {0, 0, 0}, 1, 1);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_NE(lines[2].find("\t01:00'00\tPa\t20.00\t0.01\t2.00\t0.63\t"), std::string::npos) << lines[2];
}

TEST_F(MainResultsTables, FileWithoutResultsRecordGivesAnEmptyTable)
{
    CurrentFileSpec spec = LevelMeter();
    spec.rowWords = 3;
    spec.rows = 4;
    auto doc = OpenSpec(spec);
    Render(*doc, {0, 0, 0});
    EXPECT_EQ(lines.Size(), 0u);
    EXPECT_EQ(width, 0);
}

// The number of columns Python's csv module reads in each row of a TAB-separated
// table saved as the program saves text, joined by ','; empty when python3 is missing.
std::string CsvColumnCounts(const std::filesystem::path& dir, const std::string& table)
{
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        return {};
    const std::filesystem::path path = dir / "table.txt";
    EXPECT_TRUE(WriteFileAtomically(path, table));
    const std::string command = "python3 -c 'import csv, sys\n"
                                "rows = csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\"), delimiter=\"\\t\")\n"
                                "print(\",\".join(str(len(row)) for row in rows))' " +
                                path.string();
    FILE* pipe = ::popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (!pipe)
        return {};
    std::string output;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    EXPECT_EQ(::pclose(pipe), 0);
    return output;
}

// A table written with TAB separators is read back by Python's csv module with as
// many columns in every row as its header.
TEST_F(MainResultsTables, TabTableImportsAsCsv)
{
    auto doc = OpenSpec(DoseMeter());
    const std::string counts = CsvColumnCounts(dir, Render(*doc, {1, 0, 0}, 1));
    if (counts.empty())
        GTEST_SKIP() << "python3 is not installed";
    // The caption, then the header and three rows of 26 columns.
    EXPECT_EQ(counts, "1,26,26,26,26\n");
}

// Four-channel files: ORLU 545 and 590 with three channels of three profiles
// (from firmware 2.17: Chan and Prof columns, results records by channel + 4 x
// profile; levels in 0.01 dB). Profile j = p x 3 + c; a sound profile is shown
// when bit 0 of its flags is set, a vibration channel by its first profile.
// The vibration levels are 0.01 dB over the 120 dB acceleration reference
// (110 dB velocity), so that a word w reads 10^(w / 2000) m/s2 on W-Bxy and
// 10^(w / 2000 - 3.5) m/s on Vel1; the sound levels are the generated ones.
class FourChannelTables : public MainResultsTables {
protected:
    std::unique_ptr<CTmDoc> OpenFourChannel(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("four.orl", f));
    }

    // Words 3 to 13 of a vibration results record: Peak, P-P, -, -, MTVV, VDV, RMS.
    static std::array<std::int16_t, 11> VibrationWords(int peak, int pp, int mtvv, int vdv, int rms)
    {
        auto w = [](int v) { return static_cast<std::int16_t>(v); };
        return {w(peak), w(pp), 0, 0, w(mtvv), w(vdv), w(rms), 0, 0, 0, 0};
    }

    void ExpectWidthOfWidestLine()
    {
        std::size_t widest = 0;
        for (std::string_view line : lines)
            widest = std::max(widest, line.size());
        EXPECT_EQ(width, static_cast<std::int32_t>(widest));
    }
};

// ORLU 590 (firmware 3.02): a microphone on channel 1 with profiles 1 (A, Fast) and 3 (C, Imp.)
// enabled; accelerometers on channel 2 (W-Bxy) and 3 (Vel1, which has no VDV);
// the vector of channels 2 and 3 (factors 1.00 and 0.50) at 5 dB, 3.162 m/s2.
FourChannelSpec MicrophoneFirst()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(590, 302, 3, 3, true);
    spec.measurementSeconds = 1000;
    spec.profiles[0] = {2, 1, 0, 1};
    spec.profiles[3] = {2, 2, 0, 0};
    spec.profiles[6] = {3, 0, 0, 1};
    spec.profiles[2] = {4, 1, 0, 0};
    spec.resultLevels[1] = {800, 1000, 0, 0, 600, 1400, 400, 0, 0, 0, 0};
    spec.resultLevels[2] = {2800, 3000, 0, 0, 2600, 3400, 2400, 0, 0, 0, 0};
    spec.vectorRecord = true;
    spec.coefficients = {0, 100, 50, 0};
    spec.coefficientUse = {0, 1, 1, 0};
    spec.vectorLevel = 1000;
    return spec;
}

// ORLU 545: accelerometers (W-Bxy) on channels 1 and 2, a microphone on channel 3
// with profiles 1 (A, Fast) and 2 (C, Slow) enabled; the vector of channels 1 and 2
// at 5 dB; a SEAT definition and a hand-arm dose setup, which belong to the text
// form only.
FourChannelSpec AccelerometersFirst()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 3, 3, false);
    spec.channels[1].microphone = false;
    spec.channels[2].microphone = true;
    spec.profiles[1].filter = 11;
    spec.profiles[2] = {2, 1, 0, 1};
    spec.profiles[5] = {3, 2, 0, 1};
    spec.profiles[8] = {4, 0, 0, 0};
    spec.resultLevels[0] = {800, 1000, 0, 0, 600, 1400, 400, 0, 0, 0, 0};
    spec.resultLevels[1] = {-1300, -1100, 0, 0, -1500, 2600, -1700, 0, 0, 0, 0};
    spec.vectorRecord = true;
    spec.coefficients = {100, 100, 0, 0};
    spec.coefficientUse = {1, 1, 0, 0};
    spec.vectorLevel = 1000;
    spec.seat = FourChannelSpec::Seat{.base = 0, .seat = 1};
    spec.dose = FourChannelSpec::DoseSetup{.axisX = 0, .axisY = 1, .axisZ = 1, .kind = 1, .limitVariant = 0,
                                           .dailyMinutes = 480};
    return spec;
}

TEST_F(FourChannelTables, GoldenTablesOfSoundAndVibrationInTheOrderOfTheFirstChannel)
{
    struct Case {
        const char* golden;
        FourChannelSpec spec;
        TableOutputOptions options;
    };
    const Case cases[] = {
        {"main-results-four-channel-microphone-first-tab-comma.txt", MicrophoneFirst(), {0, 1, 0}},
        {"main-results-four-channel-vibration-semicolon-comma.txt", AccelerometersFirst(), {1, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        auto doc = OpenFourChannel(c.spec);
        doc->SelectChannelProfile(1, 0);
        EXPECT_EQ(Render(*doc, c.options, 0, 0x17), Golden(c.golden));
        EXPECT_EQ(kind, kTableKindMainResults);
        // The width covers both tables.
        ExpectWidthOfWidestLine();
        EXPECT_EQ(doc->Channel().channel, 1);
    }
}

TEST_F(FourChannelTables, UnitsFollowEachTablesInput)
{
    // Unit option 1: the microphone rows are linear (SEL in Pa²s), the vibration rows in dB.
    auto doc = OpenFourChannel(MicrophoneFirst());
    Render(*doc, {0, 0, 0}, 1, 0x07);
    const std::vector<std::string> text(lines.begin(), lines.end());
    ASSERT_EQ(text.size(), 9u);
    EXPECT_NE(text[1].find("\tSEL[Pa\xB2s]\t"), std::string::npos) << text[1];
    EXPECT_NE(text[2].find("\tPa\t"), std::string::npos) << text[2];
    EXPECT_TRUE(text[6].ends_with("\tVDV[dB]\r\n")) << text[6];
    // W-Bxy in dB: Peak, P-P, MTVV, RMS and VDV words / 100.
    EXPECT_NE(text[7].find("\tdB\t8.0\t10.0\t6.0\t4.0\t14.0\r\n"), std::string::npos) << text[7];
    // No linear VDV, no vector in the mask: no notes.
    EXPECT_EQ(text.back().find("__"), std::string::npos);
}

TEST_F(FourChannelTables, OneKindOfInputGivesOneTable)
{
    struct Case {
        bool microphones;
        const char* caption;
    };
    for (const Case c : {Case{true, "Main_results_for_sound:\r\n"}, Case{false, "Main_results_for_vibration:\r\n"}}) {
        SCOPED_TRACE(c.caption);
        FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 216, 2, 1, true);
        for (fixture::FourChannelBlock& channel : spec.channels)
            channel.microphone = c.microphones;
        auto doc = OpenFourChannel(spec);
        const std::string table = Render(*doc, {0, 0, 6}, 0, 0x03);
        // Below firmware 2.17: one row per channel and no Prof column.
        ASSERT_GE(lines.Size(), 4u) << table;
        EXPECT_EQ(lines[0], c.caption);
        EXPECT_TRUE(lines[1].starts_with("Date      Start     Chan      Filter    ")) << lines[1];
        EXPECT_TRUE(lines[2].starts_with("24/01/01  13:39'12  #1        ")) << lines[2];
        EXPECT_TRUE(lines[3].starts_with("24/01/01  13:39'12  #2        ")) << lines[3];
        EXPECT_EQ(table.find("Main_results_for_", 1), std::string::npos) << table;
    }
}

TEST_F(FourChannelTables, DoseMeterProfilesHaveTheDoseColumns)
{
    // One microphone, dose meter, profile 1 (A, Fast) enabled; 600 s. Leq 80.0 dB,
    // Lav 83.0 dB; SEL = 80.0 + 10 log10(600) = 107.8 dB, SEL8 = Leq + 44.6 dB;
    // E8 = 10^(80.0 / 10 - 12) x 320000 / 100 = 0.32 Pa²h and E = E8 x 600 / 28800;
    // LEPd = 10 log10(480 x 60) + 80.0 - 44.6 = 80.0 dB, PSEL = 10 log10(600) + 80.0
    // - 44.6 = 63.2 dB; the dose word is 1 dB below the criterion: 0 %.
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 1, 3, true);
    spec.function = 4;
    spec.profiles[0] = {2, 1, 0, 1};
    spec.profiles[1] = {3, 2, 0, 0};
    spec.profiles[2] = {2, 0, 0, 0};
    auto doc = OpenFourChannel(spec);
    Render(*doc, {0, 0, 0}, 0, 0x01);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_EQ(lines[1], "Date\tStart\tChan\tProf\tFilter\tDetect\tTime\tunits\tPeak\tMin\tMax\tSpl\tLav\tLeq\tLtm3\tLtm5\t"
                        "Dose[%]\tDose8[%]\tSEL[dB]\tSEL8[dB]\tE[Pa\xB2h]\tE8[Pa\xB2h]\tLEPd[dB]\tPSEL[dB]\r\n");
    EXPECT_EQ(lines[2], "24/01/01\t13:39'12\t#1\tP1\tA\tFast\t00:10'00\tdB\t100.0\t70.0\t90.0\t75.0\t83.0\t80.0\t81.0\t"
                        "82.0\t0\t0\t107.8\t124.6\t0.01\t0.32\t80.0\t63.2\r\n");
}

TEST_F(FourChannelTables, TabTableImportsAsCsv)
{
    auto doc = OpenFourChannel(MicrophoneFirst());
    const std::string counts = CsvColumnCounts(dir, Render(*doc, {0, 1, 0}, 0, 0x17));
    if (counts.empty())
        GTEST_SKIP() << "python3 is not installed";
    // Sound: caption, header and two rows of 18 columns; the empty line; vibration:
    // caption, header, two channel rows and the vector row of 13 columns, two notes.
    EXPECT_EQ(counts, "1,18,18,18,0,1,13,13,13,13,1,1\n");
}

TEST_F(FourChannelTables, VectorRowWithoutItsLevelShowsNoValue)
{
    // A vector record that ends before the vector's level: the RMS column is empty,
    // never the next record's first word.
    FourChannelSpec spec = MicrophoneFirst();
    spec.vectorLevel.reset();
    auto doc = OpenFourChannel(spec);
    Render(*doc, {0, 0, 0}, 0, 0x10);
    ASSERT_GE(lines.Size(), 4u);
    const std::string_view vector = lines[lines.Size() - 2];
    EXPECT_TRUE(vector.starts_with("24/01/01\t13:39'12\tVect\tP1\tMODULE\t---\t00:16'40\tm/s\xB2\t-----\t-----\t-----\t-----\t-----\r\n"))
        << vector;
}

// RT60 files of four-channel instruments: a table per channel record of the
// mask, then the table over the channels; third-octave bands 31 and 32 (1 kHz,
// 1.25 kHz) and the total row.
class Rt60ByChannel : public FourChannelTables {
protected:
    static FourChannelSpec Rt60File(std::uint16_t count)
    {
        FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 3, 1, true);
        for (fixture::FourChannelBlock& channel : spec.channels)
            channel.microphone = true;
        spec.function = 8;
        spec.rt60 = {count, 3, 31, 32, 1, {{1230, -1, 980, 1010}, {1500, 1400, 1300, 1200}, {900, 800, 700, -1}}};
        spec.rtChannels = {0, 1, 2};
        spec.rtMean = true;
        return spec;
    }
};

TEST_F(Rt60ByChannel, GoldenTableOfTheSecondChannelAndTheMean)
{
    auto doc = OpenFourChannel(Rt60File(1));
    EXPECT_EQ(Render(*doc, {0, 1, 0}, 0, 0x02), Golden("rt60-by-channel-tab-comma.txt"));
    EXPECT_EQ(kind, kTableKindMainResults);
    ExpectWidthOfWidestLine();
}

TEST_F(Rt60ByChannel, AveragedResultsFixedFieldsAndAMissingMean)
{
    // Averaged results (records 38 and 41); separator '#' keeps the 10-character fields.
    auto doc = OpenFourChannel(Rt60File(2));
    Render(*doc, {0, 0, 6}, 0, 0x05);
    ASSERT_EQ(lines.Size(), 27u);
    EXPECT_EQ(lines[1], "Channel_#1:_Averaged_RT60_results:\r\n");
    EXPECT_EQ(lines[3], "Freq      EDT       RT20      RT30      RTuser    \r\n");
    EXPECT_EQ(lines[5], "1000.0    1.23      *.**      0.98      1.01      \r\n");
    EXPECT_EQ(lines[10], "Channel_#3:_Averaged_RT60_results:\r\n");
    EXPECT_EQ(lines[19], "Averaged_RT60_results_averaged_by_channels:\r\n");

    // Without the record over the channels its block keeps its head and has no rows;
    // channel records stop where the file has no more.
    FourChannelSpec spec = Rt60File(1);
    spec.rtMean = false;
    spec.rtChannels = {0};
    auto partial = OpenFourChannel(spec);
    Render(*partial, {0, 0, 0}, 0, 0x07);
    ASSERT_EQ(lines.Size(), 15u);
    EXPECT_EQ(lines[1], "Channel_#1:_RT60_results:\r\n");
    EXPECT_EQ(lines[10], "RT60_results_averaged_by_channels:\r\n");
    EXPECT_EQ(lines[14], "\r\n");
}

TEST(CompactExponentsTest, ExponentsLoseSignAndLeadingZerosAndKeepTheirFields)
{
    struct Case {
        std::string field;
        std::string expected;
    };
    const Case fields[] = {
        {"1.23e+003 ", "1.23e3    "},
        {"4.56e-012 ", "4.56e-12  "},
        {"7.00e+000 ", "7.00e0    "},
        {"2.50e-003 ", "2.50e-3   "},
        {"1.00e+100 ", "1.00e100  "},
        {"12.5      ", "12.5      "}, // no exponent
    };
    for (const Case& c : fields) {
        std::string field = c.field;
        CompactExponentField(field);
        EXPECT_EQ(field, c.expected) << c.field;
    }

    // A row: the names before the start keep their 'e'; the last exponent ends the text.
    std::string row = "Leq       1.23e+003 4.56e-012 7.00e+000";
    CompactExponents(row, 10);
    EXPECT_EQ(row, "Leq       1.23e3    4.56e-12  7.00e0");
    std::string named = "Leq       Sel e";
    CompactExponents(named, 0);
    EXPECT_EQ(named, "Leq       Sel e");
}

TEST(RepackHeaderTest, NamesWithUnitsReturnToTheirBoundaries)
{
    struct Case {
        std::string header;
        std::string expected;
    };
    const Case cases[] = {
        // SEL[dB] with four blanks and Lex8[dB] with two: one blank less after SEL[dB].
        {"SEL[dB]    Lex8[dB]  ", "SEL[dB]   Lex8[dB]  "},
        {"Peak      PS[Pa\xB2s]    Lx8[Pa\xB2s]   Dose[%]   ", "Peak      PS[Pa\xB2s]  Lx8[Pa\xB2s] Dose[%]   "},
        // Nothing but blanks after a boundary: they stay.
        {"Time      units               ", "Time      units               "},
    };
    for (const Case& c : cases) {
        std::string header = c.header;
        RepackHeader(header);
        EXPECT_EQ(header, c.expected) << c.header;
    }
}

// An ORLU 525 RT60 file: settings 26 (save mode 1, method, 1/3 octave) and results 27
// with bands 10 to 12 (8, 10 and 12.5 Hz) and one total row (the 525's totals begin
// with TOT_A).
class Rt60Table : public DocumentTest {};

TEST_F(Rt60Table, BandsTotalsInvalidTimesAndTheDecimalComma)
{
    FixtureBuilder file;
    CurrentFileSpec spec;
    SetProfiles(spec);
    spec.function = 8;
    std::vector<std::uint8_t> bytes = fixture::CurrentMeasurementFile(spec);
    bytes.resize(bytes.size() - 2); // the end word comes after the RT60 records
    file.Bytes(bytes);
    file.Record(26, {1, 0, 2, 0, 0, 0, 0, 0, 0, 0});
    std::vector<std::uint16_t> r27{0, 0, 45, 1, 10, 12};
    const std::int16_t times[4][4] = {{1230, -1, 980, 1010}, {1500, 1400, 1300, 1200}, {6, 10, 20, 30}, {900, 800, 700, -1}};
    for (const auto& t : times)
        for (std::uint16_t w : {std::uint16_t{0}, static_cast<std::uint16_t>(t[0]), static_cast<std::uint16_t>(t[1]),
                                static_cast<std::uint16_t>(t[2]), static_cast<std::uint16_t>(t[3]), std::uint16_t{0},
                                std::uint16_t{0}, std::uint16_t{0}, std::uint16_t{0}})
            r27.push_back(w);
    file.Record(27, r27).ChainEnd();
    FixtureBuilder container;
    container.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.Size())).Bytes(file.Data());
    auto doc = Open(Write("rt.orl", container));

    LineList lines;
    std::int32_t width = 0;
    std::uint8_t kind = 0;
    MainTableRequest request{lines, width, kind, 7, 0, {0, 1, 0}};
    EXPECT_EQ(MainResultsTableFor(*doc)(*doc, request), 1);
    const std::string expected = "\r\n"
                                 "RT60_results:\r\n"
                                 "\r\n"
                                 "Freq\tEDT\tRT20\tRT30\tRTuser\r\n"
                                 "[Hz]\t[sec]\t[sec]\t[sec]\t[sec]\r\n"
                                 "8,0\t1,23\t*,**\t0,98\t1,01\r\n"
                                 "10,0\t1,50\t1,40\t1,30\t1,20\r\n"
                                 "12,5\t0,01\t0,01\t0,02\t0,03\r\n"
                                 "TOT_A\t0,90\t0,80\t0,70\t*,**\r\n"
                                 "\r\n";
    EXPECT_EQ(lines.Join(), expected);
    EXPECT_EQ(kind, kTableKindMainResults);
}

} // namespace
} // namespace orlu
