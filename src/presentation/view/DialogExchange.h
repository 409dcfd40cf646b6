#pragma once
// Reading the edit boxes of the option dialogs: the value a box holds, or
// the message that refuses it and keeps the dialog open.

#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

template <typename T>
struct Exchanged {
    T value{};
    std::string refusal; ///< empty when the text was taken
    bool Taken() const { return refusal.empty(); }
};

/// "Please enter an integer between %1 and %2." with the bounds filled in.
std::string BetweenMessage(std::int64_t lo, std::int64_t hi);

/// A one-byte box with its own range: text, a minus sign or a value above 255
/// is refused as outside 0..255, a byte outside lo..hi with the range.
Exchanged<std::uint8_t> ExchangeByte(std::string_view text, std::uint8_t lo = 0, std::uint8_t hi = 255);
/// A signed integer box; lo..hi as for ExchangeByte, text: "Please enter an integer.".
Exchanged<std::int32_t> ExchangeInteger(std::string_view text, std::int32_t lo = INT32_MIN,
                                        std::int32_t hi = INT32_MAX);
/// An unsigned box: "Please enter a positive integer." for text or a sign.
Exchanged<std::uint32_t> ExchangeUnsigned(std::string_view text, std::uint32_t lo = 0,
                                          std::uint32_t hi = UINT32_MAX);
/// A number box: "Please enter a number.".
Exchanged<double> ExchangeNumber(std::string_view text);

} // namespace orlu
