#include "presentation/AsciiDownload.h"

#include "document/container/ContainerHeader.h"
#include "document/container/FileKindCode.h"
#include "link/UnitFileDownload.h"
#include "link/UnitProtocol.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FixedTextDialogs.h"
#include "platform/TextEncoding.h"
#include "presentation/AsciiRenderer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kTitle = "ASCII download from the ORLU unit to disk";
constexpr std::size_t kBlock = 4096;
constexpr int kProgressScale = 1000;

class AtomicTextOutput final : public AsciiTextOutput {
public:
    bool Open(const std::filesystem::path& target) override { return m_File.Open(target); }
    bool Write(std::span<const std::uint8_t> bytes) override { return m_File.Write(bytes); }
    bool Commit() override { return m_File.Commit(); }
    void Discard() override { m_File.Discard(); }

private:
    AtomicFileWriter m_File;
};

enum class ReadEnd { Complete, Failed, UsbCancelled };

/// Requests one file and reads its reply whole into data. The count the
/// instrument claims allocates nothing ahead: the data grows with the bytes
/// that came. A Cancel on RS-232 lets the file complete (cancelRequested).
ReadEnd ReadUnitFile(LinkTransport& link, bool unit505, const std::string& request, TransferProgress& progress,
                     std::vector<std::uint8_t>& data, bool& cancelRequested)
{
    if (!link.SendAndStartRead(request))
        return ReadEnd::Failed;
    const std::optional<std::uint32_t> count = ReadReplyHeader(link, unit505);
    if (!count)
        return ReadEnd::Failed;
    std::array<std::uint8_t, kBlock> block;
    std::uint64_t done = 0;
    while (done < *count) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, *count - done));
        std::size_t got = 0;
        const bool ok = link.ReadBytes(std::span(block.data(), want), got);
        if (!ok)
            return ReadEnd::Failed;
        data.insert(data.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
        done += got;
        const int share = static_cast<int>(done * kProgressScale / *count);
        if (progress.SetProgress(kProgressScale, share) != TransferRequest::None) {
            if (progress.UsbCancelPending())
                return ReadEnd::UsbCancelled;
            cancelRequested = true;
        }
    }
    return ReadEnd::Complete;
}

/// The document of a file read whole, loaded as the program loads the file
/// the binary download stores: its container is written into a private
/// temporary folder under the same name, opened and removed again. None when
/// the loader refused it (it has said why).
std::unique_ptr<CTmDoc> OpenHiddenDocument(AppContext& app, std::uint8_t fileKind, std::uint8_t subKind,
                                           const std::vector<std::uint8_t>& data, const std::string& baseName)
{
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "orlu-ascii-XXXXXX").string();
    if (ec || !::mkdtemp(pattern.data()))
        return nullptr;
    const std::filesystem::path folder = pattern;
    const std::filesystem::path file = folder / (baseName + ".orl");
    std::array<std::uint8_t, kContainerHeaderSize> header{};
    BuildContainerHeader(header, fileKind, subKind, 0, 0);
    AtomicFileWriter writer;
    const bool written = writer.Open(file) && writer.Write(header) && writer.Write(data) && writer.Commit();
    auto doc = std::make_unique<CTmDoc>(app);
    doc->SetHidden(true);
    const bool opened = written && doc->OnOpenDocument(file);
    std::filesystem::remove_all(folder, ec);
    if (!opened || doc->FileKind() == kKindUnreadable)
        return nullptr;
    return doc;
}

/// Whether the file of a disk name may be written; the flags and the stop
/// follow the answer. Any answer but No, No for all and Cancel writes it.
enum class WriteChoice { Write, Skip, Stop };
WriteChoice ChooseWrite(UserInteraction& ui, const std::filesystem::path& target, const std::string& diskName,
                        bool last, bool& overwriteAll, bool& skipAll)
{
    std::error_code ec;
    if (overwriteAll || !std::filesystem::exists(target, ec))
        return WriteChoice::Write;
    if (skipAll)
        return WriteChoice::Skip;
    const std::string question = "File " + diskName + " already exists!\nOverwrite it?";
    switch (last ? ui.AskQuestion(question) : ui.AskQuestionAll(question)) {
    case QuestionAnswer::YesForAll:
        overwriteAll = true;
        skipAll = false;
        return WriteChoice::Write;
    case QuestionAnswer::No:
        return WriteChoice::Skip;
    case QuestionAnswer::NoForAll:
        skipAll = true;
        overwriteAll = false;
        return WriteChoice::Skip;
    case QuestionAnswer::Cancel:
        return WriteChoice::Stop;
    default:
        return WriteChoice::Write;
    }
}

enum class WriteEnd { Written, NotCreated, Failed };

/// Every line as UTF-8, each write checked; the text takes its name only when all of it is on disk.
WriteEnd WriteText(AsciiTextOutput& out, const std::filesystem::path& target, const LineList& text)
{
    if (!out.Open(target))
        return WriteEnd::NotCreated;
    for (std::string_view line : text) {
        const std::string utf8 = Cp1252ToUtf8(line);
        if (!out.Write(std::span(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()))) {
            out.Discard();
            return WriteEnd::Failed;
        }
    }
    if (!out.Commit()) {
        out.Discard();
        return WriteEnd::Failed;
    }
    return WriteEnd::Written;
}

std::string Summary(bool ok, int stored, int omitted)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s\n%d file(s) stored\n%d file(s) omitted",
                  ok ? "Download operation completed O.K." : "Download operation stopped.", stored, omitted);
    return text;
}

} // namespace

std::unique_ptr<AsciiTextOutput> MakeAtomicTextOutput()
{
    return std::make_unique<AtomicTextOutput>();
}

int DownloadAscii(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress, AppContext& app,
                  const std::filesystem::path& downloadPath, const AsciiChoices& choices,
                  const AsciiOutputFactory& output)
{
    UserInteraction& ui = link.Ui();
    const std::vector<std::string>& lines = directory.GetSelectedNames();
    const std::vector<std::size_t>& entries = directory.GetSelectedEntries();
    const std::vector<std::uint32_t>& data = directory.GetSelectedData();
    std::vector<std::uint8_t>& flags = directory.GetSelectionFlags();
    const int n = static_cast<int>(lines.size());
    const bool unit505 = link.deviceSelector == kSelector505;
    const AsciiRenderer renderer;
    int stored = 0;
    bool stopped = false;   // Cancel in a question, a USB cancel or a write that failed
    bool cancelled = false; // a Cancel on RS-232: the file in transfer completes, then the run ends
    bool overwriteAll = false;
    bool skipAll = false;

    progress.Begin(std::string(kTitle));
    for (int i = 0; i < n && !stopped && !cancelled; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::size_t k = at < entries.size() ? entries[at] : directory.GetEntryCount();
        if (k >= directory.GetEntryCount())
            continue;
        const std::string name = directory.GetEntry(k).Name();
        const char letter = UnitLineLetter(lines[at]);
        const std::uint32_t count = at < data.size() ? data[at] : directory.GetEntry(k).ItemData();
        const FileRequest built = BuildFileRequest(link.deviceSelector, letter, name, count, link.flags.oldUnitFirmware);
        if (built.group.empty() || !built.fileKind)
            continue; // a letter the family does not serve: omitted
        // The ORLU 505 gives text of its METER and ANALYZER files only.
        if (unit505 && letter != 'm' && letter != 'a')
            continue;
        const std::string baseName = UnitDiskName(name);
        const std::string diskName = baseName + ".txt";
        progress.SetText(std::string(UnitFileKindName(static_cast<int>(built.kind))) + ":  " + name + "  -->  " +
                         diskName);

        // Each file opens and releases the link itself.
        std::vector<std::uint8_t> image;
        ReadEnd end = ReadEnd::Failed;
        bool cancelRequested = false;
        if (std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands)) {
            bool noMemory = false;
            try {
                end = ReadUnitFile(*transport, unit505, built.text, progress, image, cancelRequested);
            } catch (const std::bad_alloc&) {
                noMemory = true;
                ui.ShowMessage("Can't allocate memory for the view contents", kMessageCaption);
            }
            transport->Release();
            if (end == ReadEnd::Failed && !noMemory)
                ShowFixedText(ui, kUnitModeUnknownText);
        }
        // A file not read whole gives no text: it stays selected, omitted.
        if (end == ReadEnd::UsbCancelled) {
            stopped = true;
            break;
        }
        if (end == ReadEnd::Failed)
            continue;
        cancelled = cancelRequested;

        std::unique_ptr<CTmDoc> doc = OpenHiddenDocument(app, *built.fileKind, directory.UnitSubKind(), image, baseName);
        image = {};
        if (!doc || !AsciiContentAvailable(*doc, choices.content))
            continue;
        LineList text(&ui);
        std::int32_t widest = 0;
        renderer.Render(*doc, choices, text, widest);
        doc.reset();

        const std::filesystem::path target = downloadPath / diskName;
        const WriteChoice choice = ChooseWrite(ui, target, diskName, i == n - 1, overwriteAll, skipAll);
        if (choice == WriteChoice::Stop)
            stopped = true;
        if (choice != WriteChoice::Write)
            continue;
        WriteEnd written = WriteEnd::NotCreated;
        {
            const WaitCursor wait(ui);
            const std::unique_ptr<AsciiTextOutput> out = output ? output() : MakeAtomicTextOutput();
            written = WriteText(*out, target, text);
        }
        if (written == WriteEnd::Failed) {
            stopped = true;
            continue;
        }
        if (written == WriteEnd::NotCreated)
            continue; // a file that cannot be created is omitted, the run goes on
        ++stored;
        flags.at(k) = 0;
        // A Cancel while the text was written ends the run after it.
        if (progress.Requested() != TransferRequest::None)
            cancelled = true;
    }
    progress.End();

    const bool ok = !stopped && !cancelled;
    ui.ShowMessage(Summary(ok, stored, n - stored), kMessageCaption, MessageButtons::Ok,
                   ok ? MessageIcon::Information : MessageIcon::Warning);
    return n - stored;
}

} // namespace orlu
