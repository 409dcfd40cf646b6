#pragma once
// The new document a catch of instrument output ends in: a text document of
// the printed bytes, or a MONITOR document (kind 80) of the station's image.
// The image waits in the application's caught-output slot while the document
// is made, and the slot is emptied afterwards whatever happened.

#include "document/AppContext.h"
#include "link/OutputCatch.h"

#include <functional>
#include <string>

namespace orlu {

struct CaughtOutputMakers {
    /// Makes the text document of printed output; true when one was made.
    std::function<bool(std::string bytes)> text;
    /// Makes the document of the image now in app.CaughtOutput (pending source
    /// and kind set); true when one was made.
    std::function<bool()> monitor;
};

/// True when a document was made. A MONITOR image no document could be made
/// of shows the MONITOR message; other outcomes make nothing.
bool OpenCaughtOutput(AppContext& app, CaughtOutput caught, const CaughtOutputMakers& makers);

} // namespace orlu
