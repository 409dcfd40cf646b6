#include "presentation/StartupRules.h"

namespace orlu {

CommandLineInfo ParseCommandLine(std::span<const std::string> args)
{
    CommandLineInfo info;
    bool shellRequest = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--ini") {
            if (i + 1 >= args.size()) {
                info.error = "--ini needs a file name";
                return info;
            }
            info.iniPath = args[++i];
        } else if (arg == "--help" || arg == "-h") {
            info.help = true;
        } else if (arg.rfind("--ini=", 0) == 0) {
            info.iniPath = arg.substr(6);
        } else if (arg == "/dde" || arg == "/p" || arg == "/pt") {
            // The shell's open and print requests are not carried out at start:
            // the file they name is not opened (nor printed), and the printer
            // names after "/pt" are ignored with it.
            shellRequest = true;
        } else if (arg.rfind("--", 0) == 0) {
            info.error = "unknown option " + arg;
            return info;
        } else if (info.fileName.empty()) {
            info.fileName = arg;
        }
    }
    if (shellRequest)
        info.fileName.clear();
    return info;
}

std::string CommandLineUsage()
{
    return "Usage: orlupc [--ini FILE] [FILE]\n"
           "Shows the measurement files of ORLU and QERA instruments; FILE opens at start.\n"
           "\n"
           "  --ini FILE, --ini=FILE  keep the settings and the recent files in FILE\n"
           "                          (default $ORLUPC_INI, else $XDG_CONFIG_HOME/orlupc/OrluPC.INI,\n"
           "                          else ~/.config/orlupc/OrluPC.INI)\n"
           "  -h, --help              print this help and end\n"
           "  /dde, /p FILE, /pt FILE PRINTER DRIVER PORT\n"
           "                          requests of the desktop's file association: accepted,\n"
           "                          and no file opens at start\n"
           "\n"
           "Qt's own options are accepted too, e.g. -platform vnc:size=1280x800 or -style fusion.\n"
           "SIGTERM and SIGINT end the program as Exit does, without saving anything unasked.\n";
}

std::optional<StartupOpen> ChooseStartupFile(const CommandLineInfo& commandLine, const AppSettings& settings,
                                             const RecentFileList& recent)
{
    if (!commandLine.fileName.empty())
        return StartupOpen{commandLine.fileName, true};
    if (settings.MRUused != 0 && !recent.First().empty())
        return StartupOpen{recent.First(), false};
    return std::nullopt;
}

std::string MainFrameTitle(std::string_view activeDocumentTitle)
{
    std::string title(kAppName);
    if (!activeDocumentTitle.empty())
        title += " - " + std::string(activeDocumentTitle);
    return title;
}

} // namespace orlu
