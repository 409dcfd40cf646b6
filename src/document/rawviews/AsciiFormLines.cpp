#include "document/rawviews/AsciiFormLines.h"

#include <algorithm>

namespace orlu {
namespace {

/// Counts the lines of the first walk and finds the widest.
class CountingSink : public LineSink {
public:
    void AddLine(std::string& line) override
    {
        widest = std::max(widest, static_cast<int>(line.size()) + 2);
        ++lines;
        line.clear();
    }
    std::size_t lines = 0;
    int widest = 0;
};

/// Thrown when a block has all its lines: it ends the walk taken up for it.
struct BlockFull {};

/// Keeps the lines of one block, up to `count` of them.
class BlockSink : public LineSink {
public:
    BlockSink(std::string& text, std::vector<std::uint32_t>& starts, std::size_t count)
        : m_Text(text), m_Starts(starts), m_Count(count)
    {
    }
    void AddLine(std::string& line) override
    {
        m_Starts.push_back(static_cast<std::uint32_t>(m_Text.size()));
        m_Text += line;
        m_Text += "\r\n";
        line.clear();
        if (m_Starts.size() == m_Count)
            throw BlockFull();
    }

private:
    std::string& m_Text;
    std::vector<std::uint32_t>& m_Starts;
    std::size_t m_Count;
};

} // namespace

AsciiFormLines::AsciiFormLines(const CTmDoc& doc, UserInteraction& ui, ProgressState* progress) : m_Doc(doc)
{
    AsciiFormWalk walk(doc);
    m_Caption = walk.Caption();
    CountingSink counter;
    std::string caption = m_Caption;
    counter.AddLine(caption);
    m_Marks.emplace_back();
    try {
        walk.Run(m_Marks.front(), counter, &ui, progress, &m_Marks, kLinesPerMark);
    } catch (const ImageRangeError&) {
        // A form that meets the end of a damaged file keeps the lines it wrote.
    }
    m_LineCount = counter.lines;
    m_Widest = counter.widest;
}

std::string_view AsciiFormLines::Line(std::size_t i, std::string& buffer) const
{
    buffer.clear();
    if (i == 0) {
        buffer = m_Caption + "\r\n";
        return buffer;
    }
    if (i >= m_LineCount)
        return buffer;
    const auto after = std::upper_bound(m_Marks.begin(), m_Marks.end(), i,
                                        [](std::size_t line, const AsciiFormWalk::Mark& m) { return line < m.line; });
    const auto mark = static_cast<std::size_t>(after - m_Marks.begin()) - 1;
    const std::shared_ptr<const Block> block = BlockOf(mark);
    const std::size_t k = i - m_Marks[mark].line;
    if (k < block->starts.size()) {
        const std::size_t end = k + 1 < block->starts.size() ? block->starts[k + 1] : block->text.size();
        buffer.assign(block->text, block->starts[k], end - block->starts[k]);
    }
    return buffer;
}

std::shared_ptr<const AsciiFormLines::Block> AsciiFormLines::BlockOf(std::size_t mark) const
{
    const std::lock_guard lock(m_CacheMutex);
    auto it = std::find_if(m_Cache.begin(), m_Cache.end(), [mark](const auto& b) { return b->mark == mark; });
    std::shared_ptr<const Block> block;
    if (it != m_Cache.end()) {
        block = *it;
        m_Cache.erase(it);
    } else {
        block = MakeBlock(mark);
        if (m_Cache.size() == kCachedBlocks)
            m_Cache.erase(m_Cache.begin());
    }
    m_Cache.push_back(block);
    return block;
}

std::shared_ptr<const AsciiFormLines::Block> AsciiFormLines::MakeBlock(std::size_t mark) const
{
    const std::size_t first = m_Marks[mark].line;
    const std::size_t end = mark + 1 < m_Marks.size() ? m_Marks[mark + 1].line : m_LineCount;

    auto block = std::make_shared<Block>();
    block->mark = mark;
    if (end <= first)
        return block;
    BlockSink sink(block->text, block->starts, end - first);
    try {
        AsciiFormWalk(m_Doc).Run(m_Marks[mark], sink, nullptr, nullptr);
    } catch (const BlockFull&) {
        // The block's last line is made: the rest of the walk is another block's.
    } catch (const ImageRangeError&) {
        // The walk met the image's end where the first walk did, or the document changed since.
    }
    return block;
}

} // namespace orlu
