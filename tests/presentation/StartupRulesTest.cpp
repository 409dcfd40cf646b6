#include "presentation/StartupRules.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(StartupRules, CommandLine)
{
    struct Case {
        std::vector<std::string> args;
        std::string file;
        std::string ini;
        bool error;
        bool help = false;
    };
    const Case cases[] = {
        {{}, "", "", false},
        {{"a.orl"}, "a.orl", "", false},
        {{"--ini", "/tmp/x.INI", "b.A"}, "b.A", "/tmp/x.INI", false},
        {{"--ini=/tmp/y.INI"}, "", "/tmp/y.INI", false},
        {{"/dde"}, "", "", false},
        // A shell print or DDE request opens nothing at start, whatever file it names.
        {{"/pt", "c.orl", "printer", "driver", "port"}, "", "", false},
        {{"/p", "d.orl"}, "", "", false},
        {{"e.orl", "/p"}, "", "", false},
        {{"/dde", "f.orl"}, "", "", false},
        {{"--help"}, "", "", false, true},
        {{"g.orl", "-h"}, "g.orl", "", false, true},
        {{"--ini"}, "", "", true},
        {{"--bogus"}, "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
        CommandLineInfo info = ParseCommandLine(c.args);
        EXPECT_EQ(info.error.empty(), !c.error);
        EXPECT_EQ(info.help, c.help);
        if (!c.error) {
            EXPECT_EQ(info.fileName, c.file);
            EXPECT_EQ(info.iniPath, c.ini);
        }
    }
}

TEST(StartupRules, StartupFileComesFromCommandLineOrRecentList)
{
    AppSettings settings;
    RecentFileList recent;
    CommandLineInfo none;
    EXPECT_FALSE(ChooseStartupFile(none, settings, recent)); // MRUused 0

    settings.MRUused = 1;
    EXPECT_FALSE(ChooseStartupFile(none, settings, recent)); // empty list: nothing, no message

    recent.Add("/d/last.orl");
    auto mru = ChooseStartupFile(none, settings, recent);
    ASSERT_TRUE(mru);
    EXPECT_EQ(mru->path, "/d/last.orl");
    EXPECT_FALSE(mru->endsProgramOnFailure);

    CommandLineInfo named;
    named.fileName = "/d/named.orl";
    auto cmd = ChooseStartupFile(named, settings, recent);
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->path, "/d/named.orl");
    EXPECT_TRUE(cmd->endsProgramOnFailure);
}

TEST(StartupRules, MainFrameTitle)
{
    EXPECT_EQ(MainFrameTitle(""), "OrluPC");
    EXPECT_EQ(MainFrameTitle("M1.orl"), "OrluPC - M1.orl");
}

} // namespace
} // namespace orlu
