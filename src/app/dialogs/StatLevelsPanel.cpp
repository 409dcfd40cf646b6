#include "app/dialogs/StatLevelsPanel.h"

#include "app/dialogs/DialogBoxes.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orlu {

StatLevelsPanel::StatLevelsPanel(UserInteraction& ui, QWidget* parent) : QWidget(parent), m_Ui(ui)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_Group = new QGroupBox("Selected statistical levels definitions", this);
    auto* grid = new QGridLayout(m_Group);
    for (std::size_t i = 0; i < m_Boxes.size(); ++i) {
        const int row = static_cast<int>(i % 5), column = static_cast<int>(i / 5) * 2;
        m_Boxes[i] = new NumberBox({LevelPanel::kLevelIds[i], NumberKind::Byte, 1, 99}, m_Group);
        grid->addWidget(new QLabel(QString("%1.").arg(i + 1), m_Group), row, column);
        grid->addWidget(m_Boxes[i], row, column + 1);
    }
    layout->addWidget(m_Group);
    m_Ascending = new QPushButton("ascending order", this);
    m_Ascending->setObjectName("ascending");
    m_Ascending->setAutoDefault(false);
    layout->addWidget(m_Ascending);
    m_UseAll = new QCheckBox("use all statistical levels ( L1 .. L99 )", this);
    m_UseAll->setObjectName("useall");
    layout->addWidget(m_UseAll);
    connect(m_Ascending, &QPushButton::clicked, this, [this] {
        if (onAscending)
            onAscending();
    });
    connect(m_UseAll, &QCheckBox::clicked, this, [this](bool on) {
        if (onUseAll)
            onUseAll(on);
    });
}

void StatLevelsPanel::Show(const StatLevels& levels, bool levelsArea, bool useAll, bool useAllEnabled)
{
    for (std::size_t i = 0; i < m_Boxes.size(); ++i)
        m_Boxes[i]->SetValue(levels[i]);
    m_Group->setEnabled(levelsArea);
    m_Ascending->setEnabled(levelsArea);
    m_UseAll->setEnabled(useAllEnabled);
    m_UseAll->setChecked(useAll);
}

bool StatLevelsPanel::Read(StatLevels& levels) const
{
    StatLevels read{};
    for (std::size_t i = 0; i < m_Boxes.size(); ++i)
        if (!TakeBox(m_Ui, m_Boxes[i]->Edit(), ExchangeByte(m_Boxes[i]->Text(), 1, 99), read[i]))
            return false;
    levels = read;
    return true;
}

} // namespace orlu
