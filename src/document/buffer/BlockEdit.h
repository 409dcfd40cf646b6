#pragma once
// Editing the block between the two markers of a buffer or logger: delete
// it, keep only it, or copy it into a new measurement file. The rows of a
// buffer follow its header record; an edit moves that record down to the end
// of the header blocks (what lay between, the main results of an ORLU 505
// METER-mode file, no longer describes the rows), moves the kept rows after
// it and ends them with 0xFFFF.

#include "document/RecordIndex.h"
#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

/// The operations of the buffer block dialog.
enum class BlockEditOp : int { Delete = 2, Keep = 3, Copy = 5 };

/// What an edit did; an edited document's views must all be built again.
enum class BlockEditResult { Nothing, Refused, Edited, Copied };

/// Where a buffer lies in a document's image, in words.
struct BufferPlace {
    std::uint32_t fileStart = 0;    ///< first word of the file (an ORLU 505 prefix word included)
    std::uint32_t headEnd = 0;      ///< end of the header blocks: where the header record goes
    std::uint32_t recordStart = 0;  ///< the buffer header record
    std::uint32_t recordWords = 0;  ///< its words; the rows follow it
    std::uint32_t rowWords = 0;     ///< words per row, at least 1
    std::uint32_t records = 0;      ///< rows the document holds, clamped to those in the image
    bool checkWord = false;         ///< a copy ends with a check word (ORLU 505), else with 0xFFFF
};

/// The block between two markers (either order), clamped to the rows; empty without rows.
struct BlockRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};
std::optional<BlockRange> ClampBlock(std::int64_t markerA, std::int64_t markerB, std::uint32_t records);

/// Rows wholly inside the image after the header record, at most `declared`.
std::uint32_t RowsAfterRecord(const ImageReader& image, const BufferPlace& place, std::uint32_t declared);

/// Deletes (or keeps only) the block in place, moving the header record down to headEnd; index
/// follows the rows. Returns the word count of the edited data, the end word 0xFFFF included.
/// The place's rows must lie in the image.
std::uint32_t EditRowsInPlace(PagedFileImage& image, std::uint32_t byteCount, const BufferPlace& place,
                              BlockRange block, BlockEditOp op, RecordIndex& index);

/// The data of a measurement file of the block: the header words from fileStart to headEnd,
/// the header record, the rows, the check word (or 0xFFFF), then the block's RecordIndex numbers
/// as u32. The image must already carry the block's record count.
std::vector<std::uint8_t> BuildBlockImage(const ImageReader& image, const BufferPlace& place, BlockRange block,
                                          const RecordIndex& index);

} // namespace orlu
