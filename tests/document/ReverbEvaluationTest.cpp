// The exchange of one method's reverberation evaluation between the view and
// the band's stored record: the fields each method owns in the record, the
// bytes it leaves alone, and the way back.

#include "document/ReverbEvaluation.h"
#include "document/RtBandRecords.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

namespace orlu {
namespace {

ReverbEvaluation SampleEvaluation()
{
    ReverbEvaluation e;
    e.Status = {4, 5, 3, 5};
    e.TimeStep = 0.01;
    e.ReferenceFirst = 2;
    e.ReferenceLast = 7;
    e.StartIndex = 11;
    e.StartLevel = 85.5;
    e.EndIndex = {15, 31, 43, 52};
    e.EndLevel = {80.25, 65.5, 55.75, 40.125};
    e.UserStartIndex = 20;
    e.UserStartLevel = 70.5;
    e.EvaluationMode = 3;
    e.ReferenceLevel = 90.75;
    return e;
}

template <typename T>
T At(const std::array<std::uint8_t, 121>& record, std::size_t offset)
{
    T value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

struct MethodCase {
    int method;
    std::size_t startIndex; // 0: the method has no start of its own
    std::size_t startLevel;
    std::size_t endIndex;
    std::size_t endLevel;
    std::int32_t start;
    double startLevelValue;
    std::int32_t end;
    double endLevelValue;
};

const MethodCase kMethods[] = {
    {1, 0, 0, rtrec::kCross10, rtrec::kLevel10, 0, 0, 15, 80.25},
    {2, rtrec::kCross5, rtrec::kLevel5, rtrec::kCross25, rtrec::kLevel25, 11, 85.5, 31, 65.5},
    {3, rtrec::kCross5, rtrec::kLevel5, rtrec::kCross35, rtrec::kLevel35, 11, 85.5, 43, 55.75},
    {4, rtrec::kUserFirst, rtrec::kUserFirstLevel, rtrec::kUserLast, rtrec::kUserLastLevel, 20, 70.5, 52, 40.125},
};

TEST(ReverbEvaluation, SaveWritesTheMethodsFieldsAndNothingElse)
{
    const ReverbEvaluation e = SampleEvaluation();
    for (const MethodCase& c : kMethods) {
        // One byte more than a record, at an odd address: no aligned access assumed.
        std::array<std::uint8_t, 121> buffer;
        buffer.fill(0xEE);
        std::span<std::uint8_t> record(buffer.data() + 1, kRtBandRecordSize);
        ASSERT_TRUE(SaveReverbState(c.method, record, e));

        std::array<std::uint8_t, 121> shifted{};
        std::memcpy(shifted.data(), record.data(), kRtBandRecordSize);
        EXPECT_EQ(shifted[static_cast<std::size_t>(c.method)], e.Status[static_cast<std::size_t>(c.method - 1)]);
        EXPECT_EQ(shifted[rtrec::kMethod], c.method);
        EXPECT_EQ(At<double>(shifted, rtrec::kTimeStep), 0.01);
        EXPECT_EQ(At<std::int32_t>(shifted, rtrec::kReferenceFirst), 2);
        EXPECT_EQ(At<std::int32_t>(shifted, rtrec::kReferenceLast), 7);
        EXPECT_EQ(At<std::int32_t>(shifted, c.endIndex), c.end) << "method " << c.method;
        EXPECT_EQ(At<double>(shifted, c.endLevel), c.endLevelValue) << "method " << c.method;
        if (c.startIndex != 0) {
            EXPECT_EQ(At<std::int32_t>(shifted, c.startIndex), c.start) << "method " << c.method;
            EXPECT_EQ(At<double>(shifted, c.startLevel), c.startLevelValue) << "method " << c.method;
        }
        EXPECT_EQ(shifted[rtrec::kEvaluationMode], 3);
        EXPECT_EQ(At<double>(shifted, rtrec::kReferenceLevel), 90.75);

        std::set<std::size_t> written = {static_cast<std::size_t>(c.method), rtrec::kMethod,
                                         rtrec::kEvaluationMode};
        auto mark = [&](std::size_t offset, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                written.insert(offset + i);
        };
        mark(rtrec::kTimeStep, 8);
        mark(rtrec::kReferenceFirst, 8);
        mark(rtrec::kReferenceLevel, 8);
        mark(c.endIndex, 4);
        mark(c.endLevel, 8);
        if (c.startIndex != 0) {
            mark(c.startIndex, 4);
            mark(c.startLevel, 8);
        }
        for (std::size_t i = 0; i < kRtBandRecordSize; ++i) {
            if (!written.contains(i)) {
                EXPECT_EQ(shifted[i], 0xEE) << "method " << c.method << " wrote byte " << i;
            }
        }
        EXPECT_EQ(buffer[0], 0xEE);
    }
}

TEST(ReverbEvaluation, LoadGivesBackWhatSaveStoredAndKeepsTheOtherMethods)
{
    const ReverbEvaluation saved = SampleEvaluation();
    for (const MethodCase& c : kMethods) {
        std::array<std::uint8_t, kRtBandRecordSize> record{};
        ASSERT_TRUE(SaveReverbState(c.method, record, saved));

        ReverbEvaluation loaded;
        loaded.Status = {9, 9, 9, 9};
        loaded.EndIndex = {-1, -1, -1, -1};
        loaded.StartIndex = -1;
        loaded.UserStartIndex = -1;
        ReverbEvaluation expected = loaded;
        const auto m = static_cast<std::size_t>(c.method - 1);
        expected.Status[m] = saved.Status[m];
        expected.TimeStep = saved.TimeStep;
        expected.ReferenceFirst = saved.ReferenceFirst;
        expected.ReferenceLast = saved.ReferenceLast;
        expected.EndIndex[m] = saved.EndIndex[m];
        expected.EndLevel[m] = saved.EndLevel[m];
        if (c.method == 2 || c.method == 3) {
            expected.StartIndex = saved.StartIndex;
            expected.StartLevel = saved.StartLevel;
        } else if (c.method == 4) {
            expected.UserStartIndex = saved.UserStartIndex;
            expected.UserStartLevel = saved.UserStartLevel;
        }
        expected.EvaluationMode = saved.EvaluationMode;
        expected.ReferenceLevel = saved.ReferenceLevel;

        ASSERT_TRUE(LoadReverbState(c.method, loaded, record));
        EXPECT_EQ(loaded, expected) << "method " << c.method;
    }
}

TEST(ReverbEvaluation, RefusesAnUnknownMethodOrAShortRecord)
{
    const ReverbEvaluation e = SampleEvaluation();
    std::array<std::uint8_t, kRtBandRecordSize> record{};
    for (int method : {0, 5, -1})
        EXPECT_FALSE(SaveReverbState(method, record, e)) << method;
    EXPECT_FALSE(SaveReverbState(1, std::span(record).first(kRtBandRecordSize - 1), e));
    EXPECT_EQ(record, (std::array<std::uint8_t, kRtBandRecordSize>{}));

    ReverbEvaluation loaded;
    record.fill(0x11);
    EXPECT_FALSE(LoadReverbState(5, loaded, record));
    EXPECT_FALSE(LoadReverbState(2, loaded, std::span<const std::uint8_t>(record).first(100)));
    EXPECT_EQ(loaded, ReverbEvaluation{});
}

} // namespace
} // namespace orlu
