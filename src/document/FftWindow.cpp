#include "document/FftWindow.h"

#include <cmath>
#include <iterator>
#include <new>

namespace orlu {
namespace {

constexpr double kTwoPi = 6.28318530717959;

using WindowFunction = double (*)(int i, int n);

double WindowRectangle(int, int) { return 1.0; }
double WindowUser(int, int) { return 1.0; }
double WindowHanning(int i, int n) { return 1.0 - std::cos(kTwoPi * i / n); }
double WindowFlatTop(int i, int n)
{
    const double x = kTwoPi * i / n;
    return 1.0 - 1.93 * std::cos(x) + 1.29 * std::cos(2 * x) - 0.388 * std::cos(3 * x) + 0.0322 * std::cos(4 * x);
}
double WindowKaiserBessel(int i, int n)
{
    const double x = kTwoPi * i / n;
    return 1.0 - 1.24 * std::cos(x) + 0.244 * std::cos(2 * x) - 0.00305 * std::cos(3 * x);
}
double WindowParzen(int i, int n) { return 1.0 - std::fabs((i - n / 2.0) * (2.0 / n)); }
double WindowWelch(int i, int n)
{
    const double t = (i - n / 2.0) * (2.0 / n);
    return 1.0 - t * t;
}

// Indexed by FftWindowCode.
constexpr WindowFunction kFftWindowTable[] = {
    WindowRectangle, WindowUser,   WindowHanning, WindowRectangle, WindowFlatTop,
    WindowKaiserBessel, WindowParzen, WindowWelch, WindowRectangle,
};

} // namespace

double FftWindowValue(std::uint8_t code, int i, int n)
{
    return code < std::size(kFftWindowTable) ? kFftWindowTable[code](i, n) : WindowRectangle(i, n);
}

double FftWindowPower(std::uint8_t code, double* coefficients, int n, double* meanPower)
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const double w = FftWindowValue(code, i, n);
        if (coefficients)
            coefficients[i] = w;
        sum += w * w;
    }
    if (meanPower)
        *meanPower = n > 0 ? sum / n : 0.0;
    return n * 0.5 * n;
}

std::uint32_t FftBlockLength(std::uint32_t lines)
{
    std::uint32_t p = 1;
    while (p < lines && p < 0x40000000u)
        p <<= 1;
    return 2 * p;
}

int AllocFftBuffers(std::uint32_t n, FftBuffers& buffers)
{
    try {
        buffers.window.assign(std::size_t{n} + 1, 0.0);
        buffers.transformA.assign(std::size_t{n} + 2, 0.0);
        buffers.transformB.assign(std::size_t{n} + 2, 0.0);
        buffers.samples = n;
        return 0;
    } catch (const std::bad_alloc&) {
        buffers = {};
        return 1;
    }
}

} // namespace orlu
