// Logged results of the three logger layouts: names, result groups, column
// ranks and which result carries a running total.

#include "analysis/statistics/ResultSlots.h"
#include "document/buffer/BufferColumns.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2, kAccelerometer = 5;

TEST(ResultSlots, SlotLayoutNamesAndTotals)
{
    // Profile 1 logs slots 1 and 4; profile 2 logs slot 3 and a bit above the slots.
    const std::array<std::uint16_t, 2> masks{0x0009, 0x0104};
    struct Case {
        int p, n;
        bool microphone;
        std::string_view name;
        TotalKind total;
    };
    const Case cases[] = {
        {0, 0, true, "Peak", TotalKind::None},     {0, 1, true, "RMS", TotalKind::TotalLeq},
        {0, 1, false, "RMS", TotalKind::TotalRms}, {0, 2, true, "", TotalKind::None},
        {1, 0, true, "Min", TotalKind::None},      {1, 0, false, "Max", TotalKind::None},
        {1, 1, true, "", TotalKind::None}, // bit 8 names no slot
        {2, 0, true, "", TotalKind::None}, // past the profiles
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetProfileResultName(masks, c.p, c.n, c.microphone), c.name) << c.p << ":" << c.n;
        if (c.p < 2) {
            EXPECT_EQ(TotalKindMasked(masks[static_cast<std::size_t>(c.p)], c.n,
                                      c.microphone ? kMicrophone : kAccelerometer),
                      c.total)
                << c.p << ":" << c.n;
        }
    }
}

TEST(ResultSlots, FourChannelLayoutScansTheProfilesInOrder)
{
    const std::array<std::uint16_t, 3> masks{0x0001, 0x0008, 0x0000};
    EXPECT_EQ(GetChannelResultName(masks, 0, true), "Peak");
    EXPECT_EQ(GetChannelResultName(masks, 1, true), "RMS");
    EXPECT_EQ(GetChannelResultName(masks, 2, true), "");
    EXPECT_EQ(GetResultGroup({0x01, 0x08, 0x00}, 1), 1); // slot 4 lies in profile 2
    EXPECT_EQ(TotalKindChannel(masks, 1, kAccelerometer), TotalKind::TotalRms);
    EXPECT_EQ(TotalKindChannel(masks, 0, kMicrophone), TotalKind::None);
    EXPECT_EQ(TotalKindChannel(masks, 2, kMicrophone), TotalKind::None);
    // The same slot has the same name in every profile; slot 5 is VDV off a microphone.
    const std::array<std::uint16_t, 3> vdv{0x0000, 0x0000, 0x0010};
    EXPECT_EQ(GetChannelResultName(vdv, 0, false), "VDV");
    EXPECT_EQ(GetChannelResultName(vdv, 0, true), "vvvv");

    EXPECT_EQ(GetPseudoChannelResultName(0, true), "RMS_Vect");
    EXPECT_EQ(GetPseudoChannelResultName(0, false), "RPM");
    EXPECT_EQ(GetPseudoChannelResultName(1, true), "RPM");
    EXPECT_EQ(GetPseudoChannelResultName(2, true), "");
}

TEST(ResultSlots, RanksAndLevelNames)
{
    EXPECT_EQ(MaskBitOrdinal(0x0016, 0x0010), 3);
    EXPECT_EQ(MaskBitOrdinal(0x0016, 0x0008), 0);
    EXPECT_EQ(MaskBitOrdinal(0x8001, 0x8000), 2);
    EXPECT_EQ(MaskBitOrdinal(0xFFFF, 0), 0);

    EXPECT_FALSE(IsLevelResultName("LEQ", false));
    EXPECT_TRUE(IsLevelResultName("LEQ", true));
    EXPECT_TRUE(IsLevelResultName("Min", false));
    EXPECT_TRUE(IsLevelResultName("TotRms", true));
    EXPECT_FALSE(IsLevelResultName("Peak", true));
}

TEST(ResultSlots, SingleResultCodesByGroupAndFirmware)
{
    struct Case {
        SingleResultGroup group;
        std::uint16_t firmware;
        bool microphone;
        std::string_view code3, code4;
        std::uint16_t totalCode;
    };
    const Case cases[] = {
        {SingleResultGroup::AB, 210, true, "RMS", "", 3},
        {SingleResultGroup::AB, 211, true, "MIN", "RMS", 4},
        {SingleResultGroup::AB, 209, true, "LEQ", "", 3},
        {SingleResultGroup::CD, 300, true, "MIN", "RMS", 4},
        {SingleResultGroup::CD, 300, false, "MAX", "RMS", 4},
        {SingleResultGroup::CD, 205, false, "MAX", "RMS", 3}, // older firmware: code 3 has the total
        {SingleResultGroup::None, 300, true, "LEQ", "", 3},
    };
    for (const Case& c : cases) {
        const auto names = ResultCodeNames(c.group, c.firmware, c.microphone);
        EXPECT_EQ(names[3], c.code3) << c.firmware;
        EXPECT_EQ(names.size() > 4 ? names[4] : std::string_view{}, c.code4) << c.firmware;
        for (std::uint16_t code = 0; code < 5; ++code)
            EXPECT_EQ(TotalKindSingle(c.group, c.firmware, code, kMicrophone),
                      code == c.totalCode ? TotalKind::TotalLeq : TotalKind::None)
                << c.firmware << " code " << code;
    }
    EXPECT_EQ(TotalKindByFunction(3, kMicrophone), TotalKind::TotalLeq);
    EXPECT_EQ(TotalKindByFunction(8, kAccelerometer), TotalKind::TotalRms);
    EXPECT_EQ(TotalKindByFunction(9, kMicrophone), TotalKind::None);
    EXPECT_EQ(TotalKindByFunction(0, kMicrophone), TotalKind::None);
}

} // namespace
} // namespace orlu
