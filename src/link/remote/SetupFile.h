#pragma once
// Remote-control setup files (.ocf) on disk: the record's bytes with no
// header. A file is read whole only when it is small enough to be one, and a
// refused file leaves the record as it was.

#include "link/remote/CControlSett.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orlu {

/// The file dialogs' extension, added to a name typed without one.
std::filesystem::path WithSetupExtension(std::filesystem::path path);

/// Loads the record from the file; the message to show when it cannot.
std::optional<std::string> LoadSetupFile(const std::filesystem::path& path, CControlSett& settings);

/// Writes the record; false with the reason when the file cannot be written.
bool SaveSetupFile(const std::filesystem::path& path, const CControlSett& settings, std::string* error = nullptr);

} // namespace orlu
