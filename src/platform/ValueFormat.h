#pragma once
// The one place that turns numbers into text. Every report of the program
// formats through here, so that the texts come out as the instruments' own
// program always printed them:
//  - an exponent has at least three digits ("1.23e+003", "4.5E-010");
//    the field width counts the longer exponent;
//  - "%ld", "%lu", "%lx" take a long but print it as a 32-bit value.
// Everything else follows the C library's printf.

#include <cstdarg>
#include <string>

namespace orlu {

/// printf-style formatting with the program's number conventions.
std::string StrPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// The same over a va_list.
std::string StrPrintfV(const char* format, va_list args);

/// Drops the first exponent digit of the first number written with one, when it is a
/// zero: the octave texts show two exponent digits ("1.23e-003" becomes "1.23e-03"),
/// so their fields are one character narrower than the format's.
void DropExponentDigit(std::string& text);

/// Appends the formatted text to out.
void AppendPrintf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace orlu
