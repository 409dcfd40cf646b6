#pragma once
// Where the instrument file lies inside a file on disk, read the way the
// loader reads it: the program's container (header length 32 to 512; the
// data length honoured when the header says reverberation blocks follow, or
// for edited files whose record index follows) or a DOS *.M / *.A file
// (prefix, skipped bytes, then the file to the end). Whatever comes after the
// data (reverberation blocks, a record index) and any longer header never
// belongs to the instrument file.

#include <cstdint>
#include <istream>
#include <optional>

namespace orlu {

struct ContainerLayout {
    std::uint8_t fileKind = 0;   ///< the FileKindCode as written (DOS: 3 or 4)
    std::uint8_t subKind = 0;
    std::uint64_t dataOffset = 0; ///< first byte of the instrument file
    std::uint64_t dataLength = 0;
};

/// Reads the header of a file of `fileLength` bytes from the stream's start;
/// none when the loader would refuse it (wrong signature, a header length
/// outside 32..512, a header cut short).
std::optional<ContainerLayout> ReadContainerLayout(std::istream& in, std::uint64_t fileLength);

} // namespace orlu
