// The User's filters view: a filter's table written from its layout (three
// frequency-level pairs a row, filled column by column), the filters a file
// carries in its records 24 and 25, and the members of a Multifile.

#include "analysis/spectra/UserFilterText.h"
#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using test::JoinedLines;

const std::string kRule(68, '-');
const std::string kHeader = "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ";

UserFilterEntry Filter(std::string name, std::size_t count)
{
    UserFilterEntry f;
    f.name = std::move(name);
    f.number = 3;
    for (std::size_t i = 0; i < count; ++i)
        f.coefficients.push_back(static_cast<std::uint16_t>(static_cast<std::int16_t>(-50 + 10 * static_cast<int>(i))));
    return f;
}

TEST(UserFilterText, ThirtyOneValuesMakeElevenRowsTheLastOfTwoCells)
{
    std::vector<double> centres;
    for (int i = 0; i < 31; ++i)
        centres.push_back(100.0 + i);
    LineList lines;
    int widest = 0;
    AppendUserFilter(lines, &widest, Filter(std::string("HVAC\0\0", 6), 31), centres);
    const std::string rows = "  100.0      -5.0         111.0       6.0         122.0      17.0\r\n"
                             "  101.0      -4.0         112.0       7.0         123.0      18.0\r\n"
                             "  102.0      -3.0         113.0       8.0         124.0      19.0\r\n"
                             "  103.0      -2.0         114.0       9.0         125.0      20.0\r\n"
                             "  104.0      -1.0         115.0      10.0         126.0      21.0\r\n"
                             "  105.0       0.0         116.0      11.0         127.0      22.0\r\n"
                             "  106.0       1.0         117.0      12.0         128.0      23.0\r\n"
                             "  107.0       2.0         118.0      13.0         129.0      24.0\r\n"
                             "  108.0       3.0         119.0      14.0         130.0      25.0\r\n"
                             "  109.0       4.0         120.0      15.0\r\n"
                             "  110.0       5.0         121.0      16.0\r\n";
    EXPECT_EQ(JoinedLines(lines), "\r\nUser's filter \"HVAC\"\r\n" + kRule + "\r\n" + kHeader + "\r\n" + kRule +
                                      "\r\n" + rows + kRule + "\r\n");
    EXPECT_EQ(widest, 68 + 2);
}

TEST(UserFilterText, ValuesPastTheCentresStandAtZeroAndNoValuesNoRows)
{
    LineList lines;
    const std::vector<double> centres{1000.0};
    AppendUserFilter(lines, nullptr, Filter("A", 2), centres);
    EXPECT_NE(JoinedLines(lines).find(" 1000.0      -5.0           0.0      -4.0\r\n"), std::string::npos)
        << JoinedLines(lines);
    LineList empty;
    AppendUserFilter(empty, nullptr, Filter("B", 0), centres);
    EXPECT_EQ(JoinedLines(empty),
              "\r\nUser's filter \"B\"\r\n" + kRule + "\r\n" + kHeader + "\r\n" + kRule + "\r\n" + kRule + "\r\n");
}

class UserFilterForms : public DocumentTest {
protected:
    static CurrentFileSpec ThirdOctaves()
    {
        CurrentFileSpec spec;
        spec.function = 3;
        spec.spectrum = CurrentFileSpec::Spectrum::ThirdOctave;
        spec.bands = 31;
        spec.userFilters = {{"ROOM", {-10, 0, 15}}, {"SIXCHR", {-1234}}};
        return spec;
    }
    static std::string Text(CTmDoc& doc, bool all, int file)
    {
        LineList lines;
        EXPECT_TRUE(TextUserFilters(doc, lines, nullptr, all, file));
        return JoinedLines(lines);
    }
};

TEST_F(UserFilterForms, TheFiltersOfAFileInTheirOrder)
{
    const std::vector<std::uint8_t> bytes = fixture::CurrentMeasurementFile(ThirdOctaves());
    fixture::FixtureBuilder f;
    f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(bytes.size())).Bytes(bytes);
    auto doc = Open(Write("u.orl", f));
    const std::string text = Text(*doc, false, 1);
    const std::size_t room = text.find("User's filter \"ROOM\"\r\n");
    const std::size_t six = text.find("User's filter \"SIXCHR\"\r\n");
    ASSERT_NE(room, std::string::npos) << text;
    ASSERT_NE(six, std::string::npos) << text;
    EXPECT_LT(room, six);
    // Levels are signed words of 0.1 dB at the file's band centres; one list for the file.
    EXPECT_NE(text.find("      -1.0         ", room), std::string::npos);
    EXPECT_NE(text.find("    -123.4\r\n", six), std::string::npos);
    EXPECT_EQ(text.find("User's filter \"ROOM\"", room + 1), std::string::npos);
}

TEST_F(UserFilterForms, AMultifileShowsItsThirdOctaveMembersOnly)
{
    // A 1/1-octave member keeps filters too, but holds no 1/3 octaves: it shows none.
    CurrentFileSpec octaves;
    octaves.function = 2;
    octaves.spectrum = CurrentFileSpec::Spectrum::Octave;
    octaves.bands = 10;
    octaves.userFilters = {{"OCTAVE", {1, 2}}};
    CurrentFileSpec second = ThirdOctaves();
    second.userFilters = {{"OTHER", {5}}};
    const fixture::MultifileMember members[] = {{"F1", fixture::CurrentMeasurementFile(ThirdOctaves())},
                                                {"F2", fixture::CurrentMeasurementFile(octaves)},
                                                {"F3", fixture::CurrentMeasurementFile(second)}};
    auto doc = Open(Write("m.orl", fixture::Multifile(55, members)));
    ASSERT_EQ(doc->SubfileCount(), 3);
    const std::uint16_t decoded = doc->DecodedSubfile();

    EXPECT_EQ(Text(*doc, false, 2), "");
    const std::string third = Text(*doc, false, 3);
    EXPECT_NE(third.find("User's filter \"OTHER\""), std::string::npos) << third;
    EXPECT_EQ(third.find("ROOM"), std::string::npos);
    const std::string all = Text(*doc, true, 1);
    EXPECT_LT(all.find("\"ROOM\""), all.find("\"OTHER\""));
    EXPECT_EQ(all.find("OCTAVE"), std::string::npos);
    EXPECT_EQ(doc->DecodedSubfile(), decoded);
}

TEST_F(UserFilterForms, OtherFamiliesHaveNoFilterForm)
{
    fixture::Analyzer505Spec s;
    auto doc = Open(Write("a.orl", fixture::Analyzer505Container(s)));
    LineList lines;
    EXPECT_FALSE(TextUserFilters(*doc, lines, nullptr, true, 1));
    EXPECT_TRUE(lines.Empty());
}

} // namespace
} // namespace orlu
