// Fuzz target of the measurement document: the bytes are merged with
// themselves into a Multifile as the Open dialog's merge does, then loaded as
// a file, the way the program opens one, and everything orlu-dump can show of it is
// built from the library: the summary, the sub-files with their content
// groups, every sub-file's records and locators, the decoded header of every
// channel and profile, the main-results rows in dB and linear units, the View
// mask, and every ViewKind in every form, for each sub-file and for each
// channel selection the view offers. Each file of a Multifile is then
// extracted as the Extract command does it, and the document made of it
// walked the same way. Last, each content the ASCII download would render
// of the file, with its header.
//
// The statistics forms are also built with a marked block (markers that may
// lie past the classes), in each octave mode, as text, table and graph data
// of every panel.
//
// The last byte of the input also picks the table settings (separator,
// decimal point, scientific Main results), so the fuzzer reaches them all
// without a format of its own.

#include "analysis/statistics/DensityForms.h"
#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "document/CTmDoc.h"
#include "document/buffer/ImpulseMarks.h"
#include "document/ExtractRequest.h"
#include "document/container/LoadErrors.h"
#include "document/units/LevelUnits.h"
#include "presentation/AppSettings.h"
#include "presentation/AsciiRenderer.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/FormRenderers.h"
#include "presentation/view/ViewSelection.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/StatisticsElements.h"
#include "link/MultifileMerge.h"
#include "support/QuietInteraction.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using namespace orlu;

// Sub-files and channel masks beyond these add time, not paths.
constexpr int kMaxSubfiles = 6;
constexpr int kMaxChannels = 8;

// The input as a file the loader can open by name, without touching the disk:
// a memory file, reached through its descriptor's /proc path.
class MemoryFile {
public:
    MemoryFile() : m_Fd(memfd_create("orlu-fuzz.orl", 0))
    {
        if (m_Fd < 0)
            throw std::runtime_error("memfd_create failed");
    }
    ~MemoryFile() { close(m_Fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string Fill(const std::uint8_t* data, std::size_t size) const
    {
        if (ftruncate(m_Fd, 0) != 0 || (size && pwrite(m_Fd, data, size, 0) != static_cast<ssize_t>(size)))
            throw std::runtime_error("memory file write failed");
        return "/proc/self/fd/" + std::to_string(m_Fd);
    }

private:
    int m_Fd;
};

void Summarize(const CTmDoc& doc, std::string& sink)
{
    sink += std::to_string(doc.FileKind() + doc.SubKind() + doc.HeaderBuffer()[12]);
    sink += std::to_string(doc.ByteCount() + doc.Image().PageCount() + doc.GetRecordIndex().size());
    for (const MultifileEntry& e : doc.Subfiles())
        sink += e.NameText();
}

void WalkSubfiles(CTmDoc& doc, std::string& sink)
{
    const bool scanned = IsCurrentMultifileKind(doc.FileKind());
    if (scanned)
        doc.ScanMergedSubfiles();
    sink += std::to_string(doc.GetSubfileLength(0));
    for (int n = 1; n <= doc.SubfileCount(); ++n) {
        sink += std::to_string(doc.GetSubfileStart(n)) + doc.GetSubfileName(n);
        if (scanned)
            sink += std::to_string(doc.GetSubfileContents().BitsOf(n));
    }
    if (scanned)
        for (std::size_t g = 0; g < kContentGroupCount; ++g) {
            const GroupRange& range = doc.GetSubfileContents().Group(static_cast<ContentGroup>(g));
            sink += std::to_string(range.found ? range.first + range.last : -1);
        }
}

void WalkRecords(CTmDoc& doc, int n, std::string& sink)
{
    sink += std::to_string(doc.GetSubfileStart(n));
    try {
        for (const RecordEntry& r : doc.ListRecords(n))
            sink += std::to_string(r.start + r.type + r.length);
    } catch (const RecordChainError& e) {
        sink += e.what();
    }
    for (std::uint32_t (CTmDoc::*find)(int) :
         {&CTmDoc::FindResultsRecord, &CTmDoc::FindRecord9, &CTmDoc::FindRecord19, &CTmDoc::FindRecord14,
          &CTmDoc::FindRecord16, &CTmDoc::FindRecord24, &CTmDoc::FindRecord17or21, &CTmDoc::FindRecord22,
          &CTmDoc::FindBufferRecord, &CTmDoc::FindBufferData, &CTmDoc::GetRecord17Data, &CTmDoc::GetRecord22Data})
        sink += std::to_string((doc.*find)(n));
    if (auto mask = doc.FindStatisticsDef(n))
        sink += std::to_string(*mask);
    sink += std::to_string(doc.IsComplete(n) + doc.HasValidEnd(n) + doc.HasRecord15(n) + doc.HasBufferRecord(n));
}

void WalkChannelNames(const CurrentChannel& ch, std::string& sink)
{
    sink += ch.rangeNames.At(ch.rangeIndex);
    sink += ch.filterNames.At(ch.filter);
    sink += ch.detectorNames.At(ch.detectorIndex + 1);
}

// One results row of the selected channel and profile, in both units, with its texts. A row cut
// short by the end of the file throws ImageRangeError; the reports leave such a row out.
void WalkResultRow(CTmDoc& doc, int channel, int profile, std::string& sink)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    const int e = GetReferenceExponent(levels, ch);
    ResultValues db, lin;
    try {
        doc.DecodeResultRow(channel, profile, db, false, e, 1.0);
        doc.DecodeResultRow(channel, profile, lin, true, e, 1.0);
    } catch (const ImageRangeError&) {
        return;
    }
    WalkChannelNames(ch, sink);
    for (double ResultValues::*slot :
         {&ResultValues::result, &ResultValues::peak, &ResultValues::max, &ResultValues::min, &ResultValues::spl}) {
        sink += FormatLevel(levels, ch, ch.inputKind, db.*slot, 0).value;
        sink += FormatLevel(levels, ch, ch.inputKind, lin.*slot, 1).unit;
        sink += FormatLevelSci(levels, ch, ch.inputKind, lin.*slot, 1).value;
    }
    if (!IsAbsent(db.sel))
        sink += std::to_string(db.sel);
}

// The header's channels and profiles, and the main results of each, as orlu-dump prints them
// whether or not the last decode succeeded.
void WalkHeaderAndResults(CTmDoc& doc, std::string& sink)
{
    const CurrentHeader& h = doc.Header();
    sink += h.title + h.rangeNames.At(h.range);
    const bool results = doc.Results().firstRecord != 0;
    if (h.model.FourChannel) {
        const int channels = std::min<int>(h.channelCount, static_cast<int>(h.fourChannel.channels.size()));
        for (int c = 0; c < channels; ++c)
            for (int p = 0; p < h.fourChannel.channels[static_cast<std::size_t>(c)].profileCount; ++p) {
                doc.SelectChannelProfile(c, p);
                WalkChannelNames(doc.Channel(), sink);
                if (results)
                    WalkResultRow(doc, c, p, sink);
            }
    } else if (results) {
        for (int profile = 0; profile < 3; ++profile) {
            doc.SelectChannelProfile(profile, 0);
            WalkResultRow(doc, profile, 0, sink);
        }
    }
    doc.SelectChannelProfile(0, 0);
}

// Reads every line the view shows: forms made on demand (the hex dump) make each line here.
void Consume(const MeasurementViewState& view, std::string& sink)
{
    const LineSource& lines = view.ShownLines();
    std::string buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        sink += lines.Line(i, buffer);
    sink.clear(); // the lines were built and read; keeping them would only grow the sink
}

// A ViewKind in the text and table forms, on sub-file `subfile` (0: as the view opens), for each
// channel selection the view offers: each channel alone, then every channel, as the view's
// channel buttons choose them.
void WalkLineForms(CTmDoc& doc, const FormBuilder& builder, std::uint8_t kind, int subfile, std::uint8_t units,
                   std::string& sink)
{
    for (FormChoice form : {FormChoice::Text, FormChoice::Table}) {
        MeasurementViewState view;
        OpenView(view, doc);
        view.UnitsByKind[0] = units;
        if (subfile > 0)
            view.SubFileNumber = subfile;
        builder.ShowKindInForm(view, doc, kind, form);
        Consume(view, sink);
        const std::uint16_t available = view.AvailableChannels;
        for (int c = 0; c < kMaxChannels; ++c)
            if (available & (1u << c)) {
                view.SelectedChannels = static_cast<std::uint16_t>(1u << c);
                builder.UpdateForm(view, doc);
                Consume(view, sink);
            }
        if (available) {
            view.SelectedChannels = 0xFFFF;
            builder.UpdateForm(view, doc);
            Consume(view, sink);
        }
    }
}

// The octave views with what WalkLineForms leaves alone: every record or file at once, a
// block between markers (also past the bands), record numbers past the spectra, and the
// graph data of bars and of the multi element picture.
void WalkOctaveForms(CTmDoc& doc, const FormBuilder& builder, std::string& sink)
{
    for (std::uint8_t kind : {std::uint8_t{kViewOctaves}, std::uint8_t{kViewThirdOctaves}})
        for (int variant = 0; variant < 4; ++variant) {
            MeasurementViewState view;
            OpenView(view, doc);
            view.TextAllFiles = view.TableAllFiles = variant == 0;
            if (variant == 1 || variant == 2) {
                view.MarkState = 2;
                view.MarkedRange = variant == 1 ? std::array<std::int32_t, 2>{2, 6} : std::array<std::int32_t, 2>{40, 60};
            }
            if (variant == 3)
                *view.CurrentRecordPtr = 1000;
            view.UnitsByKind[0] = static_cast<std::uint8_t>(variant & 1);
            for (FormChoice form : {FormChoice::Text, FormChoice::Table}) {
                builder.ShowKindInForm(view, doc, kind, form);
                Consume(view, sink);
            }
            view.MultiElement = variant == 0;
            PlotData data;
            data.Grid.Rows = variant == 2 ? 1 : 60;
            data.Grid.LastRecord = 1000;
            builder.BuildGraphData(view, doc, data);
            sink += std::to_string(data.PlotValues.Size() + data.Grid.Values.size());
            sink.clear();
        }
}

void WalkForms(CTmDoc& doc, const AppSettings& settings, std::string& sink)
{
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    const FormBuilder builder(renderers, settings);
    // The hex and ASCII forms show the whole file whatever the kind: once each.
    for (FormChoice form : {FormChoice::Hex, FormChoice::Ascii}) {
        MeasurementViewState view;
        OpenView(view, doc);
        builder.ShowKindInForm(view, doc, form == FormChoice::Hex ? kViewHexa : kViewAscii, form);
        Consume(view, sink);
    }
    for (int n = 0; n <= std::min<int>(doc.SubfileCount(), kMaxSubfiles); ++n)
        if (n != 1) // the first sub-file is where a view of a Multifile opens (n = 0)
            for (std::uint8_t kind = 0; kind < kViewKindCount; ++kind)
                WalkLineForms(doc, builder, kind, n, 0, sink);
    // The unit byte of Main results: linear or the default (0, above), and dB.
    WalkLineForms(doc, builder, kViewMainResults, 0, 1, sink);
    WalkOctaveForms(doc, builder, sink);
}

// The document the Extract command makes of each file of a Multifile: its
// bytes decoded as a file of their own, with every view of it.
void WalkExtracts(const CTmDoc& source, AppContext& app, const AppSettings& settings, std::string& sink)
{
    for (int n = 1; n <= std::min<int>(source.SubfileCount(), kMaxSubfiles); ++n) {
        if (!RequestSubfileExtract(app, source, n))
            continue;
        CTmDoc extracted(app);
        extracted.SetTitle("");
        const bool filled = extracted.OnNewDocument();
        app.PendingDocSource = kPendingNone;
        sink += extracted.Title();
        if (!filled)
            continue;
        Summarize(extracted, sink);
        WalkHeaderAndResults(extracted, sink);
        sink += std::to_string(extracted.GetViewMask());
        WalkForms(extracted, settings, sink);
    }
}

// The statistics cross tables: the elements the document gives for the sub-files
// of a Multifile and for every channel of each sub-file, broadband and band 1,
// as histograms, densities and levels.
void WalkStatistics(CTmDoc& doc, const TableOutputOptions& options, std::string& sink)
{
    auto write = [&](const StatElementChoice& choice) {
        LineList lines;
        int width = 0;
        const StatCrossTable histograms = CollectHistogramElements(doc, choice);
        WriteHistogramsCrossTable(lines, &width, histograms, options);
        const StatCrossTable densities = CollectDensityElements(doc, choice);
        MultiSpectrumMatrix matrix(densities.ClassCount);
        if (StageDensities(densities, matrix))
            WriteDensitiesCrossTable(lines, &width, densities, matrix, options);
        WriteLevelsCrossTable(lines, &width, CollectLevelColumns(doc, choice), options);
        sink += std::to_string(width + lines.LineCount());
    };
    for (int band = 0; band <= 1; ++band) {
        StatElementChoice choice;
        choice.band = band;
        choice.functionMask = band == 0 ? 7 : 0x300;
        write(choice);
        choice.channelMask = (1u << kMaxChannels) - 1;
        for (int n = 0; n <= std::min<int>(doc.SubfileCount(), kMaxSubfiles); ++n) {
            choice.fileOrRecord = n;
            write(choice);
        }
    }
}

// The histogram, level and density forms with a block marked by the knob (its second
// marker may lie past the classes), broadband and in both octave modes.
void WalkStatisticsForms(CTmDoc& doc, const TableOutputOptions& options, std::uint8_t knob, std::string& sink)
{
    for (int octave : {0, 11, 13}) {
        StatisticsChoices choices;
        choices.channelMask = static_cast<std::uint16_t>((1u << kMaxChannels) - 1);
        choices.allFiles = (knob & 2) != 0;
        choices.octave = octave;
        choices.markers = {2, {knob % 9, 200 - knob}};
        choices.band = 1 + knob % 50; // past the bands of most files
        choices.level = knob % 12;
        choices.allLevels = (knob & 4) != 0;
        LineList lines;
        int width = 0;
        std::uint8_t content = 0;
        TextHistogram(doc, lines, &width, choices);
        TableHistogram(doc, lines, &width, content, choices, options);
        TextLevels(doc, lines, &width, choices);
        TableLevels(doc, lines, &width, content, choices, options);
        TextDensity(doc, lines, &width, choices);
        TableDensity(doc, lines, &width, content, choices, options);
        PlotData histograms, densities;
        for (int panel = 0; panel < kMaxGraphPanels; ++panel) {
            GraphHistogram(doc, choices, panel, histograms);
            GraphDensity(doc, choices, panel, densities);
        }
        sink += std::to_string(width + lines.LineCount() + histograms.PlotValues.Size() + densities.PlotValues.Size());
    }
}

// The graph data of every kind that has it, each panel, with a block between markers
// the knob places (possibly past the records) and every block result asked for.
void WalkGraphData(CTmDoc& doc, std::uint8_t knob, std::string& sink)
{
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    const FormBuilder builder(renderers, AppSettings{});
    for (std::uint8_t kind = 0; kind < kViewKindCount; ++kind) {
        MeasurementViewState view;
        OpenView(view, doc);
        view.ViewKind = kind;
        view.SelectedChannels = 0x1F;
        view.Aggregation = 1 + knob % 3;
        view.PlotTotalLine = knob & 1;
        view.MarkState = 2;
        view.MarkedRange = {knob % 5, knob};
        view.BlockResultSwitches = {1, 1, 1, 1};
        PlotData data;
        sink += std::to_string(builder.BuildGraphData(view, doc, data));
        for (int p = 0; p < kMaxGraphPanels; ++p)
            sink += std::to_string(data.BufferValues[static_cast<std::size_t>(p)].Size() +
                                   data.SeriesB[static_cast<std::size_t>(p)].Size());
        // The graph form built as Plot builds it, then painted as the view paints it.
        view.FormFlags = 0;
        builder.OnGraphForm(view, doc, false);
        if (view.GraphForm.Available) {
            PlotStateDocument facts = GraphDocumentOf(doc, view);
            RecordingCanvas canvas;
            EngineRoutines routines;
            sink += std::to_string(PaintGraph(canvas, view.GraphForm.Plot, facts, GraphSettings{}, routines).height);
        }
    }
}

// Impulse marks, a copy of a block and then one edit in place (markers chosen by the
// knob), each over what the damaged buffer holds; the edited image must decode again.
void WalkBufferEdit(CTmDoc& doc, AppContext& app, std::uint8_t knob, std::string& sink)
{
    std::vector<std::uint8_t> marks;
    if (doc.MarkImpulses(kImpulseModeBoth, marks))
        sink += std::to_string(marks.size());
    const std::int64_t records = doc.EditableRecordCount();
    const std::int64_t a = knob % 5;
    const std::int64_t b = records - 1 - (knob >> 5) % 3;
    if (doc.EditBuffer(BlockEditOp::Copy, a, b) == BlockEditResult::Copied)
        sink += std::to_string(app.HeldBlockImage.size());
    const BlockEditOp op = (knob & 4) != 0 ? BlockEditOp::Keep : BlockEditOp::Delete;
    if (doc.EditBuffer(op, a, b) == BlockEditResult::Edited)
        sink += std::to_string(doc.EditableRecordCount());
}

} // namespace

// Each content of the ASCII download that the file holds, rendered as the download
// renders it from a file read from the instrument, with the header inserted.
void WalkAsciiContents(CTmDoc& doc, const AppSettings& settings, std::string& sink)
{
    static const AsciiRenderer renderer;
    for (int content = kAsciiMainResults; content <= kAsciiContentCount; ++content) {
        if (!AsciiContentAvailable(doc, content))
            continue;
        LineList lines;
        std::int32_t widest = 0;
        const AsciiChoices choices{static_cast<std::uint8_t>(content), 1, settings.DecyPoint, settings.SeparatorChar,
                                   settings.ScFormForMR};
        renderer.Render(doc, choices, lines, widest);
        sink += std::to_string(lines.Size() + static_cast<std::size_t>(widest));
    }
}

/// The input merged with itself as the Open dialog's merge reads disk files
/// (header length, data length, reverberation blocks), and the Multifile walked.
void WalkDiskMerge(const std::string& path, std::string& sink)
{
    QuietInteraction ui;
    AppContext app(ui);
    app.DiskFileItems = {path, path};
    CTmDoc merged(app);
    TransferProgress progress;
    if (!MergeFiles(merged, nullptr, nullptr, progress).made)
        return;
    Summarize(merged, sink);
    WalkSubfiles(merged, sink);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const MemoryFile file;
    const std::string path = file.Fill(data, size);
    {
        std::string mergeSink;
        WalkDiskMerge(path, mergeSink);
    }

    QuietInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(path))
        return 0;

    const std::uint8_t knob = size ? data[size - 1] : 0;
    AppSettings settings;
    settings.SeparatorChar = static_cast<std::uint8_t>(knob % 7);
    settings.DecyPoint = static_cast<std::uint8_t>((knob >> 3) & 1);
    settings.ScFormForMR = static_cast<std::uint8_t>((knob >> 4) & 1);

    std::string sink;
    Summarize(doc, sink);
    WalkSubfiles(doc, sink);
    if (doc.ByteCount() != 0) {
        if (doc.SubfileCount() == 0)
            WalkRecords(doc, 0, sink);
        for (int n = 1; n <= doc.SubfileCount(); ++n)
            WalkRecords(doc, n, sink);
    }
    WalkHeaderAndResults(doc, sink);
    sink += std::to_string(doc.GetViewMask());
    WalkForms(doc, settings, sink);
    WalkExtracts(doc, app, settings, sink);
    WalkStatistics(doc, {static_cast<std::uint8_t>(knob & 1), settings.DecyPoint, settings.SeparatorChar}, sink);
    WalkGraphData(doc, knob, sink);
    WalkStatisticsForms(doc, {static_cast<std::uint8_t>(knob & 1), settings.DecyPoint, settings.SeparatorChar}, knob,
                        sink);
    WalkBufferEdit(doc, app, knob, sink);
    WalkAsciiContents(doc, settings, sink);
    return 0;
}
