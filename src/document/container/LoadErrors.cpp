#include "document/container/LoadErrors.h"

#include "document/DocMessageTable.h"
#include "platform/ValueFormat.h"

#include <string>

namespace orlu {

std::string_view LoadErrorText(LoadError n)
{
    return DocMessageTable[kMsgFirstLoadError + static_cast<int>(n)];
}

void ReportLoadError(UserInteraction& ui, const Archive& archive, LoadError n)
{
    ReportLoadError(ui, archive.FileName(), n);
}

void ReportLoadError(UserInteraction& ui, std::string_view fileName, LoadError n)
{
    std::string text(LoadErrorText(n));
    std::string name(fileName);
    ui.ShowMessage(StrPrintf("%s%s%s", name.c_str(), "  -  ", text.c_str()), kMessageCaption, MessageButtons::Ok,
                   MessageIcon::Warning);
}

} // namespace orlu
