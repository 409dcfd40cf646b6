#include "app/views/QtLongFormRunner.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <vector>

namespace orlu {
namespace {

constexpr int kProgressScale = 1000;

/// The build's port off the GUI thread: it keeps the messages for later. A
/// long form asks no questions; one that did would get Cancel.
class HeldMessages : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                              MessageIcon icon, MessageResult defaultButton) override
    {
        m_Messages.push_back({std::string(text), std::string(caption), buttons, icon, defaultButton});
        return defaultButton;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::Cancel; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::Cancel; }

    void ShowTo(UserInteraction& ui) const
    {
        for (const Message& m : m_Messages)
            ui.ShowMessage(m.text, m.caption, m.buttons, m.icon, m.defaultButton);
    }

private:
    struct Message {
        std::string text;
        std::string caption;
        MessageButtons buttons;
        MessageIcon icon;
        MessageResult defaultButton;
    };
    std::vector<Message> m_Messages;
};

} // namespace

bool QtLongFormRunner::Run(std::string_view label, const Build& build, UserInteraction& ui)
{
    ProgressState progress;
    HeldMessages messages;
    std::atomic<bool> finished{false};
    bool cancelled = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            build(messages, progress);
        } catch (const OperationCancelled&) {
            cancelled = true;
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(true, std::memory_order_release);
    });
    {
        QProgressDialog dialog(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())),
                               QProgressDialog::tr("Cancel"), 0, kProgressScale, m_Parent);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(kShowAfterMs);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        QEventLoop loop;
        QTimer poll;
        bool polling = false; // a modal dialog's setValue runs events, this timer's among them
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (polling)
                return;
            polling = true;
            if (dialog.wasCanceled())
                progress.RequestCancel(); // the build stops at its next check and ends the loop
            if (finished.load(std::memory_order_acquire))
                loop.quit();
            else if (!dialog.wasCanceled())
                dialog.setValue(progress.Share(kProgressScale));
            polling = false;
        });
        poll.start(kPollMs);
        loop.exec();
    }
    worker.join();
    messages.ShowTo(ui);
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}

} // namespace orlu
