#include "app/ShutdownSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace orlu {

ShutdownSignals::ShutdownSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), m_OnSignal(std::move(onSignal))
{
    if (::pipe2(s_Pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        s_Pipe[0] = s_Pipe[1] = -1;
        return;
    }
    m_Notifier = new QSocketNotifier(s_Pipe[0], QSocketNotifier::Read, this);
    connect(m_Notifier, &QSocketNotifier::activated, this, &ShutdownSignals::Drain);

    struct sigaction action {};
    action.sa_handler = &ShutdownSignals::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &m_OldTerm);
    ::sigaction(SIGINT, &action, &m_OldInt);
}

ShutdownSignals::~ShutdownSignals()
{
    if (s_Pipe[0] < 0)
        return;
    ::sigaction(SIGTERM, &m_OldTerm, nullptr);
    ::sigaction(SIGINT, &m_OldInt, nullptr);
    delete m_Notifier;
    ::close(s_Pipe[0]);
    ::close(s_Pipe[1]);
    s_Pipe[0] = s_Pipe[1] = -1;
}

void ShutdownSignals::Handler(int signal)
{
    // Only async-signal-safe work here: one byte into the pipe.
    int savedErrno = errno;
    unsigned char byte = static_cast<unsigned char>(signal);
    if (s_Pipe[1] >= 0) {
        [[maybe_unused]] ssize_t written = ::write(s_Pipe[1], &byte, 1);
    }
    errno = savedErrno;
}

void ShutdownSignals::Drain()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(s_Pipe[0], &byte, 1) == 1)
        last = byte;
    if (last != 0 && m_OnSignal)
        m_OnSignal(last);
}

} // namespace orlu
