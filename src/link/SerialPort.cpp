#include "link/SerialPort.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orlu {
namespace {

speed_t SpeedOf(std::string_view baud)
{
    struct Row {
        std::string_view text;
        speed_t speed;
    };
    static constexpr Row kSpeeds[] = {{"1200", B1200},   {"2400", B2400},   {"4800", B4800},   {"9600", B9600},
                                      {"19200", B19200}, {"38400", B38400}, {"57600", B57600}, {"115200", B115200}};
    for (const Row& row : kSpeeds)
        if (row.text == baud)
            return row.speed;
    return B9600;
}

tcflag_t SizeOf(std::string_view bits)
{
    if (bits == "5")
        return CS5;
    if (bits == "6")
        return CS6;
    if (bits == "7")
        return CS7;
    return CS8;
}

int Milliseconds(Clock::Duration d)
{
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d).count();
    return ms <= 0 ? 0 : ms > 60000 ? 60000 : static_cast<int>(ms);
}

} // namespace

std::optional<termios> BuildTermios(const termios& base, const SerialParameterTexts& texts)
{
    // A line of 8 data bits has no 1.5 stop bits; the port is refused rather
    // than opened with a framing the instrument does not use.
    if (texts.stopBits == "1.5")
        return std::nullopt;
    termios t = base;
    cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // No CRTSCTS: it would hold every write on a cable without CTS.
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= SizeOf(texts.dataBits) | CREAD | CLOCAL;
    if (texts.parity == "O")
        t.c_cflag |= PARENB | PARODD;
    else if (texts.parity == "E")
        t.c_cflag |= PARENB;
    if (texts.stopBits == "2")
        t.c_cflag |= CSTOPB;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, SpeedOf(texts.baudRate));
    cfsetospeed(&t, SpeedOf(texts.baudRate));
    return t;
}

SerialPort::SerialPort(Clock& clock, const ComTimeouts& timeouts, Clock::Duration writePause, ReadyWait wait)
    : m_Clock(clock), m_Timeouts(timeouts), m_WritePause(writePause), m_Wait(std::move(wait))
{
}

SerialPort::~SerialPort()
{
    Release();
}

bool SerialPort::Open(const std::string& path, const SerialParameterTexts& texts)
{
    Release();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios base{};
    const std::optional<termios> wanted = tcgetattr(fd, &base) == 0 ? BuildTermios(base, texts) : std::nullopt;
    if (!wanted || tcsetattr(fd, TCSANOW, &*wanted) != 0) {
        ::close(fd);
        return false;
    }
    // DTR and RTS up where the device has them; a pseudo-terminal has no
    // modem lines and answers ENOTTY, which is no error.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL) {
        ::close(fd);
        return false;
    }
    // Bytes left over from an earlier operation would be read as this one's reply.
    tcflush(fd, TCIFLUSH);
    m_Fd = fd;
    m_Next = m_End = 0;
    return true;
}

SerialPort::Ready SerialPort::PollReadable(int fd, Clock::Duration timeout)
{
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, Milliseconds(timeout));
        if (n == 0)
            return Ready::Timeout;
        if (n > 0)
            // Bytes that came before a hang-up are still read.
            return (p.revents & POLLIN) ? Ready::Readable : Ready::HungUp;
        if (errno != EINTR)
            return Ready::HungUp;
    }
}

bool SerialPort::WriteAll(std::span<const std::uint8_t> bytes)
{
    // Each byte has its deadline: it starts again whenever the port took some.
    Clock::TimePoint deadline = m_Clock.Now() + m_Timeouts.WritePerByte();
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_Fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            deadline = m_Clock.Now() + m_Timeouts.WritePerByte();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        const Clock::Duration left = deadline - m_Clock.Now();
        if (left <= Clock::Duration::zero())
            return false;
        pollfd p{m_Fd, POLLOUT, 0};
        if (::poll(&p, 1, Milliseconds(left)) < 0 && errno != EINTR)
            return false;
    }
    return true;
}

bool SerialPort::SendText(std::string_view text)
{
    return SendBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool SerialPort::SendBytes(std::span<const std::uint8_t> bytes)
{
    if (m_Fd < 0)
        return false;
    // Without a pause the bytes go out in blocks: the same bytes on the line.
    if (m_WritePause <= Clock::Duration::zero())
        return WriteAll(bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool written = WriteAll(bytes.subspan(i, 1));
        // The ORLU 505 needs its pause after every byte, the failed one included.
        m_Clock.Sleep(m_WritePause);
        if (!written)
            return false;
    }
    return true;
}

bool SerialPort::Refill(Clock::TimePoint deadline)
{
    bool readable = false;
    for (;;) {
        const ssize_t n = ::read(m_Fd, m_Buffer.data(), m_Buffer.size());
        if (n > 0) {
            m_Next = 0;
            m_End = static_cast<std::size_t>(n);
            return true;
        }
        // With VMIN = 0, 0 bytes mean nothing yet, or, when the terminal was
        // just reported readable, that the other end hung up; EIO likewise.
        if ((n < 0 && errno != EAGAIN && errno != EINTR) || (n == 0 && readable))
            return false;
        const Clock::Duration left = deadline - m_Clock.Now();
        if (left <= Clock::Duration::zero())
            return false;
        const Ready ready = m_Wait(m_Fd, left);
        if (ready == Ready::HungUp || (ready == Ready::Timeout && m_Clock.Now() >= deadline))
            return false;
        readable = ready == Ready::Readable;
    }
}

bool SerialPort::ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got)
{
    got = 0;
    if (m_Fd < 0)
        return false;
    while (got < buffer.size()) {
        // Each byte has its own deadline, as a COM port times each read.
        if (m_Next == m_End && !Refill(m_Clock.Now() + m_Timeouts.ReadPerByte()))
            return false;
        const std::size_t take = std::min(buffer.size() - got, m_End - m_Next);
        std::copy_n(m_Buffer.begin() + static_cast<std::ptrdiff_t>(m_Next), take, buffer.begin() + static_cast<std::ptrdiff_t>(got));
        m_Next += take;
        got += take;
    }
    return true;
}

void SerialPort::DiscardInput()
{
    if (m_Fd >= 0)
        tcflush(m_Fd, TCIFLUSH);
    m_Next = m_End = 0;
}

void SerialPort::Release()
{
    if (m_Fd >= 0)
        ::close(m_Fd);
    m_Fd = -1;
    m_Next = m_End = 0;
}

} // namespace orlu
