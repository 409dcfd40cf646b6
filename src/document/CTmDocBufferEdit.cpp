// Editing the block between the markers of a buffer or logger (delete, keep,
// copy) and marking the impulsive records of a logger.

#include "document/CTmDoc.h"

#include "document/ViewMask.h"
#include "platform/Archive.h"
#include "document/buffer/BufferColumns.h"
#include "document/buffer/ColumnReader.h"
#include "document/buffer/ImpulseMarks.h"

#include <cmath>

namespace orlu {
namespace {

constexpr std::uint8_t kKindLegacyFile = 3;
constexpr std::uint8_t kKindLegacyReduced = 10;
constexpr std::uint8_t kKindAnalyzerFile = 4;
constexpr std::uint8_t kKindAnalyzerReduced = 11;
constexpr std::uint8_t kKindCurrentReduced = 50;
constexpr std::string_view kDeleteEverything = "The whole buffer/logger cannot be deleted";

} // namespace

std::optional<BufferPlace> CTmDoc::LocateEditableBuffer()
{
    const ImageReader image = Reader();
    BufferPlace place;
    std::uint32_t declared = 0;
    if (m_FileKind == kKindLegacyFile || m_FileKind == kKindLegacyReduced) {
        const LegacyHeader& h = m_Legacy.header;
        if (!m_Legacy.decoded || !h.timeHistory || h.bufferDataStart <= h.bufferStart)
            return std::nullopt;
        // The header blocks: the prefix word, the header block and the channel blocks, each
        // block starting with its own length. What follows them up to the buffer is dropped.
        place.fileStart = GetSubfileStart(0);
        std::uint64_t end = place.fileStart + (h.prefixVariant != 0 ? 1 : 0);
        const int blocks = 1 + (h.singleChannel ? 0 : h.channelCount);
        for (int b = 0; b < blocks; ++b) {
            if (!image.HasWords(end, 1) || image.Word(static_cast<std::uint32_t>(end)) == 0)
                return std::nullopt;
            end += image.Word(static_cast<std::uint32_t>(end));
        }
        if (end > h.bufferStart)
            return std::nullopt;
        place.headEnd = static_cast<std::uint32_t>(end);
        place.recordStart = h.bufferStart;
        place.recordWords = h.bufferDataStart - h.bufferStart;
        place.rowWords = h.singleChannel ? 1 : h.resultsPerRecord;
        place.checkWord = true;
        declared = h.shownRecordCount;
    } else if (m_FileKind == kKindAnalyzerFile || m_FileKind == kKindAnalyzerReduced) {
        const Setup505& s = m_Analyzer.setup;
        if (!m_Analyzer.decoded || !s.timeHistory)
            return std::nullopt;
        // The numbered spectra follow the setup header at once: the header is the head, and
        // there is no header record to move. The histogram behind them describes all of them.
        place.fileStart = s.subfileStart;
        place.headEnd = place.recordStart = s.subfileStart + s.headerLength;
        place.recordWords = 0;
        place.rowWords = s.RecordWords();
        place.checkWord = true;
        declared = s.recordCount;
    } else if (FindFileKind(m_FileKind).Family == KindFamily::Current && !IsCurrentMultifileKind(m_FileKind)) {
        const CurrentHeader& h = m_Current.header;
        if (!m_Current.decoded || !h.timeHistory || h.bufferRecord == 0)
            return std::nullopt;
        // Four-channel files keep descriptor records between the buffer record and the rows.
        const std::uint32_t rowStart = h.model.FourChannel ? FindBufferData(0) : h.bufferRecord + h.bufferRecordLength;
        if (rowStart <= h.bufferRecord)
            return std::nullopt;
        place.headEnd = place.recordStart = h.bufferRecord;
        place.recordWords = rowStart - h.bufferRecord;
        place.rowWords = h.rowLength;
        declared = h.shownRecordCount;
    } else {
        return std::nullopt;
    }
    if (place.rowWords == 0)
        return std::nullopt;
    if (m_RecordIndexPresent)
        declared = std::min(declared, m_RecordIndex.size());
    // A file cut short, or declaring more rows than it holds, is edited over the rows it has.
    place.records = RowsAfterRecord(image, place, declared);
    return place;
}

std::uint32_t CTmDoc::EditableRecordCount()
{
    const std::optional<BufferPlace> place = LocateEditableBuffer();
    return place ? place->records : 0;
}

BlockEditResult CTmDoc::EditBuffer(BlockEditOp op, std::int64_t markerA, std::int64_t markerB)
{
    if (op != BlockEditOp::Delete && op != BlockEditOp::Keep && op != BlockEditOp::Copy)
        return BlockEditResult::Nothing;
    const std::optional<BufferPlace> place = LocateEditableBuffer();
    if (!place)
        return BlockEditResult::Nothing;
    const std::optional<BlockRange> block = ClampBlock(markerA, markerB, place->records);
    if (!block)
        return BlockEditResult::Nothing;
    const std::uint32_t blockRecords = block->last - block->first + 1;
    const bool legacy = IsLegacyDocument();

    if (op == BlockEditOp::Copy) {
        m_App->HeldBlockImage = BuildBlockFile(*place, *block);
        m_App->HeldRecordCount = blockRecords;
        m_App->HeldFileKind = legacy ? kKindLegacyReduced : IsAnalyzerDocument() ? kKindAnalyzerReduced : kKindCurrentReduced;
        if (m_App->NewHiddenUnitDocument)
            m_App->NewHiddenUnitDocument();
        return BlockEditResult::Copied;
    }

    // Nothing would be left after which the end word could stand.
    if (op == BlockEditOp::Delete && blockRecords == place->records) {
        Ui().ShowMessage(kDeleteEverything, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        return BlockEditResult::Refused;
    }
    RecordIndex index;
    if (m_RecordIndexPresent)
        index = m_RecordIndex;
    else
        index.AppendRun(1, place->records);
    const std::uint32_t wordCount = EditRowsInPlace(m_Image, m_ByteCount, *place, *block, op, index);
    ApplyBufferEdit(wordCount, index.size(), std::move(index));
    return BlockEditResult::Edited;
}

void CTmDoc::ApplyBufferEdit(std::uint32_t wordCount, std::uint32_t records, RecordIndex index)
{
    // The data length follows the words the edit left, in bytes, as the container stores it.
    m_ByteCount = 2 * wordCount;
    if (IsLegacyDocument()) {
        // The header now runs straight into the buffer, as in a stored kind-10 file: decode it so.
        m_FileKind = kKindLegacyReduced;
        m_RecordIndex = index;
        m_RecordIndexPresent = true;
        if (DecodeLegacyHeader(0)) {
            SetLegacyBufferRecords(records, std::move(index));
            DecodeLegacyHeader(0);
        }
        SetViewMaskLegacy();
    } else if (IsAnalyzerDocument()) {
        // An edited ANALYZER-mode file brings its own RecordIndex; its header counts the rows kept.
        m_FileKind = kKindAnalyzerReduced;
        m_RecordIndex = std::move(index);
        m_RecordIndexPresent = true;
        m_Analyzer.ownRecordIndex = false;
        WriteRecordCount(0, records);
        DecodeSetup505(0);
        SetViewMask505();
    } else {
        m_FileKind = kKindCurrentReduced;
        SetBufferRecords(records, std::move(index));
    }
    m_ViewMask &= ~kViewMaskMainResults;
    m_Reduced = 1;
    SetModifiedFlag(true);
    // Also when a single record is left: a view still showing the old rows would read past them.
    if (m_App->UpdateAllViews)
        m_App->UpdateAllViews(*this);
}

std::vector<std::uint8_t> CTmDoc::BuildBlockFile(const BufferPlace& place, BlockRange block)
{
    // The header words carry the block's count while they are copied, then the document's again.
    const bool legacy = IsLegacyDocument();
    const std::uint32_t count = legacy                ? m_Legacy.header.declaredCount
                                : IsAnalyzerDocument() ? static_cast<std::uint32_t>(m_Analyzer.setup.spectraCount)
                                                       : m_Current.header.declaredCount;
    const int subfile = legacy ? m_Legacy.subfile : 0;
    WriteRecordCount(subfile, block.last - block.first + 1);
    std::vector<std::uint8_t> bytes = BuildBlockImage(Reader(), place, block, m_RecordIndex);
    WriteRecordCount(subfile, count);
    return bytes;
}

void CTmDoc::StoreReducedBuffer(Archive& archive)
{
    // A reduced buffer is stored as a copy of all its rows would be.
    const std::optional<BufferPlace> place = LocateEditableBuffer();
    if (!place || place->records == 0)
        throw ArchiveError("the kept records cannot be found");
    const std::vector<std::uint8_t> bytes = BuildBlockFile(*place, {0, place->records - 1});
    std::array<std::uint8_t, kContainerHeaderSize> header{};
    BuildContainerHeader(header, m_FileKind, m_SubKind, kFlagHeldOrReduced,
                         static_cast<std::uint32_t>(bytes.size() - 4ull * place->records));
    archive.Write(header);
    archive.Write(bytes);
    m_StoreEffects.mainResultsDropped = true;
}

bool CTmDoc::MarkImpulses(std::uint8_t mode, std::vector<std::uint8_t>& marks)
{
    marks.clear();
    // Only current-family loggers name impulse profiles.
    if (FindFileKind(m_FileKind).Family != KindFamily::Current)
        return false;
    const std::optional<BufferPlace> place = LocateEditableBuffer();
    if (!place)
        return false;
    const CurrentHeader& h = m_Current.header;
    marks.assign(place->records, 0);
    const ImageReader image = Reader();
    const std::uint32_t rowStart = place->recordStart + place->recordWords;
    // The level columns of the impulse profiles, in 0.1 dB, with their overload flags.
    auto column = [&](std::uint16_t profile, std::vector<std::int16_t>& levels, std::vector<std::uint8_t>* overload) {
        const int rank = profile == 0 ? 0 : ColumnIndexFromMask(h.profilesWithBuffer, profile - 1);
        if (rank <= 0 || static_cast<std::uint32_t>(rank) > place->rowWords)
            return false;
        const TimeHistoryColumn at{rowStart, static_cast<std::int16_t>(place->rowWords),
                                   static_cast<std::int16_t>(rank - 1)};
        std::vector<double> db(place->records);
        std::vector<std::uint8_t> flags(overload ? place->records : 0);
        const std::size_t read = ReadLevelRun(image, at, kCurrentLoggerCoding, 0, db, flags);
        levels.resize(read);
        for (std::size_t r = 0; r < read; ++r)
            levels[r] = static_cast<std::int16_t>(std::lround(db[r] * 10.0));
        if (overload)
            *overload = std::move(flags);
        return true;
    };
    if (mode & kImpulseModeDifference) {
        std::vector<std::int16_t> a, b;
        std::vector<std::uint8_t> overloadA;
        if (column(h.impulseProfile, a, &overloadA) && column(h.slowProfile, b, nullptr))
            MarkLevelDifference(a, b, overloadA, marks);
    }
    if (mode & kImpulseModePeak) {
        std::vector<std::int16_t> c;
        if (column(h.fastProfile, c, nullptr))
            MarkPeaks(c, ImpulseWindow(h.timeStep), marks);
    }
    return true;
}

} // namespace orlu
