#pragma once
// The usage text of a tool: on standard output when asked for (status 0),
// else on standard error after a wrong command line (status 2).

#include <cstdio>

namespace orlu::tools {

inline int PrintUsage(const char* usage, bool asked)
{
    std::fputs(usage, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

} // namespace orlu::tools
