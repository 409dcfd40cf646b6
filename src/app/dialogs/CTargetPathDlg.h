#pragma once
// The TARGET PATH dialog over the folder-tree model: the tree, the chosen
// path, the naming methods, creating, renaming and deleting folders, and
// the three options kept in the settings. A folder's new name is typed into
// the edit box under the tree; Enter (or OK) ends the edit, Esc (or Cancel)
// drops it.

#include "presentation/dialogs/TargetPathModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orlu {

class CTargetPathDlg : public QDialog {
    Q_OBJECT
public:
    CTargetPathDlg(TargetPathModel& model, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    QTreeWidget* Tree() const { return m_Tree; }
    QLineEdit* NameEdit() const { return m_NameEdit; }
    QPushButton* CreateButton() const { return m_Create; }

private:
    void Show();
    void AddItems(QTreeWidgetItem* parentItem, int node);
    void ReadOptions();

    TargetPathModel& m_Model;
    QLabel* m_Path;
    QTreeWidget* m_Tree;
    QLineEdit* m_NameEdit;
    QPushButton* m_Create;
    QPushButton* m_Rename;
    QPushButton* m_Delete;
    std::array<QRadioButton*, 3> m_Naming{};
    QCheckBox* m_Floppy;
    QCheckBox* m_LeaveFocus;
    QCheckBox* m_Keep;
    bool m_Showing = false;
};

} // namespace orlu
