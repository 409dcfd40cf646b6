#include "link/CUsbLink.h"

#include <algorithm>
#include <cstring>

namespace orlu {
namespace {

constexpr std::size_t kNodeBytes = 1024;
constexpr std::uint32_t kLargestPacket = 1024;
constexpr int kReadsPerBlock = 16;
/// A continuous reader retries a failed read, but not for ever.
constexpr int kMaxFailedReads = 3;

} // namespace

CUsbLink::CUsbLink(UsbDriverBackend& driver, Clock& clock, BlockWait wait)
    : m_Driver(driver), m_Clock(clock), m_Wait(std::move(wait))
{
}

CUsbLink::~CUsbLink()
{
    Close();
}

int CUsbLink::Open()
{
    if (IsOpen())
        Close();
    for (const std::string& path : m_Driver.Enumerate()) {
        const UsbDriverBackend::Handle handle = m_Driver.Open(path);
        if (handle < 0)
            continue;
        std::uint8_t name[250] = {};
        const UsbIoResult r = m_Driver.Control(handle, kIoctlDriverName, name);
        // Another driver's interface answers with another name: try the next one.
        if (r.status != 0 || r.count != kUsbDriverName.size() + 1 ||
            std::memcmp(name, kUsbDriverName.data(), kUsbDriverName.size()) != 0) {
            m_Driver.Close(handle);
            continue;
        }
        std::uint8_t size[4] = {};
        const UsbIoResult s = m_Driver.Control(handle, kIoctlPacketSize, size);
        const std::uint32_t packet = static_cast<std::uint32_t>(size[0] | size[1] << 8 | size[2] << 16 | size[3] << 24);
        // No packet size, or one whose write chunk would be empty, is no usable device.
        if (s.status != 0 || packet == 0 || packet > kLargestPacket) {
            m_Driver.Close(handle);
            return kUsbNoDevice;
        }
        m_Device = handle;
        m_PacketSize = packet;
        m_ReadBuffer.assign(static_cast<std::size_t>(packet) * kReadsPerBlock, 0);
        return 0;
    }
    return kUsbNoDevice;
}

int CUsbLink::Close()
{
    if (m_Worker.joinable()) {
        m_Cancel = true;
        if (IsOpen())
            m_Driver.Cancel(m_Device);
        Join();
    }
    if (IsOpen())
        m_Driver.Close(m_Device);
    m_Device = -1;
    m_ReadBuffer.clear();
    m_ReadBuffer.shrink_to_fit();
    return kUsbClosed;
}

void CUsbLink::Reset()
{
    Close();
    if (Open() != 0)
        Close();
}

bool CUsbLink::IsBusy() const
{
    return m_Busy.load();
}

void CUsbLink::Join()
{
    if (m_Worker.joinable())
        m_Worker.join();
    m_Busy = false;
}

void CUsbLink::WaitIdle()
{
    Join();
}

void CUsbLink::RaiseTimeout(std::optional<std::uint64_t> value)
{
    // The value before the first raise is kept until Stop puts it back: a
    // reader started again before Stop must not save the raised one.
    if (!m_TimeoutSaved) {
        m_SavedTimeout = m_Driver.GetTimeout().value_or(kDefaultDriverTimeout);
        m_TimeoutSaved = true;
    }
    if (value)
        m_Driver.SetTimeout(*value);
}

void CUsbLink::Start(Operation operation)
{
    Join();
    m_Cancel = false;
    m_Busy = true;
    switch (operation) {
    case Operation::Write:
        m_Worker = std::thread([this] { WriteWorker(); });
        break;
    case Operation::BlockRead:
        m_Worker = std::thread([this] { ReadWorker(false); });
        break;
    case Operation::ContinuousRead:
        m_Worker = std::thread([this] { ReadWorker(true); });
        break;
    }
}

void CUsbLink::StartWrite(std::span<const std::uint8_t> bytes)
{
    Join();
    RaiseTimeout(std::nullopt);
    m_WriteBuffer.assign(bytes.begin(), bytes.end());
    Start(Operation::Write);
}

void CUsbLink::StartRead()
{
    Join();
    RaiseTimeout(std::nullopt);
    m_Driver.SetTimeout(*m_SavedTimeout * 10);
    m_BytesRead = 0;
    Start(Operation::BlockRead);
}

void CUsbLink::StartContinuousRead()
{
    Join();
    RaiseTimeout(std::uint64_t{0});
    m_BytesRead = 0;
    Start(Operation::ContinuousRead);
}

void CUsbLink::Stop()
{
    if (m_Worker.joinable()) {
        m_Cancel = true;
        if (IsOpen())
            m_Driver.Cancel(m_Device);
        Join();
    }
    if (m_TimeoutSaved) {
        m_Driver.SetTimeout(*m_SavedTimeout);
        m_TimeoutSaved = false;
    }
    std::lock_guard lock(m_QueueMutex);
    m_Blocks.clear();
    m_Current.clear();
    m_CurrentNext = 0;
}

void CUsbLink::WriteWorker()
{
    m_BytesWritten = 0;
    const std::size_t chunkLimit = kNodeBytes / m_PacketSize * m_PacketSize;
    std::span<const std::uint8_t> left(m_WriteBuffer);
    while (!left.empty() && !m_Cancel) {
        const std::size_t chunk = std::min(chunkLimit, left.size());
        const UsbIoResult r = m_Driver.Write(m_Device, left.first(chunk), m_Cancel);
        m_BytesWritten += r.count;
        if (r.status != 0 || r.count == 0)
            break;
        left = left.subspan(std::min(r.count, left.size()));
    }
    EndWorker();
}

void CUsbLink::EndWorker()
{
    {
        // Under the queue's lock, so that a waiter between its look at the
        // flag and its wait does not miss the wake-up.
        std::lock_guard lock(m_QueueMutex);
        m_Busy = false;
    }
    m_QueueChanged.notify_all();
}

void CUsbLink::Push(std::span<const std::uint8_t> bytes)
{
    {
        std::lock_guard lock(m_QueueMutex);
        // Nodes of 1024 bytes, whatever the packet size.
        while (!bytes.empty()) {
            const std::size_t n = std::min(kNodeBytes, bytes.size());
            m_Blocks.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
            bytes = bytes.subspan(n);
        }
    }
    m_QueueChanged.notify_all();
}

void CUsbLink::ReadWorker(bool continuous)
{
    int failures = 0;
    while (!m_Cancel) {
        const UsbIoResult r = m_Driver.Read(m_Device, m_ReadBuffer, m_Cancel);
        if (r.status == kUsbAborted)
            break;
        if (r.status != 0) {
            // A gone device or a damaged transfer ends the reader; other errors
            // are tried again a few times, never for ever.
            const bool fatal = r.status == kUsbFileNotFound || r.status == kUsbPathNotFound || r.status == kUsbCrcError;
            if (!continuous || fatal || ++failures >= kMaxFailedReads)
                break;
            continue;
        }
        failures = 0;
        if (r.count > 0) {
            m_BytesRead += r.count;
            Push(std::span<const std::uint8_t>(m_ReadBuffer).first(r.count));
        }
        if (!continuous && r.count < m_ReadBuffer.size())
            break;
    }
    EndWorker();
    OnReadDone(m_BytesRead);
}

bool CUsbLink::HasData() const
{
    std::lock_guard lock(m_QueueMutex);
    return m_CurrentNext < m_Current.size() || !m_Blocks.empty();
}

bool CUsbLink::GetByte(std::uint8_t& byte)
{
    if (m_CurrentNext >= m_Current.size()) {
        std::lock_guard lock(m_QueueMutex);
        if (m_Blocks.empty())
            return false;
        m_Current = std::move(m_Blocks.front());
        m_Blocks.pop_front();
        m_CurrentNext = 0;
    }
    byte = m_Current[m_CurrentNext++];
    return true;
}

bool CUsbLink::WaitForBlock(Clock::Duration timeout)
{
    std::unique_lock lock(m_QueueMutex);
    return m_QueueChanged.wait_for(lock, timeout, [this] { return !m_Blocks.empty(); });
}

bool CUsbLink::WaitForBlockOrIdle(Clock::Duration limit)
{
    std::unique_lock lock(m_QueueMutex);
    return m_QueueChanged.wait_for(lock, limit, [this] { return !m_Blocks.empty() || !m_Busy; }) &&
           !m_Blocks.empty();
}

bool CUsbLink::ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got, Clock::Duration perByte)
{
    got = 0;
    for (std::uint8_t& byte : buffer) {
        const Clock::TimePoint deadline = m_Clock.Now() + perByte;
        while (!GetByte(byte)) {
            const Clock::Duration left = deadline - m_Clock.Now();
            if (left > Clock::Duration::zero())
                m_Wait ? m_Wait(*this, left) : WaitForBlock(left);
            // A byte that comes with the deadline or later is too late; a
            // device that stopped answering is reset at once.
            if (m_Clock.Now() >= deadline) {
                Reset();
                return false;
            }
        }
        ++got;
    }
    return true;
}

} // namespace orlu
