// Loading and storing the measurement container (.orl) and the DOS *.M and
// *.A files. See ContainerHeader.h for the header and directory layout; after
// the data come, by kind, the RecordIndex of an edited file (32-bit values to
// the end of the file) or the reverberation-time blocks (a 32-bit length, then
// that many bytes; the 1/3-octave block first).
//
// DOS form: "M-WY-" or "A-WY-", a version digit, a byte not used, the sub-kind
// (taken when the digit is '4' or above), a 16-bit count N, N bytes skipped,
// then the instrument file to the end.

#include "document/CTmDoc.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace orlu {

namespace {

constexpr std::uint32_t kDosPrefixLength = 10;

std::uint32_t HeaderLe32(const std::array<std::uint8_t, kMaxContainerHeaderSize>& h, std::uint32_t offset)
{
    return h[offset] | (h[offset + 1] << 8) | (h[offset + 2] << 16) | (static_cast<std::uint32_t>(h[offset + 3]) << 24);
}

} // namespace

void CTmDoc::Serialize(Archive& archive)
{
    WaitCursor wait(Ui());
    m_FileName = archive.FileName();
    if (archive.IsLoading())
        LoadContainer(archive);
    else
        StoreContainer(archive);
}

// ---- Load ----

CTmDoc::HeaderCheck CTmDoc::ReadHeader(Archive& archive)
{
    std::uint8_t b = 0;
    if (!archive.ReadByte(b))
        return HeaderCheck::EndOfFile;
    if (b == static_cast<std::uint8_t>(kContainerSignature[0])) {
        for (std::uint32_t i = 1; i < kSignatureBytesCompared; ++i) {
            if (!archive.ReadByte(b))
                return HeaderCheck::EndOfFile;
            if (b != static_cast<std::uint8_t>(kContainerSignature[i]))
                return HeaderCheck::Mismatch;
        }
        for (std::uint32_t i = kSignatureBytesCompared; i < kHeaderKindOffset; ++i)
            if (!archive.ReadByte(m_HeaderBuffer[i]))
                return HeaderCheck::EndOfFile;
        std::uint32_t headerLength = m_HeaderBuffer[8] | (m_HeaderBuffer[9] << 8);
        if (headerLength < kContainerHeaderSize || headerLength > kMaxContainerHeaderSize)
            return HeaderCheck::Mismatch;
        // Bytes past 18 of a longer header are read and not used.
        std::uint32_t rest = headerLength - kHeaderKindOffset;
        if (archive.Read(m_HeaderBuffer.data() + kHeaderKindOffset, rest) != rest)
            return HeaderCheck::EndOfFile;
        return HeaderCheck::Accepted;
    }
    if (b != 'A' && b != 'M')
        return HeaderCheck::Mismatch;
    const std::uint8_t letter = b;
    for (char expected : {'-', 'W', 'Y', '-'}) {
        if (!archive.ReadByte(b))
            return HeaderCheck::EndOfFile;
        if (b != static_cast<std::uint8_t>(expected))
            return HeaderCheck::Mismatch;
    }
    for (std::uint32_t i = 5; i < kDosPrefixLength; ++i)
        if (!archive.ReadByte(m_HeaderBuffer[i]))
            return HeaderCheck::EndOfFile;
    const int version = m_HeaderBuffer[5] - '0';
    m_HeaderBuffer[kHeaderKindOffset] = letter == 'A' ? 4 : 3;
    m_HeaderBuffer[kHeaderSubKindOffset] = version >= 4 ? m_HeaderBuffer[7] : 0;
    m_HeaderBuffer[kHeaderFlagsOffset] = 0;
    std::uint32_t skipped = m_HeaderBuffer[8] | (m_HeaderBuffer[9] << 8);
    std::uint8_t scratch[512];
    while (skipped > 0) {
        std::uint32_t take = std::min<std::uint32_t>(skipped, sizeof scratch);
        if (archive.Read(scratch, take) != take)
            return HeaderCheck::EndOfFile;
        skipped -= take;
    }
    return HeaderCheck::Accepted;
}

std::uint8_t* CTmDoc::AppendPage()
{
    std::uint8_t* page = m_Pool.Alloc(PagedFileImage::kPageSize);
    if (page)
        m_Image.AppendPage(page);
    return page;
}

bool CTmDoc::ReadDataIntoPages(Archive& archive, std::uint64_t dataBytes)
{
    // The current page is the image's last one, partly filled when the byte count is not a multiple of 512.
    std::uint8_t* page = m_Image.WritablePage(m_Image.PageCount() - 1);
    std::uint32_t fill = m_ByteCount % PagedFileImage::kPageSize;
    const std::uint64_t end = m_ByteCount + dataBytes;
    m_Image.Reserve(static_cast<std::uint32_t>(end / PagedFileImage::kPageSize + 1));
    while (m_ByteCount < end) {
        std::uint32_t want = static_cast<std::uint32_t>(std::min<std::uint64_t>(PagedFileImage::kPageSize - fill, end - m_ByteCount));
        std::uint32_t got = static_cast<std::uint32_t>(archive.Read(page + fill, want));
        fill += got;
        m_ByteCount += got;
        // A filled page is followed by the next one at once, so 512 bytes of data leave two pages.
        if (fill == PagedFileImage::kPageSize) {
            page = AppendPage();
            if (!page)
                return false;
            fill = 0;
        }
        if (got < want)
            break;
    }
    return true;
}

void CTmDoc::LoadWholeFileForHexa(Archive& archive)
{
    // A rejected file shows in the Hexa view exactly as it is, from byte 0.
    m_FileKind = kKindUnreadable;
    m_Subfiles.clear();
    m_Image.Clear();
    m_Pool.FreeAll();
    m_ByteCount = 0;
    archive.SeekTo(0);
    const std::uint64_t length = archive.FileLength();
    if (length > std::numeric_limits<std::uint32_t>::max() || !AppendPage() || !ReadDataIntoPages(archive, length)) {
        ReportLoadError(Ui(), archive, kLoadOutOfMemory);
        return;
    }
    m_ViewMask = (m_ViewMask | kViewMaskHexa) & ~kViewMaskSettings;
}

bool CTmDoc::ReadDirectory(Archive& archive)
{
    std::uint32_t nextLink = 0;
    do {
        std::array<std::uint8_t, kMultifileEntrySize> bytes{};
        if (archive.Read(bytes.data(), bytes.size()) != bytes.size())
            return false;
        if (m_Subfiles.size() == std::numeric_limits<std::uint16_t>::max())
            return false; // more entries than a sub-file number can count
        m_Subfiles.push_back(MultifileEntry::Parse(bytes, nextLink));
    } while (nextLink != 0);
    return true;
}

bool CTmDoc::DirectoryFitsData(std::uint64_t dataBytes) const
{
    // Sub-files are addressed by word, so each must start on an even byte and lie inside the data.
    return !m_Subfiles.empty() && std::all_of(m_Subfiles.begin(), m_Subfiles.end(), [&](const MultifileEntry& e) {
        return (e.Offset & 1u) == 0 && std::uint64_t{e.Offset} + e.Length <= dataBytes;
    });
}

bool CTmDoc::ReadReverbBlock(Archive& archive, RtSet slot)
{
    std::uint32_t length = 0;
    if (!archive.ReadLe32(length)) {
        ReportLoadError(Ui(), archive, kLoadUnexpectedEnd);
        ReportLoadError(Ui(), archive, kLoadImproperContents);
        return false;
    }
    // The length is checked before any memory is taken: a block larger than a pool
    // chunk can never be held, and one that claims more than the file holds is damaged.
    if (length > PagePool::kChunkSize) {
        ReportLoadError(Ui(), archive, kLoadOutOfMemory);
        return false;
    }
    if (length > archive.BytesLeft()) {
        ReportLoadError(Ui(), archive, kLoadImproperContents);
        return false;
    }
    std::uint8_t* block = m_Pool.Alloc(length);
    if (!block) {
        ReportLoadError(Ui(), archive, kLoadOutOfMemory);
        return false;
    }
    if (archive.Read(block, length) != length) {
        ReportLoadError(Ui(), archive, kLoadImproperContents);
        return false;
    }
    m_Rt[slot].Saved = block;
    m_Rt[slot].SavedBytes = length;
    return true;
}

void CTmDoc::DecodeByKind(Archive& archive, KindFamily family)
{
    if (family == KindFamily::Settings) {
        m_ViewMask |= kViewMaskSettings | kViewMaskHexa;
        return;
    }
    if (FamilyLoader load = FindFamilyLoader(family)) {
        LoadOutcome outcome = LoadOutcome::Rejected;
        try {
            outcome = load(*this);
        } catch (const ImageRangeError&) {
            outcome = LoadOutcome::Rejected; // a decoder that reads past the file rejects it
        }
        if (outcome == LoadOutcome::Decoded)
            return;
        if (outcome == LoadOutcome::Rejected) {
            ReportLoadError(Ui(), archive, kLoadImproperContents);
            m_FileKind = kKindUnreadable;
            m_ViewMask = kViewMaskHexa;
        }
    }
    m_ViewMask = (m_ViewMask | kViewMaskHexa) & ~kViewMaskSettings;
}

void CTmDoc::LoadContainer(Archive& archive)
{
    try {
        HeaderCheck header = ReadHeader(archive);
        if (header != HeaderCheck::Accepted) {
            ReportLoadError(Ui(), archive,
                            header == HeaderCheck::EndOfFile ? kLoadImproperContents : kLoadUnrecognizedContents);
            LoadWholeFileForHexa(archive);
            return;
        }
        if (!AppendPage()) {
            ReportLoadError(Ui(), archive, kLoadOutOfMemory);
            return;
        }

        const FileKindInfo kind = FindFileKind(m_HeaderBuffer[kHeaderKindOffset]);
        m_FileKind = kind.LoadAs;
        m_SubKind = m_HeaderBuffer[kHeaderSubKindOffset];
        const std::uint8_t flags = m_HeaderBuffer[kHeaderFlagsOffset];
        m_Rt[kRtThirdOctave].BlockInFile = (flags & kFlagRtThirdOctave) != 0;
        m_Rt[kRtOctave].BlockInFile = (flags & kFlagRtOctave) != 0;
        const bool lengthHonoured =
            (flags & (kFlagRtThirdOctave | kFlagRtOctave)) != 0 || (kind.Traits & kKindRecordIndex) != 0;

        if ((kind.Traits & kKindMultifile) && !ReadDirectory(archive)) {
            ReportLoadError(Ui(), archive, kLoadImproperContents);
            LoadWholeFileForHexa(archive);
            return;
        }
        const std::uint64_t rest = archive.BytesLeft();
        const std::uint64_t dataBytes =
            lengthHonoured ? std::min<std::uint64_t>(HeaderLe32(m_HeaderBuffer, kHeaderDataLengthOffset), rest) : rest;
        if ((kind.Traits & kKindMultifile) && !DirectoryFitsData(dataBytes)) {
            ReportLoadError(Ui(), archive, kLoadImproperContents);
            LoadWholeFileForHexa(archive);
            return;
        }
        if (dataBytes > std::numeric_limits<std::uint32_t>::max() || !ReadDataIntoPages(archive, dataBytes)) {
            ReportLoadError(Ui(), archive, kLoadOutOfMemory);
            return;
        }

        if ((kind.Traits & kKindChecksum) && !VerifyChecksum(m_Image, m_ByteCount))
            ReportLoadError(Ui(), archive, kLoadChecksumInvalid);

        if (kind.Traits & kKindRecordIndex) {
            std::uint32_t value = 0;
            while (archive.ReadLe32(value))
                m_RecordIndex.push_back(value);
            m_RecordIndexPresent = !m_RecordIndex.empty();
        }

        for (RtSet slot : {kRtThirdOctave, kRtOctave})
            if (m_Rt[slot].BlockInFile && !ReadReverbBlock(archive, slot))
                return;

        DecodeByKind(archive, kind.Family);
    } catch (const ArchiveError&) {
        ReportLoadError(Ui(), archive, kLoadUnknownFailure);
        throw;
    }
}

// ---- Store ----

bool CTmDoc::OnSaveDocument(const std::filesystem::path& path)
{
    if (!DocumentBase::OnSaveDocument(path))
        return false; // not written: the document stays as it was, unsaved data and all
    ApplyStoreEffects();
    return true;
}

void CTmDoc::StoreContainer(Archive& archive)
{
    m_StoreEffects = {};
    if (m_Hidden)
        StoreHeldData(archive);
    else if (m_Reduced && m_Current.decoded && m_Current.header.timeHistory && FindFileKind(m_FileKind).Family == KindFamily::Current)
        StoreReducedCurrent(archive);
    else if (m_Reduced && m_Legacy.decoded && m_Legacy.header.timeHistory && IsLegacyDocument())
        StoreReducedLegacy(archive);
    else if (m_Reduced && m_Analyzer.decoded && m_Analyzer.setup.timeHistory && IsAnalyzerDocument())
        StoreReducedBuffer(archive);
    else
        StoreDocument(archive);
}

void CTmDoc::ApplyStoreEffects()
{
    for (RtSet slot : {kRtThirdOctave, kRtOctave}) {
        RtBandSet& set = m_Rt[slot];
        if (m_StoreEffects.rtBecomesSaved[slot] && set.Current && set.Saved && set.SavedBytes == set.CurrentBytes)
            std::memcpy(set.Saved, set.Current, set.CurrentBytes);
    }
    if (m_StoreEffects.mainResultsDropped)
        m_ViewMask &= ~kViewMaskMainResults;
    m_StoreEffects = {};
    m_App->PendingDocSource = kPendingNone;
    if (m_UnsavedData) {
        m_UnsavedData = 0;
        --m_App->UnsavedDocumentCount;
    }
}

void CTmDoc::StoreHeldData(Archive& archive)
{
    const std::vector<std::uint8_t>& held = m_App->HeldBlockImage;
    const std::uint64_t indexBytes = 4ull * m_App->HeldRecordCount;
    if (indexBytes > held.size())
        throw ArchiveError("the held block is shorter than its record index");
    std::array<std::uint8_t, kContainerHeaderSize> header{};
    BuildContainerHeader(header, m_App->HeldFileKind, m_SubKind, kFlagHeldOrReduced,
                         static_cast<std::uint32_t>(held.size() - indexBytes));
    archive.Write(header);
    archive.Write(held);
}

bool CTmDoc::RtSetIsStored(const RtBandSet& set) const
{
    if (set.Current)
        return set.ComputedFlag && !RtBandRecordsEmpty(set.CurrentRecords());
    // Records no decoder took over stay as the file brought them.
    return set.Saved != nullptr;
}

void CTmDoc::WriteReverbBlock(Archive& archive, bool write, RtSet slot)
{
    const RtBandSet& set = m_Rt[slot];
    std::span<const std::uint8_t> records = set.Current ? set.CurrentRecords() : set.SavedRecords();
    if (write) {
        archive.WriteLe32(static_cast<std::uint32_t>(records.size()));
        archive.Write(records);
    }
    m_StoreEffects.rtBecomesSaved[slot] = true;
}

void CTmDoc::StoreDocument(Archive& archive)
{
    const FileKindInfo kind = FindFileKind(m_FileKind);
    // An edited file keeps its RecordIndex up to the end of the file, so it can carry no RT block.
    const bool keepsIndex = (kind.Traits & kKindRecordIndex) != 0;
    std::uint8_t flags = 0;
    if (!keepsIndex) {
        if (RtSetIsStored(m_Rt[kRtThirdOctave]))
            flags |= kFlagRtThirdOctave;
        if (RtSetIsStored(m_Rt[kRtOctave]))
            flags |= kFlagRtOctave;
    }
    // A file whose logger was split is stored as it was read.
    const PagedFileImage& source = AsLoadedImage();
    const std::uint32_t byteCount = AsLoadedByteCount();
    std::array<std::uint8_t, kContainerHeaderSize> header{};
    BuildContainerHeader(header, m_FileKind, m_SubKind, flags, byteCount);
    archive.Write(header);

    if (kind.Traits & kKindMultifile) {
        for (std::size_t i = 0; i < m_Subfiles.size(); ++i) {
            std::array<std::uint8_t, kMultifileEntrySize> entry{};
            const bool last = i + 1 == m_Subfiles.size();
            m_Subfiles[i].Write(entry, static_cast<std::uint32_t>(i), last ? 0 : static_cast<std::uint32_t>(i + 2));
            archive.Write(entry);
        }
    }

    for (std::uint32_t offset = 0; offset < byteCount; offset += PagedFileImage::kPageSize) {
        std::uint32_t bytes = std::min(byteCount - offset, PagedFileImage::kPageSize);
        archive.Write(std::span<const std::uint8_t>(source.Page(offset / PagedFileImage::kPageSize), bytes));
    }

    if (keepsIndex) {
        for (std::uint32_t value : m_RecordIndex)
            archive.WriteLe32(value);
        return;
    }
    if (m_Rt[kRtThirdOctave].Current || m_Rt[kRtThirdOctave].Saved)
        WriteReverbBlock(archive, (flags & kFlagRtThirdOctave) != 0, kRtThirdOctave);
    if (m_Rt[kRtOctave].Current || m_Rt[kRtOctave].Saved)
        WriteReverbBlock(archive, (flags & kFlagRtOctave) != 0, kRtOctave);
}

} // namespace orlu
