#pragma once
// What a measurement view shows (its ViewKind), the form it shows it in, the
// bits of its FormFlags word and the View commands that choose a kind.

#include "document/ViewKind.h"

#include <cstdint>
#include <span>

namespace orlu {

/// Per-kind arrays hold ViewKinds 0 to 17.
inline constexpr int kViewKindCount = 18;

/// The form of the current page (FormKind).
enum FormKind : std::uint8_t {
    kFormGraph = 0,
    kFormText = 1,
    kFormTable = 2,
    kFormGraphKept = 3, ///< the graph is rebuilt without clearing its FormFlags bit
};

/// The forms a renderer is registered for.
enum class FormChoice : std::uint8_t { Text, Table, Hex, Ascii };

/// FormFlags bits and fields.
namespace form_flags {
inline constexpr std::uint32_t kText = 1u << 0;
inline constexpr std::uint32_t kTable = 1u << 1;
inline constexpr int kDecimalShift = 2;   // 1 bit
inline constexpr int kSeparatorShift = 3; // 3 bits
inline constexpr int kDateLayoutShift = 6; // 3 bits
inline constexpr std::uint32_t kGraph = 1u << 9;
inline constexpr std::uint32_t kHex = 1u << 10;
inline constexpr std::uint32_t kAscii = 1u << 11;
inline constexpr int kClipDecimalShift = 12;   // 1 bit
inline constexpr int kClipSeparatorShift = 13; // 3 bits
inline constexpr int kClipDateShift = 16;      // 3 bits
inline constexpr int kBlockModeShift = 19;     // 2 bits
/// Exactly one of these is set once a form is built.
inline constexpr std::uint32_t kFormBits = kText | kTable | kGraph | kHex | kAscii;

/// A field of the word.
constexpr std::uint32_t Field(std::uint32_t flags, int shift, int bits)
{
    return (flags >> shift) & ((1u << bits) - 1u);
}
/// The word with a field replaced.
constexpr std::uint32_t WithField(std::uint32_t flags, int shift, int bits, std::uint32_t value)
{
    const std::uint32_t mask = ((1u << bits) - 1u) << shift;
    return (flags & ~mask) | ((value << shift) & mask);
}
} // namespace form_flags

/// How a marked block runs (BlockMarkMode).
enum BlockMarkMode : std::uint8_t {
    kBlockStream = 0,      ///< from the anchor character to the end character, across lines
    kBlockBox = 1,         ///< the columns between the corners on every line between them
    kBlockFullLines = 2,   ///< every line between the corners, whole
    kBlockFullColumns = 3, ///< the box columns on every line of the form
};

/// Which statistics variant a View command shows.
enum class StatVariant : std::uint8_t { None, Broadband, Octave11, Octave13 };

/// A View command: the kind it shows and the page that keeps the kind's state.
struct ViewCommand {
    int id;
    ViewKind kind;
    int page;
    StatVariant variant;
    std::int16_t bandKind = 0; ///< the band set the octave and time-intersection commands show
};

/// Every command that selects a ViewKind.
std::span<const ViewCommand> ViewCommands();
/// The row of a command, or null.
const ViewCommand* FindViewCommand(int id);

/// Number of page records of a view.
inline constexpr int kPageCount = 22;

} // namespace orlu
