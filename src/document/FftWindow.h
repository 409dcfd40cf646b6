#pragma once
// The smoothing windows of FFT blocks and their power factor. The header
// decoders need only the factor of the window an instrument used; the
// spectra views evaluate the same windows into coefficient buffers. Codes are
// FftWindowCode: 0 none, 1 USER, 2 Hanning, 3 Rectangle, 4 Flat Top,
// 5 Kaiser-Bessel, 6 Parzen, 7 Welch, 8 spare. The cosine windows have a mean
// of 1 (Hanning runs from 0 to 2).

#include <cstdint>
#include <vector>

namespace orlu {

/// w(i) of window `code` for sample i of a block of n; codes outside 0 to 8 give the rectangle.
double FftWindowValue(std::uint8_t code, int i, int n);

/// Evaluates the window for i = 0 to n - 1, storing the values into
/// coefficients when given; writes the mean of w(i)^2 to meanPower and
/// returns the power normalisation n x n / 2.
double FftWindowPower(std::uint8_t code, double* coefficients, int n, double* meanPower);

/// The workspace of the transforms of blocks of n samples: the window's
/// coefficients (n + 1 values) and two transform buffers (n + 2 values each).
struct FftBuffers {
    std::vector<double> window;
    std::vector<double> transformA;
    std::vector<double> transformB;
    std::uint32_t samples = 0; ///< n; 0 while nothing is allocated
};

/// Allocates the workspace for n samples: 0 on success; 1 when memory ran out,
/// with the workspace left empty.
int AllocFftBuffers(std::uint32_t n, FftBuffers& buffers);

/// Twice the smallest power of two not below lines: the FFT block of a spectrum of `lines` lines.
std::uint32_t FftBlockLength(std::uint32_t lines);

} // namespace orlu
