#include "link/LinkTiming.h"

namespace orlu {

LinkTiming LinkTiming::Fast()
{
    LinkTiming timing;
    constexpr Millis kDeadline(200);
    // A byte deadline is multiplier + constant: all of it in the constant.
    for (ComTimeouts& profile : timing.com)
        profile = {kDeadline, Millis(0), kDeadline, Millis(0), kDeadline};
    timing.usbPerByte = kDeadline;
    timing.afterModeSwitch = timing.betweenRemoteItems = timing.afterRemoteItems = Millis(0);
    timing.beforeUploadMessage = timing.beforeOverwriteQuestion = Millis(0);
    timing.writePauses = false;
    return timing;
}

bool LinkTiming::FromName(std::string_view name, LinkTiming& timing)
{
    if (name == "standard")
        timing = Standard();
    else if (name == "fast")
        timing = Fast();
    else
        return false;
    return true;
}

} // namespace orlu
