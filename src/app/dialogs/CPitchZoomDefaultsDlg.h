#pragma once
// "PITCH SIZE & GRAPHICS ZOOM DEFAULTS" over its model.

#include "app/dialogs/NumberBox.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"

#include <QDialog>

namespace orlu {

class CPitchZoomDefaultsDlg : public QDialog {
    Q_OBJECT
public:
    CPitchZoomDefaultsDlg(PitchZoomDefaultsModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    /// OK: the boxes are read; a refused one keeps the dialog open.
    void accept() override;
    const std::vector<NumberBox*>& Boxes() const { return m_Boxes; }

private:
    void Show();

    PitchZoomDefaultsModel& m_Model;
    UserInteraction& m_Ui;
    std::vector<NumberBox*> m_Boxes;
};

} // namespace orlu
