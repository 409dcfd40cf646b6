#include "analysis/spectra/FftPicture.h"

#include "analysis/spectra/MultiElementPicture.h"

#include <algorithm>
#include <cmath>

namespace orlu {

void FillFftPicture(MultiElementGrid& grid, const FftLines& lines, std::uint32_t records, double rangeBottom,
                    double rangeTop, const FftRecordReader& read)
{
    grid.Values.clear();
    if (lines.lines < 2 || lines.resolution <= 0.0)
        return;
    const double lowest = lines.Frequency(0);
    const double highest = lines.Frequency(lines.lines - 1);
    // A range that is not set, or lies outside the spectrum, shows the whole spectrum.
    double y1 = std::clamp(grid.BeginFrequency, lowest, highest);
    double y2 = std::clamp(grid.EndFrequency, lowest, highest);
    if (!(y2 > y1)) {
        y1 = lowest;
        y2 = highest;
    }
    const auto columns = static_cast<std::size_t>(std::clamp(grid.Columns, 2, kMultiElementMaxCells));
    FillMultiElementGrid(grid, columns, records, [&](std::uint32_t record, std::span<double> out) {
        std::optional<std::vector<double>> levels = read(record);
        if (!levels || levels->size() < static_cast<std::size_t>(lines.lines))
            return false;
        std::vector<double>& v = *levels;
        v.resize(static_cast<std::size_t>(lines.lines));
        FftLines plain = lines;
        plain.totalPosition = 0;
        AggregateSpectrumLines(plain, lines.quantity, 1, v);
        const int last = lines.lines - 1;
        for (std::size_t m = 0; m < out.size(); ++m) {
            const double y = y1 + static_cast<double>(m) * (y2 - y1) / static_cast<double>(out.size() - 1);
            const double position = (y - lines.start) / lines.resolution;
            const int w = std::clamp(static_cast<int>(position), 0, last);
            const double weight = position - w;
            const double a = v[static_cast<std::size_t>(w)];
            const double b = w < last ? v[static_cast<std::size_t>(w) + 1] : a;
            out[m] = std::isfinite(a) && std::isfinite(b) ? a + (b - a) * weight : 0.0;
        }
        return true;
    });
    grid.FirstFrequency = grid.FirstShownFrequency = y1;
    grid.LastFrequency = grid.LastShownFrequency = y2;
    grid.LevelBottom = rangeBottom;
    grid.LevelTop = rangeTop + 10.0;
}

} // namespace orlu
