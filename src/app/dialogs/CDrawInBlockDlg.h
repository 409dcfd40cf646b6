#pragma once
// "Draw in the block": the four results drawn over a marked block, as check
// boxes over the Qt-free model (which hides, disables and ticks them).

#include "presentation/view/BlockOperationsModel.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace orlu {

class CDrawInBlockDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDrawInBlockDlg(DrawInBlockModel& model, QWidget* parent = nullptr);

    void accept() override;

private:
    void Show();

    DrawInBlockModel& m_Model;
    std::array<QCheckBox*, 4> m_Boxes{};
};

} // namespace orlu
