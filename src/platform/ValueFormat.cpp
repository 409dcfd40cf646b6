#include "platform/ValueFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace orlu {
namespace {

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

} // namespace

std::string StrPrintfV(const char* format, va_list args)
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

std::string StrPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string s = StrPrintfV(format, args);
    va_end(args);
    return s;
}

void AppendPrintf(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    out += StrPrintfV(format, args);
    va_end(args);
}

} // namespace orlu
