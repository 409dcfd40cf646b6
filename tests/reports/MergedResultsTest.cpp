// Main results of Multifiles: golden texts and tables of Multifiles of
// generated files (legacy files; ORLU 515 level and dose meters; ORLU 535
// microphone and accelerometer files; four-channel files), a damaged member
// among good ones, and the user's selection kept through a report.

#include "document/DocumentTestSupport.h"
#include "platform/TextEncoding.h"
#include "reports/table/MergedResultsTables.h"
#include "reports/text/MergedResultsText.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"
#include "support/LegacyFixture.h"
#include "support/MixedMultifile.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::Golden;
using fixture::MemberSpec;
using fixture::MultifileMember;

enum class Form { Text, Table };

struct Merged {
    const char* what;
    std::vector<MultifileMember> members;
    std::uint8_t kind;
};

Merged Mixed(const char* what, std::vector<MemberSpec> specs)
{
    return {what, fixture::MixedMultifileMembers(specs), fixture::MixedMultifileKind(specs)};
}

// A four-channel file of a microphone and three accelerometers, every profile enabled.
std::vector<std::uint8_t> FourChannelFile(bool microphoneFirst, std::uint16_t device = 545, std::uint16_t firmware = 217,
                                          std::uint32_t seconds = 600, bool vector = false)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(device, firmware, 4, 1, microphoneFirst);
    spec.plausibleLevels = true;
    spec.measurementSeconds = seconds;
    spec.vectorRecord = vector;
    if (vector) { // the three accelerometers make the vector
        spec.coefficients = {0, 100, 100, 100};
        spec.coefficientUse = {0, 1, 1, 1};
    }
    for (fixture::FourChannelProfileBlock& profile : spec.profiles)
        profile.flags |= 1;
    return fixture::FourChannelMeasurementFile(spec);
}

class MergedResults : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenMerged(const Merged& m)
    {
        return Open(Write("merged.orl", fixture::Multifile(m.kind, m.members)));
    }

    std::vector<int> AllFiles(const CTmDoc& doc) { return MergedReportFiles(doc, true, 1); }

    // The report of the given members in the form, as Windows-1252 text.
    std::string Render(CTmDoc& doc, Form form, std::vector<int> files, TableOutputOptions options = {},
                       std::uint8_t units = 0, std::uint16_t mask = 0xFFFF)
    {
        lines = LineList();
        width = -1;
        if (form == Form::Text) {
            FormatMergedResultsText(doc, lines, &width, mask, units, files);
        } else {
            std::uint8_t kind = 0;
            MainTableRequest request{lines, width, kind, mask, units, options};
            EXPECT_EQ(TableFormMergedResults(doc, request, files), 1);
            EXPECT_EQ(kind, kTableKindMainResults);
        }
        return lines.Join();
    }

    void ExpectWidthOfWidestLine() const
    {
        std::size_t widest = 0;
        for (std::string_view line : lines)
            widest = std::max(widest, line.size());
        EXPECT_EQ(width, static_cast<int>(widest));
    }

    LineList lines;
    int width = 0;
};

TEST_F(MergedResults, GoldenTextsAndTables)
{
    // Tables with ';' and the decimal comma.
    constexpr TableOutputOptions kSemicolonComma{0, 1, 2};
    const Merged legacy{"legacy", fixture::LegacyMultifileMembers(3), 23};
    const Merged levelAndDose = Mixed("515", {{"level", 515, 210}, {"dose", 515, 210}, {"level", 515, 210}});
    // Below firmware 2.00: a level meter's rows hold "--" in the dose columns.
    const Merged textDisplay = Mixed("515 text display", {{"level", 515, 105}, {"dose", 515, 105}});
    const Merged soundAndVibration = Mixed("535", {{"level", 535, 310}, {"acc", 535, 310}, {"acc", 535, 310}});
    // Two members that differ in every row (twenty minutes against ten), so that
    // one member's rows shown under both names cannot pass.
    const Merged fourChannel{"590", {{"FILE1", FourChannelFile(true, 590, 302, 600)},
                                     {"FILE2", FourChannelFile(true, 590, 302, 1200)}}, 60};
    struct Case {
        const Merged& merged;
        Form form;
        std::uint8_t units;
        const char* golden;
    };
    const Case cases[] = {
        {legacy, Form::Text, 0, "merged-legacy-three-files.txt"},
        {legacy, Form::Table, 0, "merged-legacy-three-files-semicolon-comma.txt"},
        {levelAndDose, Form::Text, 0, "merged-515-level-and-dose.txt"},
        {levelAndDose, Form::Table, 0, "merged-515-level-and-dose-semicolon-comma.txt"},
        {textDisplay, Form::Text, 0, "merged-515-text-display-level-and-dose.txt"},
        {textDisplay, Form::Table, 0, "merged-515-text-display-level-and-dose-semicolon-comma.txt"},
        {soundAndVibration, Form::Text, 0, "merged-535-microphone-and-accelerometer.txt"},
        {soundAndVibration, Form::Table, 0, "merged-535-microphone-and-accelerometer-semicolon-comma.txt"},
        {fourChannel, Form::Text, 0, "merged-four-channel.txt"},
        {fourChannel, Form::Table, 0, "merged-four-channel-semicolon-comma.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        auto doc = OpenMerged(c.merged);
        const std::string text = Render(*doc, c.form, AllFiles(*doc), kSemicolonComma, c.units);
        EXPECT_EQ(text, Golden(c.golden));
        ExpectWidthOfWidestLine();
    }
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

// Member 2 of three is damaged; the user looks at member 1, channel 2 (current family),
// while the report ends on member 3, a dose meter.
TEST_F(MergedResults, DamagedMemberSaysSoTheOthersAppearAndTheSelectionIsKept)
{
    const auto goodFile = [](std::uint16_t function) {
        fixture::CurrentFileSpec spec = fixture::PlausibleMeasurementSpec(2, 300);
        spec.function = function;
        return fixture::CurrentMeasurementFile(spec);
    };
    std::vector<std::uint8_t> cutLegacy = fixture::LegacyMeasurementFile(fixture::PlausibleLegacySpec());
    cutLegacy.resize(40); // the header's blocks run past the member
    struct Case {
        const char* what;
        Merged merged;
    };
    const Case cases[] = {
        {"a record running past the member",
         {"", {{"FILE1", goodFile(1)}, {"FILE2", fixture::BrokenChainFile(fixture::ChainFault::Overrun)},
               {"FILE3", goodFile(4)}}, 55}},
        {"a record of length 0",
         {"", {{"FILE1", goodFile(1)}, {"FILE2", fixture::BrokenChainFile(fixture::ChainFault::ZeroLength)},
               {"FILE3", goodFile(4)}}, 55}},
        {"a legacy member cut short",
         {"", {{"FILE1", fixture::LegacyMultifileMembers(1)[0].bytes}, {"FILE2", cutLegacy},
               {"FILE3", fixture::LegacyMultifileMembers(1)[0].bytes}}, 23}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = OpenMerged(c.merged);
        const bool legacy = doc->IsLegacyDocument();
        if (legacy) {
            ASSERT_TRUE(doc->DecodeLegacyHeader(1));
        } else {
            ASSERT_TRUE(doc->DecodeFileHeader(1));
            doc->SelectChannelProfile(1, 0);
        }
        for (const Form form : {Form::Text, Form::Table}) {
            const std::string text = Render(*doc, form, AllFiles(*doc));
            // The damaged member's line stands between the others' rows.
            const std::size_t first = text.find(form == Form::Text ? " FILE1    " : "FILE1\t");
            const std::size_t damaged = text.find(form == Form::Text ? " FILE2    " : "FILE2\t");
            const std::size_t third = text.find(form == Form::Text ? " FILE3    " : "FILE3\t");
            ASSERT_NE(damaged, std::string::npos) << text;
            EXPECT_EQ(text.compare(damaged + (form == Form::Text ? 10 : 6), kMemberUnreadableText.size(),
                                   kMemberUnreadableText),
                      0)
                << text;
            EXPECT_LT(first, damaged) << text;
            EXPECT_NE(third, std::string::npos) << text;
            EXPECT_EQ(text.find("FILE2", damaged + 6), std::string::npos) << text;
            ExpectWidthOfWidestLine();
            if (legacy) {
                EXPECT_EQ(doc->LegacySubfile(), 1);
                EXPECT_TRUE(doc->LegacyDecoded());
            } else {
                EXPECT_EQ(doc->DecodedSubfile(), 1);
                EXPECT_TRUE(doc->HeaderDecoded());
                EXPECT_EQ(doc->Channel().channel, 1);
                EXPECT_EQ(doc->Channel().function, 1); // member 1's own header, not member 3's
            }
        }
    }
}

TEST_F(MergedResults, WithoutAllFilesOnlyTheSelectedMemberIsReported)
{
    auto doc = OpenMerged(Mixed("515", {{"level", 515, 210}, {"dose", 515, 210}, {"level", 515, 210}}));
    for (const Form form : {Form::Text, Form::Table}) {
        const std::string text = Render(*doc, form, MergedReportFiles(*doc, false, 2));
        EXPECT_NE(text.find("FILE2"), std::string::npos) << text;
        EXPECT_EQ(text.find("FILE1"), std::string::npos) << text;
        EXPECT_EQ(text.find("FILE3"), std::string::npos) << text;
        EXPECT_NE(text.find("Dose"), std::string::npos) << text; // member 2 is the dose meter
    }
    // A selection past the list shows the last member.
    EXPECT_EQ(MergedReportFiles(*doc, false, 9), std::vector<int>{3});
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

TEST_F(MergedResults, TablesOfDoseMetersComeLastAndFourChannelSectionsFollowTheLastMember)
{
    struct Case {
        Merged merged;
        const char* first;  ///< what the first table's first row or caption holds
        const char* second; ///< and the second's
    };
    const Case cases[] = {
        {Mixed("dose meter first", {{"dose", 525, 300}, {"level", 525, 300}}), "FILE2", "FILE1"},
        {{"microphone first in the last member", {{"FILE1", FourChannelFile(false)}, {"FILE2", FourChannelFile(true)}}, 60},
         "for sound", "for vibration"},
        {{"accelerometer first in the last member", {{"FILE1", FourChannelFile(true)}, {"FILE2", FourChannelFile(false)}}, 60},
         "for vibration", "for sound"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merged.what);
        auto doc = OpenMerged(c.merged);
        for (const Form form : {Form::Text, Form::Table}) {
            const std::string text = Render(*doc, form, AllFiles(*doc));
            const auto at = [&](std::string what) {
                if (form == Form::Table)
                    std::replace(what.begin(), what.end(), ' ', '_');
                return text.find(what);
            };
            ASSERT_NE(at(c.first), std::string::npos) << text;
            ASSERT_NE(at(c.second), std::string::npos) << text;
            EXPECT_LT(at(c.first), at(c.second)) << text;
        }
    }
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

// What lies between the groups: the four-channel table always closes its first
// group with an empty line, also when the second is empty; the sound tables of
// level and dose meters follow each other with none.
TEST_F(MergedResults, GroupsArePartedAsTheFamilyWants)
{
    fixture::FourChannelSpec microphones = fixture::MakeFourChannelSpec(545, 217, 2, 1, true);
    microphones.plausibleLevels = true;
    for (fixture::FourChannelBlock& channel : microphones.channels)
        channel.microphone = true;
    for (fixture::FourChannelProfileBlock& profile : microphones.profiles)
        profile.flags |= 1;
    const std::vector<std::uint8_t> onlyMicrophones = fixture::FourChannelMeasurementFile(microphones);
    auto doc = OpenMerged({"", {{"FILE1", onlyMicrophones}, {"FILE2", onlyMicrophones}}, 60});
    const std::string table = Render(*doc, Form::Table, AllFiles(*doc));
    EXPECT_TRUE(table.ends_with("\r\n\r\n")) << table;        // the sound group, then an empty line
    EXPECT_EQ(table.find("vibration"), std::string::npos) << table; // and no vibration group
    EXPECT_EQ(table.find("\r\n\r\n"), table.size() - 4) << table;

    auto doses = OpenMerged(Mixed("525", {{"level", 525, 300}, {"dose", 525, 300}}));
    const std::string sound = Render(*doses, Form::Table, AllFiles(*doses));
    EXPECT_NE(sound.find("Dose"), std::string::npos) << sound;
    EXPECT_EQ(sound.find("\r\n\r\n"), std::string::npos) << sound;
}

// One group has one header, its first member's, also when a later member has
// other columns (a level meter with Ln, then one without; microphone files of the
// ORLU 535 likewise); members of the other group keep a header of their own.
TEST_F(MergedResults, MembersOfOneGroupShareTheFirstMembersHeader)
{
    const auto count = [](const std::string& text, std::string_view what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    struct Case {
        Merged merged;
        int captions; // one per group
        const char* textLn;
        const char* tableLn;
    };
    const Case cases[] = {
        {Mixed("515", {{"level", 515, 310}, {"level", 515, 210}}), 1, " |   n       Ln", "Ln[dB]"},
        {Mixed("535", {{"level", 535, 310}, {"level", 535, 250}, {"acc", 535, 310}}), 2, " |   n       Ln", "Ln[dB]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merged.what);
        auto doc = OpenMerged(c.merged);
        const std::string text = Render(*doc, Form::Text, AllFiles(*doc));
        EXPECT_EQ(count(text, "Main results:"), c.captions) << text;
        EXPECT_EQ(count(text, c.textLn), 1) << text;
        // The second member's rows follow the first member's under the same header.
        const std::size_t header = text.find(c.textLn);
        const std::size_t first = text.find(" FILE1 "), second = text.find(" FILE2 ");
        ASSERT_NE(second, std::string::npos) << text;
        EXPECT_LT(header, first);
        EXPECT_EQ(text.find("Main results:", first), text.find("Main results:", second)) << text;

        const std::string table = Render(*doc, Form::Table, AllFiles(*doc), {0, 1, 2});
        EXPECT_EQ(count(table, "Main_results"), c.captions) << table;
        EXPECT_EQ(count(table, c.tableLn), 1) << table;
        EXPECT_LT(table.find(c.tableLn), table.find("FILE1;"));
        EXPECT_EQ(table.find("Main_results", table.find("FILE1;")), table.find("Main_results", table.find("FILE2;")))
            << table;
    }
}

// The VDV column of ORLU 535 accelerometer files is there when any member has VDV
// values; a member whose flags allow none shows dashes in it, first or last.
TEST_F(MergedResults, AMemberWithoutVdvShowsDashesInTheMultifilesVdvColumn)
{
    const auto accelerometerFile = [](bool vdv) {
        fixture::CurrentFileSpec spec = fixture::PlausibleMeasurementSpec(5, 310);
        spec.deviceType = 535;
        if (!vdv)
            spec.flagsWord |= 4;
        return fixture::CurrentMeasurementFile(spec);
    };
    for (const bool firstHasVdv : {true, false}) {
        SCOPED_TRACE(firstHasVdv ? "VDV first" : "VDV last");
        auto doc = OpenMerged({"535", {{"FILE1", accelerometerFile(firstHasVdv)}, {"FILE2", accelerometerFile(!firstHasVdv)}}, 57});
        const char* without = firstHasVdv ? " FILE2 " : " FILE1 ";
        const char* with = firstHasVdv ? " FILE1 " : " FILE2 ";
        const std::string text = Render(*doc, Form::Text, AllFiles(*doc));
        ASSERT_NE(text.find(" |      VDV"), std::string::npos) << text;
        const auto rowOf = [](const std::string& all, std::string_view start) {
            const std::size_t at = all.find(start);
            return at == std::string::npos ? std::string() : all.substr(at, all.find("\r\n", at) - at);
        };
        EXPECT_TRUE(rowOf(text, without).ends_with(" |   ------")) << text;
        EXPECT_TRUE(rowOf(text, with).ends_with("e+1")) << text; // the linear VDV value
        EXPECT_EQ(rowOf(text, without).size(), rowOf(text, with).size()) << text;

        const std::string table = Render(*doc, Form::Table, AllFiles(*doc), {0, 1, 2});
        ASSERT_NE(table.find(";VDV[m/sx]"), std::string::npos) << table;
        std::string tableWithout = without + 1;
        tableWithout.back() = ';';
        EXPECT_TRUE(rowOf(table, tableWithout).ends_with(";-----")) << table;
    }
}

// A legacy Multifile's table: the caption names the view's first channel where the
// single file names the probe, there are no Ltm columns, the intensity row is "Int"
// and no MODULE note follows.
TEST_F(MergedResults, LegacyTablesHaveTheirOwnCaptionColumnsAndNotes)
{
    struct Case {
        const char* what;
        fixture::LegacyFileSpec spec;
        std::vector<std::string_view> present, absent;
    };
    const Case cases[] = {
        {"intensity probe", fixture::LegacyProbeSpec(false), {"Main_results:__Channel_#2", ";Int;"}, {"OR08A", ";SI;"}},
        {"vector probe", fixture::LegacyProbeSpec(true), {"Main_results:__Channel_#2", ";Vect;"}, {"OR06A", "MODULE\xB2"}},
        {"prefixed", fixture::LegacyTwoChannelSpec(0x4011), {"Main_results:", ";CrF"}, {"Ltm3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::uint8_t> file = fixture::LegacyMeasurementFile(c.spec);
        auto doc = OpenMerged({c.what, {{"FILE1", file}, {"FILE2", file}}, 23});
        const std::string table = Render(*doc, Form::Table, AllFiles(*doc), {0, 1, 2}, 0, 0xFFFE);
        ASSERT_NE(table.find("FILE2;"), std::string::npos) << table;
        for (std::string_view text : c.present)
            EXPECT_NE(table.find(text), std::string::npos) << text << "\n" << table;
        for (std::string_view text : c.absent)
            EXPECT_EQ(table.find(text), std::string::npos) << text << "\n" << table;
    }
}

// With '#' the fields keep their widths: the ORLU 515 text display's merged header
// has Detect in 9 characters and PS[dB] in 11, and a level meter's dose pair is
// "--" twice in 19 characters.
TEST_F(MergedResults, TextDisplayTableKeepsItsOwnWidthsWithTheHashSeparator)
{
    auto doc = OpenMerged(Mixed("515 text display", {{"level", 515, 105}, {"dose", 515, 105}}));
    const std::string table = Render(*doc, Form::Table, AllFiles(*doc), {0, 0, 6});
    EXPECT_NE(table.find("Filter    Detect   Time      units     "), std::string::npos) << table;
    EXPECT_NE(table.find("PS[dB]     Lx8[dB]   "), std::string::npos) << table;
    const std::size_t level = table.find("FILE1     ");
    const std::size_t end = table.find("\r\n", level);
    EXPECT_EQ(table.substr(end - 19, 19), "--        --       ") << table;
}

// Bit 4 of the view's offered channels follows the last member's vector.
TEST_F(MergedResults, TheLastMembersVectorIsOffered)
{
    struct Case {
        bool firstVector, lastVector;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        auto doc = OpenMerged({"", {{"FILE1", FourChannelFile(true, 545, 217, 600, c.firstVector)},
                                    {"FILE2", FourChannelFile(true, 545, 217, 600, c.lastVector)}}, 60});
        for (const Form form : {Form::Text, Form::Table}) {
            std::uint16_t offered = 0x0F;
            lines = LineList();
            if (form == Form::Text) {
                FormatMergedResultsText(*doc, lines, &width, 0xFFFF, 0, AllFiles(*doc), &offered);
            } else {
                std::uint8_t kind = 0;
                MainTableRequest request{lines, width, kind, 0xFFFF, 0, TableOutputOptions{}};
                TableFormMergedResults(*doc, request, AllFiles(*doc), &offered);
            }
            EXPECT_EQ(offered, c.lastVector ? 0x1F : 0x0F);
        }
    }
}

// A legacy table writes the decimal comma for every '.' of a member name; the others only
// for those that follow no letter, as in their numbers.
TEST_F(MergedResults, LegacyTablesWriteTheDecimalCommaInNames)
{
    std::vector<MultifileMember> legacy = fixture::LegacyMultifileMembers(1);
    legacy[0].name = "AB.C";
    auto doc = OpenMerged({"", legacy, 23});
    const std::string table = Render(*doc, Form::Table, AllFiles(*doc), TableOutputOptions{0, 1, 2});
    EXPECT_NE(table.find("\nAB,C;"), std::string::npos) << table;

    std::vector<MultifileMember> current = fixture::MixedMultifileMembers(std::vector<MemberSpec>{{"level", 525, 300}});
    current[0].name = "AB.C";
    auto other = OpenMerged({"", current, 55});
    const std::string kept = Render(*other, Form::Table, AllFiles(*other), TableOutputOptions{0, 1, 2});
    EXPECT_NE(kept.find("\nAB.C;"), std::string::npos) << kept;
}

// A reverberation-time member among level meters says where its times are.
TEST_F(MergedResults, AReverberationMemberAmongOthersIsNamed)
{
    auto doc = OpenMerged(Mixed("525", {{"level", 525, 300}, {"rt60", 525, 300}, {"level", 525, 300}}));
    for (const Form form : {Form::Text, Form::Table}) {
        const std::string text = Render(*doc, form, AllFiles(*doc));
        const std::size_t line = text.find(kMemberRt60Text);
        ASSERT_NE(line, std::string::npos) << text;
        EXPECT_LT(text.find("FILE1"), line) << text;
        EXPECT_LT(text.rfind("FILE2", line), line) << text;
        EXPECT_GT(text.find("FILE3"), line) << text;
    }
}

} // namespace
} // namespace orlu
