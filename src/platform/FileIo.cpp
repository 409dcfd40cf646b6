#include "platform/FileIo.h"

#include "platform/AtomicFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orlu {
namespace {

void SetError(std::string* error, const std::string& what, const std::filesystem::path& path, int err)
{
    if (error)
        *error = what + " " + path.string() + ": " + std::strerror(err);
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::string* error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, "cannot open", path, errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetError(error, "cannot read", path, errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, std::string* error)
{
    AtomicFileWriter writer;
    if (!writer.Open(path, error))
        return false;
    writer.Write(bytes);
    return writer.Commit(error);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text, std::string* error)
{
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

} // namespace orlu
