#include "app/RemotePageWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <map>

namespace orlu {

RemotePageWidget::RemotePageWidget(RemotePageModel& model, std::vector<RemoteControlRow> rows, QWidget* parent)
    : QWidget(parent), m_Model(model), m_Rows(std::move(rows))
{
    auto* columns = new QHBoxLayout(this);
    std::map<QString, QFormLayout*> groups;
    std::vector<QString> order;
    for (const RemoteControlRow& row : m_Rows)
        if (!groups.count(row.group)) {
            auto* box = new QGroupBox(row.group, this);
            groups[row.group] = new QFormLayout(box);
            order.push_back(row.group);
            columns->addWidget(box, 0, Qt::AlignTop);
        }
    for (RemoteControlRow& row : m_Rows) {
        QWidget* control = nullptr;
        if (row.list) {
            auto* combo = new QComboBox(this);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            QObject::connect(combo, &QComboBox::activated, this, [this, &row, combo](int index) {
                Handled(row.select(index), combo);
            });
            control = combo;
        } else if (row.edit) {
            auto* edit = new QLineEdit(this);
            if (row.edit->limit)
                edit->setMaxLength(static_cast<int>(row.edit->limit));
            QObject::connect(edit, &QLineEdit::textEdited, this,
                             [&row](const QString& text) { row.edit->Type(text.toStdString()); });
            QObject::connect(edit, &QLineEdit::editingFinished, this, [this, &row, edit] {
                if (row.edit->text == row.edit->beforeChange)
                    return;
                Handled(row.leave(), edit);
            });
            control = edit;
        } else if (row.check) {
            auto* check = new QCheckBox(row.label, this);
            QObject::connect(check, &QCheckBox::clicked, this,
                             [this, &row, check](bool on) { Handled(row.click(on), check); });
            control = check;
        } else {
            auto* shown = new QLineEdit(this);
            shown->setEnabled(false);
            control = shown;
        }
        control->setObjectName(QString::number(row.id));
        m_Controls.push_back(control);
        QWidget* field = control;
        if (!row.suffix.isEmpty()) {
            field = new QWidget(this);
            auto* line = new QHBoxLayout(field);
            line->setContentsMargins(0, 0, 0, 0);
            line->addWidget(control);
            line->addWidget(new QLabel(row.suffix, field));
        }
        if (row.check)
            groups[row.group]->addRow(field);
        else
            groups[row.group]->addRow(row.label, field);
    }
}

QWidget* RemotePageWidget::Control(int id) const
{
    for (std::size_t i = 0; i < m_Rows.size(); ++i)
        if (m_Rows[i].id == id)
            return m_Controls[i];
    return nullptr;
}

void RemotePageWidget::Handled(bool accepted, QWidget* control)
{
    ShowModel();
    emit Modified();
    if (!accepted)
        control->setFocus();
}

void RemotePageWidget::ShowModel()
{
    for (std::size_t i = 0; i < m_Rows.size(); ++i) {
        const RemoteControlRow& row = m_Rows[i];
        QWidget* control = m_Controls[i];
        const QSignalBlocker block(control);
        if (row.list) {
            auto* combo = static_cast<QComboBox*>(control);
            combo->clear();
            for (const std::string& entry : row.list->entries)
                combo->addItem(QString::fromStdString(entry));
            combo->setCurrentIndex(row.list->selection);
            // The lists change with the settings: each keeps room for its longest entry.
            combo->setMinimumWidth(combo->sizeHint().width());
            combo->setEnabled(row.list->enabled);
        } else if (row.edit) {
            static_cast<QLineEdit*>(control)->setText(QString::fromStdString(row.edit->text));
        } else if (row.check) {
            static_cast<QCheckBox*>(control)->setChecked(*row.check);
        } else {
            static_cast<QLineEdit*>(control)->setText(QString::fromStdString(*row.text));
        }
    }
}

} // namespace orlu
