#pragma once
// What a document keeps of a MONITOR stream: the two blocks as the last parse
// read them, the fields derived from them, and the index streams (one byte
// offset per record of each kind), which the first parse builds and later
// parses keep.

#include "monitor/MonitorSetupBlock.h"
#include "monitor/MonitorStationBlock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

/// The six index streams.
enum MonitorStreamKind : int {
    kStreamCalibration = 0,
    kStreamSound,
    kStreamOctave,
    kStreamProfileStatistics,
    kStreamOctaveStatistics,
    kStreamMeteo,
    kMonitorStreamCount
};

/// Where each record of one kind begins: its '[' (a calibration record's '#').
/// Every record of an interval points to the interval's first record.
using MonitorIndexStream = std::optional<std::vector<std::uint32_t>>;

/// The class layout of one kind of histogram, 0.1 dB units.
struct MonitorHistogramLayout {
    int ClassCount = 0;
    int LowestClass = 0;
    int ClassWidth = 0;
};

struct MonitorDocument {
    MonitorStationBlock Station;
    MonitorSetupBlock Setup;
    /// The stop time a "#8,Q" record gave, when the stream has one.
    std::optional<MonitorTimeParts> RecordedStopTime;
    std::uint16_t StartTimeWord = 0; ///< 2-second units of the start's time of day

    std::array<MonitorIndexStream, kMonitorStreamCount> Streams;
    bool Scanned = false;    ///< the records were scanned once
    bool Incomplete = false; ///< the scan met a record cut short

    // Derived at every parse.
    int SoundColumns = 1;
    std::uint16_t SoundProfileMask = 1;
    std::uint16_t StatisticsProfileMask = 0;
    int StatisticsProfileCount = 0;
    std::uint32_t SoundRecordCount = 0;
    std::uint32_t MeteoRecordCount = 0;
    std::uint32_t CalibrationRecordCount = 0;
    std::int32_t OctaveRecordCount = 0;
    std::uint32_t ProfileStatisticsCount = 0;
    std::uint32_t OctaveStatisticsCount = 0;
    MonitorHistogramLayout ProfileLayout;
    MonitorHistogramLayout OctaveLayout;
    int OctaveStatisticsBands = 0;
    int SpectrumValues = 0; ///< 18 (1/1) or 48 (1/3); 0 without band setup
    int FrequencyBands = 0;

    /// The buffer after a "#8X2" record: byte offset and length; length 0 without one.
    std::uint32_t EmbeddedBufferStart = 0;
    std::uint32_t EmbeddedBufferLength = 0;
    std::uint32_t EmbeddedBufferDeclared = 0; ///< the length word before the buffer

    std::uint32_t Count(MonitorStreamKind kind) const
    {
        return Streams[kind] ? static_cast<std::uint32_t>(Streams[kind]->size()) : 0;
    }
    /// Offset of record n (from 1) of a stream; the caller keeps n inside the count.
    std::uint32_t Record(MonitorStreamKind kind, std::uint32_t n) const { return (*Streams[kind])[n - 1]; }
    bool Has(MonitorStreamKind kind) const { return Streams[kind].has_value(); }
};

} // namespace orlu
