#pragma once
// The option dialogs of the text forms (157, 178, 201), "EDIT OPTIONS"
// (229), "SPECTRUM PEAKS OPTIONS" (265) and "Created format choice" (277),
// each over its Qt-free model.

#include "app/dialogs/NumberBox.h"
#include "presentation/dialogs/EditOptionsModel.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"
#include "presentation/pictures/ViewExport.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace orlu {

class CTextOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CTextOptionsDlg(TextOptionsDialogModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;
    const std::vector<NumberBox*>& Boxes() const { return m_Boxes; }
    QCheckBox* UseAllBox() const { return m_UseAll; }
    QPushButton* AscendingButton() const { return m_Ascending; }

private:
    void Show();
    std::optional<FieldError> Read();

    TextOptionsDialogModel& m_Model;
    UserInteraction& m_Ui;
    std::vector<NumberBox*> m_Boxes;
    QGroupBox* m_Elements = nullptr;
    QCheckBox* m_Single = nullptr;
    QCheckBox* m_Multi = nullptr;
    QGroupBox* m_Levels = nullptr;
    QCheckBox* m_UseAll = nullptr;
    QPushButton* m_Ascending = nullptr;
};

class CEditOptionsDlg : public QDialog {
    Q_OBJECT
public:
    /// The values change on OK only.
    CEditOptionsDlg(EditOptionsValues& values, QWidget* parent = nullptr);
    void accept() override;

private:
    EditOptionsValues& m_Values;
    std::array<QComboBox*, 4> m_Lists{};
};

class CSpectrumPeaksDlg : public QDialog {
    Q_OBJECT
public:
    CSpectrumPeaksDlg(SpectrumPeaksValues& values, UserInteraction& ui, QWidget* parent = nullptr);
    void accept() override;
    void reject() override;
    const std::vector<NumberBox*>& Boxes() const { return m_Boxes; }

private:
    SpectrumPeaksValues& m_Values;
    UserInteraction& m_Ui;
    std::vector<NumberBox*> m_Boxes;
    QCheckBox* m_Keep;
};

class CFormatChoiceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFormatChoiceDlg(QWidget* parent = nullptr);
    /// The button that closed it; None after Cancel.
    PictureFormat FormatChoice() const { return m_Choice; }

private:
    PictureFormat m_Choice = PictureFormat::None;
};

} // namespace orlu
