// Reverberation time: the crossing search and the two-point times on decays
// worked out by hand, the records of a file evaluated through the document,
// and the text and table forms checked against their layouts.

#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTime.h"
#include "analysis/spectra/ReverbTimeReport.h"

#include "document/DocumentTestSupport.h"
#include "document/RtBandRecords.h"
#include "support/Analyzer505Fixture.h"
#include "support/GoldenText.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace orlu {
namespace {

constexpr double kStep = 0.01;
constexpr std::size_t kRecords = 40;

// 80 dB for records 0 to 2, then 1 dB less per record, not below `floor`.
double Decay(std::size_t r, double floor = 0.0)
{
    return std::max(floor, r <= 2 ? 80.0 : 80.0 - static_cast<double>(r - 2));
}

DecayCurves Curves(const std::vector<std::function<double(std::size_t)>>& bands, std::size_t records = kRecords)
{
    DecayCurves curves(bands.size(), records);
    std::vector<double> levels(bands.size());
    for (std::size_t r = 0; r < records; ++r) {
        for (std::size_t b = 0; b < bands.size(); ++b)
            levels[b] = bands[b](r);
        curves.SetRecord(r, levels);
    }
    return curves;
}

std::vector<std::uint8_t> Records(std::size_t bands, std::int32_t first = 0, std::int32_t last = 2)
{
    std::vector<std::uint8_t> records(bands * kRtBandRecordSize);
    ClearRtBandRecords(records, kStep);
    SetReferenceInterval(records, first, last);
    return records;
}

std::int32_t Cross(const std::vector<std::uint8_t>& records, std::size_t field, std::size_t band = 0)
{
    return GetRtField<std::int32_t>(std::span(records).subspan(band * kRtBandRecordSize), field);
}

std::optional<double> Time(const std::vector<std::uint8_t>& records, int method, std::size_t band = 0)
{
    return ReverbTimeOf(std::span(records).subspan(band * kRtBandRecordSize, kRtBandRecordSize), method, kRecords);
}

TEST(ReverbTime, LinearDecayGivesTheSameTimeForEveryMethod)
{
    std::vector<std::uint8_t> records = Records(1);
    EvaluateReverbTime(records, Curves({[](std::size_t r) { return Decay(r); }}), false);
    EXPECT_EQ(Cross(records, rtrec::kCross5), 7);
    EXPECT_EQ(Cross(records, rtrec::kCross10), 12);
    EXPECT_EQ(Cross(records, rtrec::kCross25), 27);
    EXPECT_EQ(Cross(records, rtrec::kCross35), 37);
    EXPECT_DOUBLE_EQ(GetRtField<double>(records, rtrec::kReferenceLevel), 80.0);
    EXPECT_DOUBLE_EQ(GetRtField<double>(records, rtrec::kLevel35), 45.0);
    EXPECT_EQ(records[rtrec::kEvaluationMode], 3);
    for (int m : {kRtEdt, kRtRt20, kRtRt30})
        EXPECT_NEAR(Time(records, m).value_or(-1.0), 0.600, 1e-12) << m;
    EXPECT_FALSE(Time(records, kRtUser)) << "no user interval was set";
}

TEST(ReverbTime, CrossingsAndTheirStatus)
{
    std::vector<std::uint8_t> records = Records(3);
    // A fall to exactly halfway around -5 dB (77.5, then 72.5) keeps the later
    // record; a decay that stops at 50 dB reaches -25 dB but never -35; a flat
    // band never falls 5 dB.
    const auto halfway = [](std::size_t r) { return r <= 2 ? 80.0 : 80.0 - 5.0 * static_cast<double>(r - 2) + 2.5; };
    EvaluateReverbTime(records,
                       Curves({halfway, [](std::size_t r) { return Decay(r, 50.0); }, [](std::size_t) { return 80.0; }}),
                       false);
    EXPECT_EQ(Cross(records, rtrec::kCross5, 0), 4);

    EXPECT_TRUE(Time(records, kRtRt20, 1));
    EXPECT_FALSE(Time(records, kRtRt30, 1));
    EXPECT_EQ(records[kRtBandRecordSize + kRtRt30], kRtFirstCrossing);

    const std::size_t flat = 2 * kRtBandRecordSize;
    for (int m : {kRtEdt, kRtRt20, kRtRt30}) {
        EXPECT_EQ(records[flat + static_cast<std::size_t>(m)], kRtNoCrossing);
        EXPECT_FALSE(Time(records, m, 2));
    }
}

TEST(ReverbTime, SmoothingReplacesTheDecayByItsMovingAverage)
{
    // A single dip of 10 dB at record 5 crosses -5 dB on its own; its 7-point
    // average (80 - 10/7) does not, so the smoothed -5 dB crossing comes with the decay.
    const auto dipped = [](std::size_t r) { return r == 5 ? 70.0 : (r < 12 ? 80.0 : 80.0 - static_cast<double>(r - 11)); };
    std::vector<std::uint8_t> raw = Records(1);
    EvaluateReverbTime(raw, Curves({dipped}), false);
    EXPECT_EQ(Cross(raw, rtrec::kCross5), 5);
    std::vector<std::uint8_t> smooth = Records(1);
    EvaluateReverbTime(smooth, Curves({dipped}), true);
    EXPECT_GT(Cross(smooth, rtrec::kCross5), 12);
}

TEST(ReverbTime, UserIntervalAndASmallFall)
{
    std::vector<std::uint8_t> records = Records(2);
    SetUserInterval(std::span(records).first(kRtBandRecordSize), 7, 27);
    SetUserInterval(std::span(records).subspan(kRtBandRecordSize), 0, 2); // a flat stretch: no fall
    EvaluateReverbTime(records, Curves({[](std::size_t r) { return Decay(r); }, [](std::size_t r) { return Decay(r); }}),
                       false);
    EXPECT_NEAR(Time(records, kRtUser, 0).value_or(-1.0), 0.600, 1e-12);
    EXPECT_EQ(Time(records, kRtUser, 1), 0.0);
}

TEST(ReverbTime, RecordsWithIntervalsOutsideTheDecayAreNotEvaluated)
{
    struct Case {
        const char* name;
        std::int32_t first, last, userFirst, userLast;
    };
    const Case cases[] = {
        {"negative first", -1, 2, 0, 0},
        {"reversed", 3, 2, 0, 0},
        {"last past the records", 0, static_cast<std::int32_t>(kRecords), 0, 0},
        {"user interval past the records", 0, 2, 5, 400},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> records = Records(1, c.first, c.last);
        if (c.userLast != 0)
            SetUserInterval(records, c.userFirst, c.userLast);
        const std::vector<std::uint8_t> before = records;
        EvaluateReverbTime(records, Curves({[](std::size_t r) { return Decay(r); }}), false);
        EXPECT_EQ(records, before) << c.name;
        for (int m = kRtEdt; m <= kRtUser; ++m)
            EXPECT_FALSE(Time(records, m)) << c.name;
    }
}

// Three rows: a full decay with a user interval, a decay that stops short of
// -35 dB, and a flat total with a user interval on its flat part.
class ReverbForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        records = Records(3);
        SetUserInterval(std::span(records).first(kRtBandRecordSize), 7, 27);
        SetUserInterval(std::span(records).subspan(2 * kRtBandRecordSize), 0, 2);
        EvaluateReverbTime(records,
                           Curves({[](std::size_t r) { return Decay(r); }, [](std::size_t r) { return Decay(r, 50.0); },
                                   [](std::size_t) { return 80.0; }}),
                           false);
        report.records = kRecords;
        const std::span<const std::uint8_t> all(records);
        report.rows = {{500.0, {}, all.subspan(0, kRtBandRecordSize)},
                       {1000.0, {}, all.subspan(kRtBandRecordSize, kRtBandRecordSize)},
                       {0.0, "A", all.subspan(2 * kRtBandRecordSize, kRtBandRecordSize)}};
    }
    std::vector<std::uint8_t> records;
    ReverbTimeReport report;
};

TEST_F(ReverbForms, Text)
{
    LineList lines;
    int widest = 0;
    FormatReverbTimeText(lines, &widest, report);
    const std::string text = lines.Join();
    EXPECT_EQ(text, fixture::Golden("reverb-time-octaves.txt"));
    EXPECT_EQ(widest, fixture::WidthOf(text));

    report.smoothed = true;
    report.thirdOctaves = true;
    FormatReverbTimeText(lines, &widest, report);
    EXPECT_NE(lines.Join().find("\r\nReverberation Time in Octave 1/3: (for smoothed data)\r\n"), std::string::npos);
}

TEST_F(ReverbForms, TableWithDecimalCommaAndSemicolons)
{
    LineList lines;
    int widest = 0;
    FormatReverbTimeTable(lines, &widest, report, {0, 1, 2});
    EXPECT_EQ(lines.Join(), "Reverberation_Time_in_Octave_1/1:\r\n"
                            "f[Hz];EDT[s];RT20[s];RT30[s];RTuser[s]\r\n"
                            "500,0;0,600;0,600;0,600;0,600\r\n"
                            "1000,0;0,600;0,600;*,***;*,***\r\n"
                            "A;*,***;*,***;*,***;0,000\r\n");
}

// 80 dB for records 0 to 2, then 1 dB less per record 0.01 s apart, and no user interval:
// the row of the 1000 Hz band with ';' and ','.
TEST(ReverbTable, OneBandWithoutItsUserInterval)
{
    std::vector<std::uint8_t> records = Records(1);
    EvaluateReverbTime(records, Curves({[](std::size_t r) { return Decay(r); }}), false);
    ReverbTimeReport report;
    report.records = kRecords;
    report.rows = {{1000.0, {}, std::span<const std::uint8_t>(records)}};
    LineList lines;
    int widest = 0;
    FormatReverbTimeTable(lines, &widest, report, {0, 1, 2});
    EXPECT_EQ(lines.Join(), "Reverberation_Time_in_Octave_1/1:\r\n"
                            "f[Hz];EDT[s];RT20[s];RT30[s];RTuser[s]\r\n"
                            "1000,0;0,600;0,600;0,600;*,***\r\n");
}

// A 1/3-octave file of numbered spectra whose every band decays as Decay().
class ReverbDocument : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenDecay()
    {
        fixture::Analyzer505Spec spec;
        spec.function = 4;
        spec.values = 31;
        spec.bands = 30;
        spec.spectra = kRecords;
        spec.timeHistory = true;
        spec.timeStepFixed = 655; // 0.0099945 s
        spec.value = [](std::uint32_t r, std::uint32_t, std::uint32_t) {
            return static_cast<std::int16_t>(Decay(r) * 10.0);
        };
        return Open(Write("decay.orl", fixture::Analyzer505Container(spec)));
    }
    static std::string Text(CTmDoc& doc)
    {
        const std::optional<ReverbTimeReport> report = ReverbReportOf(doc, 0, false, kReverbThirdOctaves);
        EXPECT_TRUE(report);
        LineList lines;
        int widest = 0;
        if (report)
            FormatReverbTimeText(lines, &widest, *report);
        return lines.Join();
    }
};

TEST_F(ReverbDocument, EvaluatesEveryBandAndKeepsTheResultsInTheFile)
{
    auto doc = OpenDecay();
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const std::optional<ReverbSource> source = ReverbSourceOf(*doc, kReverbThirdOctaves, 0);
    ASSERT_TRUE(source);
    EXPECT_FALSE(ReverbSourceOf(*doc, kReverbThirdOctaves, 1)) << "a one-channel file";
    SetReferenceInterval(ReverbRecords(*doc, *source), 0, 2);
    ASSERT_EQ(ComputeReverbTime(*doc, 0, false, kReverbThirdOctaves), 1);
    const std::string text = Text(*doc);
    EXPECT_NE(text.find("\r\n 1000.0          0.600          0.600          0.600          *.***\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   31.5          0.600"), std::string::npos) << "the first band at or above 30 Hz";

    SaveAndRead(*doc, "saved.orl");
    auto reopened = Open(dir / "saved.orl");
    EXPECT_TRUE(reopened->Rt(CTmDoc::kRtThirdOctave).BlockInFile);
    EXPECT_EQ(Text(*reopened), text);

    const std::span<std::uint8_t> records = ReverbRecords(*reopened, *source);
    ClearRtBandRecords(records, 0.01);
    SaveAndRead(*reopened, "cleared.orl");
    auto cleared = Open(dir / "cleared.orl");
    EXPECT_FALSE(cleared->Rt(CTmDoc::kRtThirdOctave).BlockInFile) << "a cleared set writes no block";
    EXPECT_EQ(Text(*cleared).find("0.600"), std::string::npos);
}

TEST_F(ReverbDocument, FftSpectraKeepARecordPerLineWhenTheyFit)
{
    // Two channels of numbered FFT spectra of 400 lines: a record per line and
    // channel; four channels of 400 lines would not fit in one block, and
    // such a file still opens, without records.
    for (const bool four : {false, true}) {
        fixture::Analyzer505Spec spec;
        spec.function = 2;
        spec.values = 400;
        spec.spectra = 3;
        spec.timeHistory = true;
        spec.fourChannel = four;
        auto doc = Open(Write(four ? "four.orl" : "one.orl", fixture::Analyzer505Container(spec)));
        ASSERT_TRUE(doc->AnalyzerDecoded()) << four;
        EXPECT_TRUE(DecaySourceOf(*doc, kReverbFftLines, 0)) << four;
        const std::optional<ReverbSource> source = ReverbSourceOf(*doc, kReverbFftLines, 0);
        EXPECT_EQ(source.has_value(), !four);
        if (source) {
            EXPECT_EQ(source->bands, 400u);
        }
    }
}

TEST_F(ReverbDocument, OtherBandKindsHaveNoRecords)
{
    auto doc = OpenDecay();
    EXPECT_EQ(ComputeReverbTime(*doc, 0, false, kReverbOctaves), 0);
    EXPECT_EQ(ComputeReverbTime(*doc, 0, false, kReverbFftLines), 0);
    EXPECT_FALSE(ReverbReportOf(*doc, 0, false, kReverbOctaves));
}

} // namespace
} // namespace orlu
