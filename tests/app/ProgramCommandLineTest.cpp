// The built program on its command line: the usage needs no display.

#include "presentation/StartupRules.h"
#include "support/CommandRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace orlu {
namespace {

const std::string kProgram = ORLU_BINARY_DIR "/src/app/orlupc";
// As on a machine without a display: a window could not open.
const std::string kNoDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";

TEST(ProgramCommandLine, HelpPrintsTheUsageAndOpensNoWindow)
{
    for (const char* args : {"--help", "-h", "some.orl --help"}) {
        SCOPED_TRACE(args);
        fixture::CommandRun run = fixture::RunCommand(kNoDisplay + kProgram + " " + args + " 2>&1");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, CommandLineUsage());
    }
    EXPECT_NE(CommandLineUsage().find("--ini FILE"), std::string::npos);
}

TEST(ProgramCommandLine, RefusedOptionGivesTheUsageOnStandardError)
{
    fixture::CommandRun run =
        fixture::RunCommand("QT_QPA_PLATFORM=offscreen " + kProgram + " --bogus 2>&1 >/dev/null");
    EXPECT_EQ(run.status, 1);
    // Qt may say something of its own first.
    EXPECT_THAT(run.out, ::testing::EndsWith("orlupc: unknown option --bogus\n" + CommandLineUsage()));
}

} // namespace
} // namespace orlu
