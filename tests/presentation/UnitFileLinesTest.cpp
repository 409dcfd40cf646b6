// The unit-files dialog's list lines, written out by hand from their formats:
// Details and More details, the ORLU 505 header columns, dates, dots, sort,
// filter, typed names and the target path.

#include "presentation/UnitFileLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

struct EntrySpec {
    std::string name; ///< up to 8 bytes; a first byte 0 for an erased entry
    std::uint8_t type = 1;
    std::uint8_t subtype = 0;
    std::uint32_t size = 0;
    std::uint32_t item = 0;
    std::uint16_t date = (24 << 9) | (3 << 5) | 15; // 24/03/15
    std::uint16_t time = 18615;                     // 10:20:30
};

UnitDirEntry Entry(const EntrySpec& s)
{
    std::array<std::uint8_t, 32> raw{};
    std::fill(raw.begin(), raw.begin() + 8, ' ');
    std::copy_n(s.name.begin(), std::min<std::size_t>(s.name.size(), 8), raw.begin());
    raw[8] = s.type;
    raw[9] = s.subtype;
    for (int i = 0; i < 4; ++i) {
        raw[12 + i] = static_cast<std::uint8_t>(s.size >> (8 * i));
        raw[16 + i] = static_cast<std::uint8_t>(s.item >> (8 * i));
    }
    raw[20] = static_cast<std::uint8_t>(s.date);
    raw[21] = static_cast<std::uint8_t>(s.date >> 8);
    raw[22] = static_cast<std::uint8_t>(s.time);
    raw[23] = static_cast<std::uint8_t>(s.time >> 8);
    return UnitDirEntry(std::span<const std::uint8_t, 32>(raw));
}

UnitFileHeader Header(std::initializer_list<std::uint16_t> words)
{
    UnitFileHeader h;
    std::size_t at = 0;
    for (std::uint16_t w : words) {
        h.bytes[at++] = static_cast<std::uint8_t>(w);
        h.bytes[at++] = static_cast<std::uint8_t>(w >> 8);
    }
    return h;
}

std::vector<std::string> Texts(const std::vector<UnitFileLine>& lines)
{
    std::vector<std::string> out;
    for (const UnitFileLine& l : lines)
        out.push_back(l.text);
    return out;
}

CUnitDirectory CurrentFamily()
{
    CUnitDirectory dir;
    dir.Assign({Entry({"L01", 1, 0, 40, 1000}), Entry({std::string("\0GONE", 5), 1, 0, 77}),
                Entry({"SET1", 0, 2, 1234567, 1002, (9 << 9) | (12 << 5) | 31, 43199}),
                Entry({"BUF_1", 0, 0, 5}), Entry({"Q", 77, 0, 0})});
    return dir;
}

TEST(UnitFileLinesTest, CurrentFamilyFormats)
{
    struct Case {
        bool details, more;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {false, false, {"L01<l>", "SET1<s>", "BUF_1<b>", "Q<x>"}},
        {true, false, {"L01......<l>.....40", "SET1.....<s>1234567", "BUF_1....<b>......5", "Q........<x>......0"}},
        {false, true,
         {"L01      <l> 24/03/15 10:20'30", "SET1     <s> 09/12/31 23:59'58", "BUF_1    <b> 24/03/15 10:20'30",
          "Q        <x> 24/03/15 10:20'30"}},
        {true, true,
         {"L01      <l>     40 24/03/15 10:20'30", "SET1     <s>1234567 09/12/31 23:59'58",
          "BUF_1    <b>      5 24/03/15 10:20'30", "Q        <x>      0 24/03/15 10:20'30"}},
    };
    const CUnitDirectory dir = CurrentFamily();
    for (const Case& c : cases) {
        UnitListOptions o{c.details, c.more};
        const std::vector<UnitFileLine> lines = BuildUnitFileLines(3, dir, o);
        EXPECT_EQ(Texts(lines), c.lines) << c.details << c.more;
        // The erased entry is not listed, yet the others keep their directory index.
        EXPECT_EQ(lines[1].entry, 2u);
        EXPECT_EQ(lines[1].itemData, 1002u);
    }
}

TEST(UnitFileLinesTest, SortAndTheMonitor)
{
    CUnitDirectory dir;
    dir.Assign({Entry({"b2", 1}), Entry({"A1", 1}), Entry({"a0", 1})});
    UnitListOptions sorted{false, false, true};
    const std::vector<UnitFileLine> lines = BuildUnitFileLines(3, dir, sorted);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"a0<l>", "A1<l>", "b2<l>"}));
    EXPECT_EQ(lines[0].entry, 2u);

    // The MONITOR lists a size from its range and no date.
    std::array<std::uint8_t, 32> raw{};
    raw[0] = 'S';
    raw[14] = 0x20; raw[15] = 0x01; // start 0x000120
    raw[18] = 0x1F; raw[19] = 0x04; // end 0x00041F
    CUnitDirectory monitor;
    monitor.Assign({UnitDirEntry(std::span<const std::uint8_t, 32>(raw))});
    UnitListOptions o{true, true};
    EXPECT_EQ(Texts(BuildUnitFileLines(7, monitor, o)), std::vector<std::string>{"S        <m>    768"});
}

TEST(UnitFileLinesTest, The505HeaderColumnsAndFileTypeFilter)
{
    CUnitDirectory dir;
    dir.Assign({Entry({"M1", 1, 0, 100}), Entry({"A1", 2, 0, 100}), Entry({"P1", 1, 0, 100}), Entry({"S1", 3, 0, 10}),
                Entry({"M0", 1, 0, 0}), Entry({"K1", 0, 0, 3}), Entry({"A2", 2, 0, 100})},
               {Header({1, 0, 0, 2, 3}), Header({0x4001, 0, 0, 9, 2, 7}), Header({1, 0, 0, 6, 4, 2}), {}, {}, {},
                Header({1, 0, 0, 40, 40})});
    UnitListOptions all{false, true};
    EXPECT_EQ(Texts(BuildUnitFileLines(1, dir, all)),
              (std::vector<std::string>{
                  "M1       <m> Microphone    Leq       ",
                  "A1       <a> Microphone    7-prof.   ",
                  "P1       <m> OR08A         4-chan.   ",
                  "S1       <s> -----         setup     ",
                  "M0       <m> unknown              ",
                  "K1       <k> -----         directory ",
                  "A2       <a> UNDEFINED     UNKNOWN   ",
              }));

    struct Filter {
        UnitFileFilter type;
        std::vector<std::string> lines;
    };
    const Filter filters[] = {
        {UnitFileFilter::Meter, {"M1<m>", "P1<m>", "M0<m>"}},
        {UnitFileFilter::Analyzer, {"A1<a>", "A2<a>"}},
        {UnitFileFilter::Special, {"S1<s>", "K1<k>"}},
    };
    for (const Filter& f : filters) {
        UnitListOptions o{false, false, false, f.type};
        EXPECT_EQ(Texts(BuildUnitFileLines(1, dir, o)), f.lines) << static_cast<int>(f.type);
    }

    // Without headers More details is switched off.
    CUnitDirectory bare;
    bare.Assign({Entry({"M1", 1, 0, 100})});
    UnitListOptions more{false, true};
    EXPECT_EQ(Texts(BuildUnitFileLines(1, bare, more)), std::vector<std::string>{"M1<m>"});
    EXPECT_FALSE(more.moreDetails);
}

TEST(UnitFileLinesTest, LettersByFamily)
{
    struct Case {
        std::uint8_t selector, type, subtype;
        char letter;
    };
    const Case cases[] = {
        {1, 0, 0, 'k'}, {1, 1, 0, 'm'}, {1, 2, 0, 'a'}, {1, 3, 0, 's'}, {1, 4, 0, 'u'}, {1, 16, 0, 'b'}, {1, 5, 0, 'x'},
        {2, 0, 0, 'b'}, {2, 3, 0, 'd'}, {2, 4, 0, 'x'},
        {3, 0, 2, 's'}, {3, 0, 0, 'b'}, {12, 4, 0, 'd'}, {12, 10, 0, 'a'}, {12, 11, 0, 'x'}, {7, 3, 0, 'm'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnitFileLetter(c.selector, Entry({"N", c.type, c.subtype})), c.letter)
            << int(c.selector) << " " << int(c.type);
}

TEST(UnitFileLinesTest, TypedNamesAndTheEmptyList)
{
    const CUnitDirectory dir = CurrentFamily();
    UnitListOptions o{true};
    const std::vector<UnitFileLine> lines = BuildUnitFileLines(3, dir, o);
    using R = TypedNameMatch::Result;
    EXPECT_EQ(MatchTypedName(lines, "l01").result, R::Found);
    EXPECT_EQ(MatchTypedName(lines, "set1").line, 1u);
    EXPECT_EQ(MatchTypedName(lines, "L0").result, R::NotFound);
    EXPECT_EQ(MatchTypedName(lines, "").result, R::NotFound);

    CUnitDirectory twice;
    twice.Assign({Entry({"L01", 1, 0, 1}), Entry({"L01", 2, 0, 1})}, {Header({1}), Header({1})});
    UnitListOptions all;
    EXPECT_EQ(MatchTypedName(BuildUnitFileLines(1, twice, all), "L01").result, R::NotUnique);

    CUnitDirectory empty;
    empty.Assign({});
    EXPECT_TRUE(BuildUnitFileLines(3, empty, o).empty());
}

TEST(UnitFileLinesTest, SelectionIsStoredByEntry)
{
    CUnitDirectory dir;
    dir.Assign({Entry({"b2", 1, 0, 1, 500}), Entry({"", 1}), Entry({std::string("\0X", 2), 1}),
                Entry({"a0", 1, 0, 1, 502})});
    UnitListOptions sorted{false, false, true};
    const std::vector<UnitFileLine> lines = BuildUnitFileLines(3, dir, sorted);
    ASSERT_EQ(Texts(lines), (std::vector<std::string>{"<l>", "a0<l>", "b2<l>"}));
    StoreSelection(dir, lines, {1, 2});
    EXPECT_EQ(dir.GetSelectedNames(), (std::vector<std::string>{"a0<l>", "b2<l>"}));
    EXPECT_EQ(dir.GetSelectedEntries(), (std::vector<std::size_t>{3, 0}));
    EXPECT_EQ(dir.GetSelectedData(), (std::vector<std::uint32_t>{502, 500}));
    EXPECT_EQ(dir.GetSelectionFlags(), (std::vector<std::uint8_t>{1, 0, 0, 1}));
}

TEST(UnitFileLinesTest, TargetPath)
{
    const std::string sixty(60, 'p');
    EXPECT_EQ(TargetPathText(sixty), sixty);
    const std::string path61 = "/home/user/" + std::string(44, 'd') + "/orlu6";
    ASSERT_EQ(path61.size(), 61u);
    EXPECT_EQ(TargetPathText(path61), "/ho...ser/" + std::string(44, 'd') + "/orlu6");
    EXPECT_EQ(TargetPathText(path61).size(), 60u);
}

} // namespace
} // namespace orlu
