// The focused view: the last to gain the focus, until it loses it.

#include "presentation/view/ViewFocus.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(ViewFocus, ALateFocusLossOfAnotherViewKeepsTheNewFocus)
{
    ViewFocus focus;
    auto* first = reinterpret_cast<ViewController*>(0x10);
    auto* second = reinterpret_cast<ViewController*>(0x20);
    focus.FocusGained(first);
    focus.FocusGained(second);
    focus.FocusLost(first);
    EXPECT_EQ(focus.Focused(), second);
    focus.FocusLost(second);
    EXPECT_EQ(focus.Focused(), nullptr);
}

} // namespace
} // namespace orlu
