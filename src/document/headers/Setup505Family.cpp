// ORLU 505 ANALYZER-mode files in the document: decoding a sub-file's setup
// with what it needs of memory (the FFT workspace of the Time function, the
// reverberation records of octave files, the RecordIndex of a time history),
// the channel selection and the ViewMask.

#include "document/headers/Setup505Family.h"

#include "document/CTmDoc.h"
#include "document/ViewMask505.h"
#include "document/channel/Channel505Selection.h"
#include "document/headers/Setup505Decoder.h"

#include <algorithm>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kLoggerMemory = "Can't allocate memory for buffer/logger";
constexpr std::uint8_t kComputedThirdOctave = 1;
constexpr std::uint8_t kComputedOctave = 2;

} // namespace

LoadOutcome LoadSetup505Family(CTmDoc& doc)
{
    // A Multifile is decoded as its first file; the view decodes the file it shows.
    if (!doc.DecodeSetup505(0))
        return LoadOutcome::Rejected;
    if (doc.Analyzer().channelMode != kChannelMode505Single)
        doc.Select505Channel(0);
    doc.SetViewMask505();
    return LoadOutcome::Decoded;
}

bool CTmDoc::DecodeSetup505(std::uint16_t subfile)
{
    m_Analyzer.decoded = false;
    m_Analyzer.subfile = subfile;
    Setup505& s = m_Analyzer.setup;
    if (!DecodeSetup505Header(Reader(), SpanOf(subfile), m_SubKind != 0, s))
        return false;
    // A file whose lines only the E version writes makes the document one from now on, and it is
    // stored so; a sub-kind the file already had stays as it was.
    if (s.eVersion && m_SubKind == 0)
        m_SubKind = 1;
    if (!AllocAnalyzerWorkspace() || !MakeAnalyzerRecordIndex())
        return false;
    TakeSetup505(s, m_SubKind != 0, m_Current.channel);
    m_Analyzer.decoded = true;
    return true;
}

bool CTmDoc::IsAnalyzerDocument() const
{
    return FindFileKind(m_FileKind).Family == KindFamily::Setup505;
}

void CTmDoc::Select505Channel(int channel)
{
    if (m_Analyzer.decoded)
        orlu::Select505Channel(m_Analyzer.setup, channel, m_SubKind != 0, m_Current.channel);
}

void CTmDoc::SetViewMask505()
{
    m_ViewMask = ViewMask505(m_Analyzer.setup, m_FileKind, m_ViewMask);
}

bool CTmDoc::AllocAnalyzerWorkspace()
{
    Setup505& s = m_Analyzer.setup;
    const int n = static_cast<int>(s.fftSamples);
    if (s.function == kFunction505Time) {
        // Allocated once: a later decode of another sub-file keeps the first workspace.
        if (m_Analyzer.fft.samples == 0) {
            if (AllocFftBuffers(s.fftSamples, m_Analyzer.fft) != 0)
                return false;
            try {
                for (auto& b : m_Analyzer.sampleBuffers)
                    b.assign(2u * s.fftSamples, 0);
                for (auto& b : m_Analyzer.spectrumBuffers)
                    b.assign(8u * s.bandEnd + 16u, 0);
            } catch (const std::bad_alloc&) {
                m_Analyzer.fft = {};
                return false;
            }
        }
        const int filled = std::min(n, static_cast<int>(m_Analyzer.fft.samples));
        s.windowGain = FftWindowPower(static_cast<std::uint8_t>(s.window), m_Analyzer.fft.window.data(), filled,
                                      &s.windowPower);
    } else if (s.function == kFunction505Spectrum) {
        s.windowGain = FftWindowPower(static_cast<std::uint8_t>(s.window), nullptr, n, &s.windowPower);
    }

    // Numbered FFT spectra keep a record per line with the 1/3-octave set, when
    // the records of all channels fit in one piece of the pool (the container
    // reads a block no larger); longer spectra have no reverberation records.
    const bool fftRecords = s.function == kFunction505Spectrum && s.timeHistory && s.recordCount > 1 &&
                            std::uint64_t{s.channelCount} * s.bandEnd * kRtBandRecordSize <= PagePool::kChunkSize;
    if (s.rtBandCount == 0 && !fftRecords)
        return true;
    auto make = [&](RtSet set, std::uint32_t bands, std::uint8_t flag) {
        if (bands == 0)
            return true;
        const RtAlloc made = AllocRtBandRecords(m_Pool, m_Rt[set], s.channelCount, bands, s.timeStep, flag);
        // A block of another size than the file needs is dropped, not read past its end.
        if (made == RtAlloc::BlockMismatch)
            ReportLoadError(Ui(), m_FileName, kLoadImproperContents);
        return made != RtAlloc::OutOfMemory;
    };
    if (fftRecords)
        return make(kRtThirdOctave, s.bandEnd, kComputedThirdOctave);
    if (s.function == kFunction505ThirdOctave)
        return make(kRtThirdOctave, static_cast<std::uint32_t>(s.rtBandCount), kComputedThirdOctave) &&
               make(kRtOctave, static_cast<std::uint32_t>(s.rtOctaveBandCount), kComputedOctave);
    return make(kRtOctave, static_cast<std::uint32_t>(s.rtBandCount), kComputedOctave);
}

bool CTmDoc::MakeAnalyzerRecordIndex()
{
    const Setup505& s = m_Analyzer.setup;
    // An edited file brings its own index; otherwise the records are numbered 1 to N,
    // anew for each sub-file decoded.
    if (!s.timeHistory || (m_RecordIndexPresent && !m_Analyzer.ownRecordIndex))
        return true;
    try {
        m_RecordIndex.clear();
        m_RecordIndex.AppendRun(1, s.recordCount);
    } catch (const std::bad_alloc&) {
        m_RecordIndex.clear();
        m_RecordIndexPresent = false;
        Ui().ShowMessage(kLoggerMemory, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    m_RecordIndexPresent = s.recordCount > 0;
    m_Analyzer.ownRecordIndex = true;
    return true;
}

} // namespace orlu
