#include "platform/IniProfile.h"

#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class IniProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "orlu-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_Folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_Folder); }

    fs::path WriteFile(const std::string& name, std::string_view text)
    {
        fs::path path = m_Folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string ReadFile(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    IniProfile Loaded(std::string_view text)
    {
        IniProfile profile(WriteFile("test.ini", text));
        EXPECT_TRUE(profile.Load());
        return profile;
    }

    fs::path m_Folder;
};

TEST_F(IniProfileTest, IntegersTakeTheLeadingNumberOrTheDefault)
{
    IniProfile profile = Loaded("[Settings]\r\n"
                                "trailing=55zz\r\n"
                                "blanks=  7  \r\n"
                                "letters=zz\r\n"
                                "empty=\r\n"
                                "negative=-12\r\n"
                                "plus=+3\r\n"
                                "quoted=\"42\"\r\n"
                                "lonesign=-\r\n"
                                "signblank=- 5\r\n"
                                "wraps=4294967295\r\n"
                                "lowbyte=257\r\n");
    struct Case {
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"trailing", 55}, {"blanks", 7},     {"letters", -9}, {"empty", -9},   {"negative", -12}, {"plus", 3},
        {"quoted", 42},   {"lonesign", -9},  {"signblank", -9}, {"wraps", -1}, {"lowbyte", 257},  {"missing", -9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(profile.GetInt("Settings", c.key, -9), c.expected);
    }
    EXPECT_EQ(profile.GetInt("No such section", "trailing", 4), 4);
}

TEST_F(IniProfileTest, StringsAreTrimmedAndUnquotedOnRead)
{
    IniProfile profile = Loaded("[Default Paths]\n"
                                "InputPath =  C:\\data\\orlu  \t\n"
                                "quoted=\" keep blanks \"\n"
                                "onequote=\"\n"
                                "innerquotes=a \"b\" c\n"
                                "equals=a=b\n"
                                "empty=\n"
                                "code=Pa\xB2s\n");
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"InputPath", "C:\\data\\orlu"}, {"quoted", " keep blanks "}, {"onequote", "\""},
        {"innerquotes", "a \"b\" c"},    {"equals", "a=b"},           {"empty", ""},
        {"code", "Pa\xB2s"},             {"missing", "<default>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(profile.GetString("Default Paths", c.key, "<default>"), c.expected);
    }
    EXPECT_TRUE(profile.HasKey("Default Paths", "empty"));
    EXPECT_FALSE(profile.HasKey("Default Paths", "missing"));
}

TEST_F(IniProfileTest, SkipsCommentsStrayLinesAndLaterDuplicates)
{
    IniProfile profile = Loaded("orphan=1\n"
                                "[A]\n"
                                "; key=commented\n"
                                "  ;also=commented\n"
                                "no equals sign here\n"
                                "=no key\n"
                                "key=first\n"
                                "KEY=second\n"
                                "[ a ]\n"
                                "key=third\n"
                                "other=4\n"
                                "[Broken\n"
                                "x=5\n");
    EXPECT_EQ(profile.GetString("A", "key", ""), "first");
    EXPECT_FALSE(profile.HasKey("A", ";also"));
    EXPECT_FALSE(profile.HasKey("A", "no equals sign here"));
    EXPECT_FALSE(profile.HasKey("", "orphan"));
    EXPECT_EQ(profile.GetInt("a", "other", 0), 4); // a repeated section adds to the first
    EXPECT_EQ(profile.GetInt("broken", "x", 0), 5); // a header without ']' still opens its section
}

TEST_F(IniProfileTest, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    IniProfile profile(m_Folder / "case.ini");
    profile.WriteInt("Settings", "ShowSplash", 1);
    profile.WriteInt("SETTINGS", "showsplash", 0);
    profile.WriteString("settings", "InputPath", "/home");
    EXPECT_EQ(profile.GetInt("sEtTiNgS", "SHOWSPLASH", 7), 0);
    EXPECT_EQ(profile.GetString("SETTINGS", "inputpath", ""), "/home");
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(ReadFile(profile.Path()), "[Settings]\nShowSplash=0\nInputPath=/home\n");
}

TEST_F(IniProfileTest, SaveAndLoadGiveBackWhatWasWritten)
{
    IniProfile profile(m_Folder / "deeper" / "folder" / "OrluPC.INI"); // Save creates the folder
    profile.WriteInt("Settings", "OrluDeviceSelector", 12);
    profile.WriteInt("Settings", "Negative", -40);
    profile.WriteString("Default Paths", "OutputPath", "/data/out");
    profile.WriteString("Default Paths", "EditedSubfolderName", "<new subfolder name>");
    profile.WriteString("Markers in Buffer/Logger", "Show", "1");
    profile.WriteString("Default Paths", "Injected", "a\nSettings=evil\r\nb"); // one line only
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(ReadFile(profile.Path()), "[Settings]\nOrluDeviceSelector=12\nNegative=-40\n\n"
                                        "[Default Paths]\nOutputPath=/data/out\n"
                                        "EditedSubfolderName=<new subfolder name>\nInjected=a\n\n"
                                        "[Markers in Buffer/Logger]\nShow=1\n");

    IniProfile reread(profile.Path());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.GetInt("Settings", "OrluDeviceSelector", 1), 12);
    EXPECT_EQ(reread.GetInt("Settings", "Negative", 0), -40);
    EXPECT_EQ(reread.GetString("Default Paths", "OutputPath", ""), "/data/out");
    EXPECT_EQ(reread.GetString("Default Paths", "EditedSubfolderName", ""), "<new subfolder name>");
    EXPECT_EQ(reread.GetInt("Markers in Buffer/Logger", "Show", 0), 1);
    EXPECT_EQ(reread.GetString("Default Paths", "Injected", ""), "a");
    EXPECT_FALSE(reread.HasKey("Default Paths", "Settings"));
}

TEST_F(IniProfileTest, ReadSavedAndReadAgainKeepsTheValuesWhateverTheLineEnds)
{
    struct Case {
        const char* name;
        const char* eol;
    } const cases[] = {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}, {"CR CR LF", "\r\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string eol = c.eol;
        IniProfile first = Loaded("[Settings]" + eol + "Path=/data/out" + eol + "Blank= x " + eol + "Count=12" + eol +
                                  "[Other]" + eol + "Last=end" + eol);
        EXPECT_EQ(first.GetString("Settings", "Path", "?"), "/data/out");
        EXPECT_EQ(first.GetString("Settings", "Blank", "?"), "x");
        EXPECT_EQ(first.GetInt("Settings", "Count", 0), 12);
        EXPECT_EQ(first.GetString("Other", "Last", "?"), "end");
        ASSERT_TRUE(first.Save());
        EXPECT_EQ(ReadFile(first.Path()), "[Settings]\nPath=/data/out\nBlank= x \nCount=12\n\n[Other]\nLast=end\n");

        IniProfile second(first.Path());
        ASSERT_TRUE(second.Load());
        for (const char* key : {"Path", "Blank", "Count"})
            EXPECT_EQ(second.GetString("Settings", key, "?"), first.GetString("Settings", key, "!")) << key;
        EXPECT_EQ(second.GetString("Other", "Last", "?"), "end");
    }
}

TEST_F(IniProfileTest, RemovesKeysAndSections)
{
    IniProfile profile = Loaded("[A]\nx=1\ny=2\n[B]\nz=3\n");
    profile.RemoveKey("a", "X");
    profile.RemoveSection("b");
    profile.RemoveKey("missing", "x"); // nothing to do
    EXPECT_FALSE(profile.HasKey("A", "x"));
    EXPECT_TRUE(profile.HasKey("A", "y"));
    EXPECT_FALSE(profile.HasKey("B", "z"));
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(ReadFile(profile.Path()), "[A]\ny=2\n");
}

TEST_F(IniProfileTest, MissingFileGivesTheDefaults)
{
    IniProfile profile(m_Folder / "absent.ini");
    EXPECT_FALSE(profile.Load());
    EXPECT_EQ(profile.GetInt("Settings", "ShowSplash", 0), 0);
    EXPECT_EQ(profile.GetString("Default Paths", "DefaultSubfolderName", "NewFolder"), "NewFolder");
}

TEST_F(IniProfileTest, LoadForgetsWhatWasThereBefore)
{
    IniProfile profile(WriteFile("a.ini", "[A]\nx=1\n"));
    profile.WriteInt("B", "y", 2);
    ASSERT_TRUE(profile.Load());
    EXPECT_FALSE(profile.HasKey("B", "y"));
    EXPECT_TRUE(profile.HasKey("A", "x"));
}

TEST_F(IniProfileTest, GarbageLoadsWhatParsesAndIsRewrittenWhole)
{
    using namespace std::string_literals;
    std::string garbage = "\x00\xFF\xFE[\x01\x02=\x03\n\xC3\x28\x00\x00\r\r\n"s;
    garbage += "[Settings]\nShowSplash=1\x00\x7F junk\n\xFF\xFF\xFF\n"s;
    garbage += std::string(1000, '\x00');
    IniProfile profile(WriteFile("corrupt.ini", garbage));
    ASSERT_TRUE(profile.Load());
    EXPECT_EQ(profile.GetInt("Settings", "ShowSplash", 0), 1);
    profile.WriteInt("Settings", "ShowMaximized", 1);
    ASSERT_TRUE(profile.Save());

    IniProfile reread(profile.Path());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.GetInt("Settings", "ShowSplash", 0), 1);
    EXPECT_EQ(reread.GetInt("Settings", "ShowMaximized", 0), 1);
    std::string text = ReadFile(profile.Path());
    EXPECT_EQ(text.find(std::string(1000, '\x00')), std::string::npos);
    EXPECT_NE(text.find("[Settings]\nShowSplash=1"), std::string::npos);
}

TEST_F(IniProfileTest, FailedSaveLeavesTheEarlierFileAndSaysSo)
{
    fs::path path = WriteFile("OrluPC.INI", "[Settings]\nShowSplash=1\n");
    IniProfile profile(path);
    ASSERT_TRUE(profile.Load());
    profile.WriteString("Settings", "Long", std::string(4096, 'x'));

    // A file size limit makes the write fail whoever runs the test.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    bool saved = profile.Save(&error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(path), "[Settings]\nShowSplash=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 1); // no stray file

    IniProfile blocked(WriteFile("plain-file", "") / "sub" / "OrluPC.INI"); // its folder cannot be made
    blocked.WriteInt("Settings", "ShowSplash", 1);
    error.clear();
    EXPECT_FALSE(blocked.Save(&error));
    EXPECT_FALSE(error.empty());
}

TEST(IniProfileDefaultPath, FollowsTheEnvironment)
{
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    Saved saved[] = {{"ORLUPC_INI", {}}, {"XDG_CONFIG_HOME", {}}, {"HOME", {}}};
    for (Saved& s : saved)
        if (const char* v = std::getenv(s.name))
            s.value = v;

    struct Case {
        const char* ini;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/tmp/x/my.ini", "/cfg", "/home/u", "/tmp/x/my.ini"},
        {nullptr, "/cfg", "/home/u", "/cfg/orlupc/OrluPC.INI"},
        {"", "/cfg", "/home/u", "/cfg/orlupc/OrluPC.INI"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/orlupc/OrluPC.INI"},
        {nullptr, "relative", "/home/u", "/home/u/.config/orlupc/OrluPC.INI"},
    };
    auto set = [](const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        set("ORLUPC_INI", c.ini);
        set("XDG_CONFIG_HOME", c.xdg);
        set("HOME", c.home);
        EXPECT_EQ(IniProfile::DefaultPath(), fs::path(c.expected));
    }
    for (const Saved& s : saved)
        set(s.name, s.value ? s.value->c_str() : nullptr);
}

} // namespace
} // namespace orlu
