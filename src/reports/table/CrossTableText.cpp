#include "reports/table/CrossTableText.h"

#include "reports/common/ReportCaptionTable.h"


namespace orlu {

std::string_view CaptionRow(int row)
{
    return row >= 0 && row < kReportCaptionCount ? ReportCaptionTable[static_cast<std::size_t>(row)]
                                                 : std::string_view();
}

int MaskChannel(std::uint16_t mask, std::size_t n)
{
    int last = -1;
    for (int bit = 0; bit < 16; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        if (n == 0)
            return bit;
        --n;
        last = bit;
    }
    return last + 1 + static_cast<int>(n);
}

} // namespace orlu
