#pragma once
// The "RS-232  SETTINGS" dialog: five lists and the Defaults button over the
// Qt-free model, which decides what is offered, enabled and kept.

#include "presentation/Rs232SettingsModel.h"

#include <QDialog>

#include <functional>

class QComboBox;

namespace orlu {

class CRs232SettingsDlg : public QDialog {
    Q_OBJECT
public:
    CRs232SettingsDlg(Rs232SettingsModel& model, QWidget* parent = nullptr);

    /// The lists' selections into the model (OK reads them back).
    void ReadBack();

private:
    void Show();

    Rs232SettingsModel& m_Model;
    QComboBox* m_Port;
    QComboBox* m_Data;
    QComboBox* m_Baud;
    QComboBox* m_Parity;
    QComboBox* m_Stop;
};

/// Runs the dialog through the runner; on OK the selections go into use.
void RunRs232Settings(SerialLinkSettings& settings, std::uint8_t deviceSelector,
                      const std::function<int(QDialog&)>& run, QWidget* parent);

} // namespace orlu
