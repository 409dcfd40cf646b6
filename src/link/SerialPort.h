#pragma once
// The COM port on a POSIX terminal device: raw bytes (no echo, no line
// editing, no XON/XOFF, no hardware handshake), reads that never block
// (VMIN = VTIME = 0) waited for with poll() against a deadline per byte, and
// input left over from an earlier operation flushed when the port opens.
// Reads are served from a block buffer: one system call brings whatever has
// arrived, the bytes are handed out one by one.

#include "link/LinkTiming.h"
#include "link/LinkTransport.h"
#include "link/SerialLinkSettings.h"
#include "platform/Clock.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <termios.h>

namespace orlu {

/// The terminal settings for the texts of a half, or none when the device
/// cannot do them (1.5 stop bits, which no 8-bit line supports).
std::optional<termios> BuildTermios(const termios& base, const SerialParameterTexts& texts);

class SerialPort final : public LinkTransport {
public:
    enum class Ready { Timeout, Readable, HungUp };
    /// Waits until the descriptor is readable, the line is down or the time is up.
    using ReadyWait = std::function<Ready(int fd, Clock::Duration timeout)>;

    SerialPort(Clock& clock, const ComTimeouts& timeouts, Clock::Duration writePause,
               ReadyWait wait = &SerialPort::PollReadable);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    /// Opens and configures the device; false (the port stays closed) when it
    /// cannot be opened or does not take the settings.
    bool Open(const std::string& path, const SerialParameterTexts& texts);
    bool IsOpen() const { return m_Fd >= 0; }

    bool SendText(std::string_view text) override;
    bool SendBytes(std::span<const std::uint8_t> bytes) override;
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) override;
    void DiscardInput() override;
    void Release() override;

    static Ready PollReadable(int fd, Clock::Duration timeout);

private:
    /// Writes every byte, each within the write deadline of the profile.
    bool WriteAll(std::span<const std::uint8_t> bytes);
    bool Refill(Clock::TimePoint deadline);

    Clock& m_Clock;
    ComTimeouts m_Timeouts;
    Clock::Duration m_WritePause;
    ReadyWait m_Wait;
    int m_Fd = -1; // -1: no port (0 is a valid descriptor)
    std::array<std::uint8_t, 4096> m_Buffer{};
    std::size_t m_Next = 0;
    std::size_t m_End = 0;
};

} // namespace orlu
