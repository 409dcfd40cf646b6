#include "analysis/statistics/ChannelScale.h"

#include "analysis/statistics/NonMetricFactor.h"
#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"

namespace orlu {

LinearScale ChannelLinearScale(const CTmDoc& doc)
{
    const LevelContext levels = doc.Levels();
    const CurrentChannel& ch = doc.Channel();
    const NonMetricFactor nonMetric =
        GetNonMetricFactor(levels.nonMetric, VibrationChannel{.inputKind = ch.inputKind,
                                                              .filter = ch.filter,
                                                              .function = ch.function,
                                                              .orlu505File = doc.IsLegacyDocument()});
    return LinearScale{.referenceExponent = GetReferenceExponent(levels, ch),
                       .offsetTenths = GetChannelOffset(levels, ch),
                       .microphone = ch.inputKind == kInputMicrophone,
                       .factor = nonMetric.applies ? nonMetric.factor : 1.0};
}

} // namespace orlu
