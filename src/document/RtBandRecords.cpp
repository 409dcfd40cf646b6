#include "document/RtBandRecords.h"

#include "document/image/PagePool.h"

#include <algorithm>
#include <cstring>

namespace orlu {

namespace {
constexpr std::size_t kStatusBytes = 5;
constexpr std::size_t kResultsOffset = rtrec::kReferenceFirst;
constexpr std::size_t kResultsBytes = 11 * 4;
constexpr std::size_t kTimeStepOffset = rtrec::kTimeStep;

} // namespace

void ClearRtBandRecords(std::span<std::uint8_t> records, double timeStep)
{
    std::fill(records.begin(), records.end(), std::uint8_t{0});
    for (std::size_t r = 0; r + kRtBandRecordSize <= records.size(); r += kRtBandRecordSize)
        std::memcpy(records.data() + r + kTimeStepOffset, &timeStep, sizeof timeStep);
}

RtAlloc AllocRtBandRecords(PagePool& pool, RtBandSet& set, std::uint32_t rtChannels, std::uint32_t bands,
                           double timeStep, std::uint8_t computedFlag)
{
    const std::uint64_t bytes = std::uint64_t{rtChannels} * bands * kRtBandRecordSize;
    if (bytes > UINT32_MAX)
        return RtAlloc::OutOfMemory;
    const auto size = static_cast<std::uint32_t>(bytes);
    if (set.Current && set.CurrentBytes == size) {
        set.ComputedFlag = computedFlag;
        return RtAlloc::Made;
    }
    std::uint8_t* current = pool.Alloc(size);
    if (!current && size != 0)
        return RtAlloc::OutOfMemory;
    RtAlloc result = RtAlloc::Made;
    if (set.BlockInFile && set.Saved && set.SavedBytes == size) {
        std::memcpy(current, set.Saved, size);
    } else {
        if (set.BlockInFile && set.Saved)
            result = RtAlloc::BlockMismatch;
        ClearRtBandRecords({current, size}, timeStep);
        std::uint8_t* saved = pool.Alloc(size);
        if (!saved && size != 0)
            return RtAlloc::OutOfMemory;
        set.Saved = saved;
        set.SavedBytes = size;
        set.BlockInFile = false;
    }
    set.Current = current;
    set.CurrentBytes = size;
    set.ComputedFlag = computedFlag;
    return result;
}

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
