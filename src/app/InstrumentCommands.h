#pragma once
// The desktop program's instrument commands on the unit's mode, its settings
// and the output it pushes. The mode switch runs under the wait cursor; a
// catch runs on a worker while the catch dialog shows the received count and
// turns Finish and Cancel into requests. What the catch has to tell the user
// is shown once it has ended, on the GUI thread.

#include <functional>

class QDialog;

namespace orlu {

class CTmApp;

/// runDialog: the application's runner of modal dialogs.
void RegisterInstrumentCommands(CTmApp& app, std::function<int(QDialog&)> runDialog);

} // namespace orlu
