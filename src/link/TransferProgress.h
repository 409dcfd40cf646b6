#pragma once
// What a transfer with the instrument shows while it runs, shared between the
// worker thread doing the transfer and the progress dialog on the GUI thread,
// which polls it on a timer: counts and flags as atomics, the title and the
// status line under a lock. The dialog turns Cancel (or Finish, when catching
// output) into a request the transfer sees at its next SetProgress.

#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace orlu {

enum class TransferRequest : int { None = 0, Cancel = 1, Finish = 2 };

/// A count of a transfer as SetProgress takes it: totals beyond the range of
/// an int are scaled to a million steps.
inline int ProgressCount(std::uint64_t value, std::uint64_t total)
{
    return total <= INT_MAX ? static_cast<int>(value) : static_cast<int>(value * 1000000 / total);
}

class TransferProgress {
public:
    // The transfer's side.
    /// A new transfer: counts, requests and the finished flag cleared.
    void Begin(std::string title);
    /// A new status line; the bar starts again at 0 of 1.
    void SetText(std::string text);
    /// The counts; the request the user made so far.
    TransferRequest SetProgress(int total, int done);
    void SetReceived(int count) { m_Received.store(count); }
    /// Every transfer ends with this, cancelled or not; the dialog then closes.
    void End();
    /// On USB a request waits for the transfer to stop the reader.
    bool UsbCancelPending() const { return m_UsbPending.load() != 0; }

    // The dialog's side.
    /// The user's Cancel (or Finish); on USB the dialog stays until End.
    /// False when the transfer had ended already (the dialog just closes).
    bool Request(TransferRequest request, bool usb);
    bool Finished() const { return m_Finished.load(); }
    std::string Title() const;
    /// The status line when it changed since the last call.
    std::optional<std::string> TakeChangedText();
    /// The status line as it is now, changed or not: what a dialog opened
    /// partway through shows at once.
    std::string Text() const;
    /// The bar's position: done x 100 / total, 0 while the total is 0.
    int Percent() const;
    int Received() const { return m_Received.load(); }
    TransferRequest Requested() const { return static_cast<TransferRequest>(m_Request.load()); }

    /// Called by SetProgress on the transfer's side before it answers: a
    /// stand-in for the user that requests at a chosen count. Set before the
    /// transfer starts; Begin keeps it.
    std::function<void(TransferProgress& progress, int total, int done)> onProgress;

private:
    mutable std::mutex m_TextMutex;
    std::string m_Title;
    std::string m_Text;
    bool m_TextChanged = false;
    std::atomic<int> m_Total{0};
    std::atomic<int> m_Done{0};
    std::atomic<int> m_Received{0};
    std::atomic<int> m_Request{0};
    std::atomic<int> m_UsbPending{0};
    std::atomic<bool> m_Finished{false};
};

/// Makes the progress request Cancel as soon as a transfer reports `count`
/// bytes done (orlu-link --cancel-after, tests of Cancel at a known point).
void CancelWhenDone(TransferProgress& progress, int count, bool usb);

} // namespace orlu
