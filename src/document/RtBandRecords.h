#pragma once
// Reverberation-time records as the document keeps and stores them: per band
// set (1/3 octave and 1/1 octave) the current records and a saved copy, each
// RT channel count x band count records of 120 bytes in the document's pool.
// The container holds them as opaque blocks; only the status bytes (0 to 4)
// and the eleven 32-bit result words (offsets 16 to 59) decide whether a set
// holds results and whether they changed.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace orlu {

class PagePool;

inline constexpr std::uint32_t kRtBandRecordSize = 120;

/// Byte offsets of the fields of one record (little-endian; stored in the
/// container unchanged, so this is a file layout). Status bytes 1 to 4 are
/// those of EDT, RT20, RT30 and the user interval; the levels are doubles.
namespace rtrec {
inline constexpr std::size_t kStatus = 0;          ///< + method 1 to 4
inline constexpr std::size_t kMethod = 5;          ///< the method the view restored last
inline constexpr std::size_t kTimeStep = 8;        ///< f64 seconds between records
inline constexpr std::size_t kReferenceFirst = 16; ///< i32 records of the reference interval
inline constexpr std::size_t kReferenceLast = 20;
inline constexpr std::size_t kCross5 = 24;         ///< i32 records of the -5, -10, -25, -35 dB crossings
inline constexpr std::size_t kCross10 = 28;
inline constexpr std::size_t kCross25 = 32;
inline constexpr std::size_t kCross35 = 36;
inline constexpr std::size_t kUserFirst = 40;      ///< i32 records of the user interval
inline constexpr std::size_t kUserLast = 44;
inline constexpr std::size_t kEvaluationMode = 56; ///< u8
inline constexpr std::size_t kReferenceLevel = 64; ///< f64 L0, then the level at each record above:
inline constexpr std::size_t kLevel5 = 72;
inline constexpr std::size_t kLevel10 = 80;
inline constexpr std::size_t kLevel25 = 88;
inline constexpr std::size_t kLevel35 = 96;
inline constexpr std::size_t kUserFirstLevel = 104;
inline constexpr std::size_t kUserLastLevel = 112;
} // namespace rtrec

/// A field of a record: records live in pool memory at any alignment, so
/// every field goes through memcpy.
template <typename T>
T GetRtField(std::span<const std::uint8_t> record, std::size_t offset)
{
    T value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

template <typename T>
void PutRtField(std::span<std::uint8_t> record, std::size_t offset, T value)
{
    std::memcpy(record.data() + offset, &value, sizeof value);
}

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

/// Clears every record of the span (the view's "Clear all r. time data"):
/// everything 0 but the time step between records.
void ClearRtBandRecords(std::span<std::uint8_t> records, double timeStep);

/// True when no record carries a computed result: every status byte is 0 or 1.
bool RtBandRecordsEmpty(std::span<const std::uint8_t> records);

/// True when any status byte or result word differs between the two sets (or their sizes do).
bool RtBandRecordsDiffer(std::span<const std::uint8_t> current, std::span<const std::uint8_t> saved);

} // namespace orlu
