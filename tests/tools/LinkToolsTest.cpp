// orlu-instsim and orlu-link as a user runs them: the simulator prints its
// port, orlu-link identifies the unit there or behind the fake USB driver.

#include "support/CommandRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace orlu {
namespace {

using fixture::RunCommand;

std::string Tool(const char* name)
{
    const char* dir = std::getenv("ORLU_TOOLS_DIR");
    return std::string(dir ? dir : ORLU_BINARY_DIR "/tools") + "/" + name;
}

/// Starts the simulator, runs orlu-link's command on its port and stops the simulator with SIGTERM.
fixture::CommandRun LinkOnPty(const std::string& simOptions, const std::string& linkOptions,
                              const std::string& command = "identify")
{
    const std::string script = "set -e; f=$(mktemp); " + Tool("orlu-instsim") + " " + simOptions +
                               " > \"$f\" & pid=$!; while [ ! -s \"$f\" ]; do sleep 0.01; done; set +e; " +
                               Tool("orlu-link") + " --port \"$(head -1 \"$f\")\" " + linkOptions +
                               " " + command + "; rc=$?; kill -TERM $pid; wait $pid; echo \"sim=$?\"; rm -f \"$f\"; exit $rc";
    return RunCommand("bash -c '" + [&] {
        std::string quoted;
        for (char c : script)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted;
    }() + "'");
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
    std::string Read(const std::string& name) const
    {
        std::ifstream in(root / "dl" / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
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

} // namespace
} // namespace orlu
