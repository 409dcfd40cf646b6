// The block and impulse commands of the Buffer/Logger view on generated
// loggers: when they are enabled, where the cursor stands after an edit, the
// refusal to delete everything, the switch to the text form when one record
// is left, and the impulse modes that toggle their marks.

#include "presentation/view/BufferBlockCommands.h"
#include "document/DocumentTestSupport.h"
#include "document/buffer/ImpulseMarks.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;

FixtureBuilder LoggerContainer(const CurrentFileSpec& spec)
{
    FixtureBuilder b;
    b.ContainerHeader(45).Bytes(fixture::CurrentMeasurementFile(spec));
    return b;
}

class BufferBlockCommands : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenLogger(std::uint32_t rows)
    {
        return Open(Write("logger.orl", LoggerContainer(fixture::ThreeProfileLoggerSpec(rows))));
    }
    // A Buffer/Logger view with a block marked between the two records.
    static void MarkBlock(MeasurementViewState& view, std::int32_t first, std::int32_t last)
    {
        view.ViewKind = kViewBufferLogger;
        view.MarkState = 2;
        view.MarkedRange = {first, last};
    }
};

TEST_F(BufferBlockCommands, BlockCommandsNeedTwoMarkersOnABuffer)
{
    auto doc = OpenLogger(10);
    struct Case {
        std::uint8_t viewKind;
        std::uint8_t markState;
        bool enabled;
    };
    const Case cases[] = {
        {kViewBufferLogger, 2, true},
        {kViewBufferLogger, 1, false},
        {kViewBufferLogger, 0, false},
        {kViewMainResults, 2, false},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        MarkBlock(view, 2, 4);
        view.ViewKind = c.viewKind;
        view.MarkState = c.markState;
        for (int id : {kDeleteBlockCommand, kDeleteOutsideBlockCommand, kSaveBlockCommand}) {
            const auto ui = BufferToolState(id, view, *doc);
            ASSERT_TRUE(ui.has_value());
            EXPECT_EQ(ui->enabled, c.enabled) << id << " kind " << int(c.viewKind) << " state " << int(c.markState);
        }
        // Running a disabled command changes nothing.
        if (!c.enabled) {
            EXPECT_EQ(RunBufferTool(kDeleteBlockCommand, view, *doc), ViewRefresh::None);
        }
    }
    EXPECT_EQ(doc->EditableRecordCount(), 10u);
    EXPECT_FALSE(doc->IsModified());
    MeasurementViewState view;
    EXPECT_FALSE(BufferToolState(32780, view, *doc).has_value());
}

TEST_F(BufferBlockCommands, DeleteMovesTheCursorWithTheRecordsAndClearsTheMarkers)
{
    struct Case {
        std::int32_t cursor;   ///< record under the cursor before the edit
        std::int32_t expected; ///< after deleting records 2 to 4
    };
    for (const Case c : {Case{1, 1}, Case{3, 2}, Case{4, 2}, Case{8, 5}}) {
        auto doc = OpenLogger(10);
        MeasurementViewState view;
        MarkBlock(view, 4, 2);
        view.CursorIndex = c.cursor;
        EXPECT_EQ(RunBufferTool(kDeleteBlockCommand, view, *doc), ViewRefresh::Rebuild);
        EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 6, 7, 8, 9, 10}));
        EXPECT_EQ(view.WindowStart + view.CursorIndex, c.expected) << "cursor " << c.cursor;
        EXPECT_EQ(view.MarkState, 0);
        EXPECT_TRUE(doc->IsModified());
    }
}

TEST_F(BufferBlockCommands, DeletingFromTheFirstRecordToTheLastWindowIsRefused)
{
    // With aggregation 2 the block 0..6 of 10 records reaches the last window: refused.
    for (const auto& [last, aggregation] : {std::pair{9, 1}, std::pair{8, 1}, std::pair{6, 2}}) {
        auto doc = OpenLogger(10);
        MeasurementViewState view;
        MarkBlock(view, 0, last);
        view.Aggregation = aggregation;
        EXPECT_EQ(RunBufferTool(kDeleteBlockCommand, view, *doc), ViewRefresh::None);
        EXPECT_EQ(ui.Messages().back(), std::string(kCannotDeleteAll));
        EXPECT_EQ(doc->EditableRecordCount(), 10u);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(view.MarkState, 2);
    }
    // One record more than the last window is left: deleted.
    auto doc = OpenLogger(10);
    MeasurementViewState view;
    MarkBlock(view, 0, 7);
    EXPECT_EQ(RunBufferTool(kDeleteBlockCommand, view, *doc), ViewRefresh::Rebuild);
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{9, 10}));
}

TEST_F(BufferBlockCommands, KeepingOneRecordShowsTheTextForm)
{
    auto doc = OpenLogger(10);
    MeasurementViewState view;
    MarkBlock(view, 3, 3);
    view.CursorIndex = 7;
    EXPECT_EQ(RunBufferTool(kDeleteOutsideBlockCommand, view, *doc), ViewRefresh::TextForm);
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{4}));
    EXPECT_EQ(view.MarkState, 0);

    // Keeping 2..5 puts a cursor after the block on the last kept record.
    auto wide = OpenLogger(10);
    MeasurementViewState kept;
    MarkBlock(kept, 2, 5);
    kept.CursorIndex = 8;
    EXPECT_EQ(RunBufferTool(kDeleteOutsideBlockCommand, kept, *wide), ViewRefresh::Rebuild);
    EXPECT_EQ(wide->GetRecordIndex(), (std::vector<std::uint32_t>{3, 4, 5, 6}));
    EXPECT_EQ(kept.WindowStart + kept.CursorIndex, 3);
}

TEST_F(BufferBlockCommands, ImpulseModesFollowTheFilesProfilesAndToggle)
{
    CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(16);
    spec.stepSeconds = 0;
    spec.stepMillis = 100;
    std::vector<std::int16_t> a(16, 700);
    a[1] = 760;
    spec.loggerLevels = {{1, a, {}}, {2, std::vector<std::int16_t>(16, 700), {}}};

    // Without impulse profiles the menu offers nothing.
    auto plain = Open(Write("plain.orl", LoggerContainer(spec)));
    MeasurementViewState view;
    MarkBlock(view, 0, 0);
    for (int id : {kImpulsesOffCommand, kImpulsesImpSlowCommand, kImpulsesFastLeqCommand})
        EXPECT_FALSE(BufferToolState(id, view, *plain)->enabled) << id;

    fixture::SetImpulseProfiles(spec, 1, 2, 0);
    auto doc = Open(Write("impulses.orl", LoggerContainer(spec)));
    EXPECT_TRUE(BufferToolState(kImpulsesOffCommand, view, *doc)->checked);
    EXPECT_TRUE(BufferToolState(kImpulsesImpSlowCommand, view, *doc)->enabled);
    EXPECT_FALSE(BufferToolState(kImpulsesFastLeqCommand, view, *doc)->enabled); // no fast profile

    EXPECT_EQ(RunBufferTool(kImpulsesImpSlowCommand, view, *doc), ViewRefresh::Repaint);
    EXPECT_EQ(view.ImpulseMarkMode, 1);
    EXPECT_TRUE(BufferToolState(kImpulsesImpSlowCommand, view, *doc)->checked);
    ASSERT_EQ(view.ImpulseMarks.size(), 16u);
    EXPECT_EQ(view.ImpulseMarks[1], kImpulseLevelDifference);
    EXPECT_EQ(view.ImpulseMarks[2], 0);
    // Deleting records 0 and 1 moves the marked record out: the marks follow the records.
    view.MarkState = 2;
    view.MarkedRange = {0, 1};
    EXPECT_EQ(RunBufferTool(kDeleteBlockCommand, view, *doc), ViewRefresh::Rebuild);
    EXPECT_EQ(view.ImpulseMarks, std::vector<std::uint8_t>(14, 0));
    // Chosen again, the mode is switched off.
    RunBufferTool(kImpulsesImpSlowCommand, view, *doc);
    EXPECT_EQ(view.ImpulseMarkMode, 0);
    EXPECT_TRUE(BufferToolState(kImpulsesOffCommand, view, *doc)->checked);
}

} // namespace
} // namespace orlu
