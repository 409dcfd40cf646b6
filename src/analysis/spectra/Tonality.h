#pragma once
// The tonal audibility of an FFT spectrum in dB (ISO 1996-2 Annex C): tones
// are found by a rising edge of at least the seek criterion, a peak and a
// falling edge, each at least 6 dB below the peak at its ends; tones broader
// than a tenth of their critical band are rejected; the tones sharing a critical
// band are evaluated together against the masking noise of a regression line
// over 1.5 critical bands; the band of greatest audibility dL gives the
// penalty Kt. A line's frequency is s + line x df, s the spectrum's start
// frequency, so the short band of tonality files is judged at its own
// frequencies.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orlu {

/// Mark bytes of the lines: none, a tone's core (within 3 dB of its peak), any other line of a
/// found, rejected or too broad tone.
enum ToneMark : std::uint8_t { kToneNone = 0, kToneCore = 1, kToneOther = 2 };

struct TonalitySettings {
    double seekCriterion = 1.0;    ///< dB of the steep step of a rising or falling edge
    double maxBandwidth = 10.0;    ///< percent of the critical bandwidth
    double regressionRange = 1.5;  ///< critical bandwidths
};

struct ToneRecord {
    int first = 0, last = 0, peak = 0; ///< the tone's region and peak line
    int first3 = 0, last3 = 0;         ///< lines within 3 dB of the peak
    double bandwidth3 = 0.0;           ///< Hz
    double criticalBandwidth = 0.0;    ///< Hz
    double bandwidthPercent = 0.0;     ///< of the critical bandwidth
    int first6 = 0, last6 = 0;         ///< lines within 6 dB of the peak
    double peakLevel = 0.0;
    double lpt = 0.0;
};

inline constexpr int kMaxTonesListed = 20;

/// What the graph draws and its read-out prints: the band of greatest audibility and its noise
/// line, y = slope x (line - regressionFirst) + intercept over regressionFirst .. regressionLast.
struct TonalityResult {
    int centre = 0;
    int bandFirst = 0, bandLast = 0;
    int regressionFirst = 0, regressionLast = 0;
    double bandwidthPercent = 0.0;
    double slope = 0.0, intercept = 0.0;
    double lpt = 0.0, lpn = 0.0, deltaL = 0.0, kt = 0.0;
    int tones = 0;
    std::array<int, kMaxTonesListed> toneLines{};
    std::array<float, kMaxTonesListed> toneLevels{};
};

/// The block of lines the analysis is confined to (the cursor block), or the whole spectrum.
struct ToneSearchRange {
    bool block = false;
    int c1 = 0, c2 = 0;
};

/// Analyses levels[0 .. L-1] (L = levels.size()) spaced df Hz from start Hz. Fills marks (L bytes),
/// tones (the tones narrow enough) and result, which starts cleared, so a spectrum without
/// tones shows none. Returns the number of tones kept.
int AnalyseTonality(std::span<const double> levels, double df, double start, const TonalitySettings& settings,
                    const ToneSearchRange& range, std::span<std::uint8_t> marks, std::vector<ToneRecord>& tones,
                    TonalityResult& result);

/// The penalty of an audibility: 0 below 4 dB, dL - 4 up to 10 dB, 6 above.
double TonalityPenalty(double deltaL);

} // namespace orlu
