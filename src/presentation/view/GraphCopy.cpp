#include "presentation/view/GraphCopy.h"

#include "document/ViewComputations.h"

#include <algorithm>

namespace orlu {

GraphCopySize PlotCopySize(const GraphViewState& view, int panels)
{
    const GraphPageSize page = ComputeGraphPageSize(view.GraphScale, view.MultiElement != 0, view.RtMode != 0,
                                                    view.GraphSizeIndex != 0, view.Geometry);
    return {std::max(0, page.width), std::max(0, panels) * std::max(0, view.GraphHeight)};
}

} // namespace orlu
