#include "app/dialogs/CGraphFormOptionsDlg.h"

#include "app/dialogs/DialogBoxes.h"
#include "app/dialogs/StatLevelsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orlu {
namespace {

QCheckBox* Check(const char* text, const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* Edit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(90);
    return edit;
}

// A number as the exchange shows a double: no trailing zeros.
QString DoubleText(double value) { return QString::number(value, 'g', 10); }

} // namespace

CGraphFormOptionsDlg::CGraphFormOptionsDlg(GraphOptionsModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    const bool levels = model.LevelsVariant();
    setWindowTitle("OPTIONS FOR GRAPHIC FORM");
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    layout->addLayout(left);
    layout->addLayout(right);

    m_Cursor = Check("Plot cursor", "cursor", this);
    m_Totals = Check("Plot total(s)", "totals", this);
    m_SolidBars = Check("Solid bars", "solid", this);
    m_NoAutoScale = Check("Disable autoscaling", "noauto", this);
    for (QCheckBox* box : {m_Cursor, m_Totals, m_SolidBars, m_NoAutoScale})
        left->addWidget(box);
    connect(m_Cursor, &QCheckBox::clicked, this, [this](bool on) { m_Model.SetCursor(on); });
    connect(m_Totals, &QCheckBox::clicked, this, [this](bool on) { m_Model.SetTotals(on); });
    connect(m_SolidBars, &QCheckBox::clicked, this, [this](bool on) { m_Model.SetSolidBars(on); });
    connect(m_NoAutoScale, &QCheckBox::clicked, this, [this](bool on) { m_Model.NoAutoScaleCheck = on; });

    auto* form = new QFormLayout;
    m_Zoom = new NumberBox({1049, NumberKind::Byte, 1, 16}, this);
    form->addRow("Zoom factor for printing", m_Zoom);
    m_CursorFormatLabel = new QLabel("Cursor relative time format", this);
    m_CursorFormat = new QComboBox(this);
    m_CursorFormat->setObjectName("cursorformat");
    m_CursorFormat->addItems({"sssss.s", "hh:mm'ss.s"});
    form->addRow(m_CursorFormatLabel, m_CursorFormat);
    if (!levels) {
        m_TimeDomainLabel = new QLabel("Time domain", this);
        m_TimeDomain = new QComboBox(this);
        m_TimeDomain->setObjectName("timedomain");
        m_TimeDomain->addItems({"relative   [sss]", "real time [hh:mm'ss]"});
        form->addRow(m_TimeDomainLabel, m_TimeDomain);
        m_Date = Check("Date", "date", this);
        form->addRow("", m_Date);
        connect(m_Date, &QCheckBox::clicked, this, [this](bool on) { m_Model.SetDate(on); });
    }
    left->addLayout(form);

    m_Elements = new QGroupBox("Graph contents", this);
    auto* elements = new QVBoxLayout(m_Elements);
    m_Single = Check("single element", "single", m_Elements);
    m_Multi = Check("multi element", "multi", m_Elements);
    elements->addWidget(m_Single);
    elements->addWidget(m_Multi);
    elements->addWidget(new QLabel("( element = hist., spectr., 1/1-3 oct. or plot  )", m_Elements));
    left->addWidget(m_Elements);
    connect(m_Single, &QCheckBox::clicked, this, [this] {
        m_Model.ChooseSingle();
        Show();
    });
    connect(m_Multi, &QCheckBox::clicked, this, [this] {
        m_Model.ChooseMulti();
        Show();
    });

    if (levels) {
        m_Levels = new StatLevelsPanel(ui, this);
        m_Levels->onAscending = [this] {
            if (!Read())
                return;
            std::sort(m_Model.Levels.begin(), m_Model.Levels.end());
            Show();
        };
        m_Levels->onUseAll = [this](bool on) {
            if (Read())
                m_Model.UseAll = on;
            Show();
        };
        right->addWidget(m_Levels);
    } else {
        m_MultiGroup = new QGroupBox("Multi element graph options", this);
        auto* grid = new QGridLayout(m_MultiGroup);
        m_FreqDomain = new QWidget(m_MultiGroup);
        auto* freq = new QFormLayout(m_FreqDomain);
        freq->setContentsMargins(0, 0, 0, 0);
        m_FreqGrid = new NumberBox({1113, NumberKind::Byte, 2, 60}, m_FreqDomain);
        m_FreqGridVisible = Check("visible", "fvis", m_FreqDomain);
        auto* freqGridRow = new QHBoxLayout;
        freqGridRow->addWidget(m_FreqGrid);
        freqGridRow->addWidget(m_FreqGridVisible);
        freq->addRow("Freq. domain :  Grid", freqGridRow);
        m_FreqBegin = Edit("begin", m_FreqDomain);
        m_FreqEnd = Edit("end", m_FreqDomain);
        freq->addRow("Begin frequence [Hz]", m_FreqBegin);
        freq->addRow("End frequence [Hz]", m_FreqEnd);
        grid->addWidget(m_FreqDomain, 0, 0);
        auto* time = new QFormLayout;
        m_TimeGrid = new NumberBox({1118, NumberKind::Byte, 2, 60}, m_MultiGroup);
        m_TimeGridVisible = Check("visible", "tvis", m_MultiGroup);
        auto* timeGridRow = new QHBoxLayout;
        timeGridRow->addWidget(m_TimeGrid);
        timeGridRow->addWidget(m_TimeGridVisible);
        time->addRow("Time domain :  Grid", timeGridRow);
        m_FirstSpectrum = Edit("first", m_MultiGroup);
        m_LastSpectrum = Edit("last", m_MultiGroup);
        time->addRow("First spectr. #", m_FirstSpectrum);
        time->addRow("Last spectr. #", m_LastSpectrum);
        grid->addLayout(time, 1, 0);
        right->addWidget(m_MultiGroup);
        connect(m_FreqGridVisible, &QCheckBox::clicked, this,
                [this](bool on) { m_Model.Multi.displayFlags[1] = on ? 1 : 0; });
        connect(m_TimeGridVisible, &QCheckBox::clicked, this,
                [this](bool on) { m_Model.Multi.displayFlags[2] = on ? 1 : 0; });
    }
    right->addStretch();
    QPushButton* defaults = nullptr;
    right->addWidget(DialogButtons(this, "Cancel", "Defaults", &defaults));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.Defaults();
        Show();
    });
    Show();
}

void CGraphFormOptionsDlg::Show()
{
    const GraphOptionsModel& m = m_Model;
    m_Cursor->setChecked(m.CursorCheck != 0);
    m_Cursor->setEnabled(m.CursorEnabled());
    m_Totals->setChecked(m.TotalsCheck != 0);
    m_Totals->setEnabled(m.TotalsEnabled());
    m_SolidBars->setChecked(m.SolidBarsCheck != 0);
    m_SolidBars->setEnabled(m.SolidBarsEnabled());
    m_NoAutoScale->setChecked(m.NoAutoScaleCheck != 0);
    m_NoAutoScale->setEnabled(m.AutoScaleOffered != 0);
    m_Zoom->SetValue(m.PrintZoom);
    m_CursorFormatLabel->setEnabled(m.CursorFormatOffered != 0);
    m_CursorFormat->setEnabled(m.CursorFormatOffered != 0);
    m_CursorFormat->setCurrentIndex(m.ShownCursorFormat());
    m_Elements->setEnabled(m.ElementChoiceEnabled != 0);
    m_Single->setChecked(m.SingleCheck != 0);
    m_Multi->setChecked(m.MultiCheck != 0);
    if (m_Levels) {
        m_Levels->Show(m.Levels, !m.UseAll, m.UseAll != 0, m.UseAllEnabled != 0);
        return;
    }
    m_TimeDomainLabel->setEnabled(m.TimeDomainOffered != 0);
    m_TimeDomain->setEnabled(m.TimeDomainOffered != 0);
    m_TimeDomain->setCurrentIndex(m.ShownTimeDomain());
    m_Date->setEnabled(m.TimeDomainOffered != 0);
    m_Date->setChecked(m.DateCheck != 0);
    m_MultiGroup->setEnabled(m.MultiGroupEnabled());
    m_FreqDomain->setEnabled(m.FrequencyGroupEnabled());
    m_FreqGrid->SetValue(static_cast<unsigned>(std::clamp(m.Multi.freqGrid, 0, 255)));
    m_FreqGridVisible->setChecked(m.Multi.displayFlags[1] != 0);
    m_FreqBegin->setText(DoubleText(m.Multi.freqBegin));
    m_FreqEnd->setText(DoubleText(m.Multi.freqEnd));
    m_TimeGrid->SetValue(static_cast<unsigned>(std::clamp(m.Multi.timeGrid, 0, 255)));
    m_TimeGridVisible->setChecked(m.Multi.displayFlags[2] != 0);
    m_FirstSpectrum->setText(QString::number(static_cast<std::int32_t>(m.Multi.firstSpectrum)));
    m_LastSpectrum->setText(QString::number(static_cast<std::int32_t>(m.Multi.lastSpectrum)));
}

bool CGraphFormOptionsDlg::Read()
{
    std::uint8_t zoom = 0;
    if (!TakeBox(m_Ui, m_Zoom->Edit(), ExchangeByte(m_Zoom->Text(), 1, 16), zoom))
        return false;
    StatLevels levels = m_Model.Levels;
    if (m_Levels && !m_Levels->Read(levels))
        return false;
    // The grid and spectrum boxes: the opener limits them to the document, the exchange checks only their kind.
    ViewMultiElementOptions multi = m_Model.Multi;
    if (m_MultiGroup) {
        std::int32_t first = 0, last = 0;
        if (!TakeBox(m_Ui, m_FreqGrid->Edit(), ExchangeByte(m_FreqGrid->Text()), multi.freqGrid) ||
            !TakeBox(m_Ui, m_FreqBegin, ExchangeNumber(BoxText(m_FreqBegin)), multi.freqBegin) ||
            !TakeBox(m_Ui, m_FreqEnd, ExchangeNumber(BoxText(m_FreqEnd)), multi.freqEnd) ||
            !TakeBox(m_Ui, m_TimeGrid->Edit(), ExchangeByte(m_TimeGrid->Text()), multi.timeGrid) ||
            !TakeBox(m_Ui, m_FirstSpectrum, ExchangeInteger(BoxText(m_FirstSpectrum)), first) ||
            !TakeBox(m_Ui, m_LastSpectrum, ExchangeInteger(BoxText(m_LastSpectrum)), last))
            return false;
        multi.firstSpectrum = static_cast<std::uint32_t>(first);
        multi.lastSpectrum = static_cast<std::uint32_t>(last);
        if (m_Model.TimeDomainOffered)
            m_Model.TimeDomainIndex = m_TimeDomain->currentIndex();
    }
    if (m_Model.CursorFormatOffered)
        m_Model.CursorFormatIndex = m_CursorFormat->currentIndex();
    m_Model.PrintZoom = zoom;
    m_Model.Levels = levels;
    m_Model.Multi = multi;
    return true;
}

void CGraphFormOptionsDlg::accept()
{
    if (!Read())
        return;
    m_Model.Ok();
    QDialog::accept();
}

void CGraphFormOptionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
