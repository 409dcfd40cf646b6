#pragma once
// Writing the records of an instrument file as items of text: the lines of
// the ASCII form. Items are appended to the current line; a line is complete
// when it holds 16 items or 78 characters, or when a code breaks it, and is
// added to the list when the next item comes, so that the end of a record can
// still turn its last "," into ";". Each record is followed by an empty line
// unless its string ended on code 98.

#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

class LineSink;
class ProgressState;

/// Items into lines.
class AsciiLineWriter {
public:
    /// The line being made and how it stands: all a writer carries from one item to the next.
    struct Pending {
        std::string line;
        int items = 0;
        bool breakPending = false;
    };

    explicit AsciiLineWriter(LineSink& out) : m_Out(&out) {}

    /// Appends one item (its separator included).
    void Item(std::string_view text);
    /// Ends the current line before the next item.
    void Break() { m_BreakPending = !m_Line.empty(); }
    /// Ends a record: its last "," (before any trailing blanks) becomes ";",
    /// the line is added, and an empty line follows when asked.
    void EndRecord(bool emptyLine);
    /// Adds the current line as it is, then a line of its own.
    void Line(std::string text);

    Pending Save() const { return {m_Line, m_Items, m_BreakPending}; }
    void Restore(const Pending& pending)
    {
        m_Line = pending.line;
        m_Items = pending.items;
        m_BreakPending = pending.breakPending;
    }

private:
    void Flush();

    LineSink* m_Out;
    std::string m_Line;
    int m_Items = 0;
    bool m_BreakPending = false;
};

/// Where a walk through buffer data may be left and taken up again, so that
/// the lines of a long form can be made again from the middle of its data.
class BufferDataStops {
public:
    virtual ~BufferDataStops() = default;
    /// On entering buffer data at `wordIndex`: the word to write from, which is
    /// `wordIndex` unless the walk is taken up again at a later step (the
    /// writer's pending line then restored as it was there).
    virtual std::uint32_t Enter(std::uint32_t wordIndex, AsciiLineWriter& out) = 0;
    /// Before the step (row, marker or sample pair) at word `p`, which is not the end word.
    virtual void Step(std::uint32_t p, const AsciiLineWriter& out) = 0;
};

/// What the field codes read of the document.
struct FieldWalkContext {
    ImageReader image;
    std::uint16_t firmware = 0;       ///< x 100 (rotation speeds)
    bool hundredths = false;          ///< levels in 0.01 dB (code 105)
    std::uint16_t channelFunction = 0; ///< of the current channel (code 51)
    std::uint32_t rowLength = 0;      ///< words per buffer row; 0 unknown
    std::uint32_t rpmWord = UINT32_MAX; ///< word of a row holding a rotation speed pair
    bool waveform = false;            ///< buffer data are 24-bit samples
    ProgressState* progress = nullptr; ///< told the bytes walked through buffer data; may cancel the walk
    BufferDataStops* stops = nullptr;  ///< told where the walk through buffer data may be taken up again
};

/// Writes the record at wordIndex (ending, as its chain gives it, at recordEnd)
/// by its codes and moves wordIndex past it, and past the buffer data that
/// codes 107 and 119 write.
void FormatRecordFields(const FieldWalkContext& ctx, AsciiLineWriter& out, std::span<const std::uint8_t> codes,
                        std::uint32_t& wordIndex, std::uint32_t recordEnd);

/// Writes a record whose type has no field codes: every word "%04Xh," (a length
/// in word 1 as "%d,"); moves wordIndex past it.
void FormatRawWords(const FieldWalkContext& ctx, AsciiLineWriter& out, std::uint32_t& wordIndex, std::uint32_t recordEnd);

/// Writes buffer data from wordIndex up to the end word 0xFFFF (at a row start)
/// or the image end, which wordIndex is left at. Rows of levels in 0.05 dB
/// ("*" marks an overload), rotation speeds, markers and breaks; or 24-bit samples.
void FormatBufferData(const FieldWalkContext& ctx, AsciiLineWriter& out, std::uint32_t& wordIndex);

} // namespace orlu
