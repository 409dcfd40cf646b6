#pragma once
// "OPTIONS FOR GRAPHIC FORM" of the graph form and of its statistical
// levels: Plot cursor, Plot total(s), Solid bars, autoscaling, the print
// zoom, the cursor and time formats, the element pair and the multi element
// grid (or the level panel), over the Qt-free model. Only OK hands anything
// back: Cancel sets the model's Cancelled flag.

#include "app/dialogs/NumberBox.h"
#include "presentation/view/GraphOptionsModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orlu {

class StatLevelsPanel;

class CGraphFormOptionsDlg : public QDialog {
public:
    CGraphFormOptionsDlg(GraphOptionsModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void Show();
    bool Read();

    GraphOptionsModel& m_Model;
    UserInteraction& m_Ui;
    QCheckBox* m_Cursor;
    QCheckBox* m_Totals;
    QCheckBox* m_SolidBars;
    QCheckBox* m_NoAutoScale;
    NumberBox* m_Zoom;
    QLabel* m_CursorFormatLabel;
    QComboBox* m_CursorFormat;
    QGroupBox* m_Elements;
    QCheckBox* m_Single;
    QCheckBox* m_Multi;
    // The graph form's own.
    QLabel* m_TimeDomainLabel = nullptr;
    QComboBox* m_TimeDomain = nullptr;
    QCheckBox* m_Date = nullptr;
    QGroupBox* m_MultiGroup = nullptr;
    QWidget* m_FreqDomain = nullptr;
    NumberBox* m_FreqGrid = nullptr;
    QCheckBox* m_FreqGridVisible = nullptr;
    QLineEdit* m_FreqBegin = nullptr;
    QLineEdit* m_FreqEnd = nullptr;
    NumberBox* m_TimeGrid = nullptr;
    QCheckBox* m_TimeGridVisible = nullptr;
    QLineEdit* m_FirstSpectrum = nullptr;
    QLineEdit* m_LastSpectrum = nullptr;
    // The levels variant's.
    StatLevelsPanel* m_Levels = nullptr;
};

} // namespace orlu
