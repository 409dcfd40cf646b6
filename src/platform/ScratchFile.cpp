#include "platform/ScratchFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace orlu {
namespace {

std::filesystem::path TemporaryFolder()
{
    if (const char* folder = std::getenv("TMPDIR"); folder && *folder)
        return folder;
    return "/tmp";
}

// Repeats a pread or pwrite until all bytes have gone: either may stop short
// or be interrupted. False when the file ends or the call fails.
template <typename Byte, typename Transfer>
bool TransferAll(Byte* p, std::size_t left, std::uint64_t offset, Transfer transfer)
{
    auto at = static_cast<off_t>(offset);
    while (left > 0) {
        ssize_t n = transfer(p, left, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        at += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<ScratchFile> ScratchFile::Create(std::string* error)
{
    std::string pattern = (TemporaryFolder() / "NEWXXXXXX").string();
    // mkstemp creates the file exclusively (O_EXCL, mode 0600): no other file
    // of that name, and no link planted in a shared folder, is ever opened.
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = "cannot create a scratch file in " + TemporaryFolder().string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return ScratchFile(fd, pattern);
}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept
    : m_Fd(std::exchange(other.m_Fd, -1)), m_Path(std::move(other.m_Path))
{
    other.m_Path.clear();
}

ScratchFile& ScratchFile::operator=(ScratchFile&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_Fd = std::exchange(other.m_Fd, -1);
        m_Path = std::move(other.m_Path);
        other.m_Path.clear();
    }
    return *this;
}

ScratchFile::~ScratchFile()
{
    Remove();
}

void ScratchFile::Remove() noexcept
{
    if (m_Fd >= 0) {
        ::close(m_Fd);
        ::unlink(m_Path.c_str());
    }
    m_Fd = -1;
    m_Path.clear();
}

bool ScratchFile::WriteDoubles(std::uint64_t offset, std::span<const double> values)
{
    return TransferAll(reinterpret_cast<const char*>(values.data()), values.size_bytes(), offset,
                       [this](const char* p, std::size_t n, off_t at) { return ::pwrite(m_Fd, p, n, at); });
}

bool ScratchFile::ReadDoubles(std::uint64_t offset, std::span<double> values) const
{
    return TransferAll(reinterpret_cast<char*>(values.data()), values.size_bytes(), offset,
                       [this](char* p, std::size_t n, off_t at) { return ::pread(m_Fd, p, n, at); });
}

std::optional<double> ScratchFile::ReadDouble(std::uint64_t offset) const
{
    double value = 0;
    if (!ReadDoubles(offset, {&value, 1}))
        return std::nullopt;
    return value;
}

bool ScratchFile::Resize(std::uint64_t bytes)
{
    if (m_Fd < 0)
        return false;
    int result;
    do
        result = ::ftruncate(m_Fd, static_cast<off_t>(bytes));
    while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace orlu
