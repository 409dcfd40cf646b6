#pragma once
// Whole-file reads and safe writes. A write goes to a temporary file beside
// the target and is renamed over it only when complete, so a failed save
// leaves the earlier file intact.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// The file's bytes, or nothing when it cannot be read (error gets the reason).
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::string* error = nullptr);

/// Writes the bytes atomically: temporary file in the same folder, flushed
/// and synced, then renamed over the target. False (with the reason) on failure,
/// in which case the target is untouched and the temporary file removed.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text, std::string* error = nullptr);

} // namespace orlu
