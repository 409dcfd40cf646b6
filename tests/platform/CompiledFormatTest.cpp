#include "platform/CompiledFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orlu {
namespace {

TEST(CompiledFormat, OneParseServesEveryRow)
{
    const CompiledFormat row("%-10s%-10.1f|%5ld|%%");
    EXPECT_EQ(row.ArgumentCount(), 3u);
    std::string out = ">";
    row.Append(out, std::string("Leq"), 94.05, 0x1'0000'0005L);
    row.Append(out, std::string_view("Lmax..", 4), -0.04, -1L);
    EXPECT_EQ(out, ">Leq       94.0      |    5|%Lmax      -0.0      |   -1|%");
}

TEST(CompiledFormat, MissingAndMismatchedArgumentsAreWrittenAsGiven)
{
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {CompiledFormat("%d|%s")(7), "7|%s"},
        {CompiledFormat("%5.1f|%d")("text", 2.5), "%5.1f|%d"},
        {CompiledFormat("%s")(3), "%s"},
        {CompiledFormat("%*d")(), "%0d"},
        // Integers of either signedness serve every integer conversion, as printf reads them.
        {CompiledFormat("%u|%d|%c|%x")(-1, 4294967295u, 65u, 'a'), "4294967295|-1|A|61"},
        {CompiledFormat("%p")(static_cast<const char*>(nullptr)), "(nil)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

} // namespace
} // namespace orlu
