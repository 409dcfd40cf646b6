#include "GraphForm.h"

#include "Usage.h"
#include "document/ViewComputations.h"
#include "graph/BandNames.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/PlotStateFile.h"
#include "platform/FileIo.h"
#include "platform/canvas/EmfWriter.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#ifdef ORLU_TOOLS_QT
#include "app/canvas/GraphCopyImage.h"
#include "app/canvas/GraphPagePrinter.h"
#include "app/canvas/QtPainterCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orlu::tools {
namespace {

constexpr char kDumpUsage[] =
    "usage: orlu-dump FILE --form graph --out OUT.png|OUT.emf|OUT.pdf|OUT.txt|OUT.plot [--target screen|printer|metafile]\n"
    "  FILE is a plot state (orlu-fixture plot). png: the screen bitmap; emf: a metafile at five times the\n"
    "  screen scale; pdf: the printer; txt: the drawing calls; plot: the state itself.\n"
    "       orlu-dump FILE --form graph --copy OUT.png\n"
    "  the part of the screen bitmap that Copy puts on the clipboard.\n"
    "       orlu-dump FILE --form graph --print OUT.pdf [--zoom Z]\n"
    "  the printed page: the graph at print zoom Z (1-16) with the footer naming FILE.\n";

constexpr char kPlotUsage[] =
    "usage: orlu-fixture plot --plot-kind K [--family legacy|505|current|four] [--panels N] [--points N]\n"
    "                    [--markers A[,B]] [--cursor C] [--size S] [--set FIELD=VALUE]... OUT.plot\n"
    "  spectra (PlotKind 9 and the band kinds): [--peaks] [--tonality] [--total-bars 0|1|2]\n"
    "  the phase of an FFT spectrum: --phase-unit rad|deg|grad\n"
    "  a multi element picture (PlotKind 9 and the octave kinds): --waterfall ROWS,COLUMNS [--lines F,T] [--box M]\n"
    "                    [--totals 0|1] (octave pictures take every position of the kind as columns)\n"
    "  time intersections (7, 28): [--decay DB_PER_POINT,STEP] [--rt METHOD,STEP] [--no-data]\n"
    "    a straight decay of DB_PER_POINT dB per point, records STEP seconds apart; an evaluation of\n"
    "    METHOD (1 EDT, 2 RT20, 3 RT30, 4 RTuser) at evaluation step STEP; a band without a plot\n"
    "  a buffer of waveform samples (6): --waveform\n";

bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

CanvasTarget TargetOf(const std::string& name, bool& ok)
{
    ok = true;
    if (name == "screen")
        return CanvasTarget::Screen;
    if (name == "printer")
        return CanvasTarget::Printer;
    if (name == "metafile")
        return CanvasTarget::Metafile;
    ok = false;
    return CanvasTarget::Screen;
}

#ifdef ORLU_TOOLS_QT
// The height the panels need, from a paint onto the recording canvas of the same target.
GraphPaintResult Measure(PlotState state, CanvasTarget target)
{
    RecordingCanvas canvas(target);
    EngineRoutines routines;
    return PaintGraph(canvas, state.view, state.doc, state.settings, routines);
}
#endif

// "A,B" with both numbers from low to high.
bool PairOption(const char* text, int low, int high, std::array<int, 2>& out)
{
    char end = 0;
    return std::sscanf(text, "%d,%d%c", &out[0], &out[1], &end) == 2 && out[0] >= low && out[0] <= high &&
           out[1] >= low && out[1] <= high;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orlu-dump: %s\n", message.c_str());
    return 1;
}

// "A,B": two numbers separated by a comma.
bool ParseNumberPair(const std::string& text, double& a, double& b)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    const std::string first = text.substr(0, comma);
    const std::string second = text.substr(comma + 1);
    char* end = nullptr;
    a = std::strtod(first.c_str(), &end);
    if (first.empty() || *end != '\0')
        return false;
    b = std::strtod(second.c_str(), &end);
    return !second.empty() && *end == '\0' && std::isfinite(a) && std::isfinite(b);
}

} // namespace

bool IsPlotStateFile(const std::string& path)
{
    if (std::filesystem::path(path).extension() == ".plot")
        return true;
    std::ifstream in(path, std::ios::binary);
    std::string first;
    std::getline(in, first);
    return first == "# OrluPC plot state";
}

int PaintPlotState(PlotState& state, const PlotOutput& output, char* program)
{
    const std::string& out = output.out;
    const std::string& targetName = output.targetName;
    const std::string ext = std::filesystem::path(out).extension().string();
    if ((output.copy && ext != ".png") || (output.print && ext != ".pdf") || (output.zoom != 0 && !output.print))
        return PrintUsage(kDumpUsage, false);
    bool known = true;
    CanvasTarget target = ext == ".emf" ? CanvasTarget::Metafile : ext == ".pdf" ? CanvasTarget::Printer : CanvasTarget::Screen;
    if (!targetName.empty())
        target = TargetOf(targetName, known);
    if (!known)
        return PrintUsage(kDumpUsage, false);

    EngineRoutines routines;
    if (ext == ".plot")
        return WriteText(out, WritePlotState(state)) ? 0 : Fail("cannot write " + out);
    if (ext == ".txt") {
        RecordingCanvas canvas(target);
        PaintGraph(canvas, state.view, state.doc, state.settings, routines);
        std::string lines;
        for (const std::string& line : canvas.Lines())
            lines += line + "\n";
        return WriteText(out, lines) ? 0 : Fail("cannot write " + out);
    }
    if (ext == ".emf") {
        EmfWriter canvas;
        PaintGraph(canvas, state.view, state.doc, state.settings, routines);
        std::string why;
        return canvas.WriteFile(out, &why) ? 0 : Fail(why);
    }
#ifdef ORLU_TOOLS_QT
    if (ext == ".png" || ext == ".pdf") {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int qtArgc = 1;
        char* qtArgv[] = {program, nullptr};
        QGuiApplication app(qtArgc, qtArgv);
        if (ext == ".png") {
            // The bitmap follows the panels this paint draws, and is as wide as
            // the graph's page when a larger scale or geometry needs more.
            const GraphPaintResult size = Measure(state, CanvasTarget::Screen);
            const GraphViewState& v = state.view;
            const int width = ComputeGraphPageSize(v.GraphScale, false, false, v.GraphSizeIndex != 0, v.Geometry).width;
            QImage image(std::max(kGraphBitmapWidth, width), std::max(1, size.height), QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QtPainterCanvas canvas(image);
                PaintGraph(canvas, state.view, state.doc, state.settings, routines);
            }
            if (output.copy)
                image = GraphCopyImage(image, PlotCopySize(state.view, size.panels));
            if (image.isNull())
                return Fail("the graph has nothing to copy");
            return image.save(QString::fromStdString(out), "PNG") ? 0 : Fail("cannot write " + out);
        }
        QPdfWriter pdf(QString::fromStdString(out));
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        if (output.print) {
            if (output.zoom != 0)
                state.view.PrintZoom = static_cast<std::uint8_t>(output.zoom);
            const bool printed = PrintGraphPage(pdf, output.fileName, [&](Canvas& canvas) {
                PaintGraph(canvas, state.view, state.doc, state.settings, routines);
            });
            return printed ? 0 : Fail("cannot print into " + out);
        }
        QtPainterCanvas canvas(pdf);
        PaintGraph(canvas, state.view, state.doc, state.settings, routines);
        return 0;
    }
#endif
    return Fail("no picture format for '" + ext + "' (png, emf, pdf, txt, plot)");
}

int RunGraphForm(int argc, char** argv)
{
    PlotOutput output;
    output.fileName = argv[1];
    std::string& out = output.out;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--form" && i + 1 < argc && std::string(argv[i + 1]) == "graph")
            ++i;
        else if (option == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (option == "--copy" && i + 1 < argc) {
            out = argv[++i];
            output.copy = true;
        } else if (option == "--print" && i + 1 < argc) {
            out = argv[++i];
            output.print = true;
        } else if (option == "--zoom" && i + 1 < argc) {
            char* end = nullptr;
            output.zoom = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end != '\0' || output.zoom < 1 || output.zoom > 16)
                return PrintUsage(kDumpUsage, false);
        } else if (option == "--target" && i + 1 < argc)
            output.targetName = argv[++i];
        else
            return PrintUsage(kDumpUsage, false);
    }
    if (out.empty())
        return PrintUsage(kDumpUsage, false);
    std::string text;
    if (!ReadText(argv[1], text))
        return Fail(std::string("cannot read ") + argv[1]);
    PlotState state;
    std::string error;
    if (!ReadPlotState(text, state, error))
        return Fail(std::string(argv[1]) + ": " + error);

    return PaintPlotState(state, output, argv[0]);
}

int RunPlotFixture(int argc, char** argv)
{
    PlotFixtureOptions o;
    std::string family = "current";
    std::vector<std::string> sets;
    std::string out;
    const auto number = [](const char* text, int low, int high, int& value) {
        char* end = nullptr;
        const long v = std::strtol(text, &end, 10);
        if (end == text || *end != '\0' || v < low || v > high)
            return false;
        value = static_cast<int>(v);
        return true;
    };
    bool kindGiven = false;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        bool ok = true;
        if (hasValue && option == "--plot-kind") {
            ok = number(argv[++i], 0, 52, o.plotKind);
            kindGiven = true;
        } else if (hasValue && option == "--family") {
            family = argv[++i];
        } else if (hasValue && option == "--panels") {
            ok = number(argv[++i], 1, kMaxGraphPanels, o.panels);
        } else if (hasValue && option == "--points") {
            ok = number(argv[++i], 1, 10000000, o.points);
        } else if (hasValue && option == "--cursor") {
            ok = number(argv[++i], 0, 10000000, o.cursor);
        } else if (hasValue && option == "--size") {
            ok = number(argv[++i], 0, 4, o.sizeIndex);
        } else if (hasValue && option == "--markers") {
            const std::string text = argv[++i];
            const auto comma = text.find(',');
            std::array<int, 2> m{};
            ok = number(text.substr(0, comma).c_str(), 0, 10000000, m[0]);
            m[1] = m[0];
            if (ok && comma != std::string::npos)
                ok = number(text.substr(comma + 1).c_str(), m[0], 10000000, m[1]);
            o.markers = m;
        } else if (option == "--peaks") {
            o.peaks = true;
        } else if (option == "--tonality") {
            o.tonality = true;
        } else if (hasValue && option == "--phase-unit") {
            const std::string unit = argv[++i];
            o.phaseUnit = unit == "rad" ? 0 : unit == "deg" ? 1 : unit == "grad" ? 2 : -1;
            ok = o.phaseUnit >= 0;
        } else if (hasValue && option == "--total-bars") {
            ok = number(argv[++i], 0, 2, o.totalBars);
        } else if (hasValue && option == "--waterfall") {
            std::array<int, 2> cells{};
            ok = PairOption(argv[++i], 2, kMultiElementMaxCells, cells);
            o.waterfall = cells;
        } else if (hasValue && option == "--lines") {
            ok = PairOption(argv[++i], 0, 1, o.lines);
        } else if (hasValue && option == "--box") {
            ok = number(argv[++i], 0, 1, o.boxMode);
        } else if (hasValue && option == "--totals") {
            ok = number(argv[++i], 0, 1, o.totalsShown);
        } else if (hasValue && option == "--decay") {
            ok = ParseNumberPair(argv[++i], o.decayPerPoint, o.recordStep) && o.decayPerPoint >= 0.0 &&
                 o.recordStep > 0.0;
        } else if (hasValue && option == "--rt") {
            double method = 0.0;
            double step = 0.0;
            ok = ParseNumberPair(argv[++i], method, step) && method >= 1 && method <= 4 && step >= 1 && step <= 6;
            o.rtMethod = static_cast<int>(method);
            o.rtStep = static_cast<int>(step);
        } else if (option == "--no-data") {
            o.noData = true;
        } else if (option == "--waveform") {
            o.waveform = true;
        } else if (hasValue && option == "--set") {
            sets.emplace_back(argv[++i]);
        } else if (option[0] != '-' && out.empty() && i == argc - 1) {
            out = option;
        } else {
            ok = false;
        }
        if (!ok)
            return PrintUsage(kPlotUsage, false);
    }
    if (!kindGiven || out.empty() || (family != "legacy" && family != "505" && family != "current" && family != "four"))
        return PrintUsage(kPlotUsage, false);
    PlotState state = MakePlotFixture(o);
    state.doc.File505 = family == "505";
    state.doc.SlotChannels = family == "legacy" || family == "505";
    state.doc.FourChannelFamily = family == "four";
    // --set goes through the reader: a field it does not know is refused as in any plot state.
    std::string text = WritePlotState(state);
    for (const std::string& s : sets)
        text += s + "\n";
    PlotState checked;
    std::string error;
    if (!ReadPlotState(text, checked, error)) {
        std::fprintf(stderr, "orlu-fixture: --set: %s\n", error.c_str());
        return 2;
    }
    if (!WriteText(out, WritePlotState(checked))) {
        std::fprintf(stderr, "orlu-fixture: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

int RunBandName(int argc, char** argv)
{
    constexpr char kUsage[] = "usage: orlu-dump --band-name K,TOTALBARS,POS\n"
                              "  the name band graphs of PlotKind K give position POS (TotalBars 0, 1 or 2)\n";
    if (argc != 3)
        return PrintUsage(kUsage, false);
    int kind = 0, totalBars = 0, position = 0;
    char end = 0;
    if (std::sscanf(argv[2], "%d,%d,%d%c", &kind, &totalBars, &position, &end) != 3 || totalBars < 0 || totalBars > 2 ||
        position < 0)
        return PrintUsage(kUsage, false);
    std::printf("%s\n", std::string(BandNameOf(kind, totalBars, position)).c_str());
    return 0;
}

} // namespace orlu::tools
