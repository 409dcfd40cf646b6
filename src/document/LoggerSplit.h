#pragma once
// Splitting an instrument logger. Between the fixed-length rows of a logger
// the instrument writes marker words (0x8xxx) and break words (0xBxxx, a
// 32-bit count of records not stored in its low byte and the low bytes of the
// next three words; four-channel loggers also write 0xAxxx words of the same
// shape, which carry nothing the program shows). The split copies the header
// words and the plain rows into a new, compact image, lists the markers and
// breaks, and numbers every kept row on the instrument's time line:
//
//   rows r1, marker 5, r2, break 258, r3   ->  index 1, 2, 261;
//   markers {2, 5}; breaks {3, 258}
//
// (a marker or break belongs to the number of the record after it).
//
// A page of the compact image that would be a word-for-word copy of a whole
// page of the source is not copied: the compact image holds the source's page,
// marked shared (see PagedFileImage), so the rows before the first marker or
// break, all of them in a logger without any, are not held twice.

#include "document/RecordIndex.h"
#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <vector>

namespace orlu {

/// A marker: the number of the record after it and the marker's number (low byte of its word).
struct LoggerMarker {
    std::uint32_t record = 0;
    std::uint8_t marker = 0;
    bool operator==(const LoggerMarker&) const = default;
};

/// A break: the number of the record after it and the count of records not stored.
struct LoggerBreak {
    std::uint32_t record = 0;
    std::uint32_t skipped = 0;
    bool operator==(const LoggerBreak&) const = default;
};

/// The kinds of time history the split knows.
enum class LoggerVariant : std::uint8_t {
    CurrentLogger,     ///< record 15 loggers of current-family files: markers and breaks listed
    FourChannelLogger, ///< record 24 loggers: markers listed, breaks counted, 0xA words dropped
    Waveform,          ///< record 43 recordings: every word starts a row
};

inline constexpr std::uint32_t kUnknownRecordCount = 0xFFFFFFFFu;

struct LoggerSplitInput {
    LoggerVariant variant = LoggerVariant::CurrentLogger;
    std::uint32_t dataStart = 0;   ///< word where the rows begin
    std::uint32_t rowLength = 0;   ///< words per row; must not be 0
    std::uint32_t declaredCount = kUnknownRecordCount;
};

struct LoggerSplitResult {
    PagedFileImage image;          ///< the compact image: header words, rows, 0xFFFF
    std::uint32_t byteCount = 0;   ///< its bytes
    RecordIndex index;
    std::vector<LoggerMarker> markers;
    std::vector<LoggerBreak> breaks;
    std::uint32_t kept = 0;        ///< rows copied
    std::uint32_t lastNumber = 0;  ///< number of the last row, breaks included
    std::uint32_t expected = 0;    ///< the declared count, or the count the data can hold
};

/// Splits the rows of `source` (read up to its last word, the end word, which
/// is not scanned) into `out`, taking the compact image's pages from `pool`.
/// False when the pool has no page left (out is then incomplete). When the compact image
/// shares pages, the caller marks the source's pages shared (ShareAllPages) before
/// either image is written.
bool SplitLogger(const ImageReader& source, PagePool& pool, const LoggerSplitInput& input, LoggerSplitResult& out);

} // namespace orlu
