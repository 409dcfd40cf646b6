#pragma once
// A file written piece by piece under a temporary name beside its target and
// renamed over the target only once every write, the sync and the close
// succeeded. Until then (or when it is discarded) the earlier file of that
// name stays as it was.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orlu {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() { Discard(); }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    /// Creates the temporary file; false (with the reason) when it cannot.
    bool Open(const std::filesystem::path& target, std::string* error = nullptr);
    /// Buffered; false once a write failed.
    bool Write(std::span<const std::uint8_t> bytes);
    /// Flushes, syncs, closes and renames over the target. False (with the
    /// reason) when any step fails: the temporary file is then removed.
    bool Commit(std::string* error = nullptr);
    /// Removes the temporary file; the target is untouched.
    void Discard();
    bool IsOpen() const { return m_Fd >= 0; }

private:
    bool Flush();

    int m_Fd = -1;
    std::filesystem::path m_Target;
    std::string m_TempPath;
    std::vector<std::uint8_t> m_Buffer;
    bool m_Failed = false;
    int m_Errno = 0;
};

} // namespace orlu
