#include "document/buffer/ImpulseMarks.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

constexpr int kDifferenceTenths = 60; // 6.0 dB
constexpr int kDropTenths = 100;      // a drop lies more than 10.0 dB below the peak

} // namespace

int ImpulseWindow(double stepSeconds)
{
    // A step of 0 (or a damaged negative one) would divide by zero: no window, no peaks.
    if (!(stepSeconds > 0.0))
        return 0;
    const double records = std::trunc(1.0 / stepSeconds);
    return records >= 1e9 ? 1000000000 : static_cast<int>(records);
}

void MarkLevelDifference(std::span<const std::int16_t> a, std::span<const std::int16_t> b,
                         std::span<const std::uint8_t> overloadA, std::span<std::uint8_t> marks)
{
    const std::size_t n = std::min({a.size(), b.size(), overloadA.size(), marks.size()});
    for (std::size_t j = 0; j < n; ++j)
        if (a[j] - b[j] >= kDifferenceTenths || overloadA[j] != 0)
            marks[j] |= kImpulseLevelDifference;
}

void MarkPeaks(std::span<const std::int16_t> c, int window, std::span<std::uint8_t> marks)
{
    const std::int64_t n = static_cast<std::int64_t>(std::min(c.size(), marks.size()));
    if (n == 0 || window <= 0)
        return;
    auto L = [&](std::int64_t k) { return static_cast<int>(c[static_cast<std::size_t>(k)]); };
    int peak = L(0);
    std::int64_t p = 0;
    std::int64_t i = 1;
    while (i < n) {
        if (L(i) >= peak) {
            peak = L(i);
            p = i++;
            continue;
        }
        // Look right of the peak for a drop, until the peak is topped or a second has passed.
        std::int64_t right = -1;
        std::int64_t k = i + 1;
        bool topped = false;
        for (; k < n; ++k) {
            if (L(k) >= peak) {
                peak = L(k);
                p = i = k;
                topped = true;
                break;
            }
            if (peak - L(k) > kDropTenths) {
                right = k - 1;
                break;
            }
            if (k - p >= window)
                break;
        }
        if (topped) {
            ++i;
            continue;
        }
        if (right >= 0) {
            for (std::int64_t m = p - 1; m >= 0 && right - m < window; --m) {
                if (peak - L(m) > kDropTenths) {
                    for (std::int64_t r = m + 1; r <= right; ++r)
                        marks[static_cast<std::size_t>(r)] |= kImpulsePeak;
                    break;
                }
            }
        }
        // Follow the levels down from where the look stopped; the next rise is the next peak.
        std::int64_t j = k + 1;
        while (j < n && L(j) <= L(j - 1))
            ++j;
        // Levels that never rise again hold no further peak: looking on from the next record
        // would only find this peak again, each time one record further right, and mark the
        // records after its right drop as part of it.
        if (j >= n)
            break;
        peak = L(j);
        p = j;
        i = j + 1;
    }
}

} // namespace orlu
