#pragma once
// A scratch file for tables too large to keep in memory: a new file with a
// unique name starting with "NEW" in the system temporary folder ($TMPDIR,
// else /tmp), created so that no other file can be taken over, and removed
// when the object goes away, also when an error or exception unwinds.
// Doubles are stored in host order at the byte offsets the caller chooses;
// every read and write is checked.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace orlu {

class ScratchFile {
public:
    /// A new empty scratch file, or nothing (error gets the reason).
    static std::optional<ScratchFile> Create(std::string* error = nullptr);

    ScratchFile(ScratchFile&& other) noexcept;
    ScratchFile& operator=(ScratchFile&& other) noexcept;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile();

    const std::filesystem::path& Path() const { return m_Path; }

    /// Writes the values from the byte offset on; false when not all were written.
    bool WriteDoubles(std::uint64_t offset, std::span<const double> values);
    /// Reads values from the byte offset on; false when the file ends before them.
    bool ReadDoubles(std::uint64_t offset, std::span<double> values) const;
    bool WriteDouble(std::uint64_t offset, double value) { return WriteDoubles(offset, {&value, 1}); }
    std::optional<double> ReadDouble(std::uint64_t offset) const;
    /// Sets the file's length in bytes (a longer file reads as zeros past its data);
    /// false when the file system refuses it.
    bool Resize(std::uint64_t bytes);

private:
    ScratchFile(int fd, std::filesystem::path path) : m_Fd(fd), m_Path(std::move(path)) {}
    void Remove() noexcept;

    int m_Fd = -1;
    std::filesystem::path m_Path;
};

} // namespace orlu
