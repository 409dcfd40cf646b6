#include "analysis/spectra/LoggedSpectra.h"

#include "document/headers/HeaderRecord.h"

namespace orlu {

int LoggedBandKind(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    if (!doc.HeaderDecoded() || doc.AnalyzerDecoded() || h.model.FourChannel || !h.timeHistory ||
        h.spectraInBuffer == 0 || h.spectrumCount <= 0)
        return 0;
    switch (h.bandKind) {
    case kBandFft: return 2;
    case kBandOctave11: return 3;
    case kBandOctave13: return 4;
    default: return 0;
    }
}

std::optional<SpectrumWalk> LoggedSpectrumWalk(const CTmDoc& doc)
{
    const int kind = LoggedBandKind(doc);
    if (kind == 0)
        return std::nullopt;
    const CurrentHeader& h = doc.Header();
    const std::uint32_t values = h.bandCount + (kind == 2 ? 1u : 0u);
    // The rows follow the buffer header 15 directly.
    const Rec header = Located(doc.Reader(), h.bufferRecord);
    if (!header || h.rowLength < values + 1 || values == 0)
        return std::nullopt;
    SpectrumWalk walk;
    walk.firstValue = header.End() + (h.rowLength - values);
    walk.stride = h.rowLength;
    walk.records = static_cast<std::uint32_t>(h.spectrumCount);
    walk.values = values;
    return walk;
}

} // namespace orlu
