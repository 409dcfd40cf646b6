#include "platform/AtomicFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orlu {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

void SetError(std::string* error, const std::string& what, const std::filesystem::path& path, int err)
{
    if (error)
        *error = what + " " + path.string() + ": " + std::strerror(err);
}

} // namespace

bool AtomicFileWriter::Open(const std::filesystem::path& target, std::string* error)
{
    Discard();
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    m_TempPath = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    m_Fd = ::mkstemp(m_TempPath.data());
    if (m_Fd < 0) {
        SetError(error, "cannot create a file in", folder, errno);
        m_TempPath.clear();
        return false;
    }
    m_Target = target;
    m_Buffer.clear();
    m_Buffer.reserve(kBufferSize);
    m_Failed = false;
    return true;
}

bool AtomicFileWriter::Flush()
{
    const std::uint8_t* p = m_Buffer.data();
    std::size_t left = m_Buffer.size();
    while (left > 0 && !m_Failed) {
        const ssize_t n = ::write(m_Fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_Failed = true;
            m_Errno = n < 0 ? errno : EIO;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    m_Buffer.clear();
    return !m_Failed;
}

bool AtomicFileWriter::Write(std::span<const std::uint8_t> bytes)
{
    if (m_Fd < 0 || m_Failed)
        return false;
    if (m_Buffer.size() + bytes.size() > kBufferSize && !Flush())
        return false;
    if (bytes.size() >= kBufferSize) {
        m_Buffer.assign(bytes.begin(), bytes.end());
        return Flush();
    }
    m_Buffer.insert(m_Buffer.end(), bytes.begin(), bytes.end());
    return true;
}

bool AtomicFileWriter::Commit(std::string* error)
{
    if (m_Fd < 0)
        return false;
    auto fail = [&](const char* what, int err) {
        SetError(error, what, m_Target, err);
        Discard();
        return false;
    };
    if (!Flush())
        return fail("cannot write", m_Errno);
    // mkstemp creates the file 0600; a saved file gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_Fd, 0666 & ~mask);
    if (::fsync(m_Fd) != 0)
        return fail("cannot write", errno);
    const int fd = m_Fd;
    m_Fd = -1;
    if (::close(fd) != 0)
        return fail("cannot write", errno);
    if (::rename(m_TempPath.c_str(), m_Target.c_str()) != 0)
        return fail("cannot replace", errno);
    m_TempPath.clear();
    return true;
}

void AtomicFileWriter::Discard()
{
    if (m_Fd >= 0)
        ::close(m_Fd);
    m_Fd = -1;
    if (!m_TempPath.empty())
        ::unlink(m_TempPath.c_str());
    m_TempPath.clear();
    m_Buffer.clear();
}

} // namespace orlu
