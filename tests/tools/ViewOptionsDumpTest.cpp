// orlu-dump --view-options answers the View options dialog of a table form:
// the dialog comes back while comma is both decimal point and separator, and
// a value the dialog refuses is reported and not taken.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

TEST(ViewOptionsDump, TheCommaLoopAndARefusedPitch)
{
    const fs::path tools = test::ToolsDir();
    const std::string file = test::TempPath("orlu-view-options").string();
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() + " legacy --kind 3 " + file).status, 0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file + " --view 2 --form table --state";

    const fixture::CommandRun run = fixture::RunCommand(dump + " --view-options 'dec=1,sep=1;dec=1,sep=2,pitch=20'");
    EXPECT_EQ(run.status, 0);
    // One comma message, then the second run's answers: comma decimal point, semicolons between columns.
    const std::string comma = "Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed.\n";
    ASSERT_NE(run.out.find(comma), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find(comma, run.out.find(comma) + 1), std::string::npos);
    EXPECT_NE(run.out.find(";dB;81,5;"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nDispPitch=20\n"), std::string::npos);

    const fixture::CommandRun refused = fixture::RunCommand(dump + " --view-options 'pitch=49,sep=4' 2>&1");
    EXPECT_NE(refused.out.find("pitch: Please enter an integer between 1 and 48."), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("\nDispPitch=16\n"), std::string::npos);
    EXPECT_NE(refused.out.find(" dB 81.5 "), std::string::npos) << refused.out;
    fs::remove(file);
}

} // namespace
} // namespace orlu
