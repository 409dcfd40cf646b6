#pragma once
// The record chain of an instrument file: records of 16-bit little-endian
// words, one after another, found only by walking from the first.
//
//   word 0   low byte: record type; high byte: length in words, word 0 included
//   word 1   the length when the high byte is 0; otherwise the first data word
//   ...      data; the next record starts at start + length
//   0xFFFF   the end of the chain
//
// For example the words 0x0401 0x1234 0x5678 0x9ABC, 0x0002 0x0003 0x0011,
// 0xFFFF are a record of type 1 and four words, a record of type 2 whose three
// words are counted in its word 1, and the end.
//
// A walk never reads outside the image: a length that runs past the image
// or a zero length (which would never move on) ends it, and the caller learns
// why. Decoders turn such an end into their load error.

#include "document/image/PagedFileImage.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <optional>

namespace orlu {

/// A chain that cannot be walked to its end: a zero length or a length past the image.
class RecordChainError : public ImageRangeError {
public:
    using ImageRangeError::ImageRangeError;
};

/// A set of record types (0 to 255).
class RecordTypeSet {
public:
    constexpr RecordTypeSet() = default;
    constexpr RecordTypeSet(std::initializer_list<int> types)
    {
        for (int type : types)
            m_Bits[static_cast<std::size_t>(type >> 6) & 3] |= std::uint64_t{1} << (type & 63);
    }
    constexpr bool Has(std::uint8_t type) const { return (m_Bits[type >> 6] >> (type & 63)) & 1u; }

private:
    std::array<std::uint64_t, 4> m_Bits{};
};

/// Where a walk reads the length of a record.
struct LengthRule {
    bool word1WhenHighByteZero = true; ///< false: the length is the high byte, 0 ends the walk
    RecordTypeSet alwaysWord1{};       ///< types whose length is read from word 1 whatever the high byte
};
/// The chain's own rule: the high byte, or word 1 when the high byte is 0.
inline constexpr LengthRule kHighByteOrWord1{};
/// Only the high byte.
inline constexpr LengthRule kHighByteOnly{false, {}};

/// One record of a chain.
struct RecordView {
    const ImageReader* image = nullptr;
    std::uint32_t start = 0;  ///< word index of word 0
    std::uint16_t word0 = 0;
    std::uint32_t length = 0; ///< words, word 0 included; 0 when zero or unreadable
    bool lengthInWord1 = false;

    std::uint8_t Type() const { return static_cast<std::uint8_t>(word0 & 0xFF); }
    std::uint8_t HighByte() const { return static_cast<std::uint8_t>(word0 >> 8); }
    /// The word after the record.
    std::uint32_t End() const { return start + length; }
    /// Word i of the record (word 0 is the type word); checked against the image.
    std::uint16_t Word(std::uint32_t i) const { return image->Word(start + i); }
    /// The unsigned 32-bit value at words i and i + 1 (low half first).
    std::uint32_t Int32AtWord(std::uint32_t i) const { return image->Int32AtWord(start + i); }
};

/// Why a walk ended.
enum class ChainEnd {
    Walking,    ///< not ended yet
    EndMark,    ///< the word 0xFFFF
    Bound,      ///< the end bound (the sub-file or image end) without an end mark
    DataMark,   ///< the stop word set with StopAt (buffer data follow)
    ZeroLength, ///< a record of length 0
    Overrun,    ///< a record running past the image
};

/// A walk over the records from a start word up to an end bound.
class RecordChain {
public:
    /// Walks from start to the end of the image.
    RecordChain(const ImageReader& image, std::uint32_t start, LengthRule rule = kHighByteOrWord1);
    /// Walks from start to the word before end (or the image end, if earlier).
    RecordChain(const ImageReader& image, std::uint32_t start, std::uint32_t end, LengthRule rule = kHighByteOrWord1);

    /// The next record, or nothing when the walk has ended.
    std::optional<RecordView> Next();

    /// Ends the walk when it reaches word `word` (where buffer data begin).
    void StopAt(std::uint32_t word);

    ChainEnd EndReason() const { return m_End; }
    /// Where the walk is or ended: the end mark, the bound, or the broken record.
    std::uint32_t Position() const { return m_Pos; }
    /// True when the walk ended on a zero length or a record past the image.
    bool Broken() const { return m_End == ChainEnd::ZeroLength || m_End == ChainEnd::Overrun; }
    /// Throws RecordChainError when the walk ended broken.
    void ThrowIfBroken() const;

    /// Iteration with range-for; the chain keeps the end reason.
    class Iterator {
    public:
        using value_type = RecordView;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(RecordChain* chain, std::optional<RecordView> current) : m_Chain(chain), m_Current(current) {}
        const RecordView& operator*() const { return *m_Current; }
        const RecordView* operator->() const { return &*m_Current; }
        Iterator& operator++()
        {
            m_Current = m_Chain->Next();
            return *this;
        }
        void operator++(int) { ++*this; }
        bool operator==(std::default_sentinel_t) const { return !m_Current; }

    private:
        RecordChain* m_Chain = nullptr;
        std::optional<RecordView> m_Current;
    };
    Iterator begin() { return Iterator(this, Next()); }
    std::default_sentinel_t end() const { return {}; }

private:
    const ImageReader* m_Image;
    LengthRule m_Rule;
    std::uint32_t m_Pos;
    std::uint32_t m_Bound;
    std::uint32_t m_DataMark = UINT32_MAX;
    ChainEnd m_End = ChainEnd::Walking;
    std::optional<RecordView> m_Current;
};

/// The record at word `start` read with `rule` (its length 0 when unreadable).
RecordView ReadRecordAt(const ImageReader& image, std::uint32_t start, const LengthRule& rule = kHighByteOrWord1);

} // namespace orlu
