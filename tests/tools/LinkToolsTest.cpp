// orlu-instsim and orlu-link as a user runs them: the simulator prints its
// port, orlu-link identifies the unit there or behind the fake USB driver.

#include "support/CommandRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace orlu {
namespace {

using fixture::RunCommand;

std::string Tool(const char* name)
{
    const char* dir = std::getenv("ORLU_TOOLS_DIR");
    return std::string(dir ? dir : ORLU_BINARY_DIR "/tools") + "/" + name;
}

/// Starts the simulator, runs orlu-link on its port and stops the simulator with SIGTERM.
fixture::CommandRun IdentifyOnPty(const std::string& simOptions, const std::string& linkOptions)
{
    const std::string script = "set -e; f=$(mktemp); " + Tool("orlu-instsim") + " " + simOptions +
                               " > \"$f\" & pid=$!; while [ ! -s \"$f\" ]; do sleep 0.01; done; set +e; " +
                               Tool("orlu-link") + " --port \"$(head -1 \"$f\")\" " + linkOptions +
                               " identify; rc=$?; kill -TERM $pid; wait $pid; echo \"sim=$?\"; rm -f \"$f\"; exit $rc";
    return RunCommand("bash -c '" + [&] {
        std::string quoted;
        for (char c : script)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted;
    }() + "'");
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
