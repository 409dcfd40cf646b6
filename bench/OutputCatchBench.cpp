// Catching a MONITOR station's pushed image over a pseudo-terminal, through
// the whole catch (end detection, growing memory, progress), against a plain
// read loop of the same image over the same pseudo-terminal in the same run:
// at least 10 MB/s at 16 MiB and within twice the plain loop's time; the cost
// is linear in the size (1, 4 and 16 MiB).

#include "BenchSupport.h"
#include "link/OutputCatch.h"
#include "support/InstrumentModel.h"
#include "support/MonitorOutputImage.h"
#include "support/PtyInstrument.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <map>
#include <thread>

namespace {

using namespace orlu;

class SilentInteraction final : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        last = text;
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::No; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::No; }
    std::string last;
};

struct Simulator {
    sim::InstrumentModel model{sim::SimOptions{}};
    sim::PtyInstrument pty{model};
    Simulator() { pty.Start(); }
};

Simulator& Shared()
{
    static Simulator simulator;
    return simulator;
}

/// The worked image with a buffer that makes it `mib` MiB long.
const std::vector<std::uint8_t>& Image(std::int64_t mib)
{
    static std::map<std::int64_t, std::vector<std::uint8_t>> images;
    auto& image = images[mib];
    if (image.empty()) {
        const std::size_t overhead = fixture::WorkedMonitorImage({}).size();
        std::vector<std::uint8_t> buffer((static_cast<std::size_t>(mib) << 20) - overhead);
        for (std::size_t i = 0; i < buffer.size(); ++i)
            buffer[i] = static_cast<std::uint8_t>(i * 31 + (i >> 9));
        image = fixture::WorkedMonitorImage(buffer);
    }
    return image;
}

void BM_CatchMonitorImage(benchmark::State& state)
{
    const std::vector<std::uint8_t>& image = Image(state.range(0));
    SilentInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock);
    link.deviceSelector = 7;
    link.SetPortOverride(Shared().pty.SlavePath());
    TransferProgress progress;
    for (auto _ : state) {
        Shared().pty.PushWhenOpened(image);
        const CaughtOutput caught = CatchOutput(link, CatchKind::Monitor, progress);
        if (caught.outcome != CatchOutcome::MonitorImage || caught.bytes.size() != image.size()) {
            state.SkipWithError(("no image: " + ui.last).c_str());
            break;
        }
        benchmark::DoNotOptimize(caught.bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(image.size()));
}
BENCHMARK(BM_CatchMonitorImage)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadLoop(benchmark::State& state)
{
    const std::vector<std::uint8_t>& image = Image(state.range(0));
    const int fd = bench::OpenRawTerminal(Shared().pty.SlavePath());
    std::vector<std::uint8_t> buffer(4096);
    std::vector<std::uint8_t> kept;
    for (auto _ : state) {
        std::thread push([&] { Shared().pty.Push(image); });
        kept.clear();
        while (kept.size() < image.size()) {
            const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), image.size() - kept.size()));
            if (n <= 0) {
                state.SkipWithError("read failed");
                break;
            }
            kept.insert(kept.end(), buffer.begin(), buffer.begin() + n);
        }
        push.join();
        benchmark::DoNotOptimize(kept.data());
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(image.size()));
}
BENCHMARK(BM_PlainReadLoop)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
