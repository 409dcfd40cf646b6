// Main-results text of vibration files, compared byte for byte with texts
// written out from the layouts (tests/golden), and the parts of it that
// depend on the file: SEAT ratios without a base, the VDV and overload
// columns, the width handed back.

#include "document/DocumentTestSupport.h"
#include "reports/text/MainResultsText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/VibrationText.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"


namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::FourChannelSpec;
using fixture::Golden;

// An ORLU 545 at firmware 2.19 (levels in 0.01 dB, Prof and OvlT columns)
// with three accelerometers on W-Bxy; the levels are 0.01 dB over the
// 120 dB acceleration reference, so a word w reads 10^(w / 2000) m/s2.
// Channel c: Peak, P-P, MTVV, VDV and RMS words 800, 1000, 600, 1400 and
// 400, each 100 lower per channel. SEAT: channel 3 over channel 1. Dose
// meter: hand-arm, "UK", axes 1, 2, 3, 8 hours a day.
FourChannelSpec ThreeAxes()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 219, 3, 1, false);
    for (fixture::FourChannelBlock& c : spec.channels)
        c.microphone = false;
    for (fixture::FourChannelProfileBlock& p : spec.profiles)
        p.filter = 11;
    for (int c = 0; c < 3; ++c) {
        const auto d = static_cast<std::int16_t>(100 * c);
        // Words 3 to 13: Peak, P-P, -, -, MTVV, VDV, RMS, then unused words.
        spec.resultLevels[c] = {static_cast<std::int16_t>(800 - d), static_cast<std::int16_t>(1000 - d), 0, 0,
                                static_cast<std::int16_t>(600 - d), static_cast<std::int16_t>(1400 - d),
                                static_cast<std::int16_t>(400 - d), 0, 0, 0, 0};
    }
    spec.seat = FourChannelSpec::Seat{.base = 0, .seat = 2};
    spec.dose = FourChannelSpec::DoseSetup{.axisX = 0, .axisY = 1, .axisZ = 2, .kind = 1, .limitVariant = 0,
                                           .dailyMinutes = 480};
    return spec;
}

// An ORLU 530 at firmware 5.05 (the later results layout: Peak w3, P-P w4,
// MTVV w5, RMS w8, VDV w9; and the overload time) with an accelerometer and
// three profiles: W-Bxy 125ms, H-A 100ms and Vel1 200ms. Reference levels
// (record 4 words 24 and 25): acceleration +6.0 dB, velocity -4.0 dB. The
// words of profile p are 100 p lower than Peak 1300, P-P 1360, MTVV 1220,
// RMS 1180 and VDV 1500 (0.1 dB); words 6 and 7 belong to the earlier layout.
// Measured 15 June 2023 from 10:20'30 for 3725 s with 45 s of overload.
fixture::CurrentFileSpec Orlu530()
{
    fixture::CurrentFileSpec spec;
    spec.deviceType = 530;
    spec.firmware = 505;
    spec.inputKind = 5;
    spec.measurementWords = {{1, (23 << 9) | (6 << 5) | 15}, {2, 37230 / 2}, {24, 60},
                             {25, static_cast<std::uint16_t>(-40)}, {26, 0}};
    spec.profiles[0] = {.detector = 1, .filter = 11};
    spec.profiles[1] = {.detector = 0, .filter = 13};
    spec.profiles[2] = {.detector = 2, .filter = 4};
    spec.measurementSeconds = 3725;
    spec.overloadSeconds = 45;
    spec.levels = {1300, 1360, 1220, 999, 1111, 1180, 1500, 0, 0, 0, 0};
    spec.profileLevelStep = -100;
    return spec;
}

class VibrationText : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenCurrent(const fixture::CurrentFileSpec& spec, std::uint8_t kind = 46)
    {
        const std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("orlu530.orl", f));
    }

    std::unique_ptr<CTmDoc> OpenSpec(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("vib.orl", f));
    }

    std::string Render(CTmDoc& doc, std::uint16_t mask, int* width = nullptr, std::uint8_t unitOption = 0)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(FormatVibrationText(doc, lines, &widest, mask, unitOption));
        if (width)
            *width = widest;
        return lines.Join();
    }
};

TEST_F(VibrationText, ThreeAxesWithSeatRatiosAndHandArmDose)
{
    auto doc = OpenSpec(ThreeAxes());
    doc->SelectChannelProfile(1, 0);
    int width = 0;
    EXPECT_EQ(Render(*doc, 0x07, &width), Golden("four-channel-vibration.txt"));
    // The width is the table's (rows of 110 characters and CR LF), whatever follows it.
    EXPECT_EQ(width, 112);
    // The user's selection is kept.
    EXPECT_EQ(doc->Channel().channel, 1);

    // The Main-results text form picks the vibration text for the family.
    LineList lines;
    int widest = 0;
    EXPECT_TRUE(FormatMainResultsText(*doc, lines, &widest, 0x07, 0));
    EXPECT_EQ(lines.Join(), Golden("four-channel-vibration.txt"));
}

TEST_F(VibrationText, AllMicrophonesHandBackTheSoundSectionsWidth)
{
    // Two microphones at firmware 2.19: the sound section is the whole text; the width handed
    // back is its widest line with CR LF, so that the view can scroll it sideways.
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 219, 2, 1, true);
    spec.channels[1].microphone = true;
    spec.profiles[1].filter = 3;
    auto doc = OpenSpec(spec);
    int width = 0;
    const std::string text = Render(*doc, 0x03, &width);
    ASSERT_NE(text.find("Main results for sound:"), std::string::npos) << text;
    EXPECT_EQ(text.find("vibration"), std::string::npos) << text;
    std::size_t widest = 0;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        widest = std::max(widest, end - start + 2);
    EXPECT_GT(widest, 100u);
    EXPECT_EQ(width, static_cast<int>(widest));
}

TEST_F(VibrationText, Orlu530And535AccelerometerWithVdvAndOverloadTime)
{
    // The 535 measuring with an accelerometer reads its words as the 530 does.
    for (const auto& [device, kind] : {std::pair<std::uint16_t, std::uint8_t>{530, 46}, {535, 47}}) {
        SCOPED_TRACE(device);
        fixture::CurrentFileSpec spec = Orlu530();
        spec.deviceType = device;
        auto doc = OpenCurrent(spec, kind);
        int width = 0;
        EXPECT_EQ(Render(*doc, 0x07, &width), Golden("orlu530-vibration.txt"));
        EXPECT_EQ(width, 107);
        LineList lines;
        EXPECT_TRUE(FormatMainResultsText(*doc, lines, &width, 0x07, 0));
        EXPECT_EQ(lines.Join(), Golden("orlu530-vibration.txt"));
    }
}

TEST_F(VibrationText, Orlu530BeforeFirmware505ReadsTheEarlierWordsWithoutOverloadTime)
{
    fixture::CurrentFileSpec spec = Orlu530();
    spec.firmware = 504;
    auto doc = OpenCurrent(spec);
    // MTVV w7 1111, VDV w8 1180, RMS w9 1500, plus the acceleration reference 60:
    // 10^(1171/200 - 6) = 0.716, 10^(1240/200 - 6) = 1.58, 10^(1560/200 - 6) = 63.10.
    const std::string text = Render(*doc, 0x01);
    EXPECT_NE(text.find(" W-Bxy  125ms  01:02'05 |  m/s\xB2 |   6.31  12.59   0.72  63.10 |  1.58e+0\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("OvlT"), std::string::npos);

    // Measured with a microphone, the same file is a sound level meter's.
    spec.inputKind = 2;
    auto sound = OpenCurrent(spec);
    LineList expected;
    int expectedWidth = 0;
    ASSERT_TRUE(FormatSlmProfileText(*sound, expected, &expectedWidth, 0x07, 1));
    int width = 0;
    EXPECT_EQ(Render(*sound, 0x07, &width, 1), expected.Join());
    EXPECT_EQ(width, expectedWidth);
    EXPECT_NE(expected.Join().find("Main results:"), std::string::npos);
}

// The three axes with the vector sum of record 30: factors 1.40, 1.40 and
// 1.00, level word 500 (0.01 dB), that is 10^(500 / 2000) = 1.778 m/s2 or
// 5.0 dB. Channel 1's largest level (P-P 10^0.5) gives three decimals.
FourChannelSpec ThreeAxesWithVector()
{
    FourChannelSpec spec = ThreeAxes();
    spec.dose.reset();
    spec.seat.reset();
    spec.vectorRecord = true;
    spec.coefficients = {140, 140, 100, 0};
    spec.coefficientUse = {1, 1, 1, 0};
    spec.vectorLevel = 500;
    return spec;
}

const std::string kModuleFormula =
    "  MODULE^2 = 1.40^2*(#1:W-Bxy)^2 + 1.40^2*(#2:W-Bxy)^2 + 1.00^2*(#3:W-Bxy)^2\r\n";

TEST_F(VibrationText, ModuleRowOfTheVectorSum)
{
    const std::string rule110(110, '-');
    const std::string rule97(97, '-');
    struct Case {
        const char* name;
        std::uint16_t firmware;
        bool microphoneFirst;
        std::uint16_t mask;
        std::uint8_t unitOption;
        std::string tail; ///< the MODULE row and what follows it
        bool vectorLevel = true;
    } cases[] = {
        // After the channel rows; its overload time is the last channel row's.
        {"linear", 219, false, 0x17, 0,
         " 24/01/01  13:39'12   #5  Vect MODULE ---    00:10'00 |  m/s\xB2 |  -----  -----  -----  1.778 |   ------ |  1.33\r\n" +
             rule110 + "\r\n  sx = s^1.75\r\n" + kModuleFormula},
        // Alone it writes the header itself; no channel row was decoded, so no overload time.
        {"alone in dB", 219, false, 0x10, 1,
         "\r\nMain results for vibration:\r\n" + rule110 + "\r\n" +
             "        Start        Chan Prof Filter Detect Time     | units |   Peak    P-P   MTVV    RMS |      VDV |  OvlT\r\n"
             " yy/mm/dd  hh:mm'ss                          hh:mm'ss |       |                             |       dB |     %\r\n" +
             rule110 + "\r\n" +
             " 24/01/01  13:39'12   #5  Vect MODULE ---    00:10'00 |    dB |  -----  -----  -----    5.0 |   ------ | -----\r\n" +
             rule110 + "\r\n" + kModuleFormula},
        // Before 2.17 there is no Prof column and " Vect" stands in the channel column; no overload time.
        {"before profiles", 216, false, 0x11, 0,
         "   #1  W-Bxy  125ms  00:10'00 |  m/s\xB2 |  2.512  3.162  1.995  1.585 |  5.01e+0\r\n"
         " 24/01/01  13:39'12  Vect MODULE ---    00:10'00 |  m/s\xB2 |  -----  -----  -----  1.778 |   ------\r\n" +
             rule97 + "\r\n  sx = s^1.75\r\n" + kModuleFormula},
        // Channel 1 is a microphone: the vector takes channel 2, whose P-P 10^(2200 / 2000)
        // = 12.59 gives two decimals.
        {"first accelerometer", 219, true, 0x12, 0,
         " 24/01/01  13:39'12   #5  Vect MODULE ---    00:10'00 |  m/s\xB2 |  -----  -----  -----   1.78 |   ------ |  1.17\r\n" +
             rule110 + "\r\n  sx = s^1.75\r\n" + kModuleFormula},
        // A vector record that ends before its level word has no value.
        {"record without the level", 219, false, 0x11, 0,
         " 24/01/01  13:39'12   #5  Vect MODULE ---    00:10'00 |  m/s\xB2 |  -----  -----  -----  ----- |   ------ |  1.00\r\n",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FourChannelSpec spec = ThreeAxesWithVector();
        spec.firmware = c.firmware;
        if (!c.vectorLevel)
            spec.vectorLevel.reset();
        if (c.microphoneFirst) {
            spec.channels[0].microphone = true;
            spec.profiles[0].filter = 2;
            spec.resultLevels[1][1] = 2200;
            spec.coefficientUse[0] = 0;
        }
        auto doc = OpenSpec(spec);
        const std::string text = Render(*doc, c.mask, nullptr, c.unitOption);
        if (c.microphoneFirst) {
            const std::string formula =
                "  MODULE^2 = 1.40^2*(#2:W-Bxy)^2 + 1.00^2*(#3:W-Bxy)^2\r\n";
            EXPECT_NE(text.find(c.tail.substr(0, c.tail.size() - kModuleFormula.size()) + formula), std::string::npos)
                << text;
        } else {
            EXPECT_NE(text.find(c.tail), std::string::npos) << text;
        }
        EXPECT_EQ(text.find("MODULE"), text.find(" MODULE ---") + 1) << "one MODULE row";
    }

    // Without bit 4 of the mask there is neither the row nor the formula.
    auto doc = OpenSpec(ThreeAxesWithVector());
    EXPECT_EQ(Render(*doc, 0x07).find("MODULE"), std::string::npos);
}

// The dose-meter section of the three axes: RMS 10^0.2, 10^0.15, 10^0.1 and
// VDV 10^0.7, 10^0.65, 10^0.6 (m/s2, m/s^1.75), T = 600 s, Te = 8 h.
TEST_F(VibrationText, DoseMeterSections)
{
    const std::string rule94(94, '-');
    const std::string rule52(52, '-');
    struct Case {
        const char* name;
        std::uint8_t kind;
        std::uint8_t variant;
        std::uint8_t nonMetric;
        std::string section;
    } cases[] = {
        // a = max(RMSz, 1.4 max(RMSx, RMSy)) = 2.2189; v = max(1.4 max(VDVx, VDVy), VDVz) = 7.0166;
        // CExp = a sqrt(600 / 28800) = 0.3203; DDose = v 48^0.25 = 18.469; EAV by the fourth
        // power: (9.1 / v)^4 600 = 1697.5 s; ELV: 28800 (1.15 / a)^2 = 7736.3 s.
        {"whole-body UK", 2, 0, 0,
         "Whole-Body dose meter results (UK):\r\n" + rule94 + "\r\n"
         "    RMS_WB      CExp        A8     CDose     DDose     EAV_TT     EAV_TL     ELV_TT     ELV_TL\r\n"
         "      m/s\xB2      m/s\xB2      m/s\xB2      m/sx      m/sx   hh:mm'ss   hh:mm'ss   hh:mm'ss   hh:mm'ss\r\n" +
             rule94 + "\r\n" +
             "      2.22      0.32      2.22      7.02     18.47   00:28'17   00:18'17   02:08'56   01:58'56\r\n" +
             rule94 + "\r\n  sx = s^1.75\r\n"},
        // Non-metric: accelerations x 0.1019716213 (g), doses x 39.37007874 (in/s^1.75);
        // the times stay those of the metric values against the metric limits.
        {"whole-body UK non-metric", 2, 0, 1,
         "Whole-Body dose meter results (UK):\r\n" + rule94 + "\r\n"
         "    RMS_WB      CExp        A8     CDose     DDose     EAV_TT     EAV_TL     ELV_TT     ELV_TL\r\n"
         "         g         g         g     in/sx     in/sx   hh:mm'ss   hh:mm'ss   hh:mm'ss   hh:mm'ss\r\n" +
             rule94 + "\r\n" +
             "      0.23      0.03      0.23    276.24    727.12   00:28'17   00:18'17   02:08'56   01:58'56\r\n" +
             rule94 + "\r\n  sx = s^1.75\r\n"},
        // "PL": the vector a = sqrt(x^2 + y^2 + z^2) = 2.4682 (0.2517 g) and the time to
        // reach 2.8 m/s2: 28800 (2.8 / a)^2 = 37063.4 s.
        {"hand-arm PL non-metric", 1, 2, 1,
         "Hand-Arm dose meter results (PL):\r\n" + rule52 + "\r\n"
         "    Vector      CExp        A8     NDN_TT     NDN_TL\r\n"
         "         g         g         g   hh:mm'ss   hh:mm'ss\r\n" +
             rule52 + "\r\n" + "      0.25      0.04      0.25   10:17'43   10:07'43\r\n" + rule52 + "\r\n"},
        // Neither hand-arm nor whole-body: no exposure, so the caption without columns.
        {"no exposure kind", 0, 0, 0, "Whole-Body dose meter results (UK):\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FourChannelSpec spec = ThreeAxes();
        spec.seat.reset();
        spec.dose->kind = c.kind;
        spec.dose->limitVariant = c.variant;
        app.NonMetric = c.nonMetric;
        auto doc = OpenSpec(spec);
        const std::string text = Render(*doc, 0x07);
        const std::string ending = "\r\n\r\n" + c.section;
        ASSERT_GE(text.size(), ending.size()) << text;
        EXPECT_EQ(text.substr(text.size() - ending.size()), ending) << text;
    }
}

TEST_F(VibrationText, NonMetricTableRowsInGAndInches)
{
    app.NonMetric = 1;
    FourChannelSpec spec = ThreeAxes();
    spec.dose.reset();
    auto doc = OpenSpec(spec);
    const std::string text = Render(*doc, 0x07);
    // Channel 1: P-P 10^0.5 m/s2 = 0.3225 g gives milli-g with one decimal:
    // 10^0.4, 10^0.5, 10^0.3, 10^0.2 x 101.9716; VDV 10^0.7 x 39.37 = 197.3 in/s^1.75.
    EXPECT_NE(text.find("   #1   P1  W-Bxy  125ms  00:10'00 |    mg |  256.1  322.5  203.5  161.6 |  1.97e+2 |  1.00\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" |    in/sx |     %\r\n"), std::string::npos);
    // The SEAT ratios are ratios of the same unit: unchanged.
    EXPECT_NE(text.find("  SEAT_RMS #3/#1 = 0.794\r\n  SEAT_VDV #3/#1 = 0.794\r\n"), std::string::npos);
}

TEST_F(VibrationText, OneChannelOfTheSeatPairIsEnough)
{
    FourChannelSpec spec = ThreeAxes();
    spec.dose.reset();
    auto doc = OpenSpec(spec);
    // Seat over base, always linear: 10^((200 - 400) / 2000) and 10^((1200 - 1400) / 2000).
    const std::string text = Render(*doc, 0x04);
    EXPECT_NE(text.find("\r\n\r\n  SEAT_RMS #3/#1 = 0.794\r\n  SEAT_VDV #3/#1 = 0.794\r\n"), std::string::npos);
    EXPECT_EQ(Render(*doc, 0x02).find("SEAT"), std::string::npos);
}

TEST_F(VibrationText, SeatChannelsOutsideTheFileGiveNoLines)
{
    FourChannelSpec spec = ThreeAxes();
    spec.seat = FourChannelSpec::Seat{.base = 0, .seat = 7};
    auto doc = OpenSpec(spec);
    EXPECT_EQ(Render(*doc, 0x07).find("SEAT"), std::string::npos);
}

TEST_F(VibrationText, ColumnsFollowTheFlagsAndTheFirmware)
{
    FourChannelSpec spec = ThreeAxes();
    spec.dose.reset();
    spec.seat.reset();
    spec.flagsWord = 4; // no VDV in the file
    spec.firmware = 218; // no overload time yet
    auto doc = OpenSpec(spec);
    const std::string text = Render(*doc, 0x01);
    EXPECT_EQ(text.find("VDV"), std::string::npos);
    EXPECT_EQ(text.find("OvlT"), std::string::npos);
    EXPECT_EQ(text.find("sx = s^1.75"), std::string::npos);
    EXPECT_NE(text.find(" W-Bxy  125ms  00:10'00 |  m/s\xB2 |  2.512  3.162  1.995  1.585\r\n"), std::string::npos);

    // In dB the VDV is "%9.1f" and there is no sx note; a velocity weighting has no VDV.
    spec.flagsWord = 0;
    spec.profiles[0].filter = 4; // Vel1
    auto db = OpenSpec(spec);
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(FormatVibrationText(*db, lines, &widest, 0x06, 1));
    const std::string dbText = lines.Join();
    EXPECT_NE(dbText.find(" |       dB"), std::string::npos);
    // Channel 3 in dB: MTVV 4.00, RMS 2.00 and VDV 12.0 (words / 100).
    EXPECT_NE(dbText.find("    4.0    2.0 |     12.0\r\n"), std::string::npos) << dbText;
    EXPECT_EQ(dbText.find("sx = s^1.75"), std::string::npos);
    ASSERT_TRUE(FormatVibrationText(*db, lines, &widest, 0x01, 0));
    EXPECT_NE(lines.Join().find(" |   ------\r\n"), std::string::npos);
}

} // namespace
} // namespace orlu
