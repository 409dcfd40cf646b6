#include "reports/common/ReportColumnTitles.h"

namespace orlu {

const std::array<std::string_view, kReportColumnTitleCount> ReportColumnTitles =
    std::to_array<std::string_view>({
        /*  0 */ " File     ",
        /*  1 */ "        Start       ",
        /*  2 */ " Chan",
        /*  3 */ " Prof",
        /*  4 */ " Filter Detect Time     | units |",
        /*  5 */ " Fun  Filter Time     | units |",
        /*  6 */ " Result  ",
        /*  7 */ " yy/mm/dd ",
        /*  8 */ " hh:mm'ss ",
        /*  9 */ "date      ",
        /* 10 */ "yy/mm/dd  ",
        /* 11 */ "hour      ",
        /* 12 */ "hh:mm'ss  ",
        /* 13 */ "   hh:mm'ss",
        /* 14 */ "                    hh:mm'ss |       |",
        /* 15 */ "              hh:mm'ss |       |",
        /* 16 */ "             hh:mm'ss |       |",
    });

} // namespace orlu
