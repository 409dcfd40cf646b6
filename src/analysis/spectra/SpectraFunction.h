#pragma once
// The spectra functions the program computes itself from the time waveforms of
// ORLU 505 files: the spectrum and autospectrum of one channel, the cross
// spectrum of two and four frequency responses. Each channel's block is
// weighted with the window's coefficients and transformed by RealFft (positive
// sign); powers are divided by d = N x N / 2, the power normalisation of
// FftWindowPower. Line 0 of the output is X_0^2 x 0.5/d for the spectrum and
// |v_0| x 0.5/d for the other functions (v_0 the function's value at 0 Hz),
// whatever the output form. A frequency response whose denominator is 0 gives
// 0 (and phase 0) on that line.

#include <cstdint>
#include <span>
#include <string_view>

namespace orlu {

/// SpectraFunctionCode: 1, 2 spectrum of A, B; 3, 4 autospectrum of A, B; 5, 6 cross spectrum
/// A-B, B-A; 7 H1, 8 1/H1, 9 H2, 10 1/H2.
inline constexpr int kFirstSpectraFunction = 1, kLastSpectraFunction = 10;

/// SpectraOutputForm.
enum SpectraOutputForm : int { kOutputPower = 0, kOutputPhase = 1, kOutputRealPart = 2, kOutputImaginaryPart = 3 };

/// "SPECTRUM", ..., "FREQUENCY RESPONSE 1/H2" for headings; "" outside 1 to 10.
std::string_view SpectraFunctionHeading(int code);
/// "Spectrum", ..., "Frequency response 1/H2" for captions; "" outside 1 to 10.
std::string_view SpectraFunctionCaption(int code);
/// " (power)", " (phase)", " (real part)", " (imaginary part)", " (magnitude)" for forms 0 to 4.
std::string_view SpectraOutputCaption(int form);

/// True when the function reads channel A's samples (every code but 2 and 4).
bool SpectraFunctionReadsA(int code);
/// True when the function reads channel B's samples (every code but 1 and 3).
bool SpectraFunctionReadsB(int code);

/// The blocks and buffers of one computation. Samples of a channel the code does not read
/// may be empty; transforms hold n + 2 doubles; out may be empty (phase form).
struct SpectraBuffers {
    std::span<const std::int16_t> samplesA;
    std::span<const std::int16_t> samplesB;
    std::span<const double> coefficients; ///< n window values
    std::span<double> transformA;
    std::span<double> transformB;
};

/// Computes function `code` over blocks of n samples into lines 0 .. lines-1 of out (power,
/// real and imaginary forms) or phase (phase form, radians). Codes 5 to 10 leave each
/// transform buffer holding its own channel's spectrum in the same form. Returns 0, or 1
/// (nothing written) when n is not an FFT length, lines exceed n/2, the code or form is
/// unknown, or a buffer is too short.
int ComputeSpectraFunction(int code, int n, const SpectraBuffers& buffers, double d, int lines, int form,
                           std::span<double> out, std::span<double> phase);

} // namespace orlu
