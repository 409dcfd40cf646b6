#pragma once
// The two dialogs of a marked block, without a window: "Buffer block
// operations" returns what to do with the block, and its "Draw in the block"
// button opens "Draw in the block", which picks the results drawn over it.
// The opener presets the members, the window (or a script) presses the
// buttons, and the opener reads the members back.

#include "presentation/view/GraphControlFields.h"

#include <cstdint>

namespace orlu {

/// What the block dialog returns: 0 when it was closed with Esc.
enum BlockAction : std::uint8_t {
    kBlockNoAction = 0,
    kBlockRemoveMarkers = 1,
    kBlockDelete = 2,
    kBlockDeleteOutside = 3,
    kBlockDoNothing = 4,
    kBlockSave = 5,
    kBlockDraw = 6,
};

/// "Draw in the block": RMS / LEQ, Lmax, Lmin, SEL.
struct DrawInBlockModel {
    std::int32_t m_RmsSelShown = 0;
    DrawSwitches m_DrawEnabled{};
    DrawSwitches m_DrawChecks{};
    std::int32_t m_Accepted = 0;

    /// RMS / LEQ (0) and SEL (3) are hidden unless m_RmsSelShown.
    bool BoxShown(int i) const;
    /// A box can be clicked when shown and, with m_RmsSelShown, enabled.
    bool BoxEnabled(int i) const;
    /// A click on box i (0..3); nothing on a box that cannot be clicked.
    void ClickBox(int i);
    void Ok() { m_Accepted = 1; }
    void Cancel() {}
};

/// "Buffer block operations".
struct BlockOperationsModel {
    std::uint8_t m_Action = kBlockNoAction;
    std::uint8_t m_RmsSelShown = 0;
    std::int32_t m_DeleteEnabled = 0;
    std::int32_t m_DeleteOutsideEnabled = 0;
    std::int32_t m_SaveEnabled = 0;
    DrawSwitches m_DrawOffered{};
    DrawSwitches m_DrawChosen{};
    std::int32_t m_ShowNowCheck = 0;
    std::int32_t ShowNowBox = 0; ///< the check box as shown, read into m_ShowNowCheck when an action ends the dialog
    bool Ended = false;

    /// Shows the presets in the controls.
    void Open() { ShowNowBox = m_ShowNowCheck; }
    bool ActionEnabled(std::uint8_t action) const;
    /// Buttons 1 to 5: the action ends the dialog (the box is read); a disabled one does nothing.
    void Press(std::uint8_t action);
    /// The "Draw in the block" dialog as the button opens it.
    DrawInBlockModel DrawInBlock() const;
    /// After "Draw in the block": accepted, its choice is taken and the dialog ends with
    /// action 6; cancelled, this dialog stays open as it was.
    void DrawInBlockClosed(const DrawInBlockModel& draw);
    /// Esc: ends with action 0, the box unread.
    void Escape();
};

} // namespace orlu
