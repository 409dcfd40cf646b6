#pragma once
// The "Access  ORLU unit  file(s)" dialog: the instrument's files in a
// fixed-pitch list with the buttons, check boxes, File name, File type and
// the three texts. Every decision is the Qt-free model's; the dialog shows
// the model after each of the user's actions and ends when the model says so.

#include "presentation/UnitFilesDialogModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orlu {

class CUnitFilesDlg : public QDialog {
    Q_OBJECT
public:
    /// pathForDownload: the Target path button's command (may be empty).
    CUnitFilesDlg(UnitFilesDialogModel& model, std::function<void()> pathForDownload = {},
                  QWidget* parent = nullptr);

    /// The model's state into the controls.
    void Show();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void End(bool ended);
    /// Selects the lines the model holds selected, without reporting a change.
    void ShowSelection();

    UnitFilesDialogModel& m_Model;
    QListWidget* m_List;
    QPushButton* m_Open;
    QPushButton* m_Download;
    QPushButton* m_Ascii;
    QPushButton* m_Merge;
    QPushButton* m_Delete;
    QPushButton* m_SelectAll;
    QPushButton* m_DeselectAll;
    QPushButton* m_TargetPath;
    QCheckBox* m_Details;
    QCheckBox* m_MoreDetails;
    QCheckBox* m_Sort;
    QCheckBox* m_Multichoice;
    QLineEdit* m_FileName;
    QLabel* m_FileNameLabel;
    QComboBox* m_FileType;
    QLabel* m_ReadAt;
    QLabel* m_Total;
    QLabel* m_SelectedCount;
    bool m_Showing = false;
};

} // namespace orlu
