#include "presentation/AsciiDownload.h"

#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/Octave505Forms.h"
#include "analysis/spectra/OctaveSpectra.h"
#include "document/ViewKind.h"
#include "document/ViewMask.h"
#include "document/container/ContainerHeader.h"
#include "document/container/FileKindCode.h"
#include "document/image/PagedFileImage.h"
#include "link/UnitFileDownload.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FixedTextDialogs.h"
#include "platform/TextEncoding.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kTitle = "ASCII download from the ORLU unit to disk";
constexpr std::size_t kBlock = 4096;
constexpr int kProgressScale = 1000;
constexpr std::uint8_t kKindMeter505 = 3;
constexpr std::uint8_t kKindAnalyzer505 = 4;
constexpr std::uint8_t kFirstCurrentKind = 42;
constexpr std::uint8_t kLastCurrentKind = 49;
constexpr int kMostChannels = 16;

bool IsCurrentKind(std::uint8_t kind)
{
    return kind >= kFirstCurrentKind && kind <= kLastCurrentKind;
}

bool Is505Document(const CTmDoc& doc)
{
    return doc.FileKind() == kKindMeter505 || doc.FileKind() == kKindAnalyzer505;
}

bool IsFourChannelDocument(const CTmDoc& doc)
{
    return doc.HeaderDecoded() && doc.Header().model.FourChannel;
}

/// The channels the spectra and octave loops visit: every channel of an ORLU
/// 505 or four-channel file, else channel 1 alone.
int LoopChannels(const CTmDoc& doc)
{
    if (!Is505Document(doc) && !IsFourChannelDocument(doc))
        return 1;
    const int channels = doc.AnalyzerDecoded() ? doc.Analyzer().channelCount : ChannelCountOf(doc);
    return std::clamp(channels, 1, kMostChannels);
}

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

bool AsciiContentAvailable(const CTmDoc& doc, int content)
{
    const std::uint32_t mask = doc.GetViewMask();
    switch (ViewKindOfAsciiContent(content)) {
    case kViewAscii:
        return true;
    case kViewMainResults:
        // Files of the other units that hold a time history have no Main results table.
        return doc.FileKind() == kKindMeter505 ||
               (IsCurrentKind(doc.FileKind()) && !(doc.HeaderDecoded() && doc.Header().timeHistory));
    case kViewSpectra:
        return (mask & kViewMaskSpectra) != 0;
    case kViewOctaves:
        return (mask & kViewMaskOctave11) != 0;
    case kViewThirdOctaves:
        return (mask & kViewMaskOctave13) != 0;
    case kViewWaveforms:
        return (mask & kViewMaskWaveforms) != 0;
    default:
        return false;
    }
}

AsciiRenderer::AsciiRenderer()
{
    RegisterReportRenderers(m_Renderers);
}

void AsciiRenderer::Render(CTmDoc& doc, const AsciiChoices& choices, LineList& lines, std::int32_t& widest) const
{
    const std::uint8_t kind = ViewKindOfAsciiContent(choices.content);
    AppSettings settings;
    settings.DecyPoint = choices.decimal;
    settings.SeparatorChar = choices.separator;
    settings.ScFormForMR = choices.tableForm;
    const FormBuilder builder(m_Renderers, settings);
    if (kind == kViewAscii) {
        // The whole file as its ASCII view, never with the header.
        MeasurementViewState view;
        OpenView(view, doc);
        LineListSink sink(lines, &widest);
        builder.StreamLongForm(view, doc, kViewAscii, FormChoice::Ascii, sink);
        return;
    }
    const std::uint8_t fileKind = doc.FileKind();
    if (choices.header && (fileKind == kKindMeter505 || fileKind == kKindAnalyzer505 || IsCurrentKind(fileKind))) {
        MeasurementViewState view;
        view.SelectedChannels = HeaderChannelMask(doc);
        InsertHeaderLines(m_Renderers, view, doc, choices.decimal, lines, &widest);
    }
    const TableOutputOptions options{choices.tableForm, choices.decimal, choices.separator};
    switch (kind) {
    case kViewMainResults: {
        // The view's own table form, as the user sees it with the same options.
        MeasurementViewState view;
        OpenView(view, doc);
        builder.ShowKindInForm(view, doc, kViewMainResults, FormChoice::Table);
        const LineSource& shown = view.ShownLines();
        std::string buffer;
        for (std::size_t i = 0; i < shown.LineCount(); ++i) {
            std::string line(LineText(shown.Line(i, buffer)));
            AddLine(lines, line, &widest);
        }
        break;
    }
    case kViewSpectra:
        RenderSpectra(doc, options, lines, widest);
        break;
    case kViewOctaves:
    case kViewThirdOctaves:
        RenderOctaves(doc, kind, options, lines, widest);
        break;
    case kViewWaveforms: {
        MeasurementViewState view;
        view.ViewKind = kViewWaveforms;
        view.SelectedChannels = 1;
        RenderOnce(doc, view, options, lines, widest);
        break;
    }
    default:
        break;
    }
}

void AsciiRenderer::RenderSpectra(CTmDoc& doc, const TableOutputOptions& options, LineList& lines,
                                  std::int32_t& widest) const
{
    const int channels = LoopChannels(doc);
    for (int channel = 0; channel < channels; ++channel) {
        FftWorkspace probe;
        FftSpectrumRequest request;
        request.channelA = request.channelB = channel;
        request.window = 1;
        const auto first = ReadFftSpectrum(doc, probe, request);
        if (!first)
            continue; // a channel without spectra
        for (int record = 1; record <= first->records; ++record) {
            MeasurementViewState view;
            view.ViewKind = kViewSpectra;
            view.Spectra.Record = record;
            view.Spectra.ChannelA = view.Spectra.ChannelB = static_cast<std::uint16_t>(channel + 1);
            view.Spectra.Window = 1;
            RenderOnce(doc, view, options, lines, widest);
        }
    }
}

void AsciiRenderer::RenderOctaves(CTmDoc& doc, std::uint8_t viewKind, const TableOutputOptions& options,
                                  LineList& lines, std::int32_t& widest) const
{
    const int octave = viewKind == kViewOctaves ? kOctaves : kThirdOctaves;
    const bool fourChannel = IsFourChannelDocument(doc);
    const int channels = LoopChannels(doc);
    for (int channel = 0; channel < channels; ++channel) {
        const auto mask = static_cast<std::uint16_t>(1u << channel);
        // A four-channel file has one spectrum per channel; others number theirs as records.
        int records = 0;
        if (FindFileKind(doc.FileKind()).Family == KindFamily::Setup505) {
            records = static_cast<int>(std::min<std::uint32_t>(SpectrumRecordCount505(doc), INT_MAX));
        } else {
            const OctaveRequest listing{!fourChannel, 1, 0, mask};
            records = static_cast<int>(ListSpectra(doc, listing, octave).size());
        }
        for (int record = 1; record <= (fourChannel ? std::min(records, 1) : records); ++record) {
            MeasurementViewState view;
            view.ViewKind = viewKind;
            view.SelectedChannels = mask;
            view.SubFileNumber = record;
            RenderOnce(doc, view, options, lines, widest);
        }
    }
}

void AsciiRenderer::RenderOnce(CTmDoc& doc, MeasurementViewState& view, const TableOutputOptions& options,
                               LineList& lines, std::int32_t& widest) const
{
    const FormRenderer* renderer =
        m_Renderers.Find(view.ViewKind, FormChoice::Table, FindFileKind(doc.FileKind()).Family);
    if (!renderer)
        return;
    std::uint8_t content = 0;
    FormRequest request{doc, view, options, lines, widest, content};
    try {
        (*renderer)(request);
    } catch (const ImageRangeError&) {
        // A report that meets the end of the file keeps the lines it wrote.
    }
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
