#include "analysis/spectra/RealFft.h"

#include <array>
#include <cmath>
#include <utility>

namespace orlu {
namespace {

constexpr double kTwoPi = 6.28318530717959;
constexpr int kMaxPointBits = 12; // kMaxFftLength / 2 complex points

// cos and sin of 2 pi k / kMaxFftLength for k < kMaxFftLength / 2 (the split step takes them by
// stride), and the twiddles of each butterfly stage in a row of their own: those of the stage of
// span 2h, e^{2 pi i r / 2h} for r < h, start at (h - 1). Computed once, exact to the last bit
// instead of drifting like a recurrence, and read in order by the butterflies.
struct TwiddleTable {
    std::array<double, kMaxFftLength / 2> cosine{};
    std::array<double, kMaxFftLength / 2> sine{};
    std::array<double, kMaxFftLength / 2> stageCosine{};
    std::array<double, kMaxFftLength / 2> stageSine{};
    std::array<std::uint16_t, kMaxFftLength / 2> reversed{}; ///< i with its kMaxPointBits bits reversed
    TwiddleTable()
    {
        for (int i = 0; i < kMaxFftLength / 2; ++i) {
            int r = 0;
            for (int bit = 0; bit < kMaxPointBits; ++bit)
                r |= ((i >> bit) & 1) << (kMaxPointBits - 1 - bit);
            reversed[i] = static_cast<std::uint16_t>(r);
        }
        for (int k = 0; k < kMaxFftLength / 2; ++k) {
            cosine[k] = std::cos(kTwoPi * k / kMaxFftLength);
            sine[k] = std::sin(kTwoPi * k / kMaxFftLength);
        }
        for (int half = 1; half < kMaxFftLength / 2; half <<= 1) {
            for (int r = 0; r < half; ++r) {
                stageCosine[half - 1 + r] = cosine[r * (kMaxFftLength / (2 * half))];
                stageSine[half - 1 + r] = sine[r * (kMaxFftLength / (2 * half))];
            }
        }
    }
};

const TwiddleTable& Twiddles()
{
    static const TwiddleTable table;
    return table;
}

bool IsPowerOfTwo(std::int64_t n) { return n > 0 && (n & (n - 1)) == 0; }

} // namespace

bool IsFftLength(std::int64_t n) { return n >= 4 && n <= kMaxFftLength && IsPowerOfTwo(n); }

int ComplexFft(double* data, int n, int sign)
{
    if (!IsPowerOfTwo(n) || n > kMaxFftLength / 2)
        return 1;
    const TwiddleTable& table = Twiddles();
    int bits = 0;
    while ((1 << bits) < n)
        ++bits;
    // Bit-reversal permutation of the pairs.
    for (int i = 0; i < n; ++i) {
        const int j = table.reversed[i] >> (kMaxPointBits - bits);
        if (j > i) {
            std::swap(data[2 * j], data[2 * i]);
            std::swap(data[2 * j + 1], data[2 * i + 1]);
        }
    }
    const double s = sign < 0 ? -1.0 : 1.0;
    int half = 1;
    // With an odd number of stages the first, of span 2, runs alone: its twiddle is 1.
    if (bits % 2 == 1) {
        for (int i = 0; i < n; i += 2) {
            double* a = data + 2 * i;
            const double br = a[2], bi = a[3];
            a[2] = a[0] - br;
            a[3] = a[1] - bi;
            a[0] += br;
            a[1] += bi;
        }
        half = 2;
    }
    // The other stages run two at a time, spans 2h and 4h in one pass over each block of 4h
    // points: the stage of span 2h with w1 = e^{i sign 2 pi r / 2h}, then that of span 4h with
    // w2 = e^{i sign 2 pi r / 4h} and, for its second half, w2 times i sign.
    for (; half < n; half <<= 2) {
        const double* c1 = table.stageCosine.data() + half - 1;
        const double* s1 = table.stageSine.data() + half - 1;
        const double* c2 = table.stageCosine.data() + 2 * half - 1;
        const double* s2 = table.stageSine.data() + 2 * half - 1;
        for (int block = 0; block < n; block += 4 * half) {
            double* x0 = data + 2 * block;
            double* x1 = x0 + 2 * half;
            double* x2 = x1 + 2 * half;
            double* x3 = x2 + 2 * half;
            for (int r = 0; r < half; ++r) {
                const double w1r = c1[r], w1i = s * s1[r], w2r = c2[r], w2i = s * s2[r];
                const double a0r = x0[2 * r], a0i = x0[2 * r + 1];
                const double a1r = x1[2 * r], a1i = x1[2 * r + 1];
                const double a2r = x2[2 * r], a2i = x2[2 * r + 1];
                const double a3r = x3[2 * r], a3i = x3[2 * r + 1];
                const double t1r = w1r * a1r - w1i * a1i, t1i = w1r * a1i + w1i * a1r;
                const double t3r = w1r * a3r - w1i * a3i, t3i = w1r * a3i + w1i * a3r;
                const double y0r = a0r + t1r, y0i = a0i + t1i, y1r = a0r - t1r, y1i = a0i - t1i;
                const double y2r = a2r + t3r, y2i = a2i + t3i, y3r = a2r - t3r, y3i = a2i - t3i;
                const double u2r = w2r * y2r - w2i * y2i, u2i = w2r * y2i + w2i * y2r;
                // w2 (i sign) y3 = (i sign) (w2 y3).
                const double v3r = w2r * y3r - w2i * y3i, v3i = w2r * y3i + w2i * y3r;
                const double u3r = -s * v3i, u3i = s * v3r;
                x0[2 * r] = y0r + u2r;
                x0[2 * r + 1] = y0i + u2i;
                x2[2 * r] = y0r - u2r;
                x2[2 * r + 1] = y0i - u2i;
                x1[2 * r] = y1r + u3r;
                x1[2 * r + 1] = y1i + u3i;
                x3[2 * r] = y1r - u3r;
                x3[2 * r + 1] = y1i - u3i;
            }
        }
    }
    return 0;
}

int RealFft(double* data, int n, int sign)
{
    if (!IsFftLength(n))
        return 1;
    const double c1 = 0.5;
    double c2 = -0.5;
    if (sign >= 0) {
        ComplexFft(data, n / 2, +1);
        data[n] = data[0];
        data[n + 1] = data[1];
    } else {
        c2 = 0.5;
        data[n] = data[1];
        data[1] = 0.0;
        data[n + 1] = 0.0;
    }
    // Split step: point i pairs with point n/2 - i; w = e^{i sign 2 pi i / n}.
    const TwiddleTable& table = Twiddles();
    const int stride = kMaxFftLength / n;
    const double s = sign >= 0 ? 1.0 : -1.0;
    for (int i = 0; i <= n / 4; ++i) {
        const double wr = table.cosine[i * stride];
        const double wi = s * table.sine[i * stride];
        double* x1 = data + 2 * i;
        double* x2 = data + n - 2 * i;
        const double h1r = c1 * (x1[0] + x2[0]);
        const double h1i = c1 * (x1[1] - x2[1]);
        const double h2r = -c2 * (x1[1] + x2[1]);
        const double h2i = c2 * (x1[0] - x2[0]);
        x1[0] = h1r + wr * h2r - wi * h2i;
        x1[1] = h1i + wr * h2i + wi * h2r;
        x2[0] = h1r - wr * h2r + wi * h2i;
        x2[1] = -h1i + wr * h2i + wi * h2r;
    }
    if (sign >= 0) {
        data[1] = data[n];
        return 0;
    }
    // The split step of the inverse leaves the half-length spectrum scaled by one half.
    for (int i = 0; i < n; ++i)
        data[i] *= 2.0;
    ComplexFft(data, n / 2, -1);
    return 0;
}

} // namespace orlu
