// Editing the block between the markers of a logger or ORLU 505 buffer, and
// marking impulsive records.
#include "DocumentTestSupport.h"
#include "document/ViewMask.h"
#include "document/buffer/ImpulseMarks.h"
#include "support/Analyzer505Fixture.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"

#include <numeric>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::LoggerRowWord;

FixtureBuilder CurrentContainer(const CurrentFileSpec& spec)
{
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

std::vector<std::uint16_t> Words(const CTmDoc& doc)
{
    const ImageReader image = doc.Reader();
    std::vector<std::uint16_t> words(image.WordCount());
    for (std::uint32_t w = 0; w < words.size(); ++w)
        words[w] = image.Word(w);
    return words;
}

class BufferEdit : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenLogger(std::uint32_t rows, std::uint32_t declared)
    {
        CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(rows);
        spec.declaredCount = declared;
        return Open(Write("logger.orl", CurrentContainer(spec)));
    }
    // The first row of a current-family logger: right after the buffer record.
    static std::uint32_t RowStart(const CTmDoc& doc)
    {
        return doc.Header().bufferRecord + doc.Header().bufferRecordLength;
    }
    void ExpectRows(const CTmDoc& doc, const std::vector<std::uint32_t>& sourceRows)
    {
        const ImageReader image = doc.Reader();
        const std::uint32_t start = RowStart(doc);
        for (std::size_t i = 0; i < sourceRows.size(); ++i)
            for (std::uint32_t w = 0; w < 3; ++w)
                EXPECT_EQ(image.Word(start + static_cast<std::uint32_t>(i) * 3 + w), LoggerRowWord(sourceRows[i], w))
                    << "row " << i << " word " << w;
        EXPECT_EQ(image.Word(start + static_cast<std::uint32_t>(sourceRows.size()) * 3), 0xFFFF);
    }
};

TEST_F(BufferEdit, DeletingTheBlockKeepsTheOtherRowsWithTheirNumbersAndReopensAsKind50)
{
    auto doc = OpenLogger(10, 10);
    ASSERT_EQ(doc->EditableRecordCount(), 10u);
    // Markers at records 2 and 4 (from 0), given in either order.
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 4, 2), BlockEditResult::Edited);

    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 6, 7, 8, 9, 10}));
    ExpectRows(*doc, {0, 1, 5, 6, 7, 8, 9});
    EXPECT_EQ(doc->ByteCount(), 2 * (RowStart(*doc) + 7 * 3 + 1));
    EXPECT_EQ(doc->FileKind(), 50);
    EXPECT_EQ(doc->Header().shownRecordCount, 7u);
    EXPECT_EQ(doc->GetViewMask() & kViewMaskMainResults, 0u);
    EXPECT_TRUE(doc->IsReduced());
    EXPECT_TRUE(doc->IsModified());

    SaveAndRead(*doc, "edited.orl");
    auto again = Open(dir / "edited.orl");
    EXPECT_EQ(again->FileKind(), 50);
    EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 6, 7, 8, 9, 10}));
    EXPECT_EQ(again->EditableRecordCount(), 7u);
    ExpectRows(*again, {0, 1, 5, 6, 7, 8, 9});
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(BufferEdit, KeepingTheBlockLeavesOnlyItsRowsAndAKeptFileEditsAgain)
{
    auto doc = OpenLogger(10, 10);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Keep, 3, 6), BlockEditResult::Edited);
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{4, 5, 6, 7}));
    ExpectRows(*doc, {3, 4, 5, 6});
    // A second edit of the edited document numbers its rows as the first left them; its views
    // are built again also when a single record is left.
    std::vector<const CTmDoc*> updated;
    app.UpdateAllViews = [&](CTmDoc& edited) { updated.push_back(&edited); };
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Keep, 2, 2), BlockEditResult::Edited);
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{6}));
    ExpectRows(*doc, {5});
    EXPECT_EQ(updated, std::vector<const CTmDoc*>{doc.get()});
}

TEST_F(BufferEdit, DeletingEveryRecordIsRefusedWithAMessageAndChangesNothing)
{
    auto doc = OpenLogger(10, 10);
    const std::vector<std::uint16_t> before = Words(*doc);
    app.UpdateAllViews = [](CTmDoc&) { ADD_FAILURE() << "a refused edit changes no view"; };
    // Markers past the last record are clamped to it: the block is every record.
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 0, 40), BlockEditResult::Refused);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"The whole buffer/logger cannot be deleted"});
    EXPECT_EQ(Words(*doc), before);
    EXPECT_EQ(doc->FileKind(), 45);
    EXPECT_FALSE(doc->IsReduced());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BufferEdit, OtherOperationsAndFilesWithoutABufferDoNothing)
{
    auto doc = OpenLogger(10, 10);
    const std::vector<std::uint16_t> before = Words(*doc);
    EXPECT_EQ(doc->EditBuffer(static_cast<BlockEditOp>(4), 1, 2), BlockEditResult::Nothing);
    EXPECT_EQ(Words(*doc), before);

    auto results = Open(Write("results.orl", CurrentContainer(CurrentFileSpec{})));
    EXPECT_EQ(results->EditBuffer(BlockEditOp::Delete, 1, 2), BlockEditResult::Nothing);
    EXPECT_EQ(results->FileKind(), 45);
}

TEST_F(BufferEdit, LoggerDeclaringMoreRowsThanItHoldsIsEditedOverTheRowsItHas)
{
    // 30 rows declared, 10 in the file: the split keeps the 10 the file holds.
    auto doc = OpenLogger(10, 30);
    ASSERT_EQ(doc->EditableRecordCount(), 10u);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Keep, 8, 25), BlockEditResult::Edited);
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{9, 10}));
    ExpectRows(*doc, {8, 9});
}

TEST_F(BufferEdit, FourChannelLoggerKeepsItsDescriptorsBeforeTheRows)
{
    // Descriptor records lie between the logger record 24 and its rows: they stay with it.
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    for (auto& p : spec.profiles)
        p.bufferWord = 0x0005;
    spec.history = fixture::FourChannelSpec::History::Logger;
    spec.rows = spec.declaredCount = 8;
    spec.function = 2;
    spec.descriptors = {{9, {{0, 1, 1}, {1, 1, 1}}}};
    std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    auto doc = Open(Write("four.orl", f));
    const std::uint32_t data = doc->Header().fourChannel.dataPosition;
    const std::uint32_t row = doc->Header().rowLength;
    ASSERT_GT(data, doc->Header().bufferRecord + doc->Header().bufferRecordLength);
    const std::vector<std::uint16_t> before = Words(*doc);

    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 1, 5), BlockEditResult::Edited);
    SaveAndRead(*doc, "edited.orl");
    auto again = Open(dir / "edited.orl");
    EXPECT_EQ(again->FileKind(), 50);
    EXPECT_EQ(again->Header().fourChannel.dataPosition, data);
    EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{1, 7, 8}));
    const std::vector<std::uint16_t> after = Words(*again);
    // Every header word stays, but for the size and count in record 24.
    const std::uint32_t record = doc->Header().bufferRecord;
    for (std::uint32_t w = 0; w < data; ++w)
        if (w < record || w >= record + doc->Header().bufferRecordLength) {
            ASSERT_EQ(after[w], before[w]) << "header word " << w;
        }
    EXPECT_EQ(again->Header().declaredCount, 3u);
    const std::uint32_t keptRows[] = {0, 6, 7};
    for (std::uint32_t i = 0; i < 3; ++i)
        for (std::uint32_t w = 0; w < row; ++w)
            EXPECT_EQ(after[data + i * row + w], before[data + keptRows[i] * row + w]) << "row " << i;
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(BufferEdit, ReducedLoggerWhoseIndexIsShorterThanItsCountStoresRowsAndIndexThatAgree)
{
    auto doc = OpenLogger(10, 10);
    RecordIndex kept;
    kept.AppendRun(1, 3);
    doc->SetFileKind(50);
    doc->SetReduced(true);
    doc->SetBufferRecords(5, kept);
    const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "reduced.orl");
    EXPECT_EQ(stored.size(), 32 + 2 * (RowStart(*doc) + 3 * 3 + 1) + 3 * 4);
    auto again = Open(dir / "reduced.orl");
    EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(again->Header().declaredCount, 3u);
    ExpectRows(*again, {0, 1, 2});
}

// An ORLU 505 METER-mode buffer: `records` levels, one word each.
class LegacyBufferEdit : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenBuffer(std::uint32_t records, std::optional<std::uint32_t> declared = {})
    {
        fixture::LegacyFileSpec spec = fixture::LegacyHistorySpec(records);
        spec.declaredRecords = declared;
        auto doc = Open(Write("buffer.orl", fixture::LegacyContainer(3, spec)));
        EXPECT_TRUE(doc->LegacyDecoded());
        return doc;
    }
    static std::vector<std::uint16_t> Levels(const CTmDoc& doc)
    {
        const ImageReader image = doc.Reader();
        std::vector<std::uint16_t> levels;
        for (std::uint32_t r = 0; r < doc.Legacy().shownRecordCount; ++r)
            levels.push_back(image.Word(doc.Legacy().bufferDataStart + r));
        return levels;
    }
};

TEST_F(LegacyBufferEdit, CopyingABlockMakesAKind10FileThatSumsToZeroAndLeavesTheSourceAlone)
{
    auto doc = OpenBuffer(20);
    const std::vector<std::uint16_t> before = Words(*doc);
    const std::vector<std::uint16_t> levels = Levels(*doc);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Copy, 5, 9), BlockEditResult::Copied);
    EXPECT_EQ(Words(*doc), before);
    EXPECT_EQ(doc->FileKind(), 3);
    EXPECT_FALSE(doc->IsModified());

    ASSERT_EQ(app.HeldFileKind, 10);
    ASSERT_EQ(app.HeldRecordCount, 5u);
    const std::vector<std::uint8_t>& held = app.HeldBlockImage;
    const std::size_t dataBytes = held.size() - 4 * 5;
    std::uint16_t sum = 0;
    for (std::size_t b = 0; b < dataBytes; b += 2)
        sum = static_cast<std::uint16_t>(sum + (held[b] | (held[b + 1] << 8)));
    EXPECT_EQ(sum, 0);

    // The hidden document stores it; the file reopens as a buffer of the block.
    CTmDoc hidden(app);
    hidden.SetHidden(true);
    ASSERT_TRUE(hidden.OnSaveDocument(dir / "block.orl"));
    auto copy = Open(dir / "block.orl");
    EXPECT_EQ(copy->FileKind(), 10);
    ASSERT_TRUE(copy->LegacyDecoded());
    EXPECT_EQ(copy->GetRecordIndex(), (std::vector<std::uint32_t>{6, 7, 8, 9, 10}));
    EXPECT_EQ(Levels(*copy), std::vector<std::uint16_t>(levels.begin() + 5, levels.begin() + 10));
    EXPECT_TRUE(ui.Messages().empty()); // no checksum complaint
}

TEST_F(LegacyBufferEdit, DeletingDropsTheResultsBlocksAndTheFileReopensAsKind10)
{
    auto doc = OpenBuffer(20);
    const std::vector<std::uint16_t> levels = Levels(*doc);
    ASSERT_NE(doc->Legacy().resultsStart, 0u);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 2, 4), BlockEditResult::Edited);
    EXPECT_EQ(doc->FileKind(), 10);
    EXPECT_EQ(doc->Legacy().shownRecordCount, 17u);
    std::vector<std::uint16_t> expected(levels.begin(), levels.begin() + 2);
    expected.insert(expected.end(), levels.begin() + 5, levels.end());
    EXPECT_EQ(Levels(*doc), expected);
    EXPECT_EQ(doc->Reader().Word(doc->Legacy().bufferDataStart + 17), 0xFFFF);
    EXPECT_EQ(doc->ByteCount(), 2 * (doc->Legacy().bufferDataStart + 17 + 1));
    EXPECT_EQ(doc->GetViewMask() & kViewMaskMainResults, 0u);
    EXPECT_TRUE(doc->GetViewMask() & kViewMaskBuffer);

    SaveAndRead(*doc, "edited.orl");
    auto again = Open(dir / "edited.orl");
    EXPECT_EQ(again->FileKind(), 10);
    EXPECT_EQ(again->GetRecordIndex().size(), 17u);
    EXPECT_EQ(again->GetRecordIndex()[2], 6u);
    EXPECT_EQ(Levels(*again), expected);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LegacyBufferEdit, EveryLayoutKeepsItsHeaderAndChannelBlocks)
{
    struct Case {
        const char* name;
        fixture::LegacyFileSpec spec;
    } cases[] = {
        {"single", fixture::LegacyHistorySpec(12)},
        {"prefix 0x4021", fixture::LegacyHistorySpec(12)},
        {"two channels 0x4010", fixture::LegacyTwoChannelSpec(0x4010)},
        {"two channels 0x4011", fixture::LegacyTwoChannelSpec(0x4011)},
        {"vector probe", fixture::LegacyProbeSpec(true)},
    };
    cases[1].spec.prefixWord = 0x4021;
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.spec.bufferRecords = 12;
        auto doc = Open(Write("l.orl", fixture::LegacyContainer(3, c.spec)));
        ASSERT_TRUE(doc->LegacyDecoded());
        const LegacyHeader before = doc->Legacy();
        const std::uint32_t width = before.singleChannel ? 1 : before.resultsPerRecord;
        const std::vector<std::uint16_t> words = Words(*doc);

        ASSERT_EQ(doc->EditBuffer(BlockEditOp::Keep, 4, 6), BlockEditResult::Edited);
        SaveAndRead(*doc, "kept.orl");
        auto again = Open(dir / "kept.orl");
        ASSERT_EQ(again->FileKind(), 10);
        ASSERT_TRUE(again->LegacyDecoded());
        const LegacyHeader& after = again->Legacy();
        EXPECT_EQ(after.prefixVariant, before.prefixVariant);
        EXPECT_EQ(after.channelCount, before.channelCount);
        EXPECT_EQ(after.inputKind, before.inputKind);
        EXPECT_EQ(after.timeStep, before.timeStep);
        EXPECT_EQ(after.shownRecordCount, 3u);
        EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{5, 6, 7}));
        const ImageReader kept = again->Reader();
        for (std::uint32_t i = 0; i < 3 * width; ++i)
            EXPECT_EQ(kept.Word(after.bufferDataStart + i), words[before.bufferDataStart + 4 * width + i]) << i;
        EXPECT_TRUE(ui.Messages().empty());
    }
}

TEST_F(LegacyBufferEdit, BufferDeclaringMoreRecordsThanItHoldsIsCopiedOverWhatItHolds)
{
    auto doc = OpenBuffer(12, 400);
    const std::uint32_t held = doc->EditableRecordCount();
    ASSERT_LT(held, 400u);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Copy, 0, 1000), BlockEditResult::Copied);
    EXPECT_EQ(app.HeldRecordCount, held);
}

// Impulse marks.

// An ORLU 505 ANALYZER-mode file of numbered 1/3-octave spectra: each row is the
// record number and 33 values.
class AnalyzerBufferEdit : public DocumentTest {
protected:
    static fixture::Analyzer505Spec History(std::uint16_t spectra)
    {
        fixture::Analyzer505Spec spec;
        spec.function = 4;
        spec.bands = 30;
        spec.values = 33;
        spec.spectra = spectra;
        spec.timeHistory = true;
        spec.histogram = true;
        return spec;
    }
    std::unique_ptr<CTmDoc> OpenHistory(std::uint16_t spectra)
    {
        auto doc = Open(Write("analyzer.orl", fixture::Analyzer505Container(History(spectra))));
        EXPECT_TRUE(doc->AnalyzerDecoded());
        return doc;
    }
    // The record-number word of each row the header counts.
    static std::vector<std::uint32_t> RowNumbers(const CTmDoc& doc)
    {
        const Setup505& s = doc.Analyzer();
        std::vector<std::uint32_t> numbers;
        for (std::uint32_t r = 0; r < s.recordCount; ++r)
            numbers.push_back(doc.Reader().Word(s.SpectrumAt(r)));
        return numbers;
    }
};

TEST_F(AnalyzerBufferEdit, DeletingTheBlockLeavesTheOtherSpectraAndReopensAsKind11)
{
    auto doc = OpenHistory(10);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 4, 2), BlockEditResult::Edited);
    EXPECT_EQ(doc->FileKind(), 11);
    EXPECT_TRUE(doc->IsModified());
    const std::vector<std::uint32_t> kept{1, 2, 6, 7, 8, 9, 10};
    EXPECT_EQ(doc->GetRecordIndex(), kept);
    EXPECT_EQ(RowNumbers(*doc), kept);
    EXPECT_EQ(doc->Reader().Word(doc->Analyzer().SpectrumAt(7)), 0xFFFF);
    EXPECT_EQ(doc->ByteCount(), 2 * (doc->Analyzer().SpectrumAt(7) + 1));

    SaveAndRead(*doc, "edited.orl");
    auto again = Open(dir / "edited.orl");
    EXPECT_EQ(again->FileKind(), 11);
    EXPECT_EQ(again->GetRecordIndex(), kept);
    EXPECT_EQ(RowNumbers(*again), kept);
    EXPECT_TRUE(ui.Messages().empty()); // no checksum complaint

    // Keeping one spectrum of them leaves that one.
    EXPECT_EQ(again->EditBuffer(BlockEditOp::Keep, 3, 3), BlockEditResult::Edited);
    EXPECT_EQ(RowNumbers(*again), std::vector<std::uint32_t>{7});
}

TEST_F(AnalyzerBufferEdit, CopyingABlockMakesAKind11FileThatSumsToZeroAndLeavesTheSourceAlone)
{
    auto doc = OpenHistory(20);
    const std::vector<std::uint16_t> before = Words(*doc);
    EXPECT_EQ(doc->EditBuffer(BlockEditOp::Copy, 5, 9), BlockEditResult::Copied);
    EXPECT_EQ(Words(*doc), before);
    EXPECT_EQ(doc->FileKind(), 4);
    EXPECT_FALSE(doc->IsModified());

    ASSERT_EQ(app.HeldFileKind, 11);
    ASSERT_EQ(app.HeldRecordCount, 5u);
    const std::vector<std::uint8_t>& held = app.HeldBlockImage;
    const std::size_t dataBytes = held.size() - 4 * 5;
    std::uint16_t sum = 0;
    for (std::size_t b = 0; b < dataBytes; b += 2)
        sum = static_cast<std::uint16_t>(sum + (held[b] | (held[b + 1] << 8)));
    EXPECT_EQ(sum, 0);

    CTmDoc hidden(app);
    hidden.SetHidden(true);
    ASSERT_TRUE(hidden.OnSaveDocument(dir / "block.orl"));
    auto copy = Open(dir / "block.orl");
    EXPECT_EQ(copy->FileKind(), 11);
    EXPECT_EQ(copy->GetRecordIndex(), (std::vector<std::uint32_t>{6, 7, 8, 9, 10}));
    EXPECT_EQ(RowNumbers(*copy), (std::vector<std::uint32_t>{6, 7, 8, 9, 10}));
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(AnalyzerBufferEdit, MultifilesAndSpectraWithoutATimeHistoryAreNotEditedNorMarked)
{
    const fixture::Analyzer505Spec files[] = {History(4), History(4)};
    auto multifile = Open(Write("multi.orl", fixture::Analyzer505Multifile(files)));
    fixture::Analyzer505Spec single = History(4);
    single.timeHistory = false;
    auto spectra = Open(Write("spectra.orl", fixture::Analyzer505Container(single)));
    auto history = OpenHistory(4);
    for (CTmDoc* doc : {multifile.get(), spectra.get()}) {
        const std::vector<std::uint16_t> before = Words(*doc);
        EXPECT_EQ(doc->EditBuffer(BlockEditOp::Delete, 0, 1), BlockEditResult::Nothing);
        EXPECT_EQ(Words(*doc), before);
    }
    // ANALYZER-mode files name no impulse profiles.
    std::vector<std::uint8_t> marks;
    EXPECT_FALSE(history->MarkImpulses(3, marks));
    EXPECT_TRUE(marks.empty());
}

TEST(ImpulseMarks, LevelDifferenceOf6dBOrAnOverloadedProfileAMarks)
{
    struct Case {
        std::int16_t a, b;
        std::uint8_t overload;
        std::uint8_t mark;
    } cases[] = {
        {860, 800, 0, kImpulseLevelDifference}, // 6.0 dB
        {859, 800, 0, 0},                       // 5.9 dB
        {859, 800, 1, kImpulseLevelDifference}, // 5.9 dB, A overloaded
        {800, 860, 0, 0},                       // B above A
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> marks(1, 0);
        MarkLevelDifference(std::vector<std::int16_t>{c.a}, std::vector<std::int16_t>{c.b},
                            std::vector<std::uint8_t>{c.overload}, marks);
        EXPECT_EQ(marks[0], c.mark) << c.a << " " << c.b << " " << int(c.overload);
    }
}

TEST(ImpulseMarks, WindowIsOneSecondOfRecordsAndNoneWithoutAPositiveStep)
{
    EXPECT_EQ(ImpulseWindow(0.125), 8);
    EXPECT_EQ(ImpulseWindow(0.1), 10);
    EXPECT_EQ(ImpulseWindow(1.0), 1);
    EXPECT_EQ(ImpulseWindow(0.0), 0);
    EXPECT_EQ(ImpulseWindow(-0.5), 0);
}

// Indexes of the records marked as a peak.
std::vector<int> Peaks(const std::vector<std::int16_t>& levels, int window)
{
    std::vector<std::uint8_t> marks(levels.size(), 0);
    MarkPeaks(levels, window, marks);
    std::vector<int> marked;
    for (std::size_t i = 0; i < marks.size(); ++i)
        if (marks[i] & kImpulsePeak)
            marked.push_back(static_cast<int>(i));
    return marked;
}

TEST(ImpulseMarks, PeakMoreThan10dBAboveBothSidesWithinASecondIsMarkedBetweenTheDrops)
{
    // Background 50.0 dB, a peak at records 5 and 6.
    std::vector<std::int16_t> levels(16, 500);
    levels[5] = 601;
    levels[6] = 590;
    // Marked from the record after the left drop (4) to the record before the right drop (7).
    EXPECT_EQ(Peaks(levels, 8), (std::vector<int>{5, 6}));

    levels[5] = 600; // 10.0 dB: not a drop
    levels[6] = 500;
    EXPECT_EQ(Peaks(levels, 8), std::vector<int>{});

    // Without a window (a time step of 0) nothing is marked.
    levels[5] = 700;
    EXPECT_EQ(Peaks(levels, 0), std::vector<int>{});
}

TEST(ImpulseMarks, PeakWhoseDropsLieOutsideTheWindowIsNotMarked)
{
    // The level stays up for 10 records before it drops: no right drop within 8 records.
    std::vector<std::int16_t> levels(30, 500);
    for (int i = 5; i < 15; ++i)
        levels[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(700 - i);
    EXPECT_EQ(Peaks(levels, 8), std::vector<int>{});
    // A wider window finds both drops.
    EXPECT_EQ(Peaks(levels, 16).front(), 5);
}

TEST_F(BufferEdit, ImpulsesAreMarkedFromTheFilesImpulseProfiles)
{
    CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(16);
    fixture::SetImpulseProfiles(spec, 1, 2, 3);
    // The file names its impulse profiles only at steps of 0.1 s or less.
    spec.stepSeconds = 0;
    spec.stepMillis = 100;
    // A (impulse) 6.0 dB above B (slow) in row 1, 5.9 dB in rows 2 and 3, row 3 overloaded.
    std::vector<std::int16_t> a(16, 700);
    a[1] = 760;
    a[2] = a[3] = 759;
    std::vector<bool> overload(16, false);
    overload[3] = true;
    // C (fast): a peak 10.1 dB above its sides at row 9.
    std::vector<std::int16_t> c(16, 500);
    c[9] = 601;
    spec.loggerLevels = {{1, a, overload}, {2, std::vector<std::int16_t>(16, 700), {}}, {3, c, {}}};
    auto doc = Open(Write("impulses.orl", CurrentContainer(spec)));
    ASSERT_EQ(doc->Header().impulseProfile, 1);
    ASSERT_EQ(doc->Header().slowProfile, 2);
    ASSERT_EQ(doc->Header().fastProfile, 3);

    std::vector<std::uint8_t> marks{9, 9};
    ASSERT_TRUE(doc->MarkImpulses(kImpulseModeBoth, marks));
    std::vector<std::uint8_t> expected(16, 0);
    expected[1] = expected[3] = kImpulseLevelDifference;
    expected[9] = expected[10] = kImpulsePeak;
    EXPECT_EQ(marks, expected);

    ASSERT_TRUE(doc->MarkImpulses(kImpulseModePeak, marks));
    expected[1] = expected[3] = 0;
    EXPECT_EQ(marks, expected);
}

} // namespace
} // namespace orlu
