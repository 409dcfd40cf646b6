// Reading MONITOR station streams: the first parse of a generated stream of
// 10, 50 and 100 MB (three profiles of sound records, profile statistics of
// 20 classes, 1/3-octave spectra, meteo and calibration records), beside the
// reference of the same run: a memchr walk for ';' over the same pages, the
// least any scan of the records can do. The parse should stay within 3 times
// the walk and grow linearly with the size. A second parse reads the two
// blocks only (microseconds), and the Main-results text of 10^6 intervals
// should build at 50 MB/s of text or more.

#include "BenchSupport.h"
#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorLoader.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorResultsText.h"
#include "support/MonitorFixture.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

using namespace orlu;

constexpr const char* kStation = "Y1A,M1,DFEC7,I384,V384,A384,E384,S00x0Cx09x07x09,C00x01x00";
constexpr const char* kSetup = "U525,N1234,W315,M3,R2,D1h,F2:1,C1:1";

struct Held {
    bench::SilentInteraction ui;
    AppContext app{ui};
    std::unique_ptr<CTmDoc> doc;
};

// A document holding a stream of about `megabytes` MB, made once per size.
Held& StreamOf(int megabytes, bool resultsOnly = false)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Held>> held;
    std::unique_ptr<Held>& h = held[{megabytes, resultsOnly}];
    if (h)
        return *h;
    h = std::make_unique<Held>();
    fixture::MonitorFixtureSpec spec;
    spec.Station = resultsOnly ? "Y1A,M1,DFC00,V384,S00x0Cx09x07x09" : kStation;
    spec.Setup = kSetup;
    spec.Classes = resultsOnly ? 0 : 20;
    spec.Intervals = 1000;
    const std::size_t perThousand = fixture::BuildMonitorFixture(spec).size();
    spec.Intervals = resultsOnly ? megabytes : static_cast<int>(megabytes * 1000000.0 / perThousand * 1000);
    spec.Meteo = spec.Calibrations = resultsOnly ? 0 : spec.Intervals;
    const std::vector<std::uint8_t> bytes = fixture::BuildMonitorFixture(spec);
    h->doc = std::make_unique<CTmDoc>(h->app);
    h->doc->CopyIntoPages(bytes);
    h->doc->SetFileKind(kKindMonitor);
    return *h;
}

void BM_FirstParse(benchmark::State& state)
{
    CTmDoc& doc = *StreamOf(static_cast<int>(state.range(0))).doc;
    for (auto _ : state) {
        doc.MonitorState().reset();
        benchmark::DoNotOptimize(ParseMonitorFile(doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * doc.ByteCount());
    state.counters["records"] = static_cast<double>(doc.Monitor()->Count(kStreamSound));
}
BENCHMARK(BM_FirstParse)->Arg(10)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_MemchrWalk(benchmark::State& state)
{
    const CTmDoc& doc = *StreamOf(static_cast<int>(state.range(0))).doc;
    const PagedFileImage& image = doc.Image();
    const std::uint32_t size = doc.ByteCount();
    for (auto _ : state) {
        std::size_t found = 0;
        for (std::uint32_t page = 0; page * PagedFileImage::kPageSize < size; ++page) {
            const std::uint8_t* p = image.Page(page);
            const std::uint8_t* end = p + std::min<std::uint32_t>(PagedFileImage::kPageSize, size - page * PagedFileImage::kPageSize);
            while ((p = static_cast<const std::uint8_t*>(std::memchr(p, ';', static_cast<std::size_t>(end - p))))) {
                ++found;
                ++p;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
}
BENCHMARK(BM_MemchrWalk)->Arg(10)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_SecondParse(benchmark::State& state)
{
    CTmDoc& doc = *StreamOf(100).doc;
    ParseMonitorFile(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseMonitorFile(doc));
}
BENCHMARK(BM_SecondParse)->Unit(benchmark::kMicrosecond);

void BM_MainResultsText(benchmark::State& state)
{
    CTmDoc& doc = *StreamOf(1000000, true).doc;
    LoadMonitorDocument(doc);
    LineList lines;
    for (auto _ : state) {
        int widest = 0;
        FormatMonitorResultsText(doc, lines, &widest, 7, false);
    }
    std::size_t bytes = 0;
    std::string buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        bytes += lines.Line(i, buffer).size();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["lines"] = static_cast<double>(lines.LineCount());
}
BENCHMARK(BM_MainResultsText)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
