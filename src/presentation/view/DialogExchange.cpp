#include "presentation/view/DialogExchange.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace orlu {
namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The whole text as an integer, none when anything else is in it.
std::optional<std::int64_t> WholeInteger(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// An unsigned box takes no sign but a leading plus: "-0" is refused as "-1" is.
std::optional<std::int64_t> WholeUnsigned(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '-')
        return std::nullopt;
    return WholeInteger(text);
}

template <typename T>
Exchanged<T> Ranged(std::int64_t value, std::int64_t lo, std::int64_t hi)
{
    if (value < lo || value > hi)
        return {T{}, BetweenMessage(lo, hi)};
    return {static_cast<T>(value), {}};
}

} // namespace

std::string BetweenMessage(std::int64_t lo, std::int64_t hi)
{
    return "Please enter an integer between " + std::to_string(lo) + " and " + std::to_string(hi) + ".";
}

Exchanged<std::uint8_t> ExchangeByte(std::string_view text, std::uint8_t lo, std::uint8_t hi)
{
    const auto value = WholeUnsigned(text);
    if (!value || *value > 255)
        return {0, BetweenMessage(0, 255)};
    return Ranged<std::uint8_t>(*value, lo, hi);
}

Exchanged<std::int32_t> ExchangeInteger(std::string_view text, std::int32_t lo, std::int32_t hi)
{
    const auto value = WholeInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return {0, "Please enter an integer."};
    return Ranged<std::int32_t>(*value, lo, hi);
}

Exchanged<std::uint32_t> ExchangeUnsigned(std::string_view text, std::uint32_t lo, std::uint32_t hi)
{
    const auto value = WholeUnsigned(text);
    if (!value || *value > UINT32_MAX)
        return {0, "Please enter a positive integer."};
    return Ranged<std::uint32_t>(*value, lo, hi);
}

Exchanged<double> ExchangeNumber(std::string_view text)
{
    std::string_view t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc{} || end != t.data() + t.size() || !std::isfinite(value))
        return {0.0, "Please enter a number."};
    return {value, {}};
}

} // namespace orlu
