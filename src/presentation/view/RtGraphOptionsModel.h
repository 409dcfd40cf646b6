#pragma once
// The option dialog of the reverberation procedure's graph: the print zoom,
// autoscaling, where the procedure starts and which method the graph shows
// (exactly one of EDT, RT20, RT30 and the user interval).

#include <cstdint>

namespace orlu {

class RtGraphOptionsModel {
public:
    std::int32_t EdtCheck = 0;
    std::int32_t Rt20Check = 0;
    std::int32_t Rt30Check = 0;
    std::int32_t RtUserCheck = 0;
    std::int32_t StartWithTotalCheck = 0;
    std::int32_t ManualT0Check = 0;
    std::int32_t NoAutoScaleCheck = 0;
    std::uint8_t PrintZoom = 1;

    /// Shows method 1 (EDT) .. 4 (user interval) alone.
    void ChooseMethod(int method);
    void Defaults();
    /// The visual aid code of the boxes: EDT + 2 RT20 + 3 RT30 + 4 RTuser.
    std::uint8_t VisualAid() const;
};

} // namespace orlu
