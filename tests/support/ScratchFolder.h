#pragma once
// A fresh folder that stands in for the system's temporary folder while a
// test runs: $TMPDIR points at it, and is put back, and the folder removed,
// when the object goes. Tests of scratch files count what is left in it.

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <filesystem>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

namespace orlu::test {

class ScratchFolder {
public:
    ScratchFolder()
    {
        if (const char* old = std::getenv("TMPDIR"))
            m_OldTmpDir = old;
        std::string pattern = (std::filesystem::temp_directory_path() / "orlu-scratch-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a folder for the test's scratch files");
        m_Folder = pattern;
        ::setenv("TMPDIR", m_Folder.c_str(), 1);
    }
    ~ScratchFolder()
    {
        if (m_OldTmpDir)
            ::setenv("TMPDIR", m_OldTmpDir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::error_code ignored;
        std::filesystem::remove_all(m_Folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Folder; }

    std::size_t FileCount() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_Folder),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path m_Folder;
    std::optional<std::string> m_OldTmpDir;
};

/// A full disk, whoever runs the test: while the object lives, no file of the
/// process grows past the given size, and a write past it fails instead of
/// raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &m_Old) != 0)
            throw std::runtime_error("cannot read the file size limit");
        m_OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_Old;
        small.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
            throw std::runtime_error("cannot set the file size limit");
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_Old);
        std::signal(SIGXFSZ, m_OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_Old{};
    void (*m_OldHandler)(int) = nullptr;
};

} // namespace orlu::test
