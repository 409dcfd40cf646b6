#include "reports/common/HeaderItemTable.h"

#include "FormatConversions.h"
#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <span>

namespace orlu {
namespace {

using test::ArgumentKinds;

// The value cell a format writes for a typical value of each argument kind.
std::string SampleCell(std::string_view format)
{
    std::string kinds = ArgumentKinds(format);
    const char *f = format.data();
    if (kinds.empty())
        return StrPrintf("%s", f);
    if (kinds == "ddd")
        return StrPrintf(f, 12, 34, 56);
    if (kinds == "s")
        return StrPrintf(f, "Microphone");
    if (kinds == "d")
        return StrPrintf(f, 505);
    if (kinds == "u")
        return StrPrintf(f, 0xABCDu);
    if (kinds == "f")
        return StrPrintf(f, 1.25);
    ADD_FAILURE() << "no sample for \"" << format << '"';
    return {};
}

// Two blanks, the name, one blank, dots through character 30, one blank.
void ExpectDottedLabel(std::string_view label)
{
    SCOPED_TRACE(testing::Message() << '"' << label << '"');
    ASSERT_EQ(label.size(), 32u);
    EXPECT_EQ(label.substr(0, 2), "  ");
    EXPECT_NE(label[2], ' ');
    EXPECT_EQ(label.substr(30), ". ");
    size_t dots = label.find(" .");
    ASSERT_NE(dots, std::string_view::npos);
    EXPECT_EQ(label.find_first_not_of('.', dots + 1), 31u);
}

void ExpectKnownConversions(std::span<const HeaderItem> table)
{
    for (size_t k = 0; k < table.size(); ++k)
        EXPECT_EQ(ArgumentKinds(table[k].Format).find('?'), std::string::npos) << "item " << k;
}

TEST(LegacyHeaderItemTable, LabelsAndCells)
{
    ASSERT_EQ(LegacyHeaderItemTable.size(), 31u);
    const char *kinds[31] = {"ddd", "ddd", "s", "s", "s", "s", "s", "s", "s", "u", "u", "s", "f", "d", "", "",
                             "s",   "s",   "s", "s", "s", "s", "s", "",  "s", "s", "d", "d", "f", "s", "d"};
    const std::set<int> undotted{kLegacyItemChannel, kLegacyItemProfile, kLegacyItemRule,
                                 kLegacyItemSoundIntensity, kLegacyItemProfileNumber};
    for (int k = 0; k < kLegacyHeaderItemCount; ++k) {
        const HeaderItem &item = LegacyHeaderItemTable[k];
        SCOPED_TRACE(testing::Message()
                     << "item " << k << " \"" << item.Label << "\" \"" << item.Format << '"');
        EXPECT_EQ(item.Label.size(), k == kLegacyItemSoundIntensity ? 0u : 32u);
        EXPECT_EQ(ArgumentKinds(item.Format), kinds[k]);
        // Every cell fills one 12-character column, except the channel and
        // profile numbers, whose format is one character wider.
        bool wide = k == kLegacyItemChannel || k == kLegacyItemProfileNumber;
        EXPECT_EQ(SampleCell(item.Format).size(), wide ? 13u : 12u);
        if (!undotted.contains(k))
            ExpectDottedLabel(item.Label);
    }
    EXPECT_EQ(LegacyHeaderItemTable[0].Label, "  Measurement hour ............ ");
    EXPECT_EQ(LegacyHeaderItemTable[0].Format, " %02d:%02d'%02d   ");
    EXPECT_EQ(LegacyHeaderItemTable[6].Label, "  Time constant DELTA_INT ..... ");
    EXPECT_EQ(LegacyHeaderItemTable[kLegacyItemChannel].Format, " #%-10d ");
    EXPECT_EQ(LegacyHeaderItemTable[kLegacyItemProfile].Label, "                  Profile:      ");
    EXPECT_EQ(LegacyHeaderItemTable[kLegacyItemProfile].Format, " Vector     ");
    EXPECT_EQ(std::string(LegacyHeaderItemTable[kLegacyItemRule].Label) +
                  std::string(LegacyHeaderItemTable[kLegacyItemRule].Format),
              std::string(44, '-'));
    EXPECT_EQ(LegacyHeaderItemTable[kLegacyItemSoundIntensity].Format, " Sound Int. ");
    EXPECT_EQ(LegacyHeaderItemTable[26].Format, " ORLU %-5d ");
    EXPECT_EQ(LegacyHeaderItemTable[kLegacyItemProfileNumber].Format, " P%-10d ");
}

TEST(HeaderItemTable505, LabelsAndCells)
{
    ASSERT_EQ(HeaderItemTable505.size(), 53u);
    const std::set<int> empty{35, 36, 37, 44};
    std::map<int, std::string> kinds;
    for (int k : {0, 1})
        kinds[k] = "ddd";
    for (int k : {9, 10, 11, 19})
        kinds[k] = "u";
    for (int k : {13, 42, 43})
        kinds[k] = "f";
    for (int k : {20, 21, 39, 40, 41, 47})
        kinds[k] = "d";
    for (int k = 22; k <= 34; ++k)
        kinds[k] = "d";
    for (int k : {35, 36, 37, 44, 48, 49})
        kinds[k] = "";
    for (int k = 0; k < kHeaderItemCount505; ++k) {
        const HeaderItem &item = HeaderItemTable505[k];
        SCOPED_TRACE(testing::Message()
                     << "item " << k << " \"" << item.Label << "\" \"" << item.Format << '"');
        bool isEmpty = empty.contains(k);
        EXPECT_EQ(item.Label.size(), isEmpty ? 0u : 32u);
        EXPECT_EQ(item.Format.empty(), isEmpty);
        EXPECT_EQ(ArgumentKinds(item.Format), kinds.contains(k) ? kinds[k] : "s");
        if (!isEmpty && (k < kItem505Channel || k > kItem505Rule))
            ExpectDottedLabel(item.Label);
    }
    // The cells of the channel columns are 12 characters; the 505's channel
    // number has no trailing blank and still fills its column.
    for (int k : std::initializer_list<int>{4, 5, 7, 45, kItem505Channel, kItem505Rule, 50, 51})
        EXPECT_EQ(SampleCell(HeaderItemTable505[k].Format).size(), 12u) << "item " << k;
    EXPECT_EQ(HeaderItemTable505[kItem505Channel].Format, " #%-10d");
    EXPECT_EQ(HeaderItemTable505[kItem505FirstZoomLine].Label, "  Zoom line for 3.126 Hz ...... ");
    EXPECT_EQ(HeaderItemTable505[kItem505FirstZoomLine + 1].Label, "  Zoom line for 6.252 Hz ...... ");
    EXPECT_EQ(HeaderItemTable505[kItem505FirstZoomLine + 12].Label, "  Zoom line for 12.8 kHz ...... ");
    EXPECT_EQ(HeaderItemTable505[13].Format, " %.1f %%       ");
    EXPECT_EQ(HeaderItemTable505[20].Label, "  Number of 1/1 Oct. filters .. ");
    EXPECT_EQ(HeaderItemTable505[52].Label, "  Reference level for Val ..... ");
    ExpectKnownConversions(HeaderItemTable505);
}

TEST(HeaderItemTable, LabelsFollowTheDottedRule)
{
    ASSERT_EQ(HeaderItemTable.size(), 139u);
    const std::set<int> exceptions{kItemTitleText, kItemProfile, kItemRule, kItemOverloadChannels};
    for (int k = 0; k < kHeaderItemCount; ++k) {
        SCOPED_TRACE(testing::Message() << "item " << k);
        if (!exceptions.contains(k))
            ExpectDottedLabel(HeaderItemTable[k].Label);
    }
    EXPECT_EQ(HeaderItemTable[kItemTitleText].Label, "  Title text:                   ");
    EXPECT_EQ(HeaderItemTable[kItemProfile].Label, "                  Profile:      ");
    EXPECT_EQ(HeaderItemTable[kItemRule].Label, std::string(32, '-'));
    EXPECT_EQ(HeaderItemTable[kItemOverloadChannels].Label, "  Overload occured in channel(s): ");
    EXPECT_EQ(HeaderItemTable[kItemOverloadChannels].Label.size(), 34u);
    for (int k : {kItemTitleText, kItemProfile, kItemRule})
        EXPECT_EQ(HeaderItemTable[k].Label.size(), 32u);

    const std::map<int, std::string_view> names{
        {0, "  Original file name .......... "},   {10, "  Buffer contents definition .. "},
        {29, "  Exposition time ............. "},  {54, "  Trigger 'pre' probes ........ "},
        {62, "  Reference level for Acc ..... "},  {93, "  SEAT definition seat/base ... "},
        {100, "  Logger trig. 'post' probes .. "}, {104, "  Associated logger file name . "},
        {123, "  External IO alarm level ..... "}, {138, "  Compensation filter ......... "},
    };
    for (const auto &[k, label] : names)
        EXPECT_EQ(HeaderItemTable[k].Label, label) << "item " << k;
}

TEST(HeaderItemTable, FormatsAreTextCellsSaveTheNamedOnes)
{
    std::map<int, std::string_view> formats;
    auto set = [&](std::initializer_list<int> items, std::string_view format) {
        for (int k : items)
            formats[k] = format;
    };
    set({1, 75, 80}, " %02d:%02d'%02d   ");
    set({2, 76, 81}, " %02d/%02d/%02d   ");
    set({4}, "");
    set({7, 12, 65, 88}, " %04Xh      ");
    set({13}, " %d s        ");
    set({17}, "------------");
    set({29}, " %02d:%02d      ");
    set({35}, " ORLU %-5d ");
    set({36, 40, 41, 44, 45, 46, 47, 48, 54, 55, 56, 70, 74, 78, 83, 99, 100, 105, 130, 131, 132, 137},
        " %-10d ");
    set({37, 77}, " %-10.2f ");
    set({49}, " %.1f kHz   ");
    set({50}, " %.2f kHz   ");
    set({62, 63, 64}, " %-15s ");
    set({79, 82, 91, 92}, " %-10s");
    set({90, 113, 118}, " %d dB/ms    ");
    set({93}, " #%d/#%d     ");
    set({94}, " #%d");
    set({101}, " %-10.2f dB   ");
    set({123}, " %.1f dB   ");
    set({134}, " %02d:%02d       ");
    for (int k = 0; k < kHeaderItemCount; ++k) {
        auto it = formats.find(k);
        EXPECT_EQ(HeaderItemTable[k].Format, it == formats.end() ? " %-10s " : it->second) << "item " << k;
    }
    ExpectKnownConversions(HeaderItemTable);
    // A text cell of up to 10 characters is 12 wide; without the trailing
    // blank it is one shorter.
    EXPECT_EQ(SampleCell(HeaderItemTable[0].Format).size(), 12u);
    EXPECT_EQ(SampleCell(HeaderItemTable[79].Format).size(), 11u);
}

} // namespace
} // namespace orlu
