#pragma once
// Blocks inside one record of a four-channel file: the histogram record keeps
// a block of class counts per channel after its head. Word 0 of the record
// gives the head's length in its high byte, word 1 the number of blocks in its
// high byte; each block holds its length in words in its word 1, its id (the
// channel) in its word 2, and its data from its word 3.

#include "document/image/PagedFileImage.h"

#include <cstdint>

namespace orlu {

/// Where the data of a record's block lie: the word after the block's word 2,
/// and the words of the block left from there.
struct RecordBlock {
    std::uint32_t data = 0; ///< 0: no block has the id
    std::uint32_t words = 0;
};

/// The block of `id` in the record at word `record`; every word read lies before
/// `end` (the end of the sub-file), a block that runs past it or a length of 0
/// ends the walk with "not found".
RecordBlock FindRecordBlock(const ImageReader& image, std::uint32_t record, std::uint16_t id, std::uint32_t end);

} // namespace orlu
