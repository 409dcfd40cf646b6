// Windows, the spectra functions computed from two channels' blocks, and the
// workspace that holds their buffers.

#include "analysis/spectra/FftWorkspace.h"
#include "analysis/spectra/SpectraFunction.h"
#include "document/FftWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kRectangle = 3, kHanning = 2;

std::vector<std::int16_t> RandomBlock(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sample(-20000, 20000);
    std::vector<std::int16_t> block(n);
    for (auto& v : block)
        v = static_cast<std::int16_t>(sample(random));
    return block;
}

// One computation through a workspace; out holds `lines` values, phase likewise.
struct SpectraRun {
    FftWorkspace workspace;
    std::vector<double> out, phase;
    int Compute(int code, const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b, int form)
    {
        out.assign(workspace.Lines(), -1.0);
        phase.assign(workspace.Lines(), -1.0);
        return workspace.Compute(code, a, b, form, out, phase);
    }
};

TEST(FftWindow, PowerFactorsAndNormalisation)
{
    struct Case {
        std::uint8_t code;
        double factor;
        double tolerance;
    };
    const Case cases[] = {
        {0, 1.0, 1e-12},       {1, 1.0, 1e-12},      {3, 1.0, 1e-12},      {8, 1.0, 1e-12},
        {2, 1.5, 1e-12},       {4, 3.77029, 1e-5},   {5, 1.798573, 1e-6},  {6, 1.0 / 3, 1e-7},
        {7, 8.0 / 15, 1e-7},
    };
    std::vector<double> coefficients(8192);
    for (const Case& c : cases) {
        double factor = 0;
        FftWindowPower(c.code, coefficients.data(), 8192, &factor);
        EXPECT_NEAR(factor, c.factor, c.tolerance) << "window " << int(c.code);
    }
    double factor = 0;
    EXPECT_EQ(FftWindowPower(kHanning, nullptr, 1024, &factor), 524288.0);
    // The cosine windows have a mean of 1: Hanning runs from 0 to 2.
    FftWindowPower(kHanning, coefficients.data(), 8, &factor);
    EXPECT_DOUBLE_EQ(coefficients[0], 0.0);
    EXPECT_DOUBLE_EQ(coefficients[4], 2.0);
}

TEST(SpectraFunction, ConstantBlockHasPowerOnlyAtLineZero)
{
    SpectraRun run;
    ASSERT_TRUE(run.workspace.Prepare(64, 32, kRectangle));
    const std::vector<std::int16_t> block(64, 300);
    for (int code : {1, 3}) {
        ASSERT_EQ(run.Compute(code, block, block, kOutputPower), 0);
        EXPECT_DOUBLE_EQ(run.out[0], 300.0 * 300.0) << code;
        for (int k = 1; k < 32; ++k)
            EXPECT_NEAR(run.out[k], 0.0, 1e-20) << "code " << code << " line " << k;
    }
}

TEST(SpectraFunction, CosineGivesHalfItsSquareAndTheNegatedPhase)
{
    // a cos(2 pi j k0 / N + phi) with k0 = N/4 takes only the values 0, +-a: exact samples.
    const int n = 16, k0 = 4;
    const double a = 1000;
    struct Case {
        double phi;
        std::vector<std::int16_t> block;
    };
    std::vector<std::int16_t> cosine(n), minusSine(n);
    for (int j = 0; j < n; ++j) {
        cosine[j] = static_cast<std::int16_t>(std::lround(a * std::cos(std::numbers::pi * j / 2)));
        minusSine[j] = static_cast<std::int16_t>(std::lround(-a * std::sin(std::numbers::pi * j / 2)));
    }
    const Case cases[] = {{0.0, cosine}, {std::numbers::pi / 2, minusSine}};
    SpectraRun run;
    ASSERT_TRUE(run.workspace.Prepare(n, n / 2, kRectangle));
    for (const Case& c : cases) {
        ASSERT_EQ(run.Compute(1, c.block, {}, kOutputPower), 0);
        EXPECT_NEAR(run.out[k0], a * a / 2, 1e-6) << c.phi;
        EXPECT_NEAR(run.out[k0 - 1], 0.0, 1e-6);
        ASSERT_EQ(run.Compute(1, c.block, {}, kOutputPhase), 0);
        // An e^{-2 pi i} transform reports +phi; ours is the positive sign.
        EXPECT_NEAR(run.phase[k0], -c.phi, 1e-12);
        EXPECT_EQ(run.phase[0], 0.0);
    }
}

TEST(SpectraFunction, ChannelAgainstItself)
{
    const int n = 256, lines = 100;
    const auto block = RandomBlock(n, 3);
    SpectraRun run;
    ASSERT_TRUE(run.workspace.Prepare(n, lines, kHanning));
    ASSERT_EQ(run.Compute(3, block, {}, kOutputPower), 0);
    const std::vector<double> auto_ = run.out;

    ASSERT_EQ(run.Compute(5, block, block, kOutputPower), 0);
    for (int k = 0; k < lines; ++k) {
        EXPECT_NEAR(run.out[k], auto_[k], 1e-9 * auto_[k]) << "cross = auto at line " << k;
        // Both buffers are left holding their channel's own power spectrum.
        EXPECT_NEAR(run.workspace.OwnSpectrumA()[k], auto_[k], 1e-9 * auto_[k]) << k;
        EXPECT_NEAR(run.workspace.OwnSpectrumB()[k], auto_[k], 1e-9 * auto_[k]) << k;
    }
    ASSERT_EQ(run.Compute(5, block, block, kOutputPhase), 0);
    for (int k = 0; k < lines; ++k)
        EXPECT_NEAR(run.phase[k], 0.0, 1e-12) << k;

    const double d = run.workspace.PowerNorm();
    EXPECT_EQ(d, n * n / 2.0);
    for (int code : {7, 8, 9, 10}) {
        ASSERT_EQ(run.Compute(code, block, block, kOutputPower), 0);
        for (int k = 1; k < lines; ++k)
            EXPECT_NEAR(run.out[k] * d, 1.0, 1e-9) << "code " << code << " line " << k;
    }
}

TEST(SpectraFunction, TwoChannelCodesPairChannelsAsTabled)
{
    // Cross spectrum B-A is the conjugate of A-B; H2 (F = B) is 1/H1 of the swapped pair.
    const int n = 64, lines = 32;
    const auto a = RandomBlock(n, 11), b = RandomBlock(n, 12);
    SpectraRun run;
    ASSERT_TRUE(run.workspace.Prepare(n, lines, kRectangle));
    ASSERT_EQ(run.Compute(5, a, b, kOutputImaginaryPart), 0);
    const auto ab = run.out;
    ASSERT_EQ(run.Compute(6, a, b, kOutputImaginaryPart), 0);
    for (int k = 1; k < lines; ++k)
        EXPECT_NEAR(run.out[k], -ab[k], 1e-6 * std::fabs(ab[k]) + 1e-6) << k;

    ASSERT_EQ(run.Compute(7, a, b, kOutputPower), 0);
    const auto h1 = run.out;
    ASSERT_EQ(run.Compute(10, b, a, kOutputPower), 0);
    for (int k = 1; k < lines; ++k)
        EXPECT_NEAR(run.out[k], h1[k], 1e-9 * h1[k]) << "1/H2 of (b, a) = H1 of (a, b) at " << k;
}

TEST(SpectraFunction, SilentChannelGivesZeroResponseNotNan)
{
    const int n = 32, lines = 16;
    const auto live = RandomBlock(n, 5);
    const std::vector<std::int16_t> silent(n, 0);
    SpectraRun run;
    ASSERT_TRUE(run.workspace.Prepare(n, lines, kHanning));
    // Codes 7 and 10 divide by |F|^2, codes 8 and 9 by |G|^2: each meets a zero denominator.
    for (int code : {7, 8, 9, 10}) {
        for (int form : {kOutputPower, kOutputPhase, kOutputRealPart, kOutputImaginaryPart}) {
            ASSERT_EQ(run.Compute(code, silent, live, form), 0);
            const auto& values = form == kOutputPhase ? run.phase : run.out;
            for (int k = 0; k < lines; ++k) {
                ASSERT_TRUE(std::isfinite(values[k])) << code << "/" << form << " line " << k;
                if (k > 0) {
                    EXPECT_EQ(values[k], 0.0) << code << "/" << form << " line " << k;
                }
            }
        }
    }
}

TEST(SpectraFunction, RefusesBlocksItCannotTake)
{
    const auto block = RandomBlock(64, 1);
    std::vector<double> coefficients(64, 1.0), ta(66), tb(66), out(40, -1.0), phase(40);
    const SpectraBuffers buffers{block, block, coefficients, ta, tb};
    struct Case {
        const char* what;
        int code, n, lines;
        SpectraBuffers buffers;
    };
    const std::vector<std::int16_t> shortBlock(63);
    const Case cases[] = {
        {"block length not a power of two", 1, 48, 20, buffers},
        {"more lines than N/2", 1, 64, 33, buffers},
        {"block shorter than N", 5, 64, 32, {block, shortBlock, coefficients, ta, tb}},
        {"unknown function", 11, 64, 32, buffers},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeSpectraFunction(c.code, c.n, c.buffers, 2048.0, c.lines, kOutputPower, out, phase), 1)
            << c.what;
        EXPECT_EQ(out[0], -1.0) << c.what;
    }

    FftWorkspace workspace;
    EXPECT_FALSE(workspace.Prepare(1000, 400, kHanning));
    EXPECT_FALSE(workspace.Prepare(1024, 513, kHanning));
    EXPECT_FALSE(workspace.Prepare(16384, 400, kHanning));
    EXPECT_EQ(workspace.Compute(1, block, block, kOutputPower, out, phase), 1);
}

TEST(FftWorkspace, CoefficientsFollowWindowAndBlockLength)
{
    FftWorkspace workspace;
    const std::vector<std::int16_t> ones(1024, 1);
    std::vector<double> out(400), phase(400);
    // A constant block's line 0 is (sum of w)^2 / 2 / d: the mean of w squared.
    const auto lineZero = [&](std::uint32_t n, std::uint8_t window) {
        EXPECT_TRUE(workspace.Prepare(n, n / 4, window));
        EXPECT_EQ(workspace.Compute(1, ones, ones, kOutputPower, out, phase), 0);
        return out[0];
    };
    EXPECT_NEAR(lineZero(1024, 6), 0.25, 1e-9); // Parzen: mean 1/2
    EXPECT_NEAR(workspace.WindowFactor(), 1.0 / 3, 1e-6);
    EXPECT_NEAR(lineZero(1024, 7), 4.0 / 9, 1e-6); // Welch: mean 2/3
    // A shorter block under the same window gets its own coefficients.
    EXPECT_NEAR(lineZero(16, 7), 4.0 / 9, 0.01);
    EXPECT_EQ(workspace.PowerNorm(), 128.0);
    EXPECT_NEAR(lineZero(1024, 2), 1.0, 1e-9);
}

} // namespace
} // namespace orlu
