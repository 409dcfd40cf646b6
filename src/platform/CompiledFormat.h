#pragma once
// A printf-style format parsed once, for formats applied to many values: the
// rows of a table format each value of each row by the same fields. The texts
// are StrPrintf's texts (see ValueFormat.h) for the same format and values.
//
// The arguments are matched to the conversions in order. A signed or unsigned
// integer serves every integer conversion and %c, as printf reads it; a field
// whose argument is missing or of another class (a text for a number, a
// number for a text) is written as the conversion was given.

#include "platform/FieldSpec.h"
#include "platform/FormatArg.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class CompiledFormat {
public:
    explicit CompiledFormat(std::string_view format);

    /// Appends the formatted text to out.
    template <class... Args>
    void Append(std::string& out, const Args&... args) const
    {
        const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
        AppendArgs(out, list);
    }

    /// The formatted text.
    template <class... Args>
    std::string operator()(const Args&... args) const
    {
        std::string out;
        Append(out, args...);
        return out;
    }

    void AppendArgs(std::string& out, std::span<const FormatArg> args) const;

    /// How many arguments the format takes.
    std::size_t ArgumentCount() const { return m_ArgumentCount; }

private:
    // How a field is written: the fields of table rows, a padded text or a
    // fixed-point number, are written straight into the row's buffer.
    enum class Writer : std::uint8_t { General, Text, Fixed };
    // Literal text, then the field that follows it (none at the end of the format).
    struct Piece {
        std::string text;
        bool hasField = false;
        Writer writer = Writer::General;
        FieldSpec field;
    };
    std::vector<Piece> m_Pieces;
    std::size_t m_ArgumentCount = 0;
};

} // namespace orlu
