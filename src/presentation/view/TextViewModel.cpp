#include "presentation/view/TextViewModel.h"

#include "presentation/view/ClipboardCopy.h"
#include "presentation/view/TextFormLayout.h"

namespace orlu {

using namespace form_flags;

TextViewModel::TextViewModel(CTmDoc1& doc, const AppSettings& settings) : m_Doc(doc)
{
    m_State.DispPitch = settings.DispPitchSize;
    m_State.TextMargin = settings.DispTextMargin;
    PrintPitch = settings.PrintPitchSize;
    std::uint32_t flags = 0;
    flags = WithField(flags, kClipDecimalShift, 1, settings.ClipDecyPoint);
    flags = WithField(flags, kClipSeparatorShift, 3, settings.ClipSeparatorChar);
    flags = WithField(flags, kBlockModeShift, 2, settings.ClipBlockMarkMode);
    m_State.FormFlags = flags;
}

void TextViewModel::OnInitialUpdate()
{
    m_ShowHexa = true;
    Show(TextForm::Text);
}

void TextViewModel::OnTextMode()
{
    m_State.BlockEnd = m_State.BlockAnchor;
    m_State.BlockMarked = 0;
    if (!m_ShowHexa)
        return;
    Show(TextForm::Text);
}

void TextViewModel::OnHexa()
{
    m_State.BlockEnd = m_State.BlockAnchor;
    m_State.BlockMarked = 0;
    if (m_ShowHexa)
        return;
    Show(TextForm::Hexa);
}

void TextViewModel::Show(TextForm form)
{
    m_ShowHexa = form == TextForm::Hexa;
    std::int32_t widest = 0;
    std::shared_ptr<const LineSource> lines;
    if (m_ShowHexa)
        lines = m_Doc.RenderHexDump(&widest);
    else
        lines = m_Doc.RenderTextLines(&widest);
    m_State.ShowSource(std::move(lines), widest);
    m_State.FormFlags = (m_State.FormFlags & ~kFormBits) | (m_ShowHexa ? kHex : kText);
    m_Doc.SetShownForm(form);
    m_State.FirstLine = 0;
    m_State.FirstColumn = 0;
}

void TextViewModel::SelectAll()
{
    // Past the widest line's last character (its CR LF not counted), so that
    // a block copy takes every character of every line.
    const std::int32_t width = std::max(0, m_State.WidestLine - 2);
    const auto lines = static_cast<std::int32_t>(std::min<std::size_t>(m_State.ShownLines().LineCount(), INT32_MAX));
    m_State.BlockAnchor = {0, 0};
    m_State.BlockEnd = {width * m_State.CharWidth, lines * m_State.LineHeight};
    NormalizeBlock(m_State);
}

std::string TextViewModel::Copy() const
{
    if (!m_State.BlockMarked)
        return {};
    return CopyTextBlock(m_State.ShownLines(), {m_State.BlockStart, m_State.BlockStop, m_State.BlockMode()});
}

bool TextViewModel::DragScroll(int x, int y, int clientWidth, int clientHeight)
{
    MeasurementViewState& s = m_State;
    const TextScrollInfo info = TextScrollRanges(s, clientWidth, clientHeight);
    const std::int32_t line = s.FirstLine;
    const std::int32_t column = s.FirstColumn;
    if (y < s.LineHeight)
        --s.FirstLine;
    else if (y > clientHeight - s.LineHeight)
        ++s.FirstLine;
    if (x < s.CharWidth)
        --s.FirstColumn;
    else if (x > clientWidth - s.CharWidth)
        ++s.FirstColumn;
    ClampTextScroll(s, info);
    return s.FirstLine != line || s.FirstColumn != column;
}

void TextViewModel::SetBlockMode(std::uint8_t mode)
{
    m_State.FormFlags = WithField(m_State.FormFlags, kBlockModeShift, 2, mode);
}

} // namespace orlu
