#include "support/CommandRun.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace orlu::fixture {

CommandRun RunCommand(const std::string& command)
{
    CommandRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace orlu::fixture
