#include "analysis/spectra/SpectraFunction.h"

#include "analysis/spectra/RealFft.h"

#include <cmath>
#include <complex>
#include <iterator>

namespace orlu {
namespace {

using Complex = std::complex<double>;

struct FunctionName {
    std::string_view heading;
    std::string_view caption;
};

// Indexed by SpectraFunctionCode - 1.
constexpr FunctionName kFunctionNames[] = {
    {"SPECTRUM", "Spectrum"},
    {"SPECTRUM", "Spectrum"},
    {"AUTOSPECTRUM", "Autospectrum"},
    {"AUTOSPECTRUM", "Autospectrum"},
    {"CROSS SPECTRUM", "Cross spectrum"},
    {"CROSS SPECTRUM", "Cross spectrum"},
    {"FREQUENCY RESPONSE H1", "Frequency response H1"},
    {"FREQUENCY RESPONSE 1/H1", "Frequency response 1/H1"},
    {"FREQUENCY RESPONSE H2", "Frequency response H2"},
    {"FREQUENCY RESPONSE 1/H2", "Frequency response 1/H2"},
};

// Indexed by SpectraOutputForm; the view never sets form 4.
constexpr std::string_view kOutputCaptions[] = {" (power)", " (phase)", " (real part)", " (imaginary part)",
                                                " (magnitude)"};

Complex Line(const std::span<double> transform, int k) { return {transform[2 * k], transform[2 * k + 1]}; }

// Windows a channel's block into its transform buffer and transforms it.
void Transform(std::span<const std::int16_t> samples, std::span<const double> coefficients, std::span<double> buffer,
               int n)
{
    for (int i = 0; i < n; ++i)
        buffer[i] = samples[i] * coefficients[i];
    RealFft(buffer.data(), n, +1);
}

// Writes one line's complex value in the output form.
void Emit(Complex v, int form, double d, std::span<double> out, std::span<double> phase, int k)
{
    if (form == kOutputPhase) {
        phase[k] = std::arg(v);
        return;
    }
    if (out.empty())
        return;
    out[k] = form == kOutputPower ? std::norm(v) / d : form == kOutputRealPart ? v.real() : v.imag();
}

// a / b, or 0 where b is 0: a silent channel has no response.
Complex Ratio(Complex a, Complex b) { return b == Complex{} ? Complex{} : a / b; }

// Reduces a transformed channel in place to its own spectrum in the form, lines 0 .. lines-1.
void ReduceToForm(std::span<double> t, int lines, int form, double d)
{
    const double x0 = t[0];
    for (int k = 1; k < lines; ++k) {
        const Complex v = Line(t, k);
        t[k] = form == kOutputPower       ? std::norm(v) / d
               : form == kOutputPhase     ? std::arg(v)
               : form == kOutputRealPart  ? v.real()
                                          : v.imag();
    }
    if (form == kOutputPower)
        t[0] = x0 * x0 * 0.5 / d;
    else if (form == kOutputPhase)
        t[0] = 0.0;
}

} // namespace

std::string_view SpectraFunctionHeading(int code)
{
    return code >= kFirstSpectraFunction && code <= kLastSpectraFunction ? kFunctionNames[code - 1].heading : "";
}

std::string_view SpectraFunctionCaption(int code)
{
    return code >= kFirstSpectraFunction && code <= kLastSpectraFunction ? kFunctionNames[code - 1].caption : "";
}

std::string_view SpectraOutputCaption(int form)
{
    return form >= 0 && form < static_cast<int>(std::size(kOutputCaptions)) ? kOutputCaptions[form] : "";
}

bool SpectraFunctionReadsA(int code) { return code != 2 && code != 4; }
bool SpectraFunctionReadsB(int code) { return code != 1 && code != 3; }

int ComputeSpectraFunction(int code, int n, const SpectraBuffers& buffers, double d, int lines, int form,
                           std::span<double> out, std::span<double> phase)
{
    const auto fits = [](auto span, std::int64_t size) { return static_cast<std::int64_t>(span.size()) >= size; };
    if (!IsFftLength(n) || lines < 1 || lines > n / 2 || code < kFirstSpectraFunction ||
        code > kLastSpectraFunction || form < kOutputPower || form > kOutputImaginaryPart || !(d > 0.0))
        return 1;
    if (!fits(buffers.coefficients, n) || !fits(buffers.transformA, n + 2) || !fits(buffers.transformB, n + 2) ||
        (SpectraFunctionReadsA(code) && !fits(buffers.samplesA, n)) ||
        (SpectraFunctionReadsB(code) && !fits(buffers.samplesB, n)) || (!out.empty() && !fits(out, lines)) ||
        (form == kOutputPhase && !fits(phase, lines)))
        return 1;

    if (form == kOutputPhase)
        phase[0] = 0.0;
    if (code <= 4) {
        const bool useA = code == 1 || code == 3;
        const std::span<double> t = useA ? buffers.transformA : buffers.transformB;
        Transform(useA ? buffers.samplesA : buffers.samplesB, buffers.coefficients, t, n);
        if (!out.empty())
            out[0] = t[0] * t[0] * 0.5 / d;
        for (int k = 1; k < lines; ++k) {
            const Complex x = Line(t, k);
            if (code <= 2) {
                Emit(x, form, d, out, phase, k);
                continue;
            }
            // The autospectrum is real: no phase, no imaginary part, a real part not divided by d.
            const double p = std::norm(x);
            if (form == kOutputPhase)
                phase[k] = 0.0;
            else if (!out.empty())
                out[k] = form == kOutputPower ? p / d : form == kOutputRealPart ? p : 0.0;
        }
        return 0;
    }

    const bool firstIsA = code == 5 || code == 7 || code == 8;
    const std::span<double> f = firstIsA ? buffers.transformA : buffers.transformB;
    const std::span<double> s = firstIsA ? buffers.transformB : buffers.transformA;
    Transform(firstIsA ? buffers.samplesA : buffers.samplesB, buffers.coefficients, f, n);
    Transform(firstIsA ? buffers.samplesB : buffers.samplesA, buffers.coefficients, s, n);

    const bool cross = code <= 6;
    const bool responseOverF = code == 7 || code == 10; // H = G / |F|^2, else |F|^2 / G
    const double f0 = f[0], s0 = s[0];
    if (!out.empty()) {
        const double v0 = cross ? f0 * s0 : responseOverF ? Ratio(s0, f0).real() : Ratio(f0, s0).real();
        out[0] = std::fabs(v0) * 0.5 / d;
    }
    for (int k = 1; k < lines; ++k) {
        const Complex fk = Line(f, k);
        const Complex g = std::conj(fk) * Line(s, k);
        if (cross) {
            // The cross spectrum's power form is |G| / d, its magnitude, not its square.
            if (form == kOutputPower) {
                if (!out.empty())
                    out[k] = std::abs(g) / d;
            } else {
                Emit(g, form, d, out, phase, k);
            }
            continue;
        }
        const Complex p = std::norm(fk);
        Emit(responseOverF ? Ratio(g, p) : Ratio(p, g), form, d, out, phase, k);
    }
    ReduceToForm(f, lines, form, d);
    ReduceToForm(s, lines, form, d);
    return 0;
}

} // namespace orlu
