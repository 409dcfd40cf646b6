#include "platform/Archive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace orlu {
namespace {

[[noreturn]] void ThrowErrno(const char* what, const std::filesystem::path& path)
{
    throw ArchiveError(std::string(what) + " " + path.string() + ": " + std::strerror(errno));
}

std::string NotRegularFile(const std::filesystem::path& path, bool directory)
{
    return path.string() + (directory ? " is a directory" : " is not a regular file");
}

} // namespace

Archive::Archive(std::filesystem::path path, bool loading) : m_Path(std::move(path)), m_Loading(loading) {}

std::string Archive::WhyNotLoadable(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error); // follows links to what they name
    if (error)
        return "cannot open " + path.string() + ": " + error.message();
    if (!fs::is_regular_file(status))
        return NotRegularFile(path, fs::is_directory(status));
    return {};
}

Archive Archive::ForLoading(const std::filesystem::path& path)
{
    if (const std::string refusal = WhyNotLoadable(path); !refusal.empty())
        throw ArchiveError(refusal);
    Archive archive(path, true);
    archive.m_Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (archive.m_Fd < 0)
        ThrowErrno("cannot open", path);
    struct stat st {};
    if (::fstat(archive.m_Fd, &st) != 0)
        ThrowErrno("cannot read", path);
    // The name may have been given to another file since its type was looked at.
    if (!S_ISREG(st.st_mode))
        throw ArchiveError(NotRegularFile(path, S_ISDIR(st.st_mode)));
    archive.m_FileLength = static_cast<std::uint64_t>(st.st_size);
    archive.m_Buffer.reset(new std::uint8_t[kBufferSize]);
    archive.m_Next = archive.m_End = archive.m_Buffer.get();
    return archive;
}

Archive Archive::ForStoring(const std::filesystem::path& path)
{
    return Archive(path, false);
}

Archive::Archive(Archive&& other) noexcept
    : m_Path(std::move(other.m_Path)), m_Loading(other.m_Loading), m_Fd(std::exchange(other.m_Fd, -1)),
      m_FileLength(other.m_FileLength), m_FilePos(other.m_FilePos), m_Buffer(std::move(other.m_Buffer)),
      m_Next(other.m_Next), m_End(other.m_End), m_Stored(std::move(other.m_Stored))
{
}

Archive& Archive::operator=(Archive&& other) noexcept
{
    if (this != &other) {
        if (m_Fd >= 0)
            ::close(m_Fd);
        m_Path = std::move(other.m_Path);
        m_Loading = other.m_Loading;
        m_Fd = std::exchange(other.m_Fd, -1);
        m_FileLength = other.m_FileLength;
        m_FilePos = other.m_FilePos;
        m_Buffer = std::move(other.m_Buffer);
        m_Next = other.m_Next;
        m_End = other.m_End;
        m_Stored = std::move(other.m_Stored);
    }
    return *this;
}

Archive::~Archive()
{
    if (m_Fd >= 0)
        ::close(m_Fd);
}

std::size_t Archive::Refill()
{
    for (;;) {
        ssize_t n = ::read(m_Fd, m_Buffer.get(), kBufferSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowErrno("cannot read", m_Path);
        m_Next = m_Buffer.get();
        m_End = m_Next + n;
        m_FilePos += static_cast<std::uint64_t>(n);
        return static_cast<std::size_t>(n);
    }
}

std::size_t Archive::Read(void* dst, std::size_t n)
{
    auto* out = static_cast<std::uint8_t*>(dst);
    std::size_t done = 0;
    while (done < n) {
        if (m_Next == m_End && Refill() == 0)
            break;
        std::size_t take = std::min<std::size_t>(n - done, static_cast<std::size_t>(m_End - m_Next));
        std::memcpy(out + done, m_Next, take);
        m_Next += take;
        done += take;
    }
    return done;
}

bool Archive::ReadByte(std::uint8_t& value)
{
    if (m_Next == m_End && Refill() == 0)
        return false;
    value = *m_Next++;
    return true;
}

bool Archive::ReadLe32(std::uint32_t& value)
{
    std::uint8_t b[4];
    if (Read(b, 4) != 4)
        return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

void Archive::SeekTo(std::uint64_t offset)
{
    if (::lseek(m_Fd, static_cast<off_t>(offset), SEEK_SET) < 0)
        ThrowErrno("cannot seek in", m_Path);
    m_FilePos = offset;
    m_Next = m_End = m_Buffer.get();
}

void Archive::Write(std::span<const std::uint8_t> bytes)
{
    m_Stored.insert(m_Stored.end(), bytes.begin(), bytes.end());
}

void Archive::WriteLe16(std::uint16_t value)
{
    m_Stored.push_back(static_cast<std::uint8_t>(value));
    m_Stored.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Archive::WriteLe32(std::uint32_t value)
{
    WriteLe16(static_cast<std::uint16_t>(value));
    WriteLe16(static_cast<std::uint16_t>(value >> 16));
}

} // namespace orlu
