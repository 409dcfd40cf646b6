#pragma once
// One conversion of a printf-style format ("%-10.2e", "%ld", "%*d") and the
// writer of one value by it, with the program's number conventions (see
// ValueFormat.h). Both the one-off formatting of StrPrintf and the formats
// parsed once (CompiledFormat) write every field through here.
//
// Numbers are written with std::to_chars, which rounds as printf does (exact
// decimal expansion, ties to even), so the texts are the C library's texts.
// Two results are the program's own and kept as callers stored them:
//  - a floating field is padded after it is converted: the '0' flag puts its
//    zeros after the sign even in "inf" and "nan" ("-00000inf");
//  - a conversion the writer does not know is written back as it was given,
//    and so is a field whose argument is missing or of the wrong class (a text
//    for a number, a number for a text).

#include "platform/FormatArg.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

struct FieldSpec {
    /// The length modifier, by what it does to the argument.
    enum class Length : std::uint8_t {
        None,       ///< int, unsigned, double (also any modifier not listed)
        Char,       ///< hh
        Short,      ///< h
        Long,       ///< l: a 32-bit value, as the instruments' program had it
        LongLong,   ///< ll, j, q
        Size,       ///< z, t
        LongDouble, ///< L on a floating conversion
    };
    /// What the conversion takes.
    enum class Takes : std::uint8_t { Signed, Unsigned, Floating, Text, Character, Pointer, Nothing };

    bool left = false;  ///< '-'
    bool plus = false;  ///< '+'
    bool space = false; ///< ' '
    bool alt = false;   ///< '#'
    bool zero = false;  ///< '0'
    bool widthFromArgs = false;     ///< '*' width
    bool precisionFromArgs = false; ///< '*' precision
    int width = -1;
    int precision = -1; ///< negative: the conversion's default
    Length length = Length::None;
    Takes takes = Takes::Nothing;
    char conversion = 0;
    std::string flags;         ///< as written, for a conversion written back
    std::string lengthWritten; ///< as written, for a conversion written back
};

/// Reads the conversion that starts after a '%' (not "%%") and moves p past it.
/// False when the format ends before the conversion character.
bool ParseFieldSpec(const char*& p, FieldSpec& spec);

/// Writes the field of the value args holds for spec: first the '*' width and precision,
/// then the value. A missing or mismatched argument writes the conversion as it was given.
void AppendField(std::string& out, const FieldSpec& spec, std::span<const FormatArg> args);

/// The widest field and the room WriteQuickFixed writes into at most.
inline constexpr int kQuickFieldWidth = 64;
inline constexpr std::size_t kQuickFieldRoom = 96;

/// Whether the field is one WriteQuickFixed takes: "%f" or "%F" with up to 9 decimals,
/// a fixed width up to kQuickFieldWidth, no '#' and no zero padding.
bool TakesQuickFixed(const FieldSpec& spec);

/// Writes the field of a value by a spec TakesQuickFixed takes at `to`, with room for
/// kQuickFieldRoom characters, and returns its end; nullptr for a value it does not
/// take (not finite, or too large), which AppendField writes.
char* WriteQuickFixed(char* to, const FieldSpec& spec, double value);

/// How many arguments a field takes ('*' width and precision, then its value).
constexpr std::size_t ArgumentCount(const FieldSpec& spec)
{
    return std::size_t{spec.widthFromArgs} + std::size_t{spec.precisionFromArgs} +
           (spec.takes == FieldSpec::Takes::Nothing ? 0u : 1u);
}

/// Walks a format: the literal text between conversions to onText (one call per run,
/// "%%" as a run of its own), every conversion to onField. Stops at a conversion the
/// format ends inside of, as printf did.
template <class OnText, class OnField>
void WalkFormat(const char* format, OnText&& onText, OnField&& onField)
{
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* start = p;
            while (*p && *p != '%')
                ++p;
            onText(std::string_view(start, static_cast<std::size_t>(p - start)));
            continue;
        }
        ++p;
        if (*p == '%') {
            onText(std::string_view("%"));
            ++p;
            continue;
        }
        FieldSpec spec;
        if (!ParseFieldSpec(p, spec))
            return;
        onField(spec);
    }
}

} // namespace orlu
