#include "presentation/view/RtGraphOptionsModel.h"

namespace orlu {

void RtGraphOptionsModel::ChooseMethod(int method)
{
    EdtCheck = method == 1;
    Rt20Check = method == 2;
    Rt30Check = method == 3;
    RtUserCheck = method == 4;
}

void RtGraphOptionsModel::Defaults()
{
    StartWithTotalCheck = 1;
    ChooseMethod(4);
    ManualT0Check = 0;
}

std::uint8_t RtGraphOptionsModel::VisualAid() const
{
    return static_cast<std::uint8_t>(EdtCheck + 2 * Rt20Check + 3 * Rt30Check + 4 * RtUserCheck);
}

} // namespace orlu
