#include "reports/table/TableWriter.h"

#include "reports/table/TableOutputOptions.h"

#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orlu {
namespace {

constexpr bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AppendSeparator(std::string& out, char separator, bool doubled)
{
    out += separator;
    if (doubled)
        out += separator;
}

// Appends piece to out with its blank runs rewritten. continuing: text of the
// same row comes before the piece, so a run at its start separates rather
// than leads. final: the row ends with the piece, so a run at its end is
// trailing. Returns whether the piece ended in a run whose fate depends on
// what follows (a piece that is neither final nor all leading blanks).
bool AppendWithSeparators(std::string& out, std::string_view piece, char separator, bool doubled,
                          bool continuing, bool final)
{
    std::size_t i = 0;
    bool textBefore = continuing;
    while (i < piece.size()) {
        if (piece[i] != ' ') {
            std::size_t end = piece.find(' ', i);
            if (end == std::string_view::npos)
                end = piece.size();
            out.append(piece.substr(i, end - i));
            textBefore = true;
            i = end;
            continue;
        }
        std::size_t end = piece.find_first_not_of(' ', i);
        if (end == std::string_view::npos)
            return textBefore && !final;
        if (textBefore)
            AppendSeparator(out, separator, doubled);
        i = end;
    }
    return false;
}

char* CompactRow(const char* from, const char* end, char* first, char separator, char decimal);

// AppendWithSeparators for a single separator character: the text between the
// piece's first and last characters that are not blanks is compacted a word at a
// time, long pieces of a wide row being most of a table's text.
bool AppendCompacted(std::string& out, std::string_view piece, char separator, bool continuing, bool final)
{
    const std::size_t first = piece.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return !piece.empty() && continuing && !final; // a run whose fate the next piece decides
    const std::size_t end = piece.find_last_not_of(' ') + 1;
    if (continuing && first > 0)
        out += separator;
    const std::size_t at = out.size();
    out.resize(at + (end - first));
    char* const to = out.data() + at;
    out.resize(at + static_cast<std::size_t>(
                        CompactRow(piece.data() + first, piece.data() + end, to, separator, DecimalPointChars[0]) - to));
    return end < piece.size() && !final;
}

// The common part of the two emitters.
void EmitPiece(LineList& lines, std::string& rowBuffer, std::size_t rowPart, char separator, bool doubled,
               bool& rowStart, int* widest, bool final)
{
    if (rowPart > rowBuffer.size())
        rowPart = rowBuffer.size();
    std::string_view buffer(rowBuffer);
    // The piece becomes the line's own copy: converting into it rather than
    // over the row buffer also lets a doubled separator outgrow a single blank.
    std::string piece;
    piece.reserve(rowBuffer.size() + rowBuffer.size() / 2);
    piece.append(buffer.substr(0, rowPart));
    bool carry = false;
    if (separator == kNoSeparator)
        piece.append(buffer.substr(rowPart));
    else if (doubled)
        carry = AppendWithSeparators(piece, buffer.substr(rowPart), separator, doubled,
                                     !rowStart || rowPart > 0, final);
    else
        carry = AppendCompacted(piece, buffer.substr(rowPart), separator, !rowStart || rowPart > 0, final);

    if (rowStart) {
        // A row whose pieces so far were only blanks has nothing stored yet;
        // its first text still starts the line.
        if (final)
            AddLine(lines, piece, widest);
        else if (!piece.empty()) {
            AddUnterminatedLine(lines, piece, widest);
            rowStart = false;
        }
    } else {
        AppendToLastLine(lines, piece, final, widest);
    }
    if (final)
        rowStart = true;

    rowBuffer.clear();
    if (carry)
        rowBuffer += ' ';
}

// The blanks of eight characters read as one word: the high bit of each byte that
// is a blank, and of no other byte.
std::uint64_t BlankBytes(std::uint64_t word)
{
    constexpr std::uint64_t kBlanks = 0x2020202020202020;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t x = word ^ kBlanks; // zero where a blank was
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// How many characters of the word come before its first marked byte.
int CharsBeforeMark(std::uint64_t marks)
{
    const int bits = std::endian::native == std::endian::little ? std::countr_zero(marks) : std::countl_zero(marks);
    return bits / 8;
}

// Writes the row [from, end) at `to` in one pass with one separator character for
// each inner run of blanks (leading and trailing runs go) and, when decimal is not
// '.', the decimal character for each point ReplaceDecimalPoint would turn; returns
// the end. The text only moves to the left, so `to` may be `from` (rewriting in
// place) or a buffer of the row's size. Runs of text are copied eight characters
// at a time where the copy cannot overwrite what is still to be read.
char* CompactRow(const char* from, const char* const end, char* const first, char separator, char decimal)
{
    const bool inPlace = from == first;
    const bool withDecimal = decimal != DecimalPointChars[0];
    char* to = first;
    while (from != end) {
        if (*from == ' ') {
            while (from != end && *from == ' ')
                ++from;
            if (to != first && from != end) // an inner run, not a leading or trailing one
                *to++ = separator;
            continue;
        }
        std::size_t run = 1;
        if (end - from >= 8) {
            std::uint64_t word;
            std::memcpy(&word, from, sizeof word);
            const std::uint64_t blanks = BlankBytes(word);
            run = blanks == 0 ? 8 : static_cast<std::size_t>(CharsBeforeMark(blanks));
            const auto gap = inPlace ? static_cast<std::size_t>(from - to) : 8;
            if (gap == 0 || gap >= 8)
                std::memcpy(to, &word, sizeof word);
            else
                std::memmove(to, from, run);
        } else {
            *to = *from;
        }
        if (withDecimal) {
            for (char* c = to; c != to + run; ++c)
                if (*c == '.' && c != first && !IsAsciiLetter(c[-1]))
                    *c = decimal;
        }
        to += run;
        from += run;
    }
    return to;
}

void CompactRow(std::string& row, char separator, char decimal)
{
    char* const first = row.data();
    row.resize(static_cast<std::size_t>(CompactRow(first, first + row.size(), first, separator, decimal) - first));
}

} // namespace

void ApplyColumnSeparator(std::string& row, char separator, bool doubled)
{
    if (separator == kNoSeparator)
        return;
    if (doubled) {
        // Two characters for a single blank can outgrow the row: convert into a copy.
        std::string out;
        out.reserve(row.size() + row.size() / 2);
        AppendWithSeparators(out, row, separator, doubled, false, true);
        row = std::move(out);
        return;
    }
    CompactRow(row, separator, DecimalPointChars[0]);
}

void ReplaceDecimalPoint(std::string& row, char decimal)
{
    char* const text = row.data();
    const std::size_t size = row.size();
    for (std::size_t i = 1; i < size; ++i) {
        if (text[i] == '.' && !IsAsciiLetter(text[i - 1]))
            text[i] = decimal;
    }
}

void EmitFieldRow(LineList& lines, std::string& row, const TableOutputOptions& options, int* widest)
{
    const char separator = SeparatorChar(options.SeparatorIndex);
    const char decimal = DecimalChar(options.DecimalIndex);
    if (separator != kNoSeparator && !SeparatorDoubled(options.SeparatorIndex)) {
        // Written straight into the list, as the line is never longer than the row.
        if (char* const to = lines.BeginLine(row.size())) {
            const char* const from = row.data();
            lines.EndLine(CompactRow(from, from + row.size(), to, separator, decimal), widest);
        }
        row.clear();
        return;
    }
    ApplyColumnSeparator(row, separator, SeparatorDoubled(options.SeparatorIndex));
    if (decimal != DecimalPointChars[0])
        ReplaceDecimalPoint(row, decimal);
    AddLine(lines, row, widest);
}

void RepackHeader(std::string& header)
{
    constexpr std::size_t kField = 10;
    for (std::size_t at = kField; at < header.size(); at += kField) {
        const std::size_t next = header.find_first_not_of(' ', at);
        if (next == std::string::npos)
            break;
        header.erase(at, next - at);
    }
}

void EmitHeaderRow(LineList& lines, std::string& header, const TableOutputOptions& options, int* widest)
{
    const char separator = SeparatorChar(options.SeparatorIndex);
    if (separator == kNoSeparator)
        RepackHeader(header);
    else
        ApplyColumnSeparator(header, separator, SeparatorDoubled(options.SeparatorIndex));
    AddLine(lines, header, widest);
}

void EmitUnderscoredLine(LineList& lines, std::string text, const TableOutputOptions& options, bool withDecimal,
                         int* widest)
{
    for (char& c : text)
        if (c == ' ')
            c = '_';
    if (withDecimal && options.DecimalIndex != 0)
        ReplaceDecimalPoint(text, DecimalChar(options.DecimalIndex));
    AddLine(lines, text, widest);
}

void RepairExponent(std::string& text, std::size_t from)
{
    const std::size_t e = text.find('e', from);
    if (e == std::string::npos)
        return;
    std::size_t digits = e + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-'))
        ++digits;
    std::size_t count = 0;
    while (digits + count < text.size() && std::isdigit(static_cast<unsigned char>(text[digits + count])))
        ++count;
    if (count == 3 && text[digits] == '0') {
        text.erase(digits, 1);
        text += ' ';
    }
}

void EmitRowChunk(LineList& lines, std::string& rowBuffer, std::size_t rowPart, char separator, bool doubled,
                  bool& rowStart, int* widest)
{
    EmitPiece(lines, rowBuffer, rowPart, separator, doubled, rowStart, widest, false);
}

void EmitRowEnd(LineList& lines, std::string& rowBuffer, std::size_t rowPart, char separator, bool doubled,
                bool& rowStart, int* widest)
{
    EmitPiece(lines, rowBuffer, rowPart, separator, doubled, rowStart, widest, true);
}

} // namespace orlu
