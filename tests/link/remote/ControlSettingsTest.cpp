// The remote-control settings record: what the instrument's reply sets, the
// commands each page sends, the setters' refusals and the setup files.

#include "link/remote/CControlSett.h"
#include "support/SetupFileFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace orlu {
namespace {

using S = Setting;

/// Every setting of the record that differs from a fresh one, by name.
std::map<std::string, int> Changed(const CControlSett& r)
{
    const CControlSett fresh;
    std::map<std::string, int> out;
    for (int i = 0; i < kSettingCount; ++i)
        if (r.Get(static_cast<S>(i)) != fresh.Get(static_cast<S>(i)))
            out[std::string(SettingName(static_cast<S>(i)))] = r.Get(static_cast<S>(i));
    return out;
}

TEST(ControlSettingsTest, ReplyParse)
{
    struct Case {
        std::string reply;
        std::map<std::string, int> changed; ///< UnitVersion 0 is listed: every parse starts with it
        std::string serial;
        std::string software;
    };
    const Case cases[] = {
        {"#1,X1,Q2,V1,P1;", {{"UnitVersion", 0}, {"Mode", 1}, {"Calibration", 0}}, "", ""},
        {"#1,NE1234,W123;", {}, "1234", "123"},
        {"#1,N55,U505,X2;", {{"UnitVersion", 0}, {"Mode", 2}}, "55", ""},
        {"#1,B-50,T-100,X2;", {{"UnitVersion", 0}, {"TriggerLevel", -50}, {"TriggerDelay", -100}, {"Mode", 2}}, "", ""},
        {"#2,X1;", {{"UnitVersion", 0}}, "", ""},
        {"#1,X1,#1,X2;", {{"UnitVersion", 0}, {"Mode", 1}}, "", ""},
        // The reply takes bands 1..15 only.
        {"#1,H16,X2;", {{"UnitVersion", 0}}, "", ""},
        {"#1,H15,X2;", {{"UnitVersion", 0}, {"Band", 15}, {"Mode", 2}}, "", ""},
        {"#1,d12m;", {{"UnitVersion", 0}, {"IntegrationTime", 12}, {"IntegrationTimeUnit", 2}}, "", ""},
        {"#1,d4h,d5;", {{"UnitVersion", 0}, {"IntegrationTime", 5}}, "", ""},
        // The token goes on after the unit letter, so the mode is read too.
        {"#1,d12m,X1;", {{"UnitVersion", 0}, {"IntegrationTime", 12}, {"IntegrationTimeUnit", 2}, {"Mode", 1}}, "", ""},
        {"#1,d-3h,X1;", {{"UnitVersion", 0}, {"IntegrationTime", -3}, {"IntegrationTimeUnit", 3}, {"Mode", 1}}, "", ""},
        {"#1,xC3;", {{"UnitVersion", 0}, {"AnRmsAveraging", 3}}, "", ""},
        {"#1,xC3,X2;", {{"UnitVersion", 0}, {"AnRmsAveraging", 3}, {"Mode", 2}}, "", ""},
        {"#1,x1C3,X2;", {{"UnitVersion", 0}}, "", ""},
        {"#1,xC5,X2;", {{"UnitVersion", 0}}, "", ""},
        {"#1,W1.23,X1;", {{"UnitVersion", 0}}, "", "1"},
        {"#1,N0,X1;", {{"UnitVersion", 0}}, "", ""},
        {"#1,W30001,X1;", {{"UnitVersion", 0}}, "", ""},
        {"#1,Z1,k1,u1,P2;", {{"UnitVersion", 0}, {"Zoom", 1}, {"AutoRepeat", 1}, {"AutoRange", 1}, {"SoundBeep", 0}}, "", ""},
        {"#1,Z3,X1;", {{"UnitVersion", 0}}, "", ""},
        {"#1,e10,f16,f0,D3599,Y14,E7,S2,g6,r4,m11,c4;",
         {{"UnitVersion", 0}, {"MetDeltaIntegr", 10}, {"MetFilter", 0}, {"AveragingNumber", 3599}, {"CFreq", 14},
          {"AnDeltaIntegr", 7}, {"StartStop", 2}, {"MetInput", 6}, {"MetRange", 4}, {"MetFunction", 11},
          {"MetRmsAveraging", 4}},
         "", ""},
        {"#1,f17,X1;", {{"UnitVersion", 0}}, "", ""},
        {"#1,G2,A3,C4,F2,I5,K2,L5,M3,R2,V2;",
         {{"UnitVersion", 0}, {"AnInput", 2}, {"Trigger", 3}, {"Averaging", 4}, {"AnFilter", 2}, {"Window", 5},
          {"Record", 2}, {"SLines", 5}, {"AnFunction", 3}, {"AnRange", 2}, {"MicPolarization", 2}},
         "", ""},
        // Anything but ',' or ';' after a number ends the parse; so does the end of the text.
        {"#1,X1 ,X2;", {{"UnitVersion", 0}, {"Mode", 1}}, "", ""},
        {"#1,X1", {{"UnitVersion", 0}, {"Mode", 1}}, "", ""},
        {"#1,X+2;", {{"UnitVersion", 0}, {"Mode", 2}}, "", ""},
        {"", {{"UnitVersion", 0}}, "", ""},
        {"#1,B99999999999999999999,X1;", {{"UnitVersion", 0}}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        CControlSett r;
        r.ParseUnitSettings(c.reply);
        EXPECT_EQ(Changed(r), c.changed);
        EXPECT_EQ(r.SerialNumber(), c.serial);
        EXPECT_EQ(r.SoftwareVersion(), c.software);
    }
}

TEST(ControlSettingsTest, SendItems)
{
    CControlSett r;
    ASSERT_TRUE(r.Set(S::UnitVersion, 1));
    for (auto [s, v] : std::initializer_list<std::pair<S, int>>{
             {S::Calibration, 0}, {S::MicPolarization, 2}, {S::SoundBeep, 1}, {S::Mode, 2},
             {S::MetInput, 4}, {S::MetFunction, 9}, {S::MetRmsAveraging, 3}, {S::IntegrationTimeUnit, 3},
             {S::IntegrationTime, 4}, {S::MetDeltaIntegr, 6}, {S::MetFilter, 0}, {S::AutoRepeat, 1},
             {S::MetRange, 3}, {S::AnInput, 5}, {S::Trigger, 4}, {S::TriggerLevel, -123}, {S::Window, 3},
             {S::AnFunction, 4}, {S::Band, 16}, {S::Averaging, 6}, {S::AveragingNumber, 3599}, {S::AnRange, 2},
             {S::AnFilter, 4}, {S::Record, 2}, {S::SLines, 5}, {S::Zoom, 0}})
        ASSERT_TRUE(r.Set(s, v)) << SettingName(s);
    const std::vector<std::string> pages[] = {
        // Page 0 counts five items but has four.
        {"Q2", "V2", "P1", "X2", "", ""},
        {"g4", "m9", "c3", "d4h", "e6", "f0", "k1", "r3", ""},
        {"G5", "A4", "B-123", "I3", "M4", "H16", "C6", "D3599", "R2", "F4", "K2", "L5", "Z2", ""},
        {""},
    };
    for (int page = 0; page < 4; ++page) {
        std::vector<std::string> items;
        for (int i = 1; i <= CControlSett::GetSendItemCount(page) + 1; ++i)
            items.push_back(r.FormatSendItem(page, i));
        EXPECT_EQ(items, pages[page]) << "page " << page;
        EXPECT_EQ(r.FormatSendItem(page, 0), "");
    }
    // The integration time's unit: none for seconds, m for minutes.
    for (auto [unit, time, item] : {std::tuple{1, 30, "d30"}, {2, 10, "d10m"}}) {
        ASSERT_TRUE(r.Set(S::IntegrationTimeUnit, unit));
        ASSERT_TRUE(r.Set(S::IntegrationTime, time));
        EXPECT_EQ(r.FormatSendItem(1, 4), item);
    }
}

TEST(ControlSettingsTest, SetterRefusals)
{
    struct Case {
        std::vector<std::pair<S, int>> before; ///< stored first, all accepted
        S setting;
        int refused;
        int accepted; ///< a value the same record takes
        std::string message;
    };
    const std::string bad = "Invalid value for setting ";
    const Case cases[] = {
        {{}, S::UnitVersion, 3, 2, bad + "Unit Version"},
        {{}, S::Mode, -1, 2, bad + "MODE"},
        {{}, S::StartStop, 0, 2, bad + "START/STOP"},
        {{}, S::MicPolarization, 3, 2, bad + "MIC. POL."},
        {{}, S::AnFunction, 5, 4, bad + "FUNCTION"},
        {{}, S::SLines, 6, 5, bad + "S_LINES"},
        {{}, S::Record, 3, 2, bad + "RECORD"},
        {{}, S::Window, 0, 5, bad + "WINDOW"},
        {{}, S::Averaging, 7, 6, bad + "AVERAGING"},
        {{{S::AnFunction, 2}}, S::AveragingNumber, 1, 2048, bad + "AVERAGING NO."},
        {{{S::AnFunction, 1}}, S::AveragingNumber, 2049, 2, bad + "AVERAGING NO."},
        {{{S::AnFunction, 3}}, S::AveragingNumber, 3600, 1, bad + "AVERAGING NO."},
        {{{S::UnitVersion, 1}}, S::AnRmsAveraging, 5, 4, bad + "RMS AVERAGING"},
        {{}, S::AnDeltaIntegr, 8, 7, bad + "DELTA INTEGR."},
        {{}, S::AnInput, 7, 6, bad + "INPUT"},
        {{}, S::AnRange, 5, 4, bad + "RANGE"},
        {{}, S::Band, 17, 16, bad + "BAND"},
        {{}, S::AnFilter, 5, 4, bad + "FILTER"},
        {{}, S::Trigger, 5, 4, bad + "TRIGGER"},
        {{}, S::TriggerLevel, 1000, -999, bad + "TRIGGER LEVEL"},
        {{}, S::TriggerDelay, -4096, 4096, bad + "TRIGGER DELAY"},
        {{}, S::CFreq, 1, 14, bad + "C.FREQ."},
        {{}, S::MetFunction, 12, 11, bad + "FUNCTION"},
        {{{S::UnitVersion, 0}}, S::MetRmsAveraging, 3, 2, bad + "RMS AVERAGING"},
        {{{S::UnitVersion, 1}}, S::MetRmsAveraging, 5, 4, bad + "RMS AVERAGING"},
        {{{S::IntegrationTimeUnit, 2}}, S::IntegrationTime, 60, 59, bad + "INT. TIME"},
        {{{S::IntegrationTimeUnit, 3}}, S::IntegrationTime, 17, 16, bad + "INT. TIME"},
        {{{S::IntegrationTimeUnit, 1}}, S::IntegrationTime, 0, 1, bad + "INT. TIME"},
        {{}, S::IntegrationTimeUnit, 4, 3, bad + "UNIT"},
        {{{S::UnitVersion, 1}}, S::MetDeltaIntegr, 3, 10, bad + "DELTA INTEGR."},
        {{{S::UnitVersion, 0}}, S::MetDeltaIntegr, 4, 3, bad + "DELTA INTEGR."},
        {{}, S::MetInput, 0, 6, bad + "INPUT"},
        {{}, S::MetRange, 0, 4, bad + "RANGE"},
        {{}, S::MetFilter, 17, 0, bad + "FILTER"},
        // The A version's RMS averaging cannot be changed at all.
        {{{S::UnitVersion, 0}}, S::AnRmsAveraging, 2, 2, "Setting RMS AVERAGING can not be modified in ORLU 505"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(SettingName(c.setting)) + " " + std::to_string(c.refused));
        CControlSett r;
        for (auto [s, v] : c.before)
            ASSERT_TRUE(r.Set(s, v));
        const CControlSett before = r;
        const SettingOutcome no = r.Set(c.setting, c.refused);
        EXPECT_EQ(no.message, c.message);
        EXPECT_EQ(r, before);
        if (c.message.starts_with("Setting"))
            continue;
        EXPECT_TRUE(r.Set(c.setting, c.accepted));
        EXPECT_EQ(r.Get(c.setting), c.accepted);
    }
    // Flags store what they get.
    CControlSett r;
    EXPECT_TRUE(r.Set(S::Zoom, 7));
    EXPECT_EQ(r.Get(S::Zoom), 7);
}

TEST(ControlSettingsTest, DefaultsAndCopy)
{
    const CControlSett fresh;
    EXPECT_EQ(fresh.Get(S::UnitVersion), 1);
    EXPECT_EQ(fresh.Get(S::AveragingNumber), 2);
    EXPECT_EQ(fresh.Get(S::CFreq), 2);
    EXPECT_EQ(fresh.Get(S::MetDeltaIntegr), 1);
    EXPECT_EQ(CControlSett(true).Get(S::MetDeltaIntegr), 4);

    CControlSett a;
    a.ParseUnitSettings("#1,NE77,W5,X2,B-9,f11;");
    CControlSett b;
    b.CopyFrom(a);
    EXPECT_EQ(b, a);
    EXPECT_EQ(b.SerialNumber(), "77");
    a.SetSerialNumber("1");
    EXPECT_EQ(b.SerialNumber(), "77");
}

/// The setup file of the record every value of which differs from a fresh one, written from the layout.
const std::vector<std::uint8_t> kHandWritten = {
    0x00, 0x00, 0x00, 0x00, // UnitVersion 0
    0x02, 0x00, 0x00, 0x00, // Mode 2
    0x02, 0x00, 0x00, 0x00, // StartStop 2
    0x02, 0x00, 0x00, 0x00, // MicPolarization 2
    0x00, 0x00, 0x00, 0x00, // Calibration 0
    0x00, 0x00, 0x00, 0x00, // SoundBeep 0
    0x00,                   // SerialNumber ""
    0x00,                   // SoftwareVersion ""
    0x04, 0x00, 0x00, 0x00, // AnFunction 4
    0x05, 0x00, 0x00, 0x00, // SLines 5
    0x02, 0x00, 0x00, 0x00, // Record 2
    0x03, 0x00, 0x00, 0x00, // Window 3
    0x06, 0x00, 0x00, 0x00, // Averaging 6
    0x0F, 0x0E, 0x00, 0x00, // AveragingNumber 3599
    0x04, 0x00, 0x00, 0x00, // AnRmsAveraging 4
    0x07, 0x00, 0x00, 0x00, // AnDeltaIntegr 7
    0x06, 0x00, 0x00, 0x00, // AnInput 6
    0x03, 0x00, 0x00, 0x00, // AnRange 3
    0x10, 0x00, 0x00, 0x00, // Band 16
    0x02, 0x00, 0x00, 0x00, // AnFilter 2
    0x03, 0x00, 0x00, 0x00, // Trigger 3
    0x85, 0xFF, 0xFF, 0xFF, // TriggerLevel -123
    0x01, 0xF0, 0xFF, 0xFF, // TriggerDelay -4095
    0x01, 0x00, 0x00, 0x00, // Zoom 1
    0x0E, 0x00, 0x00, 0x00, // CFreq 14
    0x0B, 0x00, 0x00, 0x00, // MetFunction 11
    0x01, 0x00, 0x00, 0x00, // AutoRepeat 1
    0x02, 0x00, 0x00, 0x00, // MetRmsAveraging 2
    0x10, 0x00, 0x00, 0x00, // IntegrationTime 16
    0x03, 0x00, 0x00, 0x00, // IntegrationTimeUnit 3
    0x03, 0x00, 0x00, 0x00, // MetDeltaIntegr 3
    0x05, 0x00, 0x00, 0x00, // MetInput 5
    0x04, 0x00, 0x00, 0x00, // MetRange 4
    0x0B, 0x00, 0x00, 0x00, // MetFilter 11
    0x01, 0x00, 0x00, 0x00, // AutoRange 1
};

TEST(ControlSettingsTest, SetupFileReadAndWrittenBackByteForByte)
{
    ASSERT_EQ(kHandWritten.size(), 134u);
    CControlSett r;
    ASSERT_EQ(r.LoadSetup(kHandWritten), std::nullopt);
    const std::map<std::string, int> expected{
        {"UnitVersion", 0}, {"Mode", 2}, {"StartStop", 2}, {"MicPolarization", 2}, {"Calibration", 0},
        {"SoundBeep", 0}, {"AnFunction", 4}, {"SLines", 5}, {"Record", 2}, {"Window", 3}, {"Averaging", 6},
        {"AveragingNumber", 3599}, {"AnRmsAveraging", 4}, {"AnDeltaIntegr", 7}, {"AnInput", 6}, {"AnRange", 3},
        {"Band", 16}, {"AnFilter", 2}, {"Trigger", 3}, {"TriggerLevel", -123}, {"TriggerDelay", -4095},
        {"Zoom", 1}, {"CFreq", 14}, {"MetFunction", 11}, {"AutoRepeat", 1}, {"MetRmsAveraging", 2},
        {"IntegrationTime", 16}, {"IntegrationTimeUnit", 3}, {"MetDeltaIntegr", 3}, {"MetInput", 5},
        {"MetRange", 4}, {"MetFilter", 11}, {"AutoRange", 1}};
    EXPECT_EQ(Changed(r), expected);
    EXPECT_EQ(r.StoreSetup(), kHandWritten);
    EXPECT_EQ(CControlSett().StoreSetup().size(), 134u);
}

TEST(ControlSettingsTest, SetupFileTextsInEveryLengthForm)
{
    for (std::size_t length : {std::size_t{5}, std::size_t{254}, std::size_t{255}, std::size_t{0xFFFD},
                               std::size_t{0xFFFE}, std::size_t{70000}}) {
        SCOPED_TRACE(length);
        fixture::SetupFileFields fields;
        fields.serialNumber = std::string(length, '7');
        fields.softwareVersion = "12";
        const std::vector<std::uint8_t> file = fixture::SetupFileBytes(fields);
        CControlSett r;
        ASSERT_EQ(r.LoadSetup(file), std::nullopt);
        EXPECT_EQ(r.SerialNumber(), fields.serialNumber);
        EXPECT_EQ(r.SoftwareVersion(), "12");
        EXPECT_EQ(r.StoreSetup(), file);
    }
}

TEST(ControlSettingsTest, HostileSetupFilesAreRefusedAndChangeNothing)
{
    auto with = [](std::string_view name, std::string_view value) {
        fixture::SetupFileFields f;
        EXPECT_TRUE(f.Assign(name, value));
        return fixture::SetupFileBytes(f);
    };
    // The serial number's length claims 2^31 bytes; then the one-byte form of the software version.
    std::vector<std::uint8_t> huge(kHandWritten.begin(), kHandWritten.begin() + 24);
    for (std::uint8_t b : {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80})
        huge.push_back(b);
    huge.insert(huge.end(), kHandWritten.begin() + 24, kHandWritten.end());
    std::vector<std::uint8_t> unicode(kHandWritten.begin(), kHandWritten.begin() + 24);
    for (std::uint8_t b : {0xFF, 0xFE, 0xFF, 0x01, 0x37, 0x00})
        unicode.push_back(b);
    unicode.insert(unicode.end(), kHandWritten.begin() + 25, kHandWritten.end());
    const std::vector<std::uint8_t> cut(kHandWritten.begin(), kHandWritten.end() - 1);
    const std::vector<std::uint8_t> cutInText(kHandWritten.begin(), kHandWritten.begin() + 24);

    struct Case {
        std::string what;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    const Case cases[] = {
        {"length 2^31", huge, "The serial number ends early."},
        {"unicode", unicode, "The serial number is stored as Unicode text."},
        {"cut", cut, "The file ends early, at AutoRange."},
        {"cut before a text", cutInText, "The serial number ends early."},
        {"empty", {}, "The file ends early, at UnitVersion."},
        {"MetFilter 40", with("MetFilter", "40"), "MetFilter holds 40, outside 0 to 16."},
        {"Mode 7", with("Mode", "7"), "Mode holds 7, outside 0 to 2."},
        {"Band 0", with("Band", "0"), "Band holds 0, outside 1 to 16."},
        {"IntegrationTime 60", with("IntegrationTime", "60"), "IntegrationTime holds 60, outside 1 to 59."},
        {"AveragingNumber", with("AveragingNumber", "-2147483648"),
         "AveragingNumber holds -2147483648, outside 1 to 3599."},
    };
    CControlSett r;
    r.ParseUnitSettings("#1,NE1234,W12,X2,f11;");
    const CControlSett before = r;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(r.LoadSetup(c.bytes), c.message);
        EXPECT_EQ(r, before);
    }
}

} // namespace
} // namespace orlu
