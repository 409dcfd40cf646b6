// The reverberation-time text of a band record: a straight decay evaluated
// end to end gives the same time for every method, and each way a method can
// fail to give a time is checked on a record edited by hand.

#include "analysis/spectra/FormatReverbTime.h"
#include "analysis/spectra/ReverbTime.h"

#include "document/RtBandRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace orlu {
namespace {

// 80 dB for records 0 to 2, then 1 dB less per record down to a floor of 30 dB,
// records 10 ms apart: 100 dB/s, so 60 dB take 0.600 s.
std::vector<std::uint8_t> EvaluatedStraightDecay()
{
    constexpr std::size_t kRecords = 80;
    DecayCurves curves(1, kRecords);
    for (std::size_t r = 0; r < kRecords; ++r) {
        const double level = std::max(30.0, r <= 2 ? 80.0 : 80.0 - static_cast<double>(r - 2));
        curves.SetRecord(r, std::vector<double>{level});
    }
    std::vector<std::uint8_t> record(kRtBandRecordSize);
    ClearRtBandRecords(record, 0.01);
    SetReferenceInterval(record, 0, 2);
    SetUserInterval(record, 10, 40);
    EvaluateReverbTime(record, curves, false);
    return record;
}

TEST(FormatReverbTime, StraightDecayGivesTheSameTimeForEveryMethod)
{
    const std::vector<std::uint8_t> record = EvaluatedStraightDecay();
    for (int method = 1; method <= 4; ++method)
        EXPECT_EQ(FormatReverbTime(record, method), "0.600") << "method " << method;
}

// A record whose user interval runs from record 10 (70 dB) to record 40, edited per case.
struct Edit {
    const char* name;
    int method;
    std::uint8_t status;
    std::int32_t first;
    std::int32_t last;
    double lastLevel;
    double timeStep;
    const char* text;
};

class FormatReverbTimeCases : public testing::TestWithParam<Edit> {};

TEST_P(FormatReverbTimeCases, Text)
{
    const Edit& e = GetParam();
    std::vector<std::uint8_t> record(kRtBandRecordSize);
    ClearRtBandRecords(record, e.timeStep);
    record[rtrec::kStatus + static_cast<std::size_t>(e.method)] = e.status;
    const bool user = e.method == 4;
    PutRtField(std::span(record), user ? rtrec::kUserFirst : rtrec::kCross5, e.first);
    PutRtField(std::span(record), user ? rtrec::kUserLast : rtrec::kCross25, e.last);
    PutRtField(std::span(record), user ? rtrec::kUserFirstLevel : rtrec::kLevel5, 70.0);
    PutRtField(std::span(record), user ? rtrec::kUserLastLevel : rtrec::kLevel25, e.lastLevel);
    EXPECT_EQ(FormatReverbTime(record, e.method), e.text);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Edits, FormatReverbTimeCases,
                         testing::Values(
                             // 30 records of 10 ms for 20 dB: 0.3 s x 3.
                             Edit{"user", 4, 4, 10, 40, 50.0, 0.01, "0.900"},
                             Edit{"rt20", 2, 5, 10, 40, 50.0, 0.01, "0.900"},
                             // The user interval counts from status 4, RT20 needs both crossings.
                             Edit{"rt20FirstCrossingOnly", 2, 4, 10, 40, 50.0, 0.01, "*.***"},
                             Edit{"userNotSet", 4, 3, 10, 40, 50.0, 0.01, "*.***"},
                             // 9.999 s still fits, 10.000 s does not.
                             Edit{"justBelowTen", 4, 4, 10, 40, 10.0, 9.999 / 30.0, "9.999"},
                             Edit{"ten", 4, 4, 10, 40, 10.0, 1.0 / 3.0, "*.***"},
                             Edit{"secondNotAfterFirst", 4, 4, 40, 40, 50.0, 0.01, "*.***"},
                             Edit{"secondBeforeFirst", 2, 5, 40, 10, 50.0, 0.01, "*.***"},
                             // A fall of 0.1 dB or less, or a rise, has no slope to extrapolate.
                             Edit{"fallOfPointOne", 4, 4, 10, 40, 69.9, 0.01, "0.000"},
                             Edit{"rise", 4, 4, 10, 40, 75.0, 0.01, "0.000"},
                             Edit{"damagedTimeStep", 4, 4, 10, 40, 50.0, kNaN, "*.***"},
                             Edit{"negativeTimeStep", 4, 4, 10, 40, 50.0, -0.01, "*.***"}),
                         [](const testing::TestParamInfo<Edit>& info) { return std::string(info.param.name); });

TEST(FormatReverbTime, ShortRecordOrUnknownMethodGivesNoTime)
{
    const std::vector<std::uint8_t> record = EvaluatedStraightDecay();
    EXPECT_EQ(FormatReverbTime(std::span(record).first(kRtBandRecordSize - 1), 1), "*.***");
    EXPECT_EQ(FormatReverbTime(record, 0), "*.***");
    EXPECT_EQ(FormatReverbTime(record, 5), "*.***");
}

} // namespace
} // namespace orlu
