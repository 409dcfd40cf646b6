#include "platform/CompiledFormat.h"

#include <algorithm>
#include <cstring>

namespace orlu {
namespace {

// The text of a row goes into a buffer on the stack and into the output with
// one append; a field too long for it is written through the general writer.
class RowBuffer {
public:
    explicit RowBuffer(std::string& out) : m_Out(out) {}
    ~RowBuffer() { Flush(); }
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;

    // Room for n more characters, emptying the buffer into the output if need be;
    // nullptr when n exceeds the whole buffer.
    char* Room(std::size_t n)
    {
        if (n > sizeof m_Text)
            return nullptr;
        if (n > sizeof m_Text - m_Used)
            Flush();
        return m_Text + m_Used;
    }
    void Commit(const char* end) { m_Used = static_cast<std::size_t>(end - m_Text); }
    std::string& Flushed()
    {
        Flush();
        return m_Out;
    }

private:
    void Flush()
    {
        m_Out.append(m_Text, m_Used);
        m_Used = 0;
    }

    std::string& m_Out;
    std::size_t m_Used = 0;
    char m_Text[512];
};

void AppendText(RowBuffer& row, std::string_view text)
{
    if (char* to = row.Room(text.size()))
        row.Commit(std::copy(text.begin(), text.end(), to));
    else
        row.Flushed() += text;
}

// "%s" with a width and precision given in the format.
bool WriteText(RowBuffer& row, const FieldSpec& spec, std::string_view text)
{
    if (spec.precision >= 0)
        text = text.substr(0, static_cast<std::size_t>(spec.precision));
    const std::size_t fill =
        spec.width > 0 && static_cast<std::size_t>(spec.width) > text.size() ? spec.width - text.size() : 0;
    char* to = row.Room(text.size() + fill);
    if (!to)
        return false;
    if (!spec.left)
        to = std::fill_n(to, fill, ' ');
    to = std::copy(text.begin(), text.end(), to);
    if (spec.left)
        to = std::fill_n(to, fill, ' ');
    row.Commit(to);
    return true;
}

bool WriteFixed(RowBuffer& row, const FieldSpec& spec, double value)
{
    char* to = row.Room(kQuickFieldRoom);
    char* end = to ? WriteQuickFixed(to, spec, value) : nullptr;
    if (!end)
        return false;
    row.Commit(end);
    return true;
}

} // namespace

CompiledFormat::CompiledFormat(std::string_view format)
{
    const std::string text(format); // the walk reads up to the terminating zero
    m_Pieces.emplace_back();
    WalkFormat(
        text.c_str(), [this](std::string_view text) { m_Pieces.back().text += text; },
        [this](const FieldSpec& spec) {
            Piece& piece = m_Pieces.back();
            piece.hasField = true;
            piece.field = spec;
            const bool fixedWidths = !spec.widthFromArgs && !spec.precisionFromArgs;
            if (spec.takes == FieldSpec::Takes::Text && fixedWidths)
                piece.writer = Writer::Text;
            else if (TakesQuickFixed(spec))
                piece.writer = Writer::Fixed;
            m_ArgumentCount += orlu::ArgumentCount(spec);
            m_Pieces.emplace_back();
        });
    if (m_Pieces.size() > 1 && m_Pieces.back().text.empty())
        m_Pieces.pop_back();
}

void CompiledFormat::AppendArgs(std::string& out, std::span<const FormatArg> args) const
{
    RowBuffer row(out);
    std::size_t next = 0;
    for (const Piece& piece : m_Pieces) {
        if (!piece.text.empty())
            AppendText(row, piece.text);
        if (!piece.hasField)
            continue;
        const std::size_t count = std::min(orlu::ArgumentCount(piece.field), args.size() - next);
        const std::span<const FormatArg> given = args.subspan(next, count);
        next += count;
        if (count == 1 && piece.writer == Writer::Text && given[0].kind == FormatArg::Kind::Text &&
            WriteText(row, piece.field, given[0].text))
            continue;
        if (count == 1 && piece.writer == Writer::Fixed && given[0].kind == FormatArg::Kind::Floating &&
            WriteFixed(row, piece.field, given[0].d))
            continue;
        AppendField(row.Flushed(), piece.field, given);
    }
}

} // namespace orlu
