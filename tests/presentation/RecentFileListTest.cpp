#include "presentation/RecentFileList.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(RecentFileList, KeepsFiveNewestFirstWithoutDuplicates)
{
    RecentFileList list;
    for (int i = 1; i <= 7; ++i)
        list.Add("/d/f" + std::to_string(i) + ".orl");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/d/f7.orl", "/d/f6.orl", "/d/f5.orl", "/d/f4.orl",
                                                        "/d/f3.orl"}));
    list.Add("/d/f4.orl");
    EXPECT_EQ(list.Entries().front(), "/d/f4.orl");
    EXPECT_EQ(list.Entries().size(), 5u);
    EXPECT_EQ(list.Entries()[4], "/d/f3.orl");
    list.Remove("/d/f6.orl");
    EXPECT_EQ(list.Entries().size(), 4u);
    EXPECT_EQ(list.MenuText(0), "&1 /d/f4.orl");
    EXPECT_EQ(list.MenuText(4), "");
}

TEST(RecentFileList, ProfileRoundTripDropsStaleKeys)
{
    IniProfile profile;
    profile.WriteString("Recent File List", "File1", "/a.orl");
    profile.WriteString("Recent File List", "File2", "/a.orl"); // a duplicate is read once
    profile.WriteString("Recent File List", "File4", "/b.M");
    RecentFileList list;
    list.Read(profile);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a.orl", "/b.M"}));

    list.Remove("/b.M");
    list.Write(profile);
    EXPECT_EQ(profile.GetString("Recent File List", "File1", ""), "/a.orl");
    EXPECT_FALSE(profile.HasKey("Recent File List", "File2"));
    EXPECT_FALSE(profile.HasKey("Recent File List", "File4"));
}

} // namespace
} // namespace orlu
