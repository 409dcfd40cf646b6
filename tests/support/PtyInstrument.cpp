#include "support/PtyInstrument.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace orlu::sim {
namespace {

// The keeper's line carries this read time-out, which no program sets: once
// it is gone, the program has opened the port and set its own line up.
constexpr cc_t kUnopenedMark = 42;

} // namespace

PtyInstrument::PtyInstrument(InstrumentModel& model, std::filesystem::path transcript)
    : m_Model(model), m_TranscriptPath(std::move(transcript))
{
}

PtyInstrument::~PtyInstrument()
{
    Stop();
}

bool PtyInstrument::Start()
{
    m_Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_Master < 0 || grantpt(m_Master) != 0 || unlockpt(m_Master) != 0)
        return false;
    char name[128] = {};
    if (ptsname_r(m_Master, name, sizeof name) != 0)
        return false;
    m_SlavePath = name;
    // The keeper holds the line up between the program's opens; in raw mode,
    // so that nothing the program has not set echoes or translates.
    m_Keeper = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_Keeper < 0)
        return false;
    termios t{};
    tcgetattr(m_Keeper, &t);
    cfmakeraw(&t);
    tcsetattr(m_Keeper, TCSANOW, &t);
    fcntl(m_Master, F_SETFL, fcntl(m_Master, F_GETFL) | O_NONBLOCK);
    if (pipe2(m_StopPipe, O_CLOEXEC) != 0)
        return false;
    if (!m_TranscriptPath.empty()) {
        m_Transcript.open(m_TranscriptPath, std::ios::binary);
        m_Times.open(m_TranscriptPath.string() + ".times");
    }
    m_Thread = std::thread([this] { Serve(); });
    return true;
}

void PtyInstrument::Stop()
{
    if (m_Thread.joinable()) {
        const char stop = 'x';
        (void)!::write(m_StopPipe[1], &stop, 1);
        m_Thread.join();
    }
    if (m_Pusher.joinable())
        m_Pusher.join();
    CloseLine();
    for (int& fd : m_StopPipe)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}

void PtyInstrument::CloseLine()
{
    std::lock_guard lock(m_Mutex);
    if (m_Keeper >= 0)
        ::close(m_Keeper);
    if (m_Master >= 0)
        ::close(m_Master);
    m_Keeper = m_Master = -1;
}

std::vector<std::uint8_t> PtyInstrument::Received() const
{
    std::lock_guard lock(m_Mutex);
    return m_Received;
}

bool PtyInstrument::WriteAll(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_Master, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd p[2] = {{m_Master, POLLOUT, 0}, {m_StopPipe[0], POLLIN, 0}};
        ::poll(p, 2, -1);
        if (p[1].revents)
            return false;
    }
    return true;
}

bool PtyInstrument::Push(std::span<const std::uint8_t> bytes)
{
    return m_Master >= 0 && WriteAll(bytes);
}

void PtyInstrument::PushWhenOpened(std::vector<std::uint8_t> bytes)
{
    if (m_Pusher.joinable())
        m_Pusher.join();
    termios line{};
    if (m_Keeper < 0 || tcgetattr(m_Keeper, &line) != 0)
        return;
    line.c_cc[VTIME] = kUnopenedMark;
    tcsetattr(m_Keeper, TCSANOW, &line);
    m_Pusher = std::thread([this, bytes = std::move(bytes)] {
        for (;;) {
            termios t{};
            if (tcgetattr(m_Keeper, &t) != 0)
                return;
            if (t.c_cc[VTIME] != kUnopenedMark)
                break;
            pollfd stop{m_StopPipe[0], POLLIN, 0};
            if (::poll(&stop, 1, 2) > 0)
                return;
        }
        // The program flushes the input right after setting the line up.
        pollfd stop{m_StopPipe[0], POLLIN, 0};
        if (::poll(&stop, 1, 5) > 0)
            return;
        WriteAll(bytes);
    });
}

void PtyInstrument::Serve()
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> buffer(4096);
    for (;;) {
        pollfd p[2] = {{m_Master, POLLIN, 0}, {m_StopPipe[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0 && errno != EINTR)
            return;
        if (p[1].revents)
            return;
        const ssize_t n = ::read(m_Master, buffer.data(), buffer.size());
        if (n <= 0)
            continue; // the keeper keeps the slave open, so EIO does not last
        const std::span<const std::uint8_t> got(buffer.data(), static_cast<std::size_t>(n));
        {
            std::lock_guard lock(m_Mutex);
            m_Received.insert(m_Received.end(), got.begin(), got.end());
        }
        if (m_Transcript.is_open()) {
            m_Transcript.write(reinterpret_cast<const char*>(got.data()), n).flush();
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            m_Times << ms.count() << ' ' << n << '\n' << std::flush;
        }
        const InstrumentModel::Output out = m_Model.Receive(got);
        if (!WriteAll(out.bytes))
            return;
        if (out.stopReading) {
            // The unit hangs: it reads nothing more until it is stopped.
            pollfd stop{m_StopPipe[0], POLLIN, 0};
            while (::poll(&stop, 1, -1) < 0 && errno == EINTR) {
            }
            return;
        }
        if (out.disconnect) {
            // The line goes down: the program's reads end at once.
            tcdrain(m_Master);
            CloseLine();
            return;
        }
    }
}

} // namespace orlu::sim
