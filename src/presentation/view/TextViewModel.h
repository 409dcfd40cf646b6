#pragma once
// The text view without a window: which form of its text document it shows
// (the text lines or the hex dump), the marked block, Select All and Copy.
// It keeps its lines, scroll position and block in a MeasurementViewState,
// whose text-form rules (block, scrolling, lines on screen) it shares with
// the measurement view's text forms.

#include "presentation/AppSettings.h"
#include "presentation/CTmDoc1.h"
#include "presentation/view/MeasurementViewState.h"

#include <string>

namespace orlu {

class TextViewModel {
public:
    TextViewModel(CTmDoc1& doc, const AppSettings& settings);

    CTmDoc1& Doc() const { return m_Doc; }
    MeasurementViewState& State() { return m_State; }
    const MeasurementViewState& State() const { return m_State; }

    /// The text lines, as the view first shows them.
    void OnInitialUpdate();
    /// View Text and View Hexa: each switch empties the block and goes back to
    /// the first line and column; choosing the form shown changes nothing.
    void OnTextMode();
    void OnHexa();
    bool ShowHexa() const { return m_ShowHexa; }
    bool TextModeEnabled() const { return (m_Doc.ViewMask() & CTmDoc1::kTextViewBit) != 0; }
    bool HexaEnabled() const { return (m_Doc.ViewMask() & CTmDoc1::kHexaViewBit) != 0; }

    /// Marks every line from the first character past the widest line's end.
    void SelectAll();
    bool CanCopy() const { return m_State.BlockMarked != 0; }
    /// The marked block as plain text (Windows-1252, 0xB2 kept: the clipboard
    /// shows it as the superscript two it is).
    std::string Copy() const;
    /// A drag held at (x, y) of a client area: near or past an edge the text
    /// scrolls by one line and one column towards it, never past the ends of
    /// the scroll ranges. True when it scrolled (the caller repeats after 100 ms).
    bool DragScroll(int x, int y, int clientWidth, int clientHeight);
    /// The block-marking mode changed in the Edit options.
    void SetBlockMode(std::uint8_t mode);

    std::uint8_t PrintPitch = 16;

private:
    void Show(TextForm form);

    CTmDoc1& m_Doc;
    MeasurementViewState m_State;
    bool m_ShowHexa = true;
};

} // namespace orlu
