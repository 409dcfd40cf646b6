#pragma once
// "SPECTRA FUNCTIONS": channel A and B buttons, the ten function buttons,
// the display form and two check boxes over the Qt-free model, which decides
// what is enabled and checked after every click. Nothing is typed in.

#include "presentation/view/SpectraFunctionsModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace orlu {

class CSpectraFunctionsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChannels = 5;
    static constexpr int kFunctions = 10;
    static constexpr int kForms = 4;

    /// The model is opened (SpectraFunctionsModel::Open) by the caller.
    explicit CSpectraFunctionsDlg(SpectraFunctionsModel& model, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void Show();
    /// Closes the dialog once a click ended the model (a function with "Immediately accept").
    void CloseWhenEnded();

    SpectraFunctionsModel& m_Model;
    std::array<QPushButton*, kChannels> m_ChannelA{};
    std::array<QPushButton*, kChannels> m_ChannelB{};
    std::array<QPushButton*, kFunctions> m_Functions{};
    std::array<QRadioButton*, kForms> m_Forms{};
    QCheckBox* m_AcceptAtOnce = nullptr;
    QCheckBox* m_OneSpectrum = nullptr;
};

} // namespace orlu
