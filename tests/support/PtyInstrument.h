#pragma once
// The simulated instrument behind a pseudo-terminal: the program opens the
// slave's path as its COM port. The simulator keeps a slave descriptor of its
// own open, so that the program can close and reopen the port without the
// line going down and without losing bytes.

#include "support/InstrumentModel.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orlu::sim {

class PtyInstrument {
public:
    explicit PtyInstrument(InstrumentModel& model, std::filesystem::path transcript = {});
    ~PtyInstrument();
    PtyInstrument(const PtyInstrument&) = delete;
    PtyInstrument& operator=(const PtyInstrument&) = delete;

    /// Opens the pseudo-terminal and starts serving; false when it cannot.
    bool Start();
    /// Stops serving and closes the pseudo-terminal.
    void Stop();
    const std::string& SlavePath() const { return m_SlavePath; }

    /// Every byte received so far, in order.
    std::vector<std::uint8_t> Received() const;
    /// Writes bytes to the program, as an instrument pushing output does.
    bool Push(std::span<const std::uint8_t> bytes);
    /// Pushes the bytes once the program next opens the port (and sets its
    /// line up), from a thread of its own. Waits for an earlier push to be sent.
    void PushWhenOpened(std::vector<std::uint8_t> bytes);

private:
    void Serve();
    bool WriteAll(std::span<const std::uint8_t> bytes);
    void CloseLine();

    InstrumentModel& m_Model;
    std::filesystem::path m_TranscriptPath;
    std::ofstream m_Transcript;
    std::ofstream m_Times;
    int m_Master = -1;
    int m_Keeper = -1;
    int m_StopPipe[2] = {-1, -1};
    std::string m_SlavePath;
    std::thread m_Thread;
    std::thread m_Pusher;
    mutable std::mutex m_Mutex;
    std::vector<std::uint8_t> m_Received;
};

} // namespace orlu::sim
