#pragma once
// Small number and name texts shared by the reports, tables and graph
// read-outs: values with an engineering prefix and unit, compact exponents,
// title suffixes, and helpers for names, paths and hexadecimal replies.
// Texts are Windows-1252 bytes ("\xB2" is the superscript two, "\xB5" micro).

#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// What FormatValueUnit writes.
struct ValueUnitText {
    std::string value;
    std::string unit;
    int formatIndex = 0; ///< index into the decimal formats: "%.0f" .. "%.2f" for three digits
    int prefixIndex = 0; ///< 0 " k", 1 " ", 2 " m", 3 " \xB5", 4 " n", 5 " p"
};

/// A value with an engineering prefix and the unit of its quantity.
/// quantity: 1 and 3 volts, 2 pascals, 5 a vibration quantity, other values
/// the metric unit of the mode. mode: 0 a level in dB; 1 to 6 linear values
/// (acceleration, velocity, displacement, KB, VDV; 5 counts as 4, 6 as 5);
/// -1 volts; -2 volts or the quantity's unit after scaling; 10 exposure in
/// Pa\xB2s. nonMetric is the program's vibration-units option (g, in/s, in).
ValueUnitText FormatValueUnit(int quantity, double x, int mode, bool nonMetric);

/// "%7.3g" with the exponent shortened: 1.23e+004 becomes 1.23e4.
std::string FormatCompactG(double x);

/// Removes the leading zeros of an exponent (1.5e+005 to 1.5e+5), or the
/// trailing fraction zeros and a bare decimal point (2.500 to 2.5, 3.000 to 3).
void TidyNumberText(std::string& text);

/// Decimals needed to show x (0 to 6).
int CountSignificantDecimals(double x);

/// Appends " (smoothed)", " for ", the result name, ": text " and the
/// aggregation degree above 1 to a graph or table title.
void AppendTitleSuffix(std::string& title, bool smoothed, int resultIndex, std::uint16_t degree, std::string_view text);

/// The result name of a title suffix ("spectr.", "1/1 oct.", ...), empty when unknown.
std::string_view TitleResultName(int resultIndex);

/// Removes trailing blanks.
void TrimTrailingBlanks(std::string& text);

/// A name cut before its trailing digits, and the number those digits make.
struct SplitName {
    std::string stem;
    std::int32_t number = 0; ///< 0 when the name ends in no digit
};
/// Splits a name into its stem and trailing number (the sort key of Multifile entries).
SplitName SplitTrailingNumber(std::string_view name);

/// Replaces every blank by '_' (table captions).
void SpacesToUnderscores(std::string& text);

/// Appends '\' to a bare drive ("C:" becomes "C:\").
void AppendBackslashToDrive(std::string& path);

/// The value of an upper-case hexadecimal digit of an instrument reply.
int HexDigitValue(char c);

/// Two hexadecimal digits at pos as a byte; pos moves on by three (two digits
/// and their separator). Digits past the end of the text count as 0.
std::uint8_t ParseHexByte(std::string_view text, std::size_t& pos);

/// A whole text as a hexadecimal number.
std::uint32_t ParseHex(std::string_view text);

} // namespace orlu
