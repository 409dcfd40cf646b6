#include "graph/BandAxis.h"
#include "graph/BandNames.h"
#include "graph/FftFreqAxis.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr int kLeft = 100;
constexpr int kBottom = 200;
constexpr int kCw = 8; // the recording canvas's 14-pixel font

struct Text {
    int x;
    int y;
    std::string text;
};

std::vector<Text> Texts(const RecordingCanvas& c)
{
    std::vector<Text> out;
    for (const std::string& l : c.Lines()) {
        int x = 0;
        int y = 0;
        if (std::sscanf(l.c_str(), "text %d,%d", &x, &y) != 2)
            continue;
        const auto open = l.find('"');
        out.push_back({x, y, l.substr(open + 1, l.find('"', open + 1) - open - 1)});
    }
    return out;
}

bool HasText(const RecordingCanvas& c, const std::string& text)
{
    for (const Text& t : Texts(c))
        if (t.text == text)
            return true;
    return false;
}

// Vertical lines starting at the axis row b1 = bottom + 1, by their x.
std::vector<int> TickXs(const RecordingCanvas& c, int length)
{
    std::vector<int> out;
    for (const std::string& l : c.Lines()) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(l.c_str(), "line %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4 && x1 == x2 && y1 == kBottom + 1 &&
            y2 == y1 + length)
            out.push_back(x1);
    }
    return out;
}

RecordingCanvas Draw(const BandAxisInput& in, const BandAxisArgs& args)
{
    RecordingCanvas c;
    c.SelectFont(Font{"Courier New", 14, 400});
    DrawBandAxis(c, in, args);
    return c;
}

BandAxisInput Input(int count, int width, int first, int step, int sizeIndex = 0)
{
    BandAxisInput in;
    in.left = kLeft;
    in.bottom = kBottom;
    in.width = width;
    in.count = count;
    in.first = first;
    in.step = step;
    in.tickLength = 5;
    in.sizeIndex = sizeIndex;
    return in;
}

// Every written label starts at or after the end of the one before.
void ExpectNoOverlap(const std::vector<Text>& texts, int row)
{
    int end = -1000000;
    for (const Text& t : texts)
        if (t.y == row) {
            EXPECT_GE(t.x, end) << t.text;
            end = t.x + static_cast<int>(t.text.size()) * kCw + kCw;
        }
}

TEST(BandAxis, NarrowPlotKeepsEveryTickButDropsOverlappingLabels)
{
    const BandAxisArgs args = SpectrumBandAxisOf(12)->args;
    for (const int width : {90, 900}) {
        SCOPED_TRACE(width);
        const RecordingCanvas c = Draw(Input(45, width, 1, 9), args);
        EXPECT_EQ(TickXs(c, 5).size(), 5u); // positions 1, 10, 19, 28, 37
        const std::vector<Text> texts = Texts(c);
        std::size_t bands = 0;
        for (const Text& t : texts)
            bands += t.text.ends_with("Hz");
        EXPECT_EQ(bands == 5, width == 900);
        EXPECT_GE(bands, 1u);
        ExpectNoOverlap(texts, kBottom + 1 + 1 + 5);
    }
}

TEST(BandAxis, LabelsNameTheBandOfTheirTickPosition)
{
    // The axis table and the naming rule are two descriptions of the same bands.
    for (int kind = 0; kind <= 52; ++kind) {
        const std::optional<BandAxisRow> row = SpectrumBandAxisOf(kind);
        if (!row)
            continue;
        SCOPED_TRACE(kind);
        const int n = row->count > 0 ? row->count : 60;
        const double pitch = 30.0;
        const RecordingCanvas c = Draw(Input(n, static_cast<int>(n * pitch), row->first, row->step), row->args);
        int labels = 0;
        for (const Text& t : Texts(c)) {
            if (!t.text.ends_with("Hz"))
                continue;
            const int centre = t.x + static_cast<int>(t.text.size()) * kCw / 2;
            const int position = static_cast<int>((centre - kLeft + 1) / pitch);
            EXPECT_EQ(t.text, BandNameOf(kind, 0, position)) << position;
            ++labels;
        }
        EXPECT_GE(labels, 4);
    }
}

TEST(BandAxis, TotalsGroupAndItsCaption)
{
    struct Case {
        const char* name;
        int kind;
        bool slot;
        int sizeIndex;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases{
        {"third octave, size 0", 16, false, 0, {"A", "C", "HP", "Totals"}, {"Lin"}},
        {"caption at size 0 only", 16, false, 1, {"A", "C", "HP"}, {"Totals"}},
        {"1/1 octave, slot layout", 23, true, 0, {"A", "C", "Z", "Totals"}, {"Lin"}},
        {"1/1 octave", 23, false, 0, {"A", "C", "Lin", "Totals"}, {"Z"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        BandAxisRow row = *SpectrumBandAxisOf(k.kind);
        row.args.slotLayout = k.slot;
        const int n = row.count > 0 ? row.count : 12;
        const RecordingCanvas c = Draw(Input(n, n * 30, row.first, row.step, k.sizeIndex), row.args);
        for (const std::string& t : k.present)
            EXPECT_TRUE(HasText(c, t)) << t;
        for (const std::string& t : k.absent)
            EXPECT_FALSE(HasText(c, t)) << t;
    }
}

TEST(BandAxis, GroupLeftOutBehindALabelKeepsItsCaption)
{
    // 1/1 octaves from 31.5 Hz, 7 pixels a band: "8kHz" ends past the group's first tick.
    const BandAxisArgs args = SpectrumBandAxisOf(23)->args;
    const RecordingCanvas c = Draw(Input(12, 84, 0, 2), args);
    EXPECT_TRUE(HasText(c, "8kHz"));
    EXPECT_FALSE(HasText(c, "A"));
    EXPECT_TRUE(HasText(c, "Totals"));
    const int longTick = 1 + 14 + 2 * 5;
    EXPECT_TRUE(TickXs(c, longTick).empty());
}

TEST(BandAxis, SixTotalsNameTwoGroups)
{
    BandAxisArgs args = SpectrumBandAxisOf(20)->args;
    args.totalBars = 1;
    const RecordingCanvas c = Draw(Input(50, 1000, 3, 9), args);
    for (const char* t : {"A", "C", "L", "Tot.", "I", "F", "S", "Spl"})
        EXPECT_TRUE(HasText(c, t)) << t;
    const int longTick = 1 + 14 + 2 * 5;
    EXPECT_EQ(TickXs(c, longTick + 1).size(), 2u); // the first tick of each group reaches one pixel further
    EXPECT_EQ(TickXs(c, longTick).size(), 4u);
}

TEST(BandAxis, SingleTotalOfTheOctaveFrom1HzIsWrittenAtItsBracket)
{
    // 16 positions 4 pixels apart: the "1kHz" label ends past the bracket.
    const BandAxisArgs args = SpectrumBandAxisOf(29)->args;
    const RecordingCanvas c = Draw(Input(16, 64, 1, 3), args);
    const std::vector<Text> texts = Texts(c);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "Tot");
    EXPECT_EQ(texts.back().x, kLeft - 1 + 60); // trunc(15.2 x 4)
    EXPECT_EQ(texts[texts.size() - 2].text, "1kHz");
    EXPECT_LT(texts.back().x, texts[texts.size() - 2].x + 5 * kCw); // the overlap test would have refused it
}

TEST(BandAxis, PlainTotalIsBracketedOverThreePositions)
{
    const BandAxisArgs args = SpectrumBandAxisOf(15)->args; // flag 0, M 3
    const RecordingCanvas c = Draw(Input(47, 470, 3, 9), args);
    EXPECT_TRUE(HasText(c, "Total"));
    // Down at position 44, across to position 46, up to the plot's bottom.
    const std::vector<std::string>& lines = c.Lines();
    const std::string down = "line 544,201-544,205";
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(down); });
    ASSERT_NE(at, lines.end());
    ASSERT_LT(at + 2, lines.end());
    EXPECT_TRUE((at + 1)->starts_with("line 544,205-564,205"));
    EXPECT_TRUE((at + 2)->starts_with("line 564,205-564,200"));
}

TEST(BandAxis, WithoutTotalsBandLabelsStillStopBeforeTheLastThree)
{
    BandAxisArgs args = SpectrumBandAxisOf(15)->args;
    args.totals = 0;
    // Step 1 so that every position below N - 3 has a tick.
    const RecordingCanvas c = Draw(Input(47, 470, 0, 1), args);
    EXPECT_EQ(TickXs(c, 5).size(), 44u);
    EXPECT_FALSE(HasText(c, "Total"));
}

TEST(FftFreqAxis, DecimalsFollowThePointSpacing)
{
    struct Case {
        double spacing;
        int degree;
        int decimals;
    };
    for (const Case& k : {Case{0.05, 1, 2}, Case{0.05, 10, 1}, Case{0.000001, 1, 5}, Case{1.0, 1, 1}, Case{0.01, 1, 2},
                          Case{0.009, 1, 3}})
        EXPECT_EQ(FftFrequencyDecimals(k.spacing * k.degree), k.decimals) << k.spacing << " x " << k.degree;

    RecordingCanvas c(CanvasTarget::Metafile);
    c.SelectFont(Font{"Courier New", 14, 400});
    FftFreqAxisInput in;
    in.left = kLeft;
    in.bottom = kBottom;
    in.width = 400;
    in.shownCount = 400;
    in.tickLength = 5;
    in.lineSpacing = 0.05;
    DrawFftFreqAxis(c, in);
    EXPECT_TRUE(HasText(c, "0.00"));
    EXPECT_FALSE(HasText(c, "1.00")); // point 20 would start inside "0.00"
    EXPECT_TRUE(HasText(c, "2.00"));  // point 40: line 40 of 0.05 Hz
    EXPECT_TRUE(HasText(c, "Hz"));
}

TEST(FftFreqAxis, LabelsThatDoNotFitGetHalfTicks)
{
    RecordingCanvas c(CanvasTarget::Metafile);
    c.SelectFont(Font{"Courier New", 14, 400});
    FftFreqAxisInput in;
    in.left = kLeft;
    in.bottom = kBottom;
    in.width = 200; // ticks every 10 pixels, labels 4 or 5 characters wide
    in.shownCount = 400;
    in.tickLength = 6;
    in.lineSpacing = 1.0;
    DrawFftFreqAxis(c, in);
    const std::size_t full = TickXs(c, 6).size();
    const std::size_t half = TickXs(c, 3).size();
    EXPECT_EQ(full + half, 20u);
    EXPECT_GT(half, 0u);
    std::size_t labels = 0;
    for (const Text& t : Texts(c))
        labels += t.text != "Hz";
    EXPECT_EQ(labels, full);
}

} // namespace
} // namespace orlu
