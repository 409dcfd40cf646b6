#include "link/UnitFileOpen.h"

#include "document/AppContext.h"
#include "document/CTmDoc.h"
#include "document/ViewMask.h"
#include "document/container/FileKindCode.h"
#include "document/image/PagedFileImage.h"
#include "link/UnitFileDownload.h"
#include "link/UnitProtocol.h"
#include "platform/FixedTextDialogs.h"

#include <array>
#include <climits>
#include <cstdio>

namespace orlu {
namespace {

constexpr std::string_view kTitleUnit = "Reading file from the ORLU unit";
constexpr std::string_view kTitleMonitor = "Reading file from the MONITOR";
constexpr std::string_view kCurrentDecodedLetters = "bdeflorstuxy";
constexpr std::size_t kBlock = 4096;

struct Kind505 {
    char letter;
    std::uint8_t kind;
};
constexpr Kind505 kKinds505[] = {{'m', 3}, {'a', 4}, {'s', 5}, {'u', 6}, {'b', 7}, {'k', 8}};

struct KindBySelector {
    std::uint8_t selector;
    std::uint8_t kind;
};
// Files of DeviceSelector 12 open as 99: the current decoder derives the kind from the device type.
constexpr KindBySelector kKinds[] = {{2, 43}, {3, 45}, {4, 44}, {5, 46},  {6, 47},
                                     {7, 80}, {8, 49}, {9, 48}, {10, 42}, {kSelectorLaterModels, kKindDerived}};

void Say(UserInteraction& ui, const std::string& text)
{
    ui.ShowMessage(text, kMessageCaption);
}

std::string NamedText(const char* format, const std::string& name)
{
    char text[96];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}

enum class Decoded { Yes, HexaOnly, No };

/// Decodes the fetched image by family and letter, with the checksum test of the kinds that carry one.
Decoded Decode(CTmDoc& doc, std::uint8_t selector, char letter, const std::string& name)
{
    UserInteraction& ui = doc.Ui();
    if (selector == kSelectorMonitor) {
        const auto& parse = doc.App().Fillers.ParseMonitorFile;
        return !parse ? Decoded::HexaOnly : parse(doc) ? Decoded::Yes : Decoded::No;
    }
    const FileKindInfo kind = FindFileKind(doc.FileKind());
    if ((kind.Traits & kKindChecksum) && !doc.VerifyChecksum(doc.Image(), doc.ByteCount()))
        Say(ui, name + "  -  The file checksum invalid");
    const bool decoded = selector == kSelector505 ? (letter == 'm' || letter == 'a')
                                                  : kCurrentDecodedLetters.find(letter) != std::string_view::npos;
    const FamilyLoader load = decoded ? FindFamilyLoader(kind.Family) : nullptr;
    if (!load)
        return Decoded::HexaOnly;
    LoadOutcome outcome = LoadOutcome::Rejected;
    try {
        outcome = load(doc);
    } catch (const ImageRangeError&) {
        outcome = LoadOutcome::Rejected; // a header that points past the file rejects it
    }
    return outcome == LoadOutcome::Decoded ? Decoded::Yes : outcome == LoadOutcome::Rejected ? Decoded::No
                                                                                             : Decoded::HexaOnly;
}

int Scaled(std::uint64_t value, std::uint64_t total)
{
    return total <= INT_MAX ? static_cast<int>(value) : static_cast<int>(value * 1000000 / total);
}

} // namespace

std::optional<std::uint8_t> OpenedFileKind(std::uint8_t selector, char letter)
{
    if (selector == kSelector505) {
        for (const Kind505& row : kKinds505)
            if (row.letter == letter)
                return row.kind;
        return std::nullopt;
    }
    for (const KindBySelector& row : kKinds)
        if (row.selector == selector)
            return row.kind;
    return std::nullopt;
}

void UnitFileOpener::Install(AppContext& app)
{
    app.Fillers.OpenPort = [this] { return OpenPort(); };
    app.Fillers.LoadFileFromInstrument = [this](CTmDoc& doc) { return LoadFileFromInstrument(doc); };
    app.Fillers.LoadUnitSettingsText = [this](CTmDoc& doc) { return LoadUnitSettingsText(doc); };
}

bool UnitFileOpener::OpenPort()
{
    m_Transport = m_Link.OpenPort(m_Link.deviceSelector == kSelectorMonitor ? ComProfile::Monitor
                                                                            : ComProfile::Commands);
    linkFailureShown = !m_Transport;
    return m_Transport != nullptr;
}

void UnitFileOpener::Release()
{
    if (m_Transport)
        m_Transport->Release();
    m_Transport.reset();
}

bool UnitFileOpener::LoadFileFromInstrument(CTmDoc& doc)
{
    struct ReleaseAtEnd {
        UnitFileOpener& opener;
        ~ReleaseAtEnd() { opener.Release(); }
    } releaseAtEnd{*this};
    return m_Transport && ReadFileInto(*m_Transport, doc);
}

bool UnitFileOpener::ReadFileInto(LinkTransport& link, CTmDoc& doc)
{
    doc.SetSubKind(unitSubKind);
    if (!link.SendAndStartRead(pending.request))
        return false;
    const std::optional<std::uint32_t> count = ReadReplyHeader(link, m_Link.deviceSelector == kSelector505);
    if (!count)
        return false;
    if (*count == 0) {
        Say(doc.Ui(), NamedText("ORLU file %s is empty!", pending.name));
        return false;
    }
    // Pages are taken as the bytes come: the count the instrument claims allocates nothing ahead.
    std::array<std::uint8_t, kBlock> block;
    std::uint64_t done = 0;
    while (done < *count) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, *count - done));
        std::size_t got = 0;
        // A reply that breaks off makes no document: its missing bytes are never made up.
        if (!link.ReadBytes(std::span(block.data(), want), got))
            return false;
        if (!doc.CopyIntoPages(std::span<const std::uint8_t>(block.data(), got)))
            return false;
        done += got;
        // On USB a Cancel abandons the file at once; on RS-232 the file completes.
        if (m_Progress.SetProgress(Scaled(*count, *count), Scaled(done, *count)) != TransferRequest::None &&
            m_Progress.UsbCancelPending())
            return false;
    }
    switch (Decode(doc, m_Link.deviceSelector, pending.letter, pending.name)) {
    case Decoded::Yes:
        return true;
    case Decoded::HexaOnly:
        doc.SetViewMask((doc.GetViewMask() | kViewMaskHexa) & ~kViewMaskSettings);
        return true;
    case Decoded::No:
        break;
    }
    Say(doc.Ui(), NamedText("ORLU file %s is incorrect!", pending.name));
    doc.SetViewMask(kViewMaskHexa);
    return false;
}

bool UnitFileOpener::LoadUnitSettingsText(CTmDoc& doc)
{
    if (!m_Transport)
        return false;
    const bool usb = m_Transport->IsUsb();
    const IdentifyOutcome id =
        IdentifyUnit(*m_Transport, m_Link.Ui(), &m_Link.deviceSelector, true, m_Link.flags,
                     static_cast<std::size_t>(m_Link.timing.identifyReplyLimit));
    // The identify has released a USB link itself.
    if (usb)
        m_Transport.reset();
    else
        Release();
    if (id.result == kIdentifyNoReply) {
        ShowFixedText(m_Link.Ui(), kUnitModeUnknownText);
        return false;
    }
    if (!doc.CopyIntoPages(std::span(reinterpret_cast<const std::uint8_t*>(id.reply.data()), id.reply.size())))
        return false;
    doc.SetViewMask(doc.GetViewMask() | kViewMaskSettings | kViewMaskHexa);
    return true;
}

int OpenUnitFiles(UnitFileOpener& opener, CUnitDirectory& directory, AppContext& app)
{
    UnitLink& link = opener.Link();
    TransferProgress& progress = opener.Progress();
    const bool monitor = link.deviceSelector == kSelectorMonitor;
    const int n = static_cast<int>(directory.GetSelectedNames().size());
    std::vector<std::uint8_t>& flags = directory.GetSelectionFlags();
    enum class Status { Completed, Failed, Cancelled } status = Status::Completed;
    bool linkFailureShown = false;
    int opened = 0;

    opener.unitSubKind = directory.UnitSubKind();
    progress.Begin(std::string(monitor ? kTitleMonitor : kTitleUnit));
    for (int i = 0; i < n; ++i) {
        const std::optional<SelectedFileRequest> file =
            RequestForSelectedFile(link, directory, static_cast<std::size_t>(i));
        if (!file)
            continue;
        opener.pending = {file->name, file->letter, file->request};
        const std::optional<std::uint8_t> kind = OpenedFileKind(link.deviceSelector, file->letter);
        if (kind)
            app.PendingFileKind = *kind;
        app.PendingUnitFileName = file->name;
        progress.SetText(std::string(UnitFileKindName(file->requestKind)) + ":  " + file->name);
        app.PendingDocSource = kPendingInstrument;
        const int before = app.UnsavedDocumentCount;
        if (app.NewUnitDocument)
            app.NewUnitDocument();
        if (app.UnsavedDocumentCount == before) {
            status = progress.Requested() != TransferRequest::None ? Status::Cancelled : Status::Failed;
            linkFailureShown = opener.linkFailureShown;
            break;
        }
        ++opened;
        flags.at(file->entry) = 0;
        // A Cancel on RS-232 lets the file in transfer open, then the run ends.
        if (progress.Requested() != TransferRequest::None || progress.UsbCancelPending()) {
            status = Status::Cancelled;
            break;
        }
    }
    progress.End();
    link.GetClock().Sleep(std::chrono::milliseconds(10));

    // The connection error dialog is shown once, also for a single file.
    if (status == Status::Failed && !linkFailureShown)
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
    if (n != 1) {
        const bool ok = status == Status::Completed;
        char text[160];
        std::snprintf(text, sizeof text, "%s\n%d file(s) opened\n%d file(s) omitted",
                      ok ? "Open operation completed O.K." : "Open operation stopped.", opened, n - opened);
        link.Ui().ShowMessage(text, kMessageCaption, MessageButtons::Ok,
                              ok ? MessageIcon::Information : MessageIcon::Warning);
    }
    return n - opened;
}

} // namespace orlu
