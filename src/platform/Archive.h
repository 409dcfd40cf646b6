#pragma once
// The byte stream a document is loaded from or stored into.
//
// A loading archive reads its file through a buffer of its own, so that a
// loader can pull bytes one page at a time straight into the pages of a file
// image: nothing is read into a second copy of the whole file. Reads return
// how many bytes came; the end of the file is a count short of the request,
// never an exception. A failure of the file itself (a read error) throws
// ArchiveError.
//
// A storing archive collects the bytes in memory; the document writes them
// out in one atomic step, so a failed save leaves the earlier file intact.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlu {

/// A failure of the archive's file other than its end (open, read or seek errors).
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Archive {
public:
    /// Opens path for loading; throws ArchiveError when it cannot be opened.
    static Archive ForLoading(const std::filesystem::path& path);
    /// An archive that stores into memory; path is the file the bytes are meant for.
    static Archive ForStoring(const std::filesystem::path& path);

    Archive(Archive&& other) noexcept;
    Archive& operator=(Archive&& other) noexcept;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    ~Archive();

    bool IsLoading() const { return m_Loading; }
    bool IsStoring() const { return !m_Loading; }

    /// The file's full path.
    const std::filesystem::path& FilePath() const { return m_Path; }
    /// The file's name without its folder, as messages show it.
    std::string FileName() const { return m_Path.filename().string(); }
    /// Loading: the file's length in bytes. Storing: the bytes stored so far.
    std::uint64_t FileLength() const { return m_Loading ? m_FileLength : m_Stored.size(); }

    // Loading.

    /// Reads up to n bytes into dst; returns how many came (fewer only at the end of the file).
    std::size_t Read(void* dst, std::size_t n);
    /// One byte; false at the end of the file.
    bool ReadByte(std::uint8_t& value);
    /// A little-endian 32-bit value; false when the file ends before its four bytes.
    bool ReadLe32(std::uint32_t& value);
    /// The position of the next byte to be read.
    std::uint64_t Position() const { return m_FilePos - (m_End - m_Next); }
    /// The bytes from the read position to the end of the file: the most any length read from it can claim.
    std::uint64_t BytesLeft() const { return m_FileLength - std::min(m_FileLength, Position()); }
    /// Moves the read position to an offset from the start of the file.
    void SeekTo(std::uint64_t offset);

    // Storing.

    void Write(std::span<const std::uint8_t> bytes);
    void WriteByte(std::uint8_t value) { m_Stored.push_back(value); }
    void WriteLe16(std::uint16_t value);
    void WriteLe32(std::uint32_t value);
    /// The bytes stored so far.
    const std::vector<std::uint8_t>& StoredBytes() const { return m_Stored; }

private:
    Archive(std::filesystem::path path, bool loading);
    std::size_t Refill();

    static constexpr std::size_t kBufferSize = 256 * 1024;

    std::filesystem::path m_Path;
    bool m_Loading;
    int m_Fd = -1;
    std::uint64_t m_FileLength = 0;
    std::uint64_t m_FilePos = 0; // file offset just past the buffered bytes
    std::unique_ptr<std::uint8_t[]> m_Buffer;
    const std::uint8_t* m_Next = nullptr;
    const std::uint8_t* m_End = nullptr;
    std::vector<std::uint8_t> m_Stored;
};

} // namespace orlu
