#pragma once
// The view's switches of the Tools menu and the graph options that have no
// place elsewhere: the step-by-step reverberation procedure, the methods it
// shows, the phase spectrum and the graph form's option boxes.

#include "presentation/view/InitialGraphFields.h"

#include <array>
#include <cstdint>

namespace orlu {

/// The reverberation method the graph shows: EDT, RT20, RT30 or the user interval.
enum class VisualAidMethod : std::uint8_t { None = 0, Edt = 1, Rt20 = 2, Rt30 = 3, User = 4 };

struct ToolsFields {
    std::uint8_t RtStep = 0;          ///< the step of the reverberation procedure reached
    std::array<std::int32_t, 4> RtMarks{}; ///< t0 .. t3 of the shown band, as its record holds them
    std::uint8_t VisualAid = 3;       ///< VisualAidMethod shown
    std::int32_t RtShowEdt = 0;
    std::int32_t RtShowRt20 = 0;
    std::int32_t RtShowRt30 = 1;
    std::int32_t RtShowUser = 0;
    std::int32_t RtSmoothingUsed = 0; ///< the smoothing the last computation ran with
    std::int32_t StartWithTotals = 0; ///< the procedure starts on the total band
    std::int32_t ManualT0 = 0;        ///< t0 is marked by hand, not one second before t1
    std::int32_t PhaseSpectrum = 0;
    std::int32_t GraphTotals = 0;     ///< "Plot total(s)" of the graph options
    std::int32_t NoAutoScale = 0;     ///< "Disable autoscaling"
    std::int32_t SolidBars = 0;
    std::uint8_t PrintZoom = 1;       ///< 1..16
    std::uint8_t PrintPitch = 16;     ///< 1..48, the printed text
    ViewMultiElementOptions MultiOptions;
};

} // namespace orlu
