#pragma once
// Helpers of the benchmarks: a user-interaction port that shows nothing, the
// big logger files they read, and the peak resident memory that one run of a
// function adds, measured in a forked child whose high-water mark is reset first.

#include "platform/UserInteraction.h"
#include "support/FixtureBuilder.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace orlu::bench {

class SilentInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        std::fprintf(stderr, "unexpected message: %.*s\n", static_cast<int>(text.size()), text.data());
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::No; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::No; }
};

/// Writes a record chain in a container of the given kind.
inline void WriteContainer(const std::filesystem::path& path, std::uint8_t kind, const std::vector<std::uint8_t>& chain)
{
    fixture::FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(chain.size())).Bytes(chain);
    f.WriteTo(path);
}

/// The terminal end of a simulator's pseudo-terminal opened raw, its input flushed: the
/// line a plain read or write loop beside the program's port uses. -1 when it cannot be opened.
inline int OpenRawTerminal(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return fd;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    tcflush(fd, TCIFLUSH);
    return fd;
}

inline long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, n, field) == 0)
            return std::stol(line.substr(n + 1));
    return -1;
}

// Peak resident memory added by one run of `run`, in bytes; -1 when it cannot
// be measured or the run fails.
inline double PeakMemoryOf(const std::function<bool()>& run)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        long delta = -1;
        ::malloc_trim(0); // memory the parent freed must not be counted as reused for free
        if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", clear); // resets VmHWM to the current resident size
            std::fclose(clear);
            long before = StatusKb("VmRSS:");
            if (run())
                delta = (StatusKb("VmHWM:") - before) * 1024;
        }
        [[maybe_unused]] ssize_t w = ::write(fds[1], &delta, sizeof delta);
        ::_exit(0);
    }
    ::close(fds[1]);
    long delta = -1;
    if (::read(fds[0], &delta, sizeof delta) != sizeof delta)
        delta = -1;
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    return static_cast<double>(delta);
}

} // namespace orlu::bench
