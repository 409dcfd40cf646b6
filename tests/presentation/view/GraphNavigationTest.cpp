// Previous and Next: when they are enabled, and what they step on
// Multifiles (sub-files of the kind shown, or with Shift the level record,
// band or spectrum record) and in the reverberation procedure (bands).

#include "presentation/view/GraphNavigation.h"

#include "document/headers/CurrentHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kShift{true, false, false};

// A Multifile whose sub-files hold the given kind bits, sub-file 1 first.
StepFacts Multifile(std::uint8_t fileKind, const std::vector<std::uint16_t>& bits)
{
    StepFacts doc;
    doc.fileKind = fileKind;
    doc.subfileCount = static_cast<int>(bits.size());
    doc.contents.bits = bits;
    for (std::size_t g = 0; g < kContentGroupCount; ++g) {
        GroupRange& range = doc.contents.groups[g];
        const std::uint16_t wanted = ContentBitsOf(static_cast<ContentGroup>(g));
        for (int n = 1; n <= doc.subfileCount; ++n) {
            if (bits[static_cast<std::size_t>(n - 1)] & wanted) {
                if (!range.found)
                    range.first = n;
                range.found = true;
                range.last = n;
            }
        }
    }
    return doc;
}

// A view stepping the sub-files of a Multifile in the graph form.
void StandOnSubfile(MeasurementViewState& view, int kind, int subfile, int first, int last)
{
    view.ViewKind = static_cast<std::uint8_t>(kind);
    view.FormFlags = form_flags::kGraph;
    view.RecordStepping = 1;
    view.CurrentRecordPtr = &view.SubFileNumber;
    view.SubFileNumber = subfile;
    view.FirstRecord = first;
    view.LastRecord = last;
}

TEST(PreviousNext, EnabledWithinTheSteppedRangeAndNeverOnTheTextOnlyKinds)
{
    const StepFacts doc = Multifile(56, {0x20, 0x20, 0x20});
    struct Case {
        int kind;
        int subfile;
        bool previous;
        bool next;
    };
    const Case cases[] = {
        {kViewSpectra, 1, false, true},  {kViewSpectra, 2, true, true},    {kViewSpectra, 3, true, false},
        {kViewHeaderInfo, 1, false, true}, {kViewSettings, 2, false, false}, {kViewHexa, 2, false, false},
        {kViewAscii, 2, false, false},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        StandOnSubfile(view, c.kind, c.subfile, 1, 3);
        if (c.kind == kViewHeaderInfo)
            view.FormFlags = form_flags::kText;
        EXPECT_EQ(UpdatePrevious(view, doc, kPlain), c.previous) << c.kind << " on " << c.subfile;
        EXPECT_EQ(UpdateNext(view, doc, kPlain), c.next) << c.kind << " on " << c.subfile;
        EXPECT_EQ(view.Control.PreviousEnabled, c.previous ? 1 : 0);
    }
}

TEST(PreviousNext, AnAllFilesFormOrAFileWithoutStepsDisablesBoth)
{
    const StepFacts doc = Multifile(55, {7, 7, 7});
    MeasurementViewState view;
    StandOnSubfile(view, kViewHistograms, 2, 1, 3);
    view.FormFlags = form_flags::kText;
    view.TextAllFiles = 1;
    EXPECT_FALSE(UpdatePrevious(view, doc, kPlain));
    view.TextAllFiles = 0;
    EXPECT_TRUE(UpdatePrevious(view, doc, kPlain));
    view.RecordStepping = 0;
    EXPECT_FALSE(UpdateNext(view, doc, kPlain));
}

TEST(PreviousNext, StepsStayInTheSubfilesHoldingTheKind)
{
    // Spectra in sub-files 2, 4 and 5; a buffer in 1 and 3.
    const StepFacts doc = Multifile(56, {0x40, 0x20, 0x40, 0x20, 0x20});
    MeasurementViewState view;
    StandOnSubfile(view, kViewSpectra, 2, 2, 5);
    std::vector<int> visited{view.SubFileNumber};
    while (UpdateNext(view, doc, kPlain) && ShowNext(view, doc, kPlain))
        visited.push_back(view.SubFileNumber);
    EXPECT_EQ(visited, (std::vector<int>{2, 4, 5}));
    EXPECT_TRUE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 4);
    EXPECT_TRUE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 2);
    // On the first sub-file of the kind Previous does nothing.
    EXPECT_FALSE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 2);
}

TEST(PreviousNext, ARecordNumberIsNotSearchedAsASubfile)
{
    // Spectra records of one file of a Multifile whose other files hold no spectra.
    const StepFacts doc = Multifile(56, {0x20, 0x40, 0x40, 0x40});
    MeasurementViewState view;
    StandOnSubfile(view, kViewSpectra, 1, 1, 4);
    view.CurrentRecordPtr = &view.GraphRecord;
    view.GraphRecord = 2;
    ASSERT_TRUE(ShowNext(view, doc, kPlain));
    EXPECT_EQ(view.GraphRecord, 3);
    EXPECT_EQ(view.SubFileNumber, 1);
}

TEST(PreviousNext, ASearchThatFindsNothingLeavesTheNumberForTheClampOfTheNextBuild)
{
    // Legacy Multifile: buffers in sub-files 1 and 2 only; the range reaches 4.
    const StepFacts doc = Multifile(23, {0x40, 0x40, 0x07, 0x07});
    MeasurementViewState view;
    StandOnSubfile(view, kViewBufferLogger, 2, 1, 4);
    EXPECT_TRUE(ShowNext(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 1); // one less than the last buffer sub-file
    EXPECT_EQ(view.ShownViewKind, 254);
}

TEST(PreviousNext, LevelsStepOverSubfilesWithoutLevelsBothWays)
{
    // Levels in sub-files 1 and 3; sub-file 2 holds histograms only.
    const StepFacts doc = Multifile(55, {0x80, 0x07, 0x80});
    MeasurementViewState view;
    StandOnSubfile(view, kViewStatisticalLevels, 1, 1, 3);
    ASSERT_TRUE(ShowNext(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 3);
    ASSERT_TRUE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 1);
}

TEST(PreviousNext, ShiftOnMergedThirdOctaveLevelsStepsTheLevelRecord)
{
    const StepFacts doc = Multifile(55, {0x280, 0x280, 0x280});
    MeasurementViewState view;
    StandOnSubfile(view, kViewStatisticalLevels, 2, 1, 3);
    view.StatOctave2 = 1;
    view.LevelsRecord = 1;
    EXPECT_TRUE(IsMultiStep(view, doc, kShift));
    EXPECT_FALSE(UpdatePrevious(view, doc, kShift));
    std::vector<int> records;
    while (UpdateNext(view, doc, kShift) && ShowNext(view, doc, kShift))
        records.push_back(view.LevelsRecord);
    EXPECT_EQ(records, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(view.SubFileNumber, 2);
    EXPECT_TRUE(ShowPrevious(view, doc, kShift));
    EXPECT_EQ(view.LevelsRecord, 9);
    view.Control.UseAllStatLevels = 1;
    view.LevelsRecord = 98;
    EXPECT_TRUE(UpdateNext(view, doc, kShift));
    // Without Shift the same key steps the sub-file.
    EXPECT_TRUE(ShowNext(view, doc, kPlain));
    EXPECT_EQ(view.SubFileNumber, 3);
}

TEST(PreviousNext, MultiStepOnlyOnMultifilesAndMonitorFilesAndTheirKinds)
{
    struct Case {
        std::uint8_t fileKind;
        int kind;
        std::uint16_t function;
        int octave;
        bool multi;
    };
    const Case cases[] = {
        {55, kViewHistograms, 0, 1, true},
        {55, kViewHistograms, 0, 0, false},             // broadband: sub-files
        {23, kViewStatisticalLevels, 0, 2, false},      // legacy Multifile
        {80, kViewDensities, 0, 2, true},               // MONITOR
        {55, kViewOctaves, kFunctionOctave11, 0, true},
        {55, kViewThirdOctaves, kFunctionOctave11, 0, false},
        {55, kViewThirdOctaves, kFunctionRt60, 0, true},
        {55, kViewSpectra, kFunctionOctave13, 0, false},
    };
    for (const Case& c : cases) {
        StepFacts doc = Multifile(c.fileKind, {0x18, 0x18});
        doc.modelFlags = 0x04; // flag 3
        doc.deviceFunction = c.function;
        doc.spectrumRecords = 4;
        MeasurementViewState view;
        StandOnSubfile(view, c.kind, 1, 1, 2);
        view.StatOctave1 = c.octave == 1;
        view.StatOctave2 = c.octave == 2;
        EXPECT_EQ(IsMultiStep(view, doc, kShift), c.multi) << int{c.fileKind} << " kind " << c.kind;
        EXPECT_FALSE(IsMultiStep(view, doc, kPlain));
    }
}

TEST(PreviousNext, TheReverberationProcedureStepsBandsToTheTotalAfterTheRange)
{
    StepFacts doc;
    doc.rt[1] = {4, 20, 23};
    MeasurementViewState view;
    StandOnSubfile(view, kViewTimeIntersections, 1, 1, 1);
    view.CurrentRecordPtr = &view.GraphRecord;
    view.GraphRecord = 5;
    view.FirstRecord = 1;
    view.LastRecord = 9;
    view.Control.RtMode = 1;
    view.BandKind = kBandOctave13;
    view.BandIndex = 4;
    EXPECT_FALSE(UpdatePrevious(view, doc, kPlain));
    view.BandIndex = 20;
    EXPECT_TRUE(UpdateNext(view, doc, kPlain));
    ASSERT_TRUE(ShowNext(view, doc, kPlain));
    EXPECT_EQ(view.BandIndex, 23);
    EXPECT_FALSE(UpdateNext(view, doc, kPlain));
    ASSERT_TRUE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.BandIndex, 20);
}

TEST(PreviousNext, SteppingTheSpectrumRecordCarriesTheTimeIntersectionCursor)
{
    StepFacts doc;
    MeasurementViewState view;
    StandOnSubfile(view, kViewSpectra, 1, 1, 100);
    view.CurrentRecordPtr = &view.GraphRecord;
    view.GraphRecord = 41;
    view.Pages[11].Aggregation = 4;
    view.Graph.Saved(CursorGroup::TimeIntersections).window = 3;
    ASSERT_TRUE(ShowPrevious(view, doc, kPlain));
    EXPECT_EQ(view.GraphRecord, 40);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::TimeIntersections).cursor, 39 / 4 - 3);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::BufferLogger).cursor, 39 / 4 - 3);
}

} // namespace
} // namespace orlu
