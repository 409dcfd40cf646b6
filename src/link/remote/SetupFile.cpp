#include "link/remote/SetupFile.h"

#include "platform/FileIo.h"

#include <system_error>

namespace orlu {

namespace {

/// Far above any file the program writes (134 bytes and two short texts), so
/// that a huge file is refused before it is read.
constexpr std::uintmax_t kLargestSetupFile = 1 << 20;

std::string Refusal(const std::filesystem::path& path, const std::string& reason)
{
    return "The setup file " + path.filename().string() + " cannot be loaded.\n" + reason;
}

} // namespace

std::filesystem::path WithSetupExtension(std::filesystem::path path)
{
    if (!path.has_extension())
        path += ".ocf";
    return path;
}

std::optional<std::string> LoadSetupFile(const std::filesystem::path& path, CControlSett& settings)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kLargestSetupFile)
        return Refusal(path, "It is too large for a setup file.");
    std::string why;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, &why);
    if (!bytes)
        return Refusal(path, why);
    if (std::optional<std::string> refused = settings.LoadSetup(*bytes))
        return Refusal(path, *refused);
    return std::nullopt;
}

bool SaveSetupFile(const std::filesystem::path& path, const CControlSett& settings, std::string* error)
{
    return WriteFileAtomically(path, settings.StoreSetup(), error);
}

} // namespace orlu
