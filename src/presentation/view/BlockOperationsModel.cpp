#include "presentation/view/BlockOperationsModel.h"

#include <cstddef>

namespace orlu {
namespace {

constexpr int kRmsBox = 0;
constexpr int kSelBox = 3;

bool ValidBox(int i) { return i >= 0 && i < 4; }

} // namespace

bool DrawInBlockModel::BoxShown(int i) const
{
    return ValidBox(i) && (m_RmsSelShown != 0 || (i != kRmsBox && i != kSelBox));
}

bool DrawInBlockModel::BoxEnabled(int i) const
{
    // Without the RMS and SEL boxes the enable states are left as the dialog was made.
    return BoxShown(i) && (m_RmsSelShown == 0 || m_DrawEnabled[static_cast<std::size_t>(i)] != 0);
}

void DrawInBlockModel::ClickBox(int i)
{
    if (!BoxEnabled(i))
        return;
    std::int32_t& box = m_DrawChecks[static_cast<std::size_t>(i)];
    box = box ? 0 : 1;
}

bool BlockOperationsModel::ActionEnabled(std::uint8_t action) const
{
    switch (action) {
    case kBlockDelete: return m_DeleteEnabled != 0;
    case kBlockDeleteOutside: return m_DeleteOutsideEnabled != 0;
    case kBlockSave: return m_SaveEnabled != 0;
    case kBlockRemoveMarkers:
    case kBlockDoNothing:
    case kBlockDraw: return true;
    default: return false;
    }
}

void BlockOperationsModel::Press(std::uint8_t action)
{
    if (Ended || action == kBlockDraw || !ActionEnabled(action))
        return;
    m_Action = action;
    m_ShowNowCheck = ShowNowBox;
    Ended = true;
}

DrawInBlockModel BlockOperationsModel::DrawInBlock() const
{
    DrawInBlockModel draw;
    draw.m_RmsSelShown = m_RmsSelShown;
    for (std::size_t i = 0; i < draw.m_DrawChecks.size(); ++i) {
        draw.m_DrawEnabled[i] = m_DrawOffered[i];
        // A result that cannot be drawn shows unchecked, whatever was chosen before.
        draw.m_DrawChecks[i] = m_DrawOffered[i] && m_DrawChosen[i] ? 1 : 0;
    }
    return draw;
}

void BlockOperationsModel::DrawInBlockClosed(const DrawInBlockModel& draw)
{
    if (Ended || draw.m_Accepted != 1)
        return;
    m_DrawChosen = draw.m_DrawChecks;
    m_Action = kBlockDraw;
    m_ShowNowCheck = ShowNowBox;
    Ended = true;
}

void BlockOperationsModel::Escape()
{
    if (Ended)
        return;
    m_Action = kBlockNoAction;
    Ended = true;
}

} // namespace orlu
