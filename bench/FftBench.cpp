// The real transform of one block, N = 1024 to 8192, beside FFTW's double
// real-to-complex transform of the same block in the same run (when the
// benchmarks were built with FFTW). The spectra views transform up to three
// blocks per record, so this is their cost per record.

#include "analysis/spectra/RealFft.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#ifdef ORLU_BENCH_FFTW
#include <fftw3.h>
#endif

namespace {

std::vector<double> Block(int n)
{
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = std::sin(0.37 * i) * 12000.0 + (i * 7919 % 113);
    return x;
}

void BM_RealFft(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> x = Block(n);
    std::vector<double> data(n + 2);
    for (auto _ : state) {
        std::copy(x.begin(), x.end(), data.begin());
        orlu::RealFft(data.data(), n, +1);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RealFft)->RangeMultiplier(2)->Range(1024, 8192);

#ifdef ORLU_BENCH_FFTW
void BM_FftwR2c(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> x = Block(n);
    double* in = fftw_alloc_real(n);
    fftw_complex* out = fftw_alloc_complex(n / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE);
    for (auto _ : state) {
        std::copy(x.begin(), x.end(), in);
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
}
BENCHMARK(BM_FftwR2c)->RangeMultiplier(2)->Range(1024, 8192);
#endif

} // namespace

BENCHMARK_MAIN();
