#include "app/dialogs/OptionDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orlu {
namespace {

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CTextOptionsDlg::CTextOptionsDlg(TextOptionsDialogModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle(model.Caption());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const std::vector<NumberField> fields = model.Fields();
    auto addBox = [&](const NumberField& field, const char* label) {
        auto* box = new NumberBox(field, this);
        form->addRow(label, box);
        m_Boxes.push_back(box);
    };
    addBox(fields[0], "Pitch size for display");
    addBox(fields[1], "Pitch size for printing");
    if (model.Kind() == TextOptionsDialog::TextPitch) {
        addBox(fields[2], "Left margin for display");
    } else {
        // Shown for the look of the form, never read.
        auto* margin = new NumberBox({TextOptionsDialogModel::kLeftMarginId, NumberKind::Byte, 0, 48}, this);
        margin->setEnabled(false);
        form->addRow("Left margin for display", margin);
    }
    layout->addLayout(form);

    if (model.HasElementPair()) {
        m_Elements = new QGroupBox("Text contents", this);
        auto* box = new QVBoxLayout(m_Elements);
        m_Single = new QCheckBox("single element", m_Elements);
        m_Multi = new QCheckBox("multi element", m_Elements);
        box->addWidget(m_Single);
        box->addWidget(m_Multi);
        box->addWidget(new QLabel(model.HasLevelPanel() ? "( element = statistical levels for a histogram )"
                                                        : "( element = hist., spectr., 1/1-3 oct. or plot)",
                                  m_Elements));
        connect(m_Single, &QCheckBox::clicked, this, [this] {
            m_Model.elements.ClickSingle();
            Show();
        });
        connect(m_Multi, &QCheckBox::clicked, this, [this] {
            m_Model.elements.ClickMulti();
            Show();
        });
        layout->addWidget(m_Elements);
    }
    if (model.HasLevelPanel()) {
        m_Levels = new QGroupBox("Selected statistical levels definitions", this);
        auto* grid = new QGridLayout(m_Levels);
        for (int i = 0; i < 10; ++i) {
            auto* box = new NumberBox(fields[2 + static_cast<std::size_t>(i)], m_Levels);
            grid->addWidget(new QLabel(QString("%1.").arg(i + 1), m_Levels), i % 5, (i / 5) * 2);
            grid->addWidget(box, i % 5, (i / 5) * 2 + 1);
            m_Boxes.push_back(box);
        }
        layout->addWidget(m_Levels);
        m_Ascending = new QPushButton("ascending order", this);
        m_Ascending->setAutoDefault(false);
        connect(m_Ascending, &QPushButton::clicked, this, [this] {
            if (ExchangeBoxes(m_Ui, m_Boxes, [this](const std::vector<std::string>& t) { return m_Model.Ascending(t); }))
                Show();
        });
        layout->addWidget(m_Ascending);
        m_UseAll = new QCheckBox("use all statistical levels ( L1 .. L99 )", this);
        connect(m_UseAll, &QCheckBox::clicked, this, [this](bool on) {
            m_Model.levelPanel.useAll = on ? 1 : 0;
            Show();
        });
        layout->addWidget(m_UseAll);
    }
    auto* buttons = OkCancel(this);
    QPushButton* defaults = buttons->addButton("Defaults", QDialogButtonBox::ResetRole);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.Defaults();
        Show();
    });
    layout->addWidget(buttons);
    Show();
}

void CTextOptionsDlg::Show()
{
    const std::vector<std::string> texts = m_Model.FieldTexts();
    for (std::size_t i = 0; i < m_Boxes.size() && i < texts.size(); ++i)
        m_Boxes[i]->SetText(texts[i]);
    if (m_Elements) {
        m_Elements->setEnabled(m_Model.elements.choiceEnabled != 0);
        m_Single->setChecked(m_Model.elements.singleCheck != 0);
        m_Multi->setChecked(m_Model.elements.multiCheck != 0);
    }
    if (m_Levels) {
        const LevelPanel& panel = m_Model.levelPanel;
        m_Levels->setEnabled(panel.LevelsAreaEnabled());
        m_Ascending->setEnabled(panel.AscendingButtonEnabled());
        m_UseAll->setEnabled(panel.useAllEnabled != 0);
        m_UseAll->setChecked(panel.useAll != 0);
    }
}

void CTextOptionsDlg::accept()
{
    if (ExchangeBoxes(m_Ui, m_Boxes, [this](const std::vector<std::string>& t) { return m_Model.Exchange(t); }))
        QDialog::accept();
}

void CTextOptionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

CEditOptionsDlg::CEditOptionsDlg(EditOptionsValues& values, QWidget* parent) : QDialog(parent), m_Values(values)
{
    setWindowTitle("EDIT OPTIONS");
    auto* layout = new QVBoxLayout(this);
    auto list = [this](std::initializer_list<const char*> entries, int index) {
        auto* box = new QComboBox(this);
        for (const char* e : entries)
            box->addItem(e);
        box->setCurrentIndex(index);
        return box;
    };
    m_Lists[0] = list({"normal", "box", "full lines", "full columns"}, values.blockModeIndex);
    m_Lists[1] = list({"dot  < . >", "comma  < , >"}, values.decimalIndex);
    m_Lists[2] = list({"mm/dd/yy", "dd/mm/yy", "yy/mm/dd", "mm/yy/dd", "dd/yy/mm", "yy/dd/mm"}, values.dateIndex);
    m_Lists[3] = list({"tab  < HT >", "comma  < , >", "semicolon  < ; >", "slash  < / >", "space < _ >",
                       "double space < _ _ >", "spaces to 10th  <_10>"},
                      values.separatorIndex);
    auto* top = new QFormLayout;
    top->addRow("Block marking mode", m_Lists[0]);
    layout->addLayout(top);
    auto* group = new QGroupBox("Clipboard contents from Table View", this);
    auto* form = new QFormLayout(group);
    form->addRow("Decimal point", m_Lists[1]);
    form->addRow("Date format", m_Lists[2]);
    form->addRow("Column separator", m_Lists[3]);
    group->setEnabled(values.tableGroupEnabled);
    layout->addWidget(group);
    auto* buttons = OkCancel(this);
    buttons->addButton("&Defaults", QDialogButtonBox::ResetRole); // kept for the form's look; it does nothing
    layout->addWidget(buttons);
}

void CEditOptionsDlg::accept()
{
    m_Values.blockModeIndex = m_Lists[0]->currentIndex();
    m_Values.decimalIndex = m_Lists[1]->currentIndex();
    m_Values.dateIndex = m_Lists[2]->currentIndex();
    m_Values.separatorIndex = m_Lists[3]->currentIndex();
    QDialog::accept();
}

CSpectrumPeaksDlg::CSpectrumPeaksDlg(SpectrumPeaksValues& values, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Values(values), m_Ui(ui)
{
    setWindowTitle("SPECTRUM PEAKS OPTIONS");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_Boxes = {new NumberBox(kSpectrumPeaksFields[0], this), new NumberBox(kSpectrumPeaksFields[1], this)};
    m_Boxes[0]->SetValue(values.peaksMax);
    m_Boxes[1]->SetValue(values.peakShape);
    form->addRow("Max. number of shown peaks", m_Boxes[0]);
    auto* shape = new QHBoxLayout;
    shape->addWidget(m_Boxes[1]);
    shape->addWidget(new QLabel(values.unitText, this));
    form->addRow("Peaks shape selection parameter", shape);
    layout->addLayout(form);
    m_Keep = new QCheckBox("Keep as default", this);
    m_Keep->setChecked(values.keepAsDefault);
    layout->addWidget(m_Keep);
    layout->addWidget(OkCancel(this));
}

void CSpectrumPeaksDlg::accept()
{
    unsigned count = m_Values.peaksMax, shape = m_Values.peakShape;
    unsigned* const members[] = {&count, &shape};
    if (!ExchangeBoxes(m_Ui, m_Boxes, [&](const std::vector<std::string>& texts) {
            return ExchangeNumbers(kSpectrumPeaksFields, texts, members);
        }))
        return;
    m_Values.peaksMax = count;
    m_Values.peakShape = shape;
    m_Values.keepAsDefault = m_Keep->isChecked();
    m_Values.accepted = true;
    QDialog::accept();
}

void CSpectrumPeaksDlg::reject()
{
    m_Values.accepted = false;
    QDialog::reject();
}

CFormatChoiceDlg::CFormatChoiceDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Created format choice");
    auto* layout = new QVBoxLayout(this);
    auto* bitmap = new QPushButton("Bitmap (BMP) format", this);
    auto* metafile = new QPushButton("MetaFile (EMF) format", this);
    auto* cancel = new QPushButton("Cancel", this);
    for (QPushButton* b : {bitmap, metafile, cancel}) {
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    connect(bitmap, &QPushButton::clicked, this, [this] {
        m_Choice = PictureFormat::Bitmap;
        accept();
    });
    connect(metafile, &QPushButton::clicked, this, [this] {
        m_Choice = PictureFormat::Metafile;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_Choice = PictureFormat::None;
        reject();
    });
}

} // namespace orlu
