#pragma once
// Reads the conversions of a printf format, so that tests can check that a
// table's formats take the arguments their callers pass.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace orlu::test {

struct Conversion {
    std::string Flags;
    int Width = -1;
    int Precision = -1;
    std::string Length;
    char Type = 0;
};

/// The conversions of a format in order ("%%" is no conversion). A
/// conversion the program does not use comes back with Type '?'.
inline std::vector<Conversion> ParseConversions(std::string_view format)
{
    std::vector<Conversion> out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        if (i < format.size() && format[i] == '%')
            continue;
        Conversion c;
        while (i < format.size() && std::strchr("-+ #0", format[i]))
            c.Flags += format[i++];
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            c.Width = (c.Width < 0 ? 0 : c.Width * 10) + (format[i++] - '0');
        if (i < format.size() && format[i] == '.') {
            c.Precision = 0;
            ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                c.Precision = c.Precision * 10 + (format[i++] - '0');
        }
        while (i < format.size() && (format[i] == 'l' || format[i] == 'h'))
            c.Length += format[i++];
        c.Type = i < format.size() && std::strchr("sdiuxXfeg", format[i]) ? format[i] : '?';
        out.push_back(c);
    }
    return out;
}

/// The argument kinds a format takes, one letter each: s text, d int,
/// u unsigned, D long, U unsigned long, f double; '?' for anything else.
inline std::string ArgumentKinds(std::string_view format)
{
    std::string kinds;
    for (const Conversion &c : ParseConversions(format)) {
        char kind = '?';
        if (c.Type == 's' && c.Length.empty())
            kind = 's';
        else if ((c.Type == 'd' || c.Type == 'i') && c.Length.empty())
            kind = 'd';
        else if ((c.Type == 'd' || c.Type == 'i') && c.Length == "l")
            kind = 'D';
        else if ((c.Type == 'u' || c.Type == 'x' || c.Type == 'X') && c.Length.empty())
            kind = 'u';
        else if ((c.Type == 'u' || c.Type == 'x' || c.Type == 'X') && c.Length == "l")
            kind = 'U';
        else if ((c.Type == 'f' || c.Type == 'e' || c.Type == 'g') && c.Length.empty())
            kind = 'f';
        kinds += kind;
    }
    return kinds;
}

} // namespace orlu::test
