#pragma once
// The record numbers of the plotted points of a time history: a plotted
// point p stands for records p x perColumn onwards, and its record number
// counts the records lost in breaks and removed by editing.

#include <algorithm>
#include <cstdint>
#include <span>

namespace orlu {

struct TimeHistoryPoints {
    std::span<const std::uint32_t> records;
    int perColumn = 1;
    int first = 0; ///< first shown point
    int last = 0;  ///< last shown point

    TimeHistoryPoints(std::span<const std::uint32_t> recordNumbers, int pointsPerColumn, int firstShown, int visible)
        : records(recordNumbers), perColumn(std::max(1, pointsPerColumn)), first(firstShown),
          last(firstShown + std::max(1, visible) - 1)
    {
    }

    /// Record number of plotted point p (counted on when the list stops short).
    std::uint32_t Record(int p) const
    {
        const auto i = static_cast<std::size_t>(std::max(0, p)) * static_cast<std::size_t>(perColumn);
        if (i < records.size())
            return records[i];
        const std::uint32_t tail = records.empty() ? 0 : records.back();
        const std::size_t base = records.empty() ? 0 : records.size() - 1;
        return static_cast<std::uint32_t>(records.empty() ? i + 1 : tail + (i - base));
    }

    /// The first point from `from` on (up to the last shown) whose record is at or after `record`.
    int FirstAtOrAfter(int from, std::uint32_t record) const
    {
        int p = std::max(from, first);
        while (p < last && Record(p) < record)
            ++p;
        return p;
    }
};

} // namespace orlu
