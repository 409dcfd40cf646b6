// The measurement view's speed: opening a 100 MB logger file and painting its
// first page, and repainting a 1,000,000-line table form after a scroll (only
// the lines in the window are drawn), with ';' and with TAB separators. Runs
// offscreen.

#include "app/views/CTmView.h"
#include "presentation/MeasurementDocument.h"
#include "reports/table/TableOutputOptions.h"
#include "support/FixtureBuilder.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

namespace {

using namespace orlu;

constexpr std::uint32_t kDataBytes = 100u * 1024 * 1024;
constexpr int kTableLines = 1'000'000;

class SilentInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::No; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::No; }
};

bool g_LoggerFileWritten = false;

const std::filesystem::path& BigLoggerFile()
{
    static const std::filesystem::path path = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("orlu-view-bench-" + std::to_string(::getpid()) + ".orl");
        // A current-family logger of three profiles, one result each: rows of
        // 3 words, as many as fill 100 MB.
        fixture::CurrentFileSpec spec;
        for (auto& profile : spec.profiles)
            profile.bufferWord = 3;
        spec.rowWords = 3;
        spec.rows = kDataBytes / 6;
        spec.declaredCount = spec.rows;
        const std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
        fixture::FixtureBuilder f;
        f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        f.WriteTo(p);
        g_LoggerFileWritten = true;
        return p;
    }();
    return path;
}

// The first form shows the first lines of the file's report.
void FirstPageRenderer(FormRequest& r)
{
    ClearLineList(&r.Lines);
    for (int i = 0; i < 60; ++i) {
        std::string line = "Logger record of the first page";
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

void TableRenderer(FormRequest& r)
{
    std::string row = "2024-05-01;10:00:00;81,5;90,1;110,2;79,9;65,4";
    std::replace(row.begin(), row.end(), ';', SeparatorChar(r.Options.SeparatorIndex));
    for (int i = 0; i < kTableLines; ++i) {
        std::string line = row;
        AddLine(r.Lines, line, &r.WidestLine);
    }
}

void BM_OpenLoggerFileAndPaintFirstPage(benchmark::State& state)
{
    SilentInteraction ui;
    AppSettings settings;
    FormRendererRegistry renderers;
    for (std::uint8_t kind : {std::uint8_t(kViewHeaderInfo), std::uint8_t(kViewSettings)})
        renderers.Register(kind, FormChoice::Text, FirstPageRenderer);
    renderers.Register(kViewHexa, FormChoice::Hex, FirstPageRenderer);
    const std::string path = BigLoggerFile().string();
    for (auto _ : state) {
        AppContext app(ui);
        MeasurementDocument document(app);
        if (!document.OpenDocument(path)) {
            state.SkipWithError("the file did not open");
            return;
        }
        CTmView view(document, renderers, settings);
        view.resize(900, 700);
        QImage image(view.viewport()->size(), QImage::Format_RGB32);
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_OpenLoggerFileAndPaintFirstPage)->Unit(benchmark::kMillisecond)->Iterations(5);

// Argument: the separator index (2 ';', 0 TAB: the rows laid out in columns).
void BM_ScrollMillionLineTable(benchmark::State& state)
{
    SilentInteraction ui;
    AppSettings settings;
    settings.SeparatorChar = static_cast<std::uint8_t>(state.range(0));
    FormRendererRegistry renderers;
    renderers.Register(kViewMainResults, FormChoice::Table, TableRenderer);
    AppContext app(ui);
    MeasurementDocument document(app);
    CTmView view(document, renderers, settings);
    view.resize(900, 700);
    view.Execute(32780);
    view.Execute(32789);
    if (view.State().Lines.Size() != static_cast<std::size_t>(kTableLines)) {
        state.SkipWithError("the table was not built");
        return;
    }
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    int position = 0;
    for (auto _ : state) {
        position = (position + 997) % (kTableLines - 100);
        view.verticalScrollBar()->setValue(position);
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ScrollMillionLineTable)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_LoggerFileWritten)
        std::filesystem::remove(BigLoggerFile());
    return 0;
}
