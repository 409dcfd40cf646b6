// Writes the reference transform the FFT tests compare against: a block of
// 8192 pseudo-random 16-bit samples and its positive-sign DFT,
// X_k = sum_j x_j e^{+2 pi i jk/N} for k = 0 .. N/2, summed naively in long
// double with each twiddle taken from an exact table indexed by jk mod N.
// Run once; the output is checked in beside this file:
//   g++ -O2 -o /tmp/make-fft-oracle make-fft-oracle.cpp
//   /tmp/make-fft-oracle > fft-oracle-8192.txt

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

int main()
{
    const int n = 8192;
    std::vector<int> x(n);
    std::uint32_t state = 20261211u;
    for (int& v : x) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<int>(state >> 16) - 32768;
    }
    const long double pi = 3.141592653589793238462643383279502884L;
    std::vector<long double> c(n), s(n);
    for (int k = 0; k < n; ++k) {
        c[k] = cosl(2 * pi * k / n);
        s[k] = sinl(2 * pi * k / n);
    }
    std::printf("# samples %d, then lines 0 .. %d as real and imaginary parts\n", n, n / 2);
    for (int v : x)
        std::printf("%d\n", v);
    for (int k = 0; k <= n / 2; ++k) {
        long double re = 0, im = 0;
        for (int j = 0; j < n; ++j) {
            const int t = static_cast<int>((static_cast<std::int64_t>(j) * k) % n);
            re += x[j] * c[t];
            im += x[j] * s[t];
        }
        std::printf("%.21Lg %.21Lg\n", re, im);
    }
    return 0;
}
