#pragma once
// "Choice the name for the file being uploaded to the ORLU unit ...": the
// instrument's files in a fixed-pitch list, Details, Refresh, the name field
// (upper case, 8 characters) and the disabled File type list, over the
// Qt-free model, which lists, checks and asks.

#include "presentation/UploadNameModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace orlu {

class CUploadNameDlg : public QDialog {
    Q_OBJECT
public:
    CUploadNameDlg(UploadNameModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void ShowList();

    UploadNameModel& m_Model;
    UserInteraction& m_Ui;
    QLabel* m_ReadAt;
    QListWidget* m_Files;
    QCheckBox* m_Details;
    QLabel* m_Total;
    QLineEdit* m_Name;
    QComboBox* m_FileType;
};

} // namespace orlu
