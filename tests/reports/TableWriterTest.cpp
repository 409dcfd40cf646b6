#include "reports/table/TableWriter.h"

#include "platform/ValueFormat.h"
#include "reports/table/TableOutputOptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orlu {
namespace {

// A row of five 10-character fields: a right-aligned number, a left-aligned
// one, a field of blanks, a field filled to its 10 characters and a field
// with a tab inside.
const std::string kRow = std::string("  12.5    ") + "13.75     " + "          " + "-1.23e+005" + "a\tb       ";

TEST(ApplyColumnSeparatorTest, EverySeparatorIndex)
{
    struct Case {
        std::uint8_t index;
        std::string expected;
    };
    const Case cases[] = {
        {0, "12.5\t13.75\t-1.23e+005a\tb"},
        {1, "12.5,13.75,-1.23e+005a\tb"},
        {2, "12.5;13.75;-1.23e+005a\tb"},
        {3, "12.5/13.75/-1.23e+005a\tb"},
        {4, "12.5 13.75 -1.23e+005a\tb"},
        {5, "12.5  13.75  -1.23e+005a\tb"},
        {6, kRow},
        // Indexes the table does not hold fall back to the TAB default.
        {7, "12.5\t13.75\t-1.23e+005a\tb"},
        {255, "12.5\t13.75\t-1.23e+005a\tb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.index));
        std::string row = kRow;
        ApplyColumnSeparator(row, SeparatorChar(c.index), SeparatorDoubled(c.index));
        EXPECT_EQ(row, c.expected);
    }
}

TEST(ApplyColumnSeparatorTest, BlankRowsAndSingleBlankRuns)
{
    for (std::uint8_t index = 0; index <= 5; ++index) {
        SCOPED_TRACE(static_cast<int>(index));
        std::string blanks(30, ' ');
        ApplyColumnSeparator(blanks, SeparatorChar(index), SeparatorDoubled(index));
        EXPECT_EQ(blanks, "");
    }
    std::string blanks(30, ' ');
    ApplyColumnSeparator(blanks, '#', false);
    EXPECT_EQ(blanks, std::string(30, ' '));

    // Fields of nine characters leave runs of one blank: the doubled
    // separator is longer than the run it replaces and must not overwrite
    // the field that follows.
    std::string row = "123456789 abcdefghi x";
    ApplyColumnSeparator(row, ' ', true);
    EXPECT_EQ(row, "123456789  abcdefghi  x");
    row = "123456789 abcdefghi x";
    ApplyColumnSeparator(row, '/', true);
    EXPECT_EQ(row, "123456789//abcdefghi//x");
}

TEST(ReplaceDecimalPointTest, PointsAfterLettersAndAtTheStartStay)
{
    struct Case {
        std::string row;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {".5", ".5"},
        {"A.5", "A.5"},
        {"1.5", "1,5"},
        {"Res.No.   12.5      -0.25", "Res.No.   12,5      -0,25"},
        {"z.1 Z.2 ].3", "z.1 Z.2 ],3"},
        // Only the plain letters count: 0xB5 is not one of them.
        {"\xB5.5", "\xB5,5"},
        {"1..5", "1,,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        std::string row = c.row;
        ReplaceDecimalPoint(row, ',');
        EXPECT_EQ(row, c.expected);
    }
}

// Writes the row field by field as the writers of long rows do: a piece is
// handed on whenever the buffer passes the piece length.
void EmitInPieces(LineList& lines, const std::vector<std::string>& fields, std::uint8_t separatorIndex,
                  int* widest, int* pieces)
{
    char separator = SeparatorChar(separatorIndex);
    bool doubled = SeparatorDoubled(separatorIndex);
    std::string buffer;
    bool rowStart = true;
    *pieces = 0;
    for (const std::string& field : fields) {
        buffer += field;
        if (buffer.size() > kRowPieceLength) {
            EmitRowChunk(lines, buffer, 0, separator, doubled, rowStart, widest);
            ++*pieces;
        }
    }
    EmitRowEnd(lines, buffer, 0, separator, doubled, rowStart, widest);
    EXPECT_TRUE(rowStart);
}

std::string Joined(const std::vector<std::string>& values, const std::string& separator)
{
    std::string text;
    for (const std::string& value : values) {
        if (!text.empty() && !value.empty())
            text += separator;
        text += value;
    }
    return text;
}

TEST(EmitRowTest, ThousandFieldRowInPiecesReadsAsConvertedWhole)
{
    std::vector<std::string> fields;
    std::vector<std::string> values;
    for (int i = 0; i < 1000; ++i) {
        values.push_back(StrPrintf("%.2f", i * 1.5));
        fields.push_back(StrPrintf("%-10.2f", i * 1.5));
    }
    std::string whole;
    for (const std::string& field : fields)
        whole += field;

    const std::pair<std::uint8_t, std::string> cases[] = {
        {0, "\t"}, {1, ","}, {2, ";"}, {3, "/"}, {4, " "}, {5, "  "}, {6, ""},
    };
    for (const auto& [index, separator] : cases) {
        SCOPED_TRACE(static_cast<int>(index));
        LineList lines;
        int widest = 0;
        int pieces = 0;
        EmitInPieces(lines, fields, index, &widest, &pieces);
        EXPECT_GE(pieces, 2);
        ASSERT_EQ(lines.Size(), 1u);
        std::string expected = index == 6 ? whole : Joined(values, separator);
        EXPECT_EQ(lines[0], expected + "\r\n");
        EXPECT_EQ(widest, static_cast<int>(expected.size() + 2));
    }

    LineList lines;
    int widest = 0;
    int pieces = 0;
    EmitInPieces(lines, fields, 0, &widest, &pieces);
    std::string_view line = lines[0];
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 999);
}

// The joins between pieces: right-aligned fields (pieces start with blanks),
// long runs of blank fields at the start, the end and across a join, and
// fields that fill their 10 characters (no blank between them at all).
TEST(EmitRowTest, PieceJoinsMatchWholeConversion)
{
    std::vector<std::vector<std::string>> rows(4);
    for (int i = 0; i < 900; ++i)
        rows[0].push_back(StrPrintf("%10.3f", i * 0.125));
    for (int i = 0; i < 1500; ++i)
        rows[1].push_back(i < 450 || i >= 1050 ? std::string(10, ' ') : StrPrintf("%-10d", i));
    for (int i = 0; i < 1500; ++i)
        rows[2].push_back(i % 2 == 0 && (i < 390 || i > 810) ? StrPrintf("%-10d", i) : std::string(10, ' '));
    for (int i = 0; i < 900; ++i)
        rows[3].push_back(StrPrintf("%010d", i));

    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::uint8_t index = 0; index <= 6; ++index) {
            SCOPED_TRACE(testing::Message() << "row " << r << " separator " << static_cast<int>(index));
            std::string whole;
            for (const std::string& field : rows[r])
                whole += field;
            ApplyColumnSeparator(whole, SeparatorChar(index), SeparatorDoubled(index));

            LineList lines;
            int widest = 0;
            int pieces = 0;
            EmitInPieces(lines, rows[r], index, &widest, &pieces);
            EXPECT_GE(pieces, 2);
            ASSERT_EQ(lines.Size(), 1u);
            EXPECT_EQ(lines[0], whole + "\r\n");
        }
    }
}

TEST(EmitRowTest, RowsFollowEachOtherAndBlankRowsGiveEmptyLines)
{
    LineList lines;
    int widest = 0;
    bool rowStart = true;
    std::string buffer = "a         b         ";
    EmitRowChunk(lines, buffer, 0, ';', false, rowStart, &widest);
    EXPECT_FALSE(rowStart);
    EXPECT_EQ(buffer, " ") << "the trailing blanks still separate the piece from the next";
    buffer += "c         ";
    EmitRowEnd(lines, buffer, 0, ';', false, rowStart, &widest);
    EXPECT_TRUE(rowStart);
    buffer = std::string(20, ' ');
    EmitRowEnd(lines, buffer, 0, ';', false, rowStart, &widest);
    // A buffer whose start is already separated is stored as it is.
    buffer = "x;y       z         ";
    EmitRowEnd(lines, buffer, 2, ';', false, rowStart, &widest);

    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_EQ(lines[0], "a;b;c\r\n");
    EXPECT_EQ(lines[1], "\r\n");
    EXPECT_EQ(lines[2], "x;y;z\r\n");
    EXPECT_EQ(widest, 7);
}

// Runs of text longer than eight characters between blank runs of every length
// from one to eight, so that text moves left by every distance: rewritten in
// place (ApplyColumnSeparator) and into the stored line (EmitFieldRow), with the
// decimal comma where points fall anywhere in a run.
TEST(EmitRowTest, LongRunsMovedByEveryDistance)
{
    struct Case {
        std::string row;
        std::string expected;
    };
    const Case cases[] = {
        {"abcdefghij klmnopqrstuv  wxyz0123456789A   BCDEFGHIJKLMNOP    QRSTUVWXYZabc     defghijklmn",
         "abcdefghij;klmnopqrstuv;wxyz0123456789A;BCDEFGHIJKLMNOP;QRSTUVWXYZabc;defghijklmn"},
        {"  0123456789abcdef      ghijklmnopqrstuvw       xyz        1234567  ",
         "0123456789abcdef;ghijklmnopqrstuvw;xyz;1234567"},
        {"Res.No.12.5  x.5 12345678.25  .5  1234567.5 1.2.3.4.5.6",
         "Res.No.12,5;x.5;12345678,25;,5;1234567,5;1,2,3,4,5,6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        std::string inPlace = c.row;
        ApplyColumnSeparator(inPlace, ';', false);
        ReplaceDecimalPoint(inPlace, ',');
        EXPECT_EQ(inPlace, c.expected);

        LineList lines;
        int widest = 0;
        std::string row = c.row;
        EmitFieldRow(lines, row, TableOutputOptions{0, 1, 2}, &widest);
        ASSERT_EQ(lines.Size(), 1u);
        EXPECT_EQ(lines[0], c.expected + "\r\n");
        EXPECT_TRUE(row.empty());
    }
}

TEST(PaddingTest, AppendCharsAndBlanks)
{
    std::string text = "ab";
    AppendChars(text, '-', 3);
    EXPECT_EQ(text, "ab---");
    AppendChars(text, '-', 0);
    AppendBlanks(text, 2);
    EXPECT_EQ(text, "ab---  ");
    AppendBlanks(text, 0);
    AppendBlanks(text, -5);
    EXPECT_EQ(text, "ab---  ");
}

} // namespace
} // namespace orlu
