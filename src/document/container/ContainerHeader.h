#pragma once
// The header of the program's measurement container (.orl) and the directory
// entries of a Multifile. Layout (little-endian):
//
//   header   0  8  "OrluPC" 1A 00   (a reader compares bytes 0 to 6)
//            8  2  header length H  (written 32; read 32 to 512, bytes 18..H-1 skipped)
//           10  1  FileKindCode
//           11  1  sub-kind
//           12  1  flags: 1 = 1/3-octave RT block, 2 = 1/1-octave RT block, 4 = held or reduced store
//           13  1  0
//           14  4  data length in bytes
//           18 14  zero
//
//   entry    0 10  name, NUL-terminated        12  4  offset of the file in the data
//           10  1  FileKindCode                16  4  length of the file
//           11  1  padding                     20  4  previous link (not read)
//                                              24  4  next link: 0 in the last entry only
//
// Links are written as entry numbers: the previous link of entry i (from 0)
// is i, the next link i + 2, and 0 in the last entry.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

inline constexpr std::uint32_t kContainerHeaderSize = 32;
inline constexpr std::uint32_t kMaxContainerHeaderSize = 512;
inline constexpr char kContainerSignature[8] = {'O', 'r', 'l', 'u', 'P', 'C', 0x1A, 0x00};
/// How many signature bytes a reader compares.
inline constexpr std::uint32_t kSignatureBytesCompared = 7;

/// Flag bits of the header.
inline constexpr std::uint8_t kFlagRtThirdOctave = 1;
inline constexpr std::uint8_t kFlagRtOctave = 2;
inline constexpr std::uint8_t kFlagHeldOrReduced = 4;

/// Offsets in the header.
inline constexpr std::uint32_t kHeaderLengthOffset = 8;
inline constexpr std::uint32_t kHeaderKindOffset = 10;
inline constexpr std::uint32_t kHeaderSubKindOffset = 11;
inline constexpr std::uint32_t kHeaderFlagsOffset = 12;
inline constexpr std::uint32_t kHeaderDataLengthOffset = 14;

/// Writes the 32 header bytes; returns 32.
std::uint32_t BuildContainerHeader(std::span<std::uint8_t, kContainerHeaderSize> buffer, std::uint8_t kind,
                                   std::uint8_t subKind, std::uint8_t flags, std::uint32_t dataLength);

inline constexpr std::uint32_t kMultifileEntrySize = 28;

/// One file inside a Multifile.
struct MultifileEntry {
    std::array<std::uint8_t, 10> Name{}; ///< as stored: the name, NUL-terminated
    std::uint8_t FileKind = 0;
    std::uint32_t Offset = 0; ///< byte offset of the file inside the data
    std::uint32_t Length = 0; ///< byte length of the file

    /// The name up to its NUL (at most 10 bytes).
    std::string NameText() const;

    /// Reads an entry; nextLink gets its link to the next entry.
    static MultifileEntry Parse(std::span<const std::uint8_t, kMultifileEntrySize> bytes, std::uint32_t& nextLink);
    /// Writes the entry with the given links.
    void Write(std::span<std::uint8_t, kMultifileEntrySize> bytes, std::uint32_t previousLink,
               std::uint32_t nextLink) const;
};

} // namespace orlu
