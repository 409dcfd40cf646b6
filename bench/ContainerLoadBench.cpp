// Loading a 100 MB container: throughput with the file in the page cache, and
// the peak memory of one load measured in a fresh child process.

#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace orlu;

constexpr std::uint32_t kDataBytes = 100u * 1024 * 1024;

class SilentInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        std::fprintf(stderr, "unexpected message: %.*s\n", static_cast<int>(text.size()), text.data());
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::No; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::No; }
};

const std::filesystem::path& BigContainer()
{
    static const std::filesystem::path path = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("orlu-bench-" + std::to_string(::getpid()) + ".orl");
        fixture::FixtureBuilder f;
        f.ContainerHeader(5, 0, 0, kDataBytes).Pattern(kDataBytes);
        f.WriteTo(p);
        std::atexit([] { std::filesystem::remove(BigContainer()); });
        return p;
    }();
    return path;
}

bool LoadOnce(const std::filesystem::path& path)
{
    SilentInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    return doc.OnOpenDocument(path) && doc.ByteCount() == kDataBytes;
}

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, n, field) == 0)
            return std::stol(line.substr(n + 1));
    return -1;
}

// Peak resident memory added by one load, in bytes, measured in a forked child
// whose high-water mark is reset first. -1 when it cannot be measured.
double PeakLoadMemory(const std::filesystem::path& path)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        long delta = -1;
        if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", clear); // resets VmHWM to the current resident size
            std::fclose(clear);
            long before = StatusKb("VmRSS:");
            if (LoadOnce(path))
                delta = (StatusKb("VmHWM:") - before) * 1024;
        }
        [[maybe_unused]] ssize_t w = ::write(fds[1], &delta, sizeof delta);
        ::_exit(0);
    }
    ::close(fds[1]);
    long delta = -1;
    if (::read(fds[0], &delta, sizeof delta) != sizeof delta)
        delta = -1;
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    return static_cast<double>(delta);
}

void BM_LoadContainer100MB(benchmark::State& state)
{
    const std::filesystem::path& path = BigContainer();
    LoadOnce(path); // brings the file into the page cache
    for (auto _ : state) {
        bool ok = LoadOnce(path);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the container did not load");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataBytes);
    const double peak = PeakLoadMemory(path);
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    state.counters["peak_MB"] = peak / 1048576.0;
    state.counters["limit_MB"] = (1.2 * fileSize + 20.0 * 1048576.0) / 1048576.0;
}
BENCHMARK(BM_LoadContainer100MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
