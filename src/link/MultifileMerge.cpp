#include "link/MultifileMerge.h"

#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"
#include "document/container/ContainerLayout.h"
#include "document/texts/NumberTexts.h"
#include "platform/FixedTextDialogs.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>

namespace orlu {
namespace {

constexpr std::string_view kRejectionTexts[] = {
    "Buffer/logger files cannot be merged!",
    "Special files cannot be merged!",
    "Only simple files of the same structure can be merged!\n(buffers/loggers and setups are excluded).",
    "The file cannot be read!",
};

constexpr std::uint8_t kMergedMeter = 23;
constexpr std::uint8_t kMergedAnalyzer = 24;
/// The most header bytes a structure test reads.
constexpr std::size_t kMaxStructureBytes = 38;
constexpr std::size_t kBlock = 64 * 1024;

enum class Status { Completed, Memory, SendFailed, ReadFailed, Cancelled };

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t w)
{
    return static_cast<std::uint16_t>(bytes[2 * w] | bytes[2 * w + 1] << 8);
}

/// The ANALYZER-mode value compared between files: word 18 for the functions 1 and 2, else word 14.
std::uint16_t AnalyzerValue(std::span<const std::uint8_t> h)
{
    const std::uint16_t function = Word(h, 4);
    return Word(h, function == 1 || function == 2 ? 18 : 14);
}

bool AnalyzerHasTimeBits(std::span<const std::uint8_t> h)
{
    return (Word(h, 12) & 0x000C) != 0;
}

/// Current-family files: word 5 must be set and must not mark a setup file.
bool CurrentStructureAccepted(std::span<const std::uint8_t> h)
{
    const std::uint16_t w5 = Word(h, 5);
    return w5 != 0 && (w5 & 0x0200) == 0;
}

MultifileEntry MakeEntry(const std::string& name, std::uint8_t kind, std::uint32_t offset, std::uint32_t length)
{
    MultifileEntry e;
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), e.Name.begin());
    e.FileKind = kind;
    e.Offset = offset;
    e.Length = length;
    return e;
}

/// One source as the run sees it once it is identified.
struct Source {
    std::string name;        ///< entry name
    int requestKind = 3; ///< disk files are regular files until their kind says otherwise
    std::uint8_t mergedKind = 0;
    std::uint16_t headerBytes = 0;
    std::uint8_t subKind = 0;
    std::string request;       ///< unit: the file request
    std::size_t entry = 0;     ///< unit: the directory entry
    std::ifstream file;        ///< disk
    ContainerLayout layout;    ///< disk
};

class MergeRun {
public:
    MergeRun(CTmDoc& doc, UnitLink* link, CUnitDirectory* directory, TransferProgress& progress)
        : m_Doc(doc), m_Link(link), m_Directory(directory), m_Progress(progress)
    {
    }

    MergeOutcome Run();

private:
    std::uint32_t SourceCount() const;
    std::optional<MergeRejection> IdentifyUnit(std::uint32_t i, Source& s);
    std::optional<MergeRejection> IdentifyDisk(std::uint32_t i, Source& s);
    std::optional<MergeRejection> TestStructure(Source& s);
    bool CopyUnit(Source& s, TransferRequest& request);
    bool CopyDisk(Source& s, TransferRequest& request);
    bool Append(std::span<const std::uint8_t> bytes);
    /// Whether `size` more bytes (and a pad byte) fit in the image; else "Not enough memory ...".
    bool Fits(std::uint64_t size);
    /// After each block; a Cancel on USB stops at once, elsewhere after the file.
    bool Progress(std::uint64_t total, std::uint64_t done, TransferRequest& request);
    void ShowSummary(std::uint32_t n);
    bool Decode();
    UserInteraction& Ui() { return *m_Doc.App().Ui; }
    void Warn(std::string_view text) { Ui().ShowMessage(text, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning); }

    CTmDoc& m_Doc;
    UnitLink* m_Link;
    CUnitDirectory* m_Directory;
    TransferProgress& m_Progress;
    std::unique_ptr<LinkTransport> m_Transport;
    Status m_Status = Status::Completed;
    std::uint32_t m_Merged = 0;
    bool m_First = true;
    StructureWords m_Words;
    std::vector<MultifileEntry> m_List;
    std::uint8_t m_SubKind = 0;
    std::uint8_t m_Kind = 0;
    std::vector<std::uint8_t> m_NoFlags;
};

std::uint32_t MergeRun::SourceCount() const
{
    const std::size_t n = m_Link ? m_Directory->GetSelectedNames().size() : m_Doc.App().DiskFileItems.size();
    return static_cast<std::uint32_t>(std::min<std::size_t>(n, std::numeric_limits<std::uint32_t>::max()));
}

std::optional<MergeRejection> MergeRun::IdentifyUnit(std::uint32_t i, Source& s)
{
    const std::vector<std::string>& lines = m_Directory->GetSelectedNames();
    const std::vector<std::size_t>& entries = m_Directory->GetSelectedEntries();
    const std::vector<std::uint32_t>& data = m_Directory->GetSelectedData();
    s.entry = i < entries.size() ? entries[i] : m_Directory->GetEntryCount();
    if (s.entry >= m_Directory->GetEntryCount())
        return MergeRejection::Unreadable;
    const UnitDirEntry& entry = m_Directory->GetEntry(s.entry);
    s.name = MergedEntryName(entry.Name(), false);
    const std::uint32_t count = i < data.size() ? data[i] : entry.ItemData();
    const FileRequest built =
        BuildFileRequest(m_Link->deviceSelector, UnitLineLetter(lines[i]), s.name, count, m_Link->flags.oldUnitFirmware);
    // A letter the family does not serve has no request: nothing to merge.
    if (built.group.empty() || !built.fileKind)
        return MergeRejection::Special;
    s.requestKind = static_cast<int>(built.kind);
    if (built.kind == RequestKind::Other505 || built.kind == RequestKind::Buffer || built.kind == RequestKind::Setup)
        return MergeRejection::BufferOrSetup;
    const MergedKind merged = MergedKindForFileKind(s.requestKind, *built.fileKind);
    if (merged.headerBytes == 0)
        return MergeRejection::Special;
    s.mergedKind = merged.fileKind;
    s.requestKind = merged.requestKind;
    s.headerBytes = merged.headerBytes;
    s.subKind = m_Directory->UnitSubKind();
    s.request = built.text;
    return std::nullopt;
}

std::optional<MergeRejection> MergeRun::IdentifyDisk(std::uint32_t i, Source& s)
{
    const std::string& path = m_Doc.App().DiskFileItems[i];
    const std::size_t slash = path.find_last_of("/\\");
    s.name = MergedEntryName(slash == std::string::npos ? path : path.substr(slash + 1), true);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return MergeRejection::Unreadable;
    s.file.open(path, std::ios::binary);
    const std::uint64_t length = std::filesystem::file_size(path, ec);
    if (!s.file.is_open() || ec)
        return MergeRejection::Unreadable;
    const std::optional<ContainerLayout> layout = ReadContainerLayout(s.file, length);
    if (!layout)
        return MergeRejection::Unreadable;
    s.layout = *layout;
    // Disk files are taken as regular files whatever came before them. A
    // Multifile on disk holds no single file: its kind has no header length.
    const MergedKind merged = MergedKindForFileKind(s.requestKind, layout->fileKind);
    if (merged.headerBytes == 0)
        return MergeRejection::Special;
    s.mergedKind = merged.fileKind;
    s.requestKind = merged.requestKind;
    s.headerBytes = merged.headerBytes;
    s.subKind = layout->subKind;
    return std::nullopt;
}

std::optional<MergeRejection> MergeRun::TestStructure(Source& s)
{
    // The instrument's current-family files are not read in advance: their kind is their structure.
    const bool unitCurrent = m_Link && s.mergedKind != kMergedMeter && s.mergedKind != kMergedAnalyzer;
    if (unitCurrent || s.headerBytes > kMaxStructureBytes)
        return std::nullopt;
    std::array<std::uint8_t, kMaxStructureBytes> header{};
    const std::span<std::uint8_t> wanted(header.data(), s.headerBytes);
    if (m_Link) {
        std::uint32_t taken = 0;
        if (!m_Transport || !ReadFilePart(*m_Transport, s.requestKind + 1, s.name, s.headerBytes, wanted, taken) ||
            taken < s.headerBytes)
            return MergeRejection::Unreadable;
        if (m_Transport->IsUsb())
            m_Transport->Release();
    } else {
        if (s.layout.dataLength < s.headerBytes)
            return MergeRejection::Unreadable;
        s.file.clear();
        s.file.seekg(static_cast<std::streamoff>(s.layout.dataOffset));
        s.file.read(reinterpret_cast<char*>(header.data()), s.headerBytes);
        if (static_cast<std::size_t>(s.file.gcount()) != s.headerBytes)
            return MergeRejection::Unreadable;
    }
    const bool accepted = m_First ? m_Words.Remember(s.mergedKind, wanted) : m_Words.Matches(s.mergedKind, wanted);
    if (!accepted)
        return MergeRejection::OtherStructure;
    return std::nullopt;
}

bool MergeRun::Fits(std::uint64_t size)
{
    // The image counts its bytes in 32 bits: a Multifile cannot grow past them.
    if (m_Doc.ByteCount() + size + 1 <= std::numeric_limits<std::uint32_t>::max())
        return true;
    Ui().ShowMessage(DocMessageTable[kMsgNotEnoughMemory], kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
    m_Status = Status::Memory;
    return false;
}

bool MergeRun::Append(std::span<const std::uint8_t> bytes)
{
    // CopyIntoPages has said "Not enough memory ..." when it fails.
    if (!m_Doc.CopyIntoPages(bytes)) {
        m_Status = Status::Memory;
        return false;
    }
    return true;
}

bool MergeRun::Progress(std::uint64_t total, std::uint64_t done, TransferRequest& request)
{
    const TransferRequest r = m_Progress.SetProgress(ProgressCount(total, total), ProgressCount(done, total));
    if (r == TransferRequest::None)
        return true;
    request = r;
    if (m_Progress.UsbCancelPending()) {
        m_Status = Status::Cancelled;
        return false;
    }
    return true;
}

bool MergeRun::CopyUnit(Source& s, TransferRequest& request)
{
    LinkTransport& link = *m_Transport;
    if (!link.SendAndStartRead(s.request)) {
        m_Status = Status::SendFailed;
        return false;
    }
    const std::optional<std::uint32_t> count = ReadReplyHeader(link, m_Link->deviceSelector == kSelector505);
    if (!count) {
        m_Status = Status::ReadFailed;
        return false;
    }
    if (!Fits(*count))
        return false;
    m_List.back().Length = *count;
    std::vector<std::uint8_t> block(std::min<std::size_t>(kBlock, *count));
    for (std::uint64_t done = 0; done < *count;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), *count - done));
        std::size_t got = 0;
        if (!link.ReadBytes(std::span(block.data(), want), got)) {
            m_Status = Status::ReadFailed;
            return false;
        }
        if (!Append(std::span(block.data(), got)))
            return false;
        done += got;
        if (!Progress(*count, done, request))
            return false;
    }
    return true;
}

bool MergeRun::CopyDisk(Source& s, TransferRequest& request)
{
    s.file.clear();
    if (!s.file.seekg(static_cast<std::streamoff>(s.layout.dataOffset))) {
        m_Status = Status::ReadFailed;
        return false;
    }
    const std::uint64_t size = s.layout.dataLength;
    if (!Fits(size))
        return false;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size)));
    for (std::uint64_t done = 0; done < size;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - done));
        s.file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(want));
        if (static_cast<std::size_t>(s.file.gcount()) != want) {
            m_Status = Status::ReadFailed; // the file became shorter while it was read
            return false;
        }
        if (!Append(std::span(block.data(), want)))
            return false;
        done += want;
        if (!Progress(size, done, request))
            return false;
    }
    return true;
}

MergeOutcome MergeRun::Run()
{
    const std::uint32_t n = SourceCount();
    const bool unit = m_Link != nullptr;
    AppContext& app = m_Doc.App();
    std::optional<MergeRejection> lastReason;
    bool reasonShown = false;
    bool rejected = false;

    if (unit) {
        m_Transport = m_Link->OpenPort(ComProfile::Commands);
        if (!m_Transport)
            m_Status = Status::SendFailed;
    }
    const std::string target = StrPrintf(DocMessageTable[kMsgTitleMultifile].data(), static_cast<int>(app.MultifileTitleCounter));
    m_Progress.Begin(unit ? "Merging files from the ORLU unit" : "Merging files from disk");
    TransferRequest request = TransferRequest::None;
    for (std::uint32_t i = 0; i < n && m_Status == Status::Completed && request == TransferRequest::None; ++i) {
        // The reason of the first rejected file is shown before the next file is taken.
        if (rejected && lastReason && !reasonShown) {
            m_Progress.End();
            Warn(MergeRejectionText(*lastReason));
            m_Progress.Begin(unit ? "Merging files from the ORLU unit" : "Merging files from disk");
            reasonShown = true;
        }
        rejected = true;
        Source s;
        std::optional<MergeRejection> reason = unit ? IdentifyUnit(i, s) : IdentifyDisk(i, s);
        if (!reason && !m_First && s.mergedKind != m_Kind)
            reason = MergeRejection::OtherStructure;
        if (!reason)
            reason = TestStructure(s);
        if (!reason && m_List.size() >= std::numeric_limits<std::uint16_t>::max())
            reason = MergeRejection::Special; // no sub-file number left
        if (reason) {
            if (!reasonShown)
                lastReason = reason;
            continue;
        }
        if (m_First) {
            m_Kind = s.mergedKind;
            m_SubKind = s.subKind;
        }
        rejected = false;
        m_Progress.SetText(std::string(UnitFileKindName(s.requestKind)) + ":  " + s.name + "  -->  " + target);
        m_List.push_back(MakeEntry(s.name, m_Kind, m_Doc.ByteCount(), static_cast<std::uint32_t>(s.layout.dataLength)));
        const bool copied = unit ? CopyUnit(s, request) : CopyDisk(s, request);
        if (unit && m_Transport && m_Transport->IsUsb())
            m_Transport->Release();
        if (!copied)
            break;
        // Sub-files start on a word: a file of odd length is followed by one zero byte.
        static constexpr std::uint8_t kPad = 0;
        if ((m_Doc.ByteCount() & 1u) != 0 && !Append(std::span(&kPad, 1)))
            break;
        ++m_Merged;
        if (std::vector<std::uint8_t>& flags = m_Directory ? m_Directory->GetSelectionFlags() : m_NoFlags;
            s.entry < flags.size())
            flags[s.entry] = 0;
        m_First = false;
    }
    m_Progress.End();

    bool made = m_Status == Status::Completed && m_Merged > 0;
    if (made) {
        if (rejected && !reasonShown) {
            const bool family505 = unit ? m_Link->deviceSelector == kSelector505
                                        : (m_Kind == kMergedMeter || m_Kind == kMergedAnalyzer);
            Warn(DocMessageTable[family505 ? kMsgMergeSimplestOnly : kMsgMergeRegularOnly]);
        }
        std::vector<MultifileEntry> sorted;
        for (const MultifileEntry& e : m_List)
            InsertSorted(sorted, e);
        m_Doc.SetMerged(m_Kind, m_SubKind, std::move(sorted));
        made = Decode();
    }
    if (m_Transport)
        m_Transport->Release();
    if (unit)
        m_Directory->ClearSelection();
    ShowSummary(n);
    return {made, n - m_Merged};
}

bool MergeRun::Decode()
{
    // The merged document is decoded as a stored Multifile of its kind is on loading.
    const FamilyLoader load = FindFamilyLoader(FindFileKind(m_Kind).Family);
    LoadOutcome outcome = LoadOutcome::NotDecoded;
    try {
        if (load)
            outcome = load(m_Doc);
    } catch (const ImageRangeError&) {
        outcome = LoadOutcome::Rejected;
    }
    if (outcome == LoadOutcome::Rejected) {
        Warn(DocMessageTable[kMsgImproperContents]);
        m_Doc.SetFileKind(kKindUnreadable);
        m_Doc.SetViewMask(kViewMaskHexa);
    } else if (outcome == LoadOutcome::NotDecoded) {
        m_Doc.SetViewMask(m_Doc.GetViewMask() | kViewMaskHexa);
    }
    return true;
}

void MergeRun::ShowSummary(std::uint32_t n)
{
    UserInteraction& ui = Ui();
    switch (m_Status) {
    case Status::Completed:
        ui.ShowMessage(StrPrintf("Merge operation completed O.K.\n%u file(s) used\n%u file(s) ignored", m_Merged,
                                 n - m_Merged),
                       kMessageCaption, MessageButtons::Ok, MessageIcon::Information);
        break;
    case Status::Memory:
        break; // "Not enough memory ..." has been shown where the memory ran out
    case Status::SendFailed:
    case Status::ReadFailed:
        // A link that could not be opened has shown the connection dialog already.
        if (m_Transport)
            ShowFixedText(ui, kUnitModeUnknownText);
        [[fallthrough]];
    case Status::Cancelled:
        Warn(DocMessageTable[kMsgMergeFailed]);
        break;
    }
}

} // namespace

std::string_view MergeRejectionText(MergeRejection reason)
{
    return kRejectionTexts[static_cast<int>(reason)];
}

void InsertSorted(std::vector<MultifileEntry>& list, const MultifileEntry& entry)
{
    const SplitName key = SplitTrailingNumber(entry.NameText());
    const auto after = std::upper_bound(list.begin(), list.end(), key, [](const SplitName& k, const MultifileEntry& e) {
        const SplitName other = SplitTrailingNumber(e.NameText());
        const int c = k.stem.compare(other.stem);
        return c < 0 || (c == 0 && k.number < other.number);
    });
    list.insert(after, entry);
}

std::string MergedEntryName(std::string_view name, bool diskFile)
{
    std::size_t end = name.find(' ');
    if (diskFile)
        end = std::min(end, name.find('.'));
    return std::string(name.substr(0, std::min<std::size_t>(end, 8)));
}

bool StructureWords::Remember(std::uint8_t mergedKind, std::span<const std::uint8_t> header)
{
    if (mergedKind == kMergedMeter) {
        m_Word0 = Word(header, 0);
        m_Word3 = (m_Word0 & 0x4000) ? 0 : Word(header, 3);
        return true;
    }
    if (mergedKind == kMergedAnalyzer) {
        m_Word0 = Word(header, 0);
        m_Word3 = Word(header, 3);
        m_Word4 = Word(header, 4);
        m_Value = AnalyzerValue(header);
        return (m_Word0 & 0x4000) == 0 && !AnalyzerHasTimeBits(header) && m_Value == 1;
    }
    return CurrentStructureAccepted(header);
}

bool StructureWords::Matches(std::uint8_t mergedKind, std::span<const std::uint8_t> header) const
{
    if (mergedKind == kMergedMeter)
        return Word(header, 0) == m_Word0 && ((m_Word0 & 0x4000) != 0 || Word(header, 3) == m_Word3);
    if (mergedKind == kMergedAnalyzer)
        return Word(header, 0) == m_Word0 && Word(header, 4) == m_Word4 && !AnalyzerHasTimeBits(header) &&
               AnalyzerValue(header) == m_Value;
    return CurrentStructureAccepted(header);
}

bool ReadFilePart(LinkTransport& link, int type, std::string_view name, std::uint32_t wanted,
                  std::span<std::uint8_t> destination, std::uint32_t& taken)
{
    if (!link.SendText(StrPrintf(";#4,%d,%s,0,%u;", type, std::string(name).c_str(), wanted / 2)))
        return false;
    const std::optional<std::uint32_t> count = ReadReplyHeader(link, true);
    if (!count)
        return false;
    std::array<std::uint8_t, 256> scratch;
    std::uint64_t done = 0;
    if (*count >= wanted && wanted <= destination.size()) {
        std::size_t got = 0;
        if (!link.ReadBytes(destination.first(wanted), got))
            return false;
        done = wanted;
    }
    // The rest of the reply is read and dropped, each byte within its deadline.
    while (done < *count) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(scratch.size(), *count - done));
        std::size_t got = 0;
        if (!link.ReadBytes(std::span(scratch.data(), want), got))
            return false;
        done += got;
    }
    taken = *count;
    return true;
}

MergeOutcome MergeFiles(CTmDoc& doc, UnitLink* link, CUnitDirectory* directory, TransferProgress& progress)
{
    return MergeRun(doc, link, directory, progress).Run();
}

void InstallDiskMerge(AppContext& app)
{
    app.Fillers.MergeFiles = [overLinkMerge = app.Fillers.MergeFiles](CTmDoc& doc, bool overLink) {
        if (overLink) {
            if (overLinkMerge)
                return overLinkMerge(doc, true);
            doc.App().Ui->ShowMessage("Merging files from the instrument is not available", kMessageCaption,
                                      MessageButtons::Ok, MessageIcon::Warning);
            return false;
        }
        TransferProgress progress;
        return MergeFiles(doc, nullptr, nullptr, progress).made;
    };
}

} // namespace orlu
