#include "reports/common/VdvFilterTable.h"

namespace orlu {

const std::array<std::uint8_t, kVdvFilterCount> VdvFilterTable = {
    0,                            // 0
    1, 1, 1,                      // 1-3 HP1, HP3, HP10
    0, 0, 0, 0,                   // 4-7 Vel1, Vel3, Vel10, VelMF
    0, 0, 0,                      // 8-10 Dil1, Dil3, Dil10
    1, 1, 1, 1,                   // 11-14 W-Bxy, W-Bz, H-A, W-Bc
    0,                            // 15 KB
    1, 1, 1, 1, 1, 1, 1, 1,       // 16-23 Wk, Wd, Wc, Wj, Wm, Wh, Wg, Wb
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 24-33
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 34-43
    0, 0, 0, 0, 0, 0,             // 44-49
    1, 1, 1,                      // 50-52 R1, R2, R3
    0, 0, 0,                      // 53-55
};

bool FilterHasVdv(long code)
{
    return code >= 0 && code < kVdvFilterCount && VdvFilterTable[static_cast<std::size_t>(code)] != 0;
}

} // namespace orlu
