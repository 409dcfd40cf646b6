#pragma once
// orlu-link's commands on the instrument's files: dir prints the unit-files
// dialog's lines and its three texts; download, open and delete act on the
// lines chosen by their list positions or by a typed name.

#include "link/UnitLink.h"
#include "presentation/AsciiContents.h"

#include <string>
#include <vector>

namespace orlu::tools {

struct UnitFilesOptions {
    bool details = false;
    bool moreDetails = false;
    bool sortByNames = false;
    int fileType = 3;
    std::vector<int> select; ///< 1-based list positions
    std::string name;        ///< a typed name
    std::string downloadPath = ".";
    AsciiChoices ascii; ///< ascii: --content --header --dec --sep --form
    std::string saveDir;    ///< open: each opened document stored there as NAME.orl
    int cancelAfter = -1;   ///< Cancel once a file has this many bytes; -1: never
};

/// Takes the option at args[i] (and its value) when it is one of these;
/// false (i unchanged) otherwise or when its value is wrong.
bool ParseUnitFilesOption(const std::vector<std::string>& args, std::size_t& i, UnitFilesOptions& o);

bool IsUnitFilesCommand(const std::string& command);

/// 0 on success, 1 when the operation failed or nothing was chosen.
int RunUnitFilesCommand(UnitLink& link, const std::string& command, const UnitFilesOptions& o);

} // namespace orlu::tools
