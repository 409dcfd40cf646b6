// orlu-link: the program's link operations without a window, against a port
// (a pseudo-terminal of orlu-instsim, or a real COM device) or against the
// simulator behind the fake USB driver.

#include "CatchCommands.h"
#include "LinkConsole.h"
#include "RemoteSettingsTools.h"
#include "MergeUploadCommands.h"
#include "UnitFilesCommands.h"
#include "UnitSettingsTool.h"
#include "Usage.h"
#include "link/UnitLink.h"
#include "support/FakeUsbDriver.h"
#include "support/InstrumentModel.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: orlu-link (--port PATH | --usb-sim \"SIM OPTIONS\") --selector S [--timing standard|fast]\n"
    "                 [--answers LIST] COMMAND\n"
    "  S: the instrument family (1 ORLU 505 ... 12); LIST answers the questions in order:\n"
    "     y Yes, Y Yes for all, n No, N No for all, c Cancel\n"
    "  COMMAND: identify (the reply, family, device type, serial, firmware and mode)\n"
    "           dir [--details] [--more] [--sort] [--type 0..3]: the unit-files list, numbered\n"
    "           download|open|delete (--select 1,3 | --name NAME) [list options] [--download-path DIR]\n"
    "                  [--save-dir DIR] (open: each document stored as NAME.orl) [--cancel-after BYTES]\n"
    "           remote get --save OUT.ocf: the ORLU 505's remote-control settings into a setup file\n"
    "           remote send --page 0|1|2 --load IN.ocf: one page of a setup file to the ORLU 505\n"
    "           ascii (--select 1,3 | --name NAME) [list options] [--content 1..6] [--header 0|1]\n"
    "                 [--dec 0|1] [--sep 0..6] [--form 0..2] [--download-path DIR]: the files as text\n"
    "                 (1 whole files, 2 main results, 3 FFT spectra, 4 1/1 octaves, 5 1/3 octaves,\n"
    "                 6 time waveforms)\n"
    "           merge --select 1,3 [list options] [--save OUT.orl]: a Multifile of the files\n"
    "           merge --disk FILE... [--save OUT.orl]: a Multifile of disk files (no port needed)\n"
    "           upload FILE [--name NAME] [--details]: the file into the instrument\n"
    "           mode 1|2: METER or ANALYZER mode (ORLU 505), the outcome dialog\n"
    "           settings [--save OUT.orl]: the unit's settings document (its identify reply), stored\n"
    "             as a setup file\n"
    "           catch printed|monitor [--finish-after-idle MS] [--cancel-after BYTES] --save OUT:\n"
    "             the pushed output, ended by Finish once the line was idle MS ms or by Cancel after\n"
    "             BYTES bytes; the printed bytes, or the MONITOR image in a container of kind 80\n";

struct Options {
    std::string port;
    std::string usbSim;
    int selector = -1;
    std::string timing = "standard";
    std::string answers;
    std::string command;
    orlu::tools::UnitFilesOptions files;
    orlu::tools::RemoteOptions remote;
    orlu::tools::MergeUploadOptions mergeUpload;
    orlu::tools::CatchOptions catching;
    orlu::tools::UnitSettingsOptions settings;
};

bool Parse(const std::vector<std::string>& args, Options& o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--port" && hasValue)
            o.port = args[++i];
        else if (a == "--usb-sim" && hasValue)
            o.usbSim = args[++i];
        else if (a == "--selector" && hasValue)
            o.selector = std::atoi(args[++i].c_str());
        else if (a == "--timing" && hasValue)
            o.timing = args[++i];
        else if (a == "--answers" && hasValue)
            o.answers = args[++i];
        else if (!a.starts_with("--") && o.command.empty())
            o.command = a;
        else if (o.command == "remote" && orlu::tools::ParseRemoteOption(args, i, o.remote))
            continue;
        else if (o.command == "settings" && orlu::tools::ParseUnitSettingsOption(args, i, o.settings))
            continue;
        else if ((o.command == "mode" || o.command == "catch") && orlu::tools::ParseCatchOption(args, i, o.catching))
            continue;
        else if (orlu::tools::ParseMergeUploadOption(args, i, o.command, o.mergeUpload))
            continue;
        else if (!orlu::tools::ParseUnitFilesOption(args, i, o.files))
            return false;
    }
    if (orlu::tools::IsDiskMerge(o.command, o.mergeUpload))
        return true;
    return (o.port.empty() != o.usbSim.empty()) && o.selector >= 1 && o.selector <= 16 &&
           (o.command == "identify" || orlu::tools::IsUnitFilesCommand(o.command) ||
            (o.command == "remote" && orlu::tools::RemoteOptionsComplete(o.remote)) ||
            orlu::tools::IsMergeUploadCommand(o.command) || orlu::tools::IsCatchCommand(o.command, o.catching) ||
            o.command == "settings");
}

int Identify(orlu::UnitLink& link)
{
    const orlu::IdentifyOutcome out = orlu::IdentifyOverLink(link, true);
    if (out.result == orlu::kIdentifyNoReply || out.result == orlu::kIdentifyRefused)
        return 1;
    const orlu::UnitIdentity& id = out.identity;
    std::printf("reply: %s\n", out.reply.c_str());
    std::printf("selector: %d\n", link.deviceSelector);
    std::printf("device type: %u\n", id.deviceType);
    std::printf("serial: %s%s\n", id.serial.c_str(), id.eVersion ? " (E version)" : "");
    if (id.firmwareMissing)
        std::printf("firmware: none\n");
    else
        std::printf("firmware: %u.%02u\n", id.firmware / 100, id.firmware % 100);
    std::printf("mode: %c\n", static_cast<char>(out.result));
    std::printf("old unit firmware: %d\n", link.flags.oldUnitFirmware ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return orlu::tools::PrintUsage(kUsage, true);
    Options o;
    orlu::LinkTiming timing;
    if (!Parse(args, o) || !orlu::LinkTiming::FromName(o.timing, timing))
        return orlu::tools::PrintUsage(kUsage, false);

    orlu::tools::LinkConsole console(o.answers);
    if (orlu::tools::IsDiskMerge(o.command, o.mergeUpload)) {
        const int merged = orlu::tools::RunDiskMerge(console, o.mergeUpload);
        return console.Unexpected() ? 3 : merged;
    }
    // The simulated device answers at once, so its replies are waited for on
    // a manual clock: a loaded machine cannot make one of them late.
    orlu::SystemClock systemClock;
    orlu::ManualClock simulatorClock;
    orlu::Clock& clock = o.usbSim.empty() ? static_cast<orlu::Clock&>(systemClock) : simulatorClock;
    orlu::SerialLinkSettings serial;
    serial.ApplyUnitConstraints(static_cast<std::uint8_t>(o.selector));

    std::unique_ptr<orlu::sim::InstrumentModel> model;
    std::unique_ptr<orlu::sim::FakeUsbDriver> usb;
    if (!o.usbSim.empty()) {
        orlu::sim::SimOptions sim;
        std::vector<orlu::sim::UnitFile> files;
        std::string error;
        if (!orlu::sim::ParseSimOptions(o.usbSim, sim, error) || !orlu::sim::LoadUnitFiles(sim.filesDir, files, error)) {
            std::fprintf(stderr, "orlu-link: --usb-sim: %s\n", error.c_str());
            return 2;
        }
        std::vector<std::uint8_t> push;
        if (!orlu::sim::LoadPushBytes(sim, push, error)) {
            std::fprintf(stderr, "orlu-link: --usb-sim: %s\n", error.c_str());
            return 2;
        }
        model = std::make_unique<orlu::sim::InstrumentModel>(sim, std::move(files));
        usb = std::make_unique<orlu::sim::FakeUsbDriver>(model.get());
        // Output the device pushes waits for the first reader.
        if (!push.empty())
            usb->Deliver(std::move(push));
        // A short driver time-out, so that a reply of whole blocks ends soon.
        usb->timeout = 2000000;
    }
    orlu::UnitLink link(console, serial, clock, usb.get(),
                        usb ? orlu::sim::InstantReplyWait(simulatorClock) : orlu::CUsbLink::BlockWait{});
    link.timing = timing;
    link.deviceSelector = static_cast<std::uint8_t>(o.selector);
    link.SetPortOverride(o.port);
    link.OpenUsb();

    const int status = o.command == "identify" ? Identify(link)
                       : o.command == "remote" ? orlu::tools::RunRemoteCommand(link, o.remote)
                       : o.command == "settings" ? orlu::tools::RunUnitSettingsCommand(link, o.settings)
                       : orlu::tools::IsCatchCommand(o.command, o.catching)
                           ? orlu::tools::RunCatchCommand(link, o.command, o.catching)
                       : orlu::tools::IsMergeUploadCommand(o.command)
                           ? orlu::tools::RunMergeUploadCommand(link, o.command, o.files, o.mergeUpload)
                           : orlu::tools::RunUnitFilesCommand(link, o.command, o.files);
    link.CloseUsb();
    return console.Unexpected() ? 3 : status;
}
