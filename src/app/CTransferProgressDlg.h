#pragma once
// The progress dialog of a transfer with the instrument, on the GUI thread
// while the transfer runs on a worker: every 10 ms it shows the status line
// and the bar (or the received count when catching output) from the shared
// progress, and closes once the transfer has ended. Cancel (and Finish when
// catching printed output) becomes a request; on USB the dialog stays, with
// Cancel greyed in the download dialog, until the transfer has stopped.

#include "link/TransferProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orlu {

class CTransferProgressDlg : public QDialog {
    Q_OBJECT
public:
    /// catchOutput: the catch dialog (received count, Finish unless `noFinish`).
    CTransferProgressDlg(TransferProgress& progress, bool usb, bool catchOutput, bool noFinish = false,
                         QWidget* parent = nullptr);

    /// One timer tick (public so tests can step it).
    void Tick();

protected:
    void reject() override;

private:
    void RequestStop(TransferRequest request);

    TransferProgress& m_Progress;
    bool m_Usb;
    QLabel* m_Status;
    QProgressBar* m_Bar;
    QPushButton* m_Cancel;
    QPushButton* m_Finish = nullptr;
    QTimer* m_Timer;
    bool m_CatchOutput = false;
};

} // namespace orlu
