#include "link/OutputCatch.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orlu {
namespace {

constexpr std::size_t kCaptureHeader = 15;
constexpr std::size_t kPrintedCheckBytes = 31;
constexpr std::size_t kReadChunk = 4096;
constexpr std::string_view kSecondPartMark = "#4,2;";
constexpr std::uint8_t kFormFeed = 12;

/// Where the station's image ends, learnt from its bytes as they come.
class MonitorImageEnd {
public:
    /// The count at which the next check falls due; 0 while none is known
    /// (a stream that does not start with "STM " never completes).
    std::uint64_t NextCheck(std::uint64_t received) const
    {
        if (received < kCaptureHeader)
            return kCaptureHeader;
        return m_Due;
    }
    /// Called when the count has reached NextCheck; true once the image ends.
    bool Check(const std::vector<std::uint8_t>& image)
    {
        const std::uint64_t n = image.size();
        if (n == kCaptureHeader) {
            if (std::memcmp(image.data(), "STM ", 4) != 0)
                return false;
            m_FirstBlockEnd = kCaptureHeader + BigEndian(image.data() + 11);
            m_Due = m_FirstBlockEnd;
        }
        if (n != m_Due)
            return false;
        if (m_SecondPart == 0) {
            if (std::memcmp(image.data() + n - kSecondPartMark.size(), kSecondPartMark.data(), kSecondPartMark.size()) !=
                0)
                return true; // the first block is the whole image
            m_SecondPart = m_FirstBlockEnd + 4;
            m_Due = m_SecondPart;
            return false;
        }
        if (m_Total == 0) {
            const std::uint32_t m = LittleEndian(image.data() + n - 4);
            if (m == 0)
                return true; // faulty: the count stays short of the first-block end
            m_Total = m_SecondPart + m;
            m_Due = m_Total;
            return false;
        }
        m_FirstBlockEnd = m_Total;
        return true;
    }
    /// A complete image: the count is where the image ends.
    bool Complete(std::uint64_t received) const { return m_FirstBlockEnd != 0 && received == m_FirstBlockEnd; }

private:
    static std::uint64_t BigEndian(const std::uint8_t* at)
    {
        return std::uint64_t{at[0]} << 24 | std::uint64_t{at[1]} << 16 | std::uint64_t{at[2]} << 8 | at[3];
    }
    static std::uint32_t LittleEndian(const std::uint8_t* at)
    {
        return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
               std::uint32_t{at[3]} << 24;
    }
    // 64-bit sums: lengths near 2^32 cannot wrap round to an early end.
    std::uint64_t m_FirstBlockEnd = 0;
    std::uint64_t m_SecondPart = 0;
    std::uint64_t m_Total = 0;
    std::uint64_t m_Due = 0;
};

/// A COM port: each byte within the profile's deadline.
class PortSource final : public CatchSource {
public:
    explicit PortSource(LinkTransport& port) : m_Port(port) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override
    {
        std::size_t got = 0;
        m_Port.ReadBytes(buffer, got);
        return got;
    }
    bool Usb() const override { return false; }

private:
    LinkTransport& m_Port;
};

/// The USB device's continuous reader: its queue is waited on, never polled
/// in a loop, and looked at again after each wait so that Finish and Cancel
/// are seen while the line is idle.
class UsbSource final : public CatchSource {
public:
    UsbSource(CUsbLink& usb, Clock::Duration wait) : m_Usb(usb), m_Wait(wait) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override
    {
        if (!m_Usb.HasData() && !m_Usb.WaitForBlock(m_Wait))
            return 0;
        std::size_t n = 0;
        while (n < buffer.size() && m_Usb.GetByte(buffer[n]))
            ++n;
        return n;
    }
    bool Usb() const override { return true; }

private:
    CUsbLink& m_Usb;
    Clock::Duration m_Wait;
};

} // namespace

std::string_view CatchTitle(CatchKind kind)
{
    return kind == CatchKind::Printed ? "Catch printed output from ORLU" : "Catch MONITOR output";
}

CaughtOutput CatchFromSource(CatchSource& source, CatchKind kind, UserInteraction& ui, TransferProgress& progress,
                             const CatchWatch& watch)
{
    CaughtOutput out;
    // A vector grows geometrically, so a large image is copied a few times at most.
    std::vector<std::uint8_t>& image = out.bytes;
    std::size_t& received = out.received;
    MonitorImageEnd monitor;
    std::array<std::uint8_t, kReadChunk> chunk{};
    TransferRequest end = TransferRequest::None;
    bool refused = false;

    while (end == TransferRequest::None) {
        std::size_t want = 1; // printed output is taken as it comes
        if (kind == CatchKind::Monitor) {
            // Reads never pass the next point where the image's end is decided.
            const std::uint64_t due = monitor.NextCheck(received);
            want = due > received ? static_cast<std::size_t>(std::min<std::uint64_t>(due - received, kReadChunk))
                                  : kReadChunk;
        }
        const std::size_t got = source.Read(std::span(chunk).first(want));
        if (kind == CatchKind::Printed) {
            for (std::size_t i = 0; i < got && !refused; ++i) {
                const std::uint8_t byte = chunk[i];
                image.push_back(byte);
                ++received;
                if (received <= kPrintedCheckBytes && (byte < 10 || byte > 126))
                    refused = true;
                else if (byte == kFormFeed && source.Usb())
                    image.insert(image.end(), {13, 10});
            }
            if (refused) {
                ui.ShowMessage(kNotPrintedOutputText, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
                break;
            }
        } else if (got > 0) {
            image.insert(image.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
            received += got;
            if (received == monitor.NextCheck(received - got) && monitor.Check(image))
                end = TransferRequest::Finish;
        }
        progress.SetReceived(static_cast<int>(std::min<std::size_t>(received, 0x7FFFFFFF)));
        if (end != TransferRequest::None)
            break;
        if (watch)
            watch(progress, received, got == 0);
        // One tick every 10 bytes, round again at 1000.
        end = progress.SetProgress(1000, static_cast<int>(received / 10 % 1000));
    }
    if (refused) {
        out.outcome = CatchOutcome::NotPrintedOutput;
    } else if (end != TransferRequest::Finish) {
        out.outcome = CatchOutcome::Cancelled;
    } else if (received == 0) {
        out.outcome = CatchOutcome::Nothing;
    } else if (kind == CatchKind::Printed) {
        out.outcome = CatchOutcome::PrintedOutput;
    } else {
        out.outcome = monitor.Complete(received) ? CatchOutcome::MonitorImage : CatchOutcome::NotMonitorOutput;
    }
    return out;
}

CaughtOutput CatchOutput(UnitLink& link, CatchKind kind, TransferProgress& progress, const CatchWatch& watch)
{
    const auto profile = kind == CatchKind::Printed ? ComProfile::PrintedOutput : ComProfile::Monitor;
    std::unique_ptr<LinkTransport> transport = link.OpenPort(profile);
    if (!transport)
        return {};
    progress.Begin(std::string(CatchTitle(kind)));
    progress.SetText("");
    CaughtOutput out;
    if (transport->IsUsb() && link.Usb()) {
        CUsbLink& usb = *link.Usb();
        usb.Reset();
        usb.StartContinuousRead();
        UsbSource source(usb, link.timing.catchWait);
        out = CatchFromSource(source, kind, link.Ui(), progress, watch);
    } else {
        PortSource source(*transport);
        out = CatchFromSource(source, kind, link.Ui(), progress, watch);
    }
    progress.End();
    transport->Release();
    if (out.outcome == CatchOutcome::NotMonitorOutput)
        link.Ui().ShowMessage(kNotMonitorOutputText, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
    return out;
}

bool CatchEnabled(CatchKind kind, std::uint8_t deviceSelector)
{
    if (kind == CatchKind::Monitor)
        return deviceSelector == 7;
    constexpr std::uint8_t kPrinting[] = {2, 3, 4, 5, 6, 8, 9, 12};
    return std::find(std::begin(kPrinting), std::end(kPrinting), deviceSelector) != std::end(kPrinting);
}

} // namespace orlu
