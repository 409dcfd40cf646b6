#pragma once
// The lines of a long form kept packed: the text of many lines one after the
// other in large blocks, and one 32-bit start per line. A form of millions of
// short lines costs its text and four bytes a line, where a list of strings
// would cost a heap block and a string object each.
//
// Lines are filled through the LineSink side (the form's renderer, maybe on a
// worker thread) and read through the LineSource side once the form is built.

#include "document/LineSink.h"
#include "document/LineSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orlu {

class PackedLines : public LineSource, public LineSink {
public:
    /// Text bytes a block is made for (one huge page); a longer line gets a block of its own size.
    static constexpr std::size_t kBlockBytes = 2u << 20;

    void AddLine(std::string& line) override;

    std::size_t LineCount() const override { return m_Starts.size(); }
    std::string_view Line(std::size_t i, std::string& buffer) const override;

    /// The longest line, CR LF included.
    int Widest() const { return m_Widest; }
    /// Bytes of text held (CR LFs included).
    std::uint64_t TextBytes() const { return m_TextBytes; }

private:
    struct FreeText {
        void operator()(char* text) const;
    };
    struct Block {
        std::unique_ptr<char[], FreeText> text;
        std::uint32_t capacity = 0;
        std::uint32_t used = 0;
        std::size_t firstLine = 0; ///< the index of its first line
    };
    const Block& BlockOf(std::size_t line) const;

    std::vector<Block> m_Blocks;
    std::vector<std::uint32_t> m_Starts; ///< each line's start in its block
    int m_Widest = 0;
    std::uint64_t m_TextBytes = 0;
};

} // namespace orlu
