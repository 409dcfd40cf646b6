#include "analysis/spectra/OctaveSpectra.h"

#include "document/Subfiles.h"
#include "document/headers/HeaderRecord.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>

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

const OctaveRecords& RecordsOf(int octave)
{
    return octave == kOctaves ? kOctaveRecords : kThirdOctaveRecords;
}

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

} // namespace

bool HasSpectrumLogger(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    return h.timeHistory && h.spectraInBuffer != 0 && h.spectrumCount > 0;
}

int DetectorOfSpectrum(const CTmDoc& doc, int number, int octave)
{
    if (number == 2)
        return doc.Header().extraSpectra[RecordsOf(octave).minFlag] ? kDetectorMin : kDetectorMax;
    return number == 3 ? kDetectorMax : kDetectorRms;
}

std::vector<SpectrumRef> ListSpectra(CTmDoc& doc, const OctaveRequest& request, int octave)
{
    std::vector<SpectrumRef> list;
    const int record = std::max(request.record, 1);
    if (IsMultifile(doc)) {
        const std::uint16_t bit = RecordsOf(octave).contentBit;
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
        doc.FindRecordInHeader(ref.fileIndex, RecordType(RecordsOf(octave), ref.detector));
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
