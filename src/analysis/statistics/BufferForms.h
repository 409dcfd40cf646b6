#pragma once
// The text and table forms of the buffer of an ORLU 505 METER-mode file: the
// levels of one logged result per record, three position-value columns to a
// row (filled column by column), reduced by the view's aggregation degree or
// replaced by the running total.

#include "analysis/PlotData.h"
#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <array>
#include <cstdint>

namespace orlu {

/// What the view chose for a buffer form.
struct BufferChoices {
    std::uint16_t channelMask = 0; ///< the channels shown; 0 for a file without channels
    /// Microphones: 1 linear units, 0 dB; other inputs: 0 linear units, 1 dB.
    std::uint8_t units = 0;
    bool totals = false;           ///< the running total in place of the levels, where the result has one
    /// Per channel: the 0-based ordinal of the logged result shown.
    std::array<std::uint8_t, 5> resultIndex{};
    int degree = 1;                ///< aggregation degree, at least 1
    /// A marked block of record positions (first, last, both included), when two markers are set.
    bool block = false;
    std::array<std::uint32_t, 2> markers{};
    /// The graph's block results between the markers: running Leq, maximum, minimum, running SEL.
    std::array<bool, 4> blockResults{};
};

/// The text form. A file without a time history shows the first channel's caption and
/// parameter lines only. Returns false when the document is no decoded legacy-family file.
bool TextBuffer(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices);

/// The table form, appended to the lines; sets the content byte to 2. A file of one
/// channel gives position-value pairs, a file of several a column per channel shown.
/// Returns false when the document is no legacy-family file with a buffer.
bool TableBuffer(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const BufferChoices& choices,
                 const TableOutputOptions& options);

/// The graph data of one panel: channel `panel` (a file of one channel fills panel 0
/// only). Its record numbers, aggregated levels, the running total when shown, and with
/// a marked block the block's running Leq and SEL series (from the first marker, 0 after
/// the block) and its maximum and minimum; the panel's title and VDV flag. False when
/// the panel's channel logs nothing or the file has no buffer.
bool GraphBuffer(CTmDoc& doc, PlotData& data, int panel, const BufferChoices& choices);

} // namespace orlu
