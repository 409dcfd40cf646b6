#pragma once
// What the tests of the command-line tools share: where the tools were built,
// scratch names no other test process takes, and reading back what a tool wrote.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace orlu::test {

/// PNG, PDF and bitmaps are painted by the Qt canvas, which a build without
/// the GUI leaves out of the tools; the other formats need no Qt.
#ifdef ORLU_TOOLS_QT
inline constexpr bool kToolsPaintWithQt = true;
#else
inline constexpr bool kToolsPaintWithQt = false;
#endif

/// The folder of the built tools: $ORLU_TOOLS_DIR, as CTest sets it, or the build's own.
inline std::filesystem::path ToolsDir()
{
    const char* env = std::getenv("ORLU_TOOLS_DIR");
    return env ? env : ORLU_BINARY_DIR "/tools";
}

/// A tool's path, ready for a command line.
inline std::string Tool(const char* name)
{
    return (ToolsDir() / name).string();
}

/// stem-PID followed by suffix in the temporary folder: tests running side by
/// side in other processes never take the same name.
inline std::filesystem::path TempPath(const std::string& stem, const std::string& suffix = {})
{
    return std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()) + suffix);
}

/// The bytes of a file; empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The script as one bash command line for RunCommand, its quotes escaped.
inline std::string BashCommand(const std::string& script)
{
    std::string quoted;
    for (char c : script)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return "bash -c '" + quoted + "'";
}

} // namespace orlu::test
