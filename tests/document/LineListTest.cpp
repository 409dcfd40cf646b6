#include "document/LineList.h"

#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

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

bool Apply(LineList& list, const Step& step, int& widest)
{
    std::string text = step.text;
    bool stored = false;
    switch (step.op) {
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
        for (const Step& step : c.steps)
            EXPECT_TRUE(Apply(list, step, widest));
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

TEST(LineList, MemoryFailureKeepsTheListAndSaysSo)
{
    ScriptedInteraction ui;
    LineList list(&ui);
    int widest = 0;
    std::string line = "abc";
    ASSERT_TRUE(AddLine(list, line, &widest)); // the list now holds one line in room for one

    // The list itself cannot grow.
    line.reserve(64);
    line = "a longer line of forty characters-------";
    t_AllocationsBeforeFailure = 0;
    EXPECT_FALSE(AddLine(list, line, &widest));
    EXPECT_TRUE(line.empty());

    // The line cannot take its CR LF.
    line = std::string(40, 'x');
    line.shrink_to_fit();
    t_AllocationsBeforeFailure = 0;
    EXPECT_FALSE(AddLine(list, line, &widest));

    // An open line cannot be stored.
    line = "open";
    t_AllocationsBeforeFailure = 0;
    EXPECT_FALSE(AddUnterminatedLine(list, line, &widest));

    // The last line cannot grow.
    std::string text(100, 'y');
    t_AllocationsBeforeFailure = 0;
    EXPECT_FALSE(AppendToLastLine(list, text, true, &widest));
    EXPECT_TRUE(text.empty());

    t_AllocationsBeforeFailure = -1;
    EXPECT_EQ(Lines(list), std::vector<std::string>{"abc\r\n"});
    EXPECT_EQ(widest, 5);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>(4, kNoMemory));
    EXPECT_EQ(ui.Shown().back().caption, kMessageCaption);

    // Without a user interaction the failure shows in the result only.
    LineList quiet;
    line = std::string(40, 'z');
    t_AllocationsBeforeFailure = 0;
    EXPECT_FALSE(AddLine(quiet, line, &widest));
    t_AllocationsBeforeFailure = -1;
    EXPECT_TRUE(quiet.Empty());
}

} // namespace
} // namespace orlu
