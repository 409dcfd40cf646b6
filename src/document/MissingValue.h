#pragma once
// The mark of a value a file does not hold or a computation cannot give (a
// level of no energy, a cell never stored). Reports print it as "----", so it
// never reaches a table as "-inf" or as an invented number.

namespace orlu {

inline constexpr double kMissingValue = -999.9;

} // namespace orlu
