// Fuzz target of the settings file: the bytes are read as a profile and
// written back; that file is read and written again. The two written files
// must be the same bytes: what the program saves at exit it must find again,
// key by key, at the next start.

#include "platform/IniProfile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using orlu::IniProfile;

// A folder of this process for the profile files, in memory where the system
// offers it (each save syncs its file); removed at exit.
const std::filesystem::path& WorkFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        auto path = base / ("orlu-ini-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] { std::filesystem::remove_all(WorkFolder()); });
        return path;
    }();
    return folder;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path input = WorkFolder() / "input.ini";
    const std::filesystem::path first = WorkFolder() / "first.ini";
    const std::filesystem::path second = WorkFolder() / "second.ini";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    IniProfile read(input);
    read.Load();
    read.SetPath(first);
    if (!read.Save())
        std::abort();

    IniProfile reread(first);
    reread.Load();
    reread.SetPath(second);
    if (!reread.Save())
        std::abort();
    // Written, read and written again: the same bytes.
    if (ReadAll(first) != ReadAll(second))
        std::abort();
    return 0;
}
