#pragma once
// Switching the ORLU 505 between METER and ANALYZER mode: the mode command,
// the unit's time to change over, and an identify that tells which mode it
// is in now. The user is told the outcome in one of three fixed dialogs.

#include "link/UnitLink.h"

namespace orlu {

enum class UnitMode : int { Meter = 1, Analyzer = 2 };

enum class ModeSwitchOutcome { Meter, Analyzer, Error };

/// The command that asks the unit for a mode: ";#1,X1;" or ";#1,X2;".
std::string ModeSwitchCommand(UnitMode mode);

/// Sends the mode command, waits the unit's change-over time, identifies the
/// unit and shows the outcome. A reply in another mode, no reply, or a reply
/// without a mode letter (a unit that has no modes) is the error outcome.
ModeSwitchOutcome SetUnitMode(UnitLink& link, UnitMode mode);

} // namespace orlu
