#include "app/dialogs/CTargetPathDlg.h"

#include "app/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orlu {

CTargetPathDlg::CTargetPathDlg(TargetPathModel& model, QWidget* parent) : QDialog(parent), m_Model(model)
{
    setWindowTitle(QString::fromStdString(model.Caption()));
    auto* layout = new QVBoxLayout(this);
    m_Path = new QLabel(this);
    m_Path->setFrameShape(QFrame::Panel);
    m_Path->setFrameShadow(QFrame::Sunken);
    layout->addWidget(m_Path);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    m_Tree = new QTreeWidget(this);
    m_Tree->setHeaderHidden(true);
    m_Tree->setMinimumSize(280, 260);
    left->addWidget(m_Tree);
    m_NameEdit = new QLineEdit(this);
    m_NameEdit->setEnabled(false);
    m_NameEdit->setPlaceholderText("folder name");
    left->addWidget(m_NameEdit);
    middle->addLayout(left);

    auto* right = new QVBoxLayout;
    m_Floppy = new QCheckBox("don't use floppy drives (A:,B:)", this);
    m_Floppy->setEnabled(false); // kept in the settings; there are no floppy drives here
    right->addWidget(m_Floppy);
    m_Create = new QPushButton("Create subfolder", this);
    m_Rename = new QPushButton("Rename folder", this);
    m_Delete = new QPushButton("Delete folder", this);
    for (QPushButton* b : {m_Create, m_Rename, m_Delete}) {
        b->setAutoDefault(false);
        right->addWidget(b);
    }
    auto* naming = new QGroupBox("Naming method for subfolder", this);
    auto* namingLayout = new QVBoxLayout(naming);
    for (int i = 0; i < 3; ++i) {
        m_Naming[i] = new QRadioButton(naming);
        namingLayout->addWidget(m_Naming[i]);
        connect(m_Naming[i], &QRadioButton::clicked, this, [this, i] {
            m_Model.SetNaming(i + 1);
            Show();
        });
    }
    right->addWidget(naming);
    m_LeaveFocus = new QCheckBox("leave focus on the parent folder", this);
    right->addWidget(m_LeaveFocus);
    right->addStretch();
    m_Keep = new QCheckBox("keep unchanged", this);
    right->addWidget(m_Keep);
    middle->addLayout(right);
    layout->addLayout(middle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTargetPathDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTargetPathDlg::reject);
    layout->addWidget(buttons);

    connect(m_Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_Showing && item)
            m_Model.Select(item->data(0, Qt::UserRole).toInt());
        if (!m_Showing)
            Show();
    });
    connect(m_Tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (m_Showing)
            return;
        const int node = item->data(0, Qt::UserRole).toInt();
        if (!m_Model.At(node).loaded) {
            m_Model.Expand(node);
            Show();
        }
    });
    connect(m_Create, &QPushButton::clicked, this, [this] {
        ReadOptions();
        m_Model.CreateSubfolder();
        Show();
    });
    connect(m_Rename, &QPushButton::clicked, this, [this] {
        m_Model.RenameFolder();
        Show();
    });
    connect(m_Delete, &QPushButton::clicked, this, [this] {
        m_Model.DeleteFolder();
        Show();
    });
    connect(m_NameEdit, &QLineEdit::returnPressed, this, [this] {
        m_Model.EndLabelEdit(ToPath(m_NameEdit->text()));
        Show();
    });
    for (QCheckBox* box : {m_LeaveFocus, m_Keep})
        connect(box, &QCheckBox::toggled, this, [this] { ReadOptions(); });
    Show();
}

void CTargetPathDlg::ReadOptions()
{
    if (m_Showing)
        return;
    m_Model.SetKeepUnchanged(m_Keep->isChecked());
    m_Model.SetLeaveFocusOnParent(m_LeaveFocus->isChecked());
}

void CTargetPathDlg::AddItems(QTreeWidgetItem* parentItem, int node)
{
    const TargetPathModel::Node& n = m_Model.At(node);
    auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_Tree);
    item->setText(0, DisplayText(n.name));
    item->setData(0, Qt::UserRole, node);
    item->setChildIndicatorPolicy(n.hasChildren ? QTreeWidgetItem::ShowIndicator
                                                : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    for (int child : n.children)
        AddItems(item, child);
    if (n.loaded && !n.children.empty())
        item->setExpanded(true);
    if (node == m_Model.Selected())
        m_Tree->setCurrentItem(item);
}

void CTargetPathDlg::Show()
{
    m_Showing = true;
    m_Tree->clear();
    for (int root : m_Model.Roots())
        AddItems(nullptr, root);
    if (QTreeWidgetItem* current = m_Tree->currentItem())
        m_Tree->scrollToItem(current);
    m_Path->setText(DisplayText(m_Model.PathText()));
    m_Rename->setEnabled(m_Model.FolderCommandsEnabled());
    m_Delete->setEnabled(m_Model.FolderCommandsEnabled());
    const TargetPathOptions& o = m_Model.Options();
    for (int i = 0; i < 3; ++i) {
        m_Naming[i]->setText(DisplayText(m_Model.NamingText(i + 1)));
        m_Naming[i]->setChecked(o.subfolderNaming == i + 1);
    }
    m_Floppy->setChecked(o.dontUseFloppy);
    m_LeaveFocus->setChecked(o.leaveFocusOnParent);
    m_Keep->setChecked(o.keepUnchanged);
    const bool editing = m_Model.EditItem() >= 0;
    m_NameEdit->setEnabled(editing);
    m_NameEdit->setText(editing ? DisplayText(m_Model.EditText()) : QString());
    if (editing) {
        m_NameEdit->setFocus();
        m_NameEdit->selectAll();
    }
    m_Showing = false;
}

void CTargetPathDlg::accept()
{
    ReadOptions();
    const bool ends = m_Model.Ok(ToPath(m_NameEdit->text()));
    Show();
    if (ends)
        QDialog::accept();
}

void CTargetPathDlg::reject()
{
    const bool ends = m_Model.Cancel();
    Show();
    if (ends)
        QDialog::reject();
}

} // namespace orlu
