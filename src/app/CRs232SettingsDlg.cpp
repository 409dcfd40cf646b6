#include "app/CRs232SettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace orlu {
namespace {

template <typename Labels>
QComboBox* List(QWidget* parent, const char* name, const Labels& labels)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (std::string_view label : labels)
        combo->addItem(QString::fromLatin1(label.data(), static_cast<int>(label.size())));
    return combo;
}

} // namespace

CRs232SettingsDlg::CRs232SettingsDlg(Rs232SettingsModel& model, QWidget* parent) : QDialog(parent), m_Model(model)
{
    setWindowTitle("RS-232  SETTINGS");
    m_Port = List(this, "port", kPortNames);
    m_Data = List(this, "data", kDataBitsLabels);
    m_Baud = List(this, "baud", model.BaudLabels());
    m_Parity = List(this, "parity", kParityLabels);
    m_Stop = List(this, "stop", kStopBitsLabels);

    auto* form = new QFormLayout(this);
    form->addRow("PORT", m_Port);
    form->addRow("DATA", m_Data);
    form->addRow("BAUD RATE", m_Baud);
    form->addRow("PARITY", m_Parity);
    form->addRow("STOP", m_Stop);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* defaults = buttons->addButton("&Defaults", QDialogButtonBox::ResetRole);
    defaults->setObjectName("defaults");
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.Defaults();
        Show();
    });
    Show();
}

void CRs232SettingsDlg::Show()
{
    m_Port->setCurrentIndex(m_Model.port);
    m_Data->setCurrentIndex(m_Model.dataBits);
    m_Baud->setCurrentIndex(m_Model.baudRate);
    m_Parity->setCurrentIndex(m_Model.parity);
    m_Stop->setCurrentIndex(m_Model.stopBits);
    m_Data->setEnabled(m_Model.DataBitsEnabled());
    m_Baud->setEnabled(m_Model.BaudRateEnabled());
    m_Parity->setEnabled(m_Model.ParityEnabled());
    m_Stop->setEnabled(m_Model.StopBitsEnabled());
}

void CRs232SettingsDlg::ReadBack()
{
    m_Model.port = m_Port->currentIndex();
    m_Model.dataBits = m_Data->currentIndex();
    m_Model.baudRate = m_Baud->currentIndex();
    m_Model.parity = m_Parity->currentIndex();
    m_Model.stopBits = m_Stop->currentIndex();
}

void RunRs232Settings(SerialLinkSettings& settings, std::uint8_t deviceSelector,
                      const std::function<int(QDialog&)>& run, QWidget* parent)
{
    Rs232SettingsModel model(settings, deviceSelector);
    CRs232SettingsDlg dialog(model, parent);
    if (run(dialog) != QDialog::Accepted)
        return;
    dialog.ReadBack();
    model.Accept();
}

} // namespace orlu
