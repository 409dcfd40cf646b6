#pragma once
// The ten statistical levels of the table and graph option dialogs, with
// "ascending order" and "use all statistical levels ( L1 .. L99 )". The
// dialog keeps the levels in its model; this panel shows them and reads
// them back through the exchange (1..99 each).

#include "app/dialogs/NumberBox.h"
#include "presentation/view/ViewOptionsRules.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace orlu {

class StatLevelsPanel : public QWidget {
public:
    StatLevelsPanel(UserInteraction& ui, QWidget* parent = nullptr);

    /// levelsArea: the boxes can be edited (levels offered and use all clear).
    void Show(const StatLevels& levels, bool levelsArea, bool useAll, bool useAllEnabled);
    /// The ten boxes; false (with the message on the refused box) when one is refused.
    bool Read(StatLevels& levels) const;

    /// "ascending order" and the use-all box; the dialog reads its controls and shows them again.
    std::function<void()> onAscending;
    std::function<void(bool)> onUseAll;

    NumberBox* Box(int i) const { return m_Boxes[static_cast<std::size_t>(i)]; }
    QCheckBox* UseAllBox() const { return m_UseAll; }
    QPushButton* AscendingButton() const { return m_Ascending; }

private:
    UserInteraction& m_Ui;
    QGroupBox* m_Group;
    std::array<NumberBox*, 10> m_Boxes{};
    QPushButton* m_Ascending;
    QCheckBox* m_UseAll;
};

} // namespace orlu
