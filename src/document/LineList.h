#pragma once
// The lines of a text or table form. Renderers append to it, views show,
// copy, print and save it. Every line keeps its own CR LF (unless left open
// for AppendToLastLine), so the lines can be written out one after the other.
// Lines are Windows-1252 bytes.
//
// The text of the lines is packed in blocks, one after the other, and each
// line is a view into its block: a table of a million rows costs its text
// and a view a line, not a heap block and a string object each. Blocks never
// move, so the views stay valid until the list is cleared.
//
// Clearing keeps the blocks (as a vector keeps its capacity), so that a form
// rebuilt into the same list writes into memory already mapped; it gives back
// only the blocks the cleared text did not reach. Once a build is done,
// ReleaseSpare gives back what it left unused, so a short text that follows a
// long table does not keep the table's memory.
//
// Along with the list the caller keeps a widest-line counter: it only grows,
// to the longest line stored (CR LF included when the line has it), and gives
// the views their horizontal scroll range.
//
// The append operations take the caller's line and leave it empty, stored or
// not, so a renderer can build its next line in the same string. When memory
// runs out, the line is not stored, the counter is unchanged, the operation
// returns false and, when the list was given a user interaction, the message
// "Not enough memory to load entire file" is shown (once per failing line).

#include "document/LineSink.h"
#include "document/LineSource.h"
#include "platform/UserInteraction.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class LineList : public LineSource {
public:
    /// A list that reports memory failures through ui (none: reported only by the results).
    explicit LineList(UserInteraction* ui = nullptr) : m_Ui(ui) {}

    void SetInteraction(UserInteraction* ui) { m_Ui = ui; }

    std::size_t Size() const { return m_Lines.size(); }
    bool Empty() const { return m_Lines.empty(); }
    /// Makes room for n lines in all (a hint: false when the memory cannot be had).
    bool Reserve(std::size_t n);
    /// Line i with its CR LF, if it has one.
    std::string_view operator[](std::size_t i) const { return m_Lines[i]; }
    std::size_t LineCount() const override { return m_Lines.size(); }
    std::string_view Line(std::size_t i, std::string&) const override { return m_Lines[i]; }
    auto begin() const { return m_Lines.begin(); }
    auto end() const { return m_Lines.end(); }
    /// The whole text: the lines one after the other.
    std::string Join() const;
    /// Characters the text blocks hold, written or kept for the next lines.
    std::size_t TextCapacity() const;
    /// Gives back the blocks and line entries the lines do not use (all of them when empty).
    void ReleaseSpare();

    friend bool AddLine(LineList& list, std::string& line, int* widest);
    friend bool AddUnterminatedLine(LineList& list, std::string& line, int* widest);
    friend bool AppendToLastLine(LineList& list, std::string& text, bool addCrLf, int* widest);
    friend void ClearLineList(LineList* list);

    /// Room to write a line of up to `most` characters and its CR LF straight into the
    /// list; nullptr (reported) when memory ran out. EndLine stores what was written.
    char* BeginLine(std::size_t most);
    /// Stores the line written from BeginLine's room up to `end`, with CR LF appended.
    void EndLine(const char* end, int* widest);

private:
    /// Stores the line (with CR LF when asked) and empties it; false when memory ran out.
    bool Store(std::string& line, bool addCrLf, int* widest);
    /// Room for n more characters at the end of the current block, going on to the next
    /// block (kept or new, of blockAtLeast characters or more) when they do not fit there;
    /// throws std::bad_alloc.
    char* Room(std::size_t n, std::size_t blockAtLeast = 0);
    /// Makes sure the next line has its entry, so that storing it cannot fail after its text is written.
    void RoomForLine();
    bool ReportNoMemory() const;

    struct Block {
        std::unique_ptr<char[]> Text;
        std::size_t Size;
    };

    std::vector<std::string_view> m_Lines;
    std::vector<Block> m_Blocks;      ///< those holding the lines, then those kept for reuse
    std::size_t m_BlocksInUse = 0;    ///< the first blocks, the last of which is being written
    char* m_Block = nullptr;          ///< the text of the block being written
    std::size_t m_BlockSize = 0;      ///< of the block being written
    std::size_t m_BlockUsed = 0;      ///< characters written into it
    UserInteraction* m_Ui = nullptr;
};

/// A list as the sink of a streamed form, raising the caller's widest-line counter.
class LineListSink : public LineSink {
public:
    LineListSink(LineList& lines, int* widest) : m_Lines(lines), m_Widest(widest) {}
    void AddLine(std::string& line) override;

private:
    LineList& m_Lines;
    int* m_Widest;
};

/// Stores the line with CR LF appended and empties it; false when memory ran out.
bool AddLine(LineList& list, std::string& line, int* widest);
/// As AddLine; the second string is only emptied.
bool AddLineEx(LineList& list, std::string& line, int* widest, std::string& second);
/// Stores the line without CR LF (to be completed by AppendToLastLine) and empties it.
bool AddUnterminatedLine(LineList& list, std::string& line, int* widest);
/// Appends the text (and CR LF when asked) to the last line and empties the text.
/// On an empty list the text starts the first line.
bool AppendToLastLine(LineList& list, std::string& text, bool addCrLf, int* widest);
/// Removes every line, keeping the blocks the lines filled for the next ones; a null list is left alone.
void ClearLineList(LineList* list);

} // namespace orlu
