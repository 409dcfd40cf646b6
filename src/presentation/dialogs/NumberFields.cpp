#include "presentation/dialogs/NumberFields.h"

#include <cstdint>
#include <vector>

namespace orlu {
namespace {

std::string RangeMessage(unsigned min, unsigned max)
{
    return "Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
}

/// Digits only, between blanks; nothing for other text. Large values saturate.
std::optional<std::uint64_t> ParseUnsigned(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'), UINT64_C(1) << 40);
    }
    return value;
}

} // namespace

std::optional<unsigned> ReadNumberField(const NumberField& field, std::string_view text, std::string* message)
{
    std::optional<std::uint64_t> value = ParseUnsigned(text);
    std::string refusal;
    if (field.kind == NumberKind::Byte && (!value || *value > 255))
        refusal = RangeMessage(0, 255);
    else if (field.kind == NumberKind::Unsigned && (!value || *value > UINT32_MAX))
        refusal = "Please enter a positive integer.";
    else if (*value < field.min || *value > field.max)
        refusal = RangeMessage(field.min, field.max);
    if (refusal.empty())
        return static_cast<unsigned>(*value);
    if (message)
        *message = refusal;
    return std::nullopt;
}

std::optional<FieldError> ExchangeNumbers(std::span<const NumberField> fields, std::span<const std::string> texts,
                                          std::span<unsigned* const> values)
{
    std::vector<unsigned> read;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string message;
        std::optional<unsigned> value =
            ReadNumberField(fields[i], i < texts.size() ? std::string_view(texts[i]) : std::string_view(), &message);
        if (!value)
            return FieldError{fields[i].controlId, message};
        read.push_back(*value);
    }
    for (std::size_t i = 0; i < read.size() && i < values.size(); ++i)
        *values[i] = read[i];
    return std::nullopt;
}

} // namespace orlu
