#include "analysis/spectra/FftSpectrumReader.h"

#include "analysis/spectra/LoggedSpectra.h"
#include "analysis/spectra/SpectraFunction.h"
#include "analysis/spectra/WaveformBlock.h"
#include "document/CTmDoc.h"
#include "document/Subfiles.h"
#include "document/headers/CurrentHeader.h"
#include "document/headers/HeaderRecord.h"
#include "document/headers/Setup505.h"
#include "document/units/LevelUnits.h"
#include "platform/ValueFormat.h"

#include <cmath>

namespace orlu {
namespace {

// The smallest power a spectra function shows: its level is -100 dB plus the reference.
constexpr double kPowerFloor = 1e-10;

bool Is505Fft(const CTmDoc& doc)
{
    return doc.AnalyzerDecoded() &&
           (doc.Analyzer().function == kFunction505Time || doc.Analyzer().function == kFunction505Spectrum);
}

// The channel a caption names and whose scale converts the levels: A for the spectrum and
// autospectrum of A, else B.
int ShownChannel(const FftSpectrumRequest& r)
{
    return r.function == 1 || r.function == 3 ? r.channelA : r.channelB;
}

std::string Caption(const CTmDoc& doc, const FftSpectrumRequest& r, int records)
{
    std::string caption = std::string(SpectraFunctionCaption(r.function)) + std::string(SpectraOutputCaption(r.form));
    if (records > 1)
        caption += StrPrintf(" No.%u ", static_cast<unsigned>(r.record));
    if (doc.Analyzer().channelCount > 1) {
        if (r.function > 4) {
            const bool aFirst = r.function != 6;
            caption += StrPrintf("  Channel #%d / #%d", (aFirst ? r.channelA : r.channelB) + 1,
                                 (aFirst ? r.channelB : r.channelA) + 1);
        } else {
            caption += StrPrintf("  Channel #%d", ShownChannel(r) + 1);
        }
    }
    return caption;
}

FftLines LinesOf(const CTmDoc& doc, const Setup505& s, int quantity, double windowFactor)
{
    FftLines lines;
    lines.lines = s.bandEnd;
    lines.start = s.axisStartHz;
    lines.resolution = s.lineSpacingHz;
    lines.windowFactor = windowFactor;
    lines.channel = {doc.Channel().inputKind, GetChannelOffset(doc.Levels(), doc.Channel()), doc.NonMetric() != 0};
    lines.quantity = quantity;
    return lines;
}

// A stored spectrum: L words of 0.1 dB of the record's channel.
std::optional<std::vector<double>> ReadStored(const CTmDoc& doc, const Setup505& s, const FftSpectrumRequest& r)
{
    const std::uint32_t t = s.timeHistory ? 1 : 0;
    const std::uint64_t first = std::uint64_t{s.SpectrumAt(static_cast<std::uint32_t>(r.record - 1))} + t +
                                std::uint64_t{static_cast<std::uint32_t>(ShownChannel(r))} * (s.bandEnd + t);
    const ImageReader image = doc.Reader();
    if (!image.HasWords(first, s.bandEnd))
        return std::nullopt;
    std::vector<double> values(s.bandEnd);
    for (std::uint32_t i = 0; i < s.bandEnd; ++i)
        values[i] = image.SignedWord(static_cast<std::uint32_t>(first + i)) / 10.0;
    return values;
}

std::optional<std::vector<double>> ComputeFromWaveforms(const CTmDoc& doc, const Setup505& s, FftWorkspace& workspace,
                                                        const FftSpectrumRequest& r)
{
    const WaveformBlock w = WaveformBlock::Of(s);
    if (!w.Usable(s.bandEnd) || !workspace.Prepare(w.n, s.bandEnd, r.window))
        return std::nullopt;
    const ImageReader image = doc.Reader();
    const std::optional<std::uint64_t> block = w.At(s, image, r.record);
    if (!block)
        return std::nullopt;
    const std::vector<std::int16_t> a = SpectraFunctionReadsA(r.function) ? w.Samples(image, *block, r.channelA)
                                                                          : std::vector<std::int16_t>{};
    const std::vector<std::int16_t> b = SpectraFunctionReadsB(r.function) ? w.Samples(image, *block, r.channelB)
                                                                          : std::vector<std::int16_t>{};
    std::vector<double> out(s.bandEnd), phase(s.bandEnd);
    if (workspace.Compute(r.function, a, b, r.form, out, phase) != 0)
        return std::nullopt;
    if (r.form == kOutputPhase)
        return phase;
    const double offset = GetChannelOffset(doc.Levels(), doc.Channel());
    for (double& p : out) {
        if (!(p >= kPowerFloor)) // NaN included
            p = kPowerFloor;
        // Whole tenths of a dB, as the instrument stores its own spectra.
        p = std::trunc(100.0 * std::log10(p) + doc.Channel().spectrumDbOffset) / 10.0;
        if (offset != 0)
            p -= offset / 10.0;
    }
    return out;
}

// A current-family file of FFT spectra: one spectrum behind its setup 17, or a logger
// whose buffer rows each end in a spectrum. Four-channel files keep theirs per channel.
bool IsCurrentFft(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    if (!doc.HeaderDecoded() || !h.fftPresent || h.model.FourChannel)
        return false;
    if (h.function == kFunctionTonality)
        return h.tonality && !h.timeHistory;
    if (h.function != kFunctionFft)
        return false;
    return !h.timeHistory || (h.spectraInBuffer != 0 && h.bandKind == kBandFft && h.spectrumCount > 0);
}

// A four-channel file of FFT spectra: each channel of the FFT mask keeps its own, in its
// record 17 or, as a logger, in a block of every row.
bool IsFourChannelFft(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    return doc.HeaderDecoded() && !doc.AnalyzerDecoded() && h.model.FourChannel && h.function == kFunctionFft &&
           h.fourChannel.fftMask != 0 && (!h.timeHistory || h.spectraInBuffer != 0);
}

// The spectrum of channel A: its lines and, with the extra-line word, the TOTAL after them.
// The channel stays selected.
std::optional<FftSpectrumRead> ReadFourChannel(CTmDoc& doc, const FftSpectrumRequest& r)
{
    const CurrentHeader& h = doc.Header();
    const FourChannelSetup& f = h.fourChannel;
    const int records = h.timeHistory ? h.spectrumCount : 1;
    if (r.function != 1 || r.form != kOutputPower || r.record < 1 || r.record > records || r.channelA < 0 ||
        r.channelA >= h.channelCount || (f.fftMask & (1u << r.channelA)) == 0)
        return std::nullopt;
    doc.SelectChannelProfile(r.channelA, 0);
    const CurrentChannel& ch = doc.Channel();
    const std::uint32_t lineCount = ch.bandCount;
    const std::uint32_t count = lineCount + (ch.bandExtras != 0 ? 1u : 0u);
    const ImageReader image = doc.Reader();
    std::uint64_t first = 0;
    if (h.timeHistory) {
        const std::optional<SpectrumWalk> walk = FourChannelSpectrumWalk(doc, r.channelA);
        if (!walk || walk->values < count)
            return std::nullopt;
        first = walk->firstValue + std::uint64_t(r.record - 1) * walk->stride;
    } else {
        // The levels begin two words into the channel's record, behind its length word.
        const Rec record = Located(image, doc.FindChannelRecord(doc.DecodedSubfile(), 17, r.channelA, f.fftMask));
        if (!record || record.length < 2 + count)
            return std::nullopt;
        first = record.start + 2;
    }
    if (lineCount == 0 || first + count > UINT32_MAX || !image.HasWords(first, count))
        return std::nullopt;
    const double divisor = f.levelDivisor > 0 ? f.levelDivisor : 10.0;
    FftSpectrumRead read;
    read.records = records;
    read.values.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        read.values[i] = image.SignedWord(static_cast<std::uint32_t>(first + i)) / divisor;
    FftLines& lines = read.lines;
    lines.lines = lineCount;
    lines.start = ch.fftAxisStart;
    lines.resolution = ch.firstBandHz;
    lines.windowFactor = ch.fftWindowPower > 0.0 ? ch.fftWindowPower : 1.0;
    lines.totalPosition = ch.bandExtras != 0 ? 2 : 0;
    lines.channel = {ch.inputKind, GetChannelOffset(doc.Levels(), ch), doc.NonMetric() != 0};
    lines.quantity = doc.GetDisplayQuantity(r.units);
    read.caption = std::string(SpectraFunctionCaption(1)) + std::string(SpectraOutputCaption(kOutputPower));
    if (records > 1)
        read.caption += StrPrintf(" No.%u ", static_cast<unsigned>(r.record));
    read.caption += StrPrintf("  Channel #%d", r.channelA + 1);
    return read;
}

bool IsFftMultifile(const CTmDoc& doc)
{
    return IsCurrentMultifileKind(doc.FileKind()) && doc.GetSubfileContents().Group(ContentGroup::Fft).found;
}

// The spectra of the decoded file: a logger's records, else one.
int CurrentRecords(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    return h.timeHistory ? h.spectrumCount : 1;
}

// The first word of spectrum `record` (from 1): a logger's row, or the record 18 data of a
// single spectrum.
std::uint32_t CurrentSpectrumStart(CTmDoc& doc, int record)
{
    const CurrentHeader& h = doc.Header();
    if (!h.timeHistory)
        return record == 1 ? doc.GetRecord17Data(doc.DecodedSubfile()) : 0;
    const std::optional<SpectrumWalk> walk = LoggedSpectrumWalk(doc);
    if (!walk || record < 1 || static_cast<std::uint32_t>(record) > walk->records)
        return 0;
    const std::uint64_t first = walk->firstValue + std::uint64_t(record - 1) * walk->stride;
    return first > UINT32_MAX ? 0 : static_cast<std::uint32_t>(first);
}

// The stored levels of a current-family spectrum: L lines and, with the extra line, its TOTAL.
std::optional<FftSpectrumRead> ReadCurrent(CTmDoc& doc, const FftSpectrumRequest& r)
{
    const CurrentHeader& h = doc.Header();
    if (r.function != 1 || r.form != kOutputPower || r.record < 1 || r.record > CurrentRecords(doc))
        return std::nullopt;
    // The short band of a tonality file has its own lines and resolution, from 0 Hz.
    const bool shortBand = h.tonality && r.band == 2;
    const std::uint16_t lineCount = shortBand ? h.tonalityLines : h.bandCount;
    const std::uint32_t first = shortBand ? doc.GetRecord22Data(doc.DecodedSubfile()) : CurrentSpectrumStart(doc, r.record);
    const std::uint32_t count = lineCount + (h.fftExtraLine != 0 && !h.tonality ? 1u : 0u);
    const ImageReader image = doc.Reader();
    if (first == 0 || lineCount == 0 || !image.HasWords(first, count))
        return std::nullopt;
    FftSpectrumRead read;
    read.records = CurrentRecords(doc);
    read.values.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        read.values[i] = image.SignedWord(first + i) / 10.0;
    FftLines& lines = read.lines;
    lines.lines = lineCount;
    lines.start = shortBand ? 0.0 : h.fftFirstHz;
    lines.resolution = shortBand ? h.tonalitySpacing : h.firstFrequency;
    lines.windowFactor = h.fftWindowPower > 0.0 ? h.fftWindowPower : 1.0;
    lines.totalPosition = h.fftExtraLine != 0 && !h.tonality ? 2 : 0;
    lines.channel = {doc.Channel().inputKind, GetChannelOffset(doc.Levels(), doc.Channel()), doc.NonMetric() != 0};
    lines.quantity = doc.GetDisplayQuantity(r.units);
    read.caption = std::string(SpectraFunctionCaption(1)) + std::string(SpectraOutputCaption(kOutputPower));
    if (read.records > 1)
        read.caption += StrPrintf(" No.%u ", static_cast<unsigned>(r.record));
    if (h.tonality)
        read.caption += shortBand ? " in short band " : " in full band ";
    return read;
}

// Spectrum `record` of a Multifile is the spectrum of its file of that number: the files
// without FFT spectra have none.
std::optional<FftSpectrumRead> ReadMultifile(CTmDoc& doc, const FftSpectrumRequest& r)
{
    const int files = doc.SubfileCount();
    if (r.record < 1 || r.record > files ||
        (doc.GetSubfileContents().BitsOf(r.record) & ContentBitsOf(ContentGroup::Fft)) == 0 ||
        !doc.DecodeFileHeader(static_cast<std::uint16_t>(r.record)))
        return std::nullopt;
    doc.SelectChannelProfile(0, 0);
    if (!IsCurrentFft(doc))
        return std::nullopt;
    FftSpectrumRequest first = r;
    first.record = 1;
    std::optional<FftSpectrumRead> read = ReadCurrent(doc, first);
    if (!read)
        return std::nullopt;
    read->records = files;
    read->fileName = doc.GetSubfileName(r.record);
    read->caption += StrPrintf(" (file: %s) ", read->fileName.c_str());
    return read;
}

} // namespace

bool SpectraFromWaveforms(const CTmDoc& doc)
{
    return doc.AnalyzerDecoded() && doc.Analyzer().function == kFunction505Time;
}

bool HoldsShortBand(const CTmDoc& doc)
{
    return IsCurrentFft(doc) && doc.Header().tonality;
}

bool HoldsFftSpectra(const CTmDoc& doc)
{
    return Is505Fft(doc) || IsCurrentFft(doc) || IsFftMultifile(doc) || IsFourChannelFft(doc);
}

std::uint16_t FftChannelMask(const CTmDoc& doc)
{
    if (IsFourChannelFft(doc))
        return doc.Header().fourChannel.fftMask;
    if (Is505Fft(doc) && doc.Analyzer().channelCount > 1)
        return static_cast<std::uint16_t>((1u << doc.Analyzer().channelCount) - 1u);
    return 0;
}

std::optional<FftSpectrumRead> ReadFftSpectrum(CTmDoc& doc, FftWorkspace& workspace, const FftSpectrumRequest& r)
{
    if (IsFftMultifile(doc))
        return ReadMultifile(doc, r);
    if (IsCurrentFft(doc))
        return ReadCurrent(doc, r);
    if (IsFourChannelFft(doc))
        return ReadFourChannel(doc, r);
    if (!Is505Fft(doc) || r.function < kFirstSpectraFunction || r.function > kLastSpectraFunction)
        return std::nullopt;
    const Setup505& s = doc.Analyzer();
    const int channels = s.channelCount;
    if (r.channelA < 0 || r.channelA >= channels || r.channelB < 0 || r.channelB >= channels || r.record < 1 ||
        r.record > std::max(s.spectraCount, 1))
        return std::nullopt;
    doc.Select505Channel(ShownChannel(r));
    FftSpectrumRead read;
    read.records = std::max(s.spectraCount, 1);
    const bool waveforms = SpectraFromWaveforms(doc);
    const std::optional<std::vector<double>> values =
        waveforms ? ComputeFromWaveforms(doc, s, workspace, r) : ReadStored(doc, s, r);
    if (!values)
        return std::nullopt;
    read.values = *values;
    const int quantity = r.form == kOutputPhase ? static_cast<int>(kBandDb) : doc.GetDisplayQuantity(r.units);
    read.lines = LinesOf(doc, s, quantity, waveforms ? workspace.WindowFactor() : s.windowPower);
    read.caption = Caption(doc, r, read.records);
    return read;
}

} // namespace orlu
