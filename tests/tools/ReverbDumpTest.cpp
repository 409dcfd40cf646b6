// orlu-dump --rt evaluates a decaying file from the reference interval given,
// stores the results with --save, and shows the stored results of the saved
// file without evaluating again.

#include "support/CommandRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

TEST(ReverbDump, EvaluatesSavesAndShowsTheStoredResults)
{
    const char* toolsEnv = std::getenv("ORLU_TOOLS_DIR");
    const fs::path tools = toolsEnv ? toolsEnv : ORLU_BINARY_DIR "/tools";
    const std::string stem = (fs::temp_directory_path() / ("orlu-reverb-" + std::to_string(::getpid()))).string();
    const std::string dump = (tools / "orlu-dump").string();
    // 1/3 octaves from 25 Hz at 0.125 s; 80 dB, then 1 dB less per spectrum down to 50 dB.
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " analyzer --function 4 --lines 31 --bands 30 --spectra 40 --history"
                                  " --step-eighths 1 --decay 80,1,50 " + stem + ".orl")
                  .status,
              0);

    const fixture::CommandRun evaluated =
        fixture::RunCommand(dump + " " + stem + ".orl --rt --source 4 --rt-interval 0,2 --save " + stem + "-rt.orl");
    ASSERT_EQ(evaluated.status, 0);
    // 60 / 10 dB x 0.125 s x 10 records; RT20 60 / 20 x 0.125 x 20; no -35 dB crossing above 50 dB.
    EXPECT_NE(evaluated.out.find("\r\n 1000.0          7.500          7.500          *.***          *.***\r\n"),
              std::string::npos)
        << evaluated.out;

    const fixture::CommandRun stored = fixture::RunCommand(dump + " " + stem + "-rt.orl --rt --source 4");
    EXPECT_EQ(stored.status, 0);
    EXPECT_EQ(stored.out, evaluated.out);
    const fixture::CommandRun table =
        fixture::RunCommand(dump + " " + stem + "-rt.orl --rt --source 4 --form table --sep 2 --dec 1");
    EXPECT_NE(table.out.find("\r\n1000,0;7,500;7,500;*,***;*,***\r\n"), std::string::npos) << table.out;

    const fixture::CommandRun original = fixture::RunCommand(dump + " " + stem + ".orl --rt --source 4");
    EXPECT_EQ(original.out.find("7.500"), std::string::npos) << "the file itself holds no results";

    EXPECT_EQ(fixture::RunCommand(dump + " " + stem + ".orl --rt --source 3").status, 1) << "no 1/1-octave records";
    EXPECT_EQ(fixture::RunCommand(dump + " " + stem + ".orl --rt --rt-interval 2").status, 2);
    fs::remove(stem + ".orl");
    fs::remove(stem + "-rt.orl");
}

} // namespace
} // namespace orlu
