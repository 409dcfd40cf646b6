#pragma once
// The instrument's USB driver in the test process: one or more interfaces,
// each answering the driver's name query (the second one can answer with a
// wrong name), its packet size and its "Timeout" parameter. What the program
// writes goes to an instrument model; each answer of the model is one
// transfer that reads hand out in chunks of at most the size asked for. A
// read after a transfer that ended exactly waits for the driver's time-out
// (tenfold while it is raised, for ever at 0) and gives 0 bytes.

#include "link/CUsbLink.h"
#include "link/UsbDriverBackend.h"
#include "platform/Clock.h"
#include "support/InstrumentModel.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace orlu::sim {

class FakeUsbDriver final : public UsbDriverBackend {
public:
    /// model: the instrument behind the device; none for a device that never answers.
    explicit FakeUsbDriver(InstrumentModel* model, std::uint32_t packetSize = 64);

    // The device's shape, set before use.
    bool present = true;
    bool wrongNameFirst = false; ///< another driver's interface comes first
    std::uint32_t packetSize;
    std::optional<std::uint64_t> timeout; ///< the parameter store; none: missing

    /// Fails every read with this error from now on (0: none).
    void FailReads(int status);
    /// Adds a transfer as if the instrument had sent it.
    void Deliver(std::vector<std::uint8_t> bytes);
    /// The size of each write the link made, in order.
    std::vector<std::size_t> WriteSizes() const;
    /// Every byte written, in order.
    std::vector<std::uint8_t> Written() const;
    /// How many times the parameter was stored.
    int TimeoutWrites() const;

    std::vector<std::string> Enumerate() override;
    Handle Open(const std::string& path) override;
    void Close(Handle handle) override;
    UsbIoResult Control(Handle handle, std::uint32_t code, std::span<std::uint8_t> out) override;
    UsbIoResult Read(Handle handle, std::span<std::uint8_t> buffer, const std::atomic<bool>& cancel) override;
    UsbIoResult Write(Handle handle, std::span<const std::uint8_t> bytes, const std::atomic<bool>& cancel) override;
    void Cancel(Handle handle) override;
    std::optional<std::uint64_t> GetTimeout() override;
    bool SetTimeout(std::uint64_t value) override;

private:
    InstrumentModel* m_Model;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::deque<std::vector<std::uint8_t>> m_Transfers;
    std::size_t m_TransferNext = 0;
    bool m_LastReadFull = false;
    int m_ReadError = 0;
    int m_NextHandle = 1;
    std::vector<std::size_t> m_WriteSizes;
    std::vector<std::uint8_t> m_Written;
    int m_TimeoutWrites = 0;
};

/// How a link to this device waits for a reply byte, on a manual clock. The
/// device answers a command the moment it is written, so a byte is missing
/// exactly when the reader has ended with nothing queued: time then jumps to
/// the deadline at once. Whether a reply is taken no longer depends on how
/// soon a loaded machine runs the reader thread. The real wait is bounded
/// only against a reader that hangs.
CUsbLink::BlockWait InstantReplyWait(ManualClock& clock);

} // namespace orlu::sim
