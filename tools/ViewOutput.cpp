#include "ViewOutput.h"

#include "ConsoleInteraction.h"
#include "platform/TextEncoding.h"
#include "presentation/CTmDoc1.h"
#include "presentation/view/ClipboardCopy.h"
#include "presentation/view/PrintPages.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/TextViewModel.h"

#ifdef ORLU_TOOLS_QT
#include "app/canvas/TextPagePrinter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace orlu::tools {
namespace {

int Number(const char* text, int max)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *text && !*end && value >= 0 && value <= max ? static_cast<int>(value) : -1;
}

bool ParseBlock(const char* text, ViewOutputRequest& request)
{
    int v[4];
    char tail = 0;
    if (std::sscanf(text, "%d,%d,%d,%d%c", &v[0], &v[1], &v[2], &v[3], &tail) != 4)
        return false;
    for (int x : v)
        if (x < 0)
            return false;
    request.blockFrom = {v[0], v[1]};
    request.blockTo = {v[2], v[3]};
    request.blockGiven = true;
    return true;
}

/// Marks the block asked for, in characters and lines, or every line.
void MarkBlock(MeasurementViewState& view, const ViewOutputRequest& request)
{
    view.CharWidth = 1;
    view.LineHeight = 1;
    if (request.blockMode >= 0)
        view.FormFlags = form_flags::WithField(view.FormFlags, form_flags::kBlockModeShift, 2,
                                               static_cast<std::uint32_t>(request.blockMode));
    if (request.blockGiven) {
        view.BlockAnchor = request.blockFrom;
        view.BlockEnd = request.blockTo;
    } else {
        const int widest = view.TabColumns.Empty() ? view.WidestLine : view.TabColumns.Widest();
        view.BlockAnchor = {0, 0};
        view.BlockEnd = {std::max(0, widest - 2),
                         static_cast<std::int32_t>(std::min<std::size_t>(view.ShownLines().LineCount(), INT32_MAX))};
    }
    NormalizeBlock(view);
}

#ifdef ORLU_TOOLS_QT
/// The print loop into a PDF at 600 dpi on A4, as the program prints to a file.
TextPrintResult PrintToPdf(QIODevice* device, const QString& path, MeasurementViewState& view, const std::string& name,
                           int pitch)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char arg0[] = "orlu-dump";
    static char* argv[] = {arg0, nullptr};
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
    std::unique_ptr<QPdfWriter> pdf = device ? std::make_unique<QPdfWriter>(device) : std::make_unique<QPdfWriter>(path);
    pdf->setResolution(kPrintDpi);
    pdf->setPageSize(QPageSize(QPageSize::A4));
    TextPrintJob job;
    job.lines = &view.ShownLines();
    job.fileName = name;
    job.printPitch = pitch;
    return PrintTextPages(*pdf, view.FirstLine, job);
}
#endif

} // namespace

int ReadViewOutputOption(int argc, char** argv, int& i, ViewOutputRequest& request)
{
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    const auto number = [&](int max, int& into) {
        if (!hasValue)
            return -1;
        into = Number(argv[++i], max);
        return into < 0 ? -1 : 1;
    };
    if (option == "--copy") {
        request.copy = true;
        return 1;
    }
    if (option == "--pages") {
        request.pages = true;
        return 1;
    }
    if (option == "--block")
        return hasValue && ParseBlock(argv[++i], request) ? 1 : -1;
    if (option == "--block-mode")
        return number(3, request.blockMode);
    if (option == "--clip-dec")
        return number(1, request.clipDecimal);
    if (option == "--clip-sep")
        return number(6, request.clipSeparator);
    if (option == "--clip-date")
        return number(5, request.clipDate);
    if (option == "--print-pitch") {
        if (number(48, request.printPitch) < 0 || request.printPitch == 0)
            return -1;
        return 1;
    }
    if (option == "--print") {
        if (!hasValue)
            return -1;
        request.printPath = argv[++i];
        return 1;
    }
    return 0;
}

void ApplyClipboardSettings(const ViewOutputRequest& request, AppSettings& settings)
{
    if (request.clipDecimal >= 0)
        settings.ClipDecyPoint = static_cast<std::uint8_t>(request.clipDecimal);
    if (request.clipSeparator >= 0)
        settings.ClipSeparatorChar = static_cast<std::uint8_t>(request.clipSeparator);
    if (request.clipDate >= 0)
        settings.ClipDateFormat = static_cast<std::uint8_t>(request.clipDate);
    if (request.blockMode >= 0)
        settings.ClipBlockMarkMode = static_cast<std::uint8_t>(request.blockMode);
}

bool WriteViewOutput(MeasurementViewState& view, const std::string& fileName, const ViewOutputRequest& request,
                     std::string& out)
{
    if (request.copy) {
        LayOutTabColumns(view);
        MarkBlock(view, request);
        out += CopyMeasurementViewBlock(view);
    }
    if (!request.pages && request.printPath.empty())
        return true;
#ifdef ORLU_TOOLS_QT
    const int pitch = request.printPitch > 0 ? request.printPitch : 16;
    const std::int32_t screenFirstLine = view.FirstLine;
    TextPrintResult result;
    if (!request.printPath.empty()) {
        result = PrintToPdf(nullptr, QString::fromStdString(request.printPath), view, fileName, pitch);
        if (result.pagesPrinted == 0) {
            std::fprintf(stderr, "orlu-dump: cannot print into %s\n", request.printPath.c_str());
            return false;
        }
    } else {
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        result = PrintToPdf(&sink, {}, view, fileName, pitch);
    }
    if (view.FirstLine != screenFirstLine) {
        std::fprintf(stderr, "orlu-dump: printing left the view on line %d\n", view.FirstLine);
        return false;
    }
    if (request.pages) {
        out += "pages=" + std::to_string(result.pageCount) + "\n";
        out += "lines per page=" + std::to_string(result.linesPerPage) + "\n";
        for (int page = 1; page <= result.pageCount; ++page)
            out += TextPageFooter(fileName, page) + "\n";
    }
    return true;
#else
    std::fprintf(stderr, "orlu-dump: printing needs the build with Qt\n");
    return false;
#endif
}

bool WantsTextDocument(int argc, char** argv)
{
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--open-as") == 0 && std::strcmp(argv[i + 1], "text") == 0)
            return true;
    return false;
}

int RunTextDocument(int argc, char** argv)
{
    static const char kUsage[] = "usage: orlu-dump FILE --open-as text [--form text|hex] [--copy [--block C1,L1,C2,L2]\n"
                                 "       [--block-mode M]] [--pages] [--print OUT.pdf [--print-pitch P]]\n";
    bool hex = false;
    ViewOutputRequest request;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--open-as" && i + 1 < argc && std::strcmp(argv[i + 1], "text") == 0) {
            ++i;
        } else if (option == "--form" && i + 1 < argc && (std::strcmp(argv[i + 1], "text") == 0 ||
                                                          std::strcmp(argv[i + 1], "hex") == 0)) {
            hex = std::strcmp(argv[++i], "hex") == 0;
        } else if (const int read = ReadViewOutputOption(argc, argv, i, request); read <= 0) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (request.clipDecimal >= 0 || request.clipSeparator >= 0 || request.clipDate >= 0) {
        std::fputs("orlu-dump: a text document copies its text as it is (no --clip-dec, --clip-sep, --clip-date)\n",
                   stderr);
        return 2;
    }
    ConsoleInteraction ui;
    CTmDoc1 doc(ui, TextDocOrigin::None);
    const std::filesystem::path path = argv[1];
    if (!doc.OnOpenDocument(path))
        return 1;
    doc.SetPathName(path);
    AppSettings settings;
    if (request.blockMode >= 0)
        settings.ClipBlockMarkMode = static_cast<std::uint8_t>(request.blockMode);
    TextViewModel view(doc, settings);
    view.OnInitialUpdate();
    if (hex)
        view.OnHexa();
    std::string out;
    const bool copied = request.copy;
    if (copied) {
        MarkBlock(view.State(), request);
        out += view.Copy();
        request.copy = false;
    }
    if (!WriteViewOutput(view.State(), PrintedFileName(doc.PathName().string(), doc.Title()), request, out))
        return 1;
    if (!copied && !request.Any()) {
        std::string buffer;
        const LineSource& lines = view.State().ShownLines();
        for (std::size_t i = 0; i < lines.LineCount(); ++i)
            out += lines.Line(i, buffer);
    }
    const std::string text = Cp1252ToUtf8(out);
    std::fwrite(text.data(), 1, text.size(), stdout);
    for (const std::string& message : ui.Messages)
        std::fprintf(stdout, "message: %s\n", message.c_str());
    return 0;
}

} // namespace orlu::tools
