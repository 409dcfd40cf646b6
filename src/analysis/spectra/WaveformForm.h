#pragma once
// The text and table forms of the Time waveforms view (ViewKind 8): the
// samples of an ORLU 505 Time file's waveform blocks, scaled to volts, or to
// pascal (microphones) or m/s2 (charge and accelerometer inputs) when the
// unit option asks for physical units; and the plot data of one block, the
// samples as fractions of full scale.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

struct WaveformChoice {
    int record = 1;                ///< from 1
    int channel = 0;               ///< of interleaved channels
    std::uint16_t channelMask = 0; ///< interleaved channels: a block per channel of the mask
    bool allRecords = false;       ///< a block per record
    std::uint8_t unitOption = 0;
    bool block = false;            ///< only the samples between the cursors
    std::uint32_t blockFirst = 0;  ///< sample indexes from 0
    std::uint32_t blockLast = 0;
};

/// Clears the lines and writes the text form; 0 when the file holds no usable waveform.
int FormatWaveformText(LineList& lines, int* widest, CTmDoc& doc, const WaveformChoice& choice);
/// Appends the table form: one waveform as three column pairs, several (every record, or
/// the mask's interleaved channels) as one sample cross table; 0 when the file holds no
/// usable waveform.
int FormatWaveformTable(LineList& lines, int* widest, CTmDoc& doc, const WaveformChoice& choice,
                        const TableOutputOptions& options);

/// The samples of record `record`'s block of a channel as fractions of full
/// scale (sample / 32768), x the sample numbers from 1; none without a usable block.
struct WaveformPoints {
    std::vector<std::int32_t> x;
    std::vector<double> y;
};
std::optional<WaveformPoints> GetWaveformPoints(const CTmDoc& doc, int record, int channel);

} // namespace orlu
