#pragma once
// The errors a container load reports, each in a message box with the file's
// name: "<name>  -  <text>". The texts are DocMessageTable entries 12 to 17.

#include "platform/Archive.h"
#include "platform/UserInteraction.h"

#include <string_view>

namespace orlu {

enum LoadError : int {
    kLoadUnknownFailure = 0, ///< the file itself failed: the open fails
    kLoadImproperContents = 1,
    kLoadUnrecognizedContents = 2,
    kLoadOutOfMemory = 3,
    kLoadUnexpectedEnd = 4,
    kLoadChecksumInvalid = 5,
};

/// The text of load error n (0 to 5).
std::string_view LoadErrorText(LoadError n);

/// Shows load error n for the archive's file.
void ReportLoadError(UserInteraction& ui, const Archive& archive, LoadError n);
/// Shows load error n for the file of that name.
void ReportLoadError(UserInteraction& ui, std::string_view fileName, LoadError n);

} // namespace orlu
