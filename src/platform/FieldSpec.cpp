#include "platform/FieldSpec.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>

namespace orlu {
namespace {

using Length = FieldSpec::Length;
using Takes = FieldSpec::Takes;

Length LengthOf(std::string_view written, char conversion)
{
    if (std::strchr("eEfFgGaA", conversion))
        return written == "L" ? Length::LongDouble : Length::None;
    if (written == "ll" || written == "j" || written == "q")
        return Length::LongLong;
    if (written == "l")
        return Length::Long;
    if (written == "z" || written == "t")
        return Length::Size;
    if (written == "h")
        return Length::Short;
    if (written == "hh")
        return Length::Char;
    return Length::None;
}

Takes TakesOf(char conversion)
{
    switch (conversion) {
    case 'd':
    case 'i':
        return Takes::Signed;
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        return Takes::Unsigned;
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        return Takes::Floating;
    case 's':
        return Takes::Text;
    case 'c':
        return Takes::Character;
    case 'p':
        return Takes::Pointer;
    default:
        return Takes::Nothing;
    }
}

void AppendPadded(std::string& out, std::string_view body, const FieldSpec& spec)
{
    const std::size_t fill =
        spec.width > 0 && static_cast<std::size_t>(spec.width) > body.size() ? spec.width - body.size() : 0;
    // A short field goes in with one append.
    char field[64];
    if (fill != 0 && body.size() + fill <= sizeof field) {
        char* text = spec.left ? field : field + fill;
        std::memcpy(text, body.data(), body.size());
        std::memset(spec.left ? field + body.size() : field, ' ', fill);
        out.append(field, body.size() + fill);
        return;
    }
    if (fill != 0 && !spec.left)
        out.append(fill, ' ');
    out.append(body);
    if (fill != 0 && spec.left)
        out.append(fill, ' ');
}

// The conversion as it was given, with a '*' width or precision by its value.
void AppendAsWritten(std::string& out, const FieldSpec& spec)
{
    out += '%';
    out += spec.flags;
    char digits[16];
    if (spec.width >= 0)
        out.append(digits, std::to_chars(digits, digits + sizeof digits, spec.width).ptr);
    if (spec.precision >= 0) {
        out += '.';
        out.append(digits, std::to_chars(digits, digits + sizeof digits, spec.precision).ptr);
    }
    out += spec.lengthWritten;
    out += spec.conversion;
}

// The value as the length modifier narrows it: a long of the instruments' program is 32 bits.
long long NarrowSigned(long long v, Length length)
{
    switch (length) {
    case Length::LongLong:
    case Length::Size:
        return v;
    case Length::Long:
        return static_cast<std::int32_t>(v);
    case Length::Short:
        return static_cast<short>(v);
    case Length::Char:
        return static_cast<signed char>(v);
    default:
        return static_cast<int>(v);
    }
}

unsigned long long NarrowUnsigned(unsigned long long v, Length length)
{
    switch (length) {
    case Length::LongLong:
    case Length::Size:
        return v;
    case Length::Long:
        return static_cast<std::uint32_t>(v);
    case Length::Short:
        return static_cast<unsigned short>(v);
    case Length::Char:
        return static_cast<unsigned char>(v);
    default:
        return static_cast<unsigned>(v);
    }
}

// An integer as printf writes it: sign or "0x" prefix, at least `precision` digits
// (none for a zero of precision 0), zeros up to the width under '0' without a precision.
void AppendInteger(std::string& out, const FieldSpec& spec, bool negative, unsigned long long magnitude, int base,
                   bool isSigned)
{
    char digits[32];
    std::size_t count = 0;
    if (!(spec.precision == 0 && magnitude == 0))
        count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, magnitude, base).ptr - digits);
    const bool upper = spec.conversion == 'X';
    if (upper)
        std::transform(digits, digits + count, digits, [](char c) { return c >= 'a' ? char(c - 'a' + 'A') : c; });

    char prefix[3];
    std::size_t prefixCount = 0;
    if (isSigned && negative)
        prefix[prefixCount++] = '-';
    else if (isSigned && spec.plus)
        prefix[prefixCount++] = '+';
    else if (isSigned && spec.space)
        prefix[prefixCount++] = ' ';
    if (spec.alt && base == 16 && magnitude != 0) {
        prefix[prefixCount++] = '0';
        prefix[prefixCount++] = upper ? 'X' : 'x';
    }

    std::size_t zeros = spec.precision > 0 && static_cast<std::size_t>(spec.precision) > count ? spec.precision - count : 0;
    // '#' with octal: the text starts with a zero.
    if (spec.alt && base == 8 && zeros == 0 && (count == 0 || digits[0] != '0'))
        zeros = 1;
    std::size_t length = prefixCount + zeros + count;
    if (spec.zero && !spec.left && spec.precision < 0 && spec.width > 0 && static_cast<std::size_t>(spec.width) > length) {
        zeros += spec.width - length;
        length = static_cast<std::size_t>(spec.width);
    }
    const std::size_t fill = spec.width > 0 && static_cast<std::size_t>(spec.width) > length ? spec.width - length : 0;
    if (fill != 0 && !spec.left)
        out.append(fill, ' ');
    out.append(prefix, prefixCount);
    out.append(zeros, '0');
    out.append(digits, count);
    if (fill != 0 && spec.left)
        out.append(fill, ' ');
}

template <class T>
std::to_chars_result ToChars(char* first, char* last, T value, std::chars_format format, int precision)
{
    return precision < 0 ? std::to_chars(first, last, value, format) : std::to_chars(first, last, value, format, precision);
}

// The exponent of a number in the scientific style.
int ExponentOf(const char* first, const char* end)
{
    const char* sign = std::find(first, end, 'e') + 1;
    int exponent = 0;
    std::from_chars(sign + (*sign == '+'), end, exponent);
    return exponent;
}

// The decimal exponent of a finite value before any rounding: the shortest text
// that reads back as the value never rounds into the next power of ten.
template <class T>
int ExactExponent(T value)
{
    char text[64];
    return ExponentOf(text, std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr);
}

constexpr int kMostFixedDecimals = 9; // 10^9 times a 53-bit mantissa fits in 83 bits
constexpr std::uint64_t kPowersOfTen[kMostFixedDecimals + 1] = {1,      10,      100,      1000,      10000,
                                                               100000, 1000000, 10000000, 100000000, 1000000000};

// Writes units, the value times 10^decimals (at most kMostFixedDecimals), as
// digits with the point before the last `decimals` of them and a zero before
// the point of a value below one; nullptr when [first, last) has no room for
// the text and one more character. The whole part goes straight into the field
// and the decimals are written from the last one back: a table writes millions
// of these numbers, and a copy of each through a buffer costs as much again.
char* WriteUnits(char* first, char* last, std::uint64_t units, std::size_t decimals)
{
    const std::uint64_t scale = kPowersOfTen[decimals];
    const std::to_chars_result whole = std::to_chars(first, last, units / scale);
    if (whole.ec != std::errc() || static_cast<std::size_t>(last - whole.ptr) < decimals + 1)
        return nullptr;
    if (decimals == 0)
        return whole.ptr;
    *whole.ptr = '.';
    char* const end = whole.ptr + 1 + decimals;
    std::uint64_t fraction = units % scale;
    for (char* out = end; out != whole.ptr + 1; fraction /= 10)
        *--out = static_cast<char>('0' + fraction % 10);
    return end;
}

// Rounds mantissa x 10^precision / 2^shift half to even (shift from 1 to 127, the
// product below 2^127).
template <class Int>
Int RoundedShift(Int scaled, int shift)
{
    Int units = scaled >> shift;
    const Int rest = scaled & ((Int{1} << shift) - 1);
    const Int half = Int{1} << (shift - 1);
    if (rest > half || (rest == half && (units & 1) != 0))
        ++units;
    return units;
}

// The fixed form of a double with a few decimals, the way tables write most of
// their numbers, without the general conversion: the value times 10^precision
// is worked out exactly in integers and rounded half to even, as the general
// conversion and printf round. Returns nullptr for the values it does not take
// (too many decimals, too large), which the general conversion writes.
char* FixedByIntegers(char* first, char* last, double magnitude, int precision)
{
    if (precision < 0 || precision > kMostFixedDecimals || !std::isfinite(magnitude))
        return nullptr;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
    const int exponent = (biased == 0 ? 1 : biased) - 1075; // magnitude = mantissa x 2^exponent
    const auto decimals = static_cast<std::size_t>(precision);
    // Up to three decimals the product stays below 2^63: the usual table values
    // with a fraction need no 128-bit arithmetic.
    constexpr int kMostNarrowDecimals = 3;
    if (precision <= kMostNarrowDecimals && exponent < 0 && exponent > -64)
        return WriteUnits(first, last, RoundedShift(mantissa * kPowersOfTen[precision], -exponent), decimals);
    __extension__ using Wide = unsigned __int128;
    const Wide scaled = Wide{mantissa} * kPowersOfTen[precision];
    Wide units = 0;
    if (exponent >= 0) {
        if (exponent > 40) // the units would not fit in 64 bits anyway
            return nullptr;
        units = scaled << exponent;
    } else if (-exponent < 84) { // below that, less than half a unit: zero
        units = RoundedShift(scaled, -exponent);
    }
    if ((units >> 64) != 0)
        return nullptr;
    return WriteUnits(first, last, static_cast<std::uint64_t>(units), decimals);
}

// Inserts ch at `at` of the text [first, end) and returns the new end.
char* InsertAt(char* first, char* end, std::size_t at, std::size_t count, char ch)
{
    std::memmove(first + at + count, first + at, static_cast<std::size_t>(end - first) - at);
    std::memset(first + at, ch, count);
    return end + count;
}

// The digits of a finite or infinite magnitude by the conversion into [first, last);
// returns the end, or nullptr when the room is too small.
template <class T>
char* ConvertMagnitude(char* first, char* last, T magnitude, const FieldSpec& spec)
{
    const char lower = static_cast<char>(spec.conversion | 0x20);
    const bool finite = std::isfinite(magnitude);
    std::to_chars_result r{};
    switch (lower) {
    case 'f':
        if constexpr (std::is_same_v<T, double>) {
            if (char* end = FixedByIntegers(first, last, magnitude, spec.precision < 0 ? 6 : spec.precision)) {
                if (spec.alt && spec.precision == 0)
                    *end++ = '.';
                return end;
            }
        }
        r = ToChars(first, last, magnitude, std::chars_format::fixed, spec.precision < 0 ? 6 : spec.precision);
        break;
    case 'e':
        r = ToChars(first, last, magnitude, std::chars_format::scientific, spec.precision < 0 ? 6 : spec.precision);
        break;
    case 'g': {
        const int significant = spec.precision < 0 ? 6 : spec.precision == 0 ? 1 : spec.precision;
        if (!spec.alt || !finite) {
            r = ToChars(first, last, magnitude, std::chars_format::general, significant);
            break;
        }
        // '#' keeps the trailing zeros that the general form drops: the style
        // is chosen by the exponent the scientific form rounds to.
        r = ToChars(first, last, magnitude, std::chars_format::scientific, significant - 1);
        if (r.ec != std::errc{})
            return nullptr;
        const int exponent = ExponentOf(first, r.ptr);
        if (exponent < significant && exponent >= -4) {
            r = ToChars(first, last, magnitude, std::chars_format::fixed, significant - 1 - exponent);
        } else if (exponent == significant && significant > 1 && ExactExponent(magnitude) < exponent) {
            // Rounded up to the next power of ten and so into the scientific
            // style: the C library writes the mantissa as "1." without its
            // zeros ("%#.3g" of 999.6 is "1.e+03"), and so the program did.
            first[1] = '.';
            r.ptr = std::copy(std::find(first, r.ptr, 'e'), r.ptr, first + 2);
        }
        break;
    }
    default: // 'a'
        r = ToChars(first, last, magnitude, std::chars_format::hex, spec.precision);
        break;
    }
    if (r.ec != std::errc{})
        return nullptr;
    char* end = r.ptr;
    if (!finite)
        return end;
    if (lower == 'a') {
        end = InsertAt(first, end, 0, 2, 'x');
        first[0] = '0';
    }
    // '#': a point even without decimals.
    if (spec.alt && std::find(first, end, '.') == end) {
        const char* mark = std::find_if(first, end, [](char c) { return c == 'e' || c == 'p'; });
        end = InsertAt(first, end, static_cast<std::size_t>(mark - first), 1, '.');
    }
    // Exponents have at least three digits.
    if (lower == 'e' || lower == 'g') {
        char* e = std::find(first, end, 'e');
        if (e != end) {
            const std::size_t at = static_cast<std::size_t>(e - first) + 2; // past the exponent's sign
            const std::size_t digits = static_cast<std::size_t>(end - first) - at;
            if (digits < 3)
                end = InsertAt(first, end, at, 3 - digits, '0');
        }
    }
    return end;
}

template <class T>
void AppendFloating(std::string& out, const FieldSpec& spec, T value)
{
    const bool negative = std::signbit(value);
    const char sign = negative ? '-' : spec.plus ? '+' : spec.space ? ' ' : '\0';
    const T magnitude = negative ? -value : value;
    // Room for the widest text: every integer digit of the type, the decimals, sign,
    // "0x", point and exponent; and room on both sides to pad a field of usual width
    // in place, so that it goes into out with one append.
    constexpr std::size_t kPad = 64;
    constexpr std::size_t kIntegerDigits = std::numeric_limits<T>::max_exponent10 + 1;
    const std::size_t room = kIntegerDigits + static_cast<std::size_t>(std::max(spec.precision, 0)) + 16;
    char small[kPad + 1 + 400 + kPad];
    std::string big;
    char* first = small;
    if (kPad + 1 + room + kPad > sizeof small) {
        big.resize(kPad + 1 + room + kPad);
        first = big.data();
    }
    char* const number = first + kPad + 1;
    char* end = ConvertMagnitude(number, number + room - 8, magnitude, spec);
    if (!end)
        return AppendAsWritten(out, spec);
    if (spec.conversion >= 'A' && spec.conversion <= 'Z')
        std::transform(number, end, number, [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    const std::size_t length = static_cast<std::size_t>(end - number) + (sign ? 1 : 0);
    const std::size_t fill =
        spec.width > 0 && static_cast<std::size_t>(spec.width) > length ? spec.width - length : 0;
    // The field is padded after the conversion: '0' puts its zeros after the sign,
    // whatever the text is.
    const char padding = spec.left || !spec.zero ? ' ' : '0';
    char* begin = number;
    if (fill > kPad) {
        if (!spec.left && padding == ' ')
            out.append(fill, ' ');
        if (sign)
            out += sign;
        if (!spec.left && padding == '0')
            out.append(fill, '0');
        out.append(number, end);
        if (spec.left)
            out.append(fill, ' ');
        return;
    }
    if (spec.left) {
        end = std::fill_n(end, fill, ' ');
    } else if (padding == '0') {
        begin = std::fill_n(begin - fill, fill, '0') - fill;
    }
    if (sign)
        *--begin = sign;
    if (!spec.left && padding == ' ')
        begin = std::fill_n(begin - fill, fill, ' ') - fill;
    out.append(begin, end);
}

std::optional<long long> IntegerArg(const FormatArg& arg)
{
    if (arg.kind == FormatArg::Kind::Signed)
        return arg.i;
    if (arg.kind == FormatArg::Kind::Unsigned)
        return static_cast<long long>(arg.u);
    return std::nullopt;
}

void AppendValue(std::string& out, const FieldSpec& spec, const FormatArg& arg)
{
    using Kind = FormatArg::Kind;
    const std::optional<long long> integer = IntegerArg(arg);
    switch (spec.takes) {
    case Takes::Signed:
        if (integer) {
            const long long v = NarrowSigned(*integer, spec.length);
            const unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : v;
            return AppendInteger(out, spec, v < 0, magnitude, 10, true);
        }
        break;
    case Takes::Unsigned:
        if (integer) {
            const int base = spec.conversion == 'o' ? 8 : spec.conversion == 'u' ? 10 : 16;
            return AppendInteger(out, spec, false, NarrowUnsigned(static_cast<unsigned long long>(*integer), spec.length),
                                 base, false);
        }
        break;
    case Takes::Character:
        if (integer) {
            const char c = static_cast<char>(*integer);
            return AppendPadded(out, std::string_view(&c, 1), spec);
        }
        break;
    case Takes::Text:
        if (arg.kind == Kind::Text) {
            const std::string_view text =
                spec.precision >= 0 ? arg.text.substr(0, static_cast<std::size_t>(spec.precision)) : arg.text;
            return AppendPadded(out, text, spec);
        }
        break;
    case Takes::Pointer:
        if (arg.kind == Kind::Pointer || arg.kind == Kind::Text) {
            if (!arg.p)
                return AppendPadded(out, "(nil)", spec);
            // As "%#lx", but with the sign flags of a signed conversion.
            FieldSpec hex = spec;
            hex.alt = true;
            hex.conversion = 'x';
            return AppendInteger(out, hex, false, reinterpret_cast<std::uintptr_t>(arg.p), 16, true);
        }
        break;
    case Takes::Floating:
        if (arg.kind == Kind::Floating)
            return AppendFloating(out, spec, arg.d);
        if (arg.kind == Kind::LongFloating)
            return AppendFloating(out, spec, arg.ld);
        break;
    case Takes::Nothing:
        break;
    }
    AppendAsWritten(out, spec);
}

} // namespace

bool TakesQuickFixed(const FieldSpec& spec)
{
    const bool fixed = spec.conversion == 'f' || spec.conversion == 'F';
    return spec.takes == Takes::Floating && fixed && spec.length == Length::None && !spec.alt &&
           (!spec.zero || spec.left) && !spec.widthFromArgs && !spec.precisionFromArgs &&
           spec.precision <= kMostFixedDecimals && spec.width <= kQuickFieldWidth;
}

char* WriteQuickFixed(char* to, const FieldSpec& spec, double value)
{
    const bool negative = std::signbit(value);
    const char sign = negative ? '-' : spec.plus ? '+' : spec.space ? ' ' : '\0';
    char* number = to;
    if (sign)
        *number++ = sign;
    char* end = FixedByIntegers(number, to + kQuickFieldRoom, negative ? -value : value,
                                spec.precision < 0 ? 6 : spec.precision);
    if (!end)
        return nullptr;
    const auto length = static_cast<std::size_t>(end - to);
    if (spec.width <= 0 || static_cast<std::size_t>(spec.width) <= length)
        return end;
    const std::size_t fill = static_cast<std::size_t>(spec.width) - length;
    if (spec.left)
        return std::fill_n(end, fill, ' ');
    std::memmove(to + fill, to, length);
    std::fill_n(to, fill, ' ');
    return end + fill;
}

bool ParseFieldSpec(const char*& p, FieldSpec& spec)
{
    while (*p && std::strchr("-+ #0", *p))
        spec.flags += *p++;
    for (char flag : spec.flags) {
        spec.left |= flag == '-';
        spec.plus |= flag == '+';
        spec.space |= flag == ' ';
        spec.alt |= flag == '#';
        spec.zero |= flag == '0';
    }
    if (*p == '*') {
        spec.widthFromArgs = true;
        ++p;
    } else {
        while (*p >= '0' && *p <= '9')
            spec.width = (spec.width < 0 ? 0 : spec.width * 10) + (*p++ - '0');
    }
    if (*p == '.') {
        ++p;
        spec.precision = 0;
        if (*p == '*') {
            spec.precisionFromArgs = true;
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                spec.precision = spec.precision * 10 + (*p++ - '0');
        }
    }
    while (*p && std::strchr("hlLqjzt", *p))
        spec.lengthWritten += *p++;
    if (!*p)
        return false;
    spec.conversion = *p++;
    spec.length = LengthOf(spec.lengthWritten, spec.conversion);
    spec.takes = TakesOf(spec.conversion);
    return true;
}

void AppendField(std::string& out, const FieldSpec& spec, std::span<const FormatArg> args)
{
    if (!spec.widthFromArgs && !spec.precisionFromArgs) {
        if (spec.takes == Takes::Nothing || args.empty())
            return AppendAsWritten(out, spec);
        return AppendValue(out, spec, args[0]);
    }
    FieldSpec given = spec;
    std::size_t next = 0;
    if (spec.widthFromArgs) {
        const std::optional<long long> width = next < args.size() ? IntegerArg(args[next++]) : std::nullopt;
        given.width = static_cast<int>(width.value_or(0));
        if (given.width < 0) {
            given.left = true;
            given.flags += '-';
            given.width = -given.width;
        }
    }
    if (spec.precisionFromArgs) {
        const std::optional<long long> precision = next < args.size() ? IntegerArg(args[next++]) : std::nullopt;
        given.precision = static_cast<int>(precision.value_or(-1));
    }
    if (spec.takes == Takes::Nothing || next >= args.size())
        return AppendAsWritten(out, given);
    AppendValue(out, given, args[next]);
}

} // namespace orlu
