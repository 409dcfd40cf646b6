#include "app/TransferRunner.h"

#include "app/CTransferProgressDlg.h"

#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace orlu {

void RunTransfer(TransferProgress& progress, bool usb, QWidget* parent, const std::function<void()>& transfer)
{
    std::atomic<bool> done{false};
    QEventLoop loop;
    std::unique_ptr<CTransferProgressDlg> dialog;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (done.load()) {
            loop.quit();
            return;
        }
        // A transfer under way gets its window again after a question closed it
        // (not after a Cancel that closed it on RS-232).
        if (!progress.Finished() && progress.Requested() == TransferRequest::None &&
            (!dialog || !dialog->isVisible())) {
            dialog = std::make_unique<CTransferProgressDlg>(progress, usb, false, false, parent);
            // The other windows wait: a document the worker fills or sends must not close under it.
            dialog->setWindowModality(Qt::ApplicationModal);
            // It opens with the status line, not blank until its own first tick.
            dialog->Tick();
            if (!progress.Finished())
                dialog->show();
        }
        if (dialog)
            dialog->setWindowTitle(QString::fromStdString(progress.Title()));
    });
    std::thread worker([&] {
        transfer();
        done = true;
    });
    timer.start(10);
    loop.exec();
    worker.join();
}

} // namespace orlu
