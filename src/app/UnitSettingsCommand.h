#pragma once
// The Orlu menu's "ORLU settings": the unit's identify reply, which lists its
// current settings, opened as a new settings document in a window. The
// command has a link of its own and lends the application its document
// fillers only while the document is being made, so that whatever another
// command has installed there is back afterwards.

#include "link/TransferProgress.h"
#include "link/UnitFileOpen.h"
#include "link/UnitLink.h"
#include "platform/Clock.h"

namespace orlu {

class CTmApp;

class UnitSettingsCommand {
public:
    explicit UnitSettingsCommand(CTmApp& app);

    /// Reads the settings on the GUI thread and opens their document; the
    /// identify may change the instrument family, which the menu then shows.
    void OnUnitSettings();

private:
    CTmApp& m_App;
    SystemClock m_Clock;
    UnitLink m_Link;
    TransferProgress m_Progress;
    UnitFileOpener m_Opener;
};

} // namespace orlu
