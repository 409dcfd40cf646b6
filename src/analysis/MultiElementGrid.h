#pragma once
// The multi element picture of many spectra: the grid the view's options ask
// for (records, rows, columns, frequency range) and the matrix and ranges the
// graph-data renderer of the FFT or octave spectra fills for the engine.

#include <cstdint>
#include <vector>

namespace orlu {

inline constexpr int kMultiElementMaxCells = 60;

struct MultiElementGrid {
    // Asked for (the view's multi element options).
    double TimeStep = 1.0;           ///< seconds between two records
    std::uint32_t FirstRecord = 1;   ///< first record shown, at least 1
    std::uint32_t LastRecord = 2;    ///< last record shown, above the first
    std::int32_t Rows = kMultiElementMaxCells;    ///< time points, 2 to 60
    std::int32_t Columns = kMultiElementMaxCells; ///< frequency points, 2 to 60; bands shown for octaves
    double BeginFrequency = 0.0;     ///< frequency range to show
    double EndFrequency = 0.0;
    std::uint16_t BoxMode = 0;        ///< 1: the whole dotted box where the surface leaves it free
    std::uint16_t FrequencyLines = 1; ///< every spectrum's profile is drawn
    std::uint16_t TimeLines = 1;      ///< every column is joined from spectrum to spectrum

    // Filled by the renderer.
    std::vector<float> Values;       ///< Rows x Columns, row after row
    double FirstFrequency = 0.0;     ///< frequency range of the columns
    double LastFrequency = 0.0;
    double FirstShownFrequency = 0.0; ///< labels of the frequency axis
    double LastShownFrequency = 0.0;
    double FirstTime = 0.0;          ///< time range of the rows
    double LastTime = 0.0;
    double LevelRangeLow = 0.0;      ///< lowest value of the picture (the engine replaces it by the scaled range)
    double LevelRangeHigh = 0.0;     ///< highest value of the picture
    double LevelBottom = 0.0;        ///< the document's range bottom
    double LevelTop = 0.0;           ///< the document's range top + 10 dB
};

} // namespace orlu
