#include "graph/PlotStateDocument.h"

#include "document/RtBandRecords.h"

namespace orlu {

void PlotStateDocument::StoreUserIntervalEnd(std::int32_t record, double level)
{
    if (RtRecord.size() < kRtBandRecordSize)
        return; // a state without a record has nothing to keep it in
    PutRtField(std::span(RtRecord), rtrec::kUserLast, record);
    PutRtField(std::span(RtRecord), rtrec::kUserLastLevel, level);
    RtModified = true;
}

} // namespace orlu
