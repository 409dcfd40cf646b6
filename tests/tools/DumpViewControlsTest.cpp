// orlu-dump --cmd, --keys, --click and --answers run the view's controllers
// before the form is printed; --state shows what they left.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

using test::ToolsDir;

// The Name=value lines of the output.
std::map<std::string, std::string> StateOf(const std::string& out)
{
    std::map<std::string, std::string> state;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && line.find(' ') > eq)
            state[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return state;
}

class DumpViewControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = test::TempPath("orlu-dumpctl");
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Make(const std::string& args, const std::string& name)
    {
        const fs::path file = dir / name;
        const auto run = fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " " + args + " " + file.string());
        EXPECT_EQ(run.status, 0);
        return file.string();
    }
    std::map<std::string, std::string> Dump(const std::string& file, const std::string& args)
    {
        const auto run = fixture::RunCommand((ToolsDir() / "orlu-dump").string() + " " + file + " " + args);
        EXPECT_EQ(run.status, 0);
        return StateOf(run.out);
    }
    fs::path dir;
};

TEST_F(DumpViewControls, KeysAndCommandsStepTheMultifilesSubfiles)
{
    const std::string file = Make("multifile --files 3", "multi.orl");
    struct Case {
        const char* args;
        const char* record;
        const char* previous;
        const char* next;
    };
    const Case cases[] = {
        {"--keys N,N,P", "2", "1", "1"},
        {"--keys N,N,N,N", "3", "1", "0"},
        {"--cmd 32805,32804,32804", "1", "0", "1"},
    };
    for (const Case& c : cases) {
        auto state = Dump(file, std::string("--view 3 --form text --state ") + c.args);
        EXPECT_EQ(state["Record"], c.record) << c.args;
        EXPECT_EQ(state["PreviousEnabled"], c.previous) << c.args;
        EXPECT_EQ(state["NextEnabled"], c.next) << c.args;
    }
}

TEST_F(DumpViewControls, MarkersAndTheLevelScaleOnALoggerGraph)
{
    const std::string file = Make("current --kind 44 --logger 20", "logger.orl");
    auto state = Dump(file, "--view 7 --form text --cmd 32801 --keys Enter,Esc,Enter,Enter,++shift,+,-,- --state");
    EXPECT_EQ(state["MarkState"], "2");
    EXPECT_EQ(state["LevelPitchOffset"], "1");
    EXPECT_EQ(state["LevelZoomOffset"], "-1");
}

TEST_F(DumpViewControls, AnswersGoToTheBlockDialogInTurn)
{
    const std::string file = Make("current --kind 44 --logger 20", "logger.orl");
    struct Case {
        const char* answers;
        const char* markState;
    };
    const Case cases[] = {
        {"", "2"},                    // no answer: Esc keeps the block
        {"--answers 1", "0"},         // remove the markers
        {"--answers 6,cancel,1", "0"}, // the draw dialog cancelled, then remove
        {"--answers 6,max,ok", "2"},  // drawn in the block
    };
    for (const Case& c : cases) {
        auto state = Dump(file, std::string("--view 7 --form text --cmd 32801 --keys Enter,Enter,Enter --state ") + c.answers);
        EXPECT_EQ(state["MarkState"], c.markState) << c.answers;
    }
}

TEST_F(DumpViewControls, UnknownKeysAndModifiersAreRefused)
{
    const std::string file = Make("multifile --files 2", "multi.orl");
    for (const char* args : {"--keys Space", "--keys N+meta", "--cmd x", "--click 3"}) {
        const auto run =
            fixture::RunCommand((ToolsDir() / "orlu-dump").string() + " " + file + " --view 3 --form text " + args);
        EXPECT_NE(run.status, 0) << args;
    }
}

} // namespace
} // namespace orlu
