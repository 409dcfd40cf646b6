#include "analysis/statistics/LevelColumnAggregation.h"

#include "analysis/statistics/EnergyLevel.h"
#include "platform/ParallelChunks.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

// Records per thread below which a thread costs more than it saves.
constexpr std::size_t kRecordsPerChunk = std::size_t{1} << 17;

struct ColumnWords {
    const PagedFileImage& pages;
    TimeHistoryColumn column;
    LevelCoding coding;

    LevelWord At(std::size_t row) const
    {
        const std::int64_t word = std::int64_t{column.first} + static_cast<std::int64_t>(row) * column.stride +
                                  column.offset;
        return DecodeLevelWord(static_cast<std::int16_t>(ImageGetWord(pages, static_cast<std::uint32_t>(word))),
                               coding);
    }
};

double Db(int tenths) { return tenths / 10.0; }

// Windows [from, to): each the reduction Aggregate makes of its records, in its order of
// operations. The energy of a level w / 10.0 dB is EnergyOfTenths(w): EnergyOfLevel looks
// up the same number.
void ReduceWindows(const ColumnWords& words, AggregationKind kind, bool linear, const LinearScale& scale,
                   std::size_t d, std::size_t from, std::size_t to, double* values, std::uint8_t* overload)
{
    for (std::size_t j = from; j < to; ++j) {
        const std::size_t first = j * d;
        const LevelWord head = words.At(first);
        bool over = head.overload;
        double result = 0.0;
        if (kind == AggregationKind::EnergyMean) {
            double sum = 0.0;
            if (linear) {
                const double x = scale.Linear(Db(head.tenths));
                sum += x * x;
                for (std::size_t i = first + 1; i < first + d; ++i) {
                    const LevelWord w = words.At(i);
                    const double y = scale.Linear(Db(w.tenths));
                    sum += y * y;
                    over = over || w.overload;
                }
                result = std::sqrt(sum / static_cast<double>(d));
            } else {
                sum += EnergyOfTenths(head.tenths);
                for (std::size_t i = first + 1; i < first + d; ++i) {
                    const LevelWord w = words.At(i);
                    sum += EnergyOfTenths(w.tenths);
                    over = over || w.overload;
                }
                result = LevelOfEnergy(sum / static_cast<double>(d));
            }
        } else {
            // Tenths order as their levels do.
            const bool maximum = kind == AggregationKind::Maximum;
            int best = head.tenths;
            for (std::size_t i = first + 1; i < first + d; ++i) {
                const LevelWord w = words.At(i);
                best = maximum ? std::max(best, w.tenths) : std::min(best, w.tenths);
                over = over || w.overload;
            }
            result = linear ? scale.Linear(Db(best)) : Db(best);
        }
        values[j] = result;
        overload[j] = over ? 1 : 0;
    }
}

} // namespace

bool ReducesLevelColumn(AggregationKind kind)
{
    return kind == AggregationKind::EnergyMean || kind == AggregationKind::Maximum ||
           kind == AggregationKind::Minimum;
}

void AggregateLevelColumn(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                          std::size_t records, AggregationKind kind, bool linear, const LinearScale& scale, int degree,
                          std::vector<double>& values, std::vector<std::uint8_t>& overload)
{
    // Every row is checked here, so the words are read without a check each.
    const std::size_t n = RowsInImage(image, column, 0, records, false, 2);
    const auto d = static_cast<std::size_t>(std::max(degree, 1));
    const ColumnWords words{image.Image(), column, coding};
    if (!linear && d == 1) {
        values.resize(n);
        overload.resize(n);
        RunInChunks(n, kRecordsPerChunk, [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i) {
                const LevelWord w = words.At(i);
                values[i] = Db(w.tenths);
                overload[i] = w.overload ? 1 : 0;
            }
        });
        return;
    }
    const std::size_t windows = n / d;
    values.resize(windows);
    overload.resize(windows);
    RunInChunks(windows, std::max<std::size_t>(1, kRecordsPerChunk / d), [&](std::size_t from, std::size_t to) {
        ReduceWindows(words, kind, linear, scale, d, from, to, values.data(), overload.data());
    });
}

} // namespace orlu
