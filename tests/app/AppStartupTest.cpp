#include "AppFixture.h"

#include "app/CChildFrame.h"
#include "presentation/AppSettings.h"
#include "presentation/CommandTable.h"

#include <QMdiArea>

#include <sys/stat.h>

namespace orlu::test {
namespace {

using AppStartup = AppFixture;

TEST_F(AppStartup, ReadsEverySettingAndWritesEveryOneBack)
{
    // A value that differs from every default (and is valid for the checked keys) in every key.
    std::string ini;
    std::string section;
    for (const SettingsKey& k : AllSettingsKeys()) {
        if (k.section != section) {
            section = std::string(k.section);
            ini += "[" + section + "]\r\n";
        }
        bool path = k.key.find("Path") != std::string_view::npos && k.key.find("Keep") == std::string_view::npos;
        bool text = k.key.find("SubfolderName") != std::string_view::npos;
        std::string value = path ? (m_Dir / std::string(k.key)).string() : text ? "Name " + std::string(k.key)
                          : k.key == "ShowSplash"                       ? "0"
                          // The ASCII download's indexes are kept inside their lists; 1 is in all of them.
                          : k.section == "ASCII Download Defaults" ? "1"
                                                                   : "7";
        ini += std::string(k.key) + "=" + value + "\r\n";
    }
    // MRUused is on: the recent file opens at start.
    ini += "[Recent File List]\r\nFile1=" + MakeFile("r1.orl") + "\r\n";
    WriteIni(ini);

    ASSERT_TRUE(Start());
    AppSettings& s = m_App->Settings();
    EXPECT_EQ(s.DeviceSelector, 7);
    EXPECT_EQ(s.StatLevels[9], 7);
    EXPECT_EQ(s.PeakNeighbourDiff, 7);
    EXPECT_EQ(s.CircleMinStep, 7);
    EXPECT_EQ(s.DownloadPath, (m_Dir / "DownloadPath").string());
    EXPECT_EQ(s.DefaultSubfolderName, "Name DefaultSubfolderName");
    EXPECT_TRUE(Frame().isMaximized()); // ShowMaximized 7
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 1u);

    // A setting changed while the program runs goes back with all the others.
    Frame().RouteCommand(kIdStartWithMru);
    EXPECT_EQ(s.MRUused, 0);
    m_App->ExitInstance();

    IniProfile written(m_Ini);
    ASSERT_TRUE(written.Load());
    IniProfile original(m_Dir / "original.INI");
    std::ofstream(original.Path(), std::ios::binary) << ini;
    ASSERT_TRUE(original.Load());
    for (const SettingsKey& k : AllSettingsKeys()) {
        std::string expected = k.key == "MRUused" ? "0" : original.GetString(k.section, k.key, "?");
        EXPECT_EQ(written.GetString(k.section, k.key, "missing"), expected) << k.section << "/" << k.key;
    }
    EXPECT_EQ(written.GetString("Recent File List", "File1", ""), (m_Dir / "r1.orl").string());
}

TEST_F(AppStartup, CorruptOrMissingProfileStartsWithDefaultsAndIsRewrittenWhole)
{
    struct Case {
        const char* name;
        std::string contents;
        bool write;
    };
    const Case cases[] = {
        {"missing", "", false},
        {"garbage", std::string("\x00\xFF[[[\r\n=\x01\x02 Settings]\nShowSplash\n\xFE", 24), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_Ini = m_Dir / c.name / "OrluPC.INI";
        std::filesystem::create_directories(m_Ini.parent_path());
        if (c.write)
            WriteIni(c.contents);
        NewApp();
        ASSERT_TRUE(Start());
        const AppSettings defaults;
        EXPECT_EQ(m_App->Settings().DispPitchSize, defaults.DispPitchSize);
        EXPECT_EQ(m_App->Settings().DeviceSelector, 1);
        EXPECT_EQ(m_App->Settings().StatLevels, defaults.StatLevels);
        m_App->ExitInstance();

        IniProfile written(m_Ini);
        ASSERT_TRUE(written.Load());
        for (const SettingsKey& k : AllSettingsKeys())
            EXPECT_TRUE(written.HasKey(k.section, k.key)) << k.section << "/" << k.key;
        EXPECT_EQ(written.GetInt("Pitch and Zoom Defaults", "PrintGraphZoom", -1), 8);
        EXPECT_EQ(written.GetInt("Statistical Levels Defaults", "Lev_n2", -1), 10);
    }
}

TEST_F(AppStartup, FileNamedOnTheCommandLineOpens)
{
    std::string file = MakeFile("M 01.orl");
    ASSERT_TRUE(Start({file}));
    ASSERT_EQ(m_App->Documents().AllDocuments().size(), 1u);
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - M 01.orl");
    EXPECT_EQ(m_App->Documents().RecentFiles().First(), file);
    EXPECT_TRUE(m_Ui.Messages().empty());
}

TEST_F(AppStartup, UnreadableFileOnTheCommandLineEndsTheStart)
{
    std::string missing = (m_Dir / "absent.orl").string();
    EXPECT_FALSE(Start({missing}));
    ASSERT_EQ(m_Ui.Messages().size(), 1u);
    EXPECT_EQ(m_Ui.Messages()[0], missing + "\n\nFile could not be opened !!!");
}

TEST_F(AppStartup, StartWithMruOpensTheFirstRecentFileAndGoesOnWhenItFails)
{
    std::string recent = MakeFile("last.orl");
    WriteIni("[Start with MRU]\nMRUused=1\n[Recent File List]\nFile1=" + recent + "\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 1u);
    std::filesystem::remove(recent);
    NewApp();
    ASSERT_TRUE(Start()); // reported, and the program runs on with no document
    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
    EXPECT_EQ(m_Ui.Messages().size(), 1u);
    EXPECT_TRUE(m_App->Documents().RecentFiles().Entries().empty());
}

TEST_F(AppStartup, OpenCommandOpensSeveralFilesSeparatelyAndKeepsTheRecentList)
{
    ASSERT_TRUE(Start());
    std::string a = MakeFile("a.orl"), dos = MakeFile("B.M"), empty = MakeFile("empty.orl", "");
    std::string missing = (m_Dir / "gone.orl").string();

    m_FilesToOpen = {a, dos};
    Frame().RouteCommand(kIdFileOpen);
    EXPECT_EQ(m_ChoiceCounts, std::vector<int>{2});
    ASSERT_EQ(m_App->Documents().AllDocuments().size(), 2u);
    EXPECT_EQ(m_App->Documents().Documents(kDosBinaryDocTemplate).size(), 1u);
    EXPECT_EQ(m_App->Settings().InputPath, m_Dir.string());

    // A named pipe is never opened: the open would wait for a writer.
    const std::string pipe = (m_Dir / "pipe.orl").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    m_FilesToOpen = {empty, missing, pipe};
    Frame().RouteCommand(kIdFileOpen);
    EXPECT_EQ(m_Ui.Messages(), (std::vector<std::string>{empty + "\n\nFile is EMPTY !!!",
                                                       missing + "\n\nFile could not be opened !!!",
                                                       pipe + "\n\nFile could not be opened !!!"}));

    // Cancelling the choice opens nothing.
    m_MultiOpenChoice = 0;
    m_FilesToOpen = {MakeFile("c.orl"), MakeFile("d.orl")};
    Frame().RouteCommand(kIdFileOpen);
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 2u);

    m_FilesToOpen = {MakeFile("e.orl")};
    Frame().RouteCommand(kIdFileOpen);
    m_FilesToOpen = {a}; // already open: only activated
    Frame().RouteCommand(kIdFileOpen);
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 3u);
    EXPECT_EQ(m_App->Documents().RecentFiles().Entries(),
              (std::vector<std::string>{(m_Dir / "e.orl").string(), dos, a}));
    EXPECT_EQ(Frame().windowTitle(), "OrluPC - a.orl");

    // A recent-file command reopens a closed file.
    m_App->Documents().DiscardDocument(*m_App->Documents().Documents(kDosBinaryDocTemplate).front());
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Frame().Action(kIdFileMru1 + 2)->isEnabled());
    EXPECT_FALSE(Frame().Action(kIdFileMru1 + 3)->isEnabled());
    Frame().RouteCommand(kIdFileMru1 + 1);
    EXPECT_EQ(m_App->Documents().Documents(kDosBinaryDocTemplate).size(), 1u);
    EXPECT_EQ(m_App->Documents().RecentFiles().First(), dos);
}

TEST_F(AppStartup, CancelledSaveQuestionKeepsTheProgramAndTheLaterDocumentsOpen)
{
    ASSERT_TRUE(Start());
    std::vector<TestDocument*> docs;
    for (int i = 0; i < 3; ++i)
        docs.push_back(static_cast<TestDocument*>(m_App->Documents().NewDocument(kBinaryDocTemplate, true)));
    std::string second = docs[1]->Title();
    m_Log.saveModifiedAnswers = {true, false}; // the second question is cancelled

    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(m_Log.asked.size(), 2u);
    EXPECT_EQ(m_App->Documents().AllDocuments().size(), 2u);
    EXPECT_EQ(Frame().windowTitle().toStdString().find("OrluPC"), 0u);

    m_Log.saveModifiedAnswers.clear();
    EXPECT_TRUE(Frame().close());
    EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
    EXPECT_EQ(m_Log.asked[2], second);
}

} // namespace
} // namespace orlu::test
