#include "link/SerialLinkSettings.h"
#include "platform/IniProfile.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

IniProfile ProfileWith(std::initializer_list<std::pair<const char*, int>> keys)
{
    IniProfile profile;
    for (const auto& [key, value] : keys)
        profile.WriteInt("RS Default Settings", key, value);
    return profile;
}

TEST(SerialLinkSettingsTest, EmptyProfileGivesCom1EightBits9600NoParityOneStop)
{
    SerialLinkSettings s;
    s.Load(IniProfile(), 3);
    const SerialParameterTexts t = s.CurrentTexts();
    EXPECT_EQ(t.port, "COM1");
    EXPECT_EQ(t.dataBits, "8");
    EXPECT_EQ(t.baudRate, "9600");
    EXPECT_EQ(t.parity, "N");
    EXPECT_EQ(t.stopBits, "1");
    EXPECT_EQ(s.CurrentPortPath(), "/dev/ttyS0");
}

TEST(SerialLinkSettingsTest, IndicesOutsideTheirTablesAreClamped)
{
    SerialLinkSettings s;
    s.Load(ProfileWith({{"Port", 40}, {"DataBits", 9}, {"BaudRate", -3}, {"Parity", 7}, {"StopBits", 255}}), 1);
    EXPECT_EQ(s.current, (SerialParameters{9, 3, 0, 2, 2, kPause505}));
    EXPECT_EQ(s.CurrentTexts().port, "COM10");
}

TEST(SerialLinkSettingsTest, FamilyConstraintsOnTheCurrentHalf)
{
    struct Case {
        std::uint8_t selector;
        SerialParameters expected;
        std::uint8_t baudEntries;
    };
    // The profile asks for COM3, 7 bits, 115200, even parity, 2 stop bits.
    const Case cases[] = {
        {1, {2, 3, 5, 2, 2, 5}, 6},  // ORLU 505: 38400 at most, its parity and stop bits kept, 5 ms pause
        {7, {2, 3, 7, 0, 0, 0}, 8},  // MONITOR: 115200, N, 1
        {3, {2, 3, 7, 0, 0, 0}, 8},  // others: baud kept, N, 1
        {11, {2, 3, 7, 0, 0, 0}, 8}, // a selector without a family
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.selector));
        SerialLinkSettings s;
        s.Load(ProfileWith({{"Port", 2}, {"DataBits", 2}, {"BaudRate", 7}, {"Parity", 2}, {"StopBits", 2}}),
               c.selector);
        s.ApplyUnitConstraints(c.selector);
        EXPECT_EQ(s.current, c.expected);
        EXPECT_EQ(s.baudEntries, c.baudEntries);
    }
}

TEST(SerialLinkSettingsTest, DefaultsRestoreTheStartValuesWithTheConstraints)
{
    SerialLinkSettings s;
    s.Load(ProfileWith({{"BaudRate", 7}, {"Parity", 1}}), 1);
    s.current.port = 4;
    s.current.baudRate = 0;
    s.RestoreDefaults(1);
    EXPECT_EQ(s.current, (SerialParameters{0, 3, 5, 1, 0, 5}));
}

TEST(SerialLinkSettingsTest, SaveWritesTheCurrentIndicesAndThe505Pause)
{
    SerialLinkSettings s;
    s.current = {4, 3, 6, 1, 2, 0};
    IniProfile profile;
    s.Save(profile);
    const char* keys[] = {"Port", "DataBits", "BaudRate", "Parity", "StopBits", "WritePause505"};
    const int expected[] = {4, 3, 6, 1, 2, 5};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(profile.GetInt("RS Default Settings", keys[i], -1), expected[i]) << keys[i];
}

TEST(SerialLinkSettingsTest, PortPathsCanBeNamedInTheProfile)
{
    IniProfile profile;
    profile.WriteString("Port Paths", "COM2", "/dev/ttyACM0");
    profile.WriteInt("RS Default Settings", "Port", 1);
    SerialLinkSettings s;
    s.Load(profile, 3);
    EXPECT_EQ(s.CurrentPortPath(), "/dev/ttyACM0");
}

} // namespace
} // namespace orlu
