#pragma once
// Sending the document shown back into the instrument under a name the user
// chooses: the ORLU 505 takes its METER, ANALYZER and setup files with
// ";#5,g,NAME;" and the size as 4 bytes; the other instruments any regular,
// buffer or setup file with ";#9,g,size,", the name being written into the
// file itself first. A confirmed upload updates the program's copy of the
// instrument's directory in place.

#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orlu {

class CTmDoc;

/// What a document is uploaded as.
struct UploadTarget {
    std::string group; ///< the group text of the command
    int requestKind = 3;
    char letter = 'a'; ///< the letter the name dialog compares names with
    bool unit505 = false;
};

/// None when the document cannot be uploaded (ORLU 505 files other than
/// METER, ANALYZER and setup files; files of the ORLU 515 below firmware 2.00).
std::optional<UploadTarget> UploadTargetFor(const CTmDoc& doc);

/// The name proposed for a document's path: after its last ':', '\' or '/',
/// without the part from its last '.'.
std::string ProposedUploadName(std::string_view pathName);

/// The command that announces the upload (for the ORLU 505 followed by the
/// size as 4 little-endian bytes).
std::string UploadHeader(const UploadTarget& target, std::string_view name, std::uint32_t size);

/// Writes the name (cut to 8, zero-filled) into words 1 to 4 of the
/// document's first file.
void WriteNameIntoImage(CTmDoc& doc, std::string_view name);

/// Asks for the name (the proposed one given): empty abandons the upload.
using UploadNameChooser = std::function<std::string(const UploadTarget& target, const std::string& proposed)>;

/// The whole upload with its messages; true when the instrument confirmed it.
bool UploadToInstrument(CTmDoc& doc, UnitLink& link, CUnitDirectory& directory, TransferProgress& progress,
                        const UploadNameChooser& chooseName);

} // namespace orlu
