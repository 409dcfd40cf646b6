#pragma once
// "Make a choice !": several files were chosen in the Open dialog; open them
// separately (1), merge them as a Multifile (2), or cancel (0).

#include <QDialog>

namespace orlu {

class CMultiOpenChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CMultiOpenChoiceDlg(int fileCount, QWidget* parent = nullptr);
    /// 0 none (cancelled), 1 open separately, 2 merge as a Multifile.
    int Choice() const { return m_Choice; }

private:
    int m_Choice = 0;
};

} // namespace orlu
