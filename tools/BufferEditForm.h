#pragma once
// orlu-dump's buffer editing: --markers A[,B] sets the block (record positions
// from 0, as the view's markers hold them; one marker makes a block of one
// record), --edit delete|keep|copy --out FILE edits it as the buffer block
// dialog does and stores the result, --impulses 1|2|3 prints the impulse
// marks as "N: 0xMM" for every marked record, N counted from 1.

#include "document/CTmDoc.h"

#include <string>

namespace orlu::tools {

struct BufferEditRequest {
    long markerA = -1;
    long markerB = -1;
    int op = 0;        ///< a BlockEditOp, 0 for none
    int impulses = 0;  ///< impulse mode, 0 for none
    std::string out;
};

/// "A" or "A,B", whole numbers from 0. False for anything else.
bool ParseMarkers(const std::string& text, BufferEditRequest& request);
/// "delete", "keep" or "copy". False for anything else.
bool ParseEditOperation(const std::string& text, BufferEditRequest& request);

/// Prints the impulse marks and runs the edit, appending their lines to out. False (after a
/// line on standard error) when the document has no buffer for them, the edit was refused or
/// the file could not be stored.
bool RunBufferEdit(CTmDoc& doc, const BufferEditRequest& request, std::string& out);

} // namespace orlu::tools
