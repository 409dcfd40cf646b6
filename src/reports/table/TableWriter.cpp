#include "reports/table/TableWriter.h"

#include "reports/table/TableOutputOptions.h"

#include <string_view>

namespace orlu {
namespace {

constexpr bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// CR LF, which AddLine appends.
constexpr std::size_t kLineEndLength = 2;

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
    else
        carry = AppendWithSeparators(piece, buffer.substr(rowPart), separator, doubled,
                                     !rowStart || rowPart > 0, final);

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

// Rewrites a row in one pass with one separator character for each inner run of
// blanks (leading and trailing runs go) and, when decimal is not '.', the decimal
// character for each point ReplaceDecimalPoint would turn. The text only moves to
// the left; plain pointers, so that the writes are not taken to move the string.
void CompactRow(std::string& row, char separator, char decimal)
{
    char* const first = row.data();
    const char* const end = first + row.size();
    const bool withDecimal = decimal != DecimalPointChars[0];
    char* to = first;
    const char* from = first;
    while (from != end) {
        if (*from != ' ') {
            char c = *from++;
            if (withDecimal && c == '.' && to != first && !IsAsciiLetter(to[-1]))
                c = decimal;
            *to++ = c;
            continue;
        }
        while (from != end && *from == ' ')
            ++from;
        if (to != first && from != end) // an inner run, not a leading or trailing one
            *to++ = separator;
    }
    row.resize(static_cast<std::size_t>(to - first));
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
        CompactRow(row, separator, decimal);
    } else {
        ApplyColumnSeparator(row, separator, SeparatorDoubled(options.SeparatorIndex));
        if (decimal != DecimalPointChars[0])
            ReplaceDecimalPoint(row, decimal);
    }
    // The line is stored in a string of its own size with room for its CR LF; the
    // row keeps its buffer for the next row.
    std::string line;
    line.reserve(row.size() + kLineEndLength);
    line = row;
    row.clear();
    AddLine(lines, line, widest);
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
