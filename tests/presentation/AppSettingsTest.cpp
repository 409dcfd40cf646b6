#include "presentation/AppSettings.h"

#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() /
                ("orlu-settings-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_Path = m_Dir / "OrluPC.INI";
    }
    void TearDown() override { fs::remove_all(m_Dir); }

    void WriteProfile(const std::string& text) { ASSERT_TRUE(WriteFileAtomically(m_Path, text)); }

    AppSettings ReadAll(const IniProfile& profile)
    {
        AppSettings s;
        for (SettingsPhase phase : {SettingsPhase::Splash, SettingsPhase::Maximized, SettingsPhase::Remaining})
            ReadSettings(profile, s, phase, "/work/here");
        return s;
    }

    fs::path m_Dir;
    fs::path m_Path;
};

TEST_F(AppSettingsTest, MissingProfileGivesDefaultsAndIsWrittenWhole)
{
    IniProfile profile(m_Path);
    EXPECT_FALSE(profile.Load());
    AppSettings s = ReadAll(profile);
    EXPECT_EQ(s.DeviceSelector, 1);
    EXPECT_EQ(s.InputPath, "/work/here");
    EXPECT_EQ(s.OutputPath, "/work/here");
    EXPECT_EQ(s.DownloadPath, "/work/here");
    EXPECT_EQ(s.EditedSubfolderName, "<new subfolder name>");
    EXPECT_EQ(s.DispPitchSize, 16);
    EXPECT_EQ(s.PrintGraphZoom, 8);
    EXPECT_EQ(s.ClipDateFormat, 2);
    EXPECT_EQ(s.VisualAid, 4);
    EXPECT_EQ(s.MarkersShow, 1);
    EXPECT_EQ(s.StatLevels[2], 20);

    WriteSettings(profile, s);
    ASSERT_TRUE(profile.Save());
    IniProfile reread(m_Path);
    ASSERT_TRUE(reread.Load());
    for (const SettingsKey& k : AllSettingsKeys())
        EXPECT_TRUE(reread.HasKey(k.section, k.key)) << k.section << "/" << k.key;
    EXPECT_EQ(reread.GetInt("Statistical Levels Defaults", "Lev_n10", -1), 90);
    EXPECT_EQ(reread.GetString("Default Paths", "InputPath", "?"), "/work/here");
    EXPECT_EQ(AllSettingsKeys().size(), 67u);
}

TEST_F(AppSettingsTest, ValuesAreNarrowedAndCheckedAsTheKeysSay)
{
    WriteProfile("[Settings]\r\nShowSplash=1\r\nShowMaximized=257\r\nOrluDeviceSelector=17\r\n"
                 "[Default Paths]\r\nInputPath=/data/in\r\nOutputPath=C:\r\nInputFileExtension=4\r\n"
                 "[Statistical Levels Defaults]\r\nLev_n1=5\r\nLev_n3=0\r\nLev_n4=150\r\nLev_n5=99\r\n"
                 "[Spectrum Peaks Defaults]\r\nPeakNeighbourDiff=70000\r\nSpectrPeaksNum=300\r\n"
                 "[Circle at Node]\r\nRadius=70000\r\n[Start with MRU]\r\nMRUused=1\r\n");
    IniProfile profile(m_Path);
    ASSERT_TRUE(profile.Load());
    AppSettings s = ReadAll(profile);
    EXPECT_EQ(s.ShowSplash, 1);
    EXPECT_EQ(s.ShowMaximized, 1);    // low byte of 257
    EXPECT_EQ(s.DeviceSelector, 1);   // 17 is out of range
    EXPECT_EQ(s.InputPath, "/data/in");
    EXPECT_EQ(s.OutputPath, "/work/here"); // a drive letter names no folder here
    EXPECT_EQ(s.InputFileExtension, 4);
    EXPECT_EQ(s.StatLevels[0], 5);
    EXPECT_EQ(s.StatLevels[2], 20);   // 0 keeps the default
    EXPECT_EQ(s.StatLevels[3], 30);   // 150 keeps the default
    EXPECT_EQ(s.StatLevels[4], 99);
    EXPECT_EQ(s.PeakNeighbourDiff, 70000 & 0xFFFF);
    EXPECT_EQ(s.SpectrPeaksNum, 300 & 0xFF);
    EXPECT_EQ(s.CircleRadius, 70000); // 32-bit members keep the whole value
    EXPECT_EQ(s.MRUused, 1);

    WriteSettings(profile, s);
    EXPECT_EQ(profile.GetInt("Statistical Levels Defaults", "Lev_n3", -1), 20);
    EXPECT_EQ(profile.GetInt("Settings", "OrluDeviceSelector", -1), 1);
    EXPECT_EQ(profile.GetInt("Spectrum Peaks Defaults", "PeakNeighbourDiff", -1), 70000 & 0xFFFF);
}

TEST_F(AppSettingsTest, DeviceSelectorKeepsOnlyOneToSixteen)
{
    struct Case {
        const char* stored;
        int expected;
    };
    for (const Case& c : {Case{"0", 1}, Case{"1", 1}, Case{"12", 12}, Case{"16", 16}, Case{"17", 1},
                          Case{"257", 1}, Case{"268", 12}, Case{"zz", 1}}) {
        SCOPED_TRACE(c.stored);
        WriteProfile(std::string("[Settings]\nOrluDeviceSelector=") + c.stored + "\n");
        IniProfile profile(m_Path);
        ASSERT_TRUE(profile.Load());
        EXPECT_EQ(ReadAll(profile).DeviceSelector, c.expected);
    }
}

TEST_F(AppSettingsTest, AsciiDownloadIndexesStayInsideTheirTables)
{
    struct Case {
        const char* stored;
        int content, header, decimal, separator, form;
    };
    // Stored values in the order AsciiFunDefault, IHI, DecyPoint, SepaChar, TabForm.
    const std::pair<std::string, Case> cases[] = {
        {"in range", {"6,1,1,6,2", 6, 1, 1, 6, 2}},
        {"above every table", {"7,5,2,7,3", 1, 1, 1, 6, 2}},
        {"a combo left without a selection", {"0,0,-1,-1,-1", 1, 0, 0, 0, 0}},
        {"values that narrow into range", {"258,256,257,262,258", 1, 1, 1, 6, 2}},
    };
    for (const auto& [name, c] : cases) {
        SCOPED_TRACE(name);
        int v[5] = {};
        ASSERT_EQ(std::sscanf(c.stored, "%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3], &v[4]), 5);
        WriteProfile("[ASCII Download Defaults]\nAsciiFunDefault=" + std::to_string(v[0]) +
                     "\nAsciiIHIDefault=" + std::to_string(v[1]) + "\nAsciiDecyPointDefault=" + std::to_string(v[2]) +
                     "\nAsciiSepaCharDefault=" + std::to_string(v[3]) + "\nAsciiTabFormDefault=" +
                     std::to_string(v[4]) + "\n");
        IniProfile profile(m_Path);
        ASSERT_TRUE(profile.Load());
        const AppSettings s = ReadAll(profile);
        EXPECT_EQ(s.AsciiFunDefault, c.content);
        EXPECT_EQ(s.AsciiIHIDefault, c.header);
        EXPECT_EQ(s.AsciiDecyPointDefault, c.decimal);
        EXPECT_EQ(s.AsciiSepaCharDefault, c.separator);
        EXPECT_EQ(s.AsciiTabFormDefault, c.form);
    }
}

TEST_F(AppSettingsTest, StartUpPhasesReadOnlyTheirKeys)
{
    WriteProfile("[Settings]\nShowSplash=1\nShowMaximized=1\nMaximizedViewWindow=1\n");
    IniProfile profile(m_Path);
    ASSERT_TRUE(profile.Load());
    AppSettings s;
    ReadSettings(profile, s, SettingsPhase::Splash, "/");
    EXPECT_EQ(s.ShowSplash, 1);
    EXPECT_EQ(s.ShowMaximized, 0);
    ReadSettings(profile, s, SettingsPhase::Maximized, "/");
    EXPECT_EQ(s.ShowMaximized, 1);
    EXPECT_EQ(s.MaximizedViewWindow, 0);
    ReadSettings(profile, s, SettingsPhase::Remaining, "/");
    EXPECT_EQ(s.MaximizedViewWindow, 1);
}

TEST_F(AppSettingsTest, ForeignSectionIsReadBeforeStartWithMruAndWrittenFirst)
{
    WriteProfile("[Start with MRU]\nMRUused=1\n");
    IniProfile profile(m_Path);
    ASSERT_TRUE(profile.Load());
    AppSettings s;
    int mruSeenByForeignRead = -1;
    ForeignSettingsSection foreign{
        [&](const IniProfile&) { mruSeenByForeignRead = s.MRUused; },
        [](IniProfile& p) { p.WriteInt("RS Default Settings", "Port", 1); }};
    ReadSettings(profile, s, SettingsPhase::Remaining, "/", foreign);
    EXPECT_EQ(mruSeenByForeignRead, 0);
    EXPECT_EQ(s.MRUused, 1);

    IniProfile fresh(m_Dir / "fresh.INI");
    WriteSettings(fresh, s, foreign);
    ASSERT_TRUE(fresh.Save());
    std::ifstream in(fresh.Path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_LT(text.find("[RS Default Settings]"), text.find("[Settings]"));
}

} // namespace
} // namespace orlu
