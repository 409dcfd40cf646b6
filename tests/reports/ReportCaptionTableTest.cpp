#include "reports/common/ReportCaptionTable.h"

#include "FormatConversions.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace orlu {
namespace {

using test::ArgumentKinds;

TEST(ReportCaptionTable, HoldsEveryRowWithItsOwnTexts)
{
    ASSERT_EQ(ReportCaptionTable.size(), 147u);
    const std::map<int, std::string_view> expected{
        {0, "Main results:"},
        {2, "Main results for vibration:"},
        {3, "  Overload!"},
        {9, "The file contains reverberation time computing data."},
        {31, "Octave 1/1"},
        {46, "  Overload occured!"},
        {47, "  Overload occured in channel(s): "},
        {54, "\"ASCII form of the file: %s\";"},
        {64, "   probability of the block = %.2f%%"},
        {68, "OR0%dA  -  Main results:"},
        {69, "MODULE\xB2 = %s"},
        {78, "                                   ... for filter %-5s : %7.1f dB"},
        {115, "  Channel #%d:P%d:"},
        {118, "Only simple files of the same structure can be merged!\n(buffers/loggers and setups are "
              "excluded)."},
        {133, "Spectra "},
        {134, "Spectra "},
        {146, "(imaginary part)"},
    };
    for (const auto &[row, text] : expected)
        EXPECT_EQ(ReportCaptionTable[row], text) << "row " << row;
}

TEST(ReportCaptionTable, BaseRowsPlusCodesReachTheirTexts)
{
    EXPECT_EQ(ReportCaptionTable[kCaptionMergeMessageBase + 0], "Buffer/logger files cannot be merged!");
    EXPECT_EQ(ReportCaptionTable[kCaptionMergeMessageBase + 4],
              "ORLU 545 files merging is not available yet!");
    EXPECT_EQ(ReportCaptionTable[kCaptionCrossTableBase + 1], "Time_waveforms:");
    EXPECT_EQ(ReportCaptionTable[kCaptionCrossTableBase + 12], "Logger:");
    EXPECT_EQ(ReportCaptionTable[kCaptionSpectraFunctionBase + 1], "Spectra ");
    EXPECT_EQ(ReportCaptionTable[kCaptionSpectraFunctionBase + 10], "Frequency Response 1/H2 ");
    EXPECT_EQ(ReportCaptionTable[kCaptionSpectrumPartBase + 0], "(power)");
    EXPECT_EQ(ReportCaptionTable[kCaptionSpectrumPartBase + 3], "(imaginary part)");
    EXPECT_EQ(ReportCaptionTable[kCaptionHeaderInfoForFile], "Header information for the file[%d] %s:");
    EXPECT_EQ(ReportCaptionTable[kCaptionLoggerContentsUpper], "LOGGER CONTENTS");
}

// The names renderers use for rows stand for the rows the reports describe.
TEST(ReportCaptionTable, NamedRowsHoldTheirTexts)
{
    const std::pair<int, std::string_view> named[] = {
        {kCaptionMainResultsSound, "Main results for sound:"},
        {kCaptionOverload, "  Overload!"},
        {kCaptionAveragedRt60Results, "Averaged RT60 results"},
        {kCaptionFromSourceFile, " (from the source file)"},
        {kCaptionBufferContentsIndented, "  Buffer contents:"},
        {kCaptionHeaderInfoSetupFile, "Header information for the setup file:"},
        {kCaptionRemark, "REMARK:"},
        {kCaptionRotationResults, "Rotation measurement results:"},
        {kCaptionHeaderInfo, "Header information:"},
        {kCaptionAdditionalFilters, "  Additional filter(s):"},
        {kCaptionAveragedByChannels, " averaged by channels"},
        {kCaptionOverloadOccured, "  Overload occured!"},
        {kCaptionOverloadInChannels, "  Overload occured in channel(s): "},
        {kCaptionLoggerContentsIndented, "  Logger contents:"},
        {kCaptionImproperFileContents, "*** Improper file contents ***"},
        {kCaptionTonalityResults, "Tonality analysis results"},
        {kCaptionLegacyMainResults, "OR0%dA  -  Main results:"},
        {kCaptionFromFile, " from file[%d] %s"},
        {kCaptionMergedMainResultsChannel, "Main_results:  Channel #%d"},
        {kCaptionChannel, "  Channel #%d"},
        {kCaptionNumber, "  No.%u"},
        {kCaptionAggregationDegree, " [aggreg.degree=%d]"},
        {kCaptionGreatestPeaks, " (%d greatest peaks)"},
        {kCaptionProfile, "  Profile %d:"},
        {kCaptionStatisticalLevelsHistogramsFile, "Statistical levels for Histograms (file:%s):"},
        {kCaptionChannelProfile, "  Channel #%d:P%d:"},
        {kCaptionStatisticalLevels, "Statistical levels:"},
        {kCaptionOct3, "Oct 1/3"},
        {kCaptionOct1, "Oct 1/1"},
    };
    for (const auto &[row, text] : named)
        EXPECT_EQ(ReportCaptionTable[row], text) << "row " << row;
}

// The arguments each parameter line is given; every other row is plain text
// and must not hold a conversion that would read a missing argument.
TEST(ReportCaptionTable, FormatRowsTakeTheArgumentsTheirCallersPass)
{
    const std::map<int, std::string> kinds{
        {54, "s"},   {55, "ds"},  {56, "U"},   {57, "f"},    {58, "U"},    {59, "U"},   {60, "s"},
        {61, "fs"},  {62, "ds"},  {63, "f"},   {64, "f"},    {65, "s"},    {66, "s"},   {67, "s"},
        {68, "d"},   {69, "s"},   {70, "ds"},  {71, "d"},    {72, "s"},    {73, "sdf"}, {74, "sds"},
        {75, "sdf"}, {76, "sds"}, {77, "s"},   {78, "sf"},   {79, "f"},    {80, "f"},   {81, "s"},
        {82, "u"},   {83, "d"},   {84, "s"},   {85, "d"},    {86, "s"},    {87, "u"},   {88, "u"},
        {89, "sd"},  {90, "s"},   {91, "u"},   {92, "d"},    {93, "s"},    {94, "u"},   {95, "dd"},
        {96, "d"},   {97, "d"},   {98, "ff"},  {99, "sd"},   {100, "s"},   {101, "u"},  {102, "d"},
        {103, "d"},  {104, "d"},  {105, "s"},  {106, "s"},   {107, "s"},   {108, "s"},  {109, "s"},
        {110, "s"},  {111, "s"},  {112, "s"},  {113, "sdf"}, {114, "sds"}, {115, "dd"}, {128, "d"},
        {129, "d"},  {130, "ds"}, {131, "ds"},
    };
    for (int row = 0; row < kReportCaptionCount; ++row) {
        auto it = kinds.find(row);
        EXPECT_EQ(ArgumentKinds(ReportCaptionTable[row]), it == kinds.end() ? "" : it->second)
            << "row " << row;
    }
}

TEST(ReportCaptionTable, IsSingleByteText)
{
    // Only the MODULE-squared caption carries a byte above ASCII: the one byte 0xB2.
    for (int row = 0; row < kReportCaptionCount; ++row) {
        for (char c : ReportCaptionTable[row]) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                EXPECT_TRUE(row == kCaptionModuleFormula && static_cast<unsigned char>(c) == 0xB2)
                    << "row " << row;
            }
        }
    }
    EXPECT_EQ(ReportCaptionTable[kCaptionModuleFormula].size(), 12u);
}

} // namespace
} // namespace orlu
