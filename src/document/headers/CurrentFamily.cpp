// The current family in the document: decoding a sub-file's header in its
// phases with the document's own steps between them, the logger split, the
// channel selection and the ViewMask.

#include "document/CTmDoc.h"

#include "document/FirmwareGate.h"
#include "document/channel/ChannelSelection.h"
#include "document/container/FileKindCode.h"
#include "document/headers/CurrentHeaderDecoder.h"
#include "document/headers/FourChannelHeaderDecoder.h"
#include "document/records/RecordTypeCodes.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

constexpr std::string_view kLoggerMemory = "Can't allocate memory for buffer/logger";
constexpr std::string_view kBufferMemory = "Can't allocate memory for buffer";
constexpr const char* kFileTooShort = "%s - file too short!\n\n%12ld declared number of records,  \n%12ld records found.";

void SetU32(PagedFileImage& image, std::uint32_t word, std::uint32_t value)
{
    ImageSetWord(image, word, static_cast<std::uint16_t>(value & 0xFFFF));
    ImageSetWord(image, word + 1, static_cast<std::uint16_t>(value >> 16));
}

// Writes the counts of the buffer header in the layout it was read in: a data
// size (kept rows x row length x 2 bytes) or the two counts in its last four
// words. Never past the record, so the first row stays as it was.
void WriteBufferCounts(PagedFileImage& image, const CurrentHeader& h, std::uint32_t kept, std::uint32_t number)
{
    if (h.bufferSizeLayout) {
        SetU32(image, h.bufferRecord + h.bufferSizeWord, kept * h.rowLength * 2u);
        return;
    }
    SetU32(image, h.bufferRecord + h.bufferRecordLength - 4u, kept);
    SetU32(image, h.bufferRecord + h.bufferRecordLength - 2u, number);
}

} // namespace

bool CTmDoc::DecodeFileHeader(std::uint16_t subfile)
{
    // Sub-file 0 is the whole image of a single file and the first file of a Multifile.
    const SubfileSpan sub = SpanOf(subfile);

    CurrentHeader h;
    h.merged = IsCurrentMultifileKind(m_FileKind);
    m_Current.decoded = false;
    m_Current.subfile = subfile;
    const ImageReader image = Reader();
    if (!DecodeIdentity(image, sub, h))
        return false;
    if (m_FileKind == kKindDerived)
        m_FileKind = h.derivedKind;

    if (m_Current.gatePending) {
        m_Current.gatePending = false;
        if (CheckFirmwareVersion(Ui(), h.deviceType, h.firmware, h.fileSystemVersion, true))
            return false;
    }
    if (h.setupFile) {
        m_Current.header = std::move(h);
        m_Current.decoded = true;
        return true;
    }
    // Four-channel files (ORLU 545 and 590) have a decoder of their own for records 3 on.
    const bool fourChannel = h.model.FourChannel;
    if (!m_Current.hasAsLoaded && !m_RecordIndexPresent &&
        !(fourChannel ? orlu::HasValidEnd(image, sub, ChainFlagsOf(h)) : orlu::IsComplete(image, sub)))
        return false;
    if (!(fourChannel ? DecodeFourChannelMeasurement(image, sub, h) : DecodeMeasurement(image, sub, h)))
        return false;

    if (h.statisticsFlag && m_Current.levelsPending) {
        m_Current.statisticalLevels =
            ReadStatisticalLevels(image, sub, ChainFlagsOf(h), 0, fourChannel ? h.statisticsMask : 7);
        m_Current.levelsPending = false;
    }
    // The split makes one file's logger the working image: in a Multifile it
    // would drop every other sub-file, so merged documents keep their image.
    if (h.timeHistory && !h.merged && !m_RecordIndexPresent && !SplitCurrentLogger(h))
        return false;
    // After the split the working image is the compact one.
    const ImageReader working = Reader();
    const SubfileSpan workingSpan{sub.start, std::min(sub.end, working.WordCount())};
    if (fourChannel) {
        if (!DecodeFourChannelContents(working, workingSpan, h))
            return false;
    } else {
        DecodeContents(working, workingSpan, h);
    }
    m_Current.header = std::move(h);
    SetChainFlags(ChainFlagsOf(m_Current.header));
    if (!MakeRtRecords(m_Current.header))
        return false;
    m_Current.decoded = true;
    return true;
}

bool CTmDoc::SplitCurrentLogger(CurrentHeader& h)
{
    // Rows of no words (no results and no spectra logged) hold nothing to split.
    if (h.rowLength == 0) {
        h.declaredCount = 0;
        h.secondCount = 0;
        return true;
    }
    const ImageReader image = Reader();
    const SubfileSpan whole{0, image.WordCount()};
    // Four-channel files split a logger 24 or a recording 43, say nothing of a
    // count that differs and write back only an unknown count.
    const bool fourChannel = h.model.FourChannel;
    LoggerSplitInput input;
    input.variant = !fourChannel                ? LoggerVariant::CurrentLogger
                    : h.fourChannel.waveform    ? LoggerVariant::Waveform
                                                : LoggerVariant::FourChannelLogger;
    input.dataStart = orlu::FindBufferData(image, whole, ChainFlagsOf(h));
    input.rowLength = h.rowLength;
    input.declaredCount = h.declaredCount;
    if (input.dataStart == 0)
        return false;

    LoggerSplitResult split;
    if (!SplitLogger(image, m_Pool, input, split)) {
        Ui().ShowMessage(fourChannel ? kBufferMemory : kLoggerMemory, kMessageCaption, MessageButtons::Ok,
                         MessageIcon::Stop);
        return false;
    }
    // The compact image holds the pages of rows that did not move: the image as read
    // must copy them too before it is written.
    if (split.image.SharesPages())
        m_Image.ShareAllPages(m_Pool);
    const bool unknown = h.declaredCount == kUnknownRecordCount;
    const bool differs = !unknown && h.declaredCount != split.kept;
    if (differs && !fourChannel)
        Ui().ShowMessage(StrPrintf(kFileTooShort, m_FileName.c_str(), static_cast<long>(static_cast<std::int32_t>(h.declaredCount)),
                                   static_cast<long>(static_cast<std::int32_t>(split.kept))),
                         kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    if (unknown || (differs && !fourChannel))
        WriteBufferCounts(m_Image, h, split.kept, split.lastNumber);

    // The image as read stays for the Hexa view and the store; the compact one becomes the working image.
    m_Current.asLoaded = std::move(m_Image);
    m_Current.asLoadedBytes = m_ByteCount;
    m_Current.hasAsLoaded = true;
    m_Image = std::move(split.image);
    m_ByteCount = split.byteCount;
    m_RecordIndex = std::move(split.index);
    m_RecordIndexPresent = true;
    m_Current.markers = std::move(split.markers);
    m_Current.breaks = std::move(split.breaks);

    if (unknown || differs) {
        h.declaredCount = split.kept;
        h.secondCount = split.kept;
        WriteBufferCounts(m_Image, h, split.kept, split.kept);
    }
    return true;
}

bool CTmDoc::MakeRtRecords(const CurrentHeader& h)
{
    const RtBandNeed need = RtBandsNeeded(h);
    if (h.rtChannelCount == 0 || (need.thirdBands == 0 && need.octaveBands == 0))
        return true;
    auto make = [&](RtSet set, std::uint32_t bands, std::uint8_t flag) {
        const RtAlloc made = AllocRtBandRecords(m_Pool, m_Rt[set], h.rtChannelCount, bands, h.timeStep, flag);
        // A block of another size than the file needs is dropped, not read past its end.
        if (made == RtAlloc::BlockMismatch)
            ReportLoadError(Ui(), m_FileName, kLoadImproperContents);
        return made != RtAlloc::OutOfMemory;
    };
    if (need.thirdBands != 0 && !make(kRtThirdOctave, need.thirdBands, 1))
        return false;
    return make(kRtOctave, need.octaveBands, 2);
}

void CTmDoc::SetBufferRecords(std::uint32_t count, RecordIndex index)
{
    if (IsLegacyDocument()) {
        SetLegacyBufferRecords(count, std::move(index));
        return;
    }
    CurrentHeader& h = m_Current.header;
    if (h.bufferRecord == 0)
        return;
    h.declaredCount = h.secondCount = h.shownRecordCount = count;
    WriteBufferCounts(m_Image, h, count, count);
    m_RecordIndex = std::move(index);
    m_RecordIndexPresent = true;
}

void CTmDoc::WriteCurrentBufferCounts(std::uint32_t count)
{
    WriteBufferCounts(m_Image, m_Current.header, count, count);
}

void CTmDoc::StoreReducedCurrent(Archive& archive)
{
    StoreReducedBuffer(archive);
}

void CTmDoc::SelectChannelProfile(int a, int p)
{
    if (!m_Current.decoded)
        return;
    SelectCurrentChannel(m_Current.header, Levels(), a, p, m_Current.channel);
}

void CTmDoc::SelectProfileWeighting(int c, int p)
{
    orlu::SelectProfileWeighting(m_Current.header, c, p, m_Current.channel);
}

void CTmDoc::SetViewMaskCurrent()
{
    if (!IsCurrentMultifileKind(m_FileKind)) {
        m_ViewMask = ViewMaskCurrent(m_Current.header, m_FileKind, m_ViewMask, nullptr);
        return;
    }
    ScanMergedSubfiles();
    m_ViewMask = ViewMaskCurrent(m_Current.header, m_FileKind, m_ViewMask, &m_SubfileContents);
}

std::uint8_t CTmDoc::GetDisplayQuantity(std::uint8_t option) const
{
    return orlu::GetDisplayQuantity(m_Current.channel.inputKind, option, false);
}

LevelContext CTmDoc::Levels() const
{
    if (IsLegacyDocument())
        return LegacyLevels();
    // ANALYZER-mode files come from the ORLU 505 too: its vibration levels carry the sensitivity offset.
    if (FindFileKind(m_FileKind).Family == KindFamily::Setup505)
        return LevelContext{.model = {},
                            .orlu505File = true,
                            .accelerationOffset = 0,
                            .velocityOffset = 0,
                            .displacementOffset = 0,
                            .firmware = 0,
                            .nonMetric = m_App->NonMetric != 0};
    const CurrentHeader& h = m_Current.header;
    return LevelContext{.model = h.model,
                        .orlu505File = false,
                        .accelerationOffset = h.accelerationOffset,
                        .velocityOffset = h.velocityOffset,
                        .displacementOffset = h.displacementOffset,
                        .firmware = h.firmware,
                        .nonMetric = m_App->NonMetric != 0};
}

ResultContext CTmDoc::Results() const
{
    const CurrentHeader& h = m_Current.header;
    ResultContext ctx;
    ctx.pages = &m_Image;
    ctx.byteCount = m_ByteCount;
    ctx.model = h.model;
    ctx.firmware = h.firmware;
    ctx.criterionLevel = h.criterionLevel;
    ctx.exchangeRate = h.exchangeRate;
    ctx.exposureMinutes = h.exposureMinutes;
    ctx.flagsWord = h.flagsWord;
    ctx.levelDivisor = h.fourChannel.levelDivisor;
    ctx.linearDivisor = h.fourChannel.linearDivisor;
    ctx.function = m_Current.channel.function;
    ctx.inputKind = m_Current.channel.inputKind;
    ctx.sensitivityOffset = m_Current.channel.sensitivityOffset;
    ctx.nonMetric = m_App->NonMetric != 0;
    // The results of the sub-file the header was decoded from.
    const ImageReader image = Reader();
    const SubfilePlace place = LocateSubfile(Directory(), m_Current.subfile);
    const std::uint64_t end = std::uint64_t{place.start} + place.length / 2;
    ctx.firstRecord = orlu::FindResultsRecord(
        image, SubfileSpan{place.start, static_cast<std::uint32_t>(std::min<std::uint64_t>(end, image.WordCount()))},
        ChainFlagsOf(h));
    return ctx;
}

void CTmDoc::DecodeResultRow(int a, int p, ResultValues& out, bool linear, int e, double m)
{
    const ResultContext ctx = Results();
    // The older sound-level-meter decoder keeps the time T it read in the document.
    if (UsesOlderSlmDecoder(ctx))
        m_MeasurementSeconds = MeasurementTimeOf(ctx);
    orlu::DecodeResultRow(ctx, a, p, out, linear, e, m);
}

int CTmDoc::ComputeVibrationExposure(std::span<const ResultValues> results, ExposureResult& out) const
{
    return orlu::ComputeVibrationExposure(m_Current.header.fourChannel.exposure, results, out);
}

} // namespace orlu
