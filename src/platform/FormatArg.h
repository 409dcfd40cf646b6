#pragma once
// One argument of a printf-style format, with the class of value it holds, so
// that a format parsed once can be applied to values without a va_list.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

struct FormatArg {
    enum class Kind : std::uint8_t { Signed, Unsigned, Floating, LongFloating, Text, Pointer };

    Kind kind = Kind::Signed;
    union {
        long long i;
        unsigned long long u;
        double d;
        long double ld;
        const void* p;
    };
    /// The text of a Text argument ("(null)" for a null pointer).
    std::string_view text;

    FormatArg() : i(0) {}
    template <std::signed_integral T>
    FormatArg(T value) : kind(Kind::Signed), i(value) {}
    template <std::unsigned_integral T>
    FormatArg(T value) : kind(Kind::Unsigned), u(value) {}
    FormatArg(char value) : kind(Kind::Signed), i(value) {}
    FormatArg(bool value) = delete;
    FormatArg(float value) : kind(Kind::Floating), d(value) {}
    FormatArg(double value) : kind(Kind::Floating), d(value) {}
    FormatArg(long double value) : kind(Kind::LongFloating), ld(value) {}
    FormatArg(const char* value) : kind(Kind::Text), p(value), text(value ? std::string_view(value) : "(null)") {}
    FormatArg(std::string_view value) : kind(Kind::Text), p(value.data()), text(value) {}
    FormatArg(const std::string& value) : FormatArg(std::string_view(value)) {}
    FormatArg(const void* value) : kind(Kind::Pointer), p(value) {}
};

} // namespace orlu
