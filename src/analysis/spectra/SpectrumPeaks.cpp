#include "analysis/spectra/SpectrumPeaks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orlu {
namespace {

constexpr int kSpare = 4; // slots before group 0 and after the last group

// The values aggregated as the quantity into groups, with kSpare slots either side.
std::vector<double> GroupCopy(const FftLines& lines, int quantity, int degree, std::span<const double> values,
                              int groups)
{
    std::vector<double> work(values.begin(), values.end());
    AggregateSpectrumLines(lines, quantity, degree, work);
    std::vector<double> padded(groups + 2 * kSpare, 0.0);
    std::copy_n(work.begin(), groups, padded.begin() + kSpare);
    return padded;
}

// Mirrors the ends: slot 1 - m takes slot 1 + m and slot G - 1 + m slot G - 1 - m.
void Mirror(std::vector<double>& padded, int groups)
{
    for (int m = 1; m <= kSpare; ++m) {
        padded[kSpare + 1 - m] = padded[kSpare + 1 + m];
        padded[kSpare + groups - 1 + m] = padded[kSpare + groups - 1 - m];
    }
}

} // namespace

int FindSpectrumPeaks(const FftLines& lines, int degree, std::span<const double> values, const PeakSearch& search,
                      std::span<std::uint8_t> marks)
{
    const int groups = std::min(lines.Groups(degree), static_cast<int>(marks.size()));
    std::fill(marks.begin(), marks.end(), std::uint8_t{0});
    int b = search.block ? FftLines::GroupOf(search.c1, degree) : 0;
    int e = search.block ? FftLines::GroupOf(search.c2, degree) + 1 : groups;
    b = std::max(b, 1);
    e = std::min(e, groups);
    const int wanted = std::min(search.count, kMaxSpectrumPeaks);
    // Two groups at least, so that the mirrored neighbours stay inside the copies.
    if (wanted <= 0 || groups < 2 || b >= e || static_cast<int>(values.size()) < lines.lines)
        return 0;

    const bool db = lines.quantity == kBandDb;
    std::vector<double> linear = GroupCopy(lines, db ? kBandLinear : lines.quantity, degree, values, groups);
    std::vector<double> levels = GroupCopy(lines, kBandDb, degree, values, groups);
    const std::vector<double>& shown = db ? levels : linear;
    const auto at = [](const std::vector<double>& v, int group) { return v[kSpare + group]; };

    double top = at(shown, b);
    int topGroup = b;
    for (int k = b + 1; k < e; ++k) {
        if (at(shown, k) > top) {
            top = at(shown, k);
            topGroup = k;
        }
    }
    Mirror(linear, groups);
    Mirror(levels, groups);

    const double microphone = lines.channel.inputKind == 2 ? 400.0 : 1.0;
    const auto sumOfSquares = [&](int from) {
        double s = 0.0;
        for (int k = from; k < from + 3; ++k)
            s += at(linear, k) * at(linear, k);
        return s;
    };
    std::vector<std::uint8_t> candidate(groups, 0);
    for (int k = b; k < e; ++k) {
        const double x = at(linear, k);
        if (x < at(linear, k - 1) || x < at(linear, k + 1))
            continue;
        const double sc = sumOfSquares(k - 1), sl = sumOfSquares(k - 4), sr = sumOfSquares(k + 2);
        if (db) {
            const auto level = [&](double s) { return 20.0 * (0.5 * std::log10(s / microphone) + 6.0); };
            const double c = level(sc), threshold = search.neighbourDiff * 0.1;
            candidate[k] = c - level(sl) > threshold || c - level(sr) > threshold;
        } else {
            const double c = std::sqrt(sc), threshold = search.neighbourDiff * 0.01;
            candidate[k] = c > 0.0 && ((c - std::sqrt(sl)) / c > threshold || (c - std::sqrt(sr)) / c > threshold);
        }
    }
    // A plateau keeps its first group only.
    for (int k = 2; k < groups; ++k) {
        if (at(shown, k) == at(shown, k - 1))
            candidate[k] = 0;
    }

    std::vector<int> found;
    while (static_cast<int>(found.size()) < wanted) {
        int best = -1;
        for (int k = 1; k < groups; ++k) {
            if (candidate[k] && (best < 0 || at(shown, k) > at(shown, best)))
                best = k;
        }
        if (best < 0)
            break;
        found.push_back(best);
        candidate[best] = 0;
        for (int k = best + 1; k < groups && candidate[k] && at(shown, k) == at(shown, best); ++k)
            candidate[k] = 0;
    }
    // The range's highest group stands for a peak when no candidate reaches it (an edge at the end).
    if (!found.empty() && at(shown, found.front()) < top)
        found.back() = topGroup;
    for (int k : found)
        marks[k] = 1;
    return static_cast<int>(std::count(marks.begin(), marks.end(), std::uint8_t{1}));
}

} // namespace orlu
