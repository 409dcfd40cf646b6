#pragma once
// orlu-link's commands on the instrument's modes and pushed output: mode
// switches an ORLU 505 and prints the outcome dialog; catch listens for
// printed output or a MONITOR station's image and saves the document it
// makes (the printed bytes, or the image in a container of kind 80).

#include "link/UnitLink.h"

#include <string>
#include <vector>

namespace orlu::tools {

struct CatchOptions {
    std::string what;            ///< "1" or "2" for mode; "printed" or "monitor" for catch
    long finishAfterIdleMs = -1; ///< Finish once the line was idle this long
    long cancelAfterBytes = -1;  ///< Cancel once this many bytes came
    std::string save;
};

/// Takes args[i] (and its value) when it belongs to these commands; false otherwise.
bool ParseCatchOption(const std::vector<std::string>& args, std::size_t& i, CatchOptions& o);

bool IsCatchCommand(const std::string& command, const CatchOptions& o);

/// 0 when the unit is in the mode asked for or a document was made and saved; 1 otherwise.
int RunCatchCommand(UnitLink& link, const std::string& command, const CatchOptions& o);

} // namespace orlu::tools
