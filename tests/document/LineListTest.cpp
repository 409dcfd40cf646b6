#include "document/LineList.h"

#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>

// Allocation failures on demand: the next allocation after t_AllocationsBeforeFailure
// more have succeeded throws std::bad_alloc (-1: never).
namespace {
thread_local int t_AllocationsBeforeFailure = -1;
}

void* operator new(std::size_t size)
{
    if (t_AllocationsBeforeFailure == 0) {
        t_AllocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (t_AllocationsBeforeFailure > 0)
        --t_AllocationsBeforeFailure;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The replaced new allocates with malloc, so free is its match; the compiler,
// seeing a new-expression's pointer reach free after inlining, cannot tell.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

namespace orlu {
namespace {

constexpr const char* kNoMemory = "Not enough memory to load entire file";

enum class Op { Add, Open, Append, AppendCrLf };

struct Step {
    Op op;
    const char* text;
};

// Applies the operation to the caller's text, which it must empty.
bool Apply(LineList& list, Op op, std::string& text, int& widest)
{
    bool stored = false;
    switch (op) {
    case Op::Add:
        stored = AddLine(list, text, &widest);
        break;
    case Op::Open:
        stored = AddUnterminatedLine(list, text, &widest);
        break;
    case Op::Append:
        stored = AppendToLastLine(list, text, false, &widest);
        break;
    case Op::AppendCrLf:
        stored = AppendToLastLine(list, text, true, &widest);
        break;
    }
    EXPECT_TRUE(text.empty()) << "the caller's text is emptied";
    return stored;
}

std::vector<std::string> Lines(const LineList& list)
{
    return {list.begin(), list.end()};
}

TEST(LineList, AppendsLinesAndRaisesTheWidestCounter)
{
    struct Case {
        const char* name;
        int widestBefore;
        std::vector<Step> steps;
        std::vector<std::string> lines;
        int widestAfter;
    };
    const Case cases[] = {
        {"a line gets CR LF, counted", 3, {{Op::Add, "abc"}}, {"abc\r\n"}, 5},
        {"an empty line is CR LF alone", 0, {{Op::Add, ""}}, {"\r\n"}, 2},
        {"an open line completed", 0, {{Op::Open, "ab"}, {Op::AppendCrLf, "cd"}}, {"abcd\r\n"}, 6},
        {"appending without the flag leaves it open", 0, {{Op::Open, "ab"}, {Op::Append, "cd"}}, {"abcd"}, 4},
        {"appending to a finished line", 0, {{Op::Add, "ab"}, {Op::Append, "x"}}, {"ab\r\nx"}, 5},
        {"an added line does not join an open one", 0, {{Op::Open, "ab"}, {Op::Add, "cd"}}, {"ab", "cd\r\n"}, 4},
        {"the counter never shrinks", 0, {{Op::Add, "abcdef"}, {Op::Add, "a"}}, {"abcdef\r\n", "a\r\n"}, 8},
        {"a larger counter stays", 100, {{Op::Add, "abc"}, {Op::Open, "d"}}, {"abc\r\n", "d"}, 100},
        {"widths count Windows-1252 bytes", 0, {{Op::Add, "Pa\xB2s"}}, {"Pa\xB2s\r\n"}, 6},
        {"appending to an empty list starts a line", 0, {{Op::Append, "x"}, {Op::AppendCrLf, "y"}}, {"xy\r\n"}, 4},
        {"the same with CR LF at once", 0, {{Op::AppendCrLf, "x"}}, {"x\r\n"}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList list;
        int widest = c.widestBefore;
        for (const Step& step : c.steps) {
            std::string text = step.text;
            EXPECT_TRUE(Apply(list, step.op, text, widest));
        }
        EXPECT_EQ(Lines(list), c.lines);
        EXPECT_EQ(widest, c.widestAfter);
    }
}

TEST(LineList, JoinsItsLinesAndClears)
{
    LineList list;
    int widest = 0;
    for (const char* text : {"one", "two", "three"}) {
        std::string line = text;
        AddLine(list, line, &widest);
    }
    std::string second = "released";
    std::string line = "four";
    EXPECT_TRUE(AddLineEx(list, line, &widest, second));
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(list.Size(), 4u);
    EXPECT_EQ(list[3], "four\r\n");
    EXPECT_EQ(list.Join(), "one\r\ntwo\r\nthree\r\nfour\r\n");

    LineList handedOver = std::move(list); // a text document takes the view's lines
    EXPECT_EQ(handedOver.Size(), 4u);

    ClearLineList(nullptr);
    ClearLineList(&handedOver);
    EXPECT_TRUE(handedOver.Empty());
    EXPECT_EQ(handedOver.Join(), "");
    EXPECT_EQ(widest, 7); // clearing leaves the caller's counter alone
}

// Writes `count` lines of `length` characters (and their CR LF); returns their text.
std::string AddNumberedLines(LineList& list, int count, std::size_t length, int& widest)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string line(length, static_cast<char>('a' + i % 26));
        text += line + "\r\n";
        AddLine(list, line, &widest);
    }
    return text;
}

TEST(LineList, ClearingKeepsTheBlocksForTheNextTextAndGivesBackWhatItLeavesUnused)
{
    LineList list;
    int widest = 0;
    const std::string big = AddNumberedLines(list, 20000, 100, widest); // 2 MB: the 1 MB blocks
    const std::size_t bigCapacity = list.TextCapacity();
    ASSERT_GE(bigCapacity, big.size());

    // The same text again fills the kept blocks and takes none.
    ClearLineList(&list);
    EXPECT_EQ(list.TextCapacity(), bigCapacity);
    EXPECT_EQ(AddNumberedLines(list, 20000, 100, widest), big);
    EXPECT_EQ(list.Join(), big);
    EXPECT_EQ(list.TextCapacity(), bigCapacity);

    // A short text after it, with a first line longer than the first kept block
    // and a line grown piece by piece, reads back whole; once it is done the
    // blocks it did not reach are given back.
    ClearLineList(&list);
    std::string expected;
    std::string line(5000, 'L');
    expected += line + "\r\n";
    AddLine(list, line, &widest);
    for (const char* piece : {"x = ", "12.5", " dB"}) {
        std::string text = piece;
        expected += piece;
        AppendToLastLine(list, text, false, &widest);
    }
    std::string end;
    AppendToLastLine(list, end, true, &widest);
    expected += "\r\n";
    expected += AddNumberedLines(list, 3, 10, widest);
    EXPECT_EQ(list.Join(), expected);
    list.ReleaseSpare();
    EXPECT_EQ(list.Join(), expected);
    EXPECT_GE(list.TextCapacity(), expected.size());
    EXPECT_LT(list.TextCapacity(), 64u * 1024);

    // Cleared, a list keeps the blocks of its last text only; an empty one gives back everything.
    ClearLineList(&list);
    EXPECT_LT(list.TextCapacity(), 64u * 1024);
    list.ReleaseSpare();
    EXPECT_EQ(list.TextCapacity(), 0u);
    const std::string after = AddNumberedLines(list, 2, 4, widest);
    EXPECT_EQ(list.Join(), after);
}

// Applies the operation with each allocation it makes failing in turn, then with
// memory. Each failure must store nothing, leave the lines and the counter as they
// were, empty the caller's text and, with a user interaction, say so once. Returns
// how many allocations failed.
int FailEachAllocation(LineList& list, const ScriptedInteraction* ui, Op op, const std::string& given, int& widest)
{
    for (int failures = 0;; ++failures) {
        const std::vector<std::string> before = Lines(list);
        const int widestBefore = widest;
        const std::size_t messages = ui ? ui->Messages().size() : 0;
        std::string text = given;
        t_AllocationsBeforeFailure = failures;
        const bool stored = Apply(list, op, text, widest);
        const bool failed = t_AllocationsBeforeFailure == -1;
        t_AllocationsBeforeFailure = -1;
        if (!failed) {
            EXPECT_TRUE(stored);
            return failures;
        }
        EXPECT_FALSE(stored);
        EXPECT_EQ(Lines(list), before);
        EXPECT_EQ(widest, widestBefore);
        if (ui) {
            EXPECT_EQ(ui->Messages().size(), messages + 1);
            EXPECT_EQ(ui->Messages().back(), kNoMemory);
            EXPECT_EQ(ui->Shown().back().caption, kMessageCaption);
        }
    }
}

TEST(LineList, MemoryFailureKeepsTheListAndSaysSo)
{
    const std::string longText(100000, 'x'); // more than a block holds
    struct Case {
        const char* name;
        Op op;
        const std::string& text;
        std::string lastLine;
    };
    const Case cases[] = {
        {"a line that needs a block of its own", Op::Add, longText, longText + "\r\n"},
        {"an open line that needs one", Op::Open, longText, longText},
        {"the last line growing past its block", Op::AppendCrLf, longText, "abc\r\n" + longText + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction ui;
        LineList list(&ui);
        int widest = 0;
        std::string first = "abc";
        ASSERT_TRUE(AddUnterminatedLine(list, first, &widest));
        first = "\r\n";
        ASSERT_TRUE(AppendToLastLine(list, first, false, &widest));
        EXPECT_GE(FailEachAllocation(list, &ui, c.op, c.text, widest), 1);
        EXPECT_EQ(list[list.Size() - 1], c.lastLine);
        EXPECT_EQ(widest, static_cast<int>(c.lastLine.size()));
    }
}

TEST(LineList, LinesThatNeedMemoryFailAloneAmongManyThatFit)
{
    // Short lines one after the other: most fit where the list has room, some need
    // more room for the lines or a new block, with or without a user interaction.
    for (bool withUi : {true, false}) {
        SCOPED_TRACE(withUi ? "with a user interaction" : "without one");
        ScriptedInteraction ui;
        LineList list(withUi ? &ui : nullptr);
        int widest = 0;
        std::vector<std::string> expected;
        int failures = 0;
        for (int i = 0; i < 2000; ++i) {
            const std::string text = "line " + std::to_string(i);
            const Op op = i % 3 == 0 ? Op::Open : i % 3 == 1 ? Op::Append : Op::Add;
            failures += FailEachAllocation(list, withUi ? &ui : nullptr, op, text, widest);
            if (op == Op::Append)
                expected.back() += text;
            else
                expected.push_back(op == Op::Add ? text + "\r\n" : text);
        }
        EXPECT_GE(failures, 2);
        EXPECT_EQ(Lines(list), expected);
        std::size_t longest = 0;
        for (const std::string& line : expected)
            longest = std::max(longest, line.size());
        EXPECT_EQ(widest, static_cast<int>(longest));
    }
}

} // namespace
} // namespace orlu
