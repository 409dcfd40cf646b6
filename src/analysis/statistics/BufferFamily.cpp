#include "analysis/statistics/BufferFamily.h"

namespace orlu {

std::unique_ptr<BufferFamily> BufferFamilyOf(CTmDoc& doc)
{
    if (auto legacy = LegacyBufferFamily(doc))
        return legacy;
    return AnalyzerBufferFamily(doc);
}

} // namespace orlu
