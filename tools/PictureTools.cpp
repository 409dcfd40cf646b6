#include "PictureTools.h"

#include "Usage.h"
#include "ConsoleInteraction.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/PlotStateFile.h"
#include "document/ViewComputations.h"
#include "platform/FileIo.h"
#include "platform/canvas/BmpFile.h"
#include "platform/canvas/LittleEndian.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/AppSettings.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/pictures/BitmapDocument.h"
#include "presentation/pictures/MetafileDocument.h"
#include "presentation/pictures/PictureViewGeometry.h"
#include "presentation/pictures/ViewExport.h"
#include "support/BmpFixture.h"

#ifdef ORLU_TOOLS_QT
#include "app/canvas/ImageConversion.h"
#include "app/canvas/QtPainterCanvas.h"

#include <QGuiApplication>
#include <QImage>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace orlu::tools {
namespace {

namespace fs = std::filesystem;

constexpr char kFixtureUsage[] =
    "usage: orlu-fixture bmp --width W --height H --bits 1|4|8|16|24|32 [--size-image 0] [--top-down] OUT\n";
constexpr char kOpenAsUsage[] =
    "usage: orlu-dump FILE --open-as emf|bmp [--client WxH] [--zoom Z] [--scroll top|bottom|page-down|line-down]..."
    " [--out FILE.png]\n"
    "       orlu-dump PLOT --form graph --save-view OUT.emf|OUT.bmp\n";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orlu-dump: %s\n", message.c_str());
    return 1;
}

bool Number(const char* text, long low, long high, long& out)
{
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return *text && !*end && out >= low && out <= high;
}

std::string Rect(const CanvasRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The application's side of the picture documents for one command.
struct PictureTemplates {
    ConsoleInteraction ui;
    AppContext context{ui};
    AppSettings settings;
    std::string saveTo;
    SaveAsFlow saveAs{ui, settings, nullptr, [this](const SaveAsPrompt&) { return saveTo; }};
    PictureHandOver handOver;
    DocumentManager documents{ui};

    PictureTemplates()
    {
        documents.RegisterTemplate(kMetafileDocTemplate, [this] {
            return std::make_unique<MetafileDocument>(PictureServices{context, saveAs, handOver});
        });
        documents.RegisterTemplate(kBitmapDocTemplate, [this] {
            return std::make_unique<BitmapDocument>(PictureServices{context, saveAs, handOver});
        });
    }
};

#ifdef ORLU_TOOLS_QT
void EnsureGuiApplication(char* program, std::unique_ptr<QGuiApplication>& app)
{
    if (QGuiApplication::instance())
        return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char* argv[] = {program, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}
#endif

} // namespace

int RunBmpFixture(int argc, char** argv)
{
    fixture::BmpSpec spec;
    std::string out;
    long value = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--width" && hasValue && Number(argv[++i], 1, kMaxBitmapSide, value))
            spec.width = static_cast<int>(value);
        else if (option == "--height" && hasValue && Number(argv[++i], 1, kMaxBitmapSide, value))
            spec.height = static_cast<int>(value);
        else if (option == "--bits" && hasValue && Number(argv[++i], 1, 32, value) &&
                 (value == 1 || value == 4 || value == 8 || value == 16 || value == 24 || value == 32))
            spec.bits = static_cast<int>(value);
        else if (option == "--size-image" && hasValue && std::strcmp(argv[++i], "0") == 0)
            spec.sizeImageZero = true;
        else if (option == "--top-down")
            spec.topDown = true;
        else if (option[0] != '-' && out.empty())
            out = option;
        else
            return PrintUsage(kFixtureUsage, false);
    }
    if (out.empty())
        return PrintUsage(kFixtureUsage, false);
    std::string error;
    if (!WriteFileAtomically(out, fixture::BuildBmp(spec), &error)) {
        std::fprintf(stderr, "orlu-fixture: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

bool WantsOpenAs(int argc, char** argv)
{
    // "--open-as text" is the text document's.
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--open-as") == 0 && (i + 1 >= argc || std::strcmp(argv[i + 1], "text") != 0))
            return true;
    return false;
}

int RunOpenAs(int argc, char** argv)
{
    std::string kind, out;
    int clientWidth = 800, clientHeight = 600;
    long zoom = 8;
    std::vector<ScrollRequest> scrolls;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--open-as" && hasValue) {
            kind = argv[++i];
        } else if (option == "--out" && hasValue) {
            out = argv[++i];
        } else if (option == "--zoom" && hasValue && Number(argv[++i], 1, 16, zoom)) {
        } else if (option == "--client" && hasValue &&
                   std::sscanf(argv[++i], "%dx%d", &clientWidth, &clientHeight) == 2 && clientWidth > 0 &&
                   clientHeight > 0 && clientWidth <= 10000 && clientHeight <= 10000) {
        } else if (option == "--scroll" && hasValue) {
            const std::string code = argv[++i];
            if (code == "top")
                scrolls.push_back(ScrollRequest::Top);
            else if (code == "bottom")
                scrolls.push_back(ScrollRequest::Bottom);
            else if (code == "page-down")
                scrolls.push_back(ScrollRequest::PageDown);
            else if (code == "line-down")
                scrolls.push_back(ScrollRequest::LineDown);
            else
                return PrintUsage(kOpenAsUsage, false);
        } else {
            return PrintUsage(kOpenAsUsage, false);
        }
    }
    if (kind != "emf" && kind != "bmp")
        return PrintUsage(kOpenAsUsage, false);

    PictureTemplates app;
    std::unique_ptr<PictureDocument> doc;
    if (kind == "emf")
        doc = std::make_unique<MetafileDocument>(PictureServices{app.context, app.saveAs, app.handOver});
    else
        doc = std::make_unique<BitmapDocument>(PictureServices{app.context, app.saveAs, app.handOver});
    if (!doc->OpenDocument(argv[1]))
        return 1;
    std::printf("title: %s\n", doc->Title().c_str());

    if (auto* emf = dynamic_cast<MetafileDocument*>(doc.get())) {
        const EmfHeaderInfo& header = emf->Player().Header();
        std::printf("metafile: %zu bytes, %u records, picture %s\n", emf->Bytes().size(), header.recordCount,
                    Rect(emf->Player().PictureRect()).c_str());
        const CanvasRect screen = MetafileScreenRect(clientWidth, clientHeight);
        std::printf("window %dx%d: picture at %s\n", clientWidth, clientHeight, Rect(screen).c_str());
        std::printf("print zoom %ld: %s\n", zoom, Rect(MetafilePrintRect(static_cast<int>(zoom))).c_str());
        if (out.empty())
            return 0;
#ifdef ORLU_TOOLS_QT
        std::unique_ptr<QGuiApplication> gui;
        EnsureGuiApplication(argv[0], gui);
        QImage image(clientWidth, clientHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QtPainterCanvas canvas(image);
            emf->Player().Play(canvas, screen);
        }
        return image.save(QString::fromStdString(out), "PNG") ? 0 : Fail("cannot write " + out);
#else
        return Fail("this orlu-dump paints no PNG (built without Qt)");
#endif
    }

    auto* bmp = static_cast<BitmapDocument*>(doc.get());
    const RgbImage& image = *bmp->Image();
    const std::vector<std::uint8_t>& info = bmp->Picture().info;
    std::printf("bitmap: %d x %d, %u bits, info %zu bytes, bits %zu bytes\n", image.width, image.height,
                GetLe16(info, 14), info.size(), bmp->Picture().bits.size());
    BitmapScroller scroller(image.width, image.height);
    scroller.Resize(clientWidth, clientHeight);
    for (ScrollRequest request : scrolls)
        scroller.ScrollVertical(request);
    std::printf("window %dx%d: offset %d,%d\n", clientWidth, clientHeight, scroller.OffsetX(), scroller.OffsetY());
    std::printf("print zoom %ld: %s\n", zoom,
                Rect(BitmapPrintRect(image.width, image.height, static_cast<int>(zoom))).c_str());
    if (out.empty())
        return 0;
#ifdef ORLU_TOOLS_QT
    std::unique_ptr<QGuiApplication> gui;
    EnsureGuiApplication(argv[0], gui);
    const RgbImage window =
        RenderBitmapView(image, clientWidth, clientHeight, scroller.OffsetX(), scroller.OffsetY());
    return ToQImage(window).save(QString::fromStdString(out), "PNG") ? 0 : Fail("cannot write " + out);
#else
    return Fail("this orlu-dump paints no PNG (built without Qt)");
#endif
}

bool WantsGraphSaveView(int argc, char** argv)
{
    bool graph = false, save = false;
    for (int i = 2; i + 1 < argc; ++i) {
        graph = graph || (std::strcmp(argv[i], "--form") == 0 && std::strcmp(argv[i + 1], "graph") == 0);
        save = save || std::strcmp(argv[i], "--save-view") == 0;
    }
    return graph && save;
}

int RunGraphSaveView(int argc, char** argv)
{
    std::string out;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--form" && i + 1 < argc && std::strcmp(argv[i + 1], "graph") == 0)
            ++i;
        else if (option == "--save-view" && i + 1 < argc)
            out = argv[++i];
        else
            return PrintUsage(kOpenAsUsage, false);
    }
    const auto text = ReadWholeFile(argv[1]);
    if (!text)
        return Fail(std::string("cannot read ") + argv[1]);
    PlotState state;
    std::string error;
    if (!ReadPlotState(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), state, error))
        return Fail(std::string(argv[1]) + ": " + error);
    return SaveGraphView(state, out, argv[0]);
}

int SaveGraphView(const PlotState& state, const std::string& out, [[maybe_unused]] char* program)
{
    std::string ext = fs::path(out).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".emf" && ext != ".bmp")
        return Fail("a graph is saved as a picture: " + out + " is no .emf or .bmp");

    PictureTemplates app;
    app.saveTo = out;
    GraphPictureSource source;
    source.paint = [&state](Canvas& canvas) {
        EngineRoutines routines;
        PlotState copy = state;
        PaintGraph(canvas, copy.view, copy.doc, copy.settings, routines);
    };
#ifdef ORLU_TOOLS_QT
    std::unique_ptr<QGuiApplication> gui;
    EnsureGuiApplication(program, gui);
    source.capture = [&state]() -> std::optional<RgbImage> {
        // The graph as the view shows it: its page width and the panels' height.
        PlotState copy = state;
        EngineRoutines routines;
        GraphPaintResult size;
        {
            RecordingCanvas measure(CanvasTarget::Screen);
            PlotState sized = state;
            size = PaintGraph(measure, sized.view, sized.doc, sized.settings, routines);
        }
        const GraphViewState& v = copy.view;
        const int width = ComputeGraphPageSize(v.GraphScale, v.MultiElement != 0, false, v.GraphSizeIndex != 0,
                                               v.Geometry)
                              .width;
        QImage image(std::max(1, width), std::max(1, size.height), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QtPainterCanvas canvas(image);
            PaintGraph(canvas, copy.view, copy.doc, copy.settings, routines);
        }
        return FromQImage(image);
    };
#endif
    const PictureFormat format = ext == ".emf" ? PictureFormat::Metafile : PictureFormat::Bitmap;
    if (!MakeGraphPicture(format, source, app.handOver))
        return Fail("no picture of the graph could be made");
    NewPictureDocument(app.documents, app.context, app.handOver,
                       format == PictureFormat::Metafile ? kMetafileDocTemplate : kBitmapDocTemplate, true);
    if (!fs::exists(out))
        return 1;
    std::printf("saved %s\n", out.c_str());
    return 0;
}

bool SaveViewLines(const LineSource& lines, const std::string& out)
{
    std::string ext = fs::path(out).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".txt") {
        std::fprintf(stderr, "orlu-dump: a text or table form is saved as text: %s is no .txt\n", out.c_str());
        return false;
    }
    std::string error;
    if (!WriteFileAtomically(out, EncodeFormLines(lines), &error)) {
        std::fprintf(stderr, "orlu-dump: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace orlu::tools
