// A 1 MB file reply read from the simulated instrument over a pseudo-terminal
// through the program's port, byte by byte as the transfers take it, against
// a plain read loop over the same pseudo-terminal in the same run. The port
// should move 10 MB/s or more and stay within twice the plain loop's time,
// so that on a real 115200-baud line a transfer is bound by the line.

#include "BenchSupport.h"
#include "link/SerialPort.h"
#include "link/UnitProtocol.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <memory>
#include <numeric>

namespace {

using namespace orlu;

constexpr std::size_t kReplyBytes = 1 << 20;
constexpr std::string_view kRequest = ";#4,1,BIG;";
const SerialParameterTexts kLine{"COM1", "8", "115200", "N", "1"};

struct Simulator {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    Simulator() : model(Options(), Files()), pty(model) { pty.Start(); }
    static sim::SimOptions Options()
    {
        sim::SimOptions o;
        o.model = "525";
        return o;
    }
    static std::vector<sim::UnitFile> Files()
    {
        sim::UnitFile big{"BIG", 'd', 0, std::vector<std::uint8_t>(kReplyBytes)};
        std::iota(big.bytes.begin(), big.bytes.end(), std::uint8_t{0});
        return {big};
    }
};

Simulator& Shared()
{
    static Simulator simulator;
    return simulator;
}

void BM_PortReadsReply(benchmark::State& state)
{
    SystemClock clock;
    SerialPort port(clock, LinkTiming::Standard().Com(ComProfile::Commands), {});
    if (!port.Open(Shared().pty.SlavePath(), kLine)) {
        state.SkipWithError("no port");
        return;
    }
    std::uint64_t sum = 0;
    for (auto _ : state) {
        port.SendText(kRequest);
        const std::optional<std::uint32_t> count = ReadReplyHeader(port, false);
        if (!count || *count != kReplyBytes) {
            state.SkipWithError("no reply header");
            return;
        }
        std::uint8_t byte = 0;
        for (std::uint32_t i = 0; i < *count; ++i) {
            if (!port.ReadByte(byte)) {
                state.SkipWithError("reply cut");
                return;
            }
            sum += byte;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kReplyBytes));
}
BENCHMARK(BM_PortReadsReply)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadLoop(benchmark::State& state)
{
    const int fd = bench::OpenRawTerminal(Shared().pty.SlavePath());
    std::vector<std::uint8_t> buffer(4096);
    const std::size_t total = kReplyBytes + 9;
    for (auto _ : state) {
        if (::write(fd, kRequest.data(), kRequest.size()) != static_cast<ssize_t>(kRequest.size())) {
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
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kReplyBytes));
}
BENCHMARK(BM_PlainReadLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
