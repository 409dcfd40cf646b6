#include "link/UnitLink.h"

#include "link/SerialPort.h"
#include "platform/FixedTextDialogs.h"

namespace orlu {
namespace {

/// The USB device as the transport of one operation.
class UsbTransport final : public LinkTransport {
public:
    UsbTransport(CUsbLink& usb, Clock::Duration perByte) : m_Usb(usb), m_PerByte(perByte) {}
    ~UsbTransport() override { Release(); }

    bool SendText(std::string_view text) override
    {
        // A command after a release (identify releases the device) needs its own release at the end.
        m_Released = false;
        // A command text is written whole before the call returns.
        m_Usb.StartWrite(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        m_Usb.WaitIdle();
        return m_Usb.BytesWritten() == text.size();
    }
    bool SendBytes(std::span<const std::uint8_t> bytes) override
    {
        m_Released = false;
        // Returns once the write has started; the next start waits for it.
        m_Usb.StartWrite(bytes);
        return true;
    }
    void StartRead() override
    {
        m_Released = false;
        m_Usb.StartRead();
    }
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) override
    {
        return m_Usb.ReadBytes(buffer, got, m_PerByte);
    }
    void Release() override
    {
        if (m_Released)
            return;
        m_Released = true;
        m_Usb.Stop();
        m_Usb.Reset();
    }
    bool IsUsb() const override { return true; }

private:
    CUsbLink& m_Usb;
    Clock::Duration m_PerByte;
    bool m_Released = false;
};

} // namespace

UnitLink::UnitLink(UserInteraction& ui, SerialLinkSettings& serial, Clock& clock, UsbDriverBackend* usbDriver,
                   CUsbLink::BlockWait usbWait)
    : m_Ui(ui), m_Serial(serial), m_Clock(clock)
{
    if (usbDriver)
        m_Usb = std::make_unique<CUsbLink>(*usbDriver, clock, std::move(usbWait));
}

UnitLink::~UnitLink() = default;

void UnitLink::OpenUsb()
{
    m_UsbMode = false;
    if (!m_Usb)
        return;
    if (m_Usb->Open() == 0)
        m_UsbMode = true;
    else
        m_Usb->Close();
}

void UnitLink::CloseUsb()
{
    if (m_UsbMode && m_Usb)
        m_Usb->Close();
}

std::unique_ptr<LinkTransport> UnitLink::OpenPort(ComProfile profile)
{
    if (m_UsbMode)
        CloseUsb();
    OpenUsb();
    if (m_UsbMode)
        return std::make_unique<UsbTransport>(*m_Usb, timing.usbPerByte);

    const Clock::Duration pause = timing.writePauses ? Millis(m_Serial.current.writePause) : Millis(0);
    auto port = std::make_unique<SerialPort>(m_Clock, timing.Com(profile), pause);
    const std::string& path = m_PortOverride.empty() ? m_Serial.CurrentPortPath() : m_PortOverride;
    if (port->Open(path, m_Serial.CurrentTexts()))
        return port;
    ShowFixedText(m_Ui, kUnitModeUnknownText);
    return nullptr;
}

IdentifyOutcome IdentifyOverLink(UnitLink& link, bool firmwareCheck)
{
    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands);
    if (!transport)
        return {};
    IdentifyOutcome outcome = IdentifyUnit(*transport, link.Ui(), &link.deviceSelector, firmwareCheck, link.flags,
                                           static_cast<std::size_t>(link.timing.identifyReplyLimit));
    transport->Release();
    if (outcome.result == kIdentifyNoReply)
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
    return outcome;
}

} // namespace orlu
