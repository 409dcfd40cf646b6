#pragma once
// Runs a shell command line, as the tests of the command-line tools do.

#include <string>

namespace orlu::fixture {

/// What a command wrote to its standard output and how it ended.
struct CommandRun {
    int status = -1; ///< the exit status; -1 when it did not start or did not exit
    std::string out;
};

/// Runs the command line through the shell and reads all it writes to standard output.
CommandRun RunCommand(const std::string& command);

} // namespace orlu::fixture
