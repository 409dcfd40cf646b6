#pragma once
// A time intersection: the level of one FFT line or one octave band in every
// spectrum of a file of many spectra, as a time history, optionally as its
// running RMS from the first spectrum, reduced by a number of spectra per
// point and smoothed; shown as text and table. ORLU 505 ANALYZER-mode files
// of FFT, 1/1 or 1/3 octave spectra give them, and current-family loggers of
// such spectra.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

/// What the view chose.
struct TimeIntersectionChoice {
    int bandKind = 3;            ///< 2 FFT lines, 3 1/1 octaves, 4 1/3 octaves
    int band = 1;                ///< from 1: the line or band; past the bands a total
    int recordDegree = 1;        ///< spectra per point
    int fftDegree = 1;           ///< FFT lines per group: the band is a group of the Spectra view
    std::uint8_t unitOption = 0; ///< the view's unit option (0 the level in dB for a microphone)
    bool running = false;        ///< the running RMS from the first spectrum
    bool smoothed = false;       ///< the 7-point moving average of the points
    int channel = 0;
    std::uint16_t channelMask = 0; ///< several channels, one block each; 0 the channel alone
    bool block = false;          ///< only the points between the cursors
    std::uint32_t blockFirst = 0; ///< the cursors' spectra, from 0
    std::uint32_t blockLast = 0;
};

/// The points of one channel, and what the forms say of them.
struct TimeIntersection {
    std::vector<double> points; ///< dB or linear
    std::string label;          ///< "1 kHz", "12.5 Hz", "Total"
    bool db = true;
    std::uint16_t unitIndex = 0; ///< 0 dB, 1 V, 2 Pa, 3 m/s2, 4 m/s, 5 m
    std::uint16_t inputKind = 0;
    std::size_t first = 0;      ///< the points shown
    std::size_t count = 0;
};

/// One channel's values of the line or band, one linear value per spectrum
/// (the stored level without the channel's offset for a dB display).
struct IntersectionSeries {
    std::vector<double> values;
    std::string label;
    bool db = true;
    std::uint16_t unitIndex = 0;
    std::uint16_t inputKind = 0;
    double timeStep = 1.0; ///< seconds between two spectra
};

/// The statistics of the block between the cursors, from its first spectrum: the running
/// RMS and exposure reduced by the record degree as the series is, and the block's lowest
/// and highest value (levels for a dB display). Not shown without a block, or one that
/// lies past the data; a block reaching past the data stops at its end.
struct IntersectionBlockStatistics {
    bool shown = false;
    std::vector<double> running;
    std::vector<double> exposure;
    double minimum = 0.0;
    double maximum = 0.0;
};

/// The label of FFT line group a: "Total" ("TOTAL" in a graph) at the total's
/// position (1 first, 2 after the lines), else its frequency with as many
/// decimals as the resolution's first five need, and " Hz".
std::string FftLineLabel(int a, int lines, int totalPosition, double start, double resolution, int degree,
                         bool graph);

/// The intersection of one channel, none when the file holds no such spectra
/// or the band lies past them.
std::optional<TimeIntersection> ReadTimeIntersection(CTmDoc& doc, const TimeIntersectionChoice& choice,
                                                     int channel);

/// The values of one channel, none when the file holds no such spectra or the band lies past them.
std::optional<IntersectionSeries> ReadIntersectionSeries(CTmDoc& doc, const TimeIntersectionChoice& choice,
                                                        int channel);
IntersectionBlockStatistics BlockStatisticsOf(const IntersectionSeries& series, const TimeIntersectionChoice& choice);

/// Clears the lines and writes the text form; 0 when the file holds no such spectra.
int FormatTimeIntersectionText(LineList& lines, int* widest, CTmDoc& doc, const TimeIntersectionChoice& choice);
/// Appends the table form; 0 when the file holds no such spectra.
int FormatTimeIntersectionTable(LineList& lines, int* widest, CTmDoc& doc, const TimeIntersectionChoice& choice,
                                const TableOutputOptions& options);

} // namespace orlu
