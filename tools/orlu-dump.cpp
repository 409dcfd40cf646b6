// Prints what the program makes of a measurement file.
//
//   orlu-dump FILE --summary
//       kind, sub-kind, flags, data length, byte count, pages and sub-files;
//       and the load errors (also shown on standard error as they happen).
//   orlu-dump FILE --subfiles
//       the sub-files by number: name, kind, byte offset, start word, byte
//       length, and in current-family Multifiles (kinds 53 to 60) the content
//       bits and the first and last sub-file of each group of results.
//   orlu-dump FILE --records
//       per sub-file, each record's word position, type and length, and the
//       word where the main locators find their records (0: not found). A
//       broken chain ends the list with the program's error text.
//   orlu-dump FILE --header
//       a current-family file's decoded header: device, firmware, ModelFlags,
//       bands, time step, record counts, markers, breaks, record index; for
//       ORLU 545 and 590 files also the channels with their profiles, the
//       vector, the spectrum masks, the level resolution and the logger or
//       recording
//       ORLU 505 ANALYZER-mode files: the setup (function, channels, band
//       setup, time step, histogram block, time history) of the file, of
//       sub-file N of a Multifile with --subfile N, or of every sub-file with --all
//   orlu-dump FILE --results
//       per profile (ORLU 545 and 590: per channel and profile) the main
//       results in dB and linear units with their texts; ORLU 505 METER-mode
//       files: the Main-results text of every channel with unit byte 0 and 1
//   orlu-dump FILE --viewmask
//       the View items the document offers
//   orlu-dump FILE --monitor
//       a MONITOR file: the station and setup fields, the derived counts, the
//       six index streams, the histogram layouts, the band setup, the
//       embedded buffer and the ViewMask
//   orlu-dump FILE --extract N --out OUT
//       the document the Extract command makes of sub-file N of a Multifile,
//       stored in OUT as the program stores a document, and the line
//       "extracted sub-file N (NAME): kind K, B bytes"; nothing is written
//       when the extract is refused
//
//   orlu-dump FILE --impulses 1|2|3
//       the impulse marks of a logger by level difference (1), peaks (2) or both
//       (3): "N: 0xMM" for each marked record, N counted from 1
//   orlu-dump FILE --markers A[,B] --edit delete|keep|copy --out OUT
//       deletes, keeps or copies the block of buffer records A to B (from 0;
//       B = A when not given), stores the edited document (or the copied
//       block) in OUT and prints "edited: kind K, N records" (or "copied: ...")
//
//   orlu-dump FILE --view K --form text|table|hex|ascii [--sep S] [--dec D]
//                  [--sci] [--units U] [--channels MASK] [--subfile N] [--all]
//       the lines the measurement view shows for ViewKind K in that form, with
//       the table separator index S and decimal index D (the view's settings);
//       --sci writes linear Main results in scientific form; --units U sets the
//       view's unit byte of the kind (Main results: 0 linear or the default,
//       1 dB; Header info: 0 dB for microphones, 1 linear), --channels MASK
//       the view's channel or profile mask (bit 0 the first), --subfile N the
//       sub-file of a Multifile shown (alone) and --all the view's All-files
//       choice (a Multifile's Main results show every sub-file without either).
//       The Buffer/Logger view (K 7) also takes the choices of tools/ViewOptions.h:
//       [--record N] [--degree D] [--markers A[,B]] [--result CH:N] [--totals]
//       [--block-stats leq,max,min,sel] [--nonmetric]
//   orlu-dump FILE --view K --form text|table|hex|ascii --save-view OUT.txt
//       Save current view: the form's lines written as OUT (UTF-8, CR LF).
//   orlu-dump FILE --open-as emf|bmp [--client WxH] [--zoom Z] [--scroll S]... [--out PNG]
//   orlu-dump PLOT --form graph --save-view OUT.emf|OUT.bmp
//       the picture documents and views: see PictureTools.h.
//   orlu-dump FILE --view K --form data [the options above]
//       the plot data the graph form of ViewKind K draws: per panel
//       "# panel N: TITLE", a "# NAME=VALUE" line per result, the column names
//       and one comma-separated row per point (%.6g); "# no graph data" when
//       the kind has none for the file
//   orlu-dump FILE --view K --form graph [the options above] [--plot N] [--plot-back]
//                  [--cursor C] [--out OUT.png|OUT.emf|OUT.pdf|OUT.txt|OUT.plot]
//       builds the graph form of ViewKind K as the Plot button does, presses
//       Plot N more times (each steps the graph size, backwards with
//       --plot-back), puts the cursor on point C and paints the graph into OUT
//   orlu-dump FILE --view K --form F ... --state
//       after the form, the view's state as Name=value lines (tools/ViewStateDump.h)
//   orlu-dump FILE --view 4|5|6 ... [--oct 11|13] [--band B] [--level N]
//                  [--all-levels] [--percentages P,P,...] [--markers A[,B]]
//       the statistics views: the 1/1- or 1/3-octave band statistics and the
//       band B shown, the level N of a level spectrum (the N-th percentage, or
//       the percentage N with --all-levels), the user's percentages, and the
//       classes A to B marked as a block
//   orlu-dump FILE --view K ... [--record N] [--markers A,B] [--multi ROWS,FIRST,LAST]
//       the view's record or file number N, its block between markers A and B
//       (band or record positions from 0), and the multi element picture of a
//       logger of spectra: ROWS rows from record FIRST to LAST
//   orlu-dump FILE --view 9 --form text|table|data [--function F]
//                  [--output-form power|phase|real|imag] [--phase-unit rad|deg|grad]
//                  [--ab A,B] [--window W] [--peaks N[,DIFF]] [--tonality]
//                  [--short-band] [--fft-degree E] [--spectrum R]
//       the Spectra view with the spectra function F (1 to 10) of channels A
//       and B (1-based) under window W, its output form and phase unit, the N
//       greatest peaks (prominence DIFF), the tonality analysis (graph data),
//       E lines per group and record R; graph data print x,y,mark per line and
//       "# cursortotal=", "# bottom=", "# top=" (with --tonality also "# lpt=",
//       "# lpn=", "# dl=", "# kt=")
//
// Options can be given together; the sections come in the order above, the
// view's lines last. `orlu-dump --help` prints the usage.
//
// Status 0 when everything asked was shown; 1 when the file cannot be read (a
// missing, empty or unreadable file, a directory, a device or a named pipe), the
// program refused it (its load errors say why), or its header and results were
// never decoded; 2 for a wrong command line.

#include "BufferEditForm.h"
#include "ViewOptions.h"
#include "ViewControlOptions.h"
#include "ViewStateDump.h"
#include "ConsoleInteraction.h"
#include "GraphDataForm.h"
#include "GraphForm.h"
#include "MeasurementGraphForm.h"
#include "ViewStateDump.h"
#include "MonitorTools.h"
#include "StatisticsDumpOptions.h"
#include "SpectraOptions.h"
#include "Usage.h"
#include "RemoteSettingsTools.h"
#include "ReverbForm.h"
#include "IntersectionForm.h"
#include "ViewOutput.h"
#include "PictureTools.h"
#include "document/LineSink.h"
#include "document/CTmDoc.h"
#include "document/ExtractRequest.h"
#include "document/container/LoadErrors.h"
#include "monitor/MonitorLoader.h"
#include "platform/Archive.h"
#include "platform/TextEncoding.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/PrintPages.h"
#include "presentation/view/ViewSelection.h"
#include "reports/common/LegacyResultRow.h"
#include "reports/text/LegacyResultsText.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

using namespace orlu;

unsigned long Ul(std::uint32_t value)
{
    return static_cast<unsigned long>(value);
}

void PrintSummary(const CTmDoc& doc, std::string& out)
{
    const auto& header = doc.HeaderBuffer();
    const std::uint32_t dataLength = header[14] | (header[15] << 8) | (header[16] << 16) |
                                     (static_cast<std::uint32_t>(header[17]) << 24);
    AppendPrintf(out, "kind: %u\n", doc.FileKind());
    AppendPrintf(out, "sub-kind: %u\n", doc.SubKind());
    AppendPrintf(out, "flags: %u\n", header[12]);
    AppendPrintf(out, "data length: %lu\n", Ul(dataLength));
    AppendPrintf(out, "byte count: %lu\n", Ul(doc.ByteCount()));
    AppendPrintf(out, "pages: %lu\n", Ul(doc.Image().PageCount()));
    AppendPrintf(out, "record index: %lu\n", static_cast<unsigned long>(doc.GetRecordIndex().size()));
    AppendPrintf(out, "sub-files: %u\n", doc.SubfileCount());
    for (const MultifileEntry& e : doc.Subfiles())
        AppendPrintf(out, "  %s kind %u offset %lu length %lu\n", e.NameText().c_str(), e.FileKind, Ul(e.Offset),
                     Ul(e.Length));
}

struct GroupName {
    ContentGroup group;
    const char* name;
};

constexpr GroupName kGroupNames[] = {
    {ContentGroup::Histogram, "A histogram"},        {ContentGroup::Statistics, "B statistics"},
    {ContentGroup::Buffer, "C buffer"},              {ContentGroup::Octave, "D 1/1 octave"},
    {ContentGroup::ThirdOctave, "E 1/3 octave"},     {ContentGroup::Fft, "F FFT"},
    {ContentGroup::OctaveStats, "G 1/1-octave band statistics"},
    {ContentGroup::OtherBandStats, "H other band statistics"},
};

void PrintSubfiles(CTmDoc& doc, std::string& out)
{
    const bool scanned = IsCurrentMultifileKind(doc.FileKind());
    if (scanned)
        doc.ScanMergedSubfiles();
    AppendPrintf(out, "sub-files: %u\n", doc.SubfileCount());
    if (doc.SubfileCount() == 0) {
        AppendPrintf(out, "sub-file 0: whole file, start word 0, length %lu\n", Ul(doc.GetSubfileLength(0)));
        return;
    }
    for (int n = 1; n <= doc.SubfileCount(); ++n) {
        const MultifileEntry& e = doc.Subfiles()[static_cast<std::size_t>(n - 1)];
        const std::uint32_t start = doc.GetSubfileStart(n);
        AppendPrintf(out, "sub-file %d: %s kind %u offset %lu start word %lu length %lu", n,
                     doc.GetSubfileName(n).c_str(), e.FileKind, Ul(e.Offset), Ul(start), Ul(doc.CurrentSubfileLength()));
        if (scanned)
            AppendPrintf(out, " contents 0x%04X", doc.GetSubfileContents().BitsOf(n));
        out += '\n';
    }
    if (!scanned)
        return;
    for (const GroupName& g : kGroupNames) {
        const GroupRange& range = doc.GetSubfileContents().Group(g.group);
        if (range.found)
            AppendPrintf(out, "group %s: %d to %d\n", g.name, range.first, range.last);
        else
            AppendPrintf(out, "group %s: none\n", g.name);
    }
}

struct LocatorLine {
    const char* name;
    std::uint32_t (*find)(CTmDoc& doc, int n);
};

constexpr LocatorLine kLocators[] = {
    {"results record", [](CTmDoc& d, int n) { return d.FindResultsRecord(n); }},
    {"histogram definition", [](CTmDoc& d, int n) { return d.FindRecord9(n); }},
    {"second histogram definition", [](CTmDoc& d, int n) { return d.FindRecord19(n); }},
    {"1/1-octave setup", [](CTmDoc& d, int n) { return d.FindRecord14(n); }},
    {"1/3-octave setup", [](CTmDoc& d, int n) { return d.FindRecord16(n); }},
    {"FFT setup", [](CTmDoc& d, int n) { return d.FindRecord17or21(n); }},
    {"tonality FFT setup", [](CTmDoc& d, int n) { return d.FindRecord22(n); }},
    {"buffer record", [](CTmDoc& d, int n) { return d.FindBufferRecord(n); }},
    {"buffer data", [](CTmDoc& d, int n) { return d.FindBufferData(n); }},
};

void PrintRecords(CTmDoc& doc, int n, std::string& out)
{
    const std::uint32_t start = doc.GetSubfileStart(n);
    AppendPrintf(out, "records of sub-file %d (start word %lu, length %lu):\n", n, Ul(start),
                 Ul(doc.CurrentSubfileLength()));
    try {
        for (const RecordEntry& r : doc.ListRecords(n))
            AppendPrintf(out, "  word %lu type %u length %lu\n", Ul(r.start), r.type, Ul(r.length));
        AppendPrintf(out, "  end of chain\n");
    } catch (const RecordChainError& e) {
        AppendPrintf(out, "  %s: %s\n", std::string(LoadErrorText(kLoadImproperContents)).c_str(), e.what());
    }
    for (const LocatorLine& line : kLocators)
        AppendPrintf(out, "  %s: %lu\n", line.name, Ul(line.find(doc, n)));
    if (auto mask = doc.FindStatisticsDef(n))
        AppendPrintf(out, "  statistics mask: %u\n", *mask);
    else
        AppendPrintf(out, "  statistics mask: none\n");
    AppendPrintf(out, "  complete: %s\n", doc.IsComplete(n) ? "yes" : "no");
}

void PrintAllRecords(CTmDoc& doc, std::string& out)
{
    if (doc.ByteCount() == 0)
        return;
    if (doc.SubfileCount() == 0) {
        PrintRecords(doc, 0, out);
        return;
    }
    for (int n = 1; n <= doc.SubfileCount(); ++n)
        PrintRecords(doc, n, out);
}

constexpr char kUsage[] =
    "usage: orlu-dump FILE OPTION...\n"
    "       orlu-dump --help\n"
    "  --summary        kind, flags, lengths, pages and sub-files, and the load errors\n"
    "  --save-view OUT.txt  (with --view K --form text|table|hex|ascii) Save current view of the form\n"
    "  --open-as emf|bmp    the file as a picture document: sizes, rectangles [--client WxH --zoom Z --scroll S --out PNG]\n"
    "  --subfiles       the sub-files by number, with the content groups of a Multifile\n"
    "  --records        each sub-file's record chain and where the locators find their records\n"
    "  --header         the decoded instrument header (--subfile N: of sub-file N; --all: of each)\n"
    "  --results        the main results of every profile (or channel and profile)\n"
    "  --viewmask       the views the file offers\n"
    "  --monitor        a MONITOR file's blocks, counts, index streams, layouts, buffer and views\n"
    "  --extract N --out OUT\n"
    "                   stores the document made of sub-file N of a Multifile in OUT\n"
    "  --impulses 1|2|3 the impulse marks of a logger (level difference, peaks, both)\n"
    "  --markers A[,B] --edit delete|keep|copy --out OUT\n"
    "                   deletes, keeps or copies buffer records A to B and stores the result in OUT\n"
    "  --view K --form text|table|hex|ascii [--sep S] [--dec D] [--sci] [--units U] [--channels MASK]\n"
    "           [--subfile N] [--all] [--record N] [--degree D] [--markers A[,B]] [--result CH:N]\n"
    "           [--totals] [--block-stats leq,max,min,sel] [--nonmetric]\n"
    "                   the lines of view kind K in that form; the buffer and logger choices: the record,\n"
    "                   aggregation degree, marked block, result N (from 0) of channel CH (1 to 5), running\n"
    "                   totals, block results and non-metric vibration units\n"
    "  --view K --form data [...]\n"
    "                   the plot data of view kind K's graph, panel by panel\n"
    "  --view K --form graph [...] [--plot N] [--plot-back] [--cursor C] [--out OUT.png|.emf|.pdf|.txt|.plot]\n"
    "                   builds view kind K's graph, steps its size N times and paints it into OUT\n"
    "  --view K --form graph [...] --copy OUT.png | --print OUT.pdf [--zoom Z] | --save-view OUT.emf|OUT.bmp\n"
    "                   what Copy, Print (at print zoom Z) and Save current view make of the graph\n"
    "  --state          after the form, the view's state as Name=value lines\n"
    "  --view 4|5|6 ... [--oct 11|13] [--band B] [--level N] [--all-levels] [--percentages P,...]\n"
    "           [--markers A[,B]]\n"
    "                   the statistics views with their octave band, level, percentages and block\n"
    "orlu-dump --band-name K,TOTALBARS,POS\n"
    "                   the name a band graph of PlotKind K gives position POS\n"
    "  --view K ... [--record N] [--markers A,B] [--multi ROWS,FIRST,LAST]\n"
    "                   the view's record or file, marked block and multi element picture\n"
    "  --view K ... [--cmd ID[+shift|+ctrl|+alt],...] [--keys K,...] [--click X,Y] [--answers A,...] [--state]\n"
    "                   the view's commands, keys and clicks run first (see tools/ViewControlOptions.h);\n"
    "                   --state prints the view's state after them\n"
    "  --view K ... --cmd 32904|32903 --save-new OUT.orl\n"
    "                   stores the document Extract single file or Extract Buffer made\n"
    "  --view K ... --device-selector N --cmd 32830\n"
    "                   whether Upload is offered for the file with instrument N chosen in the Orlu menu\n"
    "  --rt [--source 2|3|4] [--rt-interval F,L] [--rt-user F,L] [--smooth] [--channel C]\n"
    "       [--form text|table] [--sep S] [--dec D] [--save OUT]\n"
    "                   the reverberation times of every band, evaluated first when a reference\n"
    "                   interval (records from 0) is given; --save stores the results\n"
    "  --intersection A [--source 2|3|4] [--running] [--smooth] [--degree F] [--fft-degree E] [--units U]\n"
    "       [--channel C] [--channels MASK] [--markers F,L] [--form text|table|data] [--block-stats leq,max,min,sel]\n"
    "       [--sep S] [--dec D]\n"
    "                   line or band A (from 1) across all spectra, F spectra per point; the graph\n"
    "                   data with the marked block's statistics\n"
    "  --view 9 ... [--function F] [--output-form power|phase|real|imag] [--phase-unit rad|deg|grad]\n"
    "           [--ab A,B] [--window W] [--peaks N[,DIFF]] [--tonality] [--short-band] [--fft-degree E]\n"
    "           [--spectrum R]\n"
    "                   the Spectra view's function, form, channels, window, peaks, tonality, degree, record\n"
    "  --view K --form text|table|hex|ascii ... [--copy] [--block C1,L1,C2,L2] [--block-mode M]\n"
    "           [--clip-dec D] [--clip-sep S] [--clip-date F] [--pages] [--print OUT.pdf] [--print-pitch P]\n"
    "                   what Copy puts on the clipboard (the block, else all), the printed pages and\n"
    "                   their footers, or the pages printed into a PDF\n"
    "orlu-dump FILE --open-as text [--form text|hex] [--copy ...] [--pages] [--print OUT.pdf]\n"
    "                   the file as a text document\n"
    "orlu-dump FILE.ocf --setup | --page 0|1|2\n"
    "                   a setup file's remote-control settings as NAME=value (or why it is refused), or\n"
    "                   each control of a page of the sheet after a refresh: entries, selection, enabling\n"
    "Exit status: 0 shown, 1 the file cannot be read or shown, 2 a wrong command line.\n";

int Usage(bool asked = false)
{
    return orlu::tools::PrintUsage(kUsage, asked);
}

// Why the file cannot be opened as a measurement: what the loading archive refuses
// from the file's type alone (so a named pipe is never opened), or an empty file,
// which this tool turns away before the loader; empty for a regular file with data.
std::string InputFileProblem(const std::filesystem::path& path)
{
    if (std::string refusal = Archive::WhyNotLoadable(path); !refusal.empty())
        return refusal;
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 && !error)
        return path.string() + " is empty";
    return {};
}

struct FlagName {
    bool ModelFlags::*flag;
    const char* name;
};
constexpr FlagName kFlagNames[] = {
    {&ModelFlags::Model560, "Model560"},         {&ModelFlags::Model570, "Model570"},
    {&ModelFlags::Model575, "Model575"},         {&ModelFlags::Model580, "Model580"},
    {&ModelFlags::Model590, "Model590"},         {&ModelFlags::Model595, "Model595"},
    {&ModelFlags::LaterModel, "LaterModel"},     {&ModelFlags::Family515Text, "Family515Text"},
    {&ModelFlags::Family515, "Family515"},       {&ModelFlags::Family525, "Family525"},
    {&ModelFlags::Family530, "Family530"},       {&ModelFlags::Family535, "Family535"},
    {&ModelFlags::FourChannel, "FourChannel"},   {&ModelFlags::Model550, "Model550"},
    {&ModelFlags::ModelQera410, "ModelQera410"},
};

void PrintFourChannelHeader(CTmDoc& doc, std::string& out)
{
    const CurrentHeader& h = doc.Header();
    const FourChannelSetup& f = h.fourChannel;
    AppendPrintf(out, "channels: %u profiles %u vector slot %u levels in %s dB\n", h.channelCount, f.profileCount,
                 f.vectorSlotNumber, f.hundredths ? "0.01" : "0.1");
    for (int c = 0; c < h.channelCount; ++c) {
        const ChannelSetup& setup = f.channels[static_cast<std::size_t>(c)];
        doc.SelectChannelProfile(c, 0);
        const CurrentChannel& ch = doc.Channel();
        AppendPrintf(out, "channel %d: %s calibration %.1f dB range %s results in buffer %u\n", c + 1,
                     setup.inputKind == kInputMicrophone ? "microphone" : "accelerometer", setup.calibration / 10.0,
                     ch.rangeNames.At(ch.rangeIndex), setup.resultsInBuffer);
        for (int p = 0; p < setup.profileCount; ++p) {
            doc.SelectChannelProfile(c, p);
            AppendPrintf(out, "  profile %d: filter %s detector %s buffer 0x%04X flags 0x%04X\n", p + 1,
                         doc.Channel().filterNames.At(doc.Channel().filter),
                         doc.Channel().detectorNames.At(doc.Channel().detectorIndex + 1), doc.Channel().loggerWord,
                         doc.Channel().detectorWord);
        }
    }
    doc.SelectChannelProfile(0, 0);
    if (f.vector)
        AppendPrintf(out, "vector: %s%s\n", f.vectorFormula.c_str(), f.vectorInBuffer != 0 ? " (in buffer)" : "");
    AppendPrintf(out, "spectra: 1/1 0x%02X 1/3 0x%02X FFT 0x%02X in buffer %u\n", f.octaveMask, f.thirdMask,
                 f.fftMask, h.spectraInBuffer);
    if (f.waveform)
        AppendPrintf(out, "recording: channels 0x%02X rate index %u interval %g s\n", f.waveformChannelMask,
                     f.samplingRateIndex, f.sampleInterval);
    else if (h.timeHistory)
        AppendPrintf(out, "logger: data word %lu results %u\n", Ul(f.dataPosition), h.resultsPerBufferRecord);
}

// The fields of a legacy-family (ORLU 505 METER-mode) header, channel by channel.
void PrintLegacyHeader(CTmDoc& doc, std::string& out)
{
    const orlu::LegacyHeader& h = doc.Legacy();
    out += StrPrintf("kind: %u\nprefix variant: %u\nheader length: %u\ntime: %u\ndate: %u\ninput: %u\n"
                     "channels: %u\nchannel mode: %u\nflags word: %04X\n",
                     doc.FileKind(), h.prefixVariant, h.headerLength, h.time, h.date, h.inputKind, h.channelCount,
                     h.channelMode, h.legacyFlagsWord);
    for (int c = 0; c < h.channelCount; ++c) {
        doc.SelectLegacyChannel(c);
        const orlu::CurrentChannel& ch = doc.Channel();
        out += StrPrintf("  channel %d: input %u function %u range %u (%d dB) filter %u time code %u\n", c + 1,
                         ch.inputKind, ch.function, ch.rangeIndex, ch.rangeTopDb, ch.filter, ch.timeConstant);
    }
    if (doc.Channel().vectorFormula.size())
        out += "vector: " + doc.Channel().vectorFormula + "\n";
    out += StrPrintf("histogram: %s\nstatistics: %s\n", h.histogramFlag ? "yes" : "no", h.statisticsFlag ? "yes" : "no");
    if (h.histogramFlag || h.timeHistory)
        out += StrPrintf("classes: %u from %.1f dB by %.1f dB, total %lu\n", h.histogram.classes,
                         h.histogram.lowest / 10.0, h.histogram.width / 10.0,
                         static_cast<unsigned long>(h.histogram.totalCount));
    for (int i = 0; i < h.statistics.count; ++i)
        out += StrPrintf("  L%u %.1f dB\n", h.statistics.percentages[static_cast<std::size_t>(i)],
                         h.statistics.levels[static_cast<std::size_t>(i)]);
    if (h.timeHistory)
        out += StrPrintf("buffer: format %u, %lu records declared, %lu shown, step %.*f s\n", h.formatVersion,
                         static_cast<unsigned long>(h.declaredCount), static_cast<unsigned long>(h.shownRecordCount),
                         static_cast<int>(h.timeStepDecimals), h.timeStep);
}

void PrintHeader(CTmDoc& doc, std::string& out)
{
    if (doc.LegacyDecoded()) {
        PrintLegacyHeader(doc, out);
        return;
    }
    const CurrentHeader& h = doc.Header();
    AppendPrintf(out, "kind: %u\n", doc.FileKind());
    AppendPrintf(out, "device: %u serial %u\n", h.deviceType, h.serial);
    AppendPrintf(out, "firmware: %.2f file system %.2f\n", h.firmware / 100.0, h.fileSystemVersion / 100.0);
    out += "flags:";
    for (const FlagName& f : kFlagNames)
        if (h.model.*f.flag)
            out += std::string(" ") + f.name;
    out += "\n";
    AppendPrintf(out, "title: %s\n", h.title.c_str());
    AppendPrintf(out, "function: %u input %u range %u (%s)\n", h.function, h.inputKind, h.range,
                 h.rangeNames.At(h.range));
    AppendPrintf(out, "bands: kind %u count %u extras %u shown %u spectra %ld\n", h.bandKind, h.bandCount,
                 h.bandExtras, h.bandsShown, static_cast<long>(h.spectrumCount));
    AppendPrintf(out, "time step: %.3f s unit %u decimals %u\n", h.timeStep, h.timeStepUnit, h.timeStepDecimals);
    AppendPrintf(out, "time history: %s row %u words declared %lu second %lu\n", h.timeHistory ? "yes" : "no",
                 h.rowLength, static_cast<unsigned long>(h.declaredCount), static_cast<unsigned long>(h.secondCount));
    AppendPrintf(out, "markers: %lu\n", static_cast<unsigned long>(doc.LoggerMarkers().size()));
    for (const LoggerMarker& m : doc.LoggerMarkers())
        AppendPrintf(out, "  record %lu marker %u\n", static_cast<unsigned long>(m.record), m.marker);
    AppendPrintf(out, "breaks: %lu\n", static_cast<unsigned long>(doc.LoggerBreaks().size()));
    for (const LoggerBreak& b : doc.LoggerBreaks())
        AppendPrintf(out, "  record %lu skipped %lu\n", static_cast<unsigned long>(b.record),
                     static_cast<unsigned long>(b.skipped));
    const RecordIndex& index = doc.GetRecordIndex();
    AppendPrintf(out, "record index: %lu in %lu runs\n", static_cast<unsigned long>(index.size()),
                 static_cast<unsigned long>(index.RunCount()));
    if (!index.empty())
        AppendPrintf(out, "  first %lu last %lu\n", static_cast<unsigned long>(index[0]),
                     static_cast<unsigned long>(index[index.size() - 1]));
    if (h.model.FourChannel)
        PrintFourChannelHeader(doc, out);
}

// The setup of an ANALYZER-mode file as its decoder left it.
void PrintAnalyzerHeader(CTmDoc& doc, std::string& out)
{
    const Setup505& s = doc.Analyzer();
    static const char* const kFunctions[] = {"UNDF", "Time", "Spectrum", "Octave 1/1", "Octave 1/3"};
    AppendPrintf(out, "kind: %u sub-kind %u\n", doc.FileKind(), doc.SubKind());
    if (doc.SubfileCount() > 0)
        AppendPrintf(out, "sub-file: %u %s\n", doc.AnalyzerSubfile(), doc.GetSubfileName(doc.AnalyzerSubfile()).c_str());
    AppendPrintf(out, "setup: header %u words, time %u, date %u, flags 0x%04X\n", s.headerLength, s.startTime,
                 s.startDate, s.flags);
    AppendPrintf(out, "function: %s\n", s.function <= 4 ? kFunctions[s.function] : "UNDF");
    AppendPrintf(out, "channels: %u mode %u input %u mixed %s microphones %u\n", s.channelCount, s.channelMode,
                 s.storedInputKind, s.mixedInputs ? "yes" : "no", s.microphoneChannels);
    for (int c = 0; c < s.channelCount; ++c) {
        doc.Select505Channel(c);
        const CurrentChannel& ch = doc.Channel();
        AppendPrintf(out, "  channel %d: input %u range %u (%s) filter %u low pass %u calibration %.1f dB\n", c + 1,
                     ch.inputKind, ch.rangeIndex, ch.rangeNames.At(ch.rangeNameIndex), ch.filter505, ch.lowPassFilter,
                     ch.calibration505 / 10.0);
    }
    doc.Select505Channel(0);
    AppendPrintf(out, "values: %u bands %u extras %ld spectra %ld\n", s.bandEnd, s.bandCount,
                 static_cast<long>(s.bandExtras), static_cast<long>(s.spectraCount));
    if (s.function == kFunction505Time || s.function == kFunction505Spectrum)
        AppendPrintf(out, "fft: samples %lu spacing %g Hz range %g Hz axis %g to %g Hz period %g s window %u%s%s\n",
                     static_cast<unsigned long>(s.fftSamples), s.lineSpacingHz, s.fftRangeHz, s.axisStartHz,
                     s.axisEndHz, s.samplePeriod, s.window, s.zoomFlag == 1 ? " zoom" : "", s.eVersion ? " E" : "");
    else
        AppendPrintf(out, "octaves: first band %g Hz range %g Hz 1/1 %ld bands 1/3 %ld bands\n", s.lineSpacingHz,
                     s.fftRangeHz, static_cast<long>(s.octaveBands), static_cast<long>(s.thirdBands));
    AppendPrintf(out, "time step: %.*f s\n", s.timeStepDecimals, s.timeStep);
    if (s.histogramFlag)
        AppendPrintf(out, "histograms: %u at word %lu, %u classes from %.1f dB by %.1f dB\n", s.histogram.count,
                     static_cast<unsigned long>(s.histogram.position), s.histogram.classes, s.histogram.lowest / 10.0,
                     s.histogram.width / 10.0);
    AppendPrintf(out, "time history: %s records %lu\n", s.timeHistory ? "yes" : "no",
                 static_cast<unsigned long>(s.recordCount));
}

// One results row of the selected channel and profile.
void PrintResultRow(CTmDoc& doc, int channel, int profile, const char* label, std::string& out)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    const int e = GetReferenceExponent(levels, ch);
    ResultValues db, lin;
    doc.DecodeResultRow(channel, profile, db, false, e, 1.0);
    doc.DecodeResultRow(channel, profile, lin, true, e, 1.0);
    AppendPrintf(out, "%s: detector %s filter %s\n", label, ch.detectorNames.At(ch.detectorIndex + 1),
                 ch.filterNames.At(ch.filter));
    const struct {
        const char* name;
        double ResultValues::*slot;
    } slots[] = {{"Leq/RMS", &ResultValues::result}, {"Peak", &ResultValues::peak}, {"Max", &ResultValues::max},
                 {"Min", &ResultValues::min},        {"Spl", &ResultValues::spl}};
    for (const auto& s : slots) {
        const LevelText dbText = FormatLevel(levels, ch, ch.inputKind, db.*s.slot, 0);
        const LevelText linText = FormatLevel(levels, ch, ch.inputKind, lin.*s.slot, 1);
        AppendPrintf(out, "  %-8s %s%s %s%s\n", s.name, dbText.value.c_str(), dbText.unit.c_str(),
                     linText.value.c_str(), linText.unit.c_str());
    }
    if (IsAbsent(db.sel))
        out += "  SEL      -----\n";
    else
        AppendPrintf(out, "  SEL      %.1f dB\n", db.sel);
}

void PrintResults(CTmDoc& doc, std::string& out)
{
    const CurrentHeader& h = doc.Header();
    if (doc.Results().firstRecord == 0) {
        out += "no results\n";
        return;
    }
    if (h.model.FourChannel) {
        for (int c = 0; c < h.channelCount; ++c)
            for (int p = 0; p < h.fourChannel.channels[static_cast<std::size_t>(c)].profileCount; ++p) {
                doc.SelectChannelProfile(c, p);
                PrintResultRow(doc, c, p, StrPrintf("channel %d profile %d", c + 1, p + 1).c_str(), out);
            }
        doc.SelectChannelProfile(0, 0);
        return;
    }
    for (int profile = 0; profile < 3; ++profile) {
        doc.SelectChannelProfile(profile, 0);
        PrintResultRow(doc, profile, 0, StrPrintf("profile %d", profile + 1).c_str(), out);
    }
    doc.SelectChannelProfile(0, 0);
}

// Legacy files: the Main-results text of every channel in both unit choices (a
// microphone shows linear units with 1, the other inputs with 0).
void PrintLegacyResults(CTmDoc& doc, std::string& out)
{
    if (doc.FileKind() != kKindLegacyMeter) {
        out += "no results\n";
        return;
    }
    for (std::uint8_t units : {0, 1}) {
        LineList lines;
        int widest = 0;
        FormatLegacyResultsText(doc, lines, &widest, doc.Legacy().profileMask, units);
        AppendPrintf(out, "units %u:\n", units);
        if (lines.Empty())
            out += "no results\n";
        std::string buffer;
        for (std::size_t i = 0; i < lines.LineCount(); ++i) {
            std::string_view line = lines.Line(i, buffer);
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                line.remove_suffix(1);
            out += line;
            out += '\n';
        }
    }
}

struct ViewName {
    std::uint32_t bit;
    const char* name;
};
constexpr ViewName kViewNames[] = {
    {kViewMaskHeaderInfo, "Header info"}, {kViewMaskMainResults, "Main results"}, {kViewMaskHistograms, "Histograms"},
    {kViewMaskStatLevels, "Statistical levels"}, {kViewMaskDensities, "Densities"}, {kViewMaskBuffer, "Buffer/Logger"},
    {kViewMaskSpectra, "Spectra"}, {kViewMaskWaveforms, "Time waveforms"}, {kViewMaskOctave11, "Octaves 1/1"},
    {kViewMaskOctave13, "Octaves 1/3"}, {kViewMaskIntersections, "Time intersections"}, {kViewMaskSettings, "Settings"},
    {kViewMaskHexa, "Hexa"}, {kViewMaskAscii, "ASCII"}, {kViewMaskUserFilters, "User's filters"},
};

void PrintViewMask(const CTmDoc& doc, std::string& out)
{
    AppendPrintf(out, "view mask: 0x%04lX\n", static_cast<unsigned long>(doc.GetViewMask()));
    for (const ViewName& v : kViewNames)
        if (doc.GetViewMask() & v.bit)
            AppendPrintf(out, "  %s\n", v.name);
}

struct FormName {
    const char* name;
    FormChoice form;
};

constexpr FormName kFormNames[] = {
    {"text", FormChoice::Text}, {"table", FormChoice::Table}, {"hex", FormChoice::Hex}, {"ascii", FormChoice::Ascii}};

struct ViewRequest {
    int kind = -1;
    FormChoice form = FormChoice::Text;
    AppSettings settings;
    int units = -1;    ///< the view's unit byte of the kind shown; -1: as the view opens
    int channels = -1; ///< the view's channel or profile mask; -1: as the view chooses
    int subfile = -1;  ///< the sub-file of a Multifile to show; -1: as the view opens
    bool allFiles = false; ///< the view's All-files choice
    orlu::tools::ViewOptions choices; ///< buffer and logger choices
    bool graphData = false; ///< --form data: the plot data of the graph form
    orlu::tools::StatisticsRequest statistics;
    SpectraViewChoices spectra; ///< the Spectra view's choices
    orlu::tools::ViewOutputRequest output; ///< copy, pages and printing of the view
    orlu::tools::ControlScript control; ///< commands, keys and clicks run before the form is printed
    orlu::tools::GraphFormRequest graph; ///< --form graph: the graph form and its picture
    std::string saveView; ///< --save-view: Save current view of the form into this file
};

/// Standard output as UTF-8, a line at a time through a buffer of a few
/// pages: a form as long as its file is never held whole.
class StdoutLines : public LineSink {
public:
    ~StdoutLines() override { Flush(); }

    /// Text of the program's own (Windows-1252) as it is.
    void Write(std::string_view text)
    {
        if (IsAscii(text))
            m_Buffer += text;
        else
            m_Buffer += Cp1252ToUtf8(text);
        if (m_Buffer.size() >= kFlushBytes)
            Flush();
    }
    void AddLine(std::string& line) override
    {
        line += "\r\n";
        Write(line);
        line.clear();
    }
    void Flush()
    {
        std::fwrite(m_Buffer.data(), 1, m_Buffer.size(), stdout);
        m_Buffer.clear();
    }

private:
    static constexpr std::size_t kFlushBytes = 1u << 16;
    static bool IsAscii(std::string_view text)
    {
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }
    std::string m_Buffer;
};

int PrintView(CTmDoc& doc, const ViewRequest& request, StdoutLines& out)
{
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    MeasurementViewState view;
    OpenView(view, doc);
    if (request.subfile > 0 && doc.SubfileCount() > 0) {
        view.SubFileNumber = static_cast<std::int16_t>(std::min<int>(request.subfile, doc.SubfileCount()));
        LoadCurrentRecord(view, doc);
    }
    // Header info keeps a unit choice of its own.
    if (request.units >= 0)
        view.UnitsByKind[request.kind == kViewHeaderInfo ? kHeaderInfoUnitSlot : 0] =
            static_cast<std::uint8_t>(request.units);
    view.Spectra = request.spectra;
    AppSettings settings = request.settings; // the dialogs' check boxes change it
    view.Tools.PrintZoom = settings.PrintGraphZoom; // as a view window starts
    const FormBuilder builder(renderers, settings);
    if (!request.control.Any() && builder.StreamLongForm(view, doc, static_cast<std::uint8_t>(request.kind), request.form, out))
        return 0;
    builder.ShowKindInForm(view, doc, static_cast<std::uint8_t>(request.kind), request.form);
    // The kind chooses its channels when it is shown, and its page its All-files choice; the
    // user's own are set after, as the view's buttons do, and the text or table is made again.
    const bool textOrTable = request.form == FormChoice::Text || request.form == FormChoice::Table;
    if (textOrTable && (request.channels >= 0 || request.subfile >= 0 || request.allFiles || request.choices.Any() ||
                        request.choices.markerA >= 0 || request.statistics.Any())) {
        orlu::tools::ApplyViewOptions(request.choices, view);
        // The markers came with the view options.
        orlu::tools::ApplyStatisticsRequest(request.statistics, -1, -1, view);
        if (request.channels >= 0)
            view.SelectedChannels = static_cast<std::uint16_t>(request.channels);
        if (request.subfile >= 0)
            view.SubFileNumber = request.subfile;
        // A sub-file chosen alone is shown alone; a Multifile's Main results open on all of them.
        for (std::int32_t* all : {&view.TextAllFiles, &view.TableAllFiles})
            *all = request.allFiles ? 1 : request.subfile >= 0 ? 0 : *all;
        builder.UpdateForm(view, doc);
    }
    if (!orlu::tools::RunControlScript(request.control, view, doc, builder, settings))
        return 1;
    const bool state = request.control.state;
    if (request.graph.shown) {
        std::string text;
        static char program[] = "orlu-dump";
        orlu::tools::GraphFormRequest graph = request.graph;
        graph.print = request.output.printPath;
        graph.saveView = request.saveView;
        const int status = orlu::tools::ShowGraphForm(builder, view, doc, graph, text, program);
        if (state)
            orlu::tools::PrintViewState(view, doc, text);
        out.Write(text);
        return status;
    }
    if (request.graphData) {
        PlotData data;
        orlu::tools::ApplyMultiChoice(request.choices, data);
        const std::uint8_t panels = builder.BuildGraphData(view, doc, data);
        std::string text;
        if (panels == 0)
            text = "# no graph data\n";
        orlu::tools::PrintGraphData(view.ViewKind, data, panels, text);
        out.Write(text);
        return 0;
    }
    if (request.output.Any()) {
        std::string text;
        if (!orlu::tools::WriteViewOutput(view, PrintedFileName(doc.PathName().string(), doc.FileName()), request.output,
                                          text))
            std::exit(1);
        out.Write(text);
        return 0;
    }
    const LineSource& lines = view.ShownLines();
    if (!request.saveView.empty()) {
        return orlu::tools::SaveViewLines(lines, request.saveView) ? 0 : 1;
    }
    std::string buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        out.Write(lines.Line(i, buffer));
    if (state) {
        std::string text;
        orlu::tools::PrintViewState(view, doc, text);
        out.Write(text);
    }
    return 0;
}

// Makes the document the Extract command makes of sub-file n and stores it in
// path; false, with nothing written, when the extract is refused.
bool StoreExtract(CTmDoc& source, int n, const std::string& path, std::string& out)
{
    AppContext& app = source.App();
    if (!RequestSubfileExtract(app, source, n)) {
        std::fprintf(stderr, "orlu-dump: %s: no sub-file %d to extract (sub-files: %u)\n", source.FileName().c_str(),
                     n, source.SubfileCount());
        return false;
    }
    CTmDoc extracted(app);
    extracted.SetTitle("");
    const bool filled = extracted.OnNewDocument();
    app.PendingDocSource = kPendingNone;
    if (!filled) {
        std::fprintf(stderr, "orlu-dump: %s: sub-file %d cannot be extracted\n", source.FileName().c_str(), n);
        return false;
    }
    if (!extracted.OnSaveDocument(path))
        return false;
    AppendPrintf(out, "extracted sub-file %d (%s): kind %u, %lu bytes\n", n, app.PendingExtractName.c_str(),
                 extracted.FileKind(), Ul(extracted.ByteCount()));
    return true;
}

// A number option in 0..max; -1 when it is not one.
int NumberArgument(const char* text, int max)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *text && !*end && value >= 0 && value <= max ? static_cast<int>(value) : -1;
}

// The file as the program holds it was refused: the loader reported why and
// keeps it for the Hexa view only.
bool Refused(const CTmDoc& doc, const ConsoleInteraction& ui)
{
    return doc.FileKind() == kKindUnreadable && !ui.Messages.empty();
}

int Run(int argc, char** argv)
{
    if (std::any_of(argv + 1, argv + argc, [](const char* a) { return std::string(a) == "--help"; }))
        return Usage(true);
    if (argc >= 2 && std::string(argv[1]) == "--band-name")
        return orlu::tools::RunBandName(argc, argv);
    if (argc >= 3 && orlu::tools::WantsOpenAs(argc, argv))
        return orlu::tools::RunOpenAs(argc, argv);
    if (argc >= 3 && orlu::tools::WantsGraphSaveView(argc, argv) && orlu::tools::IsPlotStateFile(argv[1]))
        return orlu::tools::RunGraphSaveView(argc, argv);
    // The file comes first; an option in its place is a wrong command line, not a file to look for.
    if (argc < 3 || argv[1][0] == '-')
        return Usage();
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--form" && std::string(argv[i + 1]) == "graph" &&
            orlu::tools::IsPlotStateFile(argv[1]))
            return orlu::tools::RunGraphForm(argc, argv);
    if (orlu::tools::WantsSetupDump(argc, argv))
        return orlu::tools::RunSetupDump(argc, argv);
    if (orlu::tools::WantsReverbForm(argc, argv))
        return orlu::tools::RunReverbForm(argc, argv);
    if (orlu::tools::WantsIntersectionForm(argc, argv))
        return orlu::tools::RunIntersectionForm(argc, argv);
    if (orlu::tools::WantsTextDocument(argc, argv))
        return orlu::tools::RunTextDocument(argc, argv);
    bool summary = false, subfiles = false, records = false, header = false, results = false, viewMask = false;
    bool formGiven = false;
    bool monitor = false;
    int extract = -1;
    std::string extractPath;
    ViewRequest view;
    orlu::tools::BufferEditRequest edit;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (const int control = orlu::tools::ReadControlOption(argc, argv, i, view.control); control != 0) {
            if (control < 0)
                return Usage();
        } else if (const int read = orlu::tools::ReadViewOption(argc, argv, i, view.choices); read != 0) {
            if (read < 0)
                return Usage();
        } else if (const int graph = orlu::tools::ReadGraphFormOption(argc, argv, i, view.graph)) {
            if (graph < 0)
                return Usage();
        } else if (const int spectra = orlu::tools::ReadSpectraOption(argc, argv, i, view.spectra)) {
            if (spectra < 0)
                return Usage();
        } else if (const int output = orlu::tools::ReadViewOutputOption(argc, argv, i, view.output)) {
            if (output < 0)
                return Usage();
        } else if (hasValue && option == "--view") {
            view.kind = NumberArgument(argv[++i], kViewNone - 1);
            if (view.kind < 0)
                return Usage();
        } else if (hasValue && option == "--form") {
            const std::string name = argv[++i];
            auto it = std::find_if(std::begin(kFormNames), std::end(kFormNames),
                                   [&](const FormName& f) { return name == f.name; });
            view.graphData = name == "data";
            view.graph.shown = name == "graph";
            if (it == std::end(kFormNames) && !view.graphData && !view.graph.shown)
                return Usage();
            view.form = view.graphData || view.graph.shown ? FormChoice::Text : it->form;
            formGiven = true;
        } else if (hasValue && (option == "--sep" || option == "--dec")) {
            const bool sep = option == "--sep";
            const int value = NumberArgument(argv[++i], sep ? 6 : 1);
            if (value < 0)
                return Usage();
            (sep ? view.settings.SeparatorChar : view.settings.DecyPoint) = static_cast<std::uint8_t>(value);
        } else if (hasValue && (option == "--units" || option == "--channels")) {
            const bool units = option == "--units";
            const int value = NumberArgument(argv[++i], units ? 1 : 0xFFFF);
            if (value < 0)
                return Usage();
            (units ? view.units : view.channels) = value;
        } else if (hasValue && option == "--subfile") {
            view.subfile = NumberArgument(argv[++i], 0xFFFF);
            if (view.subfile < 0)
                return Usage();
        } else if (hasValue && option == "--extract") {
            extract = NumberArgument(argv[++i], 0xFFFF);
            if (extract < 0)
                return Usage();
        } else if (hasValue && option == "--markers") {
            if (!orlu::tools::ParseMarkers(argv[++i], edit))
                return Usage();
            view.choices.markerA = edit.markerA;
            view.choices.markerB = edit.markerB;
        } else if (hasValue && option == "--edit") {
            if (!orlu::tools::ParseEditOperation(argv[++i], edit))
                return Usage();
        } else if (hasValue && option == "--impulses") {
            edit.impulses = NumberArgument(argv[++i], 3);
            if (edit.impulses < 1)
                return Usage();
        } else if (hasValue && option == "--save-view") {
            view.saveView = argv[++i];
        } else if (hasValue && option == "--out") {
            extractPath = argv[++i];
        } else if (option == "--all") {
            view.allFiles = true;
        } else if (option == "--summary")
            summary = true;
        else if (option == "--subfiles")
            subfiles = true;
        else if (option == "--records")
            records = true;
        else if (option == "--header")
            header = true;
        else if (option == "--results")
            results = true;
        else if (option == "--sci")
            view.settings.ScFormForMR = 1;
        else if (option == "--viewmask")
            viewMask = true;
        else if (option == "--monitor")
            monitor = true;
        else if (const int used = orlu::tools::ReadStatisticsOption(argc, argv, i, view.statistics); used > 0)
            i += used - 1;
        else
            return Usage();
    }
    // --subfile and --all choose what a view or the --header setup of a Multifile shows.
    const bool subfileChoice = view.subfile >= 0 || view.allFiles;
    const bool editing = edit.op != 0;
    if (view.kind < 0 &&
        (formGiven || view.units >= 0 || view.channels >= 0 || (subfileChoice && !header) || view.choices.Any()))
        return Usage();
    // --out names the picture of the graph form, or the file of an extract or of an edit, one of them.
    if (view.graph.shown) {
        view.graph.out = extractPath;
        extractPath.clear();
    }
    if ((extract >= 0 || editing) != !extractPath.empty() || (extract >= 0 && editing))
        return Usage();
    // The markers are the block of an edit, or the marked records or classes of a view.
    if (editing ? edit.markerA < 0 : edit.markerA >= 0 && view.kind < 0)
        return Usage();
    if ((view.statistics.Any() || view.statistics.percentages) && view.kind < 0)
        return Usage();
    if (view.output.Any() && view.kind < 0)
        return Usage();
    orlu::tools::ApplyClipboardSettings(view.output, view.settings);
    edit.out = extractPath;
    if (const std::string problem = InputFileProblem(argv[1]); !problem.empty()) {
        std::fprintf(stderr, "orlu-dump: %s\n", problem.c_str());
        return 1;
    }
    ConsoleInteraction ui;
    AppContext app(ui);
    app.NonMetric = view.choices.nonMetric ? 1 : 0;
    InstallMonitorParser(app);
    orlu::tools::ApplyPercentages(view.statistics, app);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    // A refused file shows what the program holds of it, and its load errors (on standard
    // error as they happened) make the status 1. Its header and results were never decoded:
    // rows built from it would be words of whatever the file holds.
    int status = Refused(doc, ui) ? 1 : 0;
    // ANALYZER-mode files have a setup of their own and no main results.
    const bool analyzer = header && doc.AnalyzerDecoded();
    if (analyzer)
        header = false;
    if ((header || results) && !doc.HeaderDecoded() && !doc.LegacyDecoded()) {
        if (status == 0)
            std::fprintf(stderr, "orlu-dump: %s: no instrument header was decoded (kind %u)\n", doc.FileName().c_str(),
                         doc.FileKind());
        header = results = false;
        status = 1;
    }
    std::string out;
    if (summary)
        PrintSummary(doc, out);
    if (subfiles)
        PrintSubfiles(doc, out);
    if (records)
        PrintAllRecords(doc, out);
    if (header)
        PrintHeader(doc, out);
    if (analyzer) {
        const int count = doc.SubfileCount();
        const int first = view.allFiles && count > 0 ? 1 : view.subfile > 0 ? view.subfile : 0;
        const int last = view.allFiles && count > 0 ? count : first;
        for (int n = first; n <= last; ++n) {
            if (n > count && count > 0)
                break;
            if (!doc.DecodeSetup505(static_cast<std::uint16_t>(n))) {
                AppendPrintf(out, "sub-file %d: the setup cannot be decoded\n", n);
                status = 1;
                continue;
            }
            PrintAnalyzerHeader(doc, out);
        }
    }
    if (results && doc.LegacyDecoded())
        PrintLegacyResults(doc, out);
    else if (results)
        PrintResults(doc, out);
    if (viewMask)
        PrintViewMask(doc, out);
    if (monitor)
        orlu::tools::PrintMonitor(doc, out);
    if (extract >= 0 && !StoreExtract(doc, extract, extractPath, out))
        status = 1;
    if ((editing || edit.impulses != 0) && !orlu::tools::RunBufferEdit(doc, edit, out))
        status = 1;
    StdoutLines output;
    output.Write(out);
    if (view.kind >= 0 && PrintView(doc, view, output) != 0)
        status = 1;
    for (const std::string& message : ui.Messages)
        output.Write(StrPrintf("message: %s\n", message.c_str()));
    return status;
}

} // namespace

// Whatever a file or a decoder throws ends in a message and status 1, never an abort.
int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orlu-dump: %s\n", e.what());
        return 1;
    }
}
