#pragma once
// "Channels for Table View": five channel buttons over the Qt-free model,
// which keeps OK disabled until the chosen channels share one input kind.

#include "presentation/view/TableOptionsModel.h"

#include <QDialog>

#include <array>

class QPushButton;

namespace orlu {

class CTableChannelsDlg : public QDialog {
public:
    explicit CTableChannelsDlg(TableChannelsModel& model, QWidget* parent = nullptr);

private:
    void Show();

    TableChannelsModel& m_Model;
    std::array<QPushButton*, TableChannelsModel::kButtons> m_Buttons{};
    QPushButton* m_Ok;
};

} // namespace orlu
