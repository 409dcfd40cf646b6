// The field codes of the ASCII form, one record each, against texts worked out
// by hand from the code descriptions in docs/formats.md ("ASCII form").

#include "document/LineList.h"
#include "document/rawviews/RecordFieldWriter.h"
#include "document/records/WordImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {
namespace {

struct FieldCase {
    const char* what;
    std::vector<std::uint8_t> codes; ///< empty: written as raw words
    std::vector<std::uint16_t> words; ///< the record; its length is all of them
    std::vector<std::string> lines;   ///< without CR LF
    bool hundredths = false;
    std::uint16_t function = 1;
};

std::vector<std::string> Written(const FieldCase& c, std::uint32_t& end)
{
    test::WordImage image(c.words);
    FieldWalkContext ctx{image.reader};
    ctx.firmware = 300;
    ctx.hundredths = c.hundredths;
    ctx.channelFunction = c.function;
    LineList list;
    int widest = 0;
    LineListSink sink(list, &widest);
    AsciiLineWriter out(sink);
    std::uint32_t pos = 0;
    const auto count = static_cast<std::uint32_t>(c.words.size());
    if (c.codes.empty())
        FormatRawWords(ctx, out, pos, count);
    else
        FormatRecordFields(ctx, out, c.codes, pos, count);
    end = pos;
    std::vector<std::string> lines;
    for (std::string_view line : list) {
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        lines.emplace_back(line.substr(0, line.size() - 2));
    }
    return lines;
}

TEST(RecordFields, EachCodeWritesItsItemsAndLines)
{
    const FieldCase cases[] = {
        {"scalars: signed, thousandths, 32-bit tenths and hex, rotation speed",
         {9, 2, 26, 28, 33, 27},
         {0x0901, 0xFFFE, 1500, 0x3039, 0, 0xCDEF, 0x89AB, 0, 0x873C},
         {"0901h,-2,1.500,1234.5L,89ABCDEFh,1.000L;", ""}},
        {"name, date and time; a name stops at 0xFF",
         {9, 10, 6, 5, 10},
         {0x0C01, 0x4F4C, 0x3047, 0x3030, 0x3130, 0x1A25, 0x5505, 0x4241, 0xFFFF, 0xFFFF, 0xFFFF},
         {"0C01h,\"LOG00001\",\"13/01/05\",\"12:05:30\",\"AB\";", ""}},
        {"code 20 skips leading zero bytes; levels in 0.1 dB",
         {9, 1, 20, 105},
         {0x0719, 3, 0x0000, 0x4946, 0x544C, 100, 0xFFFB},
         {"0719h,3,\"FILT\",10.0,-0.5;", ""}},
        {"levels in 0.01 dB", {9, 8, 1, 1, 105}, {0x070F, 150, 2, 3, 0xFF9C, 1234, 5},
         {"070Fh,1.50,2,3,-1.00,12.34,0.05;", ""}, true},
        {"levels in 0.1 dB", {9, 8, 1, 1, 105}, {0x070F, 150, 2, 3, 0xFF9C, 1234, 5},
         {"070Fh,1.50,2,3,-10.0,123.4,0.5;", ""}},
        {"code 51 is a level for dose meters", {9, 51, 51}, {0x0304, 125, 7}, {"0304h,12.5,0.7;", ""}, false, 4},
        {"code 51 is a number otherwise", {9, 51, 51}, {0x0304, 125, 7}, {"0304h,125,7;", ""}},
        {"quoted title up to its first zero byte", {9, 103}, {0x0403, 0x4241, 0x0043, 0x7978}, {"0403h,\"ABC\";", ""}},
        {"code 98 ends the record without an empty line; the rest is not shown", {9, 3, 98}, {0x0407, 0x00AB, 1, 2},
         {"0407h,00ABh;"}},
        {"codes running out leave the rest unshown", {9, 1}, {0x0405, 7, 8, 9}, {"0405h,7;", ""}},
        {"code 101: signed 32-bit values; a last single word is not shown", {3, 12, 101},
         {0x000B, 5, 0x86A0, 0x0001, 9}, {"000Bh,5,100000L;", ""}},
        {"code 12's length never reaches past the record", {3, 12, 101}, {0x000B, 40, 0xFFFF, 0xFFFF},
         {"000Bh,40,-1L;", ""}},
        {"statistics: a percentage and repeat-count levels, a line per entry",
         {9, 21, 1, 99, 115},
         {0x0917, 0x0200, 2, 10, 900, 880, 50, 700, 690},
         {"0917h,0200h,2,", " 10,90.0,88.0,", " 50,70.0,69.0;", ""}},
        {"statistics table: ten percentages, then levels; a line per repeat count of code 30",
         {9, 21, 30, 99, 125},
         {0x1019, 0x0300, 4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 900, 850, 0xFFF6},
         {"1019h,0300h,4,", "1,2,3,4,", "5,6,7,8,", "9,10,90.0,85.0,", "-1.0;", ""}},
        {"groups of nine with four nul",
         {3, 12, 8, 1, 1, 1, 1, 99, 116},
         {0x001B, 16, 150, 1, 2, 3, 4, 5, 1234, 0xFFFF, 0xFC18, 0, 7, 7, 7, 7},
         {"001Bh,16,1.50,1,2,3,4,", "5,1.234,undf,-1.000,0.000,nul,nul,nul,nul;", ""}},
        {"groups of nine with four numbers",
         {3, 12, 8, 1, 1, 1, 1, 99, 117},
         {0x001C, 16, 150, 1, 2, 3, 4, 5, 1234, 0xFFFF, 0xFC18, 0, 7, 0xFFFF, 0, 2},
         {"001Ch,16,1.50,1,2,3,4,", "5,1.234,undf,-1.000,0.000,7,undf,0,2;", ""}},
        {"four hex words a line; code 14's length taken no further than the record",
         {3, 14, 99, 122},
         {0x0020, 8, 0x0001, 0xABCD, 0x0010, 0xFFFF, 0x1234, 0x0000},
         {"0020h,8,", "0001,ABCD,0010,FFFF,", "1234,0000;", ""}},
        {"32-bit values, a line per count of code 24",
         {3, 23, 1, 24, 4, 4, 99, 123},
         {0x0016, 14, 7, 2, 125, 0xFF38, 1, 0, 0xFFFF, 0xFFFF, 0x1170, 0x0001, 5, 0},
         {"0016h,14,7,2,12.5,-20.0,", "1L,-1L,", "70000L,5L;", ""}},
        {"a line breaks at 78 characters; the comma before a trailing blank becomes ';'",
         {3, 109},
         {0x000F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
         {"000Fh,0001h, 0002h, 0003h, 0004h, 0005h, 0006h, 0007h, 0008h, 0009h, 000Ah, 000Bh, ",
          "000Ch, 000Dh, 000Eh; ", ""}},
        {"a line breaks at 16 items", {3, 124},
         {0x0011, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xFFFF},
         {"0011h,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,", "16,-1;", ""}},
        {"raw words", {}, {0x0330, 0x1234, 0x0005}, {"0330h,1234h,0005h;", ""}},
        {"raw words with the length in word 1", {}, {0x0031, 4, 0xAAAA, 0xBBBB}, {"0031h,4,AAAAh,BBBBh;", ""}},
        {"raw words break at 78 characters",
         {},
         {0x0F32, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
         {"0F32h,0001h,0002h,0003h,0004h,0005h,0006h,0007h,0008h,0009h,000Ah,000Bh,000Ch,", "000Dh,000Eh;", ""}},
    };
    for (const FieldCase& c : cases) {
        std::uint32_t end = 0;
        EXPECT_EQ(Written(c, end), c.lines) << c.what;
        EXPECT_EQ(end, c.words.size()) << c.what;
    }
}

TEST(RecordFields, BufferRowsFollowTheRecordWithMarkersBreaksAndRotationSpeeds)
{
    // Buffer header 15 of 5 words, then rows of three words (a level and a rotation
    // speed pair), a marker, a break of 0x030201 records, a row cut by the end word.
    const std::vector<std::uint16_t> words{
        0x050F, 2, 0, 12, 0,           // header: step 2 s, size 12 bytes
        1601, 0, 0x873C,               // 80.0 with overload, 1 rpm
        0x8123,                        // marker 123h
        0xB001, 0x0002, 0x0003, 0x0000, // break
        1000, 0, 0,                     // 50.0, rotation speed 0
        0xFFFF};
    test::WordImage image(words);
    FieldWalkContext ctx{image.reader};
    ctx.firmware = 300;
    ctx.rowLength = 3;
    ctx.rpmWord = 1;
    LineList list;
    int widest = 0;
    LineListSink sink(list, &widest);
    AsciiLineWriter out(sink);
    std::uint32_t pos = 0;
    const std::uint8_t codes[] = {9, 1, 1, 106, 107};
    FormatRecordFields(ctx, out, codes, pos, 5);
    EXPECT_EQ(pos, words.size() - 1); // left at the end word
    EXPECT_EQ(list.Join(), "050Fh,2,0,12L,\r\n"
                           "80.0*,1.000L,\r\n"
                           "<M:123h>,<B:197121>,50.0,0.000L;\r\n"
                           "\r\n");
}

} // namespace
} // namespace orlu
