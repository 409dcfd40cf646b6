#include "analysis/spectra/Tonality.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

struct LineRange {
    int first = 0, last = 0;
};

double CriticalBandwidth(double fc) { return fc <= 500.0 ? 100.0 : 0.2 * fc; }

// The lines of fc -+ halfWidths critical bands, kept within 1 .. L-1.
LineRange BandAround(double fc, double halfWidths, double df, double start, int lines)
{
    fc = std::max(fc, 50.0);
    const double half = halfWidths * CriticalBandwidth(fc);
    LineRange r{static_cast<int>(std::trunc((fc - half - start) / df)),
                static_cast<int>(std::trunc((fc + half - start) / df))};
    r.first = std::max(r.first, 1);
    r.last = std::min(r.last, lines - 1);
    return r;
}

double EnergySumLevel(double sum) { return 10.0 * std::log10(sum); }

// Phase 1: the rising edge, peak and falling edge of every tone in first .. end-1.
void FindTones(std::span<const double> v, int first, int end, double s, std::span<std::uint8_t> marks,
               std::vector<ToneRecord>& tones)
{
    for (int m = first; m < end - 5;) {
        if (!(v[m + 1] - v[m] < s && v[m + 2] - v[m + 1] >= s && v[m + 3] >= v[m + 2])) {
            ++m;
            continue;
        }
        const int b = m + 2;
        int p = m + 3;
        while (p < end - 1 && v[p + 1] >= v[p])
            ++p;
        if (p > end - 4)
            return;
        // The descent looks two lines ahead; it ends where those lines would pass the last.
        int e = b;
        for (int q = p + 1; q + 2 < end && v[q] - v[q + 1] >= 0; ++q) {
            if (v[q] - v[q + 1] >= s && v[q + 1] - v[q + 2] < s)
                e = q;
        }
        if (e == b) {
            ++m;
            continue;
        }
        if (v[p] - v[b - 1] < 6.0 || v[p] - v[e + 1] < 6.0) {
            std::fill(marks.begin() + b, marks.begin() + e + 1, kToneOther);
            m = e + 2;
            continue;
        }
        ToneRecord t;
        t.first = b;
        t.last = e;
        t.peak = p;
        t.peakLevel = v[p];
        t.first3 = t.first6 = -1;
        for (int q = b; q <= e; ++q) {
            const double d = v[p] - v[q];
            if (d < 6.0) {
                if (t.first6 < 0)
                    t.first6 = q;
                t.last6 = q;
            }
            if (d < 3.0) {
                marks[q] = kToneCore;
                if (t.first3 < 0)
                    t.first3 = q;
                t.last3 = q;
            } else {
                marks[q] = kToneOther;
            }
        }
        tones.push_back(t);
        m = e + 2;
    }
}

// Phase 2: keeps the tones narrower than the limit, with their tone levels.
void KeepNarrowTones(std::span<const double> v, double df, double start, double limit,
                     std::span<std::uint8_t> marks, std::vector<ToneRecord>& tones)
{
    std::erase_if(tones, [&](ToneRecord& t) {
        const double fc = std::max(start + t.peak * df, 50.0);
        t.criticalBandwidth = CriticalBandwidth(fc);
        t.bandwidth3 = (t.last3 - t.first3 + 1) * df;
        t.bandwidthPercent = t.bandwidth3 * 100.0 / t.criticalBandwidth;
        if (t.bandwidthPercent >= limit) {
            std::fill(marks.begin() + t.first6, marks.begin() + t.last6 + 1, kToneOther);
            return true;
        }
        if (t.last6 > t.first6) {
            double sum = 0.0;
            for (int k = t.first6; k <= t.last6; ++k)
                sum += std::pow(10.0, v[k] / 10.0);
            t.lpt = EnergySumLevel(sum) - 1.8;
        } else {
            t.lpt = v[t.first6];
        }
        return false;
    });
}

} // namespace

double TonalityPenalty(double deltaL)
{
    return deltaL < 4.0 ? 0.0 : deltaL <= 10.0 ? deltaL - 4.0 : 6.0;
}

int AnalyseTonality(std::span<const double> v, double df, double start, const TonalitySettings& settings,
                    const ToneSearchRange& range, std::span<std::uint8_t> marks, std::vector<ToneRecord>& tones,
                    TonalityResult& result)
{
    result = {};
    tones.clear();
    const int lines = static_cast<int>(std::min(v.size(), marks.size()));
    std::fill(marks.begin(), marks.end(), kToneNone);
    if (lines < 6 || !(df > 0.0))
        return 0;
    int first = range.block ? std::clamp(range.c1, 0, lines - 1) : 0;
    const int end = range.block ? std::clamp(range.c2, first, lines - 1) + 1 : lines;
    first = std::max(first, 1);

    FindTones(v, first, end, settings.seekCriterion, marks, tones);
    KeepNarrowTones(v, df, start, settings.maxBandwidth, marks, tones);
    if (tones.empty())
        return 0;

    int previousLast = -1;
    for (int c = tones.front().peak; c <= tones.back().peak; ++c) {
        const LineRange band = BandAround(start + c * df, 0.5, df, start, lines);
        const bool core = std::any_of(marks.begin() + band.first, marks.begin() + band.last + 1,
                                      [](std::uint8_t m) { return m == kToneCore; });
        const bool cutsLow = marks[band.first] == kToneCore && marks[band.first - 1] == kToneCore;
        const bool cutsHigh = band.last + 1 < lines && marks[band.last] == kToneCore && marks[band.last + 1] == kToneCore;
        if (!core || cutsLow || cutsHigh)
            continue;
        std::vector<int> group;
        for (int i = 0; i < static_cast<int>(tones.size()) && tones[i].last6 <= band.last; ++i) {
            if (tones[i].first6 >= band.first)
                group.push_back(i);
        }
        if (group.empty() || group.back() == previousLast)
            continue;
        previousLast = group.back();

        double lpt = tones[group.front()].lpt;
        int centre = tones[group.front()].peak;
        int strongest = group.front();
        if (group.size() > 1) {
            double sum = 0.0;
            for (int i : group) {
                sum += std::pow(10.0, tones[i].lpt / 10.0);
                if (tones[i].lpt > tones[strongest].lpt)
                    strongest = i;
            }
            lpt = EnergySumLevel(sum);
            int low = -1, high = -1;
            for (int i : group) {
                if (tones[i].lpt >= tones[strongest].lpt - 10.0) {
                    low = low < 0 ? tones[i].peak : low;
                    high = tones[i].peak;
                }
            }
            centre = (low + high) / 2;
        }
        const double fc = std::max(start + centre * df, 50.0);
        const LineRange critical = BandAround(fc, 0.5, df, start, lines);
        LineRange reg = BandAround(fc, settings.regressionRange / 2.0, df, start, lines);
        while (reg.first < reg.last && marks[reg.first] != kToneNone)
            ++reg.first;
        while (reg.last > reg.first && marks[reg.last] != kToneNone)
            --reg.last;

        double n = 0, sx = 0, sy = 0, sxy = 0, sxx = 0;
        for (int k = reg.first; k <= reg.last; ++k) {
            if (marks[k] != kToneNone)
                continue;
            const double x = k - reg.first;
            n += 1;
            sx += x;
            sy += v[k];
            sxy += x * v[k];
            sxx += x * x;
        }
        const double denominator = n * sxx - sx * sx;
        // Fewer than two noise lines define no regression line: the band gives no audibility.
        if (n < 2 || denominator == 0.0)
            continue;
        const double slope = (n * sxy - sx * sy) / denominator;
        const double intercept = (sxx * sy - sxy * sx) / denominator;
        double noise = 0.0;
        for (int k = reg.first; k <= reg.last; ++k)
            noise += std::pow(10.0, (slope * (k - reg.first) + intercept) / 10.0);
        const double lpn = EnergySumLevel(noise / 1.5);
        const double deltaL = std::log10(1.0 + std::pow(fc / 502.0, 2.5)) + lpt - lpn + 2.0;
        if (!(deltaL > result.deltaL))
            continue;
        result.centre = c;
        result.bandFirst = critical.first;
        result.bandLast = critical.last;
        result.regressionFirst = reg.first;
        result.regressionLast = reg.last;
        result.bandwidthPercent = tones[strongest].bandwidthPercent;
        result.slope = slope;
        result.intercept = intercept;
        result.lpt = lpt;
        result.lpn = lpn;
        result.deltaL = deltaL;
        result.tones = std::min(static_cast<int>(group.size()), kMaxTonesListed);
        for (int i = 0; i < result.tones; ++i) {
            result.toneLines[i] = tones[group[i]].peak;
            result.toneLevels[i] = static_cast<float>(tones[group[i]].lpt);
        }
    }
    result.kt = TonalityPenalty(result.deltaL);
    return static_cast<int>(tones.size());
}

} // namespace orlu
