#pragma once
// The instrument's USB device as a byte link: a write of a whole buffer, and
// a reader on a worker thread that queues the blocks it receives so that the
// operation takes the reply byte by byte. One worker at a time; every worker
// is joined before the next starts, before Stop returns and before the
// device is closed, so none outlives the buffers it uses.

#include "link/UsbDriverBackend.h"
#include "platform/Clock.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

namespace orlu {

inline constexpr int kUsbNoDevice = -1001;
inline constexpr int kUsbNoMemory = -1004;
inline constexpr int kUsbClosed = -1008;
inline constexpr std::string_view kUsbDriverName = "ORLU 3xx FILE TRANSFER DRIVER";

class CUsbLink {
public:
    /// Waits until a block is queued or the time is up; true when one is.
    using BlockWait = std::function<bool(CUsbLink& link, Clock::Duration timeout)>;

    CUsbLink(UsbDriverBackend& driver, Clock& clock, BlockWait wait = {});
    virtual ~CUsbLink();
    CUsbLink(const CUsbLink&) = delete;
    CUsbLink& operator=(const CUsbLink&) = delete;

    /// 0, or kUsbNoDevice when no interface of the driver answers with its name.
    int Open();
    /// Stops a running worker and closes the device; kUsbClosed.
    int Close();
    bool IsOpen() const { return m_Device >= 0; }
    std::uint32_t PacketSize() const { return m_PacketSize; }

    /// Writes the bytes on a worker (after the previous worker ended).
    void StartWrite(std::span<const std::uint8_t> bytes);
    /// Starts the reader of one reply: it ends on a short block; the driver's
    /// time-out is raised tenfold meanwhile.
    void StartRead();
    /// Starts a reader without end (driver time-out 0), for pushed output.
    void StartContinuousRead();
    /// Ends a running worker, restores the driver's time-out, drops every
    /// byte not taken. Returns at once when no worker runs.
    void Stop();
    /// Waits until the running worker has ended.
    void WaitIdle();
    bool IsBusy() const;

    bool HasData() const;
    /// The next received byte; false when none is queued.
    bool GetByte(std::uint8_t& byte);
    /// Takes the bytes, each within `perByte` of the previous one; false
    /// (the device reset) when one does not come in time.
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got, Clock::Duration perByte);
    /// Waits on the queue until a block comes or the time is up.
    bool WaitForBlock(Clock::Duration timeout);
    /// Waits until a block is queued or no worker runs any more (or the
    /// limit is up); true when a block is queued.
    bool WaitForBlockOrIdle(Clock::Duration limit);

    /// Close, then Open; Close again when the device does not reopen.
    void Reset();

    /// Bytes of the last write and of the last reader.
    std::size_t BytesWritten() const { return m_BytesWritten.load(); }
    std::size_t BytesRead() const { return m_BytesRead.load(); }

protected:
    /// Called by every reader when it ends, with the bytes it read.
    virtual void OnReadDone(std::size_t /*total*/) {}

private:
    enum class Operation { Write, BlockRead, ContinuousRead };
    void Start(Operation operation);
    void Join();
    void RaiseTimeout(std::optional<std::uint64_t> value);
    void WriteWorker();
    void ReadWorker(bool continuous);
    void Push(std::span<const std::uint8_t> bytes);
    /// Marks the worker ended and wakes every waiter on the queue.
    void EndWorker();

    UsbDriverBackend& m_Driver;
    Clock& m_Clock;
    BlockWait m_Wait;
    UsbDriverBackend::Handle m_Device = -1;
    std::uint32_t m_PacketSize = 0;
    std::vector<std::uint8_t> m_ReadBuffer;
    std::vector<std::uint8_t> m_WriteBuffer;

    std::thread m_Worker;
    std::atomic<bool> m_Busy{false};
    std::atomic<bool> m_Cancel{false};
    std::atomic<std::size_t> m_BytesRead{0};
    std::atomic<std::size_t> m_BytesWritten{0};
    /// The driver's time-out before the first raise since the last Stop.
    std::optional<std::uint64_t> m_SavedTimeout;
    bool m_TimeoutSaved = false;

    mutable std::mutex m_QueueMutex;
    std::condition_variable m_QueueChanged;
    std::deque<std::vector<std::uint8_t>> m_Blocks; // nodes of at most 1024 bytes
    // The node being consumed, used by the reading thread only.
    std::vector<std::uint8_t> m_Current;
    std::size_t m_CurrentNext = 0;
};

} // namespace orlu
