#pragma once
// "OPTIONS FOR GRAPHIC FORM (reverberation time procedure)": the print zoom,
// autoscaling, where the procedure starts and the one method the graph
// shows, over the Qt-free model. The opener reads the model whatever closed it.

#include "presentation/view/RtGraphOptionsModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace orlu {

class CRtGraphOptionsDlg : public QDialog {
public:
    explicit CRtGraphOptionsDlg(RtGraphOptionsModel& model, QWidget* parent = nullptr);

    void accept() override;

private:
    void Show();

    RtGraphOptionsModel& m_Model;
    QSpinBox* m_Zoom;
    QCheckBox* m_NoAutoScale;
    QCheckBox* m_StartWithTotal;
    QCheckBox* m_ManualT0;
    std::array<QRadioButton*, 4> m_Methods{};
};

} // namespace orlu
