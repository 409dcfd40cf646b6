#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>

namespace orlu {
namespace {

// Code points of bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when malformed.
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& c)
{
    auto b = static_cast<uint8_t>(text[i]);
    size_t len;
    char32_t min;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        len = 2, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        auto t = static_cast<uint8_t>(text[i + k]);
        if ((t & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (t & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return len;
}

// A code point as a Windows-1252 byte; '?' when the code page cannot hold it.
char CodePointToCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t k = 0; k < kHighControls.size(); ++k)
        if (kHighControls[k] && kHighControls[k] == c)
            return static_cast<char>(0x80 + k);
    return '?';
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        auto b = static_cast<uint8_t>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80] ? kHighControls[b - 0x80] : 0xFFFD);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c;
        size_t len = DecodeUtf8(text, i, c);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        out += CodePointToCp1252(c);
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        char32_t c;
        size_t len = DecodeUtf8(text, i, c);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string TextFileToCp1252(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? Utf8ToCp1252(bytes) : std::string(bytes);
}

std::u16string Cp1252ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto b = static_cast<uint8_t>(ch);
        if (b >= 0x80 && b < 0xA0)
            out += static_cast<char16_t>(kHighControls[b - 0x80] ? kHighControls[b - 0x80] : 0xFFFD);
        else
            out += static_cast<char16_t>(b);
    }
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        // A surrogate pair is one character outside the code page.
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        out += CodePointToCp1252(u);
    }
    return out;
}

} // namespace orlu
