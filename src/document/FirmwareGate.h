#pragma once
// Two checks before work starts: whether this program can process a file (or
// a connected instrument) of a given firmware, and whether a folder proposed
// to a file dialog exists.

#include "platform/UserInteraction.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace orlu {

/// Decides from the device type (545, 590, ...), firmware and file-system
/// versions (x 100) whether to process a file: refuses firmware too old for the
/// program, and asks (Yes/No, No by default) before a file system newer than
/// the program knows. inFile says whether the versions come from a file or
/// from the connected instrument. True means refuse.
bool CheckFirmwareVersion(UserInteraction& ui, std::uint16_t deviceType, std::uint16_t firmware,
                          std::uint16_t fileSystem, bool inFile);

/// Tells the user that a file starts with a header prefix this program does not know.
void ReportUnknownHeaderPrefix(UserInteraction& ui, std::uint16_t prefix);

/// Where a folder check ends when the folder is not usable.
struct FolderFallbacks {
    std::filesystem::path home;    ///< for names that are no absolute path here
    std::filesystem::path current; ///< when not even a parent exists
    /// The user's home directory and the process's current directory.
    static FolderFallbacks FromEnvironment();
};

/// The folder itself when it exists; otherwise, after the user gave up
/// retrying, its nearest existing parent. A name that is not an absolute path
/// (such as a drive path "C:\DATA" from another system) gives the home directory.
std::string ValidateFolderForDialog(UserInteraction& ui, const std::string& folder,
                                    const FolderFallbacks& fallbacks = FolderFallbacks::FromEnvironment());

} // namespace orlu
