#include "CatchCommands.h"

#include "document/CTmDoc.h"
#include "document/container/ContainerHeader.h"
#include "document/container/FileKindCode.h"
#include "link/OutputCatch.h"
#include "link/UnitModeSwitch.h"
#include "monitor/MonitorLoader.h"
#include "platform/FileIo.h"
#include "presentation/CaughtOutputDocument.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace orlu::tools {
namespace {

bool NonNegative(const std::string& text, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && out >= 0;
}

/// Plays the user at the catch dialog.
CatchWatch Watch(const CatchOptions& o)
{
    using Steady = std::chrono::steady_clock;
    return [o, last = Steady::now(), seen = std::size_t{0}](TransferProgress& progress, std::size_t received,
                                                            bool idle) mutable {
        if (received != seen) {
            seen = received;
            last = Steady::now();
        }
        if (o.cancelAfterBytes >= 0 && received >= static_cast<std::size_t>(o.cancelAfterBytes))
            progress.Request(TransferRequest::Cancel, false);
        else if (idle && o.finishAfterIdleMs >= 0 &&
                 Steady::now() - last >= std::chrono::milliseconds(o.finishAfterIdleMs))
            progress.Request(TransferRequest::Finish, false);
    };
}

const char* OutcomeName(CatchOutcome outcome)
{
    switch (outcome) {
    case CatchOutcome::NoPort: return "no port";
    case CatchOutcome::NotPrintedOutput: return "not printed output";
    case CatchOutcome::Cancelled: return "cancelled";
    case CatchOutcome::Nothing: return "nothing";
    case CatchOutcome::PrintedOutput: return "printed output";
    case CatchOutcome::MonitorImage: return "MONITOR image";
    case CatchOutcome::NotMonitorOutput: return "not MONITOR output";
    }
    return "";
}

int Catch(UnitLink& link, const CatchOptions& o)
{
    const CatchKind kind = o.what == "printed" ? CatchKind::Printed : CatchKind::Monitor;
    if (!CatchEnabled(kind, link.deviceSelector)) {
        std::printf("catch %s is not offered for family %d\n", o.what.c_str(), link.deviceSelector);
        return 1;
    }
    TransferProgress progress;
    const CaughtOutput caught = CatchOutput(link, kind, progress, Watch(o));
    std::printf("outcome: %s\nreceived: %zu\n", OutcomeName(caught.outcome), caught.received);

    std::vector<std::uint8_t> saved;
    AppContext app(link.Ui());
    InstallMonitorParser(app);
    CaughtOutputMakers makers;
    makers.text = [&](std::string bytes) {
        saved.assign(bytes.begin(), bytes.end());
        return true;
    };
    makers.monitor = [&] {
        // The image is saved only when it opens as a MONITOR document.
        CTmDoc doc(app);
        if (!doc.OnNewDocument())
            return false;
        saved.resize(kContainerHeaderSize);
        BuildContainerHeader(std::span<std::uint8_t, kContainerHeaderSize>(saved.data(), kContainerHeaderSize),
                             kKindMonitor, 0, 0, 0);
        saved.insert(saved.end(), app.CaughtOutput->begin(), app.CaughtOutput->end());
        return true;
    };
    if (!OpenCaughtOutput(app, caught, makers))
        return 1;
    std::string error;
    if (!WriteFileAtomically(o.save, std::span<const std::uint8_t>(saved), &error)) {
        std::fprintf(stderr, "orlu-link: %s\n", error.c_str());
        return 1;
    }
    std::printf("saved: %s\n", o.save.c_str());
    return 0;
}

} // namespace

bool ParseCatchOption(const std::vector<std::string>& args, std::size_t& i, CatchOptions& o)
{
    const std::string& a = args[i];
    if (!a.starts_with("--") && o.what.empty()) {
        o.what = a;
        return true;
    }
    if (i + 1 >= args.size())
        return false;
    if (a == "--save") {
        o.save = args[++i];
        return true;
    }
    long value = 0;
    if ((a == "--finish-after-idle" || a == "--cancel-after") && NonNegative(args[i + 1], value)) {
        (a == "--cancel-after" ? o.cancelAfterBytes : o.finishAfterIdleMs) = value;
        ++i;
        return true;
    }
    return false;
}

bool IsCatchCommand(const std::string& command, const CatchOptions& o)
{
    if (command == "mode")
        return o.what == "1" || o.what == "2";
    return command == "catch" && (o.what == "printed" || o.what == "monitor") && !o.save.empty();
}

int RunCatchCommand(UnitLink& link, const std::string& command, const CatchOptions& o)
{
    if (command == "mode") {
        const UnitMode mode = o.what == "1" ? UnitMode::Meter : UnitMode::Analyzer;
        const ModeSwitchOutcome outcome = SetUnitMode(link, mode);
        return outcome == ModeSwitchOutcome::Error ? 1 : 0;
    }
    return Catch(link, o);
}

} // namespace orlu::tools
