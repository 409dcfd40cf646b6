// One column of a big logger: read from the paged image, aggregated (energy
// mean, degree 10) and given running totals, against the same arithmetic over
// a plain int16 array. The column's cost should stay within twice the plain
// one and grow linearly with the records (compare the two families per size,
// and the complexity fits).

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/EnergyLevel.h"
#include "analysis/statistics/RunningTotals.h"
#include "document/buffer/ColumnReader.h"
#include "support/WordImage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace orlu {
namespace {

constexpr int kRowWords = 6;
constexpr int kColumn = 2;
constexpr int kDegree = 10;
constexpr double kStep = 0.125;

std::vector<std::uint16_t> LoggerWords(std::size_t records)
{
    std::vector<std::uint16_t> words(records * kRowWords, 0x1234);
    for (std::size_t i = 0; i < records; ++i)
        words[i * kRowWords + kColumn] = static_cast<std::uint16_t>(2 * (400 + (i * 37) % 500) + (i % 11 == 0));
    return words;
}

void BM_LoggerColumn(benchmark::State& state)
{
    const auto records = static_cast<std::size_t>(state.range(0));
    const WordImage img(LoggerWords(records));
    const ImageReader reader = img.Reader();
    const TimeHistoryColumn column{0, kRowWords, kColumn};
    std::vector<double> values(records), leq(records), sel(records);
    double lo = 0, hi = 0;
    for (auto _ : state) {
        ReadLevelRun(reader, column, kCurrentLoggerCoding, 0, values);
        const std::size_t m = Aggregate(AggregationKind::EnergyMean, values, false, {}, kDegree);
        RunningTotals(reader, column, kCurrentLoggerCoding, 0, records, kStep, {leq, sel, &lo, &hi});
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(leq.data());
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same arithmetic written out over an array of the column's words.
void BM_PlainInt16Array(benchmark::State& state)
{
    const auto records = static_cast<std::size_t>(state.range(0));
    std::vector<std::int16_t> column(records);
    const std::vector<std::uint16_t> words = LoggerWords(records);
    for (std::size_t i = 0; i < records; ++i)
        column[i] = static_cast<std::int16_t>(words[i * kRowWords + kColumn]);
    std::vector<double> values(records), leq(records), sel(records);
    double lo = 0, hi = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < records; ++i)
            values[i] = (column[i] >> 1) / 10.0;
        const std::size_t m = records / kDegree;
        for (std::size_t j = 0; j < m; ++j) {
            double sum = 0;
            for (std::size_t i = j * kDegree; i < (j + 1) * kDegree; ++i)
                sum += std::pow(10.0, 0.1 * values[i]);
            values[j] = 10.0 * std::log10(sum / kDegree);
        }
        double mean = 0, total = 0;
        lo = hi = (column[0] >> 1) / 10.0;
        for (std::size_t i = 0; i < records; ++i) {
            const double level = (column[i] >> 1) / 10.0;
            const double e = std::pow(10.0, 0.1 * level);
            mean += (e - mean) / static_cast<double>(i + 1);
            leq[i] = 10.0 * std::log10(mean);
            total += e;
            sel[i] = 10.0 * std::log10(total * kStep);
            lo = level < lo ? level : lo;
            hi = level > hi ? level : hi;
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(leq.data());
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoggerColumn)->RangeMultiplier(10)->Range(10'000, 1'000'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_PlainInt16Array)->RangeMultiplier(10)->Range(10'000, 1'000'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
} // namespace orlu

BENCHMARK_MAIN();
