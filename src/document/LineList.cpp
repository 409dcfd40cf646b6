#include "document/LineList.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kNoMemoryText = "Not enough memory to load entire file";
constexpr std::size_t kFirstBlockBytes = 1024;
constexpr std::size_t kBlockDoublings = 10; // blocks of 1 MB from the eleventh on
constexpr std::size_t kFirstLines = 16;

void RaiseWidest(int* widest, std::size_t length)
{
    int width = static_cast<int>(std::min<std::size_t>(length, INT_MAX));
    if (widest && width > *widest)
        *widest = width;
}

} // namespace

std::string LineList::Join() const
{
    std::size_t total = 0;
    for (std::string_view line : m_Lines)
        total += line.size();
    std::string text;
    text.reserve(total);
    for (std::string_view line : m_Lines)
        text += line;
    return text;
}

std::size_t LineList::TextCapacity() const
{
    std::size_t total = 0;
    for (const Block& block : m_Blocks)
        total += block.Size;
    return total;
}

void LineList::ReleaseSpare()
{
    m_Blocks.erase(m_Blocks.begin() + static_cast<std::ptrdiff_t>(m_BlocksInUse), m_Blocks.end());
    // Entries grow by doubling, so a list filled by its own appends holds at most
    // twice its lines; more is left from a longer text before.
    if (m_Lines.capacity() > 2 * m_Lines.size() + kFirstLines)
        m_Lines.shrink_to_fit();
}

bool LineList::Reserve(std::size_t n)
{
    try {
        m_Lines.reserve(n);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LineList::ReportNoMemory() const
{
    if (m_Ui)
        m_Ui->ShowMessage(kNoMemoryText, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

char* LineList::Room(std::size_t n, std::size_t blockAtLeast)
{
    if (m_BlocksInUse > 0 && m_BlockSize - m_BlockUsed >= n)
        return m_Block + m_BlockUsed;
    const std::size_t least = std::max(n, blockAtLeast);
    if (m_BlocksInUse < m_Blocks.size() && m_Blocks[m_BlocksInUse].Size >= least) {
        // a block kept from the text before
    } else {
        // Blocks grow from a few pages, so that a short form stays small, to a size
        // whose unused tail is lost in the text of a long one. A kept block too small
        // for the line is given back for a new one, so the blocks stay in writing order.
        const std::size_t next = kFirstBlockBytes << std::min(m_BlocksInUse, kBlockDoublings);
        const std::size_t size = std::max(least, next);
        Block block{std::make_unique_for_overwrite<char[]>(size), size};
        if (m_BlocksInUse < m_Blocks.size())
            m_Blocks[m_BlocksInUse] = std::move(block);
        else
            m_Blocks.push_back(std::move(block));
    }
    const Block& block = m_Blocks[m_BlocksInUse++];
    m_Block = block.Text.get();
    m_BlockSize = block.Size;
    m_BlockUsed = 0;
    return m_Block;
}

void LineList::RoomForLine()
{
    if (m_Lines.size() == m_Lines.capacity())
        m_Lines.reserve(std::max<std::size_t>(kFirstLines, 2 * m_Lines.capacity()));
}

bool LineList::Store(std::string& line, bool addCrLf, int* widest)
{
    const std::size_t size = line.size() + (addCrLf ? kCrLf.size() : 0);
    char* to = nullptr;
    try {
        RoomForLine();
        to = Room(size);
    } catch (const std::bad_alloc&) {
        line.clear();
        return ReportNoMemory();
    }
    std::memcpy(to, line.data(), line.size());
    if (addCrLf)
        std::memcpy(to + line.size(), kCrLf.data(), kCrLf.size());
    m_BlockUsed += size;
    m_Lines.emplace_back(to, size);
    RaiseWidest(widest, size);
    line.clear();
    return true;
}

char* LineList::BeginLine(std::size_t most)
{
    try {
        RoomForLine();
        return Room(most + kCrLf.size());
    } catch (const std::bad_alloc&) {
        ReportNoMemory();
        return nullptr;
    }
}

void LineList::EndLine(const char* end, int* widest)
{
    char* const start = m_Block + m_BlockUsed;
    const auto size = static_cast<std::size_t>(end - start) + kCrLf.size();
    std::memcpy(start + size - kCrLf.size(), kCrLf.data(), kCrLf.size());
    m_BlockUsed += size;
    m_Lines.emplace_back(start, size);
    RaiseWidest(widest, size);
}

bool AddLine(LineList& list, std::string& line, int* widest)
{
    return list.Store(line, true, widest);
}

bool AddLineEx(LineList& list, std::string& line, int* widest, std::string& second)
{
    second.clear();
    return AddLine(list, line, widest);
}

bool AddUnterminatedLine(LineList& list, std::string& line, int* widest)
{
    return list.Store(line, false, widest);
}

bool AppendToLastLine(LineList& list, std::string& text, bool addCrLf, int* widest)
{
    if (list.m_Lines.empty())
        return list.Store(text, addCrLf, widest); // nothing to append to: the text starts the first line
    std::string_view& last = list.m_Lines.back();
    const std::size_t added = text.size() + (addCrLf ? kCrLf.size() : 0);
    char* to = nullptr;
    try {
        // The last line grows in place while it ends its block's text and fits;
        // otherwise it moves to a block with room to grow, so that long rows built
        // piece by piece are not copied over and over. A failure leaves it as it was.
        const char* blockEnd = list.m_Block + list.m_BlockUsed;
        if (last.data() + last.size() == blockEnd && list.m_BlockSize - list.m_BlockUsed >= added) {
            to = list.m_Block + list.m_BlockUsed - last.size();
        } else {
            const std::size_t needed = last.size() + added;
            to = list.Room(needed, 2 * needed);
            std::memcpy(to, last.data(), last.size());
        }
    } catch (const std::bad_alloc&) {
        text.clear();
        return list.ReportNoMemory();
    }
    char* at = to + last.size();
    std::memcpy(at, text.data(), text.size());
    if (addCrLf)
        std::memcpy(at + text.size(), kCrLf.data(), kCrLf.size());
    list.m_BlockUsed = static_cast<std::size_t>(at + added - list.m_Block);
    last = std::string_view(to, last.size() + added);
    RaiseWidest(widest, last.size());
    text.clear();
    return true;
}

void LineListSink::AddLine(std::string& line)
{
    orlu::AddLine(m_Lines, line, m_Widest);
}

void ClearLineList(LineList* list)
{
    if (list) {
        // The blocks the text filled are kept for the next text, which is most
        // often the same form built again (and the pages it writes are then
        // mapped already); those it did not reach are given back, so a list
        // keeps no more than its last text needed.
        list->ReleaseSpare();
        list->m_Lines.clear();
        list->m_BlocksInUse = 0;
        list->m_Block = nullptr;
        list->m_BlockSize = 0;
        list->m_BlockUsed = 0;
    }
}

} // namespace orlu
