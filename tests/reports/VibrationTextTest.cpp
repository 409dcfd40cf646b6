// Main-results text of vibration files, compared byte for byte with texts
// written out from the layouts (tests/golden), and the parts of it that
// depend on the file: SEAT ratios without a base, the VDV and overload
// columns, the width handed back.

#include "document/DocumentTestSupport.h"
#include "reports/text/MainResultsText.h"
#include "reports/text/VibrationText.h"
#include "support/FourChannelFixture.h"

#include <fstream>
#include <sstream>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::FourChannelSpec;

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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

class VibrationText : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("vib.orl", f));
    }

    std::string Render(CTmDoc& doc, std::uint16_t mask, int* width = nullptr)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(FormatVibrationText(doc, lines, &widest, mask, 0));
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
