// Extracting one file of a 100 MB Multifile into a document of its own,
// beside a memcpy of the same bytes in the same run: the extract should cost
// no more than about three copies.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "document/ExtractRequest.h"
#include "support/FixtureBuilder.h"
#include "support/LegacyFixture.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace orlu;

constexpr std::size_t kPaddingBytes = 100u * 1024 * 1024;

// Three files, the second carrying 100 MB after its own bytes.
const std::filesystem::path& BigMultifile()
{
    static const std::filesystem::path path = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("orlu-bench-multi-" + std::to_string(::getpid()) + ".orl");
        std::vector<fixture::MultifileMember> members = fixture::LegacyMultifileMembers(3);
        members[1].bytes.resize(members[1].bytes.size() + kPaddingBytes, 0x5A);
        fixture::Multifile(23, members).WriteTo(p);
        std::atexit([] { std::filesystem::remove(BigMultifile()); });
        return p;
    }();
    return path;
}

struct Source {
    bench::SilentInteraction ui;
    AppContext app{ui};
    std::unique_ptr<CTmDoc> doc;
    Source()
    {
        doc = std::make_unique<CTmDoc>(app);
        if (!doc->OnOpenDocument(BigMultifile()))
            doc.reset();
    }
};

// Extracts file 2; the bytes the new document holds, 0 when it refused.
std::size_t ExtractOnce(Source& source)
{
    if (!RequestSubfileExtract(source.app, *source.doc, 2))
        return 0;
    CTmDoc extracted(source.app);
    extracted.SetTitle("");
    const bool filled = extracted.OnNewDocument();
    source.app.PendingDocSource = kPendingNone;
    return filled ? extracted.ByteCount() : 0;
}

void BM_ExtractSubfile100MB(benchmark::State& state)
{
    Source source;
    if (!source.doc) {
        state.SkipWithError("the Multifile did not load");
        return;
    }
    const std::size_t bytes = ExtractOnce(source);
    if (bytes < kPaddingBytes) {
        state.SkipWithError("the file was not extracted whole");
        return;
    }
    for (auto _ : state) {
        std::size_t made = ExtractOnce(source);
        benchmark::DoNotOptimize(made);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1048576.0;
}
BENCHMARK(BM_ExtractSubfile100MB)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The yardstick: a copy of as many bytes into a fresh buffer.
void BM_MemcpySameBytes(benchmark::State& state)
{
    Source source;
    const std::size_t bytes = source.doc ? ExtractOnce(source) : 0;
    std::vector<std::uint8_t> from(bytes, 0x5A);
    for (auto _ : state) {
        auto to = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        std::memcpy(to.get(), from.data(), bytes);
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
