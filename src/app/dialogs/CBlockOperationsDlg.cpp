#include "app/dialogs/CBlockOperationsDlg.h"

#include "app/dialogs/CDrawInBlockDlg.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace orlu {
namespace {

struct ActionRow {
    std::uint8_t action;
    const char* caption;
};

constexpr ActionRow kActions[] = {
    {kBlockRemoveMarkers, "Remove block marker(s)"}, {kBlockDelete, "Delete the block"},
    {kBlockDeleteOutside, "Delete outside the block"}, {kBlockDoNothing, "Do nothing"},
    {kBlockSave, "Save the block as a file"},          {kBlockDraw, "Draw in the block"},
};

} // namespace

CBlockOperationsDlg::CBlockOperationsDlg(BlockOperationsModel& model, QWidget* parent)
    : CBlockOperationsDlg(model, [](QDialog& dialog) { return dialog.exec(); }, parent)
{
}

CBlockOperationsDlg::CBlockOperationsDlg(BlockOperationsModel& model, DialogRunner runDrawInBlock, QWidget* parent)
    : QDialog(parent), m_Model(model), m_RunDrawInBlock(std::move(runDrawInBlock))
{
    setWindowTitle("Buffer block operations");
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < m_Actions.size(); ++i) {
        const ActionRow& a = kActions[i];
        auto* button = new QPushButton(a.caption, this);
        button->setObjectName(QString("action%1").arg(a.action));
        // No button answers Enter: an action is chosen by a click or its own key only.
        button->setAutoDefault(false);
        layout->addWidget(button);
        m_Actions[i] = button;
        if (a.action == kBlockDraw)
            connect(button, &QPushButton::clicked, this, [this] { DrawInBlock(); });
        else
            connect(button, &QPushButton::clicked, this, [this, action = a.action] { Press(action); });
    }
    m_ShowNow = new QCheckBox("show this immidietly", this);
    m_ShowNow->setObjectName("showNow");
    connect(m_ShowNow, &QCheckBox::toggled, this, [this](bool on) { m_Model.ShowNowBox = on ? 1 : 0; });
    layout->addWidget(m_ShowNow);
    Show();
}

QPushButton* CBlockOperationsDlg::ActionButton(std::uint8_t action) const
{
    return action >= 1 && action <= m_Actions.size() ? m_Actions[action - 1u] : nullptr;
}

void CBlockOperationsDlg::Show()
{
    for (const ActionRow& a : kActions)
        ActionButton(a.action)->setEnabled(m_Model.ActionEnabled(a.action));
    m_ShowNow->setChecked(m_Model.ShowNowBox != 0);
}

void CBlockOperationsDlg::Press(std::uint8_t action)
{
    m_Model.Press(action);
    if (m_Model.Ended)
        done(m_Model.m_Action);
}

void CBlockOperationsDlg::DrawInBlock()
{
    DrawInBlockModel draw = m_Model.DrawInBlock();
    CDrawInBlockDlg dialog(draw, this);
    m_RunDrawInBlock(dialog);
    m_Model.DrawInBlockClosed(draw);
    if (m_Model.Ended)
        done(m_Model.m_Action);
}

void CBlockOperationsDlg::reject()
{
    m_Model.Escape();
    QDialog::reject();
}

} // namespace orlu
