#pragma once
// Texts shared by the cross tables: their caption rows and the channel a
// column of a channel mask stands for.

#include "platform/CompiledFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// Caption rows of the cross tables that the caption table's names do not cover.
inline constexpr int kCaptionBlocksOf = 38;
inline constexpr int kCaptionChannelNumber = 85;

/// Row `row` of the caption table; empty for a row the table does not hold (a kind or
/// code out of range).
std::string_view CaptionRow(int row);

/// Row `row` of the caption table printed with the arguments.
template <class... Args>
std::string FormatCaptionRow(int row, const Args&... args)
{
    return CompiledFormat(CaptionRow(row))(args...);
}

/// The 0-based channel of column n of a channel mask: the position of its (n + 1)-th set
/// bit. A column beyond the mask's channels counts on after the mask's last channel.
int MaskChannel(std::uint16_t mask, std::size_t n);

} // namespace orlu
