#include "analysis/spectra/OctaveSpectra.h"

#include "document/Subfiles.h"
#include "document/headers/HeaderRecord.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <bit>

namespace orlu {
namespace {

// The records of one octave set: the RMS, MIN and MAX spectra, and the Multifile content bit.
struct OctaveRecords {
    std::uint8_t rms;
    std::uint8_t min;
    std::uint8_t max;
    std::uint16_t contentBit;
    std::size_t minFlag; ///< index into the header's extraSpectra
};
constexpr OctaveRecords kOctaveRecords{14, 38, 39, 0x0008, 0};
constexpr OctaveRecords kThirdOctaveRecords{16, 40, 41, 0x0010, 2};
// ORLU 545 and 590 files: a record of each channel, its MIN and MAX spectra after it;
// the first of the two extra-spectrum flags tells a MIN spectrum.
constexpr OctaveRecords kChannelOctaveRecords{15, 46, 45, 0x0008, 0};
constexpr OctaveRecords kChannelThirdOctaveRecords{16, 48, 47, 0x0010, 0};

bool IsFourChannel(const CTmDoc& doc)
{
    return doc.Header().model.FourChannel;
}

const OctaveRecords& RecordsOf(const CTmDoc& doc, int octave)
{
    if (IsFourChannel(doc))
        return octave == kOctaves ? kChannelOctaveRecords : kChannelThirdOctaveRecords;
    return octave == kOctaves ? kOctaveRecords : kThirdOctaveRecords;
}

// The channels of a four-channel file that have spectra of the octave set.
std::uint16_t ChannelsWithSpectra(const CTmDoc& doc, int octave)
{
    const FourChannelSetup& f = doc.Header().fourChannel;
    return octave == kOctaves ? f.octaveMask : f.thirdMask;
}

// Words between a channel's spectrum record and its first value.
constexpr std::uint32_t kChannelValueLead = 4;

// Filter names of the spectra filter code of a measurement.
constexpr std::array<const char*, 4> kSpectraFilterNames{"HP", "Lin", "A", "C"};

bool IsMultifile(const CTmDoc& doc)
{
    return IsCurrentMultifileKind(doc.FileKind());
}

std::uint8_t RecordType(const OctaveRecords& r, int detector)
{
    return detector == kDetectorMin ? r.min : detector == kDetectorMax ? r.max : r.rms;
}

// Words between a spectrum record's start and its first value: 5 (4 in files of
// firmware 2.00 and older, whose octave records have no extras word).
std::uint32_t ValueLead(const CTmDoc& doc, int octave)
{
    return octave == kOctaves && doc.Header().firmware < 201 ? 4 : 5;
}

double LevelDivisor(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    return h.model.FourChannel && h.fourChannel.levelDivisor > 0 ? h.fourChannel.levelDivisor : 10.0;
}

std::optional<BandSpectrum> ReadWords(const ImageReader& image, std::uint32_t first, std::size_t count,
                                      double divisor)
{
    if (count == 0 || count > kMaxSpectrumValues || first == 0 || !image.HasWords(first, count))
        return std::nullopt;
    BandSpectrum s;
    s.count = count;
    for (std::size_t i = 0; i < count; ++i)
        s.values[i] = image.SignedWord(first + static_cast<std::uint32_t>(i)) / divisor;
    return s;
}

std::vector<SpectrumRef> ListChannelSpectra(const CTmDoc& doc, const OctaveRequest& request, int octave)
{
    std::vector<SpectrumRef> list;
    const std::uint16_t chosen = request.channelMask & ChannelsWithSpectra(doc, octave);
    const int channels = std::min<int>(doc.Header().channelCount, 16);
    if (request.allRecords) {
        const int lowest = chosen == 0 ? -1 : std::countr_zero(chosen);
        if (lowest < 0 || lowest >= channels)
            return list;
        for (int k = 1; k <= std::max(doc.Header().spectrumCount, 0); ++k)
            list.push_back({k, 0, DetectorOfSpectrum(doc, k, octave), lowest});
        return list;
    }
    const int record = std::max(request.record, 1);
    for (int c = 0; c < channels; ++c)
        if (chosen & (1u << c))
            list.push_back({record, 0, DetectorOfSpectrum(doc, record, octave), c});
    return list;
}

// A four-channel file keeps a spectrum record per channel, the MIN and MAX spectra
// after the channel's record; the channel stays selected.
std::optional<BandSpectrum> ReadChannelSpectrum(CTmDoc& doc, const SpectrumRef& ref, int octave)
{
    if (ref.channel < 0 || ref.channel >= doc.Header().channelCount)
        return std::nullopt;
    doc.SelectChannelProfile(ref.channel, 0);
    // Logged spectra of these files are not read by the octave forms.
    if (HasSpectrumLogger(doc))
        return std::nullopt;
    const OctaveRecords& r = RecordsOf(doc, octave);
    std::uint32_t at = doc.FindChannelRecord(ref.fileIndex, r.rms, ref.channel, ChannelsWithSpectra(doc, octave));
    if (at != 0 && ref.detector != kDetectorRms)
        at = doc.FindNextRecord(at, RecordType(r, ref.detector));
    const ImageReader image = doc.Reader();
    const Rec record = Located(image, at);
    const std::size_t count = doc.Channel().bandEnd;
    if (!record || record.length < kChannelValueLead + count)
        return std::nullopt;
    return ReadWords(image, record.start + kChannelValueLead, count, LevelDivisor(doc));
}

} // namespace

bool HasSpectrumLogger(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    return h.timeHistory && h.spectraInBuffer != 0 && h.spectrumCount > 0;
}

int DetectorOfSpectrum(const CTmDoc& doc, int number, int octave)
{
    if (number == 2)
        return doc.Header().extraSpectra[RecordsOf(doc, octave).minFlag] ? kDetectorMin : kDetectorMax;
    return number == 3 ? kDetectorMax : kDetectorRms;
}

std::vector<SpectrumRef> ListSpectra(CTmDoc& doc, const OctaveRequest& request, int octave)
{
    std::vector<SpectrumRef> list;
    const int record = std::max(request.record, 1);
    if (IsFourChannel(doc))
        return ListChannelSpectra(doc, request, octave);
    if (IsMultifile(doc)) {
        const std::uint16_t bit = RecordsOf(doc, octave).contentBit;
        const int first = request.allRecords ? 1 : std::max(request.fileIndex, 1);
        const int last = request.allRecords ? doc.SubfileCount() : first;
        for (int j = first; j <= last && j <= doc.SubfileCount(); ++j)
            if ((doc.GetSubfileContents().BitsOf(j) & bit) != 0) {
                doc.DecodeFileHeader(static_cast<std::uint16_t>(j));
                list.push_back({record, j, DetectorOfSpectrum(doc, record, octave)});
            }
        return list;
    }
    if (!request.allRecords) {
        list.push_back({record, 0, HasSpectrumLogger(doc) ? kDetectorRms : DetectorOfSpectrum(doc, record, octave)});
        return list;
    }
    const int count = std::max(doc.Header().spectrumCount, 0);
    list.reserve(static_cast<std::size_t>(count));
    const bool logger = HasSpectrumLogger(doc);
    for (int k = 1; k <= count; ++k)
        list.push_back({k, 0, logger ? kDetectorRms : DetectorOfSpectrum(doc, k, octave)});
    return list;
}

std::optional<BandSpectrum> ReadSpectrum(CTmDoc& doc, const SpectrumRef& ref, int octave)
{
    if (IsFourChannel(doc))
        return ReadChannelSpectrum(doc, ref, octave);
    if (ref.fileIndex > 0) {
        if (!doc.DecodeFileHeader(static_cast<std::uint16_t>(ref.fileIndex)))
            return std::nullopt;
        doc.SelectChannelProfile(0, 0);
    }
    const CurrentHeader& h = doc.Header();
    const ImageReader image = doc.Reader();
    const std::size_t count = doc.Channel().bandEnd;
    if (HasSpectrumLogger(doc)) {
        // A row holds the logged results, a leading word and the spectrum's values.
        if (ref.number < 1 || ref.number > h.spectrumCount || h.rowLength < count + 1)
            return std::nullopt;
        const std::uint32_t data = doc.FindBufferData(0);
        const std::uint32_t lead = h.rowLength - static_cast<std::uint32_t>(count);
        const std::uint64_t first = std::uint64_t{data} + lead + std::uint64_t(ref.number - 1) * h.rowLength;
        if (data == 0 || first > UINT32_MAX)
            return std::nullopt;
        return ReadWords(image, static_cast<std::uint32_t>(first), count, LevelDivisor(doc));
    }
    const std::uint32_t at =
        doc.FindRecordInHeader(ref.fileIndex, RecordType(RecordsOf(doc, octave), ref.detector));
    const Rec record = Located(image, at);
    const std::uint32_t lead = ValueLead(doc, octave);
    // The record must hold every value it announces.
    if (!record || record.length < lead + count)
        return std::nullopt;
    return ReadWords(image, record.start + lead, count, LevelDivisor(doc));
}

std::string OctaveTitle(const CTmDoc& doc, int octave, int channel, int detector, int record, int fileIndex)
{
    const CurrentHeader& h = doc.Header();
    std::string title = StrPrintf("OCTAVE 1/%d", octave);
    const std::uint16_t filter = h.octaveFilter;
    title += StrPrintf("  (%s", filter < kSpectraFilterNames.size() ? kSpectraFilterNames[filter] : "UNDF");
    if (!HasSpectrumLogger(doc) && detector >= 0)
        title += StrPrintf(", %s", detector <= kDetectorRms ? "RMS" : detector == kDetectorMin ? "MIN" : "MAX");
    title += ")";
    if (channel >= 0)
        title += StrPrintf("  Channel #%d", channel + 1);
    if (HasSpectrumLogger(doc) && record > 0)
        title += StrPrintf("  No.%u", static_cast<unsigned>(record));
    if (IsMultifile(doc) && fileIndex > 0)
        title += StrPrintf("  (file: %s)", doc.GetSubfileName(fileIndex).c_str());
    return title;
}

} // namespace orlu
