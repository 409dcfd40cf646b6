// Merging disk files into a Multifile document (read, appended to its pages,
// decoded), against copying the same bytes with plain file reads and writes
// in the same run: linear in the bytes (10, 25 and 50 containers of 2 MB) and
// within three times the plain copy. Storing the merged document is measured
// on its own.
// Uploading a 4 MB file to the simulated instrument over a pseudo-terminal
// without a write pause, against a plain write loop of the same announcement
// and bytes over the same pseudo-terminal: at least 5 MB/s and within twice
// the plain loop's time.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "link/MultifileMerge.h"
#include "link/UnitUpload.h"
#include "support/FixtureBuilder.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

using namespace orlu;

constexpr std::size_t kFileBytes = 2 << 20;
constexpr std::size_t kUploadBytes = 4 << 20;

class CountingInteraction final : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        last = text;
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::Yes; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::YesForAll; }
    std::string last;
};

/// A current-family logger of about `bytes` bytes whose file word is set.
std::vector<std::uint8_t> LoggerFile(std::size_t bytes)
{
    std::uint32_t rows = 1000;
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(rows));
    rows = static_cast<std::uint32_t>(static_cast<double>(rows) * static_cast<double>(bytes) / static_cast<double>(file.size()));
    file = fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(rows));
    file[10] = 1; // word 5 of the file header: a measurement file
    return file;
}

/// 50 containers of 2 MB in a scratch folder, written once.
const std::vector<std::string>& Containers()
{
    static const std::vector<std::string> paths = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orlu-bench-merge";
        std::filesystem::create_directories(folder);
        const std::vector<std::uint8_t> data = LoggerFile(kFileBytes);
        std::vector<std::string> out;
        for (int i = 0; i < 50; ++i) {
            const std::filesystem::path path = folder / ("RUN" + std::to_string(i) + ".orl");
            fixture::FixtureBuilder().ContainerHeader(44).Bytes(data).WriteTo(path);
            out.push_back(path.string());
        }
        return out;
    }();
    return paths;
}

std::uint64_t BytesOf(std::size_t files)
{
    std::uint64_t n = 0;
    for (std::size_t i = 0; i < files; ++i)
        n += std::filesystem::file_size(Containers()[i]);
    return n;
}

/// Merges the first `files` containers into a new document; false after the reason.
bool Merge(std::size_t files, CountingInteraction& ui, CTmDoc& doc)
{
    doc.App().DiskFileItems.assign(Containers().begin(), Containers().begin() + static_cast<std::ptrdiff_t>(files));
    TransferProgress progress;
    return MergeFiles(doc, nullptr, nullptr, progress).made && doc.SubfileCount() == files && !ui.last.empty();
}

void BM_DiskMerge(benchmark::State& state)
{
    const auto files = static_cast<std::size_t>(state.range(0));
    Containers(); // written before the clock runs
    for (auto _ : state) {
        CountingInteraction ui;
        AppContext app(ui);
        CTmDoc doc(app);
        if (!Merge(files, ui, doc)) {
            state.SkipWithError(ui.last.c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BytesOf(files)));
    state.SetComplexityN(static_cast<std::int64_t>(files));
}
BENCHMARK(BM_DiskMerge)->Arg(10)->Arg(25)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);

void BM_StoreMerged(benchmark::State& state)
{
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "orlu-bench-merged.orl";
    CountingInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!Merge(50, ui, doc)) {
        state.SkipWithError(ui.last.c_str());
        return;
    }
    for (auto _ : state)
        if (!doc.OnSaveDocument(out)) {
            state.SkipWithError("not stored");
            break;
        }
    std::filesystem::remove(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BytesOf(50)));
}
BENCHMARK(BM_StoreMerged)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainCopy(benchmark::State& state)
{
    const auto files = static_cast<std::size_t>(state.range(0));
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "orlu-bench-copied.orl";
    std::vector<char> buffer(64 * 1024);
    for (auto _ : state) {
        std::ofstream to(out, std::ios::binary | std::ios::trunc);
        for (std::size_t i = 0; i < files; ++i) {
            std::ifstream from(Containers()[i], std::ios::binary);
            while (from.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || from.gcount() > 0)
                to.write(buffer.data(), from.gcount());
        }
        to.close();
        if (!to) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::filesystem::remove(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BytesOf(files)));
    state.SetComplexityN(static_cast<std::int64_t>(files));
}
BENCHMARK(BM_PlainCopy)->Arg(10)->Arg(25)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);

struct Simulator {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    Simulator() : model(Options()), pty(model) { pty.Start(); }
    static sim::SimOptions Options()
    {
        sim::SimOptions o;
        o.model = "525";
        return o;
    }
};

Simulator& Shared()
{
    static Simulator simulator;
    return simulator;
}

void BM_Upload4MB(benchmark::State& state)
{
    CountingInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock);
    link.deviceSelector = 3;
    link.timing.beforeUploadMessage = Millis(0);
    link.SetPortOverride(Shared().pty.SlavePath());
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "orlu-bench-upload.orl";
    fixture::FixtureBuilder().ContainerHeader(45).Bytes(LoggerFile(kUploadBytes)).WriteTo(path);
    AppContext app(ui);
    CTmDoc doc(app);
    CUnitDirectory dir;
    TransferProgress progress;
    if (!doc.OnOpenDocument(path) || !dir.ReadDirectory(link, progress)) {
        state.SkipWithError("no document or directory");
        return;
    }
    for (auto _ : state) {
        if (!UploadToInstrument(doc, link, dir, progress, [](const UploadTarget&, const std::string&) { return std::string("BENCH"); })) {
            state.SkipWithError(ui.last.c_str());
            break;
        }
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.ByteCount()));
}
BENCHMARK(BM_Upload4MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainWriteLoop(benchmark::State& state)
{
    const int fd = bench::OpenRawTerminal(Shared().pty.SlavePath());
    std::vector<std::uint8_t> image(kUploadBytes);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    const char name[] = "\0\0PLAIN\0\0\0";
    std::copy_n(name, 10, image.begin());
    char header[32];
    std::snprintf(header, sizeof header, ";#9,1,%zu,", image.size());
    const std::size_t headerLength = std::strlen(header);
    for (auto _ : state) {
        bool ok = ::write(fd, header, headerLength) == static_cast<ssize_t>(headerLength);
        for (std::size_t at = 0; ok && at < image.size();) {
            const ssize_t n = ::write(fd, image.data() + at, std::min<std::size_t>(4096, image.size() - at));
            ok = n > 0;
            at += ok ? static_cast<std::size_t>(n) : 0;
        }
        for (char c = 0; ok && c != ';';)
            ok = ::read(fd, &c, 1) == 1;
        if (!ok) {
            state.SkipWithError("write or read failed");
            break;
        }
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kUploadBytes));
}
BENCHMARK(BM_PlainWriteLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
