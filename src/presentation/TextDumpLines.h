#pragma once
// The Hexa form of a text document: two heading lines, then a line per 16
// bytes with the offset in six digits, the bytes in four groups and the
// bytes as characters. Each line is made when asked for, so a dump of a
// large file costs no memory of its own.

#include "document/LineSource.h"

#include <memory>
#include <string>

namespace orlu {

class TextDumpLines : public LineSource {
public:
    explicit TextDumpLines(std::shared_ptr<const std::string> bytes) : m_Bytes(std::move(bytes)) {}

    std::size_t LineCount() const override;
    std::string_view Line(std::size_t i, std::string& buffer) const override;

    /// The widest line with its CR LF: a heading line, or a line of a file past 16 MB.
    int Widest() const;

    static constexpr std::string_view kHeading =
        "Offset   0  1  2  3   4  5  6  7   8  9  A  B   C  D  E  F   0123456789ABCDEF";
    static constexpr std::string_view kRule =
        "------  -- -- -- --  -- -- -- --  -- -- -- --  -- -- -- --   ----------------";

private:
    std::shared_ptr<const std::string> m_Bytes;
};

} // namespace orlu
