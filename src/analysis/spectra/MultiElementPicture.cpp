#include "analysis/spectra/MultiElementPicture.h"

#include "document/MissingValue.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orlu {
namespace {

// The two records last read: neighbouring rows share them.
class RecordCache {
public:
    RecordCache(std::size_t rowLength, const SpectrumRowReader& read) : m_Read(read)
    {
        for (Slot& s : m_Slots)
            s.values.assign(rowLength, kMissingValue);
    }

    // The record's values; the slot returned last is never the one replaced, so the two
    // records of a row between them are both held.
    std::span<const double> Get(std::uint32_t record)
    {
        for (int k = 0; k < 2; ++k)
            if (m_Slots[k].record == record) {
                m_Last = k;
                return m_Slots[k].values;
            }
        m_Last = 1 - m_Last;
        Slot& s = m_Slots[m_Last];
        s.record = record;
        std::fill(s.values.begin(), s.values.end(), kMissingValue);
        if (!m_Read(record, s.values))
            std::fill(s.values.begin(), s.values.end(), kMissingValue);
        return s.values;
    }

private:
    struct Slot {
        std::int64_t record = -1;
        std::vector<double> values;
    };
    const SpectrumRowReader& m_Read;
    Slot m_Slots[2];
    int m_Last = 1;
};

} // namespace

void FillMultiElementGrid(MultiElementGrid& grid, std::size_t rowLength, std::uint32_t recordCount,
                          const SpectrumRowReader& read)
{
    grid.Columns = static_cast<std::int32_t>(rowLength);
    grid.Values.clear();
    if (recordCount == 0 || rowLength == 0 || grid.Rows < 1)
        return;
    const double step = grid.TimeStep > 0 ? grid.TimeStep : 1.0;
    const std::uint32_t first = std::clamp<std::uint32_t>(grid.FirstRecord, 1, recordCount);
    const std::uint32_t last = std::clamp<std::uint32_t>(grid.LastRecord, first, recordCount);
    const double t0 = (first - 1) * step;
    const double t1 = (last - 1) * step;
    grid.FirstTime = t0;
    grid.LastTime = t1;
    const auto rows = static_cast<std::size_t>(grid.Rows);
    grid.Values.assign(rows * rowLength, static_cast<float>(kMissingValue));

    RecordCache cache(rowLength, read);
    bool seeded = false;
    double low = 0.0, high = 0.0;
    for (std::size_t k = 0; k < rows; ++k) {
        // One row alone stands at the first record.
        const double t = rows < 2 ? t0 : t0 + static_cast<double>(k) * (t1 - t0) / static_cast<double>(rows - 1);
        auto i = static_cast<std::uint32_t>(t / step + 0.0001);
        double fraction = 0.0;
        if (std::fabs(i * step - t) < 0.001) {
            fraction = 0.0;
        } else if (std::fabs((i + 1) * step - t) < 0.001) {
            ++i;
        } else {
            fraction = t / step - i;
        }
        i = std::min(i, recordCount - 1);
        const std::span<const double> a = cache.Get(i);
        const bool between = fraction > 0.0 && i + 1 < recordCount;
        const std::span<const double> b = between ? cache.Get(i + 1) : a;
        for (std::size_t c = 0; c < rowLength; ++c) {
            if (a[c] == kMissingValue || b[c] == kMissingValue)
                continue;
            const double v = between ? a[c] + (b[c] - a[c]) * fraction : a[c];
            grid.Values[k * rowLength + c] = static_cast<float>(v);
            if (!seeded) {
                low = high = v;
                seeded = true;
            }
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    grid.LevelRangeLow = low;
    grid.LevelRangeHigh = high;
}

} // namespace orlu
