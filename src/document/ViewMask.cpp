#include "document/ViewMask.h"

#include "document/Subfiles.h"
#include "document/headers/CurrentHeader.h"

namespace orlu {
namespace {

constexpr std::uint8_t kKindMergedWithoutStatistics = 60;
constexpr std::uint16_t kOctaveBits = 0x0008;
constexpr std::uint16_t kThirdOctaveBits = 0x0010;

std::uint32_t Put(std::uint32_t mask, std::uint32_t bit, bool on)
{
    return on ? mask | bit : mask & ~bit;
}

// The bits of a merged document from the scan of its sub-files.
std::uint32_t MergedBits(SubfileContents& c, std::uint8_t fileKind, std::uint32_t mask)
{
    GroupRange& octave = c.Group(ContentGroup::Octave);
    const GroupRange& third = c.Group(ContentGroup::ThirdOctave);
    if (fileKind == kKindMergedWithoutStatistics) {
        c.Group(ContentGroup::OctaveStats).found = false;
        c.Group(ContentGroup::OtherBandStats).found = false;
        mask = Put(mask, kViewMaskOctave13, third.found);
        mask = Put(mask, kViewMaskOctave11, octave.found);
        mask = Put(mask, kViewMaskSpectra, c.Group(ContentGroup::Fft).found);
        mask &= ~(kViewMaskIntersections | kViewMaskBuffer | kViewMaskDensities | kViewMaskHistograms);
        mask = Put(mask, kViewMaskStatLevels, c.Group(ContentGroup::Statistics).found);
        return mask & ~kViewMaskAscii;
    }
    // 1/1 octaves are shown from 1/3-octave spectra when no file has its own.
    if (third.found && !octave.found) {
        octave.found = true;
        octave.first = third.first;
        octave.last = third.last;
        for (std::uint16_t& bits : c.bits)
            if (bits & kThirdOctaveBits)
                bits |= kOctaveBits;
    }
    mask = Put(mask, kViewMaskOctave13, third.found);
    mask = Put(mask, kViewMaskOctave11, octave.found);
    mask = Put(mask, kViewMaskSpectra, c.Group(ContentGroup::Fft).found);
    const bool statistics = c.Group(ContentGroup::Histogram).found || c.Group(ContentGroup::OctaveStats).found ||
                            c.Group(ContentGroup::OtherBandStats).found;
    mask = Put(mask, kViewMaskHistograms, statistics);
    mask = Put(mask, kViewMaskDensities, statistics);
    // Levels are offered only when a sub-file holds them: stored statistical levels or band
    // statistics. A histogram alone gives the Histograms and Densities views, not Levels.
    mask = Put(mask, kViewMaskStatLevels,
               c.Group(ContentGroup::Statistics).found || c.Group(ContentGroup::OctaveStats).found ||
                   c.Group(ContentGroup::OtherBandStats).found);
    // Each file's logger is shown on its own (not those of the four-channel files above).
    mask = Put(mask, kViewMaskBuffer, c.Group(ContentGroup::Buffer).found);
    return mask & ~kViewMaskAscii;
}

} // namespace

std::uint32_t ViewMaskCurrent(const CurrentHeader& h, std::uint8_t fileKind, std::uint32_t mask,
                              SubfileContents* merged)
{
    mask |= kViewMaskHeaderInfo;
    mask = Put(mask, kViewMaskMainResults, !h.timeHistory && !h.setupFile);
    if (h.setupFile) {
        mask |= kViewMaskAscii;
    } else if (merged && IsCurrentMultifileKind(fileKind)) {
        mask = MergedBits(*merged, fileKind, mask);
    } else {
        const bool fourChannel = fileKind == 42 || (fileKind == 50 && h.model.FourChannel);
        const bool history = h.timeHistory;
        const bool logged = h.spectraInBuffer != 0 && h.declaredCount > 0;
        // A four-channel recording (record 43) leaves the spectra and statistics items as they are.
        const bool recording = fourChannel && h.fourChannel.waveform;
        bool octave13 = false, octave11 = false, spectra = false;
        if (fourChannel) {
            octave13 = h.function == kFunctionOctave13 && (!history || logged);
            octave11 = (h.function == kFunctionOctave11 && (!history || logged)) || octave13;
            spectra = h.function == kFunctionFft && h.fourChannel.fftMask != 0;
        } else {
            const bool group = h.model.Family515 || h.model.Family525 || h.model.Family530 || h.model.Family535;
            octave13 = h.function == kFunctionOctave13 && group && (!history || logged);
            octave11 = (h.function == kFunctionOctave11 && !history) ||
                       (h.function == kFunctionOctave11 && history && logged && group) || octave13;
            if (!history)
                spectra = ((h.function == kFunctionFft || h.function == kFunctionEnveloping) &&
                           (h.model.Family525 || h.model.Family530 || h.model.Family535)) ||
                          (h.function == kFunctionTonality && (h.model.Family525 || h.model.Family535));
            else
                spectra = h.bandKind == kBandFft && h.spectrumCount > 0;
        }
        if (!recording) {
            mask = Put(mask, kViewMaskOctave13, octave13);
            mask = Put(mask, kViewMaskOctave11, octave11);
            mask = Put(mask, kViewMaskSpectra, spectra);
            mask = Put(mask, kViewMaskIntersections,
                       history && (spectra || octave11 || octave13) && h.spectrumCount > 1);
        }
        const bool buffer = history && h.resultsPerBufferRecord > 0 && h.declaredCount > 0;
        mask = Put(mask, kViewMaskBuffer, buffer);
        if (!recording) {
            const bool histograms = h.histogramFlag || buffer;
            mask = Put(mask, kViewMaskHistograms, histograms);
            mask = Put(mask, kViewMaskDensities, histograms);
            mask = Put(mask, kViewMaskStatLevels, h.statisticsFlag || histograms);
        }
        mask |= kViewMaskAscii;
        if (!fourChannel)
            mask = Put(mask, kViewMaskUserFilters, h.userFilters);
    }
    return (mask | kViewMaskHexa) & ~kViewMaskSettings;
}

} // namespace orlu
