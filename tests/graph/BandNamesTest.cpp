#include "graph/BandNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

// The nominal 1/3-octave frequency of band i (0: 1 Hz) from the R10 preferred
// numbers of ISO 266, written as the axes write it ("1.25Hz", "31.5kHz").
std::string NominalBand(int i)
{
    static const double kR10[] = {1.0, 1.25, 1.6, 2.0, 2.5, 3.15, 4.0, 5.0, 6.3, 8.0};
    const int decade = i >= 0 ? i / 10 : -1;
    const double f = kR10[((i % 10) + 10) % 10] * std::pow(10.0, decade);
    char text[32];
    if (f >= 1000.0)
        std::snprintf(text, sizeof text, "%gkHz", f / 1000.0);
    else
        std::snprintf(text, sizeof text, "%gHz", f);
    return text;
}

TEST(BandNames, NominalLabelsFollowTheR10Series)
{
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(ThirdOctave80kLabel(i), NominalBand(i)) << i;
    for (int i = 0; i < 44; ++i)
        EXPECT_EQ(ThirdOctave20kLabel(i), NominalBand(i)) << i;
    EXPECT_EQ(ThirdOctave20kLabel(-1), NominalBand(-1));
    EXPECT_EQ(ThirdOctave20kLabel(-3), "0.8Hz");
    EXPECT_EQ(ThirdOctave80kLabel(-1), "0.8Hz");
    EXPECT_EQ(ThirdOctave80kLabel(-2), "");
    EXPECT_EQ(ThirdOctave20kLabel(62), "");
    EXPECT_EQ(ThirdOctave80kLabel(68), "");
}

// Each kind described by what it shows: its lowest band (1/3-octave band
// number, 0 = 1 Hz), 1/1 or 1/3 octaves, how many bands, and the names of the
// positions after the bands for TotalBars 0, 1 and 2.
struct KindNames {
    std::vector<int> kinds;
    int lowest;
    int octaveStep; // 3: 1/1 octaves
    int bands;
    std::vector<std::string> tail[3];
};

const std::vector<std::string> kPlain{"Total", "Total", "Total", "Spl", "Spl", "Spl"};
const std::vector<std::string> kNamedLin{"Total_A", "Total_C", "Total_Lin", "Spl_Impulse", "Spl_Fast", "Spl_Slow"};
const std::vector<std::string> kNamedHp{"Total_A", "Total_C", "Total_HP", "Spl_Impulse", "Spl_Fast", "Spl_Slow"};
const std::vector<std::string> kNamed3{"Total_A", "Total_C", "Total_Lin"};

const std::vector<KindNames> kKinds{
    {{0, 2, 4, 12, 16, 19}, 2, 1, 42, {kPlain, kNamedLin, kNamedHp}},
    {{1, 3, 5, 15, 17, 20}, 0, 1, 44, {kPlain, kNamedLin, kNamedHp}},
    {{10, 11}, 3, 3, 14, {{"Total"}, {"Total"}, {"Total"}}},
    {{14, 35}, 15, 3, 9, {{"Total"}, {"Total"}, {"Total"}}},
    {{21, 32}, 0, 3, 15, {kNamed3, kNamed3, kNamed3}},
    {{22, 33}, 3, 3, 14, {kNamed3, kNamed3, kNamed3}},
    {{23}, 15, 3, 9, {kNamed3, kNamed3, kNamed3}},
    {{24, 38}, 14, 1, 27, {kNamed3, kNamed3, kNamed3}},
    {{25, 39}, -1, 1, 45, {kNamed3, kNamed3, kNamed3}},
    {{26, 34, 51}, 15, 3, 10, {kNamed3, kNamed3, kNamed3}},
    {{27, 37}, 14, 1, 30, {kNamed3, kNamed3, kNamed3}},
    {{29, 31}, 0, 3, 15, {{"Total"}, {"Total"}, {"Total"}}},
    {{30, 36, 46}, -1, 1, 45, {{"Total", "Total", "Total"}, {"Total", "Total", "Total"}, {"Total", "Total", "Total"}}},
    {{47, 49}, 14, 1, 30, {{"Total", "Total", "Total"}, {"Total", "Total", "Total"}, {"Total", "Total", "Total"}}},
    {{48}, 15, 3, 10, {{"Total"}, {"Total"}, {"Total"}}},
    {{50}, 13, 1, 31, {kNamed3, kNamed3, kNamed3}},
    {{52}, 13, 1, 31, {{"Total", "Total", "Spl"}, {"Total", "Total", "Spl"}, {"Total", "Total", "Spl"}}},
    {{40}, 3, 1, 44, {kPlain, kNamedLin, kNamedHp}},
    {{41}, 6, 1, 44, {kPlain, kNamedLin, kNamedHp}},
    {{42}, 6, 3, 14, {{"Total"}, {"Total"}, {"Total"}}},
    {{43}, 9, 3, 14, {{"Total"}, {"Total"}, {"Total"}}},
    {{44, 45}, 0, 1, 0, {}}, // checked below: their totals ignore TotalBars
};

TEST(BandNames, EveryPositionOfEveryBandKind)
{
    for (const KindNames& k : kKinds) {
        if (k.bands == 0)
            continue;
        for (const int kind : k.kinds)
            for (int totalBars = 0; totalBars < 3; ++totalBars) {
                SCOPED_TRACE("kind " + std::to_string(kind) + " TotalBars " + std::to_string(totalBars));
                for (int p = 0; p < k.bands; ++p)
                    EXPECT_EQ(BandNameOf(kind, totalBars, p), NominalBand(k.lowest + k.octaveStep * p)) << p;
                const auto& tail = k.tail[totalBars];
                for (std::size_t t = 0; t < tail.size(); ++t)
                    EXPECT_EQ(BandNameOf(kind, totalBars, k.bands + static_cast<int>(t)), tail[t]) << t;
            }
    }
    for (int totalBars = 0; totalBars < 3; ++totalBars) {
        for (int p = 0; p < 44; ++p) {
            EXPECT_EQ(BandNameOf(44, totalBars, p), NominalBand(3 + p));
            EXPECT_EQ(BandNameOf(45, totalBars, p), NominalBand(6 + p));
        }
        for (std::size_t t = 0; t < kPlain.size(); ++t) {
            EXPECT_EQ(BandNameOf(44, totalBars, 44 + static_cast<int>(t)), kPlain[t]);
            EXPECT_EQ(BandNameOf(45, totalBars, 44 + static_cast<int>(t)), kPlain[t]);
        }
    }
}

TEST(BandNames, TotalsOfTheThirdOctaveSpectrumFollowTotalBars)
{
    const std::vector<std::string> hp{"Total_A", "Total_C", "Total_HP"};
    for (int p = 42; p <= 44; ++p) {
        EXPECT_EQ(BandNameOf(12, 2, p), hp[static_cast<std::size_t>(p - 42)]);
        EXPECT_EQ(BandNameOf(12, 0, p), "Total");
    }
}

TEST(BandNames, KindsWithoutBandsHaveNoNames)
{
    for (const int kind : {6, 7, 8, 9, 13, 18, 28, 53, -1})
        EXPECT_EQ(BandNameOf(kind, 0, 3), "") << kind;
}

TEST(BandNames, TableIndexOnlyForStatisticalLevelKindsAndAgreesWithTheName)
{
    const std::vector<int> stat{0, 1, 2, 3, 4, 5, 10, 31, 32, 33, 34, 35, 36, 37, 38, 39};
    for (const int kind : stat)
        for (int totalBars = 0; totalBars < 3; ++totalBars)
            for (int p = 0; p < 50; ++p) {
                const std::optional<int> index = BandTableIndexOf(kind, totalBars, p);
                ASSERT_TRUE(index.has_value()) << kind;
                EXPECT_EQ(ThirdOctave20kLabel(*index), BandNameOf(kind, totalBars, p)) << kind << " " << p;
            }
    EXPECT_EQ(BandTableIndexOf(36, 0, 0), -1); // 0.8 Hz
    EXPECT_EQ(BandTableIndexOf(2, 1, 42), 50);
    for (const int kind : {9, 11, 12, 14, 40, 52})
        EXPECT_FALSE(BandTableIndexOf(kind, 0, 0).has_value()) << kind;
}

} // namespace
} // namespace orlu
