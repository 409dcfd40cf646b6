// The raw views of a 100 MB logger: the ASCII form streamed line by line, as
// orlu-dump writes it and the view's worker builds it, against two references
// measured in the same run: a memcpy of as many bytes as the form has text,
// and the hex dump of the same file made line by line. The form should be
// written at 100 MB/s of text or more, with the peak memory of opening the
// file and writing its form under twice the file size; packed for the view,
// it also counts the text kept. Made on demand for the view, the form keeps
// only the marks of its walk: its build should stay under the same limit, and
// a page of lines anywhere in the form should come at once.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "document/PackedLines.h"
#include "document/rawviews/AsciiFormLines.h"
#include "document/rawviews/HexDumpLines.h"
#include "document/rawviews/RawViews.h"
#include "platform/ProgressState.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orlu;

constexpr std::uint32_t kDataBytes = 100u * 1024 * 1024;

/// A current-family logger of three profiles, one result each: rows of 3 words, as many as fill 100 MB.
const std::filesystem::path& LoggerFile()
{
    static const struct File {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("orlu-rawviews-bench-" + std::to_string(::getpid()) + ".orl");
        File()
        {
            bench::WriteContainer(path, 45, fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(kDataBytes / 6)));
        }
        ~File() { std::filesystem::remove(path); }
    } file;
    return file.path;
}

/// Counts what it is given and keeps nothing, as a stream to a file would.
class CountingSink : public LineSink {
public:
    void AddLine(std::string& line) override
    {
        bytes += line.size() + 2;
        line.clear();
    }
    std::uint64_t bytes = 0;
};

double FileBytes()
{
    return static_cast<double>(std::filesystem::file_size(LoggerFile()));
}

struct OpenDocument {
    bench::SilentInteraction ui;
    AppContext app{ui};
    std::unique_ptr<CTmDoc> doc = std::make_unique<CTmDoc>(app);
    bool opened = doc->OnOpenDocument(LoggerFile());
};

void BM_AsciiFormStreamed(benchmark::State& state)
{
    OpenDocument open;
    if (!open.opened)
        return state.SkipWithError("the logger did not open");
    std::uint64_t text = 0;
    for (auto _ : state) {
        CountingSink sink;
        ProgressState progress;
        WriteAsciiForm(*open.doc, sink, open.ui, &progress);
        text = sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text));
    state.counters["text_MB"] = static_cast<double>(text) / 1048576.0;
    state.counters["file_MB"] = FileBytes() / 1048576.0;
    // Opening the file and writing its form, from nothing.
    state.counters["peak_MB"] = bench::PeakMemoryOf([] {
                                    OpenDocument doc;
                                    CountingSink sink;
                                    WriteAsciiForm(*doc.doc, sink, doc.ui, nullptr);
                                    return doc.opened && sink.bytes > 0;
                                }) /
                                1048576.0;
    state.counters["limit_MB"] = 2 * FileBytes() / 1048576.0;
}
BENCHMARK(BM_AsciiFormStreamed)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AsciiFormPacked(benchmark::State& state)
{
    OpenDocument open;
    if (!open.opened)
        return state.SkipWithError("the logger did not open");
    std::uint64_t text = 0;
    for (auto _ : state) {
        PackedLines lines;
        ProgressState progress;
        WriteAsciiForm(*open.doc, lines, open.ui, &progress);
        text = lines.TextBytes();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text));
    state.counters["form_peak_MB"] = bench::PeakMemoryOf([&] {
                                         PackedLines lines;
                                         WriteAsciiForm(*open.doc, lines, open.ui, nullptr);
                                         return lines.LineCount() > 0;
                                     }) /
                                     1048576.0;
}
BENCHMARK(BM_AsciiFormPacked)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AsciiFormOnDemand(benchmark::State& state)
{
    OpenDocument open;
    if (!open.opened)
        return state.SkipWithError("the logger did not open");
    CountingSink streamed;
    WriteAsciiForm(*open.doc, streamed, open.ui, nullptr);
    std::size_t lineCount = 0;
    for (auto _ : state) {
        ProgressState progress;
        const AsciiFormLines lines(*open.doc, open.ui, &progress);
        lineCount = lines.LineCount();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * streamed.bytes));
    state.counters["text_MB"] = static_cast<double>(streamed.bytes) / 1048576.0;
    state.counters["form_peak_MB"] = bench::PeakMemoryOf([&] {
                                         const AsciiFormLines lines(*open.doc, open.ui, nullptr);
                                         return lines.LineCount() > 0;
                                     }) /
                                     1048576.0;
    // Opening the file and building its form, from nothing.
    state.counters["peak_MB"] = bench::PeakMemoryOf([] {
                                    OpenDocument doc;
                                    const AsciiFormLines lines(*doc.doc, doc.ui, nullptr);
                                    return doc.opened && lines.LineCount() > 0;
                                }) /
                                1048576.0;
    state.counters["limit_MB"] = 2 * FileBytes() / 1048576.0;
    // A page of 60 lines in the middle of the form, as painting it asks for them: none made before.
    const AsciiFormLines lines(*open.doc, open.ui, nullptr);
    std::string buffer;
    const auto start = std::chrono::steady_clock::now();
    std::size_t pageBytes = 0;
    for (std::size_t i = lineCount / 2; i < lineCount / 2 + 60; ++i)
        pageBytes += lines.Line(i, buffer).size();
    benchmark::DoNotOptimize(pageBytes);
    state.counters["page_ms"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
BENCHMARK(BM_AsciiFormOnDemand)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reference: the hex dump of the same file, every line made once.
void BM_HexDumpLinesReference(benchmark::State& state)
{
    OpenDocument open;
    if (!open.opened)
        return state.SkipWithError("the logger did not open");
    const HexDumpLines lines(*open.doc);
    std::uint64_t text = 0;
    for (auto _ : state) {
        text = 0;
        std::string buffer;
        for (std::size_t i = 0; i < lines.LineCount(); ++i)
            text += lines.Line(i, buffer).size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text));
}
BENCHMARK(BM_HexDumpLinesReference)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reference: copying as many bytes as the ASCII form has text (350 MB), in 64 KB pieces.
void BM_CopyTextBytesReference(benchmark::State& state)
{
    constexpr std::size_t kText = 350u * 1024 * 1024;
    constexpr std::size_t kPiece = 64 * 1024;
    std::vector<char> from(kPiece, 'x');
    std::vector<char> to(kText);
    for (auto _ : state) {
        for (std::size_t at = 0; at < kText; at += kPiece)
            std::memcpy(to.data() + at, from.data(), kPiece);
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kText));
}
BENCHMARK(BM_CopyTextBytesReference)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
