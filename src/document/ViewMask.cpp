#include "document/ViewMask.h"

#include "document/headers/CurrentHeader.h"

namespace orlu {
namespace {

std::uint32_t Put(std::uint32_t mask, std::uint32_t bit, bool on)
{
    return on ? mask | bit : mask & ~bit;
}

} // namespace

std::uint32_t ViewMaskCurrent(const CurrentHeader& h, std::uint8_t fileKind, std::uint32_t mask)
{
    mask |= kViewMaskHeaderInfo;
    mask = Put(mask, kViewMaskMainResults, !h.timeHistory && !h.setupFile);
    if (h.setupFile) {
        mask |= kViewMaskAscii;
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
