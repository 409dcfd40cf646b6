#pragma once
// Where a renderer that streams its form writes each line as it is made: a
// list the view keeps, packed lines, or standard output, so that a long form
// never needs to be held whole to be written out.

#include <string>

namespace orlu {

class LineSink {
public:
    virtual ~LineSink() = default;

    /// Takes the line (Windows-1252, without CR LF), ends it with CR LF and
    /// leaves `line` empty for the next one.
    virtual void AddLine(std::string& line) = 0;
};

} // namespace orlu
