#include "document/texts/NumberTexts.h"

#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orlu {
namespace {

// Unit names; the trailing blanks belong to the texts (the read-outs pad with them).
constexpr std::array<const char*, 13> kValueUnitTable = {
    "dB     ",  "V     ",   "Pa     ", "m/s\xB2     ", "m/s     ",  "m     ", "KB",
    "m/sx     ", "g     ",  "in/s     ", "in     ",   "in/sx     ",
    "                                                            ", // 60 blanks
};
constexpr std::size_t kUnitDb = 0, kUnitVolt = 1, kUnitPascal = 2, kUnitAcceleration = 3;
constexpr std::size_t kUnitMetricBase = 2, kUnitNonMetricBase = 7;

constexpr std::array<const char*, 6> kValuePrefixTable = {" k", " ", " m", " \xB5", " n", " p"};
constexpr std::array<const char*, 3> kThreeDigitFormats = {"%.0f", "%.1f", "%.2f"};

// Result names of graph and table titles by result index.
struct TitleResultEntry {
    int resultIndex;
    const char* name;
};
constexpr TitleResultEntry kTitleResultNames[] = {
    {2, "spectr."},
    {3, "1/1 oct."},
    {4, "1/3 oct."},
    {5, "RMS"},
};

// The decimal exponent of x as "%.2e" prints it: after rounding to three
// significant digits, so 999.6 has the exponent 3.
int RoundedExponent(double x)
{
    std::string text = StrPrintf("%.2e", x);
    std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos) // inf or nan
        return 0;
    return static_cast<int>(std::strtol(text.c_str() + e + 1, nullptr, 10));
}

// Removes the leading zeros of the exponent after the 'e' (and its sign),
// keeping at least one digit; with dropPlus a '+' sign goes too.
void ShortenExponent(std::string& text, bool dropPlus)
{
    std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos)
        return;
    std::size_t digits = e + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) {
        if (dropPlus && text[digits] == '+')
            text.erase(digits, 1);
        else
            ++digits;
    }
    std::size_t zeros = 0;
    while (digits + zeros + 1 < text.size() && text[digits + zeros] == '0' &&
           std::isdigit(static_cast<unsigned char>(text[digits + zeros + 1])))
        ++zeros;
    text.erase(digits, zeros);
}

bool ReadsAsZero(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr) == 0.0;
}

} // namespace

ValueUnitText FormatValueUnit(int quantity, double x, int mode, bool nonMetric)
{
    ValueUnitText out;
    if (mode == 0) {
        out.value = StrPrintf("%.1f", x);
        out.unit = std::string(" ") + kValueUnitTable[kUnitDb];
        out.prefixIndex = 1;
    } else if (mode == 10) {
        out.value = StrPrintf("%.2e", x);
        ShortenExponent(out.value, false);
        out.unit = " Pa\xB2s";
    } else if ((mode >= 1 && mode <= 6) || mode == -1 || mode == -2) {
        if (mode == -2)
            x *= quantity == 2 ? 20.0 : quantity > 3 ? 100.0 : 1.0;
        int d = std::clamp(RoundedExponent(x) + 12, 0, 17);
        int thousands = d / 3;
        out.formatIndex = 2 - d % 3;
        out.prefixIndex = 5 - thousands;
        out.value = StrPrintf(kThreeDigitFormats[out.formatIndex], x * std::pow(1000.0, 4 - thousands));

        std::size_t unit = kUnitVolt;
        if (mode >= 1) {
            int m = mode == 5 ? 4 : mode == 6 ? 5 : mode;
            if (quantity == 5 && nonMetric)
                unit = kUnitNonMetricBase + static_cast<std::size_t>(m);
            else if (quantity == 1 || quantity == 3)
                unit = kUnitVolt;
            else if (quantity == 2)
                unit = kUnitPascal;
            else
                unit = kUnitMetricBase + static_cast<std::size_t>(m);
        } else if (mode == -2) {
            unit = (quantity == 1 || quantity == 3) ? kUnitVolt : quantity == 2 ? kUnitPascal : kUnitAcceleration;
        }
        out.unit = std::string(kValuePrefixTable[static_cast<std::size_t>(out.prefixIndex)]) + kValueUnitTable[unit];
    }
    if (!out.value.empty() && out.value[0] == '-' && ReadsAsZero(out.value))
        out.value.erase(0, 1);
    return out;
}

std::string FormatCompactG(double x)
{
    std::string text = StrPrintf("%7.3g", x);
    ShortenExponent(text, true);
    return text;
}

void TidyNumberText(std::string& text)
{
    if (text.find_first_of("eE") != std::string::npos) {
        ShortenExponent(text, false);
        return;
    }
    if (text.find('.') == std::string::npos)
        return;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
}

int CountSignificantDecimals(double x)
{
    std::string text = StrPrintf("%.10f", x);
    std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    std::size_t last = text.find_last_not_of('0');
    int decimals = static_cast<int>(last - point);
    return std::min(decimals, 6);
}

std::string_view TitleResultName(int resultIndex)
{
    for (const TitleResultEntry& entry : kTitleResultNames)
        if (entry.resultIndex == resultIndex)
            return entry.name;
    return {};
}

void AppendTitleSuffix(std::string& title, bool smoothed, int resultIndex, std::uint16_t degree, std::string_view text)
{
    if (smoothed)
        title += " (smoothed)";
    title += " for ";
    title += TitleResultName(resultIndex);
    title += ": ";
    title += text;
    title += ' ';
    if (degree > 1)
        AppendPrintf(title, "[agreg.degree=%d]", static_cast<int>(degree));
}

void TrimTrailingBlanks(std::string& text)
{
    std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
}

SplitName SplitTrailingNumber(std::string_view name)
{
    std::size_t cut = name.size();
    while (cut > 0 && name[cut - 1] >= '0' && name[cut - 1] <= '9')
        --cut;
    SplitName out;
    out.stem = std::string(name.substr(0, cut));
    if (cut < name.size()) {
        // A run of digits too long for the number saturates, as the C library's conversion does.
        std::string digits(name.substr(cut));
        long long value = std::strtoll(digits.c_str(), nullptr, 10);
        out.number = static_cast<std::int32_t>(std::min<long long>(value, std::numeric_limits<std::int32_t>::max()));
    }
    return out;
}

void SpacesToUnderscores(std::string& text)
{
    std::replace(text.begin(), text.end(), ' ', '_');
}

void AppendBackslashToDrive(std::string& path)
{
    if (!path.empty() && path.back() == ':')
        path += '\\';
}

// Instrument replies write hexadecimal in upper case, and this reading is
// part of how they are parsed: everything from ':' on counts as code - 55,
// so 'A' to 'F' give 10 to 15 and a lower-case 'a' gives 42. It is kept
// for the replies only; other hexadecimal text is not read through it.
int HexDigitValue(char c)
{
    int code = static_cast<unsigned char>(c);
    return code <= '9' ? code - '0' : code - 55;
}

std::uint8_t ParseHexByte(std::string_view text, std::size_t& pos)
{
    auto digit = [&](std::size_t at) { return at < text.size() ? HexDigitValue(text[at]) : 0; };
    int value = (digit(pos) << 4) | digit(pos + 1);
    pos = std::min(pos + 3, text.size());
    return static_cast<std::uint8_t>(value);
}

std::uint32_t ParseHex(std::string_view text)
{
    std::uint32_t value = 0;
    for (char c : text)
        value = (value << 4) | static_cast<std::uint32_t>(HexDigitValue(c));
    return value;
}

} // namespace orlu
