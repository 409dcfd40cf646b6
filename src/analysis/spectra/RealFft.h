#pragma once
// The program's own radix-2 FFT. The forward transform has the positive sign,
// X_k = sum_j x_j e^{+2 pi i jk/N}, so imaginary parts and phases are the
// negatives of those of the e^{-2 pi i} convention; nothing is normalised.
// A real block of N samples is transformed in place in N + 2 doubles through a
// complex transform of N/2 points and a split step; afterwards data[0] = X_0,
// data[1] = X_{N/2}, (data[2k], data[2k+1]) = X_k for 1 <= k < N/2,
// data[N] = X_{N/2} and data[N+1] = 0.

#include <cstdint>

namespace orlu {

/// The longest block the transforms take.
inline constexpr int kMaxFftLength = 8192;

/// True for a block length the real transform takes: a power of two from 4 to kMaxFftLength.
bool IsFftLength(std::int64_t n);

/// In-place complex FFT of n points stored as (real, imaginary) pairs in 2n doubles;
/// sign +1 forward, -1 inverse (unnormalised). Returns 0, or 1 (nothing changed) when n is
/// not a power of two from 1 to kMaxFftLength / 2.
int ComplexFft(double* data, int n, int sign);

/// In-place real-input FFT of n samples in data[0 .. n+1] (layout above) for sign +1; sign -1
/// takes that layout back to n times the samples. Returns 0, or 1 (nothing changed) when n
/// is not an FFT length.
int RealFft(double* data, int n, int sign);

} // namespace orlu
