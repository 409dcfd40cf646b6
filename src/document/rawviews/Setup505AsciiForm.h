#pragma once
// The ASCII form of an ORLU 505 ANALYZER-mode file: its setup header by its
// field codes, then one item list per spectrum and channel, then the
// histogram block with its class counts.

#include "document/headers/Setup505.h"
#include "document/rawviews/RecordFieldWriter.h"

namespace orlu {

/// Writes the form of the decoded setup `s` from ctx.image. False when the
/// spectra or the histogram counts run past the image (what was written stays).
bool WriteSetup505Form(const Setup505& s, const FieldWalkContext& ctx, AsciiLineWriter& out);

} // namespace orlu
