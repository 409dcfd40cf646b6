#include "presentation/dialogs/NumberFields.h"

#include "presentation/view/DialogExchange.h"

#include <algorithm>
#include <vector>

namespace orlu {

std::optional<unsigned> ReadNumberField(const NumberField& field, std::string_view text, std::string* message)
{
    Exchanged<std::uint32_t> read;
    if (field.kind == NumberKind::Byte) {
        const auto bound = [](unsigned v) { return static_cast<std::uint8_t>(std::min(v, 255u)); };
        const Exchanged<std::uint8_t> byte = ExchangeByte(text, bound(field.min), bound(field.max));
        read = {byte.value, byte.refusal};
    } else {
        read = ExchangeUnsigned(text, field.min, field.max);
    }
    if (read.Taken())
        return read.value;
    if (message)
        *message = read.refusal;
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
