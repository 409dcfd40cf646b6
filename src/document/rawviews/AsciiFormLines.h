#pragma once
// View ASCII of a document, its lines made when asked for. The form of a
// large logger is several times the file's size, so it is not kept: one walk
// (the long build, with progress and Cancel) counts the lines, finds the
// widest and marks every kLinesPerMark lines where the walk can be taken up
// again. A line asked for is made by taking the walk up at the mark before it
// and writing the lines up to the next mark; the last few such blocks are
// kept, so that painting a page or scrolling walks each block once.
//
// The lines are those WriteAsciiForm writes, byte for byte. They read the
// document's image at every block, as the hex dump does: a document changed
// under the view gives lines cut short, never a read past its image.

#include "document/LineSource.h"
#include "document/rawviews/AsciiFormWalk.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;
class ProgressState;
class UserInteraction;

class AsciiFormLines : public LineSource {
public:
    /// Lines between two marks: what is made at once when one of them is asked for.
    static constexpr std::size_t kLinesPerMark = 1024;
    /// Blocks of lines kept once made.
    static constexpr std::size_t kCachedBlocks = 8;

    /// Walks the whole form once. A broken chain is reported through `ui`;
    /// with a progress state it reports the bytes walked and stops with
    /// OperationCancelled when asked to.
    AsciiFormLines(const CTmDoc& doc, UserInteraction& ui, ProgressState* progress);

    std::size_t LineCount() const override { return m_LineCount; }
    std::string_view Line(std::size_t i, std::string& buffer) const override;

    /// The longest line, CR LF included.
    int Widest() const { return m_Widest; }

private:
    struct Block {
        std::size_t mark = 0;
        std::string text;                  ///< its lines with their CR LFs
        std::vector<std::uint32_t> starts; ///< each line's start in the text
    };
    std::shared_ptr<const Block> BlockOf(std::size_t mark) const;
    std::shared_ptr<const Block> MakeBlock(std::size_t mark) const;

    const CTmDoc& m_Doc;
    std::string m_Caption;
    std::vector<AsciiFormWalk::Mark> m_Marks; ///< the first is the start of the walk
    std::size_t m_LineCount = 0;
    int m_Widest = 0;

    mutable std::mutex m_CacheMutex;
    mutable std::vector<std::shared_ptr<const Block>> m_Cache; ///< the most recently used last
};

} // namespace orlu
