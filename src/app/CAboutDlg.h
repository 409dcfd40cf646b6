#pragma once
// The About box of the Help menu.

#include <QDialog>

namespace orlu {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace orlu
