#pragma once
// The parser of a MONITOR stream: the station block after the first "#8",
// the setup block after the next "#1", then the data records, each indexed
// by its kind. The blocks are read again at every parse; the records only
// while no index stream exists, so a second parse costs only the blocks.

#include "monitor/MonitorDocument.h"
#include "monitor/MonitorStream.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Where a record's fields lie from its '[' (a continuation record lacks
/// the first 6 bytes and counts from its '#' = '[' + 6).
inline constexpr std::uint32_t kMonitorHashOffset = 6;
inline constexpr std::uint32_t kOctaveLengthOffset = 10;
inline constexpr std::uint32_t kOctavePayloadOffset = 12;
inline constexpr std::uint32_t kStatisticsSubKindOffset = 9;
inline constexpr std::uint32_t kStatisticsLengthOffset = 12;
inline constexpr std::uint32_t kStatisticsPayloadOffset = 14;

/// What a parse of the stream found.
enum class MonitorParseResult : std::uint8_t {
    Parsed,       ///< blocks read (the records, when scanned, to the end or a "#8X")
    Invalid,      ///< not a stream the program can show
    ZeroPeriod,   ///< the setup gives no integration period: nothing could be dated
};

/// Parses the stream into `m`: the blocks every time, the records when no
/// index stream exists yet. A record cut short ends the scan with
/// m.Incomplete set; the records before it stay indexed.
MonitorParseResult ParseMonitorStream(const MonitorStream& stream, MonitorDocument& m);

/// Moves p (on the record's kind digit; on the first byte of an unclassified
/// record) to the record's closing ';'. False when the stream ends first or
/// a length-prefixed record does not end on ';'.
bool SkipMonitorRecord(const MonitorStream& stream, std::uint8_t kind, std::uint32_t& p);

/// The document's parse: makes its MONITOR state on the first call, shows
/// "The file is not complete..." once when the first scan met a record cut
/// short, and returns false for a stream the program cannot show.
bool ParseMonitorFile(CTmDoc& doc);

/// The MONITOR state of a document, null before its first parse.
const MonitorDocument* MonitorStateOf(const CTmDoc& doc);

} // namespace orlu
