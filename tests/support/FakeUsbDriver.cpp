#include "support/FakeUsbDriver.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace orlu::sim {
namespace {
constexpr std::string_view kGoodName = "ORLU 3xx FILE TRANSFER DRIVER";
constexpr std::string_view kOtherName = "ORLU 3xx REAL TIME DRIVER";
constexpr std::string_view kWrongPath = "usb#other";
constexpr std::string_view kGoodPath = "usb#orlu-file-transfer";
/// Far beyond any driver time-out a reader of this device waits through.
constexpr std::chrono::seconds kHungReaderLimit{60};
} // namespace

FakeUsbDriver::FakeUsbDriver(InstrumentModel* model, std::uint32_t packet) : packetSize(packet), m_Model(model) {}

void FakeUsbDriver::FailReads(int status)
{
    std::lock_guard lock(m_Mutex);
    m_ReadError = status;
    m_Changed.notify_all();
}

void FakeUsbDriver::Deliver(std::vector<std::uint8_t> bytes)
{
    std::lock_guard lock(m_Mutex);
    if (!bytes.empty())
        m_Transfers.push_back(std::move(bytes));
    m_Changed.notify_all();
}

std::vector<std::size_t> FakeUsbDriver::WriteSizes() const
{
    std::lock_guard lock(m_Mutex);
    return m_WriteSizes;
}

std::vector<std::uint8_t> FakeUsbDriver::Written() const
{
    std::lock_guard lock(m_Mutex);
    return m_Written;
}

int FakeUsbDriver::TimeoutWrites() const
{
    std::lock_guard lock(m_Mutex);
    return m_TimeoutWrites;
}

std::vector<std::string> FakeUsbDriver::Enumerate()
{
    if (!present)
        return {};
    if (wrongNameFirst)
        return {std::string(kWrongPath), std::string(kGoodPath)};
    return {std::string(kGoodPath)};
}

UsbDriverBackend::Handle FakeUsbDriver::Open(const std::string& path)
{
    if (!present || (path != kGoodPath && path != kWrongPath))
        return -1;
    std::lock_guard lock(m_Mutex);
    return path == kWrongPath ? 1000 + m_NextHandle++ : m_NextHandle++;
}

void FakeUsbDriver::Close(Handle) {}

UsbIoResult FakeUsbDriver::Control(Handle handle, std::uint32_t code, std::span<std::uint8_t> out)
{
    if (code == kIoctlDriverName) {
        const std::string_view name = handle >= 1000 ? kOtherName : kGoodName;
        const std::size_t n = std::min(out.size() - 1, name.size());
        std::memcpy(out.data(), name.data(), n);
        out[n] = 0;
        return {0, n + 1};
    }
    if (code == kIoctlPacketSize && out.size() >= 4) {
        for (int i = 0; i < 4; ++i)
            out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(packetSize >> (8 * i));
        return {0, 4};
    }
    return {0, 0};
}

UsbIoResult FakeUsbDriver::Read(Handle, std::span<std::uint8_t> buffer, const std::atomic<bool>& cancel)
{
    std::unique_lock lock(m_Mutex);
    // The driver's time-out in 100 ns units; 0 waits for ever.
    const std::uint64_t units = timeout.value_or(kDefaultDriverTimeout);
    const auto limit = std::chrono::microseconds(units / 10);
    auto ready = [&] { return cancel.load() || m_ReadError != 0 || !m_Transfers.empty(); };
    const bool came = units == 0 ? (m_Changed.wait(lock, ready), true) : m_Changed.wait_for(lock, limit, ready);
    if (cancel.load())
        return {kUsbAborted, 0};
    if (m_ReadError != 0)
        return {m_ReadError, 0};
    if (!came)
        return {0, 0};
    std::vector<std::uint8_t>& transfer = m_Transfers.front();
    const std::size_t n = std::min(buffer.size(), transfer.size() - m_TransferNext);
    std::memcpy(buffer.data(), transfer.data() + m_TransferNext, n);
    m_TransferNext += n;
    if (m_TransferNext == transfer.size()) {
        m_Transfers.pop_front();
        m_TransferNext = 0;
    }
    return {0, n};
}

UsbIoResult FakeUsbDriver::Write(Handle, std::span<const std::uint8_t> bytes, const std::atomic<bool>& cancel)
{
    InstrumentModel::Output out;
    {
        std::lock_guard lock(m_Mutex);
        if (cancel.load())
            return {kUsbAborted, 0};
        m_WriteSizes.push_back(bytes.size());
        m_Written.insert(m_Written.end(), bytes.begin(), bytes.end());
        if (m_Model)
            out = m_Model->Receive(bytes);
    }
    Deliver(std::move(out.bytes));
    return {0, bytes.size()};
}

void FakeUsbDriver::Cancel(Handle)
{
    // Under the lock, so that a reader between its look at the flag and its
    // wait does not miss the wake-up.
    std::lock_guard lock(m_Mutex);
    m_Changed.notify_all();
}

std::optional<std::uint64_t> FakeUsbDriver::GetTimeout()
{
    std::lock_guard lock(m_Mutex);
    return timeout;
}

bool FakeUsbDriver::SetTimeout(std::uint64_t value)
{
    std::lock_guard lock(m_Mutex);
    timeout = value;
    ++m_TimeoutWrites;
    m_Changed.notify_all();
    return true;
}

CUsbLink::BlockWait InstantReplyWait(ManualClock& clock)
{
    return [&clock](CUsbLink& link, Clock::Duration timeout) {
        if (link.WaitForBlockOrIdle(kHungReaderLimit))
            return true;
        clock.Advance(timeout);
        return false;
    };
}

} // namespace orlu::sim
