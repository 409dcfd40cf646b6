// The remote-control settings in the tools: orlu-fixture writes a setup file,
// orlu-dump shows its settings and a page of the sheet or why it is refused,
// and orlu-link sends a page to the simulated ORLU 505 and gets the settings
// back into a setup file.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orlu {
namespace {

using fixture::RunCommand;

using test::Tool;

struct Folder {
    std::filesystem::path root = std::filesystem::path(testing::TempDir()) /
                                 ("remote-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    Folder()
    {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    ~Folder() { std::filesystem::remove_all(root); }
    std::string operator/(const char* name) const { return (root / name).string(); }
};

TEST(RemoteTools, SetupFileSettingsAndPages)
{
    const Folder dir;
    const fixture::CommandRun made = RunCommand(Tool("orlu-fixture") +
                                                " ocf UnitVersion=0 Mode=2 MetInput=2 MetFunction=3 MetFilter=3"
                                                " SerialNumber=55 TriggerLevel=-123 Band=16 " + dir / "a.ocf");
    ASSERT_EQ(made.status, 0) << made.out;
    EXPECT_EQ(std::filesystem::file_size(dir / "a.ocf"), 136u);

    const fixture::CommandRun setup = RunCommand(Tool("orlu-dump") + " " + dir / "a.ocf --setup");
    EXPECT_EQ(setup.status, 0);
    EXPECT_EQ(setup.out,
              "UnitVersion=0\nMode=2\nStartStop=1\nMicPolarization=1\nCalibration=1\nSoundBeep=1\n"
              "SerialNumber=55\nSoftwareVersion=\n"
              "AnFunction=1\nSLines=1\nRecord=1\nWindow=1\nAveraging=1\nAveragingNumber=2\nAnRmsAveraging=1\n"
              "AnDeltaIntegr=1\nAnInput=1\nAnRange=1\nBand=16\nAnFilter=1\nTrigger=1\nTriggerLevel=-123\n"
              "TriggerDelay=0\nZoom=0\nCFreq=2\n"
              "MetFunction=3\nAutoRepeat=0\nMetRmsAveraging=1\nIntegrationTime=1\nIntegrationTimeUnit=1\n"
              "MetDeltaIntegr=1\nMetInput=2\nMetRange=1\nMetFilter=3\nAutoRange=0\n");

    const fixture::CommandRun meter = RunCommand(Tool("orlu-dump") + " " + dir / "a.ocf --page 1");
    EXPECT_NE(meter.out.find("1002 Function: Spl, [Leq], SEL, Ssa\n"), std::string::npos) << meter.out;
    EXPECT_NE(meter.out.find("1013 Filter: Lin, A, [C], L & A, C & A, G, HP\n"), std::string::npos) << meter.out;
    const fixture::CommandRun analyzer = RunCommand(Tool("orlu-dump") + " " + dir / "a.ocf --page 2");
    EXPECT_NE(analyzer.out.find(", 25.6 kHz, [51.2 kHz]\n"), std::string::npos) << analyzer.out;
    EXPECT_NE(analyzer.out.find("1015 Level: \"-12.3\" %\n"), std::string::npos) << analyzer.out;
    EXPECT_NE(analyzer.out.find("1001 RMS Averag.: [Linear], Impulse, Fast, Slow (disabled)\n"), std::string::npos)
        << analyzer.out;

    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " ocf Mode=7 " + dir / "bad.ocf").status, 0);
    const fixture::CommandRun bad = RunCommand(Tool("orlu-dump") + " " + dir / "bad.ocf --page 0");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "refused: The setup file bad.ocf cannot be loaded.\nMode holds 7, outside 0 to 2.\n");
    EXPECT_EQ(RunCommand(Tool("orlu-fixture") + " ocf Nothing=1 " + dir / "x.ocf").status, 2);
}

TEST(RemoteTools, SendAPageThenGetTheSettingsBack)
{
    const Folder dir;
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " ocf Mode=2 Calibration=0 MicPolarization=2 " + dir / "send.ocf")
                  .status,
              0);
    // One simulator for both runs, so that Get sees what Send changed.
    const std::string script = "f=$(mktemp); " + Tool("orlu-instsim") + " --model 505 --e-version --transcript " +
                               dir / "t.txt" + " > $f & pid=$!; while [ ! -s $f ]; do sleep 0.01; done; " +
                               Tool("orlu-link") + " --port $(head -1 $f) --selector 1 --timing fast remote send" +
                               " --page 0 --load " + dir / "send.ocf" + "; echo send=$?; " + Tool("orlu-link") +
                               " --port $(head -1 $f) --selector 1 --timing fast remote get --save " +
                               dir / "got.ocf" + "; echo get=$?; kill -TERM $pid; wait $pid; rm -f $f";
    const fixture::CommandRun run = RunCommand("bash -c '" + script + "'");
    EXPECT_EQ(run.out, "dialog 136: ORLU 505  -  ANALYZER  mode\nsend=0\nget=0\n");
    const fixture::CommandRun got = RunCommand(Tool("orlu-dump") + " " + dir / "got.ocf --setup");
    EXPECT_NE(got.out.find("UnitVersion=1\nMode=2\nStartStop=1\nMicPolarization=2\nCalibration=0\nSoundBeep=1\n"
                           "SerialNumber=1234\n"),
              std::string::npos)
        << got.out;
    const fixture::CommandRun transcript = RunCommand("cat " + dir / "t.txt");
    EXPECT_EQ(transcript.out, "#1,Q2;#1,V2;#1,P1;#1,X2;;#1;;#1;");
}

} // namespace
} // namespace orlu
