#pragma once
// orlu-link's settings command: the unit's settings document, made as the
// program's "ORLU settings" command makes it (the identify reply in a
// document of kind 2), printed and stored as a container file.

#include "link/UnitLink.h"

#include <string>
#include <vector>

namespace orlu::tools {

struct UnitSettingsOptions {
    std::string save; ///< the container file to store; empty stores nothing
};

/// Takes args[i] (and its value) when it belongs to the settings command; false otherwise.
bool ParseUnitSettingsOption(const std::vector<std::string>& args, std::size_t& i, UnitSettingsOptions& o);

/// 0 when the document was made (and stored when asked); 1 otherwise.
int RunUnitSettingsCommand(UnitLink& link, const UnitSettingsOptions& o);

} // namespace orlu::tools
