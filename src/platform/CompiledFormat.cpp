#include "platform/CompiledFormat.h"

#include <algorithm>

namespace orlu {

CompiledFormat::CompiledFormat(std::string_view format)
{
    const std::string text(format); // the walk reads up to the terminating zero
    m_Pieces.emplace_back();
    WalkFormat(
        text.c_str(), [this](std::string_view text) { m_Pieces.back().text += text; },
        [this](const FieldSpec& spec) {
            m_Pieces.back().hasField = true;
            m_Pieces.back().field = spec;
            m_ArgumentCount += orlu::ArgumentCount(spec);
            m_Pieces.emplace_back();
        });
    if (m_Pieces.size() > 1 && m_Pieces.back().text.empty())
        m_Pieces.pop_back();
}

void CompiledFormat::AppendArgs(std::string& out, std::span<const FormatArg> args) const
{
    std::size_t next = 0;
    for (const Piece& piece : m_Pieces) {
        if (!piece.text.empty())
            out += piece.text;
        if (!piece.hasField)
            continue;
        const std::size_t count = std::min(orlu::ArgumentCount(piece.field), args.size() - next);
        AppendField(out, piece.field, args.subspan(next, count));
        next += count;
    }
}

} // namespace orlu
