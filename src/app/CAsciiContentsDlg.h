#pragma once
// The "ASCII DOWNLOAD CONTENTS" dialog: six contents in two groups, the
// header box and three lists over the Qt-free model, which decides what is
// enabled, what OK accepts and what Cancel leaves.

#include "presentation/AsciiContents.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace orlu {

class CAsciiContentsDlg : public QDialog {
    Q_OBJECT
public:
    CAsciiContentsDlg(AsciiContentsModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void Show();

    AsciiContentsModel& m_Model;
    UserInteraction& m_Ui;
    std::array<QRadioButton*, kAsciiContentCount> m_Contents{};
    QCheckBox* m_Header;
    std::array<QLabel*, 3> m_Labels{};
    QComboBox* m_Decimal;
    QComboBox* m_Separator;
    QComboBox* m_TableForm;
};

/// Runs the dialog through the runner on the settings' choices; true when a
/// content was accepted (then stored in the settings), false after Cancel.
bool RunAsciiContents(AppSettings& settings, std::uint8_t deviceSelector, UserInteraction& ui,
                      const std::function<int(QDialog&)>& run, QWidget* parent);

} // namespace orlu
