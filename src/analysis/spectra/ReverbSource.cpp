#include "analysis/spectra/ReverbSource.h"

#include "analysis/spectra/LoggedSpectra.h"
#include "analysis/spectra/OctaveForms.h"
#include "analysis/spectra/ReverbTime.h"
#include "document/channel/FourChannelSelection.h"
#include "document/tables/BandTables.h"

#include <algorithm>

#include <new>

namespace orlu {

namespace {

// A four-channel logger of FFT spectra: the lines and the TOTAL of its reverberation
// channel, the first.
std::optional<ReverbSource> FourChannelDecaySource(const CTmDoc& doc, int bandKind, int channel)
{
    const std::optional<SpectrumWalk> walk = FourChannelSpectrumWalk(doc, channel);
    if (bandKind != kReverbFftLines || channel != 0 || !walk || walk->records < 2)
        return std::nullopt;
    const ChannelSetup& setup = doc.Header().fourChannel.channels[0];
    ReverbSource source;
    source.set = CTmDoc::kRtThirdOctave;
    source.walk = *walk;
    source.bands = walk->values;
    const double spacing = FourChannelLineSpacing(setup);
    for (std::size_t b = 0; b < source.bands; ++b) {
        if (b >= setup.fftWords[0])
            source.totalNames.emplace_back("TOTAL");
        source.centres.push_back(static_cast<double>(b) * spacing);
    }
    return source;
}

// A current-family logger of spectra: its one channel, every value of its spectra (the
// bands and the totals after them, or the FFT lines and the TOTAL the file stores).
std::optional<ReverbSource> LoggedDecaySource(const CTmDoc& doc, int bandKind, int channel)
{
    if (doc.HeaderDecoded() && doc.Header().model.FourChannel)
        return FourChannelDecaySource(doc, bandKind, channel);
    const std::optional<SpectrumWalk> walk = LoggedSpectrumWalk(doc);
    const int kind = LoggedBandKind(doc);
    const bool folded = bandKind == kReverbOctaves && kind == kReverbThirdOctaves;
    if (!walk || (kind != bandKind && !folded) || channel != 0 || walk->records < 2)
        return std::nullopt;
    const CurrentHeader& h = doc.Header();
    if (folded) {
        // The octaves the 1/1-octave view folds from the thirds, and the totals after them:
        // their centres and names come with the folded spectra.
        ReverbSource source;
        source.set = CTmDoc::kRtOctave;
        source.walk = *walk;
        source.folded = true;
        source.bands = static_cast<std::size_t>(std::max(h.octaveTotal, 0));
        return source;
    }
    const bool fft = bandKind == kReverbFftLines;
    ReverbSource source;
    source.set = bandKind == kReverbOctaves ? CTmDoc::kRtOctave : CTmDoc::kRtThirdOctave;
    source.thirdOctaves = bandKind == kReverbThirdOctaves;
    source.walk = *walk;
    source.bands = fft ? h.bandCount + (h.fftExtraLine != 0 ? 1u : 0u) : walk->values;
    const std::size_t named = fft ? h.bandCount : bandKind == kReverbOctaves ? h.octaveBandsShown : h.thirdBandsShown;
    const std::span<const double> table = ThirdOctaveCentres();
    const std::size_t step = bandKind == kReverbOctaves ? 3 : 1;
    for (std::size_t b = 0; b < source.bands; ++b) {
        // A 1/1 band's centre is the middle one of its three thirds.
        const std::size_t at = static_cast<std::size_t>(std::max(h.bandTableIndex, 0)) + (step == 3 ? 1 : 0) + b * step;
        if (b >= named)
            source.totalNames.push_back(fft ? "TOTAL" : h.totalNames.At(static_cast<long>(b - named)));
        source.centres.push_back(fft ? h.fftFirstHz + static_cast<double>(b) * h.firstFrequency
                                     : at < table.size() ? table[at] : 0.0);
    }
    return source;
}

} // namespace

std::optional<ReverbSource> DecaySourceOf(const CTmDoc& doc, int bandKind, int channel)
{
    if (!doc.AnalyzerDecoded())
        return LoggedDecaySource(doc, bandKind, channel);
    const Setup505& s = doc.Analyzer();
    const bool octaveFile = s.function == kFunction505Octave;
    const bool thirdFile = s.function == kFunction505ThirdOctave;
    const bool fftFile = s.function == kFunction505Spectrum;
    // The octaves a 1/3-octave file folds are not evaluated here.
    const bool fits = (octaveFile && bandKind == kReverbOctaves) || (thirdFile && bandKind == kReverbThirdOctaves) ||
                      (fftFile && bandKind == kReverbFftLines);
    if (!fits || !s.timeHistory || s.recordCount < 2 || channel < 0 || channel >= s.channelCount)
        return std::nullopt;
    ReverbSource source;
    source.set = octaveFile ? CTmDoc::kRtOctave : CTmDoc::kRtThirdOctave;
    source.thirdOctaves = thirdFile;
    if (fftFile) {
        source.bands = s.bandEnd;
    } else if (s.rtFirstBand >= 0 && s.rtBandCount > 0) {
        source.firstBand = static_cast<std::size_t>(s.rtFirstBand);
        source.bands = static_cast<std::size_t>(s.rtBandCount);
    } else {
        return std::nullopt;
    }
    source.recordOffset = static_cast<std::size_t>(channel) * source.bands * kRtBandRecordSize;
    // Each channel's spectrum follows its record number.
    const auto c = static_cast<std::uint32_t>(channel);
    source.walk.firstValue = s.SpectrumAt(0) + c * (s.bandEnd + 1u) + 1u;
    source.walk.stride = s.RecordWords();
    source.walk.records = s.recordCount;
    source.walk.values = s.bandEnd;
    // FFT lines from the axis start; the 1/1 bands sit at every third centre
    // of the table the setup points at.
    const std::size_t step = octaveFile ? 3 : 1;
    const std::size_t first = octaveFile ? 1 : 0;
    for (std::size_t b = 0; b < source.bands; ++b) {
        const std::size_t at = first + (source.firstBand + b) * step;
        if (fftFile)
            source.centres.push_back(s.axisStartHz + static_cast<double>(b) * s.lineSpacingHz);
        else
            source.centres.push_back(at < s.bandFrequencies.size() ? s.bandFrequencies[at] : 0.0);
    }
    return source;
}

std::optional<ReverbSource> ReverbSourceOf(const CTmDoc& doc, int bandKind, int channel)
{
    std::optional<ReverbSource> source = DecaySourceOf(doc, bandKind, channel);
    if (!source)
        return std::nullopt;
    const RtBandSet& set = doc.Rt(source->set);
    if (!set.Current || source->recordOffset + source->bands * kRtBandRecordSize > set.CurrentBytes)
        return std::nullopt;
    return source;
}

std::span<std::uint8_t> ReverbRecords(CTmDoc& doc, const ReverbSource& source)
{
    RtBandSet& set = doc.Rt(source.set);
    return {set.Current + source.recordOffset, source.bands * kRtBandRecordSize};
}

int ComputeReverbTime(const ImageReader& image, const ReverbSource& source, std::span<std::uint8_t> records,
                      bool smoothed)
{
    DecayCurves curves;
    try {
        // Band and line levels in dB are the stored levels: no conversion.
        curves = ReadDecayCurves(image, source.walk, source.firstBand, source.bands, {});
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (curves.Bands() == 0)
        return 0;
    EvaluateReverbTime(records, curves, smoothed);
    return 1;
}

namespace {

// Record r (from 0) of a 1/3-octave logger folded into octaves in dB, as the 1/1-octave
// view shows it; none when it cannot be read.
std::optional<OctaveSpectrum> FoldedRecord(CTmDoc& doc, std::uint32_t r)
{
    OctaveChoices choices;
    // The level in dB: unit option 0 for a microphone, 1 for the other inputs.
    choices.units = doc.Channel().inputKind == kInputMicrophone ? 0 : 1;
    return ReadOctaves(doc, {static_cast<int>(r) + 1, 0, kDetectorRms}, choices);
}

// The decays of the folded octaves, reading each record once for all of them.
int ComputeFolded(CTmDoc& doc, const ReverbSource& source, bool smoothed)
{
    DecayCurves curves;
    try {
        curves = DecayCurves(source.bands, source.walk.records);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    std::vector<double> levels(source.bands);
    for (std::uint32_t r = 0; r < source.walk.records; ++r) {
        const std::optional<OctaveSpectrum> o = FoldedRecord(doc, r);
        if (!o)
            return 0;
        std::fill(levels.begin(), levels.end(), 0.0);
        std::copy_n(o->values.values.begin(), std::min(levels.size(), o->rows), levels.begin());
        curves.SetRecord(r, levels);
    }
    EvaluateReverbTime(ReverbRecords(doc, source), curves, smoothed);
    return 1;
}

} // namespace

int ComputeReverbTime(CTmDoc& doc, int channel, bool smoothed, int bandKind)
{
    const std::optional<ReverbSource> source = ReverbSourceOf(doc, bandKind, channel);
    if (source && source->folded)
        return ComputeFolded(doc, *source, smoothed);
    return source ? ComputeReverbTime(doc.Reader(), *source, ReverbRecords(doc, *source), smoothed) : 0;
}

std::optional<ReverbTimeReport> ReverbReportOf(CTmDoc& doc, int channel, bool smoothed, int bandKind)
{
    std::optional<ReverbSource> source = ReverbSourceOf(doc, bandKind, channel);
    if (!source)
        return std::nullopt;
    if (source->folded) {
        const std::optional<OctaveSpectrum> first = FoldedRecord(doc, 0);
        if (!first)
            return std::nullopt;
        for (std::size_t b = 0; b < source->bands; ++b) {
            source->centres.push_back(b < first->centres.size() ? first->centres[b] : 0.0);
            if (b >= first->bandRows)
                source->totalNames.push_back(doc.Header().totalNames.At(static_cast<long>(b - first->bandRows)));
        }
    }
    ReverbTimeReport report;
    report.thirdOctaves = source->thirdOctaves;
    report.smoothed = smoothed;
    report.records = source->walk.records;
    const std::span<const std::uint8_t> records = ReverbRecords(doc, *source);
    const std::size_t named = source->bands - source->totalNames.size();
    for (std::size_t b = 0; b < source->bands; ++b)
        report.rows.push_back({source->centres[b], b < named ? std::string{} : source->totalNames[b - named],
                               records.subspan(b * kRtBandRecordSize, kRtBandRecordSize)});
    return report;
}

} // namespace orlu
