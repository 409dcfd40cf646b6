#include "app/dialogs/CSpectraFunctionsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orlu {
namespace {

struct FunctionButton {
    int code;
    const char* caption;
    const char* tip;
};

// The function buttons by rows of the dialog: spectra, autospectra, cross spectra, frequency responses.
constexpr FunctionButton kFunctionRows[4][4] = {
    {{1, "A", "spectrum A"}, {2, "B", "spectrum B"}},
    {{3, "A \xC2\xB7 A", "autospectrum A"}, {4, "B \xC2\xB7 B", "autospectrum B"}},
    {{5, "A \xC2\xB7 B", "cross spectrum A,B"}, {6, "B \xC2\xB7 A", "cross spectrum B,A"}},
    {{7, "H1", "frequency response H1"},
     {8, "1/H1", "frequency response 1/H1"},
     {9, "H2", "frequency response H2"},
     {10, "1/H2", "frequency response 1/H2"}},
};
constexpr const char* kRowLabels[] = {"Spectra:", "Autospectra:", "Cross Spectra:", "Frequency  \nResponses:"};
constexpr const char* kFormCaptions[] = {"power/magn.", "phase", "real part", "imaginary part"};

// A push-like button that shows the model's mark; its own toggling is undone by the next Show.
QPushButton* ToggleButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setAutoDefault(false);
    button->setMinimumWidth(44);
    return button;
}

} // namespace

CSpectraFunctionsDlg::CSpectraFunctionsDlg(SpectraFunctionsModel& model, QWidget* parent)
    : QDialog(parent), m_Model(model)
{
    setWindowTitle("SPECTRA FUNCTIONS");
    auto* layout = new QVBoxLayout(this);

    auto* channels = new QGroupBox("Channels selection", this);
    auto* channelGrid = new QGridLayout(channels);
    channelGrid->addWidget(new QLabel("A:", channels), 0, 0);
    channelGrid->addWidget(new QLabel("B:", channels), 1, 0);
    for (int k = 1; k <= kChannels; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        m_ChannelA[i] = ToggleButton(QString::number(k), QString("channelA%1").arg(k), channels);
        m_ChannelB[i] = ToggleButton(QString::number(k), QString("channelB%1").arg(k), channels);
        channelGrid->addWidget(m_ChannelA[i], 0, k);
        channelGrid->addWidget(m_ChannelB[i], 1, k);
        connect(m_ChannelA[i], &QPushButton::clicked, this, [this, k] {
            m_Model.PressChannelA(k);
            Show();
        });
        connect(m_ChannelB[i], &QPushButton::clicked, this, [this, k] {
            m_Model.PressChannelB(k);
            Show();
        });
    }
    layout->addWidget(channels);

    auto* functions = new QGridLayout;
    for (int row = 0; row < 4; ++row) {
        functions->addWidget(new QLabel(kRowLabels[row], this), row, 0);
        for (int column = 0; column < 4; ++column) {
            const FunctionButton& f = kFunctionRows[row][column];
            if (f.code == 0)
                continue;
            QPushButton* button = ToggleButton(QString::fromUtf8(f.caption), QString("function%1").arg(f.code), this);
            button->setToolTip(f.tip);
            functions->addWidget(button, row, column + 1);
            m_Functions[static_cast<std::size_t>(f.code - 1)] = button;
            connect(button, &QPushButton::clicked, this, [this, code = f.code] {
                m_Model.PressFunction(code);
                Show();
                CloseWhenEnded();
            });
        }
    }
    layout->addLayout(functions);

    auto* forms = new QGroupBox("Display form", this);
    auto* formRow = new QHBoxLayout(forms);
    for (int form = 0; form < kForms; ++form) {
        auto* radio = new QRadioButton(kFormCaptions[form], forms);
        radio->setObjectName(QString("form%1").arg(form));
        radio->setAutoExclusive(false); // the model keeps exactly one set
        formRow->addWidget(radio);
        m_Forms[static_cast<std::size_t>(form)] = radio;
        connect(radio, &QRadioButton::clicked, this, [this, form] {
            m_Model.PressForm(form);
            Show();
        });
    }
    layout->addWidget(forms);

    m_AcceptAtOnce = new QCheckBox("Immediately accept function choice", this);
    m_AcceptAtOnce->setObjectName("acceptAtOnce");
    connect(m_AcceptAtOnce, &QCheckBox::clicked, this, [this] {
        m_Model.ClickAcceptAtOnce();
        Show();
    });
    m_OneSpectrum = new QCheckBox("One spectrum functions only", this);
    m_OneSpectrum->setObjectName("oneSpectrum");
    connect(m_OneSpectrum, &QCheckBox::clicked, this, [this] {
        m_Model.ClickOneSpectrumOnly();
        Show();
    });
    layout->addWidget(m_AcceptAtOnce);
    layout->addWidget(m_OneSpectrum);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show();
}

void CSpectraFunctionsDlg::Show()
{
    for (int k = 1; k <= kChannels; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        m_ChannelA[i]->setEnabled(m_Model.ChannelAEnabled(k));
        m_ChannelA[i]->setChecked(m_Model.ChannelAChecked(k));
        m_ChannelB[i]->setEnabled(m_Model.ChannelBEnabled(k));
        m_ChannelB[i]->setChecked(m_Model.ChannelBChecked(k));
    }
    for (int code = 1; code <= kFunctions; ++code) {
        QPushButton* button = m_Functions[static_cast<std::size_t>(code - 1)];
        button->setEnabled(m_Model.FunctionEnabled(code));
        button->setChecked(m_Model.DlgFunction == code);
    }
    for (int form = 0; form < kForms; ++form) {
        QRadioButton* radio = m_Forms[static_cast<std::size_t>(form)];
        radio->setEnabled(m_Model.FormEnabled());
        radio->setChecked(m_Model.DlgForm == form);
    }
    m_AcceptAtOnce->setChecked(m_Model.AcceptAtOnce != 0);
    m_OneSpectrum->setChecked(m_Model.OneSpectrumOnly != 0);
    m_OneSpectrum->setEnabled(m_Model.OneSpectrumBoxEnabled());
}

void CSpectraFunctionsDlg::CloseWhenEnded()
{
    if (m_Model.Ended)
        QDialog::accept();
}

void CSpectraFunctionsDlg::accept()
{
    m_Model.Ok();
    QDialog::accept();
}

void CSpectraFunctionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
