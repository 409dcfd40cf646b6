#include "platform/ValueFormat.h"

#include "platform/FieldSpec.h"
#include "platform/FormatArg.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orlu {
namespace {

// The value of a field read from the arguments by the type its conversion and
// length modifier pass.
FormatArg NextValue(const FieldSpec& spec, va_list* list)
{
    using Length = FieldSpec::Length;
    switch (spec.takes) {
    case FieldSpec::Takes::Signed:
        switch (spec.length) {
        case Length::LongLong:
            return va_arg(*list, long long);
        case Length::Long:
            return va_arg(*list, long);
        case Length::Size:
            return va_arg(*list, std::ptrdiff_t);
        default:
            return va_arg(*list, int);
        }
    case FieldSpec::Takes::Unsigned:
        switch (spec.length) {
        case Length::LongLong:
            return va_arg(*list, unsigned long long);
        case Length::Long:
            return va_arg(*list, unsigned long);
        case Length::Size:
            return va_arg(*list, std::size_t);
        default:
            return va_arg(*list, unsigned);
        }
    case FieldSpec::Takes::Floating:
        if (spec.length == Length::LongDouble)
            return va_arg(*list, long double);
        return va_arg(*list, double);
    case FieldSpec::Takes::Text:
        return va_arg(*list, const char*);
    case FieldSpec::Takes::Character:
        return va_arg(*list, int);
    case FieldSpec::Takes::Pointer:
        return static_cast<const void*>(va_arg(*list, void*));
    case FieldSpec::Takes::Nothing:
        break;
    }
    return 0;
}

void AppendPrintfV(std::string& out, const char* format, va_list args)
{
    va_list list;
    va_copy(list, args);
    WalkFormat(
        format, [&out](std::string_view text) { out += text; },
        [&out, &list](const FieldSpec& spec) {
            FormatArg given[3] = {0, 0, 0};
            std::size_t count = 0;
            if (spec.widthFromArgs)
                given[count++] = va_arg(list, int);
            int precision = spec.precision;
            if (spec.precisionFromArgs)
                given[count++] = precision = va_arg(list, int);
            if (spec.takes == FieldSpec::Takes::Text && precision >= 0) {
                // "%.*s" may name a buffer without a terminating zero: read no
                // more than the precision allows, as the C library does.
                const char* text = va_arg(list, const char*);
                given[count++] = text ? FormatArg(std::string_view(text, strnlen(text, static_cast<std::size_t>(precision))))
                                      : FormatArg(text);
            } else if (spec.takes != FieldSpec::Takes::Nothing) {
                given[count++] = NextValue(spec, &list);
            }
            AppendField(out, spec, std::span(given, count));
        });
    va_end(list);
}

} // namespace

std::string StrPrintfV(const char* format, va_list args)
{
    std::string out;
    AppendPrintfV(out, format, args);
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
    AppendPrintfV(out, format, args);
    va_end(args);
}

void DropExponentDigit(std::string& text)
{
    const std::size_t e = text.find('e');
    if (e == std::string::npos || text.size() < e + 5)
        return;
    // "e-003": sign, then three digits of which the first is the zero to drop.
    if (text[e + 2] == '0' && std::isdigit(static_cast<unsigned char>(text[e + 4])))
        text.erase(e + 2, 1);
}

} // namespace orlu
