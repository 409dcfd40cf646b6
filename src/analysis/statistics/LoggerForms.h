#pragma once
// The text and table forms of the logger of a current-family file: the
// values of each logged result shown, three position-value columns to a
// row as the buffer forms have them, reduced by the view's aggregation
// degree or replaced by the running total, and the rotation speed after
// them. Four-channel recordings show their samples ("TIME").

#include "analysis/statistics/BufferForms.h"

namespace orlu {

/// The text form. Returns false when the document holds no logger of results.
bool TextLogger(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices);

/// The table form, appended to the lines; sets the content byte to 2. Returns false when
/// the document holds no logger of results.
bool TableLogger(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const BufferChoices& choices,
                 const TableOutputOptions& options);

} // namespace orlu
