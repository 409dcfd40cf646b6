// Downloading a (nearly) 16 MiB MONITOR range from the simulated instrument over a
// pseudo-terminal, through the whole download (request, reply, buffered
// disk writes, rename), against a plain read loop of the same range over the
// same pseudo-terminal in the same run: at least 10 MB/s and within twice the
// plain loop's time. Opening an 8 MB file of an ORLU 525 as a document over a
// pseudo-terminal (request, reply, the document's pages, its Hexa view) against
// a plain read loop of the same reply. Reading and listing a directory of N
// entries: linear in N.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "link/CUnitDirectory.h"
#include "link/UnitFileDownload.h"
#include "link/UnitFileOpen.h"
#include "presentation/UnitFileLines.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <numeric>

namespace {

using namespace orlu;

// The whole 24-bit memory above the first file's address: 16 MiB less 256 bytes.
constexpr std::size_t kRangeBytes = (16 << 20) - sim::InstrumentModel::kMonitorBase;

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

struct Simulator {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    Simulator() : model(Options(), Files()), pty(model) { pty.Start(); }
    static sim::SimOptions Options()
    {
        sim::SimOptions o;
        o.model = "monitor";
        return o;
    }
    static std::vector<sim::UnitFile> Files()
    {
        sim::UnitFile big{"RANGE", 0, 0, std::vector<std::uint8_t>(kRangeBytes)};
        std::iota(big.bytes.begin(), big.bytes.end(), std::uint8_t{0});
        return {big};
    }
};

Simulator& Shared()
{
    static Simulator simulator;
    return simulator;
}

void BM_DownloadMonitorRange(benchmark::State& state)
{
    CountingInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock);
    link.deviceSelector = kSelectorMonitor;
    link.SetPortOverride(Shared().pty.SlavePath());
    CUnitDirectory dir;
    TransferProgress progress;
    if (!dir.ReadDirectory(link, progress) || dir.GetEntryCount() != 1) {
        state.SkipWithError("no directory");
        return;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orlu-bench-download";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        UnitListOptions options;
        StoreSelection(dir, BuildUnitFileLines(link.deviceSelector, dir, options), {0});
        if (DownloadBinary(link, dir, progress, folder) != 0) {
            state.SkipWithError(ui.last.c_str());
            break;
        }
    }
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRangeBytes));
}
BENCHMARK(BM_DownloadMonitorRange)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadLoop(benchmark::State& state)
{
    const int fd = bench::OpenRawTerminal(Shared().pty.SlavePath());
    char request[32];
    std::snprintf(request, sizeof request, "#4,1,%06X,%06X;", sim::InstrumentModel::kMonitorBase, static_cast<unsigned>(sim::InstrumentModel::kMonitorBase + kRangeBytes - 1));
    const std::size_t requestLength = std::strlen(request);
    std::vector<std::uint8_t> buffer(4096);
    const std::size_t total = kRangeBytes + 9;
    for (auto _ : state) {
        if (::write(fd, request, requestLength) != static_cast<ssize_t>(requestLength)) {
            state.SkipWithError("write failed");
            break;
        }
        std::size_t got = 0;
        while (got < total) {
            const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), total - got));
            if (n <= 0) {
                state.SkipWithError("read failed");
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRangeBytes));
}
BENCHMARK(BM_PlainReadLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr std::size_t kOpenedBytes = 8000000;

// An ORLU 525 holding one 8 MB file of letter a, which opens for the Hexa view.
struct FileSimulator {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    FileSimulator() : model(sim::SimOptions{}, Files()), pty(model) { pty.Start(); }
    static std::vector<sim::UnitFile> Files()
    {
        sim::UnitFile big{"BIG", 10, 0, std::vector<std::uint8_t>(kOpenedBytes)};
        std::iota(big.bytes.begin(), big.bytes.end(), std::uint8_t{7});
        return {big};
    }
};

FileSimulator& SharedFile()
{
    static FileSimulator simulator;
    return simulator;
}

void BM_OpenUnitFile(benchmark::State& state)
{
    CountingInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock);
    link.deviceSelector = 3;
    link.SetPortOverride(SharedFile().pty.SlavePath());
    CUnitDirectory dir;
    TransferProgress progress;
    if (!dir.ReadDirectory(link, progress) || dir.GetEntryCount() != 1) {
        state.SkipWithError("no directory");
        return;
    }
    AppContext app(ui);
    UnitFileOpener opener(link, progress);
    opener.Install(app);
    std::unique_ptr<CTmDoc> opened;
    app.NewUnitDocument = [&] {
        opened = std::make_unique<CTmDoc>(app);
        if (opened->OnNewDocument())
            ++app.UnsavedDocumentCount;
    };
    for (auto _ : state) {
        UnitListOptions options;
        StoreSelection(dir, BuildUnitFileLines(link.deviceSelector, dir, options), {0});
        if (OpenUnitFiles(opener, dir, app) != 0 || opened->ByteCount() != kOpenedBytes) {
            state.SkipWithError(ui.last.c_str());
            break;
        }
        opened.reset();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOpenedBytes));
}
BENCHMARK(BM_OpenUnitFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadLoopOpened(benchmark::State& state)
{
    const int fd = bench::OpenRawTerminal(SharedFile().pty.SlavePath());
    // The request the program sends for the file: its name and the entry's item data.
    const std::string request = ";#4,1,BIG<1000;";
    std::vector<std::uint8_t> buffer(4096);
    const std::size_t total = kOpenedBytes + 9;
    for (auto _ : state) {
        if (::write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
            state.SkipWithError("write failed");
            break;
        }
        std::size_t got = 0;
        while (got < total) {
            const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), total - got));
            if (n <= 0) {
                state.SkipWithError("read failed");
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOpenedBytes));
}
BENCHMARK(BM_PlainReadLoopOpened)->Unit(benchmark::kMillisecond)->UseRealTime();

/// A directory reply held in memory.
class MemoryTransport final : public LinkTransport {
public:
    explicit MemoryTransport(const std::vector<std::uint8_t>& bytes) : m_Bytes(bytes) {}
    bool SendText(std::string_view) override { return true; }
    bool SendBytes(std::span<const std::uint8_t>) override { return true; }
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) override
    {
        got = std::min(buffer.size(), m_Bytes.size() - m_At);
        std::copy_n(m_Bytes.begin() + static_cast<std::ptrdiff_t>(m_At), got, buffer.begin());
        m_At += got;
        return got == buffer.size();
    }
    void Release() override {}

private:
    const std::vector<std::uint8_t>& m_Bytes;
    std::size_t m_At = 0;
};

void BM_ReadAndListDirectory(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> image(n * 32, ' ');
    for (std::size_t i = 0; i < n; ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "L%07zu", (i * 7919) % n % 10000000);
        std::copy_n(name, 8, image.begin() + static_cast<std::ptrdiff_t>(i * 32));
        image[i * 32 + 8] = 1;
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(i * 32 + 9), 23, 0);
        image[i * 32 + 12] = 100;
    }
    for (auto _ : state) {
        MemoryTransport link(image);
        TransferProgress progress;
        std::vector<UnitDirEntry> entries;
        ReadDirectoryRecords(link, static_cast<std::uint32_t>(image.size()), progress, entries);
        CUnitDirectory dir;
        dir.Assign(std::move(entries));
        UnitListOptions options{true, true, true};
        benchmark::DoNotOptimize(BuildUnitFileLines(3, dir, options));
    }
    state.SetComplexityN(static_cast<std::int64_t>(n));
}
BENCHMARK(BM_ReadAndListDirectory)->Arg(1000)->Arg(10000)->Complexity(benchmark::oNLogN);

} // namespace

BENCHMARK_MAIN();
