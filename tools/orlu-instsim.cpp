// orlu-instsim: a simulated instrument on a pseudo-terminal. Prints the
// slave's path as its first line and serves until SIGTERM or SIGINT.

#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"
#include "Usage.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: orlu-instsim --model M --files DIR [--firmware X.YY] [--serial N] [--e-version]\n"
    "                    [--mode 1|2] [--echo] [--fault F[@K|@NAME]]... [--empty-entry I]... [--transcript FILE]\n"
    "                    [--push FILE [--push-stall N]]\n"
    "  M: 505, 515, 525, 530, 535, 545, 550, 560, 570, 575, 580, 590, 595, 410, 420 or monitor\n"
    "  DIR: one entry per file, NAME.T or NAME.T-S (T the type, S the subtype: 0-9, or A-Z for\n"
    "       10-35); with .orl the file is served without its 32-byte container header\n"
    "  F: silent, garbage, noise, control, cut:N, disconnect:N, unknown-type, no-firmware,\n"
    "     dir-count:N, count:N (the reply claims N bytes), stall-after:N (data bytes), no-ack,\n"
    "     names (adds entries A/B, /TOP and \\TOP); @K limits the fault to the K-th command,\n"
    "     refuse-upload (an upload is answered #9,0; or #5,0; and not stored), no-answer (an upload\n"
    "     gets no answer), stop-reading:N (the unit stops reading N bytes into an upload);\n"
    "     uploads (;#5,k,NAME; + size, ;#9,g,size,) are stored and listed by the directory;\n"
    "     @NAME to the replies for that file; wrong-mode: the mode command ;#1,Xd; puts the unit in\n"
    "     the other mode (--echo answers the mode command with #1,Xd;)\n"
    "  I: a deleted entry is inserted at directory position I\n"
    "  The 505 keeps its remote-control settings: \"#1,<letter><value>;\" changes one (X the mode),\n"
    "  and the next identify reports them\n"
    "  --push FILE: the file's bytes are sent once the program has opened the port;\n"
    "     --push-stall N sends only the first N of them\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return orlu::tools::PrintUsage(kUsage, true);
    orlu::sim::SimOptions options;
    std::string error;
    std::vector<orlu::sim::UnitFile> files;
    std::vector<std::uint8_t> push;
    if (!orlu::sim::ParseSimOptions(args, options, error) ||
        !orlu::sim::LoadUnitFiles(options.filesDir, files, error) || !orlu::sim::LoadPushBytes(options, push, error)) {
        std::fprintf(stderr, "orlu-instsim: %s\n", error.c_str());
        return orlu::tools::PrintUsage(kUsage, false);
    }
    // The signals are taken by sigwait below, not by a handler.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    orlu::sim::InstrumentModel model(options, std::move(files));
    orlu::sim::PtyInstrument pty(model, options.transcript);
    if (!pty.Start()) {
        std::fprintf(stderr, "orlu-instsim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    if (!push.empty())
        pty.PushWhenOpened(std::move(push));
    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop, &signal);
    pty.Stop();
    return 0;
}
