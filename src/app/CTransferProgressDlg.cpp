#include "app/CTransferProgressDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orlu {

CTransferProgressDlg::CTransferProgressDlg(TransferProgress& progress, bool usb, bool catchOutput, bool noFinish,
                                           QWidget* parent)
    : QDialog(parent), m_Progress(progress), m_Usb(usb)
{
    setWindowTitle(QString::fromStdString(progress.Title()));
    auto* layout = new QVBoxLayout(this);
    // A window opened again partway through a transfer finds the status line
    // taken by the one before it: it shows the current one, not a blank.
    m_Status = new QLabel(catchOutput ? QString() : QString::fromStdString(progress.Text()), this);
    m_Status->setObjectName("status");
    layout->addWidget(catchOutput ? new QLabel("Number of recived bytes:", this) : m_Status);
    if (catchOutput)
        layout->addWidget(m_Status);
    m_Bar = new QProgressBar(this);
    m_Bar->setRange(0, 100);
    m_Bar->setValue(0);
    layout->addWidget(m_Bar);
    auto* buttons = new QHBoxLayout;
    if (catchOutput && !noFinish) {
        m_Finish = new QPushButton("Finish", this);
        m_Finish->setObjectName("finish");
        connect(m_Finish, &QPushButton::clicked, this, [this] { RequestStop(TransferRequest::Finish); });
        buttons->addWidget(m_Finish);
    }
    m_Cancel = new QPushButton("Cancel", this);
    m_Cancel->setObjectName("cancel");
    connect(m_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_Cancel);
    layout->addLayout(buttons);
    m_Timer = new QTimer(this);
    connect(m_Timer, &QTimer::timeout, this, &CTransferProgressDlg::Tick);
    m_Timer->start(10);
    m_CatchOutput = catchOutput;
}

void CTransferProgressDlg::Tick()
{
    if (m_Progress.Finished()) {
        m_Timer->stop();
        accept();
        return;
    }
    if (auto text = m_Progress.TakeChangedText(); text && !m_CatchOutput)
        m_Status->setText(QString::fromStdString(*text));
    if (m_CatchOutput)
        m_Status->setText(QString::number(m_Progress.Received()));
    m_Bar->setValue(m_Progress.Percent());
}

void CTransferProgressDlg::RequestStop(TransferRequest request)
{
    // After the end, or on RS-232, the dialog closes; on USB it waits for the transfer.
    if (!m_Progress.Request(request, m_Usb) || !m_Usb) {
        m_Timer->stop();
        QDialog::reject();
        return;
    }
    if (!m_Finish)
        m_Cancel->setEnabled(false);
}

void CTransferProgressDlg::reject()
{
    RequestStop(TransferRequest::Cancel);
}

} // namespace orlu
