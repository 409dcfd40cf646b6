#pragma once
// What the Extract commands hand to the document they make: the source
// document, where the extract starts (a word), how many words it holds and
// the name the new document is titled by. The view's commands and the tools
// set the fields here, then ask for a new document with the pending source
// these functions leave set.

#include "document/AppContext.h"

namespace orlu {

/// The longest extract name, as its 32-byte field holds it with its terminator.
inline constexpr std::size_t kExtractNameLength = 31;

/// Sets the extract fields for sub-file n (1 to the count) of a Multifile:
/// its start, its length in whole words (an odd last byte stays behind) and
/// its name: the directory's in ORLU 505 Multifiles, else the one stored in
/// the file's own header. The pending source becomes a file of a Multifile.
/// False, with nothing set, when n names no file of the source; false after
/// "Improper file contents..." when the file runs past the source's data.
bool RequestSubfileExtract(AppContext& app, const CTmDoc& source, int subfile);

/// Sets the extract fields for the Buffer embedded in a MONITOR document: its
/// first byte and byte length (it may begin at an odd byte), and as its name
/// the text from its third byte up to a zero byte or its end.
/// The pending source becomes a MONITOR Buffer. False, with nothing set, when
/// the document holds no Buffer.
bool RequestBufferExtract(AppContext& app, const CTmDoc& monitor);

} // namespace orlu
