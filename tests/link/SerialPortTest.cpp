#include "link/SerialPort.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <vector>

namespace orlu {
namespace {

using std::chrono::milliseconds;

/// A pseudo-terminal pair; the test plays the instrument on the master.
struct PtyPair {
    int master = -1;
    int keeper = -1;
    std::string path;
    PtyPair()
    {
        char name[128] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &keeper, name, &raw, nullptr) == 0)
            path = name;
    }
    ~PtyPair()
    {
        ::close(master);
        ::close(keeper);
    }
    void Write(std::string_view bytes) const { ASSERT_EQ(::write(master, bytes.data(), bytes.size()), std::ssize(bytes)); }
    std::string ReadAll() const
    {
        std::string got;
        char buffer[256];
        for (;;) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                return got;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                return got;
            got.append(buffer, static_cast<std::size_t>(n));
        }
    }
};

const SerialParameterTexts kStandard{"COM1", "8", "9600", "N", "1"};

TEST(SerialPortTest, TerminalSettingsAreRawWithTheTableTexts)
{
    termios cooked{};
    cooked.c_lflag = ECHO | ICANON | ISIG;
    cooked.c_iflag = IXON | IXOFF | ICRNL;
    cooked.c_oflag = OPOST | ONLCR;
    cooked.c_cflag = CRTSCTS | CS7;
    const auto t = BuildTermios(cooked, {"COM1", "8", "115200", "O", "2"});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->c_lflag & (ECHO | ICANON | ISIG), 0u);
    EXPECT_EQ(t->c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(t->c_oflag & OPOST, 0u);
    EXPECT_EQ(t->c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t->c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t->c_cflag & (PARENB | PARODD | CSTOPB), static_cast<tcflag_t>(PARENB | PARODD | CSTOPB));
    EXPECT_EQ(t->c_cc[VMIN], 0);
    EXPECT_EQ(t->c_cc[VTIME], 0);
    EXPECT_EQ(cfgetospeed(&*t), static_cast<speed_t>(B115200));

    const auto even = BuildTermios(cooked, {"COM1", "8", "9600", "E", "1"});
    EXPECT_EQ(even->c_cflag & (PARENB | PARODD | CSTOPB), static_cast<tcflag_t>(PARENB));
    EXPECT_EQ(BuildTermios(cooked, {"COM1", "8", "9600", "N", "1.5"}), std::nullopt);
}

TEST(SerialPortTest, OpenFailsWithoutTheDeviceAndHoldsNoDescriptor)
{
    SystemClock clock;
    SerialPort port(clock, LinkTiming::Fast().Com(ComProfile::Commands), {});
    EXPECT_FALSE(port.Open("/nonexistent/ttyS9", kStandard));
    EXPECT_FALSE(port.IsOpen());
    PtyPair pty;
    EXPECT_FALSE(port.Open(pty.path, {"COM1", "8", "9600", "N", "1.5"}));
    EXPECT_FALSE(port.IsOpen());
    std::uint8_t b = 0;
    EXPECT_FALSE(port.ReadByte(b));
    EXPECT_FALSE(port.SendText("x"));
}

TEST(SerialPortTest, StaleInputIsFlushedOnOpenAndBinaryBytesPassUnchanged)
{
    PtyPair pty;
    pty.Write("stale reply;");
    ::usleep(20000);
    SystemClock clock;
    SerialPort port(clock, LinkTiming::Fast().Com(ComProfile::Commands), {});
    ASSERT_TRUE(port.Open(pty.path, kStandard));
    const std::string binary("\x11\x13\r\n\x03\x7F\x00\xFF", 8); // XON, XOFF, CR LF, ^C
    pty.Write(binary);
    std::vector<std::uint8_t> got(binary.size());
    std::size_t n = 0;
    ASSERT_TRUE(port.ReadBytes(got, n));
    EXPECT_EQ(std::string(got.begin(), got.end()), binary);
    ASSERT_TRUE(port.SendText(binary));
    EXPECT_EQ(pty.ReadAll(), binary);
}

TEST(SerialPortTest, WritePauseAfterEveryByte)
{
    PtyPair pty;
    ManualClock clock;
    SerialPort port(clock, LinkTiming().Com(ComProfile::Commands), milliseconds(5));
    ASSERT_TRUE(port.Open(pty.path, kStandard));
    ASSERT_TRUE(port.SendText(";#4,0,\\;"));
    EXPECT_EQ(clock.SleepCount(), 8);
    EXPECT_EQ(clock.Slept(), milliseconds(40));

    ManualClock other;
    SerialPort noPause(other, LinkTiming().Com(ComProfile::Commands), milliseconds(0));
    ASSERT_TRUE(noPause.Open(pty.path, kStandard));
    ASSERT_TRUE(noPause.SendText(";#1;"));
    EXPECT_EQ(other.SleepCount(), 0);
}

TEST(SerialPortTest, EachProfileWaitsItsPerByteDeadline)
{
    const std::pair<ComProfile, int> profiles[] = {
        {ComProfile::Commands, 6000}, {ComProfile::PrintedOutput, 600}, {ComProfile::Upload, 600}, {ComProfile::Monitor, 7000}};
    PtyPair pty;
    for (const auto& [profile, ms] : profiles) {
        ManualClock clock;
        // The wait moves the manual clock on instead of sleeping; a byte arrives
        // only for the first read, just before its deadline.
        Clock::Duration waited{};
        bool deliver = true;
        SerialPort port(clock, LinkTiming().Com(profile), {}, [&](int, Clock::Duration timeout) {
            const Clock::Duration step = deliver ? timeout - milliseconds(1) : timeout;
            clock.Advance(step);
            waited += step;
            if (deliver) {
                pty.Write("A");
                ::usleep(5000);
                deliver = false;
                return SerialPort::Ready::Readable;
            }
            return SerialPort::Ready::Timeout;
        });
        ASSERT_TRUE(port.Open(pty.path, kStandard));
        std::uint8_t b = 0;
        EXPECT_TRUE(port.ReadByte(b)) << ms;
        EXPECT_EQ(b, 'A');
        waited = {};
        EXPECT_FALSE(port.ReadByte(b)) << ms;
        EXPECT_EQ(waited, milliseconds(ms));
    }
}

TEST(SerialPortTest, AClosedLineEndsTheReadAtOnce)
{
    auto pty = std::make_unique<PtyPair>();
    SystemClock clock;
    SerialPort port(clock, LinkTiming().Com(ComProfile::Commands), {}); // 6 s per byte
    ASSERT_TRUE(port.Open(pty->path, kStandard));
    const auto start = std::chrono::steady_clock::now();
    ::close(pty->master);
    pty->master = -1;
    std::uint8_t b = 0;
    EXPECT_FALSE(port.ReadByte(b));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
} // namespace orlu
