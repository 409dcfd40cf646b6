#pragma once
// The ASCII form of a legacy-family file (ORLU 505 METER mode, kinds 3 and
// 10): its blocks in file order, each written by the field codes of its kind
// of block (docs/formats.md, "ASCII form"), then the buffer levels as a list
// of items.

#include "document/headers/LegacyHeader.h"
#include "document/rawviews/RecordFieldWriter.h"

namespace orlu {

/// Writes the blocks of the decoded file `h` from the image of `ctx`. Blocks are
/// cut at the image's end; nothing outside it is read.
void WriteLegacyAsciiForm(const FieldWalkContext& ctx, AsciiLineWriter& out, const LegacyHeader& h);

} // namespace orlu
