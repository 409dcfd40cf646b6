#include "platform/ValueFormat.h"

#include "platform/FieldSpec.h"
#include "platform/FormatArg.h"

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
            if (spec.precisionFromArgs) {
                precision = va_arg(list, int);
                given[count++] = precision;
            }
            if (spec.takes == FieldSpec::Takes::Text && precision >= 0) {
                // As printf: a precision bounds the characters read, so a text
                // need not end in a NUL within it.
                const char* text = va_arg(list, const char*);
                given[count++] = text ? std::string_view(text, strnlen(text, static_cast<std::size_t>(precision)))
                                      : std::string_view("(null)");
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

} // namespace orlu
