// The loggers of the files of a current-family Multifile: the document offers
// the Buffer/Logger view when a file holds one, the view steps onto those
// files, and each file's logger is shown with its own rows (its markers and
// breaks taken out, its record numbers past the breaks) and its name, never
// reading past its file.

#include "analysis/statistics/LoggerColumns.h"
#include "analysis/statistics/LoggerForms.h"
#include "analysis/statistics/LoggerGraphData.h"
#include "document/DocumentTestSupport.h"
#include "document/ViewMask.h"
#include "support/GoldenText.h"
#include "support/MixedMultifile.h"

#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::MemberSpec;
using fixture::MultifileMember;

constexpr std::uint8_t kKindMerged525 = 55;
const std::vector<std::int16_t> kLevels = {700, 800, 900, 755, 602, 850, 799};

// Two ORLU 525 sound files; the second logs seven rows, profile 1 holding kLevels with
// the third row overloaded, a marker after row 3 and a break of 10 records before row 7.
std::vector<MultifileMember> Members()
{
    MemberSpec plain{"level", 525, 300};
    MemberSpec logger{"level", 525, 300};
    logger.loggerRows = 7;
    logger.loggerLevels = {{1, kLevels, {false, false, true}}};
    const MemberSpec members[] = {plain, logger};
    return fixture::MixedMultifileMembers(members);
}

class MultifileLogger : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenMultifile(const std::vector<MultifileMember>& members)
    {
        return Open(Write("m.orl", fixture::Multifile(kKindMerged525, members)));
    }
    static BufferChoices Profile1()
    {
        BufferChoices choices;
        choices.channelMask = 0x1;
        return choices;
    }
    static std::optional<std::string> Text(CTmDoc& doc)
    {
        LineList lines;
        int widest = 0;
        if (!TextLogger(doc, lines, &widest, Profile1()))
            return std::nullopt;
        return lines.Join();
    }
};

TEST_F(MultifileLogger, TheFileWithALoggerShowsItsOwnRowsAndName)
{
    auto doc = OpenMultifile(Members());
    EXPECT_NE(doc->GetViewMask() & kViewMaskBuffer, 0u);
    // The view steps from the file without a logger onto the one with it.
    SubfileSelection s;
    s.selected = 1;
    doc->ClampSubfileSelection(kViewBufferLogger, s, {});
    EXPECT_EQ(s.selected, 2);
    EXPECT_EQ(s.first, 2);
    EXPECT_EQ(s.last, 2);

    ASSERT_TRUE(doc->DecodeFileHeader(2));
    EXPECT_EQ(Text(*doc), fixture::Golden("multifile-logger.txt"));
    PlotData data;
    ASSERT_TRUE(GraphLogger(*doc, data, Profile1(), 0));
    EXPECT_EQ(data.TimeStamps, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 17}));
    ASSERT_EQ(data.BufferValues[0].Size(), 7u);
    EXPECT_EQ(data.BufferValues[0][6], 79.9);

    // The first file has no logger.
    ASSERT_TRUE(doc->DecodeFileHeader(1));
    EXPECT_FALSE(LocateLogger(*doc));
    EXPECT_EQ(Text(*doc), std::nullopt);
}

TEST_F(MultifileLogger, AFileDeclaringMoreRowsThanItHoldsShowsWhatItHas)
{
    CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(7);
    spec.declaredCount = 20;
    spec.loggerLevels = {{1, kLevels, {}}};
    // A second file after it, whose words the first file's rows must not take.
    CurrentFileSpec next = fixture::ThreeProfileLoggerSpec(5);
    next.loggerLevels = {{1, std::vector<std::int16_t>(5, 400), {}}};
    auto doc = OpenMultifile(
        {{"FILE1", fixture::CurrentMeasurementFile(spec)}, {"FILE2", fixture::CurrentMeasurementFile(next)}});
    ASSERT_TRUE(doc->DecodeFileHeader(1));
    const std::optional<LoggerPlace> place = LocateLogger(*doc);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->records, 7u);
    const std::optional<std::string> text = Text(*doc);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("total number of results = 7\r\n"), std::string::npos);
    EXPECT_EQ(text->find(" 40.0"), std::string::npos) << *text;
}

} // namespace
} // namespace orlu
