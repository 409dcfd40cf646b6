#pragma once
// The buffers behind the spectra functions of a document: window coefficients
// and two transform buffers. They grow to the largest block a document asks
// for and are never shrunk, so a merged document whose files differ in block
// length transforms every file in place without allocating per block. The
// coefficients are kept for one (window, block length) pair and evaluated again
// when either changes.

#include "analysis/spectra/SpectraFunction.h"
#include "document/FftWindow.h"

#include <cstdint>
#include <span>

namespace orlu {

class FftWorkspace {
public:
    /// Readies the workspace for blocks of n samples shown as `lines` lines under window code
    /// `window`. False, and nothing to compute, when n is not a power of two from 4 to 8192,
    /// lines is 0 or above n / 2, or memory ran out.
    bool Prepare(std::uint32_t n, std::uint32_t lines, std::uint8_t window);

    /// ComputeSpectraFunction over the prepared block; 1 when nothing is prepared.
    int Compute(int code, std::span<const std::int16_t> a, std::span<const std::int16_t> b, int form,
                std::span<double> out, std::span<double> phase);

    bool Ready() const { return m_Ready; }
    std::uint32_t BlockLength() const { return m_Length; }
    std::uint32_t Lines() const { return m_Lines; }
    std::uint8_t Window() const { return m_Window; }
    /// d, the power normalisation N x N / 2.
    double PowerNorm() const { return m_PowerNorm; }
    /// The mean of w^2 of the window.
    double WindowFactor() const { return m_WindowFactor; }
    /// After a two-channel function: channel A's or B's own spectrum, lines 0 .. Lines()-1.
    std::span<const double> OwnSpectrumA() const;
    std::span<const double> OwnSpectrumB() const;

private:
    FftBuffers m_Buffers;
    std::uint32_t m_Length = 0;
    std::uint32_t m_Lines = 0;
    std::uint32_t m_CoefficientsLength = 0; ///< the n the coefficients were evaluated for
    std::uint8_t m_Window = 0;
    double m_PowerNorm = 0.0;
    double m_WindowFactor = 1.0;
    bool m_Ready = false;
};

} // namespace orlu
