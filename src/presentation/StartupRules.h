#pragma once
// The decisions of start-up that need no window: the command line, which
// file is opened at start, and the main frame's title.

#include "presentation/AppSettings.h"
#include "presentation/RecentFileList.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

/// The program's name, also the main frame's title.
inline constexpr std::string_view kAppName = "OrluPC";

struct CommandLineInfo {
    /// The file to open at start, empty when none is named.
    std::string fileName;
    /// The settings profile named with --ini, empty for the default one.
    std::string iniPath;
    /// Why the command line was refused, empty when it was accepted.
    std::string error;
    /// "--help" or "-h": the usage is printed and no window opens.
    bool help = false;
};

/// Reads the arguments after the program's name: "--ini FILE" (or
/// "--ini=FILE"), "--help" and one file name. The shell's "/dde" and the print
/// requests ("/p", "/pt ...") are accepted and ignored: with one of them the
/// start opens no file at all.
CommandLineInfo ParseCommandLine(std::span<const std::string> args);

/// What "orlupc --help" prints: the arguments the program accepts.
std::string CommandLineUsage();

struct StartupOpen {
    std::string path;
    /// A file named on the command line that cannot be opened ends the
    /// program; the recent file opened by setting does not.
    bool endsProgramOnFailure = false;
};

/// The file opened at start: the command line's, else the first recent file
/// when "Start with MRU file" is on; no document otherwise.
std::optional<StartupOpen> ChooseStartupFile(const CommandLineInfo& commandLine, const AppSettings& settings,
                                             const RecentFileList& recent);

/// "OrluPC", followed by " - " and the active document's title when there is one.
std::string MainFrameTitle(std::string_view activeDocumentTitle);

} // namespace orlu
