#pragma once
// The table engine every table form is written through. Writers build each
// row as 10-character fields in a row buffer; the engine turns the blanks
// between fields into the chosen column separator and the points of numbers
// into the chosen decimal character, and stores the row in the LineList,
// whole or, when it is long, piece by piece. This is the only place that
// writes separators: renderers hand it fields.
//
// Separator rules: every run of blanks inside the row becomes one separator
// (two with the doubled blank), leading and trailing blanks are dropped, so
// a field of blanks only disappears; the separator '#' leaves the row as it
// is. Only the blank character counts as a blank.

#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstddef>
#include <string>

namespace orlu {

/// The row length above which the writers of long rows hand a piece on.
inline constexpr std::size_t kRowPieceLength = 4000;
/// The room a writer reserves for its row buffer.
inline constexpr std::size_t kRowBufferSize = 4096;

/// Rewrites the row with the separator in place of every inner run of blanks ('#': unchanged).
void ApplyColumnSeparator(std::string& row, char separator, bool doubled);

/// Turns every '.' after the first character whose left neighbour is not a letter into decimal.
void ReplaceDecimalPoint(std::string& row, char decimal);

/// Stores a piece of a row that goes on: the buffer up to rowPart as it is, the rest with
/// its separators. rowStart is true while no piece of the row has been stored. The buffer
/// is emptied, or keeps one blank when the piece ended in blanks that separate it from
/// the next piece, so the finished line reads as if the row had been converted whole.
void EmitRowChunk(LineList& lines, std::string& rowBuffer, std::size_t rowPart, char separator,
                  bool doubled, bool& rowStart, int* widest);

/// Stores the last piece of a row as EmitRowChunk does and ends the line with CR LF.
void EmitRowEnd(LineList& lines, std::string& rowBuffer, std::size_t rowPart, char separator,
                bool doubled, bool& rowStart, int* widest);

/// Stores a row of fields: the separator between them, then, when the decimal index is
/// not 0, the decimal character in its numbers (ReplaceDecimalPoint). The row is emptied
/// and keeps its room for the next.
void EmitFieldRow(LineList& lines, std::string& row, const TableOutputOptions& options, int* widest);

/// Moves the names of a header line back to their 10-character boundaries: at each
/// position 10, 20, 30 ... the blanks from there to the next name are deleted, so a name
/// that ran past its field with its unit leaves the next name on the next boundary.
/// Blanks after the last name stay.
void RepackHeader(std::string& header);

/// Stores a header line of column names: re-packed under '#', with separators otherwise;
/// a header never takes the decimal character. The header is emptied.
void EmitHeaderRow(LineList& lines, std::string& header, const TableOutputOptions& options, int* widest);

/// Stores a caption or footnote line with every blank written as '_' and, when the
/// decimal index is not 0 and withDecimal is set, the decimal character in its numbers.
void EmitUnderscoredLine(LineList& lines, std::string text, const TableOutputOptions& options, bool withDecimal,
                         int* widest);

/// Shortens the exponent of the number field that starts at `from` and ends the text:
/// a three-digit exponent loses its leading zero and the text gets a blank at its end,
/// so "1.23e+005 " becomes "1.23e+05  " and the field keeps its width. An exponent of
/// 100 or more keeps its three real digits.
void RepairExponent(std::string& text, std::size_t from);

/// Appends count copies of ch.
inline void AppendChars(std::string& text, char ch, unsigned count)
{
    text.append(count, ch);
}

/// Appends count blanks; nothing for a count of 0 or less.
inline void AppendBlanks(std::string& text, int count)
{
    if (count > 0)
        text.append(static_cast<std::size_t>(count), ' ');
}

} // namespace orlu
