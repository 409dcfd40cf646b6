#pragma once
// The lines a view shows, copies, prints and saves, asked for one at a time:
// a LineList holds them all; other sources keep them packed or make each
// line when it is asked for (the hex dump, a pure function of its offset),
// so a form of a large file need not exist as a list of strings.
//
// Lines are Windows-1252 bytes, each with its CR LF as a LineList keeps it.

#include <cstddef>
#include <string>
#include <string_view>

namespace orlu {

class LineSource {
public:
    virtual ~LineSource() = default;

    virtual std::size_t LineCount() const = 0;
    /// Line i (below LineCount) with its CR LF. The text lies in the source
    /// or in `buffer`; it stays valid until the buffer or the source changes.
    virtual std::string_view Line(std::size_t i, std::string& buffer) const = 0;
};

} // namespace orlu
