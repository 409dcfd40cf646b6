#pragma once
// Reverberation-time records as the document keeps and stores them: per band
// set (1/3 octave and 1/1 octave) the current records and a saved copy, each
// RT channel count x band count records of 120 bytes in the document's pool.
// The container holds them as opaque blocks; only the status bytes (0 to 4)
// and the eleven 32-bit result words (offsets 16 to 59) decide whether a set
// holds results and whether they changed.

#include <cstdint>
#include <span>

namespace orlu {

class PagePool;

inline constexpr std::uint32_t kRtBandRecordSize = 120;

struct RtBandSet {
    bool BlockInFile = false;       ///< the file brought a block for this set
    std::uint8_t ComputedFlag = 0;  ///< 1 (1/3 octave) or 2 (1/1 octave) while current records exist
    std::uint8_t* Saved = nullptr;  ///< the block read from the file, or the copy of the last store
    std::uint32_t SavedBytes = 0;   ///< its length as read: the decoders check it against their size
    std::uint8_t* Current = nullptr;
    std::uint32_t CurrentBytes = 0;

    std::span<const std::uint8_t> SavedRecords() const { return {Saved, Saved ? SavedBytes : 0u}; }
    std::span<const std::uint8_t> CurrentRecords() const { return {Current, Current ? CurrentBytes : 0u}; }
};

/// How AllocRtBandRecords ended.
enum class RtAlloc {
    Made,           ///< current records exist (copied from the file's block, or cleared)
    OutOfMemory,    ///< the pool could not supply them
    BlockMismatch,  ///< the file's block has another size: it was dropped and the records cleared
};

/// Makes the current records of a set for rtChannels x bands records. When
/// the file brought a block of exactly that size the records are copied from
/// it (it stays the saved copy); a block of another size is dropped (never
/// read past its end). Otherwise the records are cleared, with their time
/// step, and a zeroed saved copy is made. A set that already has records of
/// that size keeps them, so a decode that runs again allocates nothing.
RtAlloc AllocRtBandRecords(PagePool& pool, RtBandSet& set, std::uint32_t rtChannels, std::uint32_t bands,
                           double timeStep, std::uint8_t computedFlag);

/// True when no record carries a computed result: every status byte is 0 or 1.
bool RtBandRecordsEmpty(std::span<const std::uint8_t> records);

/// True when any status byte or result word differs between the two sets (or their sizes do).
bool RtBandRecordsDiffer(std::span<const std::uint8_t> current, std::span<const std::uint8_t> saved);

} // namespace orlu
