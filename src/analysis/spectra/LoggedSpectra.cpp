#include "analysis/spectra/LoggedSpectra.h"

#include "document/headers/HeaderRecord.h"

#include <cstdint>

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

std::optional<SpectrumWalk> FourChannelSpectrumWalk(const CTmDoc& doc, int channel)
{
    const CurrentHeader& h = doc.Header();
    const FourChannelSetup& f = h.fourChannel;
    if (!doc.HeaderDecoded() || !h.model.FourChannel || !h.timeHistory || h.spectraInBuffer == 0 ||
        h.spectrumCount <= 0 || channel < 0 || channel >= h.channelCount || (f.fftMask & (1u << channel)) == 0)
        return std::nullopt;
    std::uint64_t offset = f.rowLengthCopy;
    for (int c = 0; c < channel; ++c) {
        const ChannelSetup& before = f.channels[static_cast<std::size_t>(c)];
        if ((f.fftMask & (1u << c)) != 0 && before.fftWords[0] != 0)
            offset += std::uint64_t{before.fftWords[0]} + before.fftWords[1] + 1u;
    }
    const ChannelSetup& own = f.channels[static_cast<std::size_t>(channel)];
    const std::uint32_t values = own.fftWords[0] + (own.fftWords[1] != 0 ? 1u : 0u);
    // The logger's word 1 gives the rows' byte position.
    const std::uint32_t data = f.dataPosition;
    if (data == 0 || own.fftWords[0] == 0 || offset + 1 + values > h.rowLength || data + offset + 1 > UINT32_MAX)
        return std::nullopt;
    SpectrumWalk walk;
    walk.firstValue = static_cast<std::uint32_t>(data + offset + 1);
    walk.stride = h.rowLength;
    walk.records = static_cast<std::uint32_t>(h.spectrumCount);
    walk.values = values;
    return walk;
}

} // namespace orlu
