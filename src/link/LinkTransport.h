#pragma once
// One open link to the instrument, over a COM port or the USB device: the
// operations send command texts and bytes and read replies byte by byte,
// each byte within the deadline of the link.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orlu {

class LinkTransport {
public:
    virtual ~LinkTransport() = default;

    /// Sends a command text; false when a byte could not be written.
    virtual bool SendText(std::string_view text) = 0;
    /// Sends bytes; false when a byte could not be written.
    virtual bool SendBytes(std::span<const std::uint8_t> bytes) = 0;
    /// Starts collecting a reply (the USB reader); nothing to do on a COM port.
    virtual void StartRead() {}
    /// Drops bytes that came without being asked for (an echo of a command
    /// that has no reply); nothing to do where no reader runs.
    virtual void DiscardInput() {}
    /// Fills the buffer; false when a byte did not come within its deadline
    /// (the bytes read so far are in the buffer, their count in `got`).
    virtual bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) = 0;
    /// Ends the operation: the port is closed, the USB device stopped and reset.
    virtual void Release() = 0;
    virtual bool IsUsb() const { return false; }

    /// A command whose reply is read next.
    bool SendAndStartRead(std::string_view text)
    {
        if (!SendText(text))
            return false;
        StartRead();
        return true;
    }
    /// One byte, or false when it did not come in time.
    bool ReadByte(std::uint8_t& byte)
    {
        std::size_t got = 0;
        return ReadBytes(std::span<std::uint8_t>(&byte, 1), got);
    }
};

} // namespace orlu
