#pragma once
// "OPTIONS FOR GRAPHIC FORM" of the metafile and bitmap views: the display
// zoom shows how the view scales its picture and cannot be changed; the
// printing zoom (1..16) can. The opener takes the model's zoom whatever
// closed the dialog; only OK writes it.

#include "app/dialogs/NumberBox.h"
#include "presentation/view/PictureZoomModel.h"

#include <QDialog>

class QLineEdit;

namespace orlu {

class CPictureZoomDlg : public QDialog {
public:
    CPictureZoomDlg(PictureZoomModel& model, UserInteraction& ui, QWidget* parent = nullptr);
    void accept() override;

    QLineEdit* DisplayZoom() const { return m_DisplayZoom; }
    NumberBox* PrintZoom() const { return m_PrintZoom; }

private:
    PictureZoomModel& m_Model;
    UserInteraction& m_Ui;
    QLineEdit* m_DisplayZoom;
    NumberBox* m_PrintZoom;
};

} // namespace orlu
