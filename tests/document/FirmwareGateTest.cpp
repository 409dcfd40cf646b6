#include "document/FirmwareGate.h"

#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace orlu {
namespace {

const std::string kRefuse545 =
    "Sorry ...\nFor ORLU 545 firmware versions below 2.12\nare not accepted by OrluPC.\nPlease, contact vendor for "
    "ORLU 545 upgrade.";

std::string Question545(const char* limit, const char* whose, const char* version)
{
    return std::string("Sorry ...\nFor ORLU 545 the highest firmware file system version accepted by this OrluPC "
                       "release is ") +
           limit + "  \n" + whose + " is " + version +
           "\nPlease, contact vendor for OrluPC upgrade.\n\nDo you want to process the file even though?";
}

TEST(FirmwareGate, RefusesOldFirmware)
{
    ScriptedInteraction ui;
    EXPECT_TRUE(CheckFirmwareVersion(ui, 545, 211, 100, true));
    ASSERT_EQ(ui.Messages(), std::vector<std::string>{kRefuse545});
    EXPECT_EQ(ui.Shown()[0].icon, MessageIcon::Stop);

    ScriptedInteraction ui590;
    EXPECT_TRUE(CheckFirmwareVersion(ui590, 590, 300, 999, false));
    ASSERT_EQ(ui590.Messages().size(), 1u);
    EXPECT_NE(ui590.Messages()[0].find("For ORLU 590 firmware versions below 3.01"), std::string::npos);
}

TEST(FirmwareGate, PassesWithoutAQuestionUpToTheLimit)
{
    struct Case {
        std::uint16_t type, firmware, fileSystem;
    };
    const Case cases[] = {
        {545, 212, 222}, {545, 250, 260}, {545, 250, 272}, {590, 301, 302}, {590, 350, 352},
        {560, 600, 606}, {595, 650, 656}, {515, 300, 515}, {505, 0, 65535}, {505, 999, 999},
    };
    for (const Case& c : cases) {
        ScriptedInteraction ui;
        EXPECT_FALSE(CheckFirmwareVersion(ui, c.type, c.firmware, c.fileSystem, true)) << c.type << " " << c.fileSystem;
        EXPECT_TRUE(ui.Shown().empty()) << c.type << " " << c.fileSystem;
    }
}

TEST(FirmwareGate, AsksAboutNewerFileSystems)
{
    {
        ScriptedInteraction ui;
        ui.ExpectMessage(Question545("2.22", "Firmware file system version in the file", "2.23"), MessageResult::No);
        EXPECT_TRUE(CheckFirmwareVersion(ui, 545, 212, 223, true));
        EXPECT_EQ(ui.Shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(ui.Shown()[0].icon, MessageIcon::Stop);
    }
    {
        ScriptedInteraction ui;
        ui.ExpectMessage(Question545("2.72", "Your unit firmware file system version", "2.80"), MessageResult::Yes);
        EXPECT_FALSE(CheckFirmwareVersion(ui, 545, 250, 280, false));
    }
    {
        ScriptedInteraction ui;
        ui.ExpectMessage("Sorry ...\nThe highest firmware file system version accepted by this OrluPC release is "
                         "6.06  \nFirmware file system version in the file is 6.07\nPlease, contact vendor for "
                         "OrluPC upgrade.\n\nDo you want to process the file even though?",
                         MessageResult::No);
        EXPECT_TRUE(CheckFirmwareVersion(ui, 580, 300, 607, true));
    }
    {
        ScriptedInteraction ui; // any other device: limit 5.15
        ui.ExpectMessage("Sorry ...\nThe highest firmware file system version accepted by this OrluPC release is "
                         "5.65  \nYour unit firmware file system version is 5.70\nPlease, contact vendor for "
                         "OrluPC upgrade.\n\nDo you want to process the file even though?",
                         MessageResult::Yes);
        EXPECT_FALSE(CheckFirmwareVersion(ui, 530, 455, 570, false));
    }
}

TEST(FirmwareGate, UnknownHeaderPrefix)
{
    ScriptedInteraction ui;
    ReportUnknownHeaderPrefix(ui, 0x4A2);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Sorry ...\nThe file header prefix 04A2h is unknown\nfor this "
                                                      "OrluPC program version.\nPlease, contact vendor for OrluPC "
                                                      "upgrade."});
}

class FolderCheck : public testing::Test {
protected:
    void SetUp() override
    {
        m_Root = std::filesystem::temp_directory_path() /
                 ("orlu-folder-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                  std::to_string(::getpid()));
        std::filesystem::create_directories(m_Root / "home");
        std::filesystem::create_directories(m_Root / "data" / "day1");
        m_Fallbacks = {m_Root / "home", m_Root};
    }
    void TearDown() override { std::filesystem::remove_all(m_Root); }

    // The message names a long folder by its first 3 and last 34 characters.
    static std::string Invalid(const std::string& folder)
    {
        std::string shown = folder.size() > 40 ? folder.substr(0, 3) + "..." + folder.substr(folder.size() - 34) : folder;
        return "Specified path:\n   " + shown + "\nis not valid.";
    }

    std::filesystem::path m_Root;
    FolderFallbacks m_Fallbacks;
};

TEST_F(FolderCheck, AnExistingFolderIsKept)
{
    ScriptedInteraction ui;
    std::string folder = (m_Root / "data" / "day1").string();
    EXPECT_EQ(ValidateFolderForDialog(ui, folder, m_Fallbacks), folder);
    EXPECT_TRUE(ui.Shown().empty());
}

TEST_F(FolderCheck, NamesWithoutAnAbsolutePathGiveTheHomeDirectory)
{
    for (const char* name : {"C:\\DATA", "measurements", ""}) {
        ScriptedInteraction ui;
        EXPECT_EQ(ValidateFolderForDialog(ui, name, m_Fallbacks), (m_Root / "home").string()) << name;
        EXPECT_TRUE(ui.Shown().empty());
    }
    FolderFallbacks noHome{m_Root / "gone", m_Root};
    ScriptedInteraction ui;
    EXPECT_EQ(ValidateFolderForDialog(ui, "C:\\DATA", noHome), m_Root.string());
}

TEST_F(FolderCheck, AMissingFolderAsksThenFallsBackToItsNearestParent)
{
    std::string missing = (m_Root / "data" / "day1" / "a" / "b").string();
    ASSERT_GT(missing.size(), 40u);
    std::string shown = missing.substr(0, 3) + "..." + missing.substr(missing.size() - 34);
    ScriptedInteraction ui;
    ui.ExpectMessage("Specified path:\n   " + shown + "\nis not valid.", MessageResult::Retry);
    ui.ExpectMessage(Invalid(missing), MessageResult::Cancel);
    EXPECT_EQ(ValidateFolderForDialog(ui, missing, m_Fallbacks), (m_Root / "data" / "day1").string());
    EXPECT_EQ(ui.Shown()[0].buttons, MessageButtons::RetryCancel);
}

TEST_F(FolderCheck, RetryFindsAFolderMadeMeanwhile)
{
    std::string later = (m_Root / "x").string();
    struct MakeOnRetry : ScriptedInteraction {
        std::string folder;
        MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                                  MessageIcon icon, MessageResult defaultButton) override
        {
            std::filesystem::create_directory(folder);
            return ScriptedInteraction::ShowMessage(text, caption, buttons, icon, defaultButton);
        }
    } ui;
    ui.folder = later;
    ui.ExpectMessage(Invalid(later), MessageResult::Retry);
    EXPECT_EQ(ValidateFolderForDialog(ui, later, m_Fallbacks), later);
}

TEST_F(FolderCheck, AFileIsNoFolder)
{
    std::ofstream(m_Root / "data" / "file.orl") << "x";
    std::string file = (m_Root / "data" / "file.orl").string();
    ScriptedInteraction ui;
    ui.ExpectMessage(Invalid(file), MessageResult::Cancel);
    EXPECT_EQ(ValidateFolderForDialog(ui, file, m_Fallbacks), (m_Root / "data").string());
}

} // namespace
} // namespace orlu
