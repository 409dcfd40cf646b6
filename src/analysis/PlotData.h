#pragma once
// What the graph-data renderers hand to the graph engine: the plot arrays of
// every graph kind and the results of each panel. A renderer fills the
// arrays of its kind for one panel (channel, profile or row) per call; the
// graph engine reads them (its GraphViewState is a PlotData with the view's
// choices beside it).

#include "analysis/MultiElementGrid.h"
#include "analysis/PlotSeries.h"
#include "analysis/spectra/Tonality.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

inline constexpr int kMaxGraphPanels = 5;
/// The panel of the rotation series of four-channel loggers.
inline constexpr int kRpmPanel = 4;

template <typename T> using PanelArray = std::array<T, kMaxGraphPanels>;

/// The masking-noise regression line of the tonality analysis:
/// level = Slope x (line - FirstLine) + Intercept.
struct NoiseLine {
    std::int32_t FirstLine = 0;
    std::int32_t LastLine = 0;
    double Slope = 0.0;
    double Intercept = 0.0;
};

struct PlotData {
    // Titles.
    std::string GraphTitle;
    std::string GraphSubtitle;
    PanelArray<std::string> PanelTitles;
    PanelArray<std::string> PanelResultNames; ///< the result each panel shows (16 characters)
    std::string LabelText;                    ///< the band or line a time intersection follows

    // Time histories (buffers, loggers, intersections): one series per panel.
    PanelArray<PlotSeries> BufferValues; ///< main series of each panel
    PanelArray<PlotSeries> SeriesA;      ///< running total from the first point
    PanelArray<PlotSeries> SeriesB;      ///< running Leq/RMS inside the block, from the first marker
    PanelArray<PlotSeries> SeriesC;      ///< running SEL inside the block, from the first marker
    PlotSeries RpmValues;
    std::vector<std::uint32_t> TimeStamps; ///< record number (1-based) of every record shown
    std::vector<double> DecayTimeValues;   ///< seconds of every point of a time intersection

    // The other kinds: the values of the panels one after the other
    // (ClassStride values per panel for histograms and densities, lines + 1 per
    // channel for FFT spectra, 52 per panel for octaves), over these x axes.
    PlotSeries PlotValues;
    std::vector<double> FrequencyValues;      ///< Hz; sample numbers for waveforms
    std::vector<double> HistogramClassValues; ///< class bounds, dB
    std::vector<double> DensityClassValues;   ///< class bounds, dB
    /// FFT spectra: per value of PlotValues, 0 none, 1 a peak or a line near its tone's
    /// peak, 2 another line of a tone.
    std::vector<std::uint8_t> SpectrumMarks;
    NoiseLine Noise;
    MultiElementGrid Grid; ///< the picture of many spectra, in multi element mode

    // Per-panel results.
    PanelArray<double> BlockLmax{};           ///< time histories: maximum of the marked block
    PanelArray<double> BlockLmin{};           ///< time histories: minimum of the marked block
    PanelArray<double> BlockValue{};
    PanelArray<double> BlockLevel{};
    PanelArray<std::uint8_t> VdvPanel{};      ///< the panel shows the VDV result
    PanelArray<double> HistogramPeak{};       ///< largest class share, percent
    PanelArray<double> BlockProbability{};    ///< share of the marked classes, percent
    PanelArray<double> SpectrumBlockValues{}; ///< total of the marked bands or lines
    std::uint8_t GraphForm = 0; ///< what the octave renderers made: 2 bars of one spectrum, 1 or 2 a picture
    PanelArray<double> CursorTotals{};        ///< FFT: the total of the lines shown
    PanelArray<double> DecayBlockFirst{};     ///< time intersections: the block's two values
    PanelArray<double> DecayBlockSecond{};
    double RpmRangeTop = 1.0; ///< top of the rotation panel's axis: 1.1 x the fastest speed, at least 1
    double HistLow = 0.0;   ///< lowest class bound, dB
    double HistWidth = 1.0; ///< class width, dB
    std::int16_t HistClasses = 0;
    std::int32_t ClassStride = 0; ///< values per panel in PlotValues

    // FFT spectra: the level axis the renderer sets and the tonality of the spectrum analysed.
    double LevelBottom = 0.0;
    double LevelTop = 0.0;
    TonalityResult Tonality;
    bool TonalityAnalysed = false;
};

} // namespace orlu
