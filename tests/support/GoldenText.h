#pragma once
// Texts written out by hand from a report's layout (tests/golden), and the
// width a view needs for one.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace orlu::fixture {

/// The bytes of tests/golden/NAME (Windows-1252, lines ending CR LF).
inline std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The widest line of a text, CR LF included.
inline int WidthOf(const std::string& text)
{
    int widest = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        widest = std::max(widest, static_cast<int>(end - start + 2));
    return widest;
}

} // namespace orlu::fixture
