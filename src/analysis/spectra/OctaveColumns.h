#pragma once
// The words every octave form heads its columns with, by unit index (0 dB,
// 1 V, 2 Pa, 3 m/s2, 4 m/s, 5 m, 9 g, 10 in/s, 11 in): the text forms' header
// of three frequency-level pairs, the unit name after a Block RMS line and the
// bracketed unit cell of a table. An index no unit has gives the dB words.
// Texts are Windows-1252 ("m/s\xB2").

#include <cstdint>
#include <string_view>

namespace orlu {

/// "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  " (68 characters).
std::string_view OctaveColumnHeader(std::uint16_t unitIndex);
/// The unit name with its trailing blanks: "dB     ", "Pa     ", "m/s\xB2     ", "g      ".
std::string_view OctaveUnitName(std::uint16_t unitIndex);
/// The unit cell of a table column, 10 characters: "[dB]      ", "[in/s]    ".
std::string_view OctaveBracketedUnit(std::uint16_t unitIndex);

} // namespace orlu
