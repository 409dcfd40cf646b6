#pragma once
// One page of the remote-control sheet: Qt controls over a page model, laid
// out from a table of rows. A user action runs the model's handler and the
// whole page is shown again from the model, so the model alone decides the
// lists, selections, enabling and texts.

#include "presentation/remote/RemotePageModel.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QCheckBox;
class QLineEdit;

namespace orlu {

/// One control: a list, an edit, a check box or a shown text, in a group.
struct RemoteControlRow {
    int id = 0;
    QString group;
    QString label;
    ListState* list = nullptr;
    std::function<bool(int)> select;
    EditState* edit = nullptr;
    std::function<bool()> leave;
    bool* check = nullptr;
    std::function<bool(bool)> click;
    const std::string* text = nullptr;
    QString suffix; ///< a label after the control ("%")
};

class RemotePageWidget : public QWidget {
    Q_OBJECT
public:
    RemotePageWidget(RemotePageModel& model, std::vector<RemoteControlRow> rows, QWidget* parent = nullptr);

    RemotePageModel& Model() { return m_Model; }
    /// The model's state into the controls.
    void ShowModel();
    /// The control of an id (tests, screenshots).
    QWidget* Control(int id) const;

signals:
    void Modified();

private:
    void Handled(bool accepted, QWidget* control);

    RemotePageModel& m_Model;
    std::vector<RemoteControlRow> m_Rows;
    std::vector<QWidget*> m_Controls;
};

} // namespace orlu
