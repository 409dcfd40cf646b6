#pragma once
// SIGTERM and SIGINT (the session ending, Ctrl+C) as an event of the GUI
// thread: the handler only writes a byte into a pipe; a socket notifier on
// the other end calls back from the event loop.

#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace orlu {

class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    /// Installs the handlers; the previous ones come back when the object goes.
    explicit ShutdownSignals(std::function<void(int)> onSignal, QObject* parent = nullptr);
    ~ShutdownSignals() override;

private:
    static void Handler(int signal);
    void Drain();

    static inline int s_Pipe[2] = {-1, -1};
    std::function<void(int)> m_OnSignal;
    QSocketNotifier* m_Notifier = nullptr;
    struct sigaction m_OldTerm {};
    struct sigaction m_OldInt {};
};

} // namespace orlu
