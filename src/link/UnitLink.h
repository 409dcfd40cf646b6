#pragma once
// The program's link to the instrument: each operation opens it, talks
// through the transport it gets and releases it at its end. The USB device
// is probed afresh by every open and used whenever it answers; otherwise the
// COM port of the serial settings is opened.

#include "link/CUsbLink.h"
#include "link/LinkTiming.h"
#include "link/LinkTransport.h"
#include "link/SerialLinkSettings.h"
#include "link/UnitProtocol.h"
#include "platform/Clock.h"
#include "platform/UserInteraction.h"

#include <memory>
#include <string>

namespace orlu {

class UnitLink {
public:
    /// usbDriver: none where no driver is installed (the link stays on RS-232).
    /// usbWait: how the USB link waits for a reply byte (none: on the clock).
    UnitLink(UserInteraction& ui, SerialLinkSettings& serial, Clock& clock, UsbDriverBackend* usbDriver = nullptr,
             CUsbLink::BlockWait usbWait = {});
    ~UnitLink();

    /// Opens the link for one operation with the time-outs of the profile.
    /// Null after the connection error dialog when neither USB nor the COM
    /// port can be used.
    std::unique_ptr<LinkTransport> OpenPort(ComProfile profile);

    /// The USB device is probed at start-up and closed at exit.
    void OpenUsb();
    void CloseUsb();
    bool UsbMode() const { return m_UsbMode; }

    /// A device path that replaces the COM port of the settings (tests, orlu-link --port).
    void SetPortOverride(std::string path) { m_PortOverride = std::move(path); }

    LinkTiming timing;
    LinkFlags flags;
    std::uint8_t deviceSelector = 1;

    UserInteraction& Ui() { return m_Ui; }
    Clock& GetClock() { return m_Clock; }
    CUsbLink* Usb() { return m_Usb.get(); }

private:
    UserInteraction& m_Ui;
    SerialLinkSettings& m_Serial;
    Clock& m_Clock;
    std::unique_ptr<CUsbLink> m_Usb;
    bool m_UsbMode = false;
    std::string m_PortOverride;
};

/// One identify over a fresh link, released afterwards, as the program's
/// operations do it (the connection error dialog when no reply comes).
IdentifyOutcome IdentifyOverLink(UnitLink& link, bool firmwareCheck);

} // namespace orlu
