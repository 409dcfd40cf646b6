#include "document/RtBandRecords.h"

#include <algorithm>
#include <cstring>

namespace orlu {

namespace {
constexpr std::size_t kStatusBytes = 5;
constexpr std::size_t kResultsOffset = 16;
constexpr std::size_t kResultsBytes = 11 * 4;
} // namespace

bool RtBandRecordsEmpty(std::span<const std::uint8_t> records)
{
    for (std::size_t r = 0; r + kRtBandRecordSize <= records.size(); r += kRtBandRecordSize) {
        const std::uint8_t* status = records.data() + r;
        if (std::any_of(status, status + kStatusBytes, [](std::uint8_t s) { return s > 1; }))
            return false;
    }
    return true;
}

bool RtBandRecordsDiffer(std::span<const std::uint8_t> current, std::span<const std::uint8_t> saved)
{
    if (current.size() != saved.size())
        return true;
    for (std::size_t r = 0; r + kRtBandRecordSize <= current.size(); r += kRtBandRecordSize) {
        const std::uint8_t* a = current.data() + r;
        const std::uint8_t* b = saved.data() + r;
        if (std::memcmp(a, b, kStatusBytes) != 0 ||
            std::memcmp(a + kResultsOffset, b + kResultsOffset, kResultsBytes) != 0)
            return true;
    }
    return false;
}

} // namespace orlu
