#include "link/CUnitDirectory.h"

#include "platform/FixedTextDialogs.h"

#include <algorithm>
#include <climits>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kDirectoryTitle = "Reading ORLU directory contents";
constexpr std::string_view kDirectoryText = "Special file:  \\";
constexpr std::string_view kHeadersTitle = "Reading the files' headers ...";
constexpr std::string_view kDirectoryRequest = ";#4,0,\\;";
constexpr std::string_view kNoMemory = "Not enough memory to load entire file";
constexpr std::uint8_t kTypeMeter = 1;
constexpr std::uint8_t kTypeAnalyzer = 2;
constexpr int kHeaderWords = 8;

int ClampToInt(std::uint64_t value)
{
    return static_cast<int>(std::min<std::uint64_t>(value, INT_MAX));
}

/// Reads and drops `count` bytes; false when one does not come.
bool DropBytes(LinkTransport& link, std::uint64_t count)
{
    std::array<std::uint8_t, 512> sink;
    while (count > 0) {
        const std::size_t block = static_cast<std::size_t>(std::min<std::uint64_t>(count, sink.size()));
        std::size_t got = 0;
        if (!link.ReadBytes(std::span(sink.data(), block), got))
            return false;
        count -= block;
    }
    return true;
}

} // namespace

ReplyOutcome ReadDirectoryRecords(LinkTransport& link, std::uint32_t count, TransferProgress& progress,
                                  std::vector<UnitDirEntry>& entries)
{
    const std::uint64_t records = (std::uint64_t{count} + UnitDirEntry::kSize - 1) / UnitDirEntry::kSize;
    std::array<std::uint8_t, UnitDirEntry::kSize> record;
    for (std::uint64_t r = 0; r < records; ++r) {
        std::size_t got = 0;
        if (!link.ReadBytes(record, got))
            return ReplyOutcome::Failed;
        entries.emplace_back(std::span<const std::uint8_t, UnitDirEntry::kSize>(record));
        if (progress.SetProgress(ClampToInt(records), ClampToInt(r + 1)) != TransferRequest::None)
            return ReplyOutcome::Cancelled;
    }
    return ReplyOutcome::Complete;
}

bool CUnitDirectory::ReadDirectory(UnitLink& link, TransferProgress& progress)
{
    UserInteraction& ui = link.Ui();
    WaitCursor wait(ui);
    ClearEntries();
    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands);
    if (!transport)
        return false;
    m_UnitSubKind = 0;
    m_DeviceType = 0;
    if (link.deviceSelector != kSelectorMonitor) {
        const IdentifyOutcome id =
            IdentifyUnit(*transport, ui, &link.deviceSelector, true, link.flags,
                         static_cast<std::size_t>(link.timing.identifyReplyLimit));
        if (id.result == kIdentifyNoReply || id.result == kIdentifyRefused) {
            transport->Release();
            // A refused unit has had its message; a silent one would leave the
            // user with nothing at all.
            if (id.result == kIdentifyNoReply)
                ShowFixedText(ui, kUnitModeUnknownText);
            ClearEntries();
            return false;
        }
        if (link.deviceSelector == kSelector505 && id.identity.eVersion)
            m_UnitSubKind = 1;
        m_DeviceType = id.identity.deviceType;
    }

    progress.Begin(std::string(kDirectoryTitle));
    progress.SetText(std::string(kDirectoryText));
    ReplyOutcome outcome = ReplyOutcome::Failed;
    const bool unit505 = link.deviceSelector == kSelector505;
    for (int attempt = 0; attempt < link.timing.directoryAttempts; ++attempt) {
        if (!transport->SendAndStartRead(kDirectoryRequest))
            break;
        const std::optional<std::uint32_t> count = ReadReplyHeader(*transport, unit505);
        if (!count)
            continue;
        try {
            outcome = ReadDirectoryRecords(*transport, *count, progress, m_Entries);
        } catch (const std::bad_alloc&) {
            m_Entries = {};
            ui.ShowMessage(kNoMemory, kMessageCaption);
        }
        break;
    }
    progress.End();
    transport->Release();

    if (outcome == ReplyOutcome::Complete) {
        m_Selected.assign(m_Entries.size(), 0);
        m_DirectoryStale = false;
        m_ReadTime = wallClock();
        return true;
    }
    if (outcome == ReplyOutcome::Failed)
        ShowFixedText(ui, kUnitModeUnknownText);
    ClearEntries();
    return false;
}

bool CUnitDirectory::ReadFileHeaders(UnitLink& link, TransferProgress& progress)
{
    ClearHeaders();
    if (link.deviceSelector != kSelector505)
        return true;
    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands);
    if (!transport)
        return false;
    progress.Begin(std::string(kHeadersTitle));
    const int total = ClampToInt(std::max<std::size_t>(m_Entries.size(), 1));
    bool ok = true;
    for (std::size_t i = 0; i < m_Entries.size() && ok; ++i) {
        const UnitDirEntry& entry = m_Entries[i];
        UnitFileHeader header;
        const std::uint8_t type = entry.Type();
        if (!entry.IsEmpty() && entry.Size() != 0 && (type == kTypeMeter || type == kTypeAnalyzer)) {
            // A reduced read: the reply may hold more than asked for, the rest is dropped.
            const std::string request =
                ";#4," + std::to_string(type) + "," + entry.Name() + ",0," + std::to_string(kHeaderWords) + ";";
            const std::optional<std::uint32_t> count =
                transport->SendAndStartRead(request) ? ReadReplyHeader(*transport, true) : std::nullopt;
            std::size_t got = 0;
            if (!count)
                ok = false;
            else if (*count < header.bytes.size())
                ok = DropBytes(*transport, *count);
            else
                ok = transport->ReadBytes(header.bytes, got) && DropBytes(*transport, *count - header.bytes.size());
        }
        m_Headers.push_back(header);
        progress.SetProgress(total, ClampToInt(i + 1));
    }
    progress.End();
    transport->Release();
    if (!ok) {
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
        ClearHeaders();
        return false;
    }
    m_HeadersStale = false;
    m_ReadTime = wallClock();
    return true;
}

void CUnitDirectory::Assign(std::vector<UnitDirEntry> entries, std::vector<UnitFileHeader> headers)
{
    m_Entries = std::move(entries);
    m_Headers = std::move(headers);
    m_Selected.assign(m_Entries.size(), 0);
    ClearSelection();
    m_DirectoryStale = false;
    m_HeadersStale = m_Headers.empty();
}

int CUnitDirectory::FindEntry(std::string_view name, std::uint8_t type) const
{
    for (std::size_t i = 0; i < m_Entries.size(); ++i)
        if (m_Entries[i].Type() == type && m_Entries[i].Name() == name)
            return static_cast<int>(i);
    return -1;
}

void CUnitDirectory::PutEntry(int at, const UnitDirEntry& entry, const UnitFileHeader& header)
{
    const bool keepHeader = !m_HeadersStale && m_Headers.size() == m_Entries.size();
    if (at >= 0 && static_cast<std::size_t>(at) < m_Entries.size()) {
        m_Entries[static_cast<std::size_t>(at)] = entry;
        if (keepHeader)
            m_Headers[static_cast<std::size_t>(at)] = header;
        return;
    }
    m_Entries.push_back(entry);
    m_Selected.push_back(0);
    if (keepHeader)
        m_Headers.push_back(header);
}

void CUnitDirectory::ClearEntries()
{
    m_Entries.clear();
    m_Selected.clear();
    m_DirectoryStale = true;
}

void CUnitDirectory::ClearHeaders()
{
    m_Headers.clear();
    m_HeadersStale = true;
}

void CUnitDirectory::ClearSelection()
{
    m_SelectedNames.clear();
    m_SelectedData.clear();
    m_SelectedEntries.clear();
}

std::string UnitLineName(std::string_view line)
{
    const std::size_t end = std::min(line.find_first_of(".< "), UnitDirEntry::kNameSize);
    return std::string(line.substr(0, end));
}

char UnitLineLetter(std::string_view line)
{
    const std::size_t lt = line.find('<');
    return lt == std::string_view::npos || lt + 1 >= line.size() ? '\0' : line[lt + 1];
}

} // namespace orlu
