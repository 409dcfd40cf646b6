#pragma once
// How far a long operation has come, and whether the user asked it to stop:
// written by the thread doing the work, read and cancelled by the one showing
// it (the progress dialog polls it on a timer). Every field is an atomic, so
// neither side ever waits for the other.

#include <atomic>
#include <cstdint>
#include <exception>

namespace orlu {

/// Thrown by ProgressState::Checkpoint when a stop was asked: it unwinds the
/// deepest loop of a long operation to the code that started it.
class OperationCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "operation cancelled"; }
};

class ProgressState {
public:
    /// A new run over `total` units of work (bytes, records, ...), none done yet.
    void Start(std::uint64_t total)
    {
        m_Done.store(0, std::memory_order_relaxed);
        m_Total.store(total, std::memory_order_relaxed);
    }
    /// Records the units done so far; a smaller figure than the last is ignored,
    /// so the progress shown never goes back.
    void Advance(std::uint64_t done)
    {
        if (done > m_Done.load(std::memory_order_relaxed))
            m_Done.store(done, std::memory_order_relaxed);
    }
    /// Advance, then OperationCancelled when a stop was asked.
    void Checkpoint(std::uint64_t done)
    {
        Advance(done);
        if (CancelRequested())
            throw OperationCancelled();
    }

    std::uint64_t Done() const { return m_Done.load(std::memory_order_relaxed); }
    std::uint64_t Total() const { return m_Total.load(std::memory_order_relaxed); }
    /// Done as a share of `scale` (0 while the total is unknown).
    int Share(int scale) const
    {
        const std::uint64_t total = Total();
        const std::uint64_t done = Done();
        return total == 0 ? 0 : static_cast<int>(static_cast<double>(done < total ? done : total) / total * scale);
    }

    void RequestCancel() { m_Cancel.store(true, std::memory_order_relaxed); }
    bool CancelRequested() const { return m_Cancel.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> m_Total{0};
    std::atomic<std::uint64_t> m_Done{0};
    std::atomic<bool> m_Cancel{false};
};

} // namespace orlu
