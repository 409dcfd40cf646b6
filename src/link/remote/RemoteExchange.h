#pragma once
// The remote-control sheet's exchanges with the ORLU 505: Get reads the
// unit's settings from its identify reply; Send transmits the settings of one
// page, one "#1,<item>;" command each, and then asks which mode the unit is in.

#include "link/UnitLink.h"
#include "link/remote/CControlSett.h"

namespace orlu {

/// Identifies the unit and fills the record from its reply. No reply: the
/// unknown-mode message, the record unchanged. Returns the identify result
/// (the mode character, or 0).
int GetUnitSettings(UnitLink& link, CControlSett& settings);

/// Sends the page's items, each followed by the pause between items; after
/// the last, the longer pause and an identify. Shows the mode the unit
/// reports (METER, ANALYZER, or unknown when a send failed or no reply came)
/// and returns the mode character, or 0.
int SendSettingsPage(UnitLink& link, const CControlSett& settings, int page);

} // namespace orlu
