#pragma once
// The remote-control settings in the tools: orlu-dump shows a setup file's
// settings or a page of the sheet, orlu-fixture writes setup files, and
// orlu-link gets the settings from the unit or sends a page of them.

#include "link/UnitLink.h"

#include <string>
#include <vector>

namespace orlu::tools {

/// orlu-dump FILE.ocf --setup | --page 0|1|2
bool WantsSetupDump(int argc, char** argv);
int RunSetupDump(int argc, char** argv);

/// orlu-fixture ocf [FIELD=VALUE]... OUT
int RunSetupFixture(int argc, char** argv);

/// orlu-link remote get --save OUT.ocf | remote send --page N --load IN.ocf
struct RemoteOptions {
    std::string action; ///< get or send
    std::string save;
    std::string load;
    int page = -1;
};
/// Takes args[i] (and its value) when it is one of the remote command's words.
bool ParseRemoteOption(const std::vector<std::string>& args, std::size_t& i, RemoteOptions& options);
bool RemoteOptionsComplete(const RemoteOptions& options);
int RunRemoteCommand(UnitLink& link, const RemoteOptions& options);

} // namespace orlu::tools
