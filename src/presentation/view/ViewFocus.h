#pragma once
// The measurement view that has the keyboard focus: the one whose held
// buttons repeat. A view registers itself when it gains the focus and
// clears the registration when it loses it (or is destroyed while focused).

namespace orlu {

class ViewController;

class ViewFocus {
public:
    void FocusGained(ViewController* view) { m_Focused = view; }
    /// Only the focused view's loss clears it: a late loss of another view leaves the new focus.
    void FocusLost(const ViewController* view)
    {
        if (m_Focused == view)
            m_Focused = nullptr;
    }
    ViewController* Focused() const { return m_Focused; }

private:
    ViewController* m_Focused = nullptr;
};

} // namespace orlu
