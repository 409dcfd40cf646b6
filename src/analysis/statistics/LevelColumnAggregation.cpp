#include "analysis/statistics/LevelColumnAggregation.h"

#include "analysis/statistics/EnergyLevel.h"
#include "platform/ParallelChunks.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

// Records per thread below which a thread costs more than it saves.
constexpr std::size_t kRecordsPerChunk = std::size_t{1} << 17;

// The words of one column, read in row order: the page of the last word is kept, as
// rows of a few words lie many to a page. Every row was checked against the image
// before, so no word is checked again; each thread reads with its own copy.
class ColumnWords {
public:
    ColumnWords(const PagedFileImage& pages, const TimeHistoryColumn& column, LevelCoding coding)
        : m_Pages(pages), m_Column(column), m_Coding(coding)
    {
    }

    LevelWord At(std::size_t row)
    {
        const auto word = static_cast<std::uint32_t>(std::int64_t{m_Column.first} +
                                                     static_cast<std::int64_t>(row) * m_Column.stride +
                                                     m_Column.offset);
        if (word >> 8 != m_PageIndex || m_Page == nullptr) {
            m_PageIndex = word >> 8;
            m_Page = m_Pages.Page(m_PageIndex);
        }
        const std::uint8_t* p = m_Page + ((word & 255u) << 1);
        return DecodeLevelWord(static_cast<std::int16_t>(p[0] | (p[1] << 8)), m_Coding);
    }

private:
    const PagedFileImage& m_Pages;
    TimeHistoryColumn m_Column;
    LevelCoding m_Coding;
    std::uint32_t m_PageIndex = 0;
    const std::uint8_t* m_Page = nullptr;
};

double Db(int tenths) { return tenths / 10.0; }

// Windows [from, to): each the reduction Aggregate makes of its records, in its order of
// operations. The energy of a level w / 10.0 dB is EnergyOfTenths(w): EnergyOfLevel looks
// up the same number.
void ReduceWindows(ColumnWords words, AggregationKind kind, bool linear, const LinearScale& scale,
                   std::size_t d, std::size_t from, std::size_t to, double* values, std::uint8_t* overload)
{
    const double* energy = EnergiesOfTenths();
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
                sum += energy[head.tenths];
                for (std::size_t i = first + 1; i < first + d; ++i) {
                    const LevelWord w = words.At(i);
                    sum += energy[w.tenths];
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
    const ColumnWords words(image.Image(), column, coding);
    if (!linear && d == 1) {
        values.resize(n);
        overload.resize(n);
        RunInChunks(n, kRecordsPerChunk, [&](std::size_t from, std::size_t to) {
            ColumnWords chunk = words;
            for (std::size_t i = from; i < to; ++i) {
                const LevelWord w = chunk.At(i);
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
