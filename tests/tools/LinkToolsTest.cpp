// orlu-instsim and orlu-link as a user runs them: the simulator prints its
// port, orlu-link identifies the unit there or behind the fake USB driver.

#include "support/CommandRun.h"
#include "support/FixtureBuilder.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace orlu {
namespace {

using fixture::RunCommand;

using test::Tool;

/// Starts the simulator, runs orlu-link's command on its port and stops the simulator with SIGTERM.
fixture::CommandRun LinkOnPty(const std::string& simOptions, const std::string& linkOptions,
                              const std::string& command = "identify")
{
    const std::string script = "set -e; f=$(mktemp); " + Tool("orlu-instsim") + " " + simOptions +
                               " > \"$f\" & pid=$!; while [ ! -s \"$f\" ]; do sleep 0.01; done; set +e; " +
                               Tool("orlu-link") + " --port \"$(head -1 \"$f\")\" " + linkOptions +
                               " " + command + "; rc=$?; kill -TERM $pid; wait $pid; echo \"sim=$?\"; rm -f \"$f\"; exit $rc";
    return RunCommand(test::BashCommand(script));
}

fixture::CommandRun IdentifyOnPty(const std::string& simOptions, const std::string& linkOptions)
{
    return LinkOnPty(simOptions, linkOptions);
}

TEST(LinkTools, IdentifyOverThePseudoTerminalAndSimulatorEndsOnSigterm)
{
    const fixture::CommandRun run = IdentifyOnPty("--model 515 --firmware 1.90", "--selector 4 --timing fast");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("message: Unit type on ORLU menu is changed !\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("reply: #1,U515,N1234,W1.90;\nselector: 2\ndevice type: 515\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("sim=0"), std::string::npos) << run.out;
}

TEST(LinkTools, AFaultEndsInTheConnectionDialogAndAFailedRun)
{
    const fixture::CommandRun run = IdentifyOnPty("--model 525 --fault silent", "--selector 3 --timing fast");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("dialog 137: ORLU unit  -  Unknown mode  Connection or transmission error !!!"),
              std::string::npos)
        << run.out;
}

TEST(LinkTools, IdentifyBehindTheFakeUsbDriver)
{
    const fixture::CommandRun run =
        RunCommand(Tool("orlu-link") + " --usb-sim \"--model 505 --mode 2 --e-version\" --selector 1 identify");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("serial: E1234 (E version)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("mode: 2\n"), std::string::npos) << run.out;
}

/// A folder of unit files for the simulator and one for the downloads.
struct UnitFolders {
    std::filesystem::path root;
    UnitFolders()
    {
        root = std::filesystem::path(testing::TempDir()) /
               ("unitfiles-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "files");
        std::filesystem::create_directories(root / "dl");
        Put("L0001.1", std::string(300, 'L'));
        Put("SET1.0-2", "setup bytes");
        Put("a0002.A", std::string(77, 'a'));
    }
    ~UnitFolders() { std::filesystem::remove_all(root); }
    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(root / "files" / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const { return test::ReadAll(root / "dl" / name); }
    std::string Sim(const std::string& more = {}) const { return "--model 525 --files " + (root / "files").string() + more; }
};

TEST(LinkTools, DirPrintsTheListLinesAndItsTexts)
{
    const UnitFolders folders;
    const fixture::CommandRun sorted =
        LinkOnPty(folders.Sim(" --empty-entry 0"), "--selector 3 --timing fast", "dir --details --sort");
    EXPECT_EQ(sorted.status, 0) << sorted.out;
    EXPECT_NE(sorted.out.find("1: a0002....<a>.....77\n2: L0001....<l>....300\n3: SET1.....<s>.....11\nRead at  "),
              std::string::npos)
        << sorted.out;
    EXPECT_NE(sorted.out.find("Total number of files: 3\nNumber of selected files: 0\n"), std::string::npos)
        << sorted.out;

    const fixture::CommandRun empty = LinkOnPty("--model 525", "--selector 3 --timing fast", "dir");
    EXPECT_NE(empty.out.find("No files found !\nRead at  "), std::string::npos) << empty.out;
}

TEST(LinkTools, DownloadByPositionAndDeleteByTypedName)
{
    const UnitFolders folders;
    const std::string dl = (folders.root / "dl").string();
    const fixture::CommandRun download = LinkOnPty(folders.Sim(), "--selector 3 --timing fast",
                                                   "download --sort --select 2,3 --download-path " + dl);
    EXPECT_EQ(download.status, 0) << download.out;
    EXPECT_NE(download.out.find("message: Download operation completed O.K. 2 file(s) stored 0 file(s) omitted"),
              std::string::npos)
        << download.out;
    const std::string header525 = std::string("OrluPC\x1a\0 \0-\0", 12) + std::string(20, '\0');
    EXPECT_EQ(folders.Read("L0001.orl"), header525 + std::string(300, 'L'));
    EXPECT_EQ(folders.Read("SET1.orl"), header525 + "setup bytes");

    const fixture::CommandRun notFound =
        LinkOnPty(folders.Sim(), "--selector 3 --timing fast --answers y", "delete --name L0");
    EXPECT_NE(notFound.status, 0);
    EXPECT_NE(notFound.out.find("dialog 143: File name not found!"), std::string::npos) << notFound.out;

    const fixture::CommandRun erase =
        LinkOnPty(folders.Sim(), "--selector 3 --timing fast --answers y", "delete --name l0001");
    EXPECT_EQ(erase.status, 0) << erase.out;
    EXPECT_NE(erase.out.find("message: Delete operation finished O.K. 1 file(s) ereased 0 file(s) omitted"),
              std::string::npos)
        << erase.out;
}

TEST(LinkTools, CancelAfterAChosenCountOnBothLinks)
{
    const UnitFolders folders;
    const std::string dl = (folders.root / "dl").string();
    // RS-232: the file in transfer completes and is kept, then the run stops.
    const fixture::CommandRun serial = LinkOnPty(folders.Sim(), "--selector 3 --timing fast",
                                                 "download --select 1,2,3 --cancel-after 100 --download-path " + dl);
    EXPECT_NE(serial.status, 0);
    EXPECT_NE(serial.out.find("message: Download operation stopped. 1 file(s) stored 2 file(s) omitted"),
              std::string::npos)
        << serial.out;
    EXPECT_EQ(folders.Read("L0001.orl").size(), 32u + 300u);

    // USB: the file in transfer is abandoned at once; nothing is opened.
    const fixture::CommandRun usb =
        RunCommand(Tool("orlu-link") + " --usb-sim \"" + folders.Sim() + "\" --selector 3 --timing fast open "
                   "--select 1,2 --cancel-after 100");
    EXPECT_NE(usb.status, 0);
    EXPECT_NE(usb.out.find("message: Open operation stopped. 0 file(s) opened 2 file(s) omitted"),
              std::string::npos)
        << usb.out;
    EXPECT_EQ(usb.out.find("opened: "), std::string::npos) << usb.out;
}

TEST(LinkTools, WrongCommandLinesShowTheUsage)
{
    for (const char* args : {"identify", "--port /dev/null --usb-sim x --selector 1 identify",
                             "--port /dev/null --selector 1 --timing slow identify", "--port /dev/null --selector 1 erase"}) {
        EXPECT_EQ(RunCommand(Tool("orlu-link") + " " + args + " 2>/dev/null").status, 2) << args;
    }
    EXPECT_EQ(RunCommand(Tool("orlu-instsim") + " --model 999 2>/dev/null").status, 2);
}

TEST(LinkTools, ModeSwitchShowsTheOutcomeDialog)
{
    struct Case {
        const char* sim;
        const char* mode;
        int status;
        const char* dialog;
    } cases[] = {
        {"--model 505 --mode 1 --echo", "2", 0, "dialog 136: ORLU 505  -  ANALYZER  mode\n"},
        {"--model 505 --mode 2", "1", 0, "dialog 268: ORLU 505  -  METER  mode\n"},
        {"--model 505 --mode 1 --fault wrong-mode", "2", 1,
         "dialog 137: ORLU unit  -  Unknown mode  Connection or transmission error !!!\n"},
    };
    for (const Case& c : cases) {
        const fixture::CommandRun run =
            LinkOnPty(c.sim, "--selector 1 --timing fast", std::string("mode ") + c.mode);
        EXPECT_EQ(run.status, c.status) << c.sim << run.out;
        EXPECT_NE(run.out.find(c.dialog), std::string::npos) << c.sim << run.out;
    }
}

TEST(LinkTools, CaughtMonitorImageIsSavedAndDumps)
{
    UnitFolders folders;
    const std::string buffer = (folders.root / "buffer.orl").string();
    const std::string image = (folders.root / "image.bin").string();
    const std::string saved = (folders.root / "caught.orl").string();
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " current --kind 45 " + buffer).status, 0);
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " monitor-image --buffer " + buffer + " " + image).status, 0);

    const fixture::CommandRun run = LinkOnPty("--model monitor --push " + image, "--selector 7 --timing fast",
                                              "catch monitor --save " + saved);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("outcome: MONITOR image\n"), std::string::npos) << run.out;
    const std::vector<std::uint8_t> bytes = fixture::ReadFileBytes(saved);
    const std::vector<std::uint8_t> pushed = fixture::ReadFileBytes(image);
    ASSERT_EQ(bytes.size(), 32 + pushed.size());
    EXPECT_TRUE(std::equal(pushed.begin(), pushed.end(), bytes.begin() + 32));
    EXPECT_EQ(bytes[10], 80); // the container's kind

    const fixture::CommandRun dump = RunCommand(Tool("orlu-dump") + " " + saved + " --monitor 2>/dev/null");
    ASSERT_EQ(dump.status, 0) << dump.out;
    const std::size_t bufferBytes = fixture::ReadFileBytes(buffer).size();
    EXPECT_NE(dump.out.find(", " + std::to_string(bufferBytes) + " bytes (length word " +
                            std::to_string(bufferBytes) + ")\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("sound: 6 records at"), std::string::npos) << dump.out;

    // Stalled mid-image: Cancel ends it and nothing is saved.
    std::filesystem::remove(saved);
    const fixture::CommandRun stalled = LinkOnPty("--model monitor --push " + image + " --push-stall 100",
                                                  "--selector 7 --timing fast",
                                                  "catch monitor --cancel-after 100 --save " + saved);
    EXPECT_EQ(stalled.status, 1) << stalled.out;
    EXPECT_NE(stalled.out.find("outcome: cancelled\nreceived: 100\n"), std::string::npos) << stalled.out;
    EXPECT_FALSE(std::filesystem::exists(saved));
}

TEST(LinkTools, CaughtPrintedOutputOnBothLinks)
{
    UnitFolders folders;
    const std::string printed = (folders.root / "printed.txt").string();
    std::ofstream(printed, std::ios::binary) << "ORLU 525\r\n\x0CLeq 63.4 dB\r\n";
    const std::string saved = (folders.root / "caught.txt").string();
    const std::string catchCommand = "catch printed --finish-after-idle 100 --save " + saved;

    const fixture::CommandRun rs232 = LinkOnPty("--model 525 --push " + printed, "--selector 3 --timing fast", catchCommand);
    ASSERT_EQ(rs232.status, 0) << rs232.out;
    const std::vector<std::uint8_t> onRs232 = fixture::ReadFileBytes(saved);
    EXPECT_EQ(std::string(onRs232.begin(), onRs232.end()), "ORLU 525\r\n\x0CLeq 63.4 dB\r\n");

    const fixture::CommandRun usb = RunCommand(Tool("orlu-link") + " --usb-sim \"--model 525 --push " + printed +
                                               "\" --selector 3 --timing fast " + catchCommand);
    ASSERT_EQ(usb.status, 0) << usb.out;
    const std::vector<std::uint8_t> onUsb = fixture::ReadFileBytes(saved);
    EXPECT_EQ(std::string(onUsb.begin(), onUsb.end()), "ORLU 525\r\n\x0C\r\nLeq 63.4 dB\r\n");
}

TEST(LinkTools, SettingsDocumentIsTheIdentifyReplyStoredAsASetupFile)
{
    // The ORLU 505 simulator lists its settings between the mode and the serial number.
    const std::string settings505 = "Q1,V1,P1,S1,M1,L1,K1,I2,C1,D2,E1,H1,F1,G1,R1,A1,B0,T0,Y2,Z2,c1,d1,e1,f1,g1,k2,m1,"
                                    "r1,u2,xC1";
    struct Case {
        const char* name;
        bool usb;
        const char* sim;
        int selector;
        std::string reply; ///< empty: the unit does not answer
        int selectorAfter;
        const char* shown;
    };
    const Case cases[] = {
        {"505 on RS-232", false, "--model 505 --mode 2", 1, "#1,X2," + settings505 + ",N1234,W1.05;", 1, ""},
        {"505 on USB", true, "--model 505", 1, "#1,X1," + settings505 + ",N1234,W1.05;", 1, ""},
        {"another family", false, "--model 515", 3, "#1,U515,N1234,W2.10;", 4,
         "message: Unit type on ORLU menu is changed !\n"},
        {"silent unit", false, "--model 525 --fault silent", 3, "", 3,
         "dialog 137: ORLU unit  -  Unknown mode  Connection or transmission error !!!\n"},
        {"MONITOR", false, "--model monitor", 7, "", 7, "settings are not offered for family 7\n"},
    };
    UnitFolders folders;
    const std::string saved = (folders.root / "settings.orl").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(saved);
        const std::string link = "--selector " + std::to_string(c.selector) + " --timing fast";
        const std::string command = "settings --save " + saved;
        const fixture::CommandRun run =
            c.usb ? RunCommand(Tool("orlu-link") + " --usb-sim \"" + c.sim + "\" " + link + " " + command)
                  : LinkOnPty(c.sim, link, command);
        EXPECT_NE(run.out.find(c.shown), std::string::npos) << run.out;
        if (c.reply.empty()) {
            EXPECT_EQ(run.status, 1) << run.out;
            EXPECT_FALSE(std::filesystem::exists(saved));
            continue;
        }
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_NE(run.out.find("opened: Settings1 - text (ORLU unit file)  kind 2  " + std::to_string(c.reply.size()) +
                               " bytes\nselector: " + std::to_string(c.selectorAfter) + "\n"),
                  std::string::npos)
            << run.out;
        const std::vector<std::uint8_t> expected =
            fixture::FixtureBuilder().ContainerHeader(2, 0, 0, static_cast<std::uint32_t>(c.reply.size()))
                .Text(c.reply)
                .Data();
        EXPECT_EQ(fixture::ReadFileBytes(saved), expected);
    }
}

} // namespace
} // namespace orlu
