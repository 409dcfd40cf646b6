#include "analysis/spectra/FftWorkspace.h"

#include "analysis/spectra/RealFft.h"

namespace orlu {

bool FftWorkspace::Prepare(std::uint32_t n, std::uint32_t lines, std::uint8_t window)
{
    m_Ready = false;
    if (!IsFftLength(n) || lines == 0 || lines > n / 2)
        return false;
    if (m_Buffers.samples < n) {
        m_CoefficientsLength = 0;
        if (AllocFftBuffers(n, m_Buffers) != 0)
            return false;
    }
    if (m_CoefficientsLength != n || m_Window != window) {
        m_PowerNorm = FftWindowPower(window, m_Buffers.window.data(), static_cast<int>(n), &m_WindowFactor);
        m_CoefficientsLength = n;
        m_Window = window;
    }
    m_Length = n;
    m_Lines = lines;
    m_Ready = true;
    return true;
}

int FftWorkspace::Compute(int code, std::span<const std::int16_t> a, std::span<const std::int16_t> b, int form,
                          std::span<double> out, std::span<double> phase)
{
    if (!m_Ready)
        return 1;
    const SpectraBuffers buffers{a, b, std::span<const double>(m_Buffers.window).first(m_Length),
                                 m_Buffers.transformA, m_Buffers.transformB};
    return ComputeSpectraFunction(code, static_cast<int>(m_Length), buffers, m_PowerNorm, static_cast<int>(m_Lines),
                                  form, out, phase);
}

std::span<const double> FftWorkspace::OwnSpectrumA() const
{
    return m_Ready ? std::span<const double>(m_Buffers.transformA).first(m_Lines) : std::span<const double>{};
}

std::span<const double> FftWorkspace::OwnSpectrumB() const
{
    return m_Ready ? std::span<const double>(m_Buffers.transformB).first(m_Lines) : std::span<const double>{};
}

} // namespace orlu
