#pragma once
// Plot states with synthetic data, for the graph tests, orlu-fixture plot
// and the benchmarks: a logger of N records per channel with a slow level
// swing, markers and breaks, a block between two markers with its running
// Leq and SEL, and the running total.

#include "graph/PlotStateFile.h"

#include <array>
#include <optional>

namespace orlu {

struct PlotFixtureOptions {
    int plotKind = 6;
    int panels = 2;
    int points = 200;
    std::optional<std::array<int, 2>> markers; ///< a block between two markers (one when both are equal)
    int cursor = 40;
    int sizeIndex = 0;
    /// Records per plotted point after a zoom (the plot then shows 500 points
    /// a pixel apart); 0: the whole logger fits the plot.
    int zoomStep = 0;
    // Spectra (band PlotKinds and the FFT, 9).
    bool peaks = false;    ///< peaks in colour
    bool tonality = false; ///< tones in colour and a masking-noise line
    int totalBars = 0;     ///< named totals the octave data carry
    int phaseUnit = -1;    ///< FFT: the phase graph in this unit (0 rad, 1 deg, 2 grad); -1 the spectrum
    // Multi element pictures (FFT, 9, and the octave kinds).
    std::optional<std::array<int, 2>> waterfall = std::nullopt; ///< rows and columns (octaves: every position of the kind)
    std::array<int, 2> lines{1, 1};              ///< frequency lines, time lines
    int boxMode = 0;
    int totalsShown = 1; ///< "Plot total(s)"
    // Time intersections (PlotKinds 7 and 28).
    double decayPerPoint = 1.0; ///< dB the decay falls per point
    double recordStep = 0.01;   ///< seconds between records
    int rtMethod = 0;           ///< an evaluation of this method (1 EDT .. 4 user) in progress; 0 none
    int rtStep = 0;             ///< its step: the points placed so far plus one
    bool noData = false;        ///< the panel's band has no plot
    // Waveforms (PlotKind 13, and 6 over samples).
    bool waveform = false;      ///< PlotKind 6: the buffer holds waveform samples
};

/// A plot state of the kind with synthetic data (kind 6: a logger with markers
/// and breaks; spectrum kinds: see MakeSpectrumPlotFixture).
PlotState MakePlotFixture(const PlotFixtureOptions& options);

/// An FFT spectrum (`points` lines, 1.25 Hz apart, two tones over a sloping
/// floor) or its phase (a sweep through -pi .. pi with a stretch beyond),
/// or an octave spectrum or statistical level of every band and total of its PlotKind.
PlotState MakeSpectrumPlotFixture(const PlotFixtureOptions& options);

/// A histogram of `points` 1 dB classes from 30 dB in every panel, a bell of
/// shares, with the block probability of the markers; for PlotKind 18 the
/// same bell as densities (1.0 at its peak).
PlotState MakeHistogramPlotFixture(const PlotFixtureOptions& options);

/// A multi element picture of `waterfall` rows: spectra of a logger of 61
/// records 1 s apart, a sloping floor with a ridge wandering across the
/// frequencies and a row in the middle that sinks below the rows in front.
PlotState MakeWaterfallPlotFixture(const PlotFixtureOptions& options);
/// A time intersection: 80 dB for three points, then a straight decay of
/// `decayPerPoint` dB per point down to a floor of 30 dB, records `recordStep`
/// apart; with `rtMethod` an evaluation at `rtStep` whose points lie on the
/// crossings of the band record the reverberation computation filled.
PlotState MakeDecayPlotFixture(const PlotFixtureOptions& options);

/// A time waveform of `points` samples at 48 kHz (PlotKind 13), or with
/// `waveform` a buffer of samples 1 ms apart (PlotKind 6): a burst whose
/// largest sample is 0.3 of full scale, in every panel.
PlotState MakeWaveformPlotFixture(const PlotFixtureOptions& options);

/// The positions of a band graph of the PlotKind: its bands and the totals its axis shows.
int SpectrumFixturePositions(int plotKind);

} // namespace orlu
