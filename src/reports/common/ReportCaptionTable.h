#pragma once
// The captions and parameter lines of the text and table reports, numbered as
// the program has always numbered them. A renderer names a row by its index;
// some rows are reached as a base row plus a code (the merge messages, the
// cross-table captions, the spectra functions and parts).

#include <array>
#include <string_view>

namespace orlu {

inline constexpr int kReportCaptionCount = 147;

/// Captions and parameter-line formats of the reports (Windows-1252).
extern const std::array<std::string_view, kReportCaptionCount> ReportCaptionTable;

/// Rows of ReportCaptionTable that renderers name.
enum ReportCaption : int {
    kCaptionMainResults = 0,
    kCaptionMainResultsSound = 1,
    kCaptionMainResultsVibration = 2,
    kCaptionOverload = 3,
    kCaptionRt60Results = 4,
    kCaptionAveragedRt60Results = 5,
    kCaptionFromSourceFile = 6,
    kCaptionBufferContentsIndented = 7,
    kCaptionHeaderInfoSetupFile = 8,
    kCaptionRtComputingData = 9,
    kCaptionBlockOf = 10,
    kCaptionHistogram = 11,
    kCaptionStatisticalLevels = 12,
    kCaptionStatisticalLevelsHistogram = 13,
    kCaptionBufferContents = 14,
    kCaptionRtThirdOctave = 15,
    kCaptionRtOctave = 16,
    kCaptionSmoothedData = 17,
    kCaptionTimeIntersection = 18,
    kCaptionTotalRmsTimeIntersection = 19,
    kCaptionRemark = 20,
    kCaptionRotationResults = 21,
    kCaptionHeaderInfo = 22,
    kCaptionAdditionalFilters = 23,
    kCaptionTotalRmsFor = 24,
    kCaptionTotalLeqFor = 25,
    kCaptionBufferContentsColon = 26,
    kCaptionBufferContentsUpper = 27,
    kCaptionTotalAdditionalFilters = 28,
    kCaptionOct3 = 40,
    kCaptionOct1 = 41,
    kCaptionStatisticalDensityHistograms = 42,
    kCaptionStatisticalLevelsHistograms = 43,
    kCaptionAveragedByChannels = 45,
    kCaptionOverloadOccured = 46,
    kCaptionOverloadInChannels = 47,
    kCaptionLoggerContentsIndented = 48,
    kCaptionLoggerContents = 49,
    kCaptionLoggerContentsColon = 50,
    kCaptionLoggerContentsUpper = 51,
    kCaptionImproperFileContents = 52,
    kCaptionTonalityResults = 53,
    kCaptionAsciiForm = 54,
    kCaptionHeaderInfoForFile = 55,
    kCaptionLegacyMainResults = 68,
    kCaptionModuleFormula = 69,
    kCaptionFromFile = 70,
    kCaptionMergedMainResultsChannel = 71,
    kCaptionChannel = 85,
    kCaptionNumber = 88,
    kCaptionAggregationDegree = 96,
    kCaptionGreatestPeaks = 102,
    kCaptionProfile = 104,
    kCaptionHistogramsNumber = 105,
    kCaptionFileName = 106,
    kCaptionStatisticalDensityHistogramsNumber = 107,
    kCaptionHistogramsFile = 108,
    kCaptionStatisticalLevelsHistogramsFile = 109,
    kCaptionStatisticalLevelsHistogramsNumber = 110,
    kCaptionStatisticalDensityHistogramsFile = 111,
    kCaptionChannelProfile = 115,
    /// Merge messages: this row plus the merge refusal code 0 to 4.
    kCaptionMergeMessageBase = 116,
    /// Cross-table captions are this row, or 121, 125 or 127, plus a kind code.
    kCaptionCrossTableBase = 120,
    kCaptionTimeWaveforms = 121,
    kCaptionLogger = 132,
    /// Two-channel spectra: this row plus the function code 1 to 10.
    kCaptionSpectraFunctionBase = 132,
    /// Spectrum parts: this row plus the part code 0 to 3.
    kCaptionSpectrumPartBase = 143,
};

} // namespace orlu
