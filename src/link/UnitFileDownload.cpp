#include "link/UnitFileDownload.h"
#include "link/UnitProtocol.h"

#include "document/container/ContainerHeader.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FixedTextDialogs.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace orlu {
namespace {

constexpr std::string_view kTitleUnit = "Binary download from the ORLU unit to disk";
constexpr std::string_view kTitleMonitor = "Binary download from the MONITOR to disk";
constexpr std::size_t kBlock = 4096;

enum class Status { Completed, SendFailed, ReadFailed, Stopped, CloseFailed };

/// What became of one file.
enum class FileEnd { Stored, Skipped, Failed };

struct Run {
    UnitLink& link;
    CUnitDirectory& directory;
    TransferProgress& progress;
    std::filesystem::path folder;
    std::string title;
    LinkTransport* transport = nullptr;
    bool overwriteAll = false;
    bool skipAll = false;
    bool cancelled = false; ///< a Cancel on RS-232: the file in transfer completes, then the run ends
    Status status = Status::Completed;
};

/// Whether to write the file over an existing one; sets the run's flags and
/// status from the answer.
bool MayWrite(Run& run, const std::filesystem::path& target, const std::string& diskName, const std::string& line,
              bool last)
{
    std::error_code ec;
    if (run.overwriteAll || !std::filesystem::exists(target, ec))
        return true;
    if (run.skipAll)
        return false;
    // The progress window closes for the question and comes back afterwards.
    run.progress.End();
    run.link.GetClock().Sleep(run.link.timing.beforeOverwriteQuestion);
    const std::string question = "File " + diskName + " already exists!\nOverwrite it?";
    UserInteraction& ui = run.link.Ui();
    const QuestionAnswer answer = last ? ui.AskQuestion(question) : ui.AskQuestionAll(question);
    run.progress.Begin(run.title);
    run.progress.SetText(line);
    switch (answer) {
    case QuestionAnswer::Yes:
        return true;
    case QuestionAnswer::YesForAll:
        run.overwriteAll = true;
        run.skipAll = false;
        return true;
    case QuestionAnswer::No:
        return false;
    case QuestionAnswer::NoForAll:
        run.skipAll = true;
        run.overwriteAll = false;
        return false;
    case QuestionAnswer::Cancel:
        break;
    }
    run.status = Status::Stopped;
    return false;
}

FileEnd Transfer(Run& run, const std::string& request, std::uint8_t fileKind, const std::filesystem::path& target)
{
    LinkTransport& link = *run.transport;
    AtomicFileWriter file;
    if (!file.Open(target))
        return FileEnd::Skipped; // a file that cannot be created is omitted, the run goes on
    if (!link.SendAndStartRead(request)) {
        run.status = Status::SendFailed;
        return FileEnd::Failed;
    }
    const std::optional<std::uint32_t> count = ReadReplyHeader(link, run.link.deviceSelector == kSelector505);
    if (!count) {
        run.status = Status::ReadFailed;
        return FileEnd::Failed;
    }
    std::array<std::uint8_t, kContainerHeaderSize> header{};
    BuildContainerHeader(header, fileKind, run.directory.UnitSubKind(), 0, 0);
    if (!file.Write(header)) {
        run.status = Status::SendFailed;
        return FileEnd::Failed;
    }
    // The reply is read in blocks, each byte within its deadline; the count
    // the instrument claims allocates nothing ahead.
    std::array<std::uint8_t, kBlock> block;
    std::uint64_t done = 0;
    while (done < *count) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, *count - done));
        std::size_t got = 0;
        const bool ok = link.ReadBytes(std::span(block.data(), want), got);
        if (!ok) {
            run.status = Status::ReadFailed;
            return FileEnd::Failed;
        }
        if (!file.Write(std::span<const std::uint8_t>(block.data(), got))) {
            run.status = Status::Stopped;
            return FileEnd::Failed;
        }
        done += got;
        if (run.progress.SetProgress(ProgressCount(*count, *count), ProgressCount(done, *count)) != TransferRequest::None) {
            // On USB the transfer stops at once; the partial file is not kept.
            if (run.progress.UsbCancelPending()) {
                run.status = Status::Stopped;
                return FileEnd::Failed;
            }
            run.cancelled = true;
        }
    }
    if (!file.Commit()) {
        run.status = Status::CloseFailed;
        return FileEnd::Failed;
    }
    return FileEnd::Stored;
}

std::string Summary(bool ok, int stored, int omitted)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s\n%d file(s) stored\n%d file(s) omitted",
                  ok ? "Download operation completed O.K." : "Download operation stopped.", stored, omitted);
    return text;
}

} // namespace

std::string UnitDiskName(std::string_view unitName)
{
    std::string name(unitName);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (i == 0 && c == '\\')
            name[i] = '@';
        else if (c == '/' || c == '\\' || c < 32 || c == 127)
            name[i] = '_';
    }
    return name;
}

std::optional<SelectedFileRequest> RequestForSelectedFile(const UnitLink& link, const CUnitDirectory& directory,
                                                          std::size_t at)
{
    const std::vector<std::size_t>& entries = directory.GetSelectedEntries();
    if (at >= entries.size() || entries[at] >= directory.GetEntryCount())
        return std::nullopt;
    SelectedFileRequest file;
    file.entry = entries[at];
    const UnitDirEntry& entry = directory.GetEntry(file.entry);
    // The entry's own name: a name with a '.' or '<' would be cut in the line.
    file.name = entry.Name();
    if (link.deviceSelector == kSelectorMonitor) {
        file.request = MonitorRangeRequest(entry);
        return file;
    }
    const std::vector<std::string>& lines = directory.GetSelectedNames();
    const std::vector<std::uint32_t>& data = directory.GetSelectedData();
    const std::uint32_t count = at < data.size() ? data[at] : entry.ItemData();
    file.letter = at < lines.size() ? UnitLineLetter(lines[at]) : 0;
    const FileRequest built =
        BuildFileRequest(link.deviceSelector, file.letter, file.name, count, link.flags.oldUnitFirmware);
    if (built.group.empty() || !built.fileKind)
        return std::nullopt;
    file.request = built.text;
    file.requestKind = static_cast<int>(built.kind);
    file.fileKind = link.deviceSelector == kSelectorLaterModels ? LaterModelFileKind(directory.DeviceType())
                                                              : *built.fileKind;
    return file;
}

std::string MonitorRangeRequest(const UnitDirEntry& entry)
{
    char text[32];
    std::snprintf(text, sizeof text, "#4,1,%06X,%06X;", entry.MonitorStart(), entry.MonitorEnd());
    return text;
}

int DownloadBinary(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress,
                   const std::filesystem::path& downloadPath)
{
    const bool monitor = link.deviceSelector == kSelectorMonitor;
    Run run{link, directory, progress, downloadPath, std::string(monitor ? kTitleMonitor : kTitleUnit)};
    const std::vector<std::string>& lines = directory.GetSelectedNames();
    std::vector<std::uint8_t>& flags = directory.GetSelectionFlags();
    const int n = static_cast<int>(lines.size());
    int stored = 0;

    std::unique_ptr<LinkTransport> transport = link.OpenPort(monitor ? ComProfile::Monitor : ComProfile::Commands);
    run.transport = transport.get();
    if (!transport)
        run.status = Status::Stopped;
    progress.Begin(run.title);
    for (int i = 0; transport && i < n && run.status == Status::Completed && !run.cancelled; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::optional<SelectedFileRequest> file = RequestForSelectedFile(link, directory, at);
        if (!file)
            continue; // not in the directory, or a letter the family does not serve: omitted
        const std::size_t k = file->entry;
        const std::string& name = file->name;
        const std::string& request = file->request;
        const int requestKind = file->requestKind;
        const std::uint8_t fileKind = file->fileKind;
        const std::string diskName = UnitDiskName(name) + ".orl";
        const std::string line = std::string(UnitFileKindName(requestKind)) + ":  " + name + "  -->  " + diskName;
        progress.SetText(line);
        const std::filesystem::path target = downloadPath / diskName;
        if (!MayWrite(run, target, diskName, line, i == n - 1))
            continue;
        const FileEnd end = Transfer(run, request, fileKind, target);
        if (transport->IsUsb())
            transport->Release();
        if (end == FileEnd::Stored) {
            ++stored;
            flags.at(k) = 0;
        }
    }
    progress.End();
    if (transport)
        transport->Release();

    if (run.status == Status::SendFailed || run.status == Status::ReadFailed)
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
    // A Cancel is never reported as a completed download.
    const bool ok = run.status == Status::Completed && !run.cancelled;
    link.Ui().ShowMessage(Summary(ok, stored, n - stored), kMessageCaption, MessageButtons::Ok,
                          ok ? MessageIcon::Information : MessageIcon::Warning);
    return n - stored;
}

} // namespace orlu
