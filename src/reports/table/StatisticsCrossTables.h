#pragma once
// The multi element tables of the statistics: class histograms, statistical
// densities and statistical levels of several channels, profiles, sub-files
// or octave bands side by side. The document side gathers what each element
// holds (its label, its lowest class and its class counts); these writers lay
// the tables out on the cross-table rows, in two layouts chosen by the format
// flag modulo 2: 0 a row per element (levels: per column), 1 a row per class
// (levels: per Ln).
//
// Percent of class c = N(c) x 100 / total; density of class c = the percent
// of results at or above it; the total covers every class of the element,
// also when only a block of classes is shown, and a total of 0 counts as 1.

#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

class MultiSpectrumMatrix;

/// What the elements of a cross table are; it names their label row.
enum class CrossElementKind : std::uint8_t { File, Channel, Profile };

/// The classes a table shows: all, or the block first to last (the view's block mode).
struct ClassBlock {
    bool Shown = false;
    std::uint16_t First = 0;
    std::uint16_t Last = 0;
};

/// One channel, profile or sub-file of a histograms or densities cross table.
struct StatElement {
    std::string Label;                 ///< a sub-file name, "#1", "#1:P2" or "Vector"
    std::string Function;              ///< its function name, shown when the table has a function row
    std::int32_t Lowest = 0;           ///< its lowest class, 0.1 dB
    std::vector<std::uint32_t> Counts; ///< per class (the densities cross table reads a matrix instead)
};

struct StatCrossTable {
    /// The caption after "Blocks of ", blanks still blanks ("Histograms:  Profile 1:").
    std::string Caption;
    CrossElementKind Kind = CrossElementKind::Channel;
    bool FunctionRow = false;
    std::uint16_t ClassCount = 0;
    std::int32_t Width = 10; ///< class width, 0.1 dB
    ClassBlock Block;
    std::vector<StatElement> Elements;
};

/// The percent of every shown class of every element. Returns 1 (written).
int WriteHistogramsCrossTable(LineList& lines, int* widthOut, const StatCrossTable& table,
                              const TableOutputOptions& options);

/// The densities of every element from `densities`: the value of element e at shown
/// class r is value ClassCount x e + r (line r of column e). Returns 1 (written).
int WriteDensitiesCrossTable(LineList& lines, int* widthOut, const StatCrossTable& table,
                             const MultiSpectrumMatrix& densities, const TableOutputOptions& options);

/// One octave band (or a band total) of a histogram or density table.
struct BandCounts {
    double Frequency = 0.0;            ///< centre frequency, Hz
    std::string TotalName;             ///< a total's name; empty for a band
    std::vector<std::uint32_t> Counts; ///< per class
};

struct BandStatTable {
    std::string Caption;             ///< "Histograms:", "Histograms (file:NAME):" ...
    std::vector<double> ClassBounds; ///< lower bound of every class, dB
    ClassBlock Block;
    std::vector<BandCounts> Bands;
};

/// The percent of every class of every band, each over the first band's total (the
/// bands of one measurement count the same results). Returns 1 (written).
int WriteHistogramTable(LineList& lines, int* widthOut, const BandStatTable& table, const TableOutputOptions& options);

/// The density of every class of every band over the band's own total. Returns 1.
int WriteDensityTable(LineList& lines, int* widthOut, const BandStatTable& table, const TableOutputOptions& options);

/// What the columns of a levels cross table are.
enum class LevelColumnKind : std::uint8_t { Band, Channel, Profile };

/// One column of a levels cross table: a band (frequency or total name) or a channel.
struct LevelColumn {
    std::string Label;      ///< channel label, or a band total's name
    double Frequency = 0.0; ///< a band's centre frequency (Label empty)
    std::string Function;
    std::int32_t Lowest = 0; ///< lowest class, 0.1 dB
    std::vector<std::uint32_t> Counts;
    /// Levels the file stores itself (dB, in the order of the percentages); when
    /// given, the counts are not read.
    std::vector<double> StoredLevels;
    /// Its class width (0.1 dB), where the channels of a table differ; 0: the table's.
    std::int32_t Width = 0;
};

struct LevelsCrossTable {
    std::string Caption; ///< "Statistical levels:", "Statistical levels for Histograms:" ...
    LevelColumnKind Kind = LevelColumnKind::Band;
    bool FunctionRow = false;
    std::int32_t Width = 10; ///< class width, 0.1 dB
    std::vector<std::uint8_t> Percentages; ///< the n of each Ln row
    std::vector<LevelColumn> Columns;
};

/// The levels Ln of every column, read off its cumulative distribution. Returns 1.
int WriteLevelsCrossTable(LineList& lines, int* widthOut, const LevelsCrossTable& table,
                          const TableOutputOptions& options);

/// The exceedance percentages of a histogram: entry c is the percent of the counts in
/// class c or above, over all the counts (a total of 0 counts as 1).
std::vector<double> ExceedancePercents(std::span<const std::uint32_t> counts);

} // namespace orlu
