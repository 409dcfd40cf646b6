// The formatter against the C library. The reference below formats each
// conversion with snprintf and puts the program's two conventions on top
// (three-digit exponents, 32-bit longs), as the program's formatting did
// before it wrote numbers itself. Every format and value of the tables must
// give the reference's text byte for byte, through StrPrintf and through a
// CompiledFormat.

#include "platform/CompiledFormat.h"
#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace orlu {
namespace {
namespace reference {

struct ConversionSpec {
    std::string flags;
    int width = -1;
    int precision = -1;
    std::string length;
    char conversion = 0;

    bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
};

std::string CFormat(const std::string& spec, auto... values)
{
    char small[128];
    int n = std::snprintf(small, sizeof small, spec.c_str(), values...);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), spec.c_str(), values...);
    big.resize(static_cast<size_t>(n));
    return big;
}

// Widens the exponent of a %e or %g result to three digits.
void WidenExponent(std::string& text)
{
    size_t e = text.find_first_of("eE");
    if (e == std::string::npos || e + 1 >= text.size())
        return;
    size_t digits = e + 1;
    if (text[digits] == '+' || text[digits] == '-')
        ++digits;
    size_t count = text.size() - digits;
    if (count < 3)
        text.insert(digits, 3 - count, '0');
}

// Pads a converted value to the field width, as printf would have.
void Pad(std::string& text, const ConversionSpec& spec)
{
    if (spec.width < 0 || static_cast<int>(text.size()) >= spec.width)
        return;
    size_t fill = static_cast<size_t>(spec.width) - text.size();
    if (spec.Has('-')) {
        text.append(fill, ' ');
    } else if (spec.Has('0')) {
        size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-' || text[0] == ' ')) ? 1 : 0;
        text.insert(at, fill, '0');
    } else {
        text.insert(0, fill, ' ');
    }
}

std::string ConvertFloating(const ConversionSpec& spec, long double value, bool isLong)
{
    // Format without the width, widen the exponent, then pad.
    std::string inner = "%" + spec.flags;
    if (spec.precision >= 0)
        inner += "." + std::to_string(spec.precision);
    if (isLong)
        inner += "L";
    inner += spec.conversion;
    std::string text = isLong ? CFormat(inner, value) : CFormat(inner, static_cast<double>(value));
    char c = spec.conversion;
    if (c == 'e' || c == 'E' || c == 'g' || c == 'G')
        WidenExponent(text);
    Pad(text, spec);
    return text;
}

std::string RebuildSpec(const ConversionSpec& spec, const char* length)
{
    std::string s = "%" + spec.flags;
    if (spec.width >= 0)
        s += std::to_string(spec.width);
    if (spec.precision >= 0)
        s += "." + std::to_string(spec.precision);
    s += length;
    s += spec.conversion;
    return s;
}

std::string PrintfV(const char* format, va_list args)
{
    std::string out;
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            size_t n = next ? static_cast<size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        ConversionSpec spec;
        while (*p && std::strchr("-+ #0", *p))
            spec.flags += *p++;
        if (*p == '*') {
            spec.width = va_arg(args, int);
            if (spec.width < 0) {
                spec.flags += '-';
                spec.width = -spec.width;
            }
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                spec.width = (spec.width < 0 ? 0 : spec.width * 10) + (*p++ - '0');
        }
        if (*p == '.') {
            ++p;
            spec.precision = 0;
            if (*p == '*') {
                spec.precision = va_arg(args, int);
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    spec.precision = spec.precision * 10 + (*p++ - '0');
            }
        }
        while (*p && std::strchr("hlLqjzt", *p))
            spec.length += *p++;
        spec.conversion = *p;
        if (!*p)
            break;
        ++p;

        switch (spec.conversion) {
        case 'd':
        case 'i':
            if (spec.length == "ll" || spec.length == "j" || spec.length == "q")
                out += CFormat(RebuildSpec(spec, "ll"), va_arg(args, long long));
            else if (spec.length == "l")
                // A long is 32 bits wide in the instruments' program.
                out += CFormat(RebuildSpec(spec, ""), static_cast<int32_t>(va_arg(args, long)));
            else if (spec.length == "z" || spec.length == "t")
                out += CFormat(RebuildSpec(spec, "ll"), static_cast<long long>(va_arg(args, ptrdiff_t)));
            else if (spec.length == "h")
                out += CFormat(RebuildSpec(spec, ""), static_cast<short>(va_arg(args, int)));
            else if (spec.length == "hh")
                out += CFormat(RebuildSpec(spec, ""), static_cast<signed char>(va_arg(args, int)));
            else
                out += CFormat(RebuildSpec(spec, ""), va_arg(args, int));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if (spec.length == "ll" || spec.length == "j" || spec.length == "q")
                out += CFormat(RebuildSpec(spec, "ll"), va_arg(args, unsigned long long));
            else if (spec.length == "l")
                out += CFormat(RebuildSpec(spec, ""), static_cast<uint32_t>(va_arg(args, unsigned long)));
            else if (spec.length == "z" || spec.length == "t")
                out += CFormat(RebuildSpec(spec, "ll"),
                               static_cast<unsigned long long>(va_arg(args, size_t)));
            else if (spec.length == "h")
                out += CFormat(RebuildSpec(spec, ""), static_cast<unsigned short>(va_arg(args, unsigned)));
            else if (spec.length == "hh")
                out += CFormat(RebuildSpec(spec, ""), static_cast<unsigned char>(va_arg(args, unsigned)));
            else
                out += CFormat(RebuildSpec(spec, ""), va_arg(args, unsigned));
            break;
        case 'c':
            out += CFormat(RebuildSpec(spec, ""), va_arg(args, int));
            break;
        case 's': {
            const char* s = va_arg(args, const char*);
            out += CFormat(RebuildSpec(spec, ""), s ? s : "(null)");
            break;
        }
        case 'p':
            out += CFormat(RebuildSpec(spec, ""), va_arg(args, void*));
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (spec.length == "L")
                out += ConvertFloating(spec, va_arg(args, long double), true);
            else
                out += ConvertFloating(spec, va_arg(args, double), false);
            break;
        default:
            // Unknown conversion: keep it as written.
            out += RebuildSpec(spec, spec.length.c_str());
            break;
        }
    }
    return out;
}

std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string s = PrintfV(format, args);
    va_end(args);
    return s;
}

} // namespace reference

// Collects the formats whose texts differ from the reference's, so that a
// fault shows a few examples instead of thousands of lines.
class Mismatches {
public:
    template <class... Args>
    void Check(const std::string& format, Args... args)
    {
        ++m_Checked;
        const std::string expected = reference::Printf(format.c_str(), args...);
        const std::string direct = StrPrintf(format.c_str(), args...);
        const std::string compiled = CompiledFormat(format.c_str())(args...);
        if (direct != expected || compiled != expected)
            m_Found.push_back("\"" + format + "\": reference [" + expected + "] StrPrintf [" + direct +
                              "] compiled [" + compiled + "]");
    }

    void ExpectNone() const
    {
        EXPECT_GT(m_Checked, 0u);
        std::string shown;
        for (std::size_t i = 0; i < m_Found.size() && i < 20; ++i)
            shown += m_Found[i] + "\n";
        EXPECT_TRUE(m_Found.empty()) << m_Found.size() << " of " << m_Checked << " differ:\n" << shown;
    }

private:
    std::size_t m_Checked = 0;
    std::vector<std::string> m_Found;
};

const char* const kFlags[] = {"", "-", "+", " ", "0", "#", "-+", "+0", " 0", "#0", "-#", "+ ", "-0", "#+0"};
const char* const kWidths[] = {"", "1", "8", "12"};
const char* const kPrecisions[] = {"", ".", ".0", ".1", ".2", ".3", ".9", ".17"};

std::string Spec(const char* flags, const char* width, const char* precision, const char* conversion)
{
    return std::string("%") + flags + width + precision + conversion;
}

TEST(ValueFormatReference, FloatingConversions)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {
        0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 94.05, 94.25, 1e-5, 0.0001234, 123456.0, 999999.5,
        9.9999995, -1.23456789e-7, 0.05, 4.35, 0.0625, 1e-9, 5e-10, 1.8e10, 1.9e10, 1e15, 1e22, 1e100, 1e-100, 1e-300, DBL_MIN, 5e-324, DBL_MAX, 1.0 / 3.0,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), nan, -nan,
    };
    Mismatches m;
    for (const char* conversion : {"f", "F", "e", "E", "g", "G"})
        for (const char* flags : kFlags)
            for (const char* width : kWidths)
                for (const char* precision : kPrecisions)
                    for (double v : values)
                        m.Check(Spec(flags, width, precision, conversion), v);
    m.ExpectNone();
}

// Fixed fields of table values: every tenth, hundredth and binary tie of the
// range levels lie in, values just beside them, and mantissas at the limits of
// the narrow 64-bit rounding (the largest mantissa, shifts of 1, 63 and 64 bits).
TEST(ValueFormatReference, FixedFieldsOfTableValues)
{
    std::vector<double> values;
    for (int k = -2000; k <= 20000; k += 7) {
        values.push_back(k / 10.0);
        values.push_back(k / 100.0);
        values.push_back(k / 1000.0);
        values.push_back(k / 16.0);
        values.push_back(k / 1024.0 + 0.0005);
        values.push_back(std::nextafter(k / 20.0, 1e9));
        values.push_back(std::nextafter(k / 200.0, -1e9));
    }
    const double largestMantissa = 9007199254740991.0; // 2^53 - 1
    for (int shift : {1, 2, 10, 52, 53, 62, 63, 64, 65, 83, 84})
        for (double mantissa : {largestMantissa, largestMantissa - 1, 4503599627370497.0})
            values.push_back(std::ldexp(mantissa, -shift));
    Mismatches m;
    for (const char* format : {"%-10.0f", "%-10.1f", "%-+10.1f", "%.2f", "%10.3f", "% .3f", "%-12.4f", "%-0.9f"})
        for (double v : values)
            m.Check(format, v);
    m.ExpectNone();
}

TEST(ValueFormatReference, HexadecimalAndLongDoubleFloating)
{
    Mismatches m;
    for (const char* conversion : {"a", "A"})
        for (const char* flags : {"", "-", "+", "#", "0", " "})
            for (const char* width : {"", "14"})
                for (const char* precision : {"", ".0", ".2"})
                    for (double v : {0.0, -0.0, 1.0, 3.0, 0.1, -2.5, 5e-324, 1e-310, DBL_MAX,
                                     std::numeric_limits<double>::infinity()})
                        m.Check(Spec(flags, width, precision, conversion), v);
    for (const char* conversion : {"Lf", "Le", "Lg", "La"})
        for (const char* precision : {"", ".0", ".30"})
            for (long double v : {0.1L, -2.5L, 1e-4000L, 1e4000L, 123456789.125L})
                m.Check(Spec("", "", precision, conversion), v);
    m.ExpectNone();
}

TEST(ValueFormatReference, IntegerConversions)
{
    const long long values[] = {0, 1, -1, 7, 42, -42, 255, 4096, INT_MAX, INT_MIN, 0x1'0000'0005LL,
                                -0x1'0000'0005LL, LLONG_MAX, LLONG_MIN, 0xFFFF'FFFFLL, 0x8000};
    Mismatches m;
    for (const char* flags : kFlags)
        for (const char* width : kWidths)
            for (const char* precision : {"", ".", ".0", ".1", ".5"})
                for (long long v : values) {
                    for (const char* conversion : {"d", "i"})
                        m.Check(Spec(flags, width, precision, conversion), static_cast<int>(v));
                    for (const char* conversion : {"u", "x", "X", "o"})
                        m.Check(Spec(flags, width, precision, conversion), static_cast<unsigned>(v));
                    for (const char* conversion : {"ld", "li"})
                        m.Check(Spec(flags, width, precision, conversion), static_cast<long>(v));
                    for (const char* conversion : {"lu", "lx", "lX", "lo"})
                        m.Check(Spec(flags, width, precision, conversion), static_cast<unsigned long>(v));
                    m.Check(Spec(flags, width, precision, "lld"), v);
                    m.Check(Spec(flags, width, precision, "llx"), static_cast<unsigned long long>(v));
                    m.Check(Spec(flags, width, precision, "zd"), static_cast<std::ptrdiff_t>(v));
                    m.Check(Spec(flags, width, precision, "zu"), static_cast<std::size_t>(v));
                    m.Check(Spec(flags, width, precision, "hd"), static_cast<int>(v));
                    m.Check(Spec(flags, width, precision, "hhd"), static_cast<int>(v));
                    m.Check(Spec(flags, width, precision, "hu"), static_cast<unsigned>(v));
                    m.Check(Spec(flags, width, precision, "hhx"), static_cast<unsigned>(v));
                }
    m.ExpectNone();
}

TEST(ValueFormatReference, TextCharacterAndPointerConversions)
{
    Mismatches m;
    for (const char* flags : {"", "-", "0", "+", " ", "#"})
        for (const char* width : kWidths)
            for (const char* precision : {"", ".", ".0", ".2", ".8"}) {
                for (const char* text : {"", "ab", "Leq[dB]", "abcdefghijkl", "\xB2"})
                    m.Check(Spec(flags, width, precision, "s"), text);
                m.Check(Spec(flags, width, precision, "s"), static_cast<const char*>(nullptr));
                for (int c : {int{'a'}, int{'Z'}, int{' '}, 0, 0xB2})
                    m.Check(Spec(flags, width, "", "c"), c);
                for (const void* p : {static_cast<const void*>(nullptr), reinterpret_cast<const void*>(0x1234)})
                    m.Check(Spec(flags, width, "", "p"), p);
            }
    m.ExpectNone();
}

TEST(ValueFormatReference, WholeFormats)
{
    Mismatches m;
    m.Check("%-10s%-10s%-10s%-10s%-10.1f%-10.1f%-10.1f%-10.1f", "A", "Fast", "00:00'10", "dB", 94.05, -0.05, 1e5,
            123.45);
    m.Check("%-10s%-10s%-10s%-10.2e%-10.2e%-10.2e%-10.2e", "A", "Fast", "m/s2", 1.005e-3, 9.995, -0.0, 1e100);
    m.Check("Res.No. %6ld%%  %5lu|%c|%%|%04X", 0x1'0000'0005L, 4294967295UL, 'z', 0x1fu);
    m.Check("%*d|%-*d|%.*f|%*.*e|%.*s", 4, 7, -4, 7, 2, 3.14159, 12, 3, 2.5e-7, 3, "abcdef");
    m.Check("%.*f|%*s|", -1, 2.5, -6, "ab");
    // Conversions the formatter does not know are written back as given.
    m.Check("%5.2k|%d|%-3q|%lw", 7);
    m.Check("%*k|%d", -5, 8);
    m.Check("%n|%d", 1);
    m.Check("ends in a conversion %-5");
    m.Check("no conversion at all");
    m.Check("");
    m.ExpectNone();
}

} // namespace
} // namespace orlu
