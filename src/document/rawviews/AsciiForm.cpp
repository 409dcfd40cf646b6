#include "document/rawviews/AsciiFormWalk.h"
#include "document/rawviews/RawViews.h"

namespace orlu {

void WriteAsciiForm(const CTmDoc& doc, LineSink& out, UserInteraction& ui, ProgressState* progress)
{
    AsciiFormWalk walk(doc);
    std::string caption = walk.Caption();
    out.AddLine(caption);
    walk.Run({}, out, &ui, progress);
}

} // namespace orlu
