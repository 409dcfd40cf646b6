#pragma once
// The whole text of a form's lines, one after the other, as copy and save
// write them: for comparing a form, whatever keeps its lines, with a text.

#include "document/LineSource.h"

#include <string>

namespace orlu::test {

inline std::string JoinedLines(const LineSource& lines)
{
    std::string text, buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        text += lines.Line(i, buffer);
    return text;
}

} // namespace orlu::test
