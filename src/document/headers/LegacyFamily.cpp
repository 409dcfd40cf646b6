// The legacy family in the document (ORLU 505 METER-mode files, kinds 3, 10
// and 23): decoding a sub-file's header with the document's own steps after
// it (the RecordIndex, channel 0's range scaling, the buffer histogram), the
// channel selection, the ViewMask, the record-count write-back of every
// family, and the store of a reduced legacy file.

#include "document/CTmDoc.h"

#include "document/FirmwareGate.h"
#include "document/channel/LegacyChannelSelection.h"
#include "document/headers/CurrentHeader.h"
#include "document/headers/LegacyHeaderDecoder.h"
#include "document/records/RecordTypeCodes.h"

#include <algorithm>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kLoggerMemory = "Can't allocate memory for buffer/logger";
constexpr std::uint8_t kKindReducedLegacy = 10;
constexpr std::uint8_t kKindLegacyMultifile = 23;
constexpr std::uint16_t kNewBufferVersion = 33;
/// Word of the buffer description that holds the record count (32 bits from format 33 on).
constexpr std::uint32_t kRecordCountWord = 5;
/// The default classes of a buffer without a histogram: 88 of 1 dB from the range bottom.
constexpr std::uint16_t kBufferClasses = 88;
constexpr std::int16_t kBufferClassWidth = 10;

// 505-family setup header: word 4 is the measurement function (1 Time, 2 Spectrum),
// which decides where the record count lies.
constexpr std::uint32_t kSetup505FunctionWord = 4;
constexpr std::uint32_t kSetup505CountWordTimeSpectrum = 18;
constexpr std::uint32_t kSetup505CountWordOther = 14;
// Four-channel files: the buffer size and the count follow from word 4 of a logger 24
// and from word 3 of a recording 43.
constexpr std::uint32_t kLoggerSizeWord = 4;
constexpr std::uint32_t kRecordingSizeWord = 3;

void SetU32(PagedFileImage& image, std::uint32_t word, std::uint32_t value)
{
    ImageSetWord(image, word, static_cast<std::uint16_t>(value & 0xFFFF));
    ImageSetWord(image, word + 1, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

bool CTmDoc::IsLegacyDocument() const
{
    return FindFileKind(m_FileKind).Family == KindFamily::Legacy;
}

bool CTmDoc::DecodeLegacyHeader(std::uint16_t subfile)
{
    m_Legacy.decoded = false;
    m_Legacy.bufferHistogram = nullptr;
    m_Legacy.subfile = subfile;
    const SubfileSpan span = SpanOf(subfile);
    // Reads end with the sub-file: a block running past it is damage, not the next file.
    const ImageReader image(m_Image, std::min<std::uint32_t>(m_ByteCount, 2 * span.end));
    LegacyHeader h;
    try {
        switch (DecodeLegacyHeaderWords(image, span.start, m_FileKind, h)) {
        case LegacyDecodeStatus::Decoded:
            break;
        case LegacyDecodeStatus::UnknownPrefix:
            ReportUnknownHeaderPrefix(Ui(), h.prefixWord);
            return false;
        case LegacyDecodeStatus::BadChannels:
            return false;
        }
    } catch (const ImageRangeError&) {
        return false;
    }
    h.merged = m_FileKind == kKindLegacyMultifile;

    if (h.timeHistory) {
        // Records the data hold before the sub-file's check word; a count past them
        // names records that are not there.
        const std::uint32_t width = h.singleChannel ? 1 : h.resultsPerRecord;
        const std::uint64_t dataWords = span.end > h.bufferDataStart + 1ull ? span.end - h.bufferDataStart - 1ull : 0;
        const std::uint32_t held = width == 0 ? 0 : static_cast<std::uint32_t>(dataWords / width);
        const std::uint32_t records = std::min(h.declaredCount, held);
        if (!h.merged)
            h.shownRecordCount = m_RecordIndexPresent ? static_cast<std::uint32_t>(m_RecordIndex.size()) : records;
        if (!m_RecordIndexPresent && !h.merged) {
            // Legacy buffers have no markers or breaks: record k is the k-th stored.
            try {
                m_RecordIndex.clear();
                m_RecordIndex.AppendRun(1, records);
            } catch (const std::bad_alloc&) {
                Ui().ShowMessage(kLoggerMemory, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
                return false;
            }
            m_RecordIndexPresent = true;
        }
    }
    m_Legacy.header = std::move(h);
    m_Legacy.decoded = true;

    const LegacyHeader& d = m_Legacy.header;
    if (d.singleChannel || (d.timeHistory && !d.histogramFlag))
        SelectLegacyChannel(0);
    if (d.timeHistory && !d.histogramFlag) {
        // The buffer's own classes: 1 dB from the bottom of channel 0's range.
        LegacyHistogram& hist = m_Legacy.header.histogram;
        hist = LegacyHistogram{.classOffset = 0,
                               .classes = kBufferClasses,
                               .lowest = static_cast<std::int16_t>(m_Current.channel.rangeBottomDb * 10),
                               .width = kBufferClassWidth,
                               .totalCount = d.declaredCount};
        if (d.singleChannel) {
            const LegacyBufferGeometry geometry{.dataEnd = d.bufferStart,
                                                .loggerRowWords = 1,
                                                .channelCounts = {},
                                                .formatVersion = d.formatVersion,
                                                .recordCount = d.merged ? d.declaredCount : d.shownRecordCount};
            m_Legacy.bufferHistogram = BuildBufferHistogram(
                m_Legacy.bufferHistograms, image, geometry,
                HistogramLayout{0, hist.classes, hist.lowest, hist.width}, 0, 0, 0);
        }
    }
    return true;
}

void CTmDoc::SelectLegacyChannel(int p)
{
    if (!m_Legacy.decoded)
        return;
    orlu::SelectLegacyChannel(m_Legacy.header, LegacyLevels(), m_SubKind != 0, p, m_Current.channel);
}

LevelContext CTmDoc::LegacyLevels() const
{
    const LegacyHeader& h = m_Legacy.header;
    return LevelContext{.model = {},
                        .orlu505File = true,
                        .accelerationOffset = h.accelerationReference,
                        .velocityOffset = h.velocityReference,
                        .displacementOffset = h.displacementReference,
                        .firmware = 0,
                        .nonMetric = m_App->NonMetric != 0};
}

void CTmDoc::SetViewMaskLegacy()
{
    std::uint32_t mask = m_ViewMask;
    auto put = [&mask](std::uint32_t bits, bool on) { mask = on ? (mask | bits) : (mask & ~bits); };
    const LegacyHeader& h = m_Legacy.header;
    if (m_FileKind == kKindReducedLegacy) {
        put(kViewMaskHeaderInfo | kViewMaskHistograms | kViewMaskStatLevels | kViewMaskDensities | kViewMaskBuffer |
                kViewMaskAscii,
            true);
        put(kViewMaskMainResults, false);
    } else if (m_FileKind == kKindLegacyMultifile) {
        ScanLegacySubfiles([this](int n) -> std::optional<LegacyFileContents> {
            if (!DecodeLegacyHeader(static_cast<std::uint16_t>(n)))
                return std::nullopt;
            const LegacyHeader& f = m_Legacy.header;
            return LegacyFileContents{.histogram = f.histogramFlag,
                                      .statistics = f.statisticsFlag,
                                      .timeHistory = f.timeHistory,
                                      .recordCount = f.declaredCount};
        });
        // The scan leaves the last file decoded: the document shows its first again.
        if (DecodeLegacyHeader(0) && (m_Legacy.header.channelMode != 0 || m_Legacy.header.prefixVariant != 0))
            SelectLegacyChannel(0);
        const SubfileContents& c = m_SubfileContents;
        const bool anyStatistics = c.Group(ContentGroup::Histogram).found;
        put(kViewMaskHeaderInfo | kViewMaskMainResults, true);
        put(kViewMaskBuffer, c.Group(ContentGroup::Buffer).found);
        put(kViewMaskHistograms | kViewMaskDensities, anyStatistics);
        put(kViewMaskStatLevels, anyStatistics || c.Group(ContentGroup::Statistics).found);
        put(kViewMaskAscii, false);
    } else {
        const bool history = h.timeHistory && h.shownRecordCount != 0;
        put(kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskAscii, true);
        put(kViewMaskHistograms | kViewMaskDensities, h.histogramFlag || history);
        put(kViewMaskStatLevels, h.statisticsFlag || h.histogramFlag || history);
        put(kViewMaskBuffer, history);
    }
    m_ViewMask = (mask | kViewMaskHexa) & ~kViewMaskSettings;
}

bool CTmDoc::WriteRecordCount(int subfile, std::uint32_t count)
{
    const ImageReader image = Reader();
    switch (FindFileKind(m_FileKind).Family) {
    case KindFamily::Legacy: {
        if (!m_Legacy.decoded)
            return false;
        const std::uint32_t d = orlu::GetDataBlockEnd(image, GetSubfileStart(subfile), m_Legacy.header.Layout());
        const std::uint16_t version = image.HasWords(d, 1) ? image.Word(d) : 0;
        // From format 33 on the count has 32 bits: its high word is written too, or a
        // reduced count would keep the high word of the old one.
        const bool wide = version >= kNewBufferVersion;
        if (!image.HasWords(d + kRecordCountWord, wide ? 2 : 1) || version <= kRecordCountWord + (wide ? 1 : 0))
            return false;
        if (wide)
            SetU32(m_Image, d + kRecordCountWord, count);
        else
            ImageSetWord(m_Image, d + kRecordCountWord, static_cast<std::uint16_t>(count));
        return true;
    }
    case KindFamily::Setup505: {
        const std::uint32_t s = GetSubfileStart(subfile);
        if (!image.HasWords(s, kSetup505CountWordTimeSpectrum + 1))
            return false;
        const std::uint16_t function = image.Word(s + kSetup505FunctionWord);
        const bool timeOrSpectrum = function == 1 || function == 2;
        ImageSetWord(m_Image, s + (timeOrSpectrum ? kSetup505CountWordTimeSpectrum : kSetup505CountWordOther),
                     static_cast<std::uint16_t>(count));
        return true;
    }
    case KindFamily::Current: {
        const CurrentHeader& h = m_Current.header;
        if (!m_Current.decoded || h.bufferRecord == 0)
            return false;
        if (!h.model.FourChannel) {
            WriteCurrentBufferCounts(count);
            return true;
        }
        const std::uint32_t b = FindBufferRecord(subfile);
        const std::uint32_t at = b + ((image.HasWords(b, 1) && (image.Word(b) & 0xFF) == kRecordWaveform)
                                          ? kRecordingSizeWord
                                          : kLoggerSizeWord);
        if (b == 0 || !image.HasWords(at, 4))
            return false;
        SetU32(m_Image, at, count * h.rowLength * 2u);
        SetU32(m_Image, at + 2, count);
        return true;
    }
    default:
        return false;
    }
}

void CTmDoc::SetLegacyBufferRecords(std::uint32_t count, RecordIndex index)
{
    LegacyHeader& h = m_Legacy.header;
    if (!m_Legacy.decoded || !h.timeHistory)
        return;
    h.declaredCount = h.shownRecordCount = count;
    WriteRecordCount(m_Legacy.subfile, count);
    m_RecordIndex = std::move(index);
    m_RecordIndexPresent = true;
}

void CTmDoc::StoreReducedLegacy(Archive& archive)
{
    StoreReducedBuffer(archive);
}

} // namespace orlu
