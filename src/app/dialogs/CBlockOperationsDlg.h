#pragma once
// "Buffer block operations": one button per action on the marked block and
// the "show this immidietly" box, over the Qt-free model. Its "Draw in the
// block" button runs "Draw in the block" on top; cancelled, this dialog stays.
// Esc (or the close box) ends it with action 0; the dialog's result is the
// action.

#include "presentation/view/BlockOperationsModel.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QPushButton;

namespace orlu {

class CBlockOperationsDlg : public QDialog {
    Q_OBJECT
public:
    /// Runs a dialog modally and returns its result (QDialog::exec, or the program's runner).
    using DialogRunner = std::function<int(QDialog&)>;

    /// The model is opened (BlockOperationsModel::Open) by the caller.
    CBlockOperationsDlg(BlockOperationsModel& model, DialogRunner runDrawInBlock, QWidget* parent = nullptr);
    explicit CBlockOperationsDlg(BlockOperationsModel& model, QWidget* parent = nullptr);

    QPushButton* ActionButton(std::uint8_t action) const;
    void reject() override;

private:
    void Press(std::uint8_t action);
    void DrawInBlock();
    void Show();

    BlockOperationsModel& m_Model;
    DialogRunner m_RunDrawInBlock;
    std::array<QPushButton*, 6> m_Actions{};
    QCheckBox* m_ShowNow = nullptr;
};

} // namespace orlu
