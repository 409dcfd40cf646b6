// The program's FFT: the positive sign, the packed layout of the real transform,
// against a naive DFT and against a long-double reference of 8192 samples.

#include "analysis/spectra/RealFft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace orlu {
namespace {

using Complex = std::complex<double>;

// X_k = sum_j x_j e^{+2 pi i jk/N}, k = 0 .. N/2, in long double.
std::vector<Complex> NaiveDft(const std::vector<double>& x)
{
    const auto n = static_cast<long>(x.size());
    const long double pi = 3.141592653589793238462643383279502884L;
    std::vector<Complex> out;
    for (long k = 0; k <= n / 2; ++k) {
        long double re = 0, im = 0;
        for (long j = 0; j < n; ++j) {
            const long double a = 2 * pi * static_cast<long double>((j * k) % n) / n;
            re += x[j] * cosl(a);
            im += x[j] * sinl(a);
        }
        out.emplace_back(static_cast<double>(re), static_cast<double>(im));
    }
    return out;
}

// Checks the packed result of RealFft against the reference lines 0 .. N/2.
void ExpectLayout(const std::vector<double>& data, const std::vector<Complex>& reference)
{
    const auto n = static_cast<int>(data.size()) - 2;
    double largest = 0;
    for (const Complex& v : reference)
        largest = std::max(largest, std::abs(v));
    const double tolerance = 1e-12 * largest;
    EXPECT_NEAR(data[0], reference[0].real(), tolerance) << "X_0 at N = " << n;
    EXPECT_NEAR(data[1], reference[n / 2].real(), tolerance) << "X_N/2 in slot 1 at N = " << n;
    EXPECT_NEAR(data[n], reference[n / 2].real(), tolerance) << "X_N/2 in slot N at N = " << n;
    EXPECT_EQ(data[n + 1], 0.0);
    for (int k = 1; k < n / 2; ++k) {
        EXPECT_NEAR(data[2 * k], reference[k].real(), tolerance) << "line " << k << " of N = " << n;
        EXPECT_NEAR(data[2 * k + 1], reference[k].imag(), tolerance) << "line " << k << " of N = " << n;
    }
}

TEST(RealFft, MatchesPositiveSignDftOfRandomBlocks)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> sample(-32768.0, 32767.0);
    for (int n = 4; n <= 1024; n *= 2) {
        std::vector<double> x(n);
        for (double& v : x)
            v = sample(random);
        std::vector<double> data(x);
        data.resize(n + 2, 0.0);
        ASSERT_EQ(RealFft(data.data(), n, +1), 0);
        ExpectLayout(data, NaiveDft(x));
    }
}

TEST(RealFft, MatchesReferenceOf8192Samples)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/data/fft/fft-oracle-8192.txt");
    ASSERT_TRUE(in) << "reference file missing";
    std::string comment;
    std::getline(in, comment);
    const int n = 8192;
    std::vector<double> data(n + 2, 0.0);
    for (int i = 0; i < n; ++i)
        in >> data[i];
    std::vector<Complex> reference(n / 2 + 1);
    for (Complex& v : reference) {
        double re = 0, im = 0;
        in >> re >> im;
        v = {re, im};
    }
    ASSERT_TRUE(in) << "reference file cut short";
    ASSERT_EQ(RealFft(data.data(), n, +1), 0);
    ExpectLayout(data, reference);
}

TEST(RealFft, InverseGivesBackNTimesTheSamples)
{
    const int n = 64;
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = std::sin(0.3 * i) * 100 + i;
    std::vector<double> data(x);
    data.resize(n + 2);
    ASSERT_EQ(RealFft(data.data(), n, +1), 0);
    ASSERT_EQ(RealFft(data.data(), n, -1), 0);
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(data[i], n * x[i], 1e-9) << i;
}

TEST(RealFft, RefusesLengthsItCannotTransform)
{
    for (int n : {0, 2, 6, 12, 1000, 16384}) {
        std::vector<double> data(static_cast<std::size_t>(n) + 2, 3.0);
        EXPECT_EQ(RealFft(data.data(), n, +1), 1) << n;
        EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](double v) { return v == 3.0; })) << n;
    }
    std::vector<double> pairs(6, 1.0);
    EXPECT_EQ(ComplexFft(pairs.data(), 3, +1), 1);
    EXPECT_FALSE(IsFftLength(-8));
    EXPECT_TRUE(IsFftLength(8192));
}

} // namespace
} // namespace orlu
