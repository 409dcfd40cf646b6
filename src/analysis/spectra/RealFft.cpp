#include "analysis/spectra/RealFft.h"

#include <array>
#include <cstring>
#include <cmath>
#include <utility>

namespace orlu {
namespace {

constexpr double kTwoPi = 6.28318530717959;
constexpr int kMaxPointBits = 12; // kMaxFftLength / 2 complex points

// A complex number as one two-lane vector (real, imaginary): SSE2 on every x86-64, so each
// butterfly works on whole numbers instead of their halves.
using Pair = double __attribute__((vector_size(16)));

Pair Load(const double* p)
{
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void Store(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

Pair Swap(Pair v) { return Pair{v[1], v[0]}; }

// A twiddle w = (wr, wi) kept as the lanes (wr, wr) and (-wi, wi) of the forward sign.
struct Twiddle {
    Pair real;
    Pair imaginary;
};

Twiddle MakeTwiddle(double angle) { return {Pair{std::cos(angle), std::cos(angle)}, Pair{-std::sin(angle), std::sin(angle)}}; }

// w b; sign -1 conjugates w.
Pair Multiply(const Twiddle& w, Pair sign, Pair b) { return w.real * b + sign * w.imaginary * Swap(b); }

// The twiddles of a pass over blocks of 4h points: w, w^2 and w^3 of w = e^{2 pi i r / 4h}.
struct PassTwiddles {
    Twiddle w1, w2, w3;
};

// Computed once for the longest block, exact to the last bit instead of drifting like a
// recurrence, and read in order by the butterflies: the twiddles of the pass of base h start at
// h - 1; those of the split step, e^{2 pi i k / kMaxFftLength}, are taken by stride.
struct TwiddleTable {
    std::array<PassTwiddles, kMaxFftLength / 2> pass{};
    std::array<double, kMaxFftLength / 2> cosine{};
    std::array<double, kMaxFftLength / 2> sine{};
    std::array<std::uint16_t, kMaxFftLength / 2> reversed{}; ///< i with its kMaxPointBits bits reversed
    TwiddleTable()
    {
        for (int i = 0; i < kMaxFftLength / 2; ++i) {
            int r = 0;
            for (int bit = 0; bit < kMaxPointBits; ++bit)
                r |= ((i >> bit) & 1) << (kMaxPointBits - 1 - bit);
            reversed[i] = static_cast<std::uint16_t>(r);
            cosine[i] = std::cos(kTwoPi * i / kMaxFftLength);
            sine[i] = std::sin(kTwoPi * i / kMaxFftLength);
        }
        for (int half = 1; half < kMaxFftLength / 4; half <<= 1) {
            for (int r = 0; r < half; ++r) {
                const double angle = kTwoPi * r / (4 * half);
                pass[half - 1 + r] = {MakeTwiddle(angle), MakeTwiddle(2 * angle), MakeTwiddle(3 * angle)};
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
    const Pair signs{s, s};
    const Pair turn{-s, s}; // i sign v = (-sign vi, sign vr)
    int half = 1;
    // With an odd number of stages the first, of span 2, runs alone: its twiddle is 1.
    if (bits % 2 == 1) {
        for (int i = 0; i < n; i += 2) {
            double* x = data + 2 * i;
            const Pair a0 = Load(x), a1 = Load(x + 2);
            Store(x, a0 + a1);
            Store(x + 2, a0 - a1);
        }
        half = 2;
    } else if (n >= 4) {
        // The first pass of spans 2 and 4 has every twiddle 1.
        for (int i = 0; i < n; i += 4) {
            double* x = data + 2 * i;
            const Pair a0 = Load(x), a1 = Load(x + 2), a2 = Load(x + 4), a3 = Load(x + 6);
            const Pair p0 = a0 + a1, p1 = a0 - a1, q0 = a2 + a3, q1 = turn * Swap(a2 - a3);
            Store(x, p0 + q0);
            Store(x + 4, p0 - q0);
            Store(x + 2, p1 + q1);
            Store(x + 6, p1 - q1);
        }
        half = 4;
    }
    // The other stages run two at a time, spans 2h and 4h in one pass over each block of 4h
    // points x0..x3 (h each): with w = e^{i sign 2 pi r / 4h} the pass gives
    //   x0 + w^2 x1 -+ (w x2 + w^3 x3) and x0 - w^2 x1 -+ i sign (w x2 - w^3 x3),
    // three complex products per four points.
    for (; half < n; half <<= 2) {
        const PassTwiddles* w = table.pass.data() + half - 1;
        for (int block = 0; block < n; block += 4 * half) {
            double* x0 = data + 2 * block;
            double* x1 = x0 + 2 * half;
            double* x2 = x1 + 2 * half;
            double* x3 = x2 + 2 * half;
            for (int r = 0; r < half; ++r) {
                const Pair a0 = Load(x0 + 2 * r);
                const Pair b1 = Multiply(w[r].w2, signs, Load(x1 + 2 * r));
                const Pair b2 = Multiply(w[r].w1, signs, Load(x2 + 2 * r));
                const Pair b3 = Multiply(w[r].w3, signs, Load(x3 + 2 * r));
                const Pair p0 = a0 + b1, p1 = a0 - b1, q0 = b2 + b3;
                const Pair q1 = turn * Swap(b2 - b3);
                Store(x0 + 2 * r, p0 + q0);
                Store(x2 + 2 * r, p0 - q0);
                Store(x1 + 2 * r, p1 + q1);
                Store(x3 + 2 * r, p1 - q1);
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
    // With t = w h2: x1 = h1 + t and x2 = conj(h1 - t), where h1 = c1 (x1 + conj x2) and
    // h2 = (-c2 (x1i + x2i), c2 (x1r - x2r)).
    const Pair conjugate{1.0, -1.0}, halves{c1, c1}, h2Sign{-c2, c2};
    for (int i = 0; i <= n / 4; ++i) {
        const double wr = table.cosine[i * stride], wi = s * table.sine[i * stride];
        double* p1 = data + 2 * i;
        double* p2 = data + n - 2 * i;
        const Pair x1 = Load(p1), x2 = Load(p2);
        const Pair h1 = halves * (x1 + conjugate * x2);
        const Pair h2 = h2Sign * Swap(x1 - conjugate * x2);
        const Pair t = Pair{wr, wr} * h2 + Pair{-wi, wi} * Swap(h2);
        Store(p1, h1 + t);
        Store(p2, conjugate * (h1 - t));
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
