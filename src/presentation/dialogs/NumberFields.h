#pragma once
// The number boxes of the option dialogs (an edit box with an up-down
// control): reading a box's text as the dialog does on OK, with the message
// that keeps the dialog open and the box focused when the text is refused.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

/// What a box holds: a one-byte member (anything that is no number or above
/// 255 is refused first) or an unsigned 32-bit one.
enum class NumberKind { Byte, Unsigned };

struct NumberField {
    int controlId;
    NumberKind kind;
    unsigned min;
    unsigned max;
};

/// A refused box: its control and the message shown.
struct FieldError {
    int controlId = 0;
    std::string message;
    friend bool operator==(const FieldError&, const FieldError&) = default;
};

/// The value of one box, or nothing with the message.
std::optional<unsigned> ReadNumberField(const NumberField& field, std::string_view text, std::string* message);

/// Reads the boxes in order: the first refused one is returned and no value is
/// changed; otherwise every value is taken.
std::optional<FieldError> ExchangeNumbers(std::span<const NumberField> fields, std::span<const std::string> texts,
                                          std::span<unsigned* const> values);

} // namespace orlu
