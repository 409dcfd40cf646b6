#include "platform/FileIo.h"

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
    std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        SetError(error, "cannot create a file in", folder, errno);
        return false;
    }
    auto fail = [&](const char* what) {
        int err = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        SetError(error, what, path, err);
        return false;
    };
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail("cannot write");
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // mkstemp creates the file 0600; a saved file gets the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0)
        return fail("cannot write");
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(pattern.c_str());
        SetError(error, "cannot write", path, err);
        return false;
    }
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(pattern.c_str());
        SetError(error, "cannot replace", path, err);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text, std::string* error)
{
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

} // namespace orlu
